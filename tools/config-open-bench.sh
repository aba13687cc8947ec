#!/usr/bin/env bash
# How long the configuration window takes to appear after "&Configure ..." is picked in the tray
# menu, under Wine: from the pick to the window painted (the program's own stamps) and from the
# click to the window seen visible. Builds the Windows tree first.
#   tools/config-open-bench.sh [--runs N] [--keep]
# Without a display a private Xvfb is used; everything started is ended by process id.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/build.sh" win >/dev/null
exec python3 -B "$root/tests/e2e/config_open_bench.py" --exe "$root/build/win/Farrowglimmer.exe" \
  --probe "$root/build/win/e2e/fgprobe.exe" --prefix "$root/build/win/wineprefix" \
  --work "$root/build/win/e2e/runs" "$@"
