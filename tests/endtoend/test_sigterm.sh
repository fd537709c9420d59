#!/usr/bin/env bash
# SIGTERM closes the clock window like a quit: the settings that were read
# at the start are written back whole and the program ends with status 0.
# shellcheck source=tests/endtoend/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "$@"

settings=("seiyuOn/Off=1,0,1,1,1,1,1,1,1,1,1,0" "alarmOn=1" "alarmHour=23" "alarmMin=58"
    "alarmVoice=5" "voiceMode=2")
write_settings "${settings[@]}"

xvfb_start
audio_start "$WORK/audio"
app_start
window=$(app_window)
wait_for_title "$window" "$TIME_PATTERN" 10 >/dev/null

# Read once at the start, so only the close can bring the file back.
rm "$SETTINGS_FILE"
kill -TERM "$APP_PID"
app_wait_exit 15
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS"
expect_settings "${settings[@]}"
note "ok"
