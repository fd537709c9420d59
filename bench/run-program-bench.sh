#!/usr/bin/env bash
# run-program-bench.sh <build dir>: the real talking-clock beside bare Qt
# programs built in this project (bench/baselines), under Xvfb with a private
# PulseAudio null sink and a faked wall clock. Prints one table row per
# measure: program, baseline, ratio, goal and PASS/FAIL, each the median of
# interleaved rounds (program, baseline, program, baseline...).
#
#   ROUNDS=N          rounds (default 5)
#   ROWS="1 2 …"      the rows to measure (default all, 1 to 13)
#   IDLE=S            seconds of the idle window (default 4; 56.5 makes row 4
#                     a real 60 s window)
#   LATER_OPENINGS=N  openings of the preferences after the first (default 3)
#   PAINT_STARTS=N    starts only to the first paint, per round (default 3)
#   LONG_ROUNDS=N     rounds of row 9, a minute each (default 2, at most ROUNDS)
#   LONG_FORMAT=wav   row 9's clip as WAV data under its .mp3 name (default mp3)
#   MANY_LINES=N      row 10's schedule lines for 07:30 (default 100000)
#   BIG_MB=N          rows 11 and 12's file size, 10^6 bytes (default 100)
#
# Every run's wall clock is the real one plus a whole number of seconds, so
# its minute 07:30 begins on a real whole second B, 5 s after the start. The
# starts are spread over the second (round i of n at (i - 0.5) / n s past
# it), as a user's clock starts at any moment (Qt's coarse 500 ms timers
# fall on the monotonic clock's half seconds instead, so where such a tick
# lands after the wall clock's second depends on the boot: tick_* in the
# output). Sound onsets are timed on the
# recording of the sink, paints and key presses as the processes say them
# (a small library preloaded into both), CPU by the kernel's CPU clocks of the
# process (all threads, ended ones too) and of its main thread, memory by
# VmHWM.
#
# The script fails when a row could not be measured, not when it misses its
# goal.
#
# A run sees one minute change with a 768 x 1024 photo and one clip (a 1 s
# tone; a 0.3 s tone at start-up keeps the process's first-clip warm-up out
# of row 2). CPU is measured from B - 0.5 s to B + 3 s (the minute's work)
# and over IDLE s after that; the idle rate stands for the rest of the
# minute. Row 7 runs a schedule of 1000 lines for 07:30. Rows 9 to 12 run
# the program on bigger inputs (bench/program-bench/scale-rows.sh), made once
# per run in the work folder.

set -euo pipefail
export LC_NUMERIC=C
BENCH_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/endtoend/lib.sh
source "$BENCH_DIR/../tests/endtoend/lib.sh"
# shellcheck source=bench/program-bench/timing.sh
source "$BENCH_DIR/program-bench/timing.sh"
# shellcheck source=bench/program-bench/approot.sh
source "$BENCH_DIR/program-bench/approot.sh"
# shellcheck source=bench/program-bench/scale-rows.sh
source "$BENCH_DIR/program-bench/scale-rows.sh"

ROUNDS=${ROUNDS:-5}
ROWS=${ROWS:-"1 2 3 4 5 6 7 8 9 10 11 12 13"}
IDLE=${IDLE:-4}
LATER_OPENINGS=${LATER_OPENINGS:-3}
PAINT_STARTS=${PAINT_STARTS:-3}
LONG_ROUNDS=${LONG_ROUNDS:-2}
MANY_LINES=${MANY_LINES:-100000}
BIG_BYTES=$((${BIG_MB:-100} * 1000000))
LEAD=5
CROWDED_LINES=1000
FAKE_BOUNDARY=$(date -d '2026-12-06 07:30:00' +%s)

row_wanted() {
    local row
    for row in "$@"; do
        [[ " $ROWS " == *" $row "* ]] && return 0
    done
    return 1
}

e2e_setup "$1"
PROBE=$BUILD_DIR/bench/bench-probe
BARE=$BUILD_DIR/bench/bench-bare-window
DECODE=$BUILD_DIR/bench/bench-decode-photo
DECODE_CLIP=$BUILD_DIR/bench/bench-decode-clip
for tool in "$PROBE" "$BARE" "$DECODE" "$DECODE_CLIP"; do
    [ -x "$tool" ] || fail "$tool is not built"
done
FIRST_PAINT_LIB=$BUILD_DIR/bench/libfirst-paint-report.so
FAKETIME_LIB=$(find /usr/lib -path '*/faketime/libfaketimeMT.so.1' | head -n 1)
[ -n "$FAKETIME_LIB" ] || fail "libfaketime is not installed"
RESULTS=$WORK/results
mkdir -p "$RESULTS"

# record <name> <value>: one more round's figure.
record() {
    echo "$2" >>"$RESULTS/$1"
}

