#!/usr/bin/env bash
# What a long clip costs in memory as it plays: tools/play-sounds plays a
# 5-minute 44.1 kHz stereo MP3 on a private null sink; prints its RSS at 8 s
# and at 60 s of playing and the growth between them.
#
#   bench/sound/long-clip-rss.sh [build dir]
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build_dir=$(cd "${1:-$source_dir/build}" && pwd)
# shellcheck source=tests/endtoend/lib/audio.sh
source "$source_dir/tests/endtoend/lib/audio.sh"

work=$(mktemp -d)
cleanup() {
    [ -n "${player:-}" ] && kill "$player" 2>/dev/null
    audio_stop
    rm -rf "$work"
}
trap cleanup EXIT
audio_start "$work/audio"

sox -V1 -n -r 44100 -c 2 -b 16 -t wav - synth 300 sine 440 vol 0.1 | lame --quiet -b 128 - "$work/long.mp3"

rss_kb() { awk '/^VmRSS/ { print $2 }' "/proc/$1/status"; }

"$build_dir/tools/play-sounds" --timeout-ms 400000 "$work/long.mp3" >/dev/null &
player=$!
sleep 8
at8=$(rss_kb "$player")
sleep 52
at60=$(rss_kb "$player")
printf 'RSS at 8 s: %.1f MB, at 60 s: %.1f MB, growth: %.2f MB\n' \
    "$(awk -v k="$at8" 'BEGIN { print k / 1024 }')" "$(awk -v k="$at60" 'BEGIN { print k / 1024 }')" \
    "$(awk -v a="$at8" -v b="$at60" 'BEGIN { print (b - a) / 1024 }')"
