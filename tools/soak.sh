#!/usr/bin/env bash
# Hours of use in minutes: the real program under Wine draws hundreds of gestures over Notepad and
# opens and closes its windows, while its memory (RssAnon) and its own GDI and USER counts are
# sampled every 50 gestures; prints the table and whether both stayed flat. Builds the Windows tree
# first. Not part of tools/test.sh.
#   tools/soak.sh [--gestures N] [--keep]
# Without a display a private Xvfb is used; everything started is ended by process id.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/build.sh" win >/dev/null
exec python3 -B "$root/tests/e2e/soak.py" --exe "$root/build/win/Farrowglimmer.exe" \
  --probe "$root/build/win/e2e/fgprobe.exe" --prefix "$root/build/win/wineprefix" \
  --work "$root/build/win/e2e/runs" "$@"
