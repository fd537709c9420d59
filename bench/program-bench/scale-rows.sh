# shellcheck shell=bash
# The rows of run-program-bench.sh that grow an input: a long clip, many
# schedule lines, big lists. Each round is one run of the program in its own
# app root (made by prepare_scale_rows, removed with the work folder).

LONG_FORMAT=${LONG_FORMAT:-mp3}

# Nothing once the program has ended.
vm_rss_kb() {
    awk '/^VmRSS:/ { print $2 }' "/proc/$APP_PID/status" 2>/dev/null || true
}

mebibytes() {
    awk -v b="$1" 'BEGIN { printf "%.1f\n", b / 1048576 }'
}

# The app roots of the wanted rows; the big files are made once per run.
prepare_scale_rows() {
    local root
    if row_wanted 9; then
        make_app_root "$WORK/long" 768x1024 "$BUILD_DIR/Resources/ActTime.txt"
        if [ "$LONG_FORMAT" = wav ]; then
            make_long_clip "$WORK/long-0730.wav" 300 wav
            set_clip "$WORK/long" 0730 "$WORK/long-0730.wav"
        else
            [ -s "$BENCH_DATA/long-0730.mp3" ] || make_long_clip "$BENCH_DATA/long-0730.mp3" 300
            set_clip "$WORK/long" 0730 "$BENCH_DATA/long-0730.mp3"
        fi
    fi
    if row_wanted 10; then
        make_crowded_schedule "$WORK/many.txt" "$MANY_LINES"
        make_app_root "$WORK/many" 768x1024 "$WORK/many.txt"
        rm "$WORK/many.txt"
    fi
    if row_wanted 11; then
        make_app_root "$WORK/bigsched" 768x1024 "$BUILD_DIR/Resources/ActTime.txt"
        make_big_schedule "$WORK/bigsched/Resources/ActTime.txt" "$BIG_BYTES"
    fi
    if row_wanted 12; then
        for root in bigactors bigalarms; do
            make_app_root "$WORK/$root" 768x1024 "$BUILD_DIR/Resources/ActTime.txt"
        done
        make_big_list "$BUILD_DIR/Resources/ActMain.txt" "$BIG_BYTES" "$WORK/bigactors/Resources/ActMain.txt"
        make_big_list "$BUILD_DIR/Resources/Alarm.txt" "$BIG_BYTES" "$WORK/bigalarms/Resources/Alarm.txt"
    fi
}

# Row 9: a 5-minute clip at 07:30. VmRSS 8 s and 60 s after the minute began
# (its clip begins within the onset of row 2), and whether the sink still
# has sound from B + 59.5 s to B + 60.5 s.
round_long() {
    local early late onset
    run_start "$1" "$WORK/long.log" "$WORK/long/bin/talking-clock"
    run_window >/dev/null
    sleep_until "$((RUN_B + 8))"
    early=$(vm_rss_kb)
    sleep_until "$((RUN_B + 59))"
    sound_onset_start "$(awk -v b="$RUN_B" 'BEGIN { printf "%.3f", b + 59.5 }')"
    sleep_until "$((RUN_B + 60))"
    late=$(vm_rss_kb)
    sleep_until "$(awk -v b="$RUN_B" 'BEGIN { printf "%.3f", b + 60.5 }')"
    onset=$(sound_onset_stop)
    if [ -n "$early" ] && [ -n "$late" ]; then
        record rss8_long "$(awk -v k="$early" 'BEGIN { printf "%.1f\n", k / 1024 }')"
        record growth_long "$(awk -v a="$early" -v b="$late" 'BEGIN { printf "%.2f\n", (b - a) / 1024 }')"
    fi
    record heard_long "$(awk -v o="$onset" -v b="$RUN_B" 'BEGIN { print (o > 0 && o < b + 60.5) ? 1 : 0 }')"
    run_stop
}

# round_standstill <name> <app root> <phase>: rows 7, 10 and 11. The longest
# time the title stood still from B - 2 s to B + 6 s, the main thread's CPU
# then, the most threads seen and the peak RSS at the end.
round_standstill() {
    local name=$1 window threads most=0 end c0 c1
    run_start "$3" "$WORK/$name.log" "$2/bin/talking-clock"
    window=$(run_window)
    sleep_until "$((RUN_B - 2))"
    title_spy_start "$window" "$WORK/$name.titles"
    c0=$("$PROBE" cpu "$APP_PID")
    while awk -v e="$((RUN_B + 6))" -v n="$EPOCHREALTIME" 'BEGIN { exit !(n < e) }'; do
        threads=$(awk '/^Threads:/ { print $2 }' "/proc/$APP_PID/status" 2>/dev/null || echo 0)
        [ "${threads:-0}" -gt "$most" ] && most=$threads
        sleep 0.1
    done
    end=$EPOCHREALTIME
    c1=$("$PROBE" cpu "$APP_PID")
    title_spy_stop
    record "gap_$name" "$(longest_title_gap_ms "$WORK/$name.titles" "$end")"
    record "main_$name" "$(awk -v a="$c0" -v b="$c1" 'BEGIN { split(a, x); split(b, y); printf "%.1f\n", (y[2] - x[2]) * 1000 }')"
    record "threads_$name" "$most"
    record "hwm_$name" "$(vm_hwm_mb)"
    run_stop
}

