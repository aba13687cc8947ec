#!/usr/bin/env bash
# Builds the program and starts it in a Wine virtual desktop: on your display when there is one,
# otherwise on a virtual X server that this script names, with a way to look at it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh" win

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
echo "Starting $root/build/app/Farrowglimmer.exe (data folder: build/app). Ctrl-C ends it."
wine "$root/build/app/Farrowglimmer.exe"
