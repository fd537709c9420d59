#!/usr/bin/env bash
# The real executable, built with AddressSanitizer, UndefinedBehaviorSanitizer
# and LeakSanitizer, under Xvfb with a PulseAudio null sink: ended by Ctrl+Q
# and by SIGTERM, it exits with status 0 and no sanitizer report.
#
#   test_program_clean.sh <sanitized build dir, with sample data>
# shellcheck source=tests/endtoend/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../endtoend/lib.sh"
e2e_setup "$@"
grep -qx 'TALKINGCLOCK_SANITIZE:BOOL=ON' "$BUILD_DIR/CMakeCache.txt" ||
    fail "$BUILD_DIR is not a sanitized build"

SUPPRESSIONS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lsan.supp
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$SUPPRESSIONS:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# expect_clean_exit <how it was ended>
expect_clean_exit() {
    app_wait_exit 20
    if grep -q -e 'Sanitizer' -e 'runtime error:' "$WORK/app.log"; then
        fail "a sanitizer report after $1"
    fi
    [ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS after $1"
}

xvfb_start
audio_start "$WORK/audio"

app_start
window=$(app_window)
wait_for_title "$window" "$TIME_PATTERN" 15 >/dev/null
send_keys "$window" ctrl+q
expect_clean_exit "Ctrl+Q"

app_start
window=$(app_window)
wait_for_title "$window" "$TIME_PATTERN" 15 >/dev/null
kill -TERM "$APP_PID"
expect_clean_exit "SIGTERM"
note "ok"
