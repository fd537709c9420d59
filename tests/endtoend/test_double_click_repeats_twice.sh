#!/usr/bin/env bash
# Every press in the picture area repeats the minute: a double click whose
# two presses a tick separates plays the minute's announcement twice more.
# The announcement of 10:15 is a short 1 kHz beep here, so each play is a
# burst of its own in the recording: one at the start, then one per press.
#
# Ticks fall on the faked clock's half seconds. The presses go 0.2 s and
# 0.55 s after the title turns, so the half-second tick lies between them
# and the two are still close enough for a double click.
# shellcheck source=tests/endtoend/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "$@"
private_app_root

BEEP_HZ=1000
rm -f "$DATA_FOLDER/Sounds/Time/1015.mp3"
audio_make_tone "$DATA_FOLDER/Sounds/Time/1015.mp3" "$BEEP_HZ" 0.08 0.5

xvfb_start
audio_start "$WORK/audio"
audio_record_start "$WORK/sound.raw"
app_start "2026-12-06 10:15:05"
clock=$(app_window)
title=$(wait_for_title "$clock" '^10:15:[0-5][0-9]$' 10)
xdotool mousemove --window "$clock" 150 250
sleep 1

# As soon after the turn of a second as it can be seen.
title=$(window_title "$clock")
for _ in $(seq 1000); do
    [ "$(window_title "$clock")" = "$title" ] || break
done
[ "$(window_title "$clock")" != "$title" ] || fail "the title stopped at $title"
sleep 0.2
xdotool click --repeat 2 --delay 350 1
sleep 2
audio_record_stop

bursts=$(audio_tone_spans "$WORK/sound.raw" "$BEEP_HZ" | awk '$2 >= 0' | wc -l)
note "beeps heard: $bursts"
[ "$bursts" -eq 3 ] || fail "$bursts beeps, expected 3: the start and one for each press"

send_keys "$clock" ctrl+q
app_wait_exit 15
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS"
note "ok"