# Milliseconds from the exec to the first time in the title of a painted
# window: the later of the first paint and the first such title.
first_clock_title_ms() {
    awk -v s="$(cat "$WORK/started")" '
        /^first-paint / && !paint { paint = $2 }
        /^title [0-9.]+ [0-2][0-9]:[0-5][0-9]:[0-5][0-9]$/ && !title { title = $2 }
        END { if (paint && title) printf "%.1f\n", ((paint > title ? paint : title) - s) * 1000 }' "$RUN_LOG"
}

# round_list_start <name> <app root>: row 12. Start to the first clock title,
# and the peak RSS a second later. A start that shows no time within 20 s
# records nothing.
round_list_start() {
    local ms='' _
    run_start now "$WORK/$1.log" "$2/bin/talking-clock"
    for _ in $(seq 400); do
        app_running || break
        ms=$(first_clock_title_ms)
        [ -n "$ms" ] && break
        sleep 0.05
    done
    if [ -n "$ms" ]; then
        record "title_$1" "$ms"
        sleep 1
        record "hwm_$1" "$(vm_hwm_mb)"
    fi
    run_stop
}

standstill_less_second() {
    awk -v g="$(median "gap_$1")" 'BEGIN { print g == "n/a" ? g : g - 1000 }'
}

# The share of the rounds whose figure is 1.
share_of() {
    [ -s "$RESULTS/$1" ] && awk '{ s += $1 } END { printf "%.2f\n", s / NR }' "$RESULTS/$1" || echo n/a
}

file_mb() {
    if [ -f "$1" ]; then mebibytes "$(stat -c %s "$1")"; else echo n/a; fi
}

# Bare window, photo and clip each alone; n/a unless all three were measured.
cpu_floor() {
    awk -v a="$(median cpu_bare)" -v b="$(median decode_bare)" -v c="$(median clip_bare)" 'BEGIN {
        if (a == "n/a" || b == "n/a" || c == "n/a") print "n/a"; else printf "%.1f\n", a + b + c }'
}

# Rows 9 to 13 of the table.
print_scale_rows() {
    local sched=$WORK/bigsched/Resources/ActTime.txt list
    row_wanted 9 && table_row "9a. a 5-minute clip: VmRSS growth from 8 s to 60 s after it began" MB \
        "$(median growth_long)" - "<=1.5"
    row_wanted 9 && table_row "9b. a 5-minute clip: share of rounds still heard at 60 s" "" \
        "$(share_of heard_long)" - ">=1"
    row_wanted 10 && table_row "10. $MANY_LINES schedule lines at one minute: longest title standstill less 1 s" ms \
        "$(standstill_less_second many)" - "<=100"
    row_wanted 11 && table_row "11a. a $(file_mb "$sched") MB schedule, all minutes: longest title standstill less 1 s" ms \
        "$(standstill_less_second bigsched)" - "<=100"
    row_wanted 11 && table_row "11b. the same, peak RSS (baseline: the file's size)" MB \
        "$(median hwm_bigsched)" "$(file_mb "$sched")" x3
    if row_wanted 12; then
        list=$WORK/bigactors/Resources/ActMain.txt
        table_row "12a. a $(file_mb "$list") MB actor list: start to the first time in the title" ms \
            "$(median title_bigactors)" - "<=1000"
        table_row "12b. the same, peak RSS (baseline: the file's size)" MB \
            "$(median hwm_bigactors)" "$(file_mb "$list")" x3
        list=$WORK/bigalarms/Resources/Alarm.txt
        table_row "12c. a $(file_mb "$list") MB alarm list: start to the first time in the title" ms \
            "$(median title_bigalarms)" - "<=1000"
        table_row "12d. the same, peak RSS (baseline: the file's size)" MB \
            "$(median hwm_bigalarms)" "$(file_mb "$list")" x3
    fi
    row_wanted 13 && table_row "13. CPU per minute, all threads (baseline: bare window + photo + clip decoded alone)" ms \
        "$(median cpu_program)" "$(cpu_floor)" x1.1
    return 0
}
