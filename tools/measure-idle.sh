#!/usr/bin/env bash
# What the program costs while it only polls: starts the built exe under Wine from a fresh data
# folder, lets it settle, and reports the CPU time its Wine process (and the prefix's wine server)
# used over a minute of idling. Then its private memory (RssAnon) against a yardstick in the same
# Wine desktop, bench/idle/idle_baseline.exe (the same system libraries, manifest and runtime, and
# nothing but a 60 ms poll of the right button): idle before any gesture, while a trail is drawn,
# and idle again after a few gestures drawn over Notepad with xdotool.
#
#   tools/measure-idle.sh [--exe PATH] [--baseline PATH] [--probe PATH] [--prefix DIR]
#                         [--seconds N] [--settle N] [--gestures N]
#
# Defaults: the exe, the baseline and the probe of build/win, the prefix build/win/wineprefix,
# 60 s measured after 10 s of settling, 3 gestures. Without a display a private Xvfb is used. Only
# processes this script started are ended; the wine server is left to end by itself.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=$root/build/win/Farrowglimmer.exe
baseline=$root/build/win/idle_baseline.exe
probe=$root/build/win/e2e/fgprobe.exe
prefix=$root/build/win/wineprefix
seconds=60
settle=10
gestures=3
while [ $# -gt 0 ]; do
  case $1 in
    --exe) exe=$2; shift 2 ;;
    --baseline) baseline=$2; shift 2 ;;
    --probe) probe=$2; shift 2 ;;
    --prefix) prefix=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --settle) settle=$2; shift 2 ;;
    --gestures) gestures=$2; shift 2 ;;
    *) echo "usage: $0 [--exe PATH] [--baseline PATH] [--probe PATH] [--prefix DIR]" \
            "[--seconds N] [--settle N] [--gestures N]" >&2; exit 2 ;;
  esac
done
for f in "$exe" "$baseline" "$probe"; do
  [ -f "$f" ] || { echo "not built: $f (build with tools/build.sh win)" >&2; exit 1; }
done
absolute() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
exe=$(absolute "$exe")
baseline=$(absolute "$baseline")
probe=$(absolute "$probe")
mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)

# shellcheck source=wine-env.sh
. "$root/tools/wine-env.sh"
fg_wine_env "$prefix"

data=$(mktemp -d /tmp/fg-idle.XXXXXX)
launchers=()
cleanup() {
  set +e
  # The shell reports every launcher it reaps as "Killed": that is the clean-up, not news.
  exec 2>/dev/null
  local p
  for p in ${program:-} ${yardstick:-} ${notepad:-}; do kill -KILL "$p" 2>/dev/null; done
  for p in "${launchers[@]}"; do kill -KILL "$p" 2>/dev/null && wait "$p" 2>/dev/null; done
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

# Starts a Windows program from a folder of its own in $data; $1 folder name, $2 exe, rest: args.
start_in() {
  local dir=$data/$1 exe_path=$2
  shift 2
  mkdir -p "$dir"
  [ -f "$exe_path" ] && cp "$exe_path" "$dir/" && exe_path=$dir/$(basename "$exe_path")
  (cd "$dir" && exec wine "$exe_path" "$@") >/dev/null 2>&1 &
  launchers+=($!)
}

# The Linux processes of this prefix whose command line contains $1 (empty: any).
prefix_pids() {
  local p
  for p in /proc/[0-9]*; do
    { tr '\0' '\n' <"$p/environ" | grep -qxF "WINEPREFIX=$prefix"; } 2>/dev/null || continue
    [ -z "$1" ] || { tr '\0' ' ' <"$p/cmdline" | grep -qF "$1"; } 2>/dev/null || continue
    echo "${p#/proc/}"
  done
  return 0
}

wait_pid() { # $1: text of the command line; prints the pid
  local pid= deadline=$((SECONDS + 60))
  while [ -z "$pid" ] && [ $SECONDS -lt $deadline ]; do
    pid=$(prefix_pids "$1" | head -n1)
    [ -n "$pid" ] || sleep 0.5
  done
  [ -n "$pid" ] || { echo "the Wine process of $1 did not appear" >&2; return 1; }
  echo "$pid"
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

name=$(basename "$exe")
# The default settings, with the welcome tutorial marked as seen so no window opens by itself.
mkdir -p "$data/program"
printf '[init]\r\nWelcomeShown=1\r\n' >"$data/program/defaults.ini"
start_in program "$exe"
start_in baseline "$baseline"
program=$(wait_pid "program/$name")
yardstick=$(wait_pid "baseline/$(basename "$baseline")")
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
base_before=$(status_kb "$yardstick" RssAnon)
idle_before=$(status_kb "$program" RssAnon)
vm_before=$(status_kb "$program" VmRSS)

# Gestures over Notepad (its window lies at 0,0 to 1026,769): up, then a longer stroke right,
# 8 px every 20 ms as a hand draws. The release opens Notepad's context menu under Wine; Escape
# closes it. The last gesture is measured while its trail is on the screen.
start_in notepad notepad
notepad=$(wait_pid "notepad")
wine "$probe" find --class Notepad --visible --wait 30000 >/dev/null ||
  { echo "Notepad's window did not appear" >&2; exit 1; }
stroke=(mousemove 500 500 sleep 0.05 mousedown 3)
for y in $(seq 492 -8 404); do stroke+=(sleep 0.02 mousemove 500 "$y"); done
for x in $(seq 508 8 660); do stroke+=(sleep 0.02 mousemove "$x" 404); done
stroke+=(sleep 0.12)
drawing=
for n in $(seq 1 "$gestures"); do
  xdotool "${stroke[@]}"
  if [ "$n" = "$gestures" ]; then
    sleep 0.5
    drawing=$(status_kb "$program" RssAnon)
  fi
  xdotool mouseup 3 sleep 1 key Escape sleep 0.5
done
sleep "$settle"
kill -0 "$program" 2>/dev/null || { echo "the program ended during the gestures" >&2; exit 1; }
base_after=$(status_kb "$yardstick" RssAnon)
idle_after=$(status_kb "$program" RssAnon)

report() { # $1 label, $2 pid, $3 ticks
  awk -v l="$1" -v p="$2" -v t="$3" -v hz="$hz" -v w="$t0" -v e="$t1" 'BEGIN {
    s = t / hz; d = e - w
    printf "  %-11s pid %-7s CPU %6.2f s over %5.1f s = %5.2f%% of one core\n", l, p, s, d, 100 * s / d }'
}
row() { # $1 label, $2 kB, $3 baseline kB
  awk -v l="$1" -v k="$2" -v b="$3" 'BEGIN {
    printf "  %-44s %7d kB   %+7d kB (%+.2f MB) above the baseline\n", l, k, k - b, (k - b) / 1024 }'
}
echo "Idle cost of $name under Wine (prefix $prefix), after ${settle} s of settling:"
report program "$program" $((p1 - p0))
[ -z "$server" ] || report wineserver "$server" $((s1 - s0))
echo "Private memory (RssAnon) in the same Wine desktop; VmRSS of the program $vm_before kB at first:"
printf "  %-44s %7d kB (before), %d kB (after the gestures)\n" \
  "baseline $(basename "$baseline")" "$base_before" "$base_after"
row "program, idle before any gesture" "$idle_before" "$base_before"
row "program, while a trail is drawn" "$drawing" "$base_before"
row "program, idle after $gestures gestures" "$idle_after" "$base_after"
