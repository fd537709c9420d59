#!/usr/bin/env bash
# cmake --install into a fresh prefix lays out an app root: the executable in
# bin/, the four lists in Resources/, a valid desktop entry that starts the
# installed executable and the clock icon it names; the install manifest lists
# every file put there. Run from there, the program reads that Resources/
# folder and the data folder beside bin/, not the build's.
# shellcheck source=tests/endtoend/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../endtoend/lib.sh"
e2e_setup "$@"
SOURCE_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

PREFIX="$WORK/app root"  # a space, as in the data folder's own name
cmake --install "$BUILD_DIR" --prefix "$PREFIX" >"$WORK/install.log" || fail "install: $(cat "$WORK/install.log")"

[ -x "$PREFIX/bin/talking-clock" ] || fail "no bin/talking-clock"
for list in ActMain ActSerif ActTime Alarm; do
    cmp -s "$BUILD_DIR/Resources/$list.txt" "$PREFIX/Resources/$list.txt" || fail "Resources/$list.txt not installed"
done

ENTRY=$PREFIX/share/applications/talking-clock.desktop
[ -f "$ENTRY" ] || fail "no desktop entry"
grep -qx "Exec=\"$PREFIX/bin/talking-clock\"" "$ENTRY" || fail "Exec does not start the installed program: $(grep Exec "$ENTRY")"
grep -qx 'Name=Talking clock' "$ENTRY" || fail "no English name"
grep -q '^Name\[ja\]=.' "$ENTRY" || fail "no Japanese name"
desktop-file-validate "$ENTRY" || fail "desktop-file-validate refused the entry"

ICON=$PREFIX/share/icons/hicolor/scalable/apps/talking-clock.svg
grep -qx 'Icon=talking-clock' "$ENTRY" || fail "the entry names no talking-clock icon"
[ -f "$ICON" ] || fail "no icon in the hicolor theme's scalable apps"
[ "$(xmllint --xpath 'namespace-uri(/*)' "$ICON")" = http://www.w3.org/2000/svg ] || fail "the icon is no SVG"
convert -background none "$ICON" "$WORK/icon.png" || fail "the icon does not render"
# Most of a clock face is opaque; a blank render would be all transparent.
coverage=$(convert "$WORK/icon.png" -alpha extract -format '%[fx:mean]' info:)
awk -v c="$coverage" 'BEGIN { exit !(c > 0.5) }' || fail "the icon renders nearly blank ($coverage opaque)"

# An uninstall by the manifest leaves nothing behind: it names each file.
MANIFEST=$BUILD_DIR/install_manifest.txt
[ -f "$MANIFEST" ] || fail "no install manifest"
installed=$(cd "$PREFIX" && find . ! -type d | sed "s|^\.|$PREFIX|" | sort)
listed=$(grep -F "$PREFIX/" "$MANIFEST" | sort)
[ "$installed" = "$listed" ] || fail "the manifest does not list what was installed:
$(diff <(echo "$listed") <(echo "$installed"))"
for file in "$ENTRY" "$ICON"; do
    grep -qxF "$file" "$MANIFEST" || fail "the manifest does not list $file"
done

# The README tells where the icon goes.
sed -n '/^## Installing/,/^## /p' "$SOURCE_DIR/README.md" | grep -q 'share/icons/hicolor/scalable/apps/talking-clock.svg' ||
    fail "the README's Installing section does not mention the icon"

# The data folder is the user's own, put beside bin/ by hand.
ln -s "$BUILD_DIR/velka-namro" "$PREFIX/velka-namro"

# Which files the installed program opens tells where it looks.
APP=$WORK/traced-clock
printf '#!/bin/sh\nexec strace -f -qq -e trace=openat -o "%s" "%s"\n' "$WORK/opened" "$PREFIX/bin/talking-clock" >"$APP"
chmod +x "$APP"

xvfb_start
audio_start "$WORK/audio"
app_start
window=$(app_window)
read -r width _ < <(window_size "$window")
[ "$width" = 384 ] || fail "window $width wide, expected the HD data folder's 384"
wait_for_title "$window" "$TIME_PATTERN" 10 >/dev/null
send_keys "$window" ctrl+q
app_wait_exit 15
[ "$APP_STATUS" -eq 0 ] || fail "exit status $APP_STATUS"

for list in ActMain ActSerif ActTime Alarm; do
    grep -q "\"$PREFIX/Resources/$list.txt\", O_RDONLY.*= [0-9]" "$WORK/opened" ||
        fail "the installed program did not read $PREFIX/Resources/$list.txt"
done
if grep -q "\"$BUILD_DIR/Resources/" "$WORK/opened"; then
    fail "the installed program read the build's lists"
fi
note "ok"