# run_start <phase> <log> <command>...: starts one run on <phase> s past a
# real second (or now); RUN_B is the real second at which its minute 07:30
# begins.
run_start() {
    local phase=$1 log=$2
    shift 2
    [ "$phase" = now ] ||
        sleep_until "$(awk -v n="$EPOCHREALTIME" -v p="$phase" 'BEGIN { printf "%.6f", int(n) + 1 + p }')"
    RUN_B=$(($(date +%s) + LEAD))
    export XDG_CONFIG_HOME=$WORK/config
    SETTINGS_FILE="$XDG_CONFIG_HOME/velkaViewer2 Prefs"
    rm -rf "$XDG_CONFIG_HOME"
    mkdir -p "$XDG_CONFIG_HOME"
    write_settings "seiyuOn/Off=1,1,1,1,1,1,1,1,1,1,1,1" "alarmOn=0" "alarmHour=00" "alarmMin=00" \
        "alarmVoice=0" "voiceMode=2"
    RUN_LOG=$log
    cd "$WORK/cwd"
    # NO_FAKE_STAT: libfaketime would shift the files' times by this run's
    # offset; fontconfig would then take every font cache for stale, and each
    # start would scan all the fonts again (some 300 ms) and rewrite the caches.
    env LD_PRELOAD="$FAKETIME_LIB $FIRST_PAINT_LIB" FAKETIME="$(printf '%+d' $((FAKE_BOUNDARY - RUN_B)))" FAKETIME_DONT_FAKE_MONOTONIC=1 \
        NO_FAKE_STAT=1 \
        "$PROBE" exec "$WORK/started" "$@" >"$log" 2>&1 &
    APP_PID=$!
    cd - >/dev/null
}

run_stop() {
    title_spy_stop
    app_stop
}

# The run's window once it has painted: prints its id.
run_window() {
    local i wid
    for i in $(seq 200); do
        app_running || fail "$RUN_LOG: the program ended"
        if grep -qs '^first-paint ' "$RUN_LOG"; then
            wid=$(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | head -n 1 || true)
            if [ -n "$wid" ]; then
                echo "$wid"
                return 0
            fi
        fi
        sleep 0.05
    done
    fail "$RUN_LOG: no window within 10 s"
}

first_paint_ms() {
    awk -v s="$(cat "$WORK/started")" '/^first-paint / { printf "%.1f\n", ($2 - s) * 1000; exit }' "$RUN_LOG"
}

vm_hwm_mb() {
    awk '/^VmHWM:/ { printf "%.1f\n", $2 / 1024 }' "/proc/$APP_PID/status"
}

# CPU at B - 0.5 s, B + 3 s and B + 3 s + IDLE; rows 1, 4, 5, 8 and 13.
measure_minute() {
    local who=$1 c0 c1 c2
    sleep_until "$(awk -v b="$RUN_B" 'BEGIN { printf "%.3f", b - 0.5 }')"
    c0=$("$PROBE" cpu "$APP_PID")
    sleep_until "$((RUN_B + 3))"
    c1=$("$PROBE" cpu "$APP_PID")
    record "rss_$who" "$(vm_hwm_mb)"
    sleep_until "$(awk -v b="$RUN_B" -v w="$IDLE" 'BEGIN { printf "%.3f", b + 3 + w }')"
    c2=$("$PROBE" cpu "$APP_PID")
    read -r minute_all minute_main idle_all idle_main < <(awk -v a="$c0" -v b="$c1" -v c="$c2" 'BEGIN {
        split(a, x); split(b, y); split(c, z)
        print y[1] - x[1], y[2] - x[2], z[1] - y[1], z[2] - y[2] }')
    record "cpu_$who" "$(awk -v m="$minute_all" -v i="$idle_all" -v w="$IDLE" \
        'BEGIN { printf "%.1f\n", (m + i / w * (60 - 3.5)) * 1000 }')"
    record "work_$who" "$(awk -v m="$minute_main" -v i="$idle_main" -v w="$IDLE" \
        'BEGIN { printf "%.2f\n", (m - i / w * 3.5) * 1000 }')"
}

# Milliseconds from the key press that chose the menu item to the first
# paint of the <n>th dialog, once it has painted.
wait_dialog_painted() {
    local n=$1 i
    for i in $(seq 100); do
        if [ "$(grep -c '^first-paint .* 環境設定$' "$RUN_LOG" || true)" -ge "$n" ]; then
            awk -v n="$n" '/^key-press / { key = $2 }
                /^first-paint .* 環境設定$/ && ++seen == n { printf "%.1f\n", ($2 - key) * 1000; exit }' "$RUN_LOG"
            return 0
        fi
        sleep 0.05
    done
    return 1
}

dialog_window() {
    xdotool search --all --onlyvisible --pid "$APP_PID" --name '^環境設定$' 2>/dev/null | head -n 1 || true
}

