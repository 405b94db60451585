#!/usr/bin/env bash
# Takes docs/screenshot.png: the main window filling a 1280x800 screen under Xvfb with a
# sample template loaded. VELLUMATIC_SCREEN=WxH picks another screen size and
# VELLUMATIC_SHOT another output file, to look at the window at other sizes.
# VELLUMATIC_THEME=dark shows it as a Plasma desktop with Breeze Dark colours would: the
# colour scheme in kdeglobals, which Qt reads under a KDE session. VELLUMATIC_RUN=n runs the
# template, answering n to the bounds dialog, so the result pane is in the picture.
# VELLUMATIC_TREE_KEYS picks another template (keys pressed from the tree's top), and
# VELLUMATIC_FILL_ROWS=text then opens Edit > Fill Rows and types the text into its table box.
# Needs Xvfb, xdotool and ImageMagick's import (all in packages.txt).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VELLUMATIC_BUILD_DIR:-$root/build}"
work="$(mktemp -d)"
trap 'kill "$app_pid" "$xvfb_pid" 2>/dev/null || true; rm -rf "$work"' EXIT

size="${VELLUMATIC_SCREEN:-1280x800}"
shot="${VELLUMATIC_SHOT:-$root/docs/screenshot.png}"
width="${size%x*}"
height="${size#*x}"

# A private application folder with the shipped Data, and settings for a full-size window
# (twips at 96 dpi: 15 per pixel).
cp "$build/bin/vellumatic" "$work/"
cp -r "$root/data/Data" "$work/Data"
mkdir -p "$work/config/Vellumatic"
printf '[Settings]\nMainLeft=0\nMainTop=0\nMainWidth=%d\nMainHeight=%d\n' $((width * 15)) $((height * 15)) \
    >"$work/config/Vellumatic/Vellumatic.conf"

desktop=()
if [ "${VELLUMATIC_THEME:-light}" = dark ]; then
    cat >"$work/config/kdeglobals" <<'COLOURS'
[General]
ColorScheme=BreezeDark

[KDE]
widgetStyle=Fusion

[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=252,252,252

[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=252,252,252

[Colors:Tooltip]
BackgroundNormal=49,54,59
ForegroundNormal=252,252,252

[Colors:View]
BackgroundAlternate=49,54,59
BackgroundNormal=35,38,41
ForegroundLink=41,128,185
ForegroundNormal=252,252,252
ForegroundVisited=127,140,141

[Colors:Window]
BackgroundNormal=49,54,59
ForegroundNormal=252,252,252
COLOURS
    desktop=(XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5)
fi

display=":$((RANDOM % 400 + 100))"
Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp &
xvfb_pid=$!
export DISPLAY="$display" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.2; done
# A dialog is focused and placed by a window manager.
if [ -n "${VELLUMATIC_FILL_ROWS:-}" ]; then
    openbox &
    sleep 1
fi
env "${desktop[@]}" "$work/vellumatic" &
app_pid=$!
window="$(xdotool search --sync --onlyvisible --name Vellumatic | head -n 1)"
sleep 2

# The template tree: open the SQL and C++ groups and select "Struct with getters and setters".
read -r x y <<<"${VELLUMATIC_TREE_POINT:-60 147}"
xdotool mousemove --window "$window" "$x" "$y" click 1
# shellcheck disable=SC2086 # one key a word
xdotool key --window "$window" ${VELLUMATIC_TREE_KEYS:-Home Down Down Right Down Down Down Right Down}
sleep 1
if [ -n "${VELLUMATIC_RUN:-}" ]; then
    xdotool key --window "$window" alt+r
    sleep 1
    xdotool type --delay 50 "$VELLUMATIC_RUN"
    xdotool key Return
    sleep 1
fi
if [ -n "${VELLUMATIC_FILL_ROWS:-}" ]; then
    xdotool key ctrl+shift+Return
    sleep 1
    while IFS= read -r line; do
        xdotool type --delay 20 "$line"
        xdotool key Return
    done <<<"$VELLUMATIC_FILL_ROWS"
    sleep 1
fi
import -window root "$shot"
echo "wrote $shot"
