#!/usr/bin/env bash
# How long a one-key gesture takes from the button's release to the key arriving in Notepad, under
# Wine, and how long each of the program's phases took (release seen, program identified, file
# loaded, action started, key down). Builds the Windows tree first.
#   tools/latency-bench.sh [--gestures N] [--poll-ms MS] [--keep]
# Without a display a private Xvfb is used; everything started is ended by process id.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/build.sh" win >/dev/null
exec python3 -B "$root/tests/e2e/latency_bench.py" --exe "$root/build/win/Farrowglimmer.exe" \
  --probe "$root/build/win/e2e/fgprobe.exe" --prefix "$root/build/win/wineprefix" \
  --work "$root/build/win/e2e/runs" "$@"
