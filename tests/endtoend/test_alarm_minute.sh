#!/usr/bin/env bash
# The alarm minute on a faked clock that starts at 07:29:50 and runs on:
# at 07:29 the time is announced and that minute's photo shown; at 07:30
# the title turns, the photo changes and the alarm sound (alarm01, an 800 Hz
# tone in the sample data) plays instead of the spoken line. Ctrl+Q then
# writes the settings back.
#
# Ten seconds before the minute leave the 07:29 announcement (about 2 s)
# time to end before the alarm starts, so the two are told apart.
# shellcheck source=tests/endtoend/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "$@"

ALARM_HZ=800
# The picture area is as large as the sample photos, so a point in it shows
# the photo's pixel at the same place. The probes lie in the photo's flat top
# and on both sides of its darker band, which starts at row 352: a photo
# moved up under the menu bar or down by its height fails one of them.
PICTURE_WIDTH=384
PICTURE_HEIGHT=512
PROBES=("60 150" "10 344" "10 360")

settings=("seiyuOn/Off=1,1,1,1,1,1,1,1,1,1,1,1" "alarmOn=1" "alarmHour=07" "alarmMin=30"
    "alarmVoice=0" "voiceMode=0")
write_settings "${settings[@]}"

photo_colour() {
    pixel_of "$DATA_FOLDER/Photos/$1.jpg" "$2" "$3"
}

# expect_photo <minute key>: the picture area shows that minute's photo.
expect_photo() {
    screenshot "$window" "$WORK/shot$1.png"
    local height bar probe x y shown expected
    read -r _ height < <(window_size "$window")
    bar=$((height - PICTURE_HEIGHT))
    for probe in "${PROBES[@]}"; do
        read -r x y <<<"$probe"
        shown=$(pixel_of "$WORK/shot$1.png" "$x" $((bar + y)))
        expected=$(photo_colour "$1" "$x" "$y")
        note "minute $1 at $x,$y: shown ($shown), photo ($expected)"
        [ "$(colour_distance "$shown" "$expected")" -le 30 ] ||
            fail "the picture area at $x,$y does not show the photo of minute $1"
    done
}

before=$(photo_colour 0729 60 150)
after=$(photo_colour 0730 60 150)
[ "$(colour_distance "$before" "$after")" -gt 90 ] || fail "sample photos 0729 and 0730 look alike"

xvfb_start
audio_start "$WORK/audio"
audio_record_start "$WORK/sound.raw"
app_start "2026-12-06 07:29:50"
window=$(app_window)
expect_picture_size "$window" "$PICTURE_WIDTH" "$PICTURE_HEIGHT"

wait_for_title "$window" '^07:29:5[0-9]$' 10 >/dev/null
sleep 1
expect_photo 0729

title=$(wait_for_title "$window" '^07:30:0[0-9]$' 15)
split=$(stat -c %s "$WORK/sound.raw")
note "title $title"
sleep 3
audio_record_stop

# The recording up to the turn of the minute, and from there on.
split=$((split / 2 * 2))
head -c "$split" "$WORK/sound.raw" >"$WORK/before.raw"
tail -c "+$((split + 1))" "$WORK/sound.raw" >"$WORK/after.raw"
level=$(peak_level "$WORK/before.raw")
note "07:29 peak level $level"
awk -v l="$level" 'BEGIN { exit !(l > 0.05) }' || fail "no time announcement at 07:29"
read -r _ onset active _ < <(audio_tone_spans "$WORK/after.raw" "$ALARM_HZ")
note "07:30 alarm tone from $onset s for $active s"
awk -v a="$active" 'BEGIN { exit !(a >= 1.0) }' || fail "the alarm tone did not play at 07:30"

expect_photo 0730

send_keys "$window" ctrl+q
app_wait_exit 15
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS"
expect_settings "${settings[@]}"
note "ok"
