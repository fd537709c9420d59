# shellcheck shell=bash
# Helpers for the end-to-end tests: the real program under Xvfb, with a
# private PulseAudio, its own settings folder and, when asked, a faked clock.
#
#   source lib.sh; e2e_setup <build dir> <source dir>
#
# The program runs from the build directory, which holds bin/, Resources/
# and the data folder; the tests only read it. Everything they start is
# stopped and everything they write is removed when the script exits.

# shellcheck disable=SC2034 # the variables set here are the test scripts'

set -euo pipefail

E2E_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/endtoend/lib/audio.sh
source "$E2E_LIB_DIR/lib/audio.sh"

TIME_PATTERN='^[0-2][0-9]:[0-5][0-9]:[0-5][0-9]$'

fail() {
    echo "FAIL: $*" >&2
    if [ -s "${WORK:-/nonexistent}/app.log" ]; then
        echo "--- program output ---" >&2
        tail -n 40 "$WORK/app.log" >&2
    fi
    exit 1
}

note() {
    echo "# $*"
}

e2e_setup() {
    [ $# -ge 1 ] || fail "usage: $0 <build dir> [source dir]"
    BUILD_DIR=$(cd "$1" && pwd)
    APP=$BUILD_DIR/bin/talking-clock
    DATA_FOLDER=$BUILD_DIR/velka-namro/Payload/'Velka Namro 2 HD.app'
    [ -x "$APP" ] || fail "$APP is not built"
    if [ ! -f "$BUILD_DIR/Resources/ActTime.txt" ] || [ ! -d "$DATA_FOLDER" ]; then
        fail "no sample data: run $BUILD_DIR/tools/make-sample-data $BUILD_DIR"
    fi

    WORK=$(mktemp -d "${TMPDIR:-/tmp}/talking-clock-e2e.XXXXXX")
    trap e2e_cleanup EXIT
    export XDG_CONFIG_HOME=$WORK/config
    SETTINGS_FILE="$XDG_CONFIG_HOME/velkaViewer2 Prefs"
    mkdir -p "$XDG_CONFIG_HOME" "$WORK/cwd"
}

# private_app_root: from here on the program runs from an app root of its
# own in $WORK, which the test may change: the program and Resources/ are
# copies, and the data folder is a tree of links to the build's files
# (replace a link, never write through it).
private_app_root() {
    local root=$WORK/root
    mkdir -p "$root/bin" "$root/velka-namro/Payload"
    cp "$APP" "$root/bin/"
    cp -r "$BUILD_DIR/Resources" "$root/Resources"
    cp -rs "$DATA_FOLDER" "$root/velka-namro/Payload/"
    APP=$root/bin/talking-clock
    RESOURCES=$root/Resources
    DATA_FOLDER=$root/velka-namro/Payload/'Velka Namro 2 HD.app'
}

e2e_cleanup() {
    local status=$?
    app_stop
    audio_stop
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
    rm -rf "$WORK"
    exit "$status"
}

# Xvfb picks a free display itself and tells which (-displayfd), so tests
# run side by side never share one.
xvfb_start() {
    local display_file=$WORK/display i
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    for i in $(seq 100); do
        [ -s "$display_file" ] && break
        sleep 0.1
    done
    [ -s "$display_file" ] || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
    DISPLAY=:$(head -n 1 "$display_file")
    export DISPLAY
}

# app_start [faked start time, e.g. "2026-12-06 07:29:50"]: from then on the
# clock runs on in real time; timers keep the real monotonic clock. The
# library is preloaded directly rather than through the faketime wrapper: the
# program is then APP_PID itself (signals reach it), and no wrapper killed by
# app_stop leaves a named semaphore behind for a later one to trip over.
# NO_FAKE_STAT keeps the files' real times: shifted ones make fontconfig
# rescan every font and rewrite its caches at each start.
# shellcheck disable=SC2120 # the faked time is optional
app_start() {
    cd "$WORK/cwd"
    if [ $# -ge 1 ]; then
        LD_PRELOAD=$(echo /usr/lib/*/faketime/libfaketimeMT.so.1) FAKETIME="@$1" \
            FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1 "$APP" >"$WORK/app.log" 2>&1 &
    else
        "$APP" >"$WORK/app.log" 2>&1 &
    fi
    APP_PID=$!
    cd - >/dev/null
}

app_running() {
    [ -n "${APP_PID:-}" ] && kill -0 "$APP_PID" 2>/dev/null
}

app_stop() {
    if app_running; then
        kill -KILL "$APP_PID" 2>/dev/null || true
    fi
    if [ -n "${APP_PID:-}" ]; then
        wait "$APP_PID" 2>/dev/null || true
    fi
    APP_PID=
}

# app_wait_exit <seconds>: sets APP_STATUS to the exit status.
app_wait_exit() {
    local i
    for i in $(seq $(($1 * 10))); do
        app_running || break
        sleep 0.1
    done
    app_running && fail "the program did not end within $1 s"
    APP_STATUS=0
    wait "$APP_PID" || APP_STATUS=$?
    APP_PID=
}

# The clock window: the program's one visible window. Prints its id.
app_window() {
    local i wid
    for i in $(seq 200); do
        app_running || fail "the program ended before showing its window"
        wid=$(xdotool search --onlyvisible --class talking-clock 2>/dev/null | head -n 1 || true)
        if [ -n "$wid" ]; then
            echo "$wid"
            return 0
        fi
        sleep 0.1
    done
    fail "no window appeared within 20 s"
}

window_title() {
    xdotool getwindowname "$1"
}

# wait_for_title <window> <extended regex> <seconds>: prints the title.
wait_for_title() {
    local i title=
    for i in $(seq $(($3 * 10))); do
        title=$(window_title "$1" 2>/dev/null || true)
        if [[ $title =~ $2 ]]; then
            echo "$title"
            return 0
        fi
        sleep 0.1
    done
    fail "title '$title' did not match '$2' within $3 s"
}

# window_size <window>: prints "width height".
window_size() {
    xwininfo -id "$1" | awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w, h }'
}

# expect_picture_size <window> <width> <height>: the clock window is a
# picture area of that size below its menu bar.
expect_picture_size() {
    local width height bar
    read -r width height < <(window_size "$1")
    bar=$((height - $3))
    [ "$width" -eq "$2" ] && [ "$bar" -ge 12 ] && [ "$bar" -le 40 ] ||
        fail "clock window $width x $height, expected $2 x $3 below a menu bar"
}

# Keys go to the focused window; there is no window manager to give focus.
# The preferences dialog while it is shown: its window id, else nothing.
dialog_shown() {
    xdotool search --onlyvisible --name '^環境設定$' 2>/dev/null | head -n 1 || true
}

# wait_dialog_gone <seconds> <failure message>: the preferences dialog has
# closed within that time.
wait_dialog_gone() {
    local _
    for _ in $(seq $(($1 * 20))); do
        [ -z "$(dialog_shown)" ] && return 0
        sleep 0.05
    done
    fail "$2"
}

# open_preferences <clock window>: chooses "ファイル" → "環境設定..." (the
# menu bar's first menu and its first item) as a user would; prints the
# dialog's window id.
open_preferences() {
    local dialog= _
    xdotool windowfocus --sync "$1"
    xdotool mousemove --window "$1" 30 8 click 1
    sleep 0.5
    xdotool key Down Return
    for _ in $(seq 50); do
        dialog=$(dialog_shown)
        [ -n "$dialog" ] && break
        sleep 0.1
    done
    [ -n "$dialog" ] || fail "the preferences dialog did not open"
    echo "$dialog"
}

send_keys() {
    xdotool windowfocus --sync "$1"
    xdotool key --clearmodifiers "$2"
}

screenshot() {
    import -window "$1" "$2"
}

# pixel_of <image> <x> <y>: prints "r g b", 8 bits each.
pixel_of() {
    convert "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- |
        sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | head -n 1 |
        { read -r hex; printf '%d %d %d\n' "0x${hex:0:2}" "0x${hex:2:2}" "0x${hex:4:2}"; }
}

# colour_distance "r g b" "r g b": the sum of the channel differences.
colour_distance() {
    local a b i d sum=0
    read -r -a a <<<"$1"
    read -r -a b <<<"$2"
    for i in 0 1 2; do
        d=$((a[i] - b[i]))
        sum=$((sum + (d < 0 ? -d : d)))
    done
    echo "$sum"
}

# The settings file without line ends, one line a line.
settings_lines() {
    tr -d '\r' <"$SETTINGS_FILE"
}

write_settings() {
    printf '%s\n' "$@" >"$SETTINGS_FILE"
}

# start_with_settings_then_drop <open dialog: yes|no> <line>...: the clock
# starts with these settings and shows its time; the file is then removed
# (it is read once at the start, so only the close can bring it back), and
# the preferences are opened when asked. Sets window.
start_with_settings_then_drop() {
    local with_dialog=$1
    shift
    write_settings "$@"
    app_start
    window=$(app_window)
    wait_for_title "$window" "$TIME_PATTERN" 10 >/dev/null
    rm "$SETTINGS_FILE"
    [ "$with_dialog" = no ] || open_preferences "$window" >/dev/null
}

# expect_settings <line>...: the file holds exactly these six lines.
expect_settings() {
    [ -f "$SETTINGS_FILE" ] || fail "the settings file was not written"
    local expected actual
    expected=$(printf '%s\n' "$@")
    actual=$(settings_lines)
    [ "$actual" = "$expected" ] || fail "settings file:
$actual
expected:
$expected"
}

# The largest sample of a raw recording, 0 to 1.
peak_level() {
    sox -t raw -r "$AUDIO_RATE" -e signed -b 16 -c 1 "$1" -n stat 2>&1 |
        awk '/^Maximum amplitude/ { print $3 }'
}
