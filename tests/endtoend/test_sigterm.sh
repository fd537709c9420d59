#!/usr/bin/env bash
# SIGTERM closes the clock window like a quit, with or without the
# preferences dialog open: the settings that were read at the start are
# written back whole and the program ends with status 0.
# On a full disk the old settings file stays whole and the failure is said.
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

# With the preferences dialog open the signal still closes everything within
# a second: the dialog first, then the clock, whose Close writes the file.
write_settings "${settings[@]}"
app_start
window=$(app_window)
wait_for_title "$window" "$TIME_PATTERN" 10 >/dev/null
rm "$SETTINGS_FILE"
dialog=$(open_preferences "$window")
kill -TERM "$APP_PID"
for _ in $(seq 10); do
    app_running || break
    sleep 0.1
done
app_running && fail "the program still runs 1 s after SIGTERM over the preferences dialog"
app_wait_exit 1
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS with the dialog open"
expect_settings "${settings[@]}"

# The disk is full: no file of the program may grow. The program ignores
# SIGXFSZ itself, so its writes fail with EFBIG as on a full file system.
# Its output goes through a pipe to a cat started before the limit, so the
# log still fills.
write_settings "seiyuOn/Off=0,1,1,1,1,1,1,1,1,1,1,1" "alarmOn=0" "alarmHour=07" "alarmMin=05" \
    "alarmVoice=05" "voiceMode=1"
cat >"$WORK/full-disk" <<EOF
#!/usr/bin/env bash
exec > >(exec cat) 2>&1
ulimit -f 0
exec "$APP"
EOF
chmod +x "$WORK/full-disk"
APP=$WORK/full-disk
app_start
window=$(app_window)
wait_for_title "$window" "$TIME_PATTERN" 10 >/dev/null
kill -TERM "$APP_PID"
app_wait_exit 15
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS on a full disk"
expect_settings "seiyuOn/Off=0,1,1,1,1,1,1,1,1,1,1,1" "alarmOn=0" "alarmHour=07" "alarmMin=05" \
    "alarmVoice=05" "voiceMode=1"
for _ in $(seq 20); do
    grep -q "settings were not saved" "$WORK/app.log" && break
    sleep 0.1
done
grep -q "settings were not saved" "$WORK/app.log" || fail "the failed save was not reported"
[ "$(find "$XDG_CONFIG_HOME" -type f | wc -l)" -eq 1 ] || fail "a temporary file was left: $(ls -a "$XDG_CONFIG_HOME")"
note "ok"
