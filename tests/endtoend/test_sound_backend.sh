#!/bin/bash
# The program's sound output on a private PulseAudio null sink, driven by
# tools/play-sounds: twelve different clips started in one go, as the first
# sounds of a fresh process, are each heard whole and start together (the
# real program's clips are all one tone, so only here is each told apart);
# quitting while they play never crashes (status 2 is the tool's "quit while
# playing"). Later plays are heard in test_sound_program.sh.
set -u

build_dir=$1
source_dir=$2
source "$source_dir/tests/endtoend/lib/audio.sh"

play_sounds=$build_dir/tools/play-sounds
whole_runs=${SOUND_WHOLE_RUNS:-2}
quit_runs=${SOUND_QUIT_RUNS:-40}
# Two bins apart, and quiet enough that all twelve together never clip.
freqs=(500 700 900 1100 1300 1500 1700 1900 2100 2300 2500 2700)
lengths=(1.0 1.1 1.2 1.3 1.4 1.5 1.6 1.7 1.8 1.9 2.0 2.1)
# A clip counts as whole when at most this much of it is missing: the edges
# of a tone fill only part of their 10 ms window.
tolerance=0.05

for tool in pulseaudio pactl pacat parec sox lame "$play_sounds"; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'audio_stop; rm -rf "$work"' EXIT
audio_start "$work" || exit 1

clips=()
for i in "${!freqs[@]}"; do
    clips+=("$work/tone${freqs[i]}.mp3")
    audio_make_tone "${clips[i]}" "${freqs[i]}" "${lengths[i]}" 0.06 || exit 1
done

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

is_greater() {
    awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'
}

# check_run <run> <spans file>: one line per clip in the order of freqs, each
# clip heard once, whole without a dropout, all starting together.
check_run() {
    local run=$1 i=0 hz onset active gap end lo= hi=
    [ "$(wc -l <"$2")" -eq ${#freqs[@]} ] || { fail "run $run: clips heard more than once: $(cat "$2")"; return; }
    while read -r hz onset active gap end; do
        echo "run $run: ${hz} Hz from ${onset} s for ${active} s of ${lengths[i]} s, longest gap ${gap} s"
        [ "$onset" != -1 ] || fail "run $run: the ${hz} Hz clip was not heard"
        is_greater "${lengths[i]}" "$(awk -v a="$active" -v t=$tolerance 'BEGIN { print a + t }')" &&
            fail "run $run: the ${hz} Hz clip was heard for ${active} s of ${lengths[i]} s"
        is_greater "$gap" 0.01 && fail "run $run: the ${hz} Hz clip broke off for ${gap} s"
        if [ -z "$lo" ] || is_greater "$lo" "$onset"; then lo=$onset; fi
        if [ -z "$hi" ] || is_greater "$onset" "$hi"; then hi=$onset; fi
        i=$((i + 1))
    done <"$2"
    is_greater "$(awk -v a="$hi" -v b="$lo" 'BEGIN { print a - b }')" 0.06 &&
        fail "run $run: the clips started between $lo s and $hi s, not together"
}

# Each run is a fresh process: its batch is the first sounds of a program run,
# about 500 ms after start-up as the clock's first tick plays them.
for run in $(seq "$whole_runs"); do
    audio_record_start "$work/run$run.raw"
    sleep 0.2
    "$play_sounds" --delay-ms 500 "${clips[@]}" 2>"$work/run$run.log"
    status=$?
    sleep 0.2
    audio_record_stop
    if [ $status -ne 0 ]; then
        fail "run $run: play-sounds ended with status $status"
        cat "$work/run$run.log" >&2
        continue
    fi
    audio_tone_spans "$work/run$run.raw" "${freqs[@]}" >"$work/run$run.spans"
    check_run "$run" "$work/run$run.spans"
done

# Quitting with the clips still playing, at different points of their start.
crashes=0
for run in $(seq "$quit_runs"); do
    "$play_sounds" --timeout-ms $(((run * 37) % 400 + 1)) "${clips[@]}" 2>"$work/quit.log"
    status=$?
    if [ $status -ne 2 ]; then
        crashes=$((crashes + 1))
        fail "quit run $run: play-sounds ended with status $status"
        cat "$work/quit.log" >&2
    fi
done
echo "quit while playing: $crashes of $quit_runs runs crashed"

[ $failures -eq 0 ]
