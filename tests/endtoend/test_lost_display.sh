#!/usr/bin/env bash
# The X server goes away under the running clock, with or without the
# preferences dialog open: the toolkit ends the program, which still writes
# its settings and ends without a crash.
# shellcheck source=tests/endtoend/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "$@"

settings=("seiyuOn/Off=1,1,0,1,1,1,1,1,1,1,1,0" "alarmOn=1" "alarmHour=12" "alarmMin=15"
    "alarmVoice=7" "voiceMode=2")

audio_start "$WORK/audio"
for with_dialog in no yes; do
    xvfb_start
    start_with_settings_then_drop "$with_dialog" "${settings[@]}"
    kill -KILL "$XVFB_PID"
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
    app_wait_exit 15
    note "exit status $APP_STATUS with the display gone (dialog open: $with_dialog)"
    [ "$APP_STATUS" -lt 128 ] || fail "killed by signal $((APP_STATUS - 128)) (dialog open: $with_dialog)"
    expect_settings "${settings[@]}"
done
note "ok"