# Opens the preferences from the File menu and closes them with キャンセル,
# once and then LATER_OPENINGS times; row 6.
measure_openings() {
    local who=$1 window=$2 n ms dialog i
    for n in $(seq $((LATER_OPENINGS + 1))); do
        xdotool windowfocus --sync "$window"
        xdotool mousemove --window "$window" 30 8 click 1
        sleep 0.3
        xdotool key Down
        xdotool key Return
        ms=$(wait_dialog_painted "$n") || fail "$RUN_LOG: the preferences did not open"
        if [ "$n" -eq 1 ]; then record "open_first_$who" "$ms"; else record "open_later_$who" "$ms"; fi
        sleep 0.2
        dialog=$(dialog_window)
        [ -n "$dialog" ] || fail "$RUN_LOG: no preferences window"
        xdotool mousemove --window "$dialog" 224 676 click 1
        for i in $(seq 60); do
            [ -z "$(dialog_window)" ] && break
            sleep 0.05
        done
        [ -z "$(dialog_window)" ] || fail "$RUN_LOG: キャンセル did not close the preferences"
    done
}

# One run of the program or of the bare window through the minute change.
round_main() {
    local who=$1 phase=$2 window
    shift 2
    run_start "$phase" "$WORK/$who.log" "$@"
    sound_onset_start "$(awk -v b="$RUN_B" 'BEGIN { printf "%.3f", b - 0.2 }')"
    window=$(run_window)
    record "paint_$who" "$(first_paint_ms)"
    title_spy_start "$window" "$WORK/$who.titles"
    row_wanted 1 2 4 5 8 13 && measure_minute "$who"
    if [ "$who" = program ] && row_wanted 2; then
        record onset_program "$(sound_onset_stop | awk -v b="$RUN_B" '{ if ($1 > 0) printf "%.1f\n", ($1 - b) * 1000; else print "n/a" }')"
    else
        sound_onset_stop >/dev/null
    fi
    row_wanted 6 && measure_openings "$who" "$window"
    title_spy_stop
    record "tick_$who" "$(title_lateness_ms "$WORK/$who.titles")"
    run_stop
}

# Row 3 again: start-up varies most with the machine's other load, so each
# round starts both programs PAINT_STARTS more times, only to their first paint.
round_paints() {
    local i
    for i in $(seq "$PAINT_STARTS"); do
        run_start now "$WORK/paint.log" "$WORK/root/bin/talking-clock"
        run_window >/dev/null
        record paint_program "$(first_paint_ms)"
        run_stop
        run_start now "$WORK/paint.log" "$BARE" "$WORK/root/velka-namro/Payload/Velka Namro 2 HD.app/Photos"
        run_window >/dev/null
        record paint_bare "$(first_paint_ms)"
        run_stop
    done
}

# Row 8: the program with 3000 x 4000 photos, peak memory after the change.
round_big() {
    run_start "$1" "$WORK/big.log" "$WORK/big/bin/talking-clock"
    run_window >/dev/null
    sleep_until "$((RUN_B + 3))"
    record rss_big "$(vm_hwm_mb)"
    run_stop
}

median() {
    [ -s "$RESULTS/$1" ] && median_of_lines <"$RESULTS/$1" || echo n/a
}

least() {
    [ -s "$RESULTS/$1" ] && sort -g "$RESULTS/$1" | head -n 1 || echo n/a
}

rounds_of() {
    [ -s "$RESULTS/$1" ] && paste -sd' ' "$RESULTS/$1" || echo n/a
}

# table_row <measure> <unit> <program> <baseline or -> <goal: "x1.3", "<=150" or ">=1">
table_row() {
    awk -v m="$1" -v u="$2" -v p="$3" -v b="$4" -v g="$5" 'BEGIN {
        ratio = "-"; result = "n/a"
        if (g ~ /^x/) {
            limit = substr(g, 2) + 0; goal = "<= " limit "x"
            if (p != "n/a" && b != "n/a" && b > 0) {
                r = p / b; ratio = sprintf("%.3fx", r); result = r <= limit ? "PASS" : "FAIL"
            }
        } else if (g ~ /^>=/) {
            limit = substr(g, 3) + 0; goal = ">= " limit " " u
            if (p != "n/a") result = p >= limit ? "PASS" : "FAIL"
        } else {
            limit = substr(g, 3) + 0; goal = "<= " limit " " u
            if (p != "n/a") result = p <= limit ? "PASS" : "FAIL"
        }
        bs = b == "-" ? "-" : b " " u
        printf "| %s | %s %s | %s | %s | %s | %s |\n", m, p, u, bs, ratio, goal, result }'
}

