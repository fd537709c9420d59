#!/usr/bin/env bash
# First audio after the wall-clock minute begins, from the real program: its
# executable in an installation whose every minute has a time announcement
# (one clip, and one schedule line a minute), under Xvfb with a private
# PulseAudio null sink and the real clock. Prints, for each minute boundary
# it waits through, how long after it the sound began on the sink's monitor
# (read 2 ms at a time), then the program's peak RSS.
#
#   bench/sound/minute.sh [build dir] [minutes]
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build_dir=$(cd "${1:-$source_dir/build}" && pwd)
minutes=${2:-3}
listen=$build_dir/bench/sound/sound_listen
# shellcheck source=tests/endtoend/lib/audio.sh
source "$source_dir/tests/endtoend/lib/audio.sh"

work=$(mktemp -d)
cleanup() {
    [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null
    [ -n "${listener:-}" ] && kill "$listener" 2>/dev/null
    audio_stop
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

root=$work/root
data=$root/velka-namro/Payload/'Velka Namro 2 HD.app'
mkdir -p "$root/bin" "$root/Resources" "$data/Photos" "$data/Sounds/Time"
cp "$build_dir/bin/talking-clock" "$root/bin/"
: >"$root/Resources/ActMain.txt"
: >"$root/Resources/ActSerif.txt"
: >"$root/Resources/Alarm.txt"
audio_make_tone "$work/tone.mp3" 600 0.5 0.2
for h in $(seq -w 0 23); do
    for m in $(seq -w 0 59); do
        printf '%s%s\t1\r' "$h" "$m"
        ln -s "$work/tone.mp3" "$data/Sounds/Time/$h$m.mp3"
    done
done >"$root/Resources/ActTime.txt"
export XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME"
printf '%s\n' "seiyuOn/Off=1,1,1,1,1,1,1,1,1,1,1,1" alarmOn=0 alarmHour=00 alarmMin=00 alarmVoice=0 voiceMode=2 \
    >"$XDG_CONFIG_HOME/velkaViewer2 Prefs"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n 1 "$work/display")
audio_start "$work/audio"

"$listen" "$work/rec.raw" >"$work/onsets" &
listener=$!
"$root/bin/talking-clock" >"$work/app.log" 2>&1 &
app_pid=$!
# The start plays the current minute; then each boundary plays the next.
sleep $((60 * minutes - $(date +%-S) + 2))
hwm=$(awk '/VmHWM/ { printf "%.1f", $2 / 1024 }' "/proc/$app_pid/status")
kill -TERM "$app_pid"
wait "$app_pid" || true
app_pid=
kill "$listener"
wait "$listener" || true
listener=

awk '/^onset/ { us = $2 % 60000000; if (us < 1000000) printf "minute boundary -> first audio: %.1f ms\n", us / 1000 }' "$work/onsets"
echo "peak RSS of the program: $hwm MB"
