#!/usr/bin/env bash
# Builds the program (only the program: the tests stay with tools/test.sh) and starts it in a Wine
# virtual desktop beside Notepad: on your display when there is one, otherwise on a virtual X
# server that this script names, with a way to look at it. A first gesture for Notepad is bound
# unless the data folder already has Notepad's gesture file.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh" win Farrowglimmer

. "$root/tools/wine-env.sh"
fg_wine_env "$root/build/win/wineprefix"
if [ -z "${DISPLAY:-}" ]; then
  fg_start_xvfb || { echo "no X server could be started" >&2; exit 1; }
  echo "No display: the Wine desktop runs on the virtual X server $DISPLAY."
  echo "Look at it with:  DISPLAY=$DISPLAY import -window root screen.png"
  echo "Drive it with:    DISPLAY=$DISPLAY xdotool mousemove 500 500 mousedown 3 ..."
fi
trap 'wineserver -k 2>/dev/null; fg_stop_xvfb' EXIT
fg_ensure_prefix
# The data folder is the folder of the exe: keep it apart from the build outputs.
mkdir -p "$root/build/app"
cp "$root/build/win/Farrowglimmer.exe" "$root/build/app/"
# RIGHT over Notepad presses F5, which types the time and date there.
first="$root/build/app/Gestures_notepad.exe.ini"
[ -e "$first" ] || printf '[3]\r\nActionType=Keystroke\r\nAction=000074F5\r\n' >"$first"
wine notepad >/dev/null 2>&1 &
echo "Starting $root/build/app/Farrowglimmer.exe (data folder: build/app) beside Notepad."
echo "A first gesture: over Notepad's text, hold the right mouse button, move about 100 pixels to"
echo "the right and let go: Notepad types the time and date (RIGHT runs F5, bound in"
echo "build/app/Gestures_notepad.exe.ini). The tray icon opens the rest. Ctrl-C ends it."
wine "$root/build/app/Farrowglimmer.exe"
