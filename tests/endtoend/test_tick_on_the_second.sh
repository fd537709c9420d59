#!/usr/bin/env bash
# The title turns with the wall clock's second: on the real clock, every
# change of the clock window's title is seen within a few milliseconds after
# the whole second it shows. Prints the delays (what the tick takes plus the
# X server's notice to xprop).
# shellcheck source=tests/endtoend/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "$@"

SECONDS_WATCHED=8
MEDIAN_LIMIT_MS=10
MAX_LIMIT_MS=100

write_settings "seiyuOn/Off=1,1,1,1,1,1,1,1,1,1,1,1" "alarmOn=0" "alarmHour=00" "alarmMin=00" \
    "alarmVoice=0" "voiceMode=3"
xvfb_start
app_start
window=$(app_window)
wait_for_title "$window" "$TIME_PATTERN" 10 >/dev/null

# Each title as it changes, stamped when xprop reports it.
mkfifo "$WORK/spy"
while IFS= read -r line; do echo "$EPOCHREALTIME $line"; done <"$WORK/spy" >"$WORK/titles" &
stamper=$!
xprop -spy -id "$window" _NET_WM_NAME >"$WORK/spy" 2>/dev/null &
spy=$!
sleep "$SECONDS_WATCHED"
kill "$spy"
wait "$spy" "$stamper" 2>/dev/null || true

# Past the whole second of the stamp, in ms; the title must show that second.
# xprop prints the title at its start and whenever any property of the
# window changes: only a new title counts. The first tick, from the layout's
# 00:00:00, may come at a half second.
delays=$(awk -F'"' '$2 == last { next } { seen = last; last = $2 } seen != "" && seen != "00:00:00" {
        split($1, stamp, " "); split(stamp[1], part, ".")
        t = part[1]; s = strftime("%S", t)
        if (substr($2, 7, 2) != s) { print "wrong " $2 " at " strftime("%T", t) "." part[2]; next }
        print int(substr(part[2], 1, 3))
    }' "$WORK/titles")
grep -q wrong <<<"$delays" && fail "a title showed another second than the clock: $(grep wrong <<<"$delays" | head -n 3)"
count=$(wc -w <<<"$delays")
[ "$count" -ge $((SECONDS_WATCHED - 2)) ] || fail "only $count title changes in $SECONDS_WATCHED s"
read -r median max < <(tr ' ' '\n' <<<"$delays" | sort -n |
    awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)], v[NR] }')
note "title changes $count; ms after the second: $(tr '\n' ' ' <<<"$delays")"
note "median $median ms, max $max ms"
[ "$median" -le "$MEDIAN_LIMIT_MS" ] || fail "the title turns $median ms after the second (median)"
[ "$max" -le "$MAX_LIMIT_MS" ] || fail "a title turned $max ms after the second"

send_keys "$window" ctrl+q
app_wait_exit 15
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS"
note "ok"
