#!/usr/bin/env bash
# Opening and closing the preferences a hundred times keeps no memory: each
# dialog's widgets go with it, Qt's caches of them included.
# shellcheck source=tests/endtoend/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "$@"

MAX_GROWTH_KB=400

rss_kb() {
    awk '/^VmRSS:/ { print $2 }' "/proc/$APP_PID/status"
}

# Alt takes the keyboard to the menu bar; Return opens "ファイル", Return
# chooses its first item, "環境設定...". Escape presses Cancel.
open_and_close() {
    local _
    xdotool key alt Return Return
    for _ in $(seq 100); do
        [ -n "$(dialog_shown)" ] && break
        sleep 0.05
    done
    [ -n "$(dialog_shown)" ] || fail "the preferences dialog did not open at opening $1"
    xdotool key Escape
    wait_dialog_gone 5 "Escape did not close the dialog at opening $1"
}

xvfb_start
audio_start "$WORK/audio"
# Early in a minute, so that no minute's photo or sound is loaded meanwhile.
app_start "2026-12-06 10:15:02"
window=$(app_window)
wait_for_title "$window" "$TIME_PATTERN" 10 >/dev/null
xdotool windowfocus --sync "$window"

# The first openings fill the caches that every later one shares.
for i in $(seq 10); do
    open_and_close "$i"
done
before=$(rss_kb)
for i in $(seq 100); do
    open_and_close "$((i + 10))"
done
after=$(rss_kb)
note "RSS ${before} kB before and ${after} kB after 100 openings: $((after - before)) kB more"
[ $((after - before)) -lt "$MAX_GROWTH_KB" ] || fail "RSS grew by $((after - before)) kB over 100 openings"

send_keys "$window" ctrl+q
app_wait_exit 15
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS"
note "ok"
