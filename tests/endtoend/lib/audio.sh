# Sound helpers for end-to-end tests: a private PulseAudio with one null sink,
# kept running, and a recording of what reaches it.
#
# A null sink left idle renders in 2 s blocks and records nothing, so a
# silent stream plays into it the whole time. The recording's timeline is the
# sink's, not wall time: measure durations and gaps from the samples only.

AUDIO_RATE=16000

# audio_start <work dir>: starts the server and the silent stream; exports the
# variables that send every client of this shell to it. Everything it writes
# stays inside the work dir.
audio_start() {
    local dir=$1
    export XDG_RUNTIME_DIR=$dir/run
    export PULSE_RUNTIME_PATH=$dir/run/pulse
    export PULSE_STATE_PATH=$dir/state
    export PULSE_SERVER=unix:$dir/run/pulse/native
    export PULSE_SINK=rec
    export PULSE_COOKIE=$dir/cookie
    mkdir -p "$PULSE_RUNTIME_PATH" "$PULSE_STATE_PATH"
    chmod 700 "$XDG_RUNTIME_DIR"
    pulseaudio --daemonize=no --exit-idle-time=-1 --system=false -n \
        --use-pid-file=false --disallow-exit --no-cpu-limit \
        --load="module-null-sink sink_name=rec" \
        --load="module-native-protocol-unix socket=$dir/run/pulse/native auth-anonymous=1 auth-cookie-enabled=0" \
        --log-target=file:"$dir/pulse.log" &
    AUDIO_PULSE_PID=$!
    local i
    for i in $(seq 100); do
        pactl info >/dev/null 2>&1 && break
        sleep 0.05
    done
    pactl info >/dev/null 2>&1 || { echo "pulseaudio did not start" >&2; return 1; }
    pacat --playback --raw --latency-msec=10 --device=rec /dev/zero &
    AUDIO_KEEPALIVE_PID=$!
    audio_wait_flowing "$dir/probe.raw"
}

# A fresh sink first renders one long block, and a recording started then
# misses its first seconds: wait until a probe recording grows steadily.
audio_wait_flowing() {
    local probe=$1 i size last=0 steady=0
    audio_record_start "$probe"
    for i in $(seq 100); do
        sleep 0.05
        size=$(stat -c %s "$probe")
        if [ "$size" -gt "$last" ]; then steady=$((steady + 1)); else steady=0; fi
        last=$size
        [ $steady -ge 4 ] && break
    done
    audio_record_stop
    rm -f "$probe"
    [ $steady -ge 4 ] || { echo "the null sink records nothing" >&2; return 1; }
}

# audio_record_start <raw file>: mono 16-bit samples at AUDIO_RATE.
audio_record_start() {
    parec --device=rec.monitor --latency-msec=10 --raw --format=s16le --rate=$AUDIO_RATE --channels=1 >"$1" &
    AUDIO_RECORD_PID=$!
}

audio_record_stop() {
    [ -n "${AUDIO_RECORD_PID:-}" ] || return 0
    kill "$AUDIO_RECORD_PID" 2>/dev/null
    wait "$AUDIO_RECORD_PID" 2>/dev/null
    AUDIO_RECORD_PID=
}

audio_stop() {
    audio_record_stop
    local pid
    for pid in ${AUDIO_KEEPALIVE_PID:-} ${AUDIO_PULSE_PID:-}; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    AUDIO_KEEPALIVE_PID=
    AUDIO_PULSE_PID=
}

# audio_make_tone <file.mp3> <hz> <seconds> [volume]: a steady sine, as MP3.
audio_make_tone() {
    sox -V1 -n -r 44100 -c 1 -b 16 -t wav - synth "$3" sine "$2" vol "${4:-0.2}" |
        lame --quiet -b 128 - "$1"
}

# audio_tone_spans <raw file> <hz>...: for each frequency and each burst of
# it prints one line
#   hz onset_s active_s longest_gap_s end_s
# from 10 ms windows of the recording (Goertzel magnitude per frequency; pick
# multiples of 100 Hz so each sits on a bin). A window holds the tone when its
# magnitude is at least half the tone's loudest window; 300 ms without it
# ends a burst. active counts the windows that hold the tone; longest_gap is
# the longest run without it inside the burst: a dropout. A tone never heard
# prints one line with onset -1.
audio_tone_spans() {
    local raw=$1
    shift
    sox -t raw -r $AUDIO_RATE -e signed -b 16 -c 1 "$raw" -t dat - |
        awk -v rate=$AUDIO_RATE -v freqs="$*" '
        BEGIN {
            n = split(freqs, hz, " ")
            win = int(rate * 0.01); w = 0
            pi = atan2(0, -1)
            for (f = 1; f <= n; f++) coef[f] = 2 * cos(2 * pi * hz[f] / rate)
        }
        /^;/ { next }
        {
            x = $2
            for (f = 1; f <= n; f++) {
                s = x + coef[f] * s1[f] - s2[f]
                s2[f] = s1[f]; s1[f] = s
            }
            if (++k == win) {
                for (f = 1; f <= n; f++) {
                    p = s1[f] * s1[f] + s2[f] * s2[f] - coef[f] * s1[f] * s2[f]
                    mag[f, w] = p > 0 ? sqrt(p) : 0
                    if (mag[f, w] > top[f]) top[f] = mag[f, w]
                    s1[f] = 0; s2[f] = 0
                }
                w++; k = 0
            }
        }
        function burst(f, first, last, active, gap) {
            printf "%d %.2f %.2f %.2f %.2f\n", hz[f], first * 0.01, active * 0.01, gap * 0.01, (last + 1) * 0.01
        }
        END {
            for (f = 1; f <= n; f++) {
                first = -1; bursts = 0
                for (i = 0; i < w; i++) {
                    if (!(top[f] > 4 && mag[f, i] >= top[f] / 2)) continue
                    if (first >= 0 && i - last > 30) {
                        burst(f, first, last, active, gap); bursts++; first = -1
                    }
                    if (first < 0) { first = i; active = 0; gap = 0 }
                    else if (i - last - 1 > gap) gap = i - last - 1
                    active++; last = i
                }
                if (first >= 0) { burst(f, first, last, active, gap); bursts++ }
                if (!bursts) printf "%d -1 0 0 0\n", hz[f]
            }
        }'
}
