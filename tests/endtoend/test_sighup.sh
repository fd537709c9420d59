#!/usr/bin/env bash
# A hangup (the terminal closing, a logout) quits as SIGTERM does: the clock
# window closes, the settings are written back whole and the status is 0,
# with or without the preferences dialog open.
# shellcheck source=tests/endtoend/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "$@"

settings=("seiyuOn/Off=0,1,1,1,1,1,1,1,1,1,1,1" "alarmOn=1" "alarmHour=06" "alarmMin=30"
    "alarmVoice=3" "voiceMode=1")

xvfb_start
audio_start "$WORK/audio"
for with_dialog in no yes; do
    start_with_settings_then_drop "$with_dialog" "${settings[@]}"
    kill -HUP "$APP_PID"
    app_wait_exit 15
    [ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS after SIGHUP (dialog open: $with_dialog)"
    expect_settings "${settings[@]}"
done
note "ok"
