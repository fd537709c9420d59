#!/usr/bin/env bash
# The whole of the minute's photo shows below the menu bar: a 300 x 400 photo
# with a red band over its top 40 rows and a green one over its bottom 40
# fills a 384 x 512 picture area, 51 red rows at the top and 51 green rows at
# the bottom, nothing hidden under the menu bar; at "小" the same in 192 x 256.
# shellcheck source=tests/endtoend/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "$@"

# A private app root: the program, the build's lists and a data folder that
# holds only the photo of 10:15.
root=$WORK/root
photos="$root/velka-namro/Payload/Velka Namro 2 HD.app/Photos"
mkdir -p "$root/bin" "$photos"
cp "$APP" "$root/bin/"
ln -s "$BUILD_DIR/Resources" "$root/Resources"
APP=$root/bin/talking-clock
convert -size 300x400 xc:'#0000ff' -fill '#ff0000' -draw 'rectangle 0,0 299,39' \
    -fill '#00ff00' -draw 'rectangle 0,360 299,399' -quality 100 "$photos/1015.jpg"

# row_colours <image> <x>: one letter per row of that column: r, g, b or -.
row_colours() {
    convert "$1" -crop "1x100000+$2+0" +repage -depth 8 txt:- |
        sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' |
        while read -r hex; do
            r=$((0x${hex:0:2})) g=$((0x${hex:2:2})) b=$((0x${hex:4:2}))
            if [ $r -gt 180 ] && [ $g -lt 90 ] && [ $b -lt 90 ]; then echo r
            elif [ $g -gt 180 ] && [ $r -lt 90 ] && [ $b -lt 90 ]; then echo g
            elif [ $b -gt 180 ] && [ $r -lt 90 ] && [ $g -lt 90 ]; then echo b
            else echo -; fi
        done | tr -d '\n'
}

xvfb_start
app_start "2026-12-06 10:15:05"
clock=$(app_window)
wait_for_title "$clock" "$TIME_PATTERN" 10 >/dev/null

# expect_whole_photo <width> <height> <red and green rows>: the photo fills
# a picture area of that size below the menu bar.
expect_whole_photo() {
    local column= above upto top bottom red green width height
    for _ in $(seq 30); do
        read -r width height < <(window_size "$clock")
        if [ "$width" -eq "$1" ]; then
            screenshot "$clock" "$WORK/clock.png"
            column=$(row_colours "$WORK/clock.png" $(($1 / 2)))
            [[ $column == *r*g* ]] && break
        fi
        sleep 0.2
    done
    [[ $column == *r*g* ]] || fail "the photo did not show: $column"
    red=$(tr -cd r <<<"$column" | wc -c)
    green=$(tr -cd g <<<"$column" | wc -c)
    above=${column%%r*}
    upto=${column%g*}
    top=${#above}
    bottom=${#upto}
    note "window $width x $height: photo rows $top to $bottom, $red red, $green green"
    [ "$width" -eq "$1" ] || fail "window width $width, expected $1"
    [ $((bottom - top + 1)) -eq "$2" ] || fail "the photo shows on $((bottom - top + 1)) rows, expected $2"
    [ $((red - $3)) -ge -1 ] && [ $((red - $3)) -le 1 ] || fail "$red red rows, expected $3"
    [ $((green - $3)) -ge -1 ] && [ $((green - $3)) -le 1 ] || fail "$green green rows, expected $3"
}

expect_whole_photo 384 512 51
send_keys "$clock" ctrl+1  # "小"
expect_whole_photo 192 256 26
note "ok"
