#!/usr/bin/env bash
# What the program costs while it only polls: starts the built exe under Wine from a fresh data
# folder, lets it settle, and reports the CPU time its Wine process (and the prefix's wine server)
# used over a minute of idling, and its memory.
#
#   tools/measure-idle.sh [--exe PATH] [--prefix DIR] [--seconds N] [--settle N]
#
# Defaults: build/win/Farrowglimmer.exe, the prefix build/win/wineprefix, 60 s measured after
# 10 s of settling. Without a display a private Xvfb is used. Only processes this script started
# are ended; the wine server is left to end by itself.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=$root/build/win/Farrowglimmer.exe
prefix=$root/build/win/wineprefix
seconds=60
settle=10
while [ $# -gt 0 ]; do
  case $1 in
    --exe) exe=$2; shift 2 ;;
    --prefix) prefix=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --settle) settle=$2; shift 2 ;;
    *) echo "usage: $0 [--exe PATH] [--prefix DIR] [--seconds N] [--settle N]" >&2; exit 2 ;;
  esac
done
[ -f "$exe" ] || { echo "no program at $exe (build it with tools/build.sh win)" >&2; exit 1; }
exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")
mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)

# shellcheck source=wine-env.sh
. "$root/tools/wine-env.sh"
fg_wine_env "$prefix"

data=$(mktemp -d /tmp/fg-idle.XXXXXX)
launcher=
program=
cleanup() {
  set +e
  [ -n "$program" ] && kill -KILL "$program" 2>/dev/null
  [ -n "$launcher" ] && kill -KILL "$launcher" 2>/dev/null && wait "$launcher" 2>/dev/null
  # The server ends on its own once the prefix has no clients left; other users of the prefix
  # are never cut off, we only stop waiting for them.
  timeout 20 wineserver -w 2>/dev/null || true
  fg_stop_xvfb
  rm -rf "$data"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  fg_start_xvfb || { echo "no X server could be started" >&2; exit 1; }
fi
fg_ensure_prefix || { echo "the Wine prefix could not be created" >&2; exit 1; }

cp "$exe" "$data/"
name=$(basename "$exe")
(cd "$data" && exec wine "$data/$name") >/dev/null 2>&1 &
launcher=$!

# The Linux processes of this prefix whose command line names the program in our data folder.
prefix_pids() { # $1: text the command line must contain (empty: any)
  local p
  for p in /proc/[0-9]*; do
    { tr '\0' '\n' <"$p/environ" | grep -qxF "WINEPREFIX=$prefix"; } 2>/dev/null || continue
    [ -z "$1" ] || { tr '\0' ' ' <"$p/cmdline" | grep -qF "$1"; } 2>/dev/null || continue
    echo "${p#/proc/}"
  done
  return 0
}

# utime + stime of a process (all its threads), in clock ticks; the name field may hold blanks.
cpu_ticks() {
  local s
  s=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  s=${s##*) }
  # shellcheck disable=SC2086
  set -- $s
  echo $((${12} + ${13}))
}

status_kb() { # $1 pid, $2 field of /proc/PID/status
  awk -v f="$2:" '$1 == f { print $2 }' "/proc/$1/status" 2>/dev/null
}

deadline=$((SECONDS + 60))
while [ -z "$program" ] && [ $SECONDS -lt $deadline ]; do
  program=$(prefix_pids "$(basename "$data")/$name" | head -n1)
  [ -n "$program" ] || sleep 0.5
done
[ -n "$program" ] || { echo "the program's Wine process did not appear" >&2; exit 1; }
server=
for p in $(prefix_pids ""); do
  case $(cat "/proc/$p/comm" 2>/dev/null) in wineserver*) server=$p; break ;; esac
done

sleep "$settle"
kill -0 "$program" 2>/dev/null || { echo "the program ended during start-up" >&2; exit 1; }
hz=$(getconf CLK_TCK)
p0=$(cpu_ticks "$program")
s0=0; [ -z "$server" ] || s0=$(cpu_ticks "$server") || s0=0
t0=$(date +%s.%N)
sleep "$seconds"
p1=$(cpu_ticks "$program") || { echo "the program ended during the measurement" >&2; exit 1; }
s1=0; [ -z "$server" ] || s1=$(cpu_ticks "$server") || s1=0
t1=$(date +%s.%N)

report() { # $1 label, $2 pid, $3 ticks
  awk -v l="$1" -v p="$2" -v t="$3" -v hz="$hz" -v w="$t0" -v e="$t1" 'BEGIN {
    s = t / hz; d = e - w
    printf "  %-11s pid %-7s CPU %6.2f s over %5.1f s = %5.2f%% of one core\n", l, p, s, d, 100 * s / d }'
}
echo "Idle cost of $name under Wine (prefix $prefix), after ${settle} s of settling:"
report program "$program" $((p1 - p0))
[ -z "$server" ] || report wineserver "$server" $((s1 - s0))
echo "  memory      RssAnon $(status_kb "$program" RssAnon) kB (private), VmRSS $(status_kb "$program" VmRSS) kB"
