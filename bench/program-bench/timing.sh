# shellcheck shell=bash
# Real-time helpers of the program benchmark: waiting for a moment, the
# window title's changes, and the first sound after a moment.

# sleep_until <real time in seconds>
sleep_until() {
    sleep "$(awk -v t="$1" -v n="$EPOCHREALTIME" 'BEGIN { d = t - n; printf "%.3f", (d > 0 ? d : 0) }')"
}

# title_spy_start <window> <file>: one line per title change, "<real time> <title>".
title_spy_start() {
    stdbuf -oL xprop -spy -id "$1" _NET_WM_NAME 2>/dev/null > >(
        while IFS= read -r line; do echo "$EPOCHREALTIME ${line#*= }"; done >"$2") &
    TITLE_SPY_PID=$!
}

title_spy_stop() {
    [ -n "${TITLE_SPY_PID:-}" ] || return 0
    kill "$TITLE_SPY_PID" 2>/dev/null || true
    wait "$TITLE_SPY_PID" 2>/dev/null || true
    TITLE_SPY_PID=
    sleep 0.05
}

# title_lateness_ms <file>: the median of how long after the whole second the
# title changed (the first line is the title the spy found).
title_lateness_ms() {
    awk 'NR > 1 { print ($1 - int($1)) * 1000 }' "$1" | median_of_lines
}

# longest_title_gap_ms <file> <end>: the longest time without a title change,
# counting until <end> after the last one.
longest_title_gap_ms() {
    awk -v end="$2" 'NR > 1 { if (last && $1 - last > gap) gap = $1 - last; last = $1 }
        END { if (end - last > gap) gap = end - last; printf "%.0f\n", gap * 1000 }' "$1"
}

# sound_onset_start <from>: records the sink; sound_onset_stop then prints
# the real time of the first sound that played at <from> or later (-1: none).
sound_onset_start() {
    rm -f "$WORK/onset"
    parec --device=rec.monitor --latency-msec=10 --raw --format=s16le --rate="$AUDIO_RATE" --channels=1 \
        > >("$PROBE" onset "$AUDIO_RATE" "$1" 300 >"$WORK/onset") &
    ONSET_PID=$!
}

sound_onset_stop() {
    kill "$ONSET_PID" 2>/dev/null || true
    wait "$ONSET_PID" 2>/dev/null || true
    for _ in $(seq 40); do
        [ -s "$WORK/onset" ] && break
        sleep 0.05
    done
    cat "$WORK/onset"
}

median_of_lines() {
    { grep -E '^-?[0-9.]+$' || true; } | sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "n/a"; else if (NR % 2) print v[(NR + 1) / 2];
        else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
