#!/usr/bin/env bash
# The sound output's deciding benchmark: a Qt window with the program's sound
# output (libsndfile + one libpulse stream per play) against the same window
# without it, under Xvfb with a private PulseAudio null sink, in interleaved
# rounds; prints medians.
#
#   bench/sound/run.sh [build dir] [rounds]
#
# Per round: the bare window; the window playing one clip; the window playing
# twelve different clips at once; the window playing one clip 1000 times, as
# a minute with 1000 matching lines does. Each plays its batch 1 s after the
# first paint (cold: the first sounds of the process) and 3 s later (warm).
# First audio is the time from the batch's first call to the first loud
# block on the sink's monitor (read 2 ms at a time, so it is up to ~2 ms
# late); "calls" is how long the main thread spent in the batch's plays;
# CPU is user and system time of the whole run, all threads.
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build_dir=$(cd "${1:-$source_dir/build}" && pwd)
rounds=${2:-7}
window=$build_dir/bench/sound/sound_bench_window
listen=$build_dir/bench/sound/sound_listen
# shellcheck source=tests/endtoend/lib/audio.sh
source "$source_dir/tests/endtoend/lib/audio.sh"

work=$(mktemp -d)
cleanup() {
    audio_stop
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n 1 "$work/display")
audio_start "$work/audio"

freqs=(500 700 900 1100 1300 1500 1700 1900 2100 2300 2500 2700)
clips=()
for i in "${!freqs[@]}"; do
    clips+=("$work/tone${freqs[i]}.mp3")
    audio_make_tone "${clips[i]}" "${freqs[i]}" "$(awk -v i="$i" 'BEGIN { print 1.0 + i / 10 }')" 0.06
done

# run <name> [window arguments]: one run, its figures appended to
# $work/<name>.txt as "key value" lines.
run() {
    local name=$1 out=$work/run.out listener=
    shift
    if [ $# -gt 0 ]; then
        "$listen" "$work/run.raw" >"$work/onsets" &
        listener=$!
        sleep 0.3
    fi
    "$window" "$@" >"$out"
    if [ -n "$listener" ]; then
        sleep 0.3
        kill "$listener"
        wait "$listener" || true
    fi
    awk '/^rss_kb/ { print "rss_mb", $2 / 1024 } /^cpu_ms/ { print "cpu_ms", $2 }' "$out" >>"$work/$name.txt"
    [ -n "$listener" ] || return 0
    mapfile -t batches < <(awk '/^batch/ { print $2, $3 }' "$out")
    mapfile -t onsets < <(awk '/^onset/ { print $2 }' "$work/onsets")
    local b label=(cold warm)
    for b in 0 1; do
        read -r at calls <<<"${batches[b]}"
        echo "calls_ms_${label[b]} $(awk -v c="$calls" 'BEGIN { print c / 1000 }')" >>"$work/$name.txt"
        local onset=${onsets[b]:-}
        [ -n "$onset" ] && echo "audio_ms_${label[b]} $(awk -v o="$onset" -v a="$at" 'BEGIN { print (o - a) / 1000 }')" >>"$work/$name.txt"
    done
    echo "onsets ${#onsets[@]}" >>"$work/$name.txt"
}

# Twelve clips: each heard twice, each time for its whole length.
count_whole() {
    audio_tone_spans "$work/run.raw" "${freqs[@]}" | awk -v n=${#freqs[@]} '
        { i = ($1 - 500) / 200; len = 1.0 + i / 10; if ($2 >= 0 && $3 >= len - 0.05 && $4 <= 0.01) whole++ }
        END { print "whole", whole + 0, "of", 2 * n }'
}

for round in $(seq "$rounds"); do
    run bare
    run one "${clips[0]}"
    run twelve "${clips[@]}"
    count_whole >>"$work/whole.txt"
    run thousand --times 1000 "${clips[0]}"
    echo "round $round done" >&2
done

minimum() { # <file> <key>
    awk -v k="$2" '$1 == k { print $2 }' "$1" | sort -g | head -n 1
}

median() { # <file> <key>
    awk -v k="$2" '$1 == k { print $2 }' "$1" | sort -g |
        awk '{ v[NR] = $1 } END { if (NR) print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2); else print "-" }'
}

bare_rss=$(median "$work/bare.txt" rss_mb)
printf '%-10s %9s %7s %9s %12s %12s %11s %11s\n' case "RSS MB" "x bare" "CPU ms" "audio cold" "audio warm" "calls cold" "calls warm"
for name in bare one twelve thousand; do
    f=$work/$name.txt
    rss=$(median "$f" rss_mb)
    printf '%-10s %9.1f %7.2f %9s %12s %12s %11s %11s\n' "$name" "$rss" "$(awk -v a="$rss" -v b="$bare_rss" 'BEGIN { print a / b }')" \
        "$(minimum "$f" cpu_ms)" "$(median "$f" audio_ms_cold)" "$(median "$f" audio_ms_warm)" \
        "$(median "$f" calls_ms_cold)" "$(median "$f" calls_ms_warm)"
done
echo "twelve at once: $(sort "$work/whole.txt" | uniq -c | tr '\n' ';')"
echo "rounds: $rounds; medians, but CPU (user and system, whole run) is the least: in about half"
echo "the runs the bare window alone spends ~400 ms in FreeType and zlib (font fallback)"
