#!/usr/bin/env bash
# Without a data folder: the clock window keeps its layout (a 320 x 480
# picture area, titled 00:00:00) while the message box says the data are
# missing; dismissing it ends the program with status 0 and the settings
# written as usual. SIGTERM
# while the message shows ends it the same way within a second, and the
# settings read behind the message are written back, not the defaults.
# shellcheck source=tests/endtoend/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "$@"

# An installation of the executable alone: no Resources, no data folder.
mkdir -p "$WORK/app/bin"
cp "$APP" "$WORK/app/bin/"
APP=$WORK/app/bin/talking-clock

# Sets clock and box to the two windows: the clock and the message in front.
wait_for_message() {
    clock= box=
    for _ in $(seq 100); do
        for wid in $(xdotool search --onlyvisible --class talking-clock 2>/dev/null || true); do
            if [ "$(window_title "$wid")" = "00:00:00" ]; then clock=$wid; else box=$wid; fi
        done
        [ -n "$clock" ] && [ -n "$box" ] && return 0
        sleep 0.1
    done
    [ -n "$clock" ] || fail "no clock window titled 00:00:00"
    fail "no message box"
}

xvfb_start
app_start
wait_for_message
expect_picture_size "$clock" 320 480  # the layout's size

sleep 1  # the clock does not tick while the message is up
[ "$(window_title "$clock")" = "00:00:00" ] || fail "the clock ticked behind the message box"
app_running || fail "the program ended before the message was dismissed"

send_keys "$box" Return
app_wait_exit 15
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS"
expect_settings "seiyuOn/Off=1,1,1,1,1,1,1,1,1,1,1,1" "alarmOn=0" "alarmHour=00" "alarmMin=00" \
    "alarmVoice=0" "voiceMode=0"

# A logout sends SIGTERM, then SIGKILL: nobody presses Return. "05" is
# written back as "5", so the file is seen to be written, not left alone.
write_settings "seiyuOn/Off=1,0,1,1,1,1,1,1,1,1,1,0" "alarmOn=1" "alarmHour=23" "alarmMin=58" \
    "alarmVoice=05" "voiceMode=2"
app_start
wait_for_message
kill -TERM "$APP_PID"
for _ in $(seq 10); do
    app_running || break
    sleep 0.1
done
app_running && fail "the program still runs 1 s after SIGTERM over the message box"
app_wait_exit 1
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS after SIGTERM"
expect_settings "seiyuOn/Off=1,0,1,1,1,1,1,1,1,1,1,0" "alarmOn=1" "alarmHour=23" "alarmMin=58" \
    "alarmVoice=5" "voiceMode=2"
note "ok"
