#!/usr/bin/env bash
# Tab walks the preferences dialog by tab index: from the alarm switch to OK,
# キャンセル, 試聴, the sound list, the voice mode, the hour, the minute, the
# twelve name boxes and round to the alarm switch. Keys pressed along the way
# change the control that Tab reached, as OK then writes them back.
# shellcheck source=tests/endtoend/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "$@"

tabs() {
    local i
    for i in $(seq "$1"); do
        xdotool key Tab
    done
}

xvfb_start
app_start "2026-12-06 10:15:05"
clock=$(app_window)
wait_for_title "$clock" "$TIME_PATTERN" 10 >/dev/null

dialog=$(open_preferences "$clock")

# The alarm switch lies at 19, 15, 73 x 20: a click turns it on and focuses it.
xdotool mousemove --window "$dialog" 30 25 click 1
sleep 0.3
tabs 5                  # OK, キャンセル, 試聴, sound list, voice mode
xdotool key Down        # voice mode row 1
tabs 3                  # hour, minute, name box 0
xdotool key space       # actor 1 off
tabs 11                 # name box 11
xdotool key space       # actor 12 off
tabs 1                  # the alarm switch again
xdotool key space       # alarm off
tabs 4                  # OK, キャンセル, 試聴, sound list
xdotool key Down        # sound row 1
xdotool key Return      # OK
wait_dialog_gone 3 "Return did not press OK"

send_keys "$clock" ctrl+q
app_wait_exit 5
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS"
expect_settings "seiyuOn/Off=0,1,1,1,1,1,1,1,1,1,1,0" "alarmOn=0" "alarmHour=00" "alarmMin=00" \
    "alarmVoice=1" "voiceMode=1"
note "ok"
