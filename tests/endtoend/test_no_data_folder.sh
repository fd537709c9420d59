#!/usr/bin/env bash
# Without a data folder: the clock window keeps its layout (320 x 480, titled
# 00:00:00) while the message box says the data are missing; dismissing it
# ends the program with status 0 and the settings written as usual.
# shellcheck source=tests/endtoend/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "$@"

# An installation of the executable alone: no Resources, no data folder.
mkdir -p "$WORK/app/bin"
cp "$APP" "$WORK/app/bin/"
APP=$WORK/app/bin/talking-clock

xvfb_start
app_start

# Two windows appear: the clock and the message box in front of it.
clock= box=
for _ in $(seq 100); do
    for wid in $(xdotool search --onlyvisible --class talking-clock 2>/dev/null || true); do
        if [ "$(window_title "$wid")" = "00:00:00" ]; then clock=$wid; else box=$wid; fi
    done
    [ -n "$clock" ] && [ -n "$box" ] && break
    sleep 0.1
done
[ -n "$clock" ] || fail "no clock window titled 00:00:00"
[ -n "$box" ] || fail "no message box"
read -r width height < <(window_size "$clock")
[ "$width $height" = "320 480" ] || fail "clock window $width x $height, expected the layout's 320 x 480"

sleep 1  # the clock does not tick while the message is up
[ "$(window_title "$clock")" = "00:00:00" ] || fail "the clock ticked behind the message box"
app_running || fail "the program ended before the message was dismissed"

send_keys "$box" Return
app_wait_exit 15
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS"
expect_settings "seiyuOn/Off=1,1,1,1,1,1,1,1,1,1,1,1" "alarmOn=0" "alarmHour=00" "alarmMin=00" \
    "alarmVoice=0" "voiceMode=0"
note "ok"
