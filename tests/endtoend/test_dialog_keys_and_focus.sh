#!/usr/bin/env bash
# The preferences dialog as a keyboard user meets it: it is transient for the
# clock and placed over it; Return and Escape in an open list only pick or
# close the list; Return with no list open is OK; the keyboard then belongs
# to the clock again, so Ctrl+Q ends the program with no click between.
# shellcheck source=tests/endtoend/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "$@"

xvfb_start
app_start "2026-12-06 10:15:05"
clock=$(app_window)
wait_for_title "$clock" "$TIME_PATTERN" 10 >/dev/null
# Away from the screen's corner, where a window without a parent would go.
xdotool windowmove --sync "$clock" 400 100

dialog=$(open_preferences "$clock")

transient=$(xprop -id "$dialog" WM_TRANSIENT_FOR | sed -n 's/.*window id # //p')
note "dialog $dialog transient for '${transient:-nothing}', clock $clock"
[ -n "$transient" ] && [ $((transient)) -eq "$clock" ] || fail "the dialog is not transient for the clock"
eval "$(xdotool getwindowgeometry --shell "$clock" | sed 's/^/CLOCK_/')"
eval "$(xdotool getwindowgeometry --shell "$dialog" | sed 's/^/DIALOG_/')"
centre=$((DIALOG_X + DIALOG_WIDTH / 2))
note "clock x $CLOCK_X width $CLOCK_WIDTH, dialog centre x $centre"
[ "$centre" -ge "$CLOCK_X" ] && [ "$centre" -le $((CLOCK_X + CLOCK_WIDTH)) ] || fail "the dialog is not over the clock"

# The hour list lies at 105, 16, 71 x 20 in the dialog and shows "00".
xdotool mousemove --window "$dialog" 140 26 click 1
sleep 0.5
xdotool key Down Return
sleep 0.5
[ -n "$(dialog_shown)" ] || fail "Return in the open hour list closed the dialog"
xdotool mousemove --window "$dialog" 140 26 click 1
sleep 0.5
xdotool key Down Escape
sleep 0.5
[ -n "$(dialog_shown)" ] || fail "Escape in the open hour list closed the dialog"

xdotool key Return
wait_dialog_gone 3 "Return did not press OK"

# No click and no focus request: the keys go wherever the program left them.
sleep 0.5
xdotool key ctrl+q
app_wait_exit 5
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS"
expect_settings "seiyuOn/Off=1,1,1,1,1,1,1,1,1,1,1,1" "alarmOn=0" "alarmHour=01" "alarmMin=00" \
    "alarmVoice=0" "voiceMode=0"
note "ok"
