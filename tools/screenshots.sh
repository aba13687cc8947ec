#!/usr/bin/env bash
# Takes the pictures of the user guide (docs/images/) from the real program on a Wine desktop at
# 96 DPI. Builds the Windows tree first; prints each picture written and its size.
#   tools/screenshots.sh [--out DIR] [--keep]
# Without a display a private Xvfb is used; everything started is ended by process id.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
for tool in convert import xdotool; do
  command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing (bash tools/install-deps.sh)" >&2; exit 1; }
done
"$root/tools/build.sh" win >/dev/null
out=()
case " $* " in *" --out "*) ;; *) out=(--out "$root/docs/images") ;; esac
exec python3 -B "$root/tests/e2e/guide_shots.py" --exe "$root/build/win/Farrowglimmer.exe" \
  --probe "$root/build/win/e2e/fgprobe.exe" --prefix "$root/build/win/wineprefix" \
  --work "$root/build/win/e2e/runs" "${out[@]}" "$@"
