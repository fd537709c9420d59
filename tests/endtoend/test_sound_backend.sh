#!/bin/bash
# The program's sound output on a private PulseAudio null sink, driven by
# tools/play-sounds: twelve different clips started in one go are each heard
# whole and start together, the first sounds of a run as whole as the later
# ones, and quitting while they play never crashes (status 2 is the tool's
# "quit while playing").
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
# The first tick plays its sounds about 500 ms after the program starts; the
# same clips then play again as a later minute would.
first_tick_ms=500
again_ms=3000

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

# check_batch <label> <spans>: the lines of one batch, one per clip in the
# order of freqs: each clip whole without a dropout, all starting together.
check_batch() {
    local label=$1 spans=$2 i=0 hz onset active gap end lo= hi=
    while read -r hz onset active gap end; do
        echo "$label: ${hz} Hz from ${onset} s for ${active} s of ${lengths[i]} s, longest gap ${gap} s"
        if is_greater "${lengths[i]}" "$(awk -v a="$active" -v t=$tolerance 'BEGIN { print a + t }')"; then
            fail "$label: the ${hz} Hz clip was heard for ${active} s of ${lengths[i]} s"
        fi
        is_greater "$gap" 0.01 && fail "$label: the ${hz} Hz clip broke off for ${gap} s"
        if [ -z "$lo" ] || is_greater "$lo" "$onset"; then lo=$onset; fi
        if [ -z "$hi" ] || is_greater "$onset" "$hi"; then hi=$onset; fi
        i=$((i + 1))
    done <<<"$spans"
    is_greater "$(awk -v a="$hi" -v b="$lo" 'BEGIN { print a - b }')" 0.06 &&
        fail "$label: the clips started between $lo s and $hi s, not together"
}

# check_run <run> <spans file>: every clip heard in two bursts, the first
# sounds of a program run and the later ones.
check_run() {
    local run=$1 spans=$2 hz
    for hz in "${freqs[@]}"; do
        local bursts
        bursts=$(grep -c "^$hz " "$spans")
        if [ "$bursts" -ne 2 ] || grep -q "^$hz -1 " "$spans"; then
            fail "run $run: the ${hz} Hz clip was heard $(grep "^$hz " "$spans" | grep -vc " -1 ") times, not twice"
            return
        fi
    done
    check_batch "run $run, first" "$(for hz in "${freqs[@]}"; do grep "^$hz " "$spans" | head -1; done)"
    check_batch "run $run, again" "$(for hz in "${freqs[@]}"; do grep "^$hz " "$spans" | tail -1; done)"
}

# Several clips in one call, left to play out; each run is a fresh process,
# so each run's first batch holds the first sounds of a program run.
for run in $(seq "$whole_runs"); do
    audio_record_start "$work/run$run.raw"
    sleep 0.2
    "$play_sounds" --delay-ms $first_tick_ms --again-ms $again_ms "${clips[@]}" 2>"$work/run$run.log"
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

# Quitting with the clips still playing, at different points of their start:
# status 2 is the tool's "quit while playing"; anything else is a crash.
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
