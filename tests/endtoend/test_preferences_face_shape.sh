#!/usr/bin/env bash
# A face photo keeps its shape in the preferences dialog: a 40 x 200 magenta
# face shrinks to about 14 x 72 and stands centred in its 72 x 72 well, not
# squashed to 40 x 72.
# shellcheck source=tests/endtoend/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "$@"
private_app_root

rm -f "$DATA_FOLDER/Photos/face01.jpg"
convert -size 40x200 xc:'#ff00ff' -quality 100 "$DATA_FOLDER/Photos/face01.jpg"

# magenta_runs <image> <row|column> <index> <from> <count>: the first
# magenta pixel's offset from <from> along that line, and how many there are.
magenta_runs() {
    local crop
    if [ "$2" = row ]; then crop="${5}x1+$4+$3"; else crop="1x$5+$3+$4"; fi
    convert "$1" -crop "$crop" +repage -depth 8 txt:- |
        sed -n 's/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' |
        awk '$1 > 180 && $3 > 180 && $2 < 90 { if (first == "") first = NR - 1; n++ }
             END { print (first == "" ? -1 : first), n + 0 }'
}

xvfb_start
app_start "2026-12-06 10:15:05"
clock=$(app_window)
wait_for_title "$clock" "$TIME_PATTERN" 10 >/dev/null
dialog=$(open_preferences "$clock")
sleep 0.5
screenshot "$dialog" "$WORK/dialog.png"

# Face 0's well lies at 20, 155, 72 x 72 in the dialog.
read -r left wide < <(magenta_runs "$WORK/dialog.png" row 191 20 72)
read -r top tall < <(magenta_runs "$WORK/dialog.png" column 56 155 72)
note "face: $wide wide from $left, $tall tall from $top in its well"
[ "$wide" -ge 12 ] && [ "$wide" -le 16 ] || fail "the face is $wide px wide, expected about 14"
[ "$tall" -ge 70 ] || fail "the face is $tall px tall, expected 72"
[ $((2 * left + wide - 72)) -ge -2 ] && [ $((2 * left + wide - 72)) -le 2 ] ||
    fail "the face is not centred: $left px from the well's left, $wide wide"

send_keys "$dialog" Escape
send_keys "$clock" ctrl+q
app_wait_exit 15
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS"
note "ok"
