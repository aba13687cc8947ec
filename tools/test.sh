#!/usr/bin/env bash
# Builds everything and runs every test: unit (native), win and e2e (under Wine).
#   tools/test.sh [extra ctest arguments, e.g. -L unit]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh" all

. "$root/tools/wine-env.sh"
cleanup() {
  if [ -n "${FG_XVFB_PID:-}" ]; then
    WINEPREFIX="$root/build/win/wineprefix" wineserver -k 2>/dev/null || true
    fg_stop_xvfb
  fi
}
trap cleanup EXIT
# One X server for the whole run when there is none.
if [ -z "${DISPLAY:-}" ]; then
  fg_start_xvfb || { echo "no X server could be started" >&2; exit 1; }
fi

status=0
# The long soak on the fakes (label "soak") runs only when asked for: ctest -L soak.
ctest --test-dir "$root/build/native" --output-on-failure -j2 -LE soak "$@" || status=1
# A case on the Wine desktop that fails is run once more: Wine and X are not fully deterministic
# (a start refused its first message once in many CI runs). The first failure stays in the output.
ctest --test-dir "$root/build/win" --output-on-failure --repeat until-pass:2 "$@" || status=1
exit $status
