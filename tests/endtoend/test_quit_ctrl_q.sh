#!/usr/bin/env bash
# Ctrl+Q on a first run: the clock window opens at the data folder's start
# size, shows the current time, and on Ctrl+Q writes the default settings
# and ends with status 0.
# shellcheck source=tests/endtoend/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "$@"

seconds_of_day() {
    local h m s
    IFS=: read -r h m s <<<"$1"
    echo $((10#$h * 3600 + 10#$m * 60 + 10#$s))
}

xvfb_start
audio_start "$WORK/audio"
app_start
window=$(app_window)

expect_picture_size "$window" 384 512  # the HD data folder's start size

# Until the first tick the title is the layout's 00:00:00.
title=$(wait_for_title "$window" "$TIME_PATTERN" 10)
for _ in $(seq 30); do
    [ "$title" != "00:00:00" ] && break
    sleep 0.1
    title=$(window_title "$window")
done
now=$(date +%T)
note "title $title at $now"
drift=$(( ($(seconds_of_day "$now") - $(seconds_of_day "$title") + 86400) % 86400 ))
[ "$drift" -le 3 ] || fail "title $title is not the time of day ($now)"

[ ! -e "$SETTINGS_FILE" ] || fail "settings written before the program ended"
send_keys "$window" ctrl+q
app_wait_exit 15
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS"
expect_settings "seiyuOn/Off=1,1,1,1,1,1,1,1,1,1,1,1" "alarmOn=0" "alarmHour=00" "alarmMin=00" \
    "alarmVoice=0" "voiceMode=0"
note "ok"
