#!/usr/bin/env bash
# The preferences through the File menu: the dialog opens modally in front
# of the clock, a click on the first actor's face makes that actor's picture
# the clock's background at once, Escape cancels the dialog and the picture
# stays; Ctrl+Q then ends the program with status 0.
# shellcheck source=tests/endtoend/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "$@"

xvfb_start
app_start "2026-12-06 10:15:05"  # far from the next minute's photo
clock=$(app_window)
wait_for_title "$clock" "$TIME_PATTERN" 10 >/dev/null

dialog=$(open_preferences "$clock")
read -r width height < <(window_size "$dialog")
[ "$width $height" = "385 706" ] || fail "dialog $width x $height, expected 385 x 706"

# Face 0 lies at 20, 155, 72 x 72 in the dialog.
xdotool mousemove --window "$dialog" 56 191 click 1
sleep 0.5
xdotool key Escape
wait_dialog_gone 3 "Escape did not close the dialog"

# The clock's picture area (384 x 512, below the menu bar) shows
# noimage01.jpg (384 x 512) pixel for pixel.
screenshot "$clock" "$WORK/clock.png"
read -r _ height < <(window_size "$clock")
expected=$(pixel_of "$DATA_FOLDER/Photos/noimage01.jpg" 200 300)
shown=$(pixel_of "$WORK/clock.png" 200 $((height - 512 + 300)))
note "noimage01 $expected, clock $shown"
[ "$(colour_distance "$expected" "$shown")" -le 24 ] || fail "the clock does not show the clicked face's picture"

send_keys "$clock" ctrl+q
app_wait_exit 15
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS"
note "ok"
