#!/usr/bin/env bash
# A named pipe in place of a file the program reads counts as a missing file,
# and the clock goes on: pipes stand in for the settings file, the list of
# time announcements, the photo of 10:16, the first actor's face and the
# picture a click on that face shows; a folder stands in for the list of
# alarms. Opening a pipe that nobody writes to waits for good, so the title
# must keep ticking through the turn of the minute, the preferences and the
# click, and SIGTERM must end the program with status 0 and the default
# settings written.
# shellcheck source=tests/endtoend/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "$@"
private_app_root

pipe_in_place() {
    rm -rf "$1"
    mkfifo "$1"
}

pipe_in_place "$SETTINGS_FILE"
pipe_in_place "$RESOURCES/ActTime.txt"
pipe_in_place "$DATA_FOLDER/Photos/1016.jpg"
pipe_in_place "$DATA_FOLDER/Photos/face01.jpg"
pipe_in_place "$DATA_FOLDER/Photos/noimage01.jpg"
rm "$RESOURCES/Alarm.txt"
mkdir "$RESOURCES/Alarm.txt"

xvfb_start
audio_start "$WORK/audio"
app_start "2026-12-06 10:15:57"
clock=$(app_window)
wait_for_title "$clock" '^10:1[56]:[0-5][0-9]$' 10 >/dev/null
title=$(wait_for_title "$clock" '^10:16:0[2-9]$' 15)
note "past the minute: $title"

# Face 0 lies at 20, 155, 72 x 72 in the dialog.
dialog=$(open_preferences "$clock")
xdotool mousemove --window "$dialog" 56 191 click 1
sleep 0.5
xdotool key Escape
wait_dialog_gone 3 "Escape did not close the dialog"
before=$(window_title "$clock")
sleep 1.2
after=$(window_title "$clock")
note "after the preferences: $before, then $after"
[ "$before" != "$after" ] || fail "the title stopped at $before"

kill -TERM "$APP_PID"
app_wait_exit 10
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS"
expect_settings "seiyuOn/Off=1,1,1,1,1,1,1,1,1,1,1,1" "alarmOn=0" "alarmHour=00" "alarmMin=00" \
    "alarmVoice=0" "voiceMode=0"
note "ok"
