#!/usr/bin/env bash
# The real program's sounds on a recorded null sink, at a faked 07:30 whose
# time announcement has twelve schedule lines: the minute starts twelve plays
# of one clip, heard whole; a click in the window replays the minute. The
# sound server then stops in the middle of a clip: the clock goes on, the
# skipped plays are said once, and once a server runs again the next clip is
# heard. A quit while clips play ends with status 0. Last, a minute with
# 1000 matching lines neither holds up the clock nor floods the server.
# shellcheck source=tests/endtoend/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "$@"

TONE_HZ=600
TONE_S=1.5
# Where a click lands: inside the picture, below the menu bar.
CLICK_X=100
CLICK_Y=200

# A copy of the program in an installation of its own, whose schedule and
# clips this test makes.
root=$WORK/root
data=$root/velka-namro/Payload/'Velka Namro 2 HD.app'
mkdir -p "$root/bin" "$root/Resources" "$data/Photos" "$data/Sounds/Alarm" "$data/Sounds/Serif" "$data/Sounds/Time"
cp "$APP" "$root/bin/"
APP=$root/bin/talking-clock
: >"$root/Resources/ActMain.txt"
: >"$root/Resources/ActSerif.txt"
: >"$root/Resources/Alarm.txt"
schedule() { # <minute key> <lines>
    local i
    for i in $(seq "$2"); do printf '%s\t%d\r' "$1" $(((i - 1) % 12 + 1)); done
}
{ schedule 0730 12; schedule 0731 1000; } >"$root/Resources/ActTime.txt"
# Quiet enough that twelve at once do not clip.
audio_make_tone "$data/Sounds/Time/0730.mp3" $TONE_HZ $TONE_S 0.05 || fail "no tone"
cp "$data/Sounds/Time/0730.mp3" "$data/Sounds/Time/0731.mp3"
write_settings "seiyuOn/Off=1,1,1,1,1,1,1,1,1,1,1,1" "alarmOn=0" "alarmHour=00" "alarmMin=00" \
    "alarmVoice=0" "voiceMode=2"

click() {
    xdotool mousemove --window "$window" $CLICK_X $CLICK_Y click 1
}

# The program's streams on the server now.
program_streams() {
    pactl list sink-inputs 2>/dev/null | grep -c 'application.name = "talking-clock"' || true
}

# expect_tone_whole <raw file> <label>: one burst of the tone, whole.
expect_tone_whole() {
    local spans hz onset active gap
    spans=$(audio_tone_spans "$1" $TONE_HZ)
    note "$2: $(echo "$spans" | tr '\n' ';')"
    [ "$(echo "$spans" | wc -l)" -eq 1 ] || fail "$2: the tone was heard in pieces: $spans"
    read -r hz onset active gap _ <<<"$spans"
    [ "$onset" != -1 ] || fail "$2: the tone was not heard"
    awk -v a="$active" -v t=$TONE_S 'BEGIN { exit !(a >= t - 0.05) }' || fail "$2: heard $active s of $TONE_S s"
    awk -v g="$gap" 'BEGIN { exit !(g <= 0.01) }' || fail "$2: a dropout of $gap s"
}

# Ticks go on: titles a second apart, none skipped, for about $1 seconds.
expect_ticking() {
    local i title last= seen=0
    for i in $(seq $(($1 * 20))); do
        title=$(window_title "$window")
        if [ "$title" != "$last" ]; then
            if [ -n "$last" ]; then
                local step=$((10#${title:6:2} - 10#${last:6:2}))
                [ $step -eq 1 ] || [ $step -eq -59 ] || fail "the title jumped from $last to $title"
            fi
            last=$title
            seen=$((seen + 1))
        fi
        sleep 0.05
    done
    [ $seen -ge "$1" ] || fail "the title changed $seen times in $1 s"
}

xvfb_start
audio_start "$WORK/audio"

# The minute's twelve plays, then the same again after a click.
audio_record_start "$WORK/first.raw"
app_start "2026-12-06 07:30:05"
window=$(app_window)
wait_for_title "$window" '^07:30:' 10 >/dev/null
sleep 0.5
streams=$(program_streams)
note "streams while the minute plays: $streams"
[ "$streams" -eq 12 ] || fail "$streams streams play the minute's twelve lines"
sleep 2
audio_record_stop
expect_tone_whole "$WORK/first.raw" "twelve at the minute"

# The server stops 0.4 s into the replayed clip.
click
sleep 0.9
audio_stop
expect_ticking 2
click
sleep 1.2
click
sleep 1
app_running || fail "the program ended without its sound server"
said=$(grep -c "no sound server" "$WORK/app.log" || true)
[ "$said" -eq 1 ] || fail "the missing server was said $said times"

# A server again, on the same socket: the next clip is heard.
audio_start "$WORK/audio"
audio_record_start "$WORK/after.raw"
sleep 0.2
click
# The next tick plays it once the program has connected again: give a loaded
# machine time for both before the whole tone is looked for.
sleep 3.5
audio_record_stop
expect_tone_whole "$WORK/after.raw" "after the restart"

# A quit while the twelve play.
click
sleep 0.8
[ "$(program_streams)" -eq 12 ] || fail "no streams playing at the quit"
send_keys "$window" ctrl+q
app_wait_exit 10
[ "$APP_STATUS" -eq 0 ] || fail "quit while playing: exit status $APP_STATUS"

# 07:31 has a thousand matching lines.
audio_record_start "$WORK/thousand.raw"
app_start "2026-12-06 07:31:05"
window=$(app_window)
wait_for_title "$window" '^07:31:' 10 >/dev/null
sleep 0.3
streams=$(program_streams)
note "streams for a thousand lines: $streams"
[ "$streams" -ge 1 ] && [ "$streams" -le 16 ] || fail "$streams streams for a thousand lines"
expect_ticking 2
audio_record_stop
expect_tone_whole "$WORK/thousand.raw" "a thousand lines"
send_keys "$window" ctrl+q
app_wait_exit 10
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS"
note "ok"