print_table() {
    echo
    echo "| measure | program | baseline | ratio | goal | result |"
    echo "|---|---|---|---|---|---|"
    row_wanted 1 && table_row "1. peak RSS, a clip having played (baseline: bare window)" MB \
        "$(median rss_program)" "$(median rss_bare)" x1.3
    row_wanted 2 && table_row "2. first audio after the wall-clock minute begins" ms "$(median onset_program)" - "<=150"
    row_wanted 3 && table_row "3. start to first paint (baseline: bare window)" ms \
        "$(median paint_program)" "$(median paint_bare)" x1.3
    row_wanted 4 && table_row "4. CPU per minute, all threads, one minute change (baseline: bare window)" ms \
        "$(median cpu_program)" "$(median cpu_bare)" x1.2
    row_wanted 5 && table_row "5. a minute's work, main thread (baseline: Qt decoding the photo alone)" ms \
        "$(median work_program)" "$(median decode_bare)" x1.25
    row_wanted 6 && table_row "6a. opening the preferences, first (baseline: widgets built directly)" ms \
        "$(median open_first_program)" "$(median open_first_bare)" x1.3
    row_wanted 6 && table_row "6b. opening the preferences, later (baseline: widgets built directly)" ms \
        "$(median open_later_program)" "$(median open_later_bare)" x1.3
    row_wanted 7 && table_row "7. $CROWDED_LINES schedule lines at one minute: longest title standstill less 1 s" ms \
        "$(standstill_less_second crowded)" - "<=100"
    row_wanted 8 && table_row "8. 3000 x 4000 photos, peak RSS (baseline: the 768 x 1024 case)" MB \
        "$(median rss_big)" "$(median rss_program)" x1.3
    print_scale_rows
    if row_wanted 3; then
        echo
        echo "Row 3 varies most: its fastest starts were program $(least paint_program) ms, bare window" \
            "$(least paint_bare) ms."
    fi
    echo
    echo "Rounds: $ROUNDS, medians. Every round's figures:"
    local name
    for name in "$RESULTS"/*; do
        printf '  %-20s %s\n' "$(basename "$name")" "$(rounds_of "$(basename "$name")")"
    done
    echo "  tick_*: ms from the whole second to the title change; gap_*: the longest standstill (a"
    echo "  standstill that lasts to the end of the window, B + 6 s, is cut there); threads_*: most"
    echo "  threads seen then; main_*: the main thread's CPU ms then; hwm_*: peak RSS, MB; rss8_long:"
    echo "  VmRSS 8 s into the long clip, MB"
}

bench_data "$BUILD_DIR/bench/data"
make_app_root "$WORK/root" 768x1024 "$BUILD_DIR/Resources/ActTime.txt"
if row_wanted 8; then
    make_app_root "$WORK/big" 3000x4000 "$BUILD_DIR/Resources/ActTime.txt"
fi
if row_wanted 7; then
    make_crowded_schedule "$WORK/crowded.txt" "$CROWDED_LINES"
    make_app_root "$WORK/crowded" 768x1024 "$WORK/crowded.txt"
fi
prepare_scale_rows
xvfb_start
audio_start "$WORK/audio"

for round in $(seq "$ROUNDS"); do
    phase=$(awk -v r="$round" -v n="$ROUNDS" 'BEGIN { printf "%.3f", (r - 0.5) / n }')
    note "round $round of $ROUNDS (start $phase s past the second)"
    if row_wanted 1 2 3 4 5 6 8 13; then
        round_main program "$phase" "$WORK/root/bin/talking-clock"
    fi
    if row_wanted 1 3 4 6 13; then
        round_main bare "$phase" "$BARE" "$WORK/root/velka-namro/Payload/Velka Namro 2 HD.app/Photos"
    fi
    if row_wanted 3; then
        round_paints
    fi
    if row_wanted 5 13; then
        record decode_bare "$("$DECODE" "$BENCH_DATA/768x1024-0730.jpg")"
    fi
    if row_wanted 13; then
        record clip_bare "$("$DECODE_CLIP" "$BENCH_DATA/tone-0730.mp3")"
    fi
    if row_wanted 8; then
        round_big "$phase"
    fi
    if row_wanted 7; then
        round_standstill crowded "$WORK/crowded" "$phase"
    fi
    if row_wanted 9 && [ "$round" -le "$LONG_ROUNDS" ]; then
        round_long "$phase"
    fi
    if row_wanted 10; then
        round_standstill many "$WORK/many" "$phase"
    fi
    if row_wanted 11; then
        round_standstill bigsched "$WORK/bigsched" "$phase"
    fi
    if row_wanted 12; then
        round_list_start bigactors "$WORK/bigactors"
        round_list_start bigalarms "$WORK/bigalarms"
    fi
done
print_table | tee "$WORK/table"
if grep -q '| n/a |$' "$WORK/table"; then
    fail "some rows could not be measured"
fi
