#!/usr/bin/env bash
# What the program costs while it only polls: starts the built exe under Wine from a fresh data
# folder, lets it settle, and reports the CPU time its Wine process (and the prefix's wine server)
# used over a minute of idling. Then its private memory (RssAnon) against a yardstick in the same
# Wine desktop, bench/idle/idle_baseline.exe (the same system libraries, manifest and runtime, and
# nothing but a 60 ms poll of the right button): idle before any gesture, while a trail is drawn,
# and idle again after a few gestures drawn over Notepad with xdotool.
#
# With --compare PATH a second build of the program (another version, say) is measured in the same
# Wine desktop and the same run, beside the yardstick: two copies cannot run at once (the second
# hands its command line to the first and ends), so the two take turns, --rounds times each
# (default 2), A B A B, each turn a fresh start measured over the same number of seconds; the
# gestures are drawn in each one's last turn. Both rows and their difference are printed.
#
#   tools/measure-idle.sh [--exe PATH] [--compare PATH] [--rounds N] [--baseline PATH]
#                         [--probe PATH] [--prefix DIR] [--seconds N] [--settle N] [--gestures N]
#
# Defaults: the exe, the baseline and the probe of build/win, the prefix build/win/wineprefix,
# 60 s measured after 10 s of settling, 3 gestures, one round without --compare. Without a display
# a private Xvfb is used. Only processes this script started are ended; the wine server is left to
# end by itself.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=$root/build/win/Farrowglimmer.exe
baseline=$root/build/win/idle_baseline.exe
probe=$root/build/win/e2e/fgprobe.exe
prefix=$root/build/win/wineprefix
seconds=60
settle=10
gestures=3
compare=
rounds=
while [ $# -gt 0 ]; do
  case $1 in
    --exe) exe=$2; shift 2 ;;
    --compare) compare=$2; shift 2 ;;
    --rounds) rounds=$2; shift 2 ;;
    --baseline) baseline=$2; shift 2 ;;
    --probe) probe=$2; shift 2 ;;
    --prefix) prefix=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --settle) settle=$2; shift 2 ;;
    --gestures) gestures=$2; shift 2 ;;
    *) echo "usage: $0 [--exe PATH] [--compare PATH] [--rounds N] [--baseline PATH]" \
            "[--probe PATH] [--prefix DIR] [--seconds N] [--settle N] [--gestures N]" >&2; exit 2 ;;
  esac
done
[ -n "$rounds" ] || { [ -n "$compare" ] && rounds=2 || rounds=1; }
case $rounds in ''|*[!0-9]*|0) echo "--rounds takes a whole number from 1" >&2; exit 2 ;; esac
for f in "$exe" "$baseline" "$probe" ${compare:+"$compare"}; do
  [ -f "$f" ] || { echo "not built: $f (build with tools/build.sh win)" >&2; exit 1; }
done
absolute() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
exe=$(absolute "$exe")
baseline=$(absolute "$baseline")
probe=$(absolute "$probe")
[ -z "$compare" ] || compare=$(absolute "$compare")
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
  launched=$!
  launchers+=("$launched")
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


# Ends a program this script started and waits until its processes are gone; $1 its Wine pid,
# $2 its launcher.
stop() {
  kill -KILL "$1" 2>/dev/null || true
  # The launcher is reaped; its status, "killed", is no failure.
  { kill -KILL "$2" && wait "$2"; } 2>/dev/null || true
  local deadline=$((SECONDS + 20))
  while [ -e "/proc/$1" ] && [ $SECONDS -lt $deadline ]; do sleep 0.2; done
  return 0
}

hz=$(getconf CLK_TCK)
server_pid() {
  local p
  for p in $(prefix_pids ""); do
    case $(cat "/proc/$p/comm" 2>/dev/null) in wineserver*) echo "$p"; return 0 ;; esac
  done
}

# Gestures over Notepad (its window lies at 0,0 to 1026,769): up, then a longer stroke right,
# 8 px every 20 ms as a hand draws. The release opens Notepad's context menu under Wine; Escape
# closes it. The last gesture is measured while its trail is on the screen.
stroke=(mousemove 500 500 sleep 0.05 mousedown 3)
for y in $(seq 492 -8 404); do stroke+=(sleep 0.02 mousemove 500 "$y"); done
for x in $(seq 508 8 660); do stroke+=(sleep 0.02 mousemove "$x" 404); done
stroke+=(sleep 0.12)

# One turn of one build: a fresh start, settling, the CPU over the measured seconds and the idle
# memory; in its last turn, gestures over Notepad and the memory while drawing and after.
# $1 the label (also its folder), $2 the exe, $3 1 in its last turn. Appends to the result lists.
turns=()
measure_turn() {
  local label=$1 path=$2 last=$3 launcher server p0 p1 s0=0 s1=0 t0 t1
  local notepad_launcher
  printf '[init]\r\nWelcomeShown=1\r\n' >"$data/$label/defaults.ini"
  start_in "$label" "$path"
  launcher=$launched
  program=$(wait_pid "$label/$(basename "$path")")
  server=$(server_pid)
  sleep "$settle"
  kill -0 "$program" 2>/dev/null || { echo "$label ended during start-up" >&2; exit 1; }
  p0=$(cpu_ticks "$program")
  [ -z "$server" ] || s0=$(cpu_ticks "$server") || s0=0
  t0=$(date +%s.%N)
  sleep "$seconds"
  p1=$(cpu_ticks "$program") || { echo "$label ended during the measurement" >&2; exit 1; }
  [ -z "$server" ] || s1=$(cpu_ticks "$server") || s1=0
  t1=$(date +%s.%N)
  turns+=("$label $((p1 - p0)) $((s1 - s0)) $t0 $t1 $(status_kb "$program" RssAnon) \
$(status_kb "$yardstick" RssAnon)")
  if [ "$last" = 1 ]; then
    local idle base drawing= after base_after
    idle=$(status_kb "$program" RssAnon)
    base=$(status_kb "$yardstick" RssAnon)
    start_in notepad notepad
    notepad_launcher=$launched
    notepad=$(wait_pid "notepad")
    wine "$probe" find --class Notepad --visible --wait 30000 >/dev/null ||
      { echo "Notepad's window did not appear" >&2; exit 1; }
    local n
    for n in $(seq 1 "$gestures"); do
      xdotool "${stroke[@]}"
      if [ "$n" = "$gestures" ]; then
        sleep 0.5
        drawing=$(status_kb "$program" RssAnon)
      fi
      xdotool mouseup 3 sleep 1 key Escape sleep 0.5
    done
    sleep "$settle"
    kill -0 "$program" 2>/dev/null || { echo "$label ended during the gestures" >&2; exit 1; }
    after=$(status_kb "$program" RssAnon)
    base_after=$(status_kb "$yardstick" RssAnon)
    memory+=("$label $idle $base ${drawing:-0} $after $base_after")
    stop "$notepad" "$notepad_launcher"
    notepad=
  fi
  stop "$program" "$launcher"
  program=
}

name=$(basename "$exe")
start_in baseline "$baseline"
yardstick=$(wait_pid "baseline/$(basename "$baseline")")
mkdir -p "$data/program" ${compare:+"$data/compare"}
memory=()
for r in $(seq 1 "$rounds"); do
  last=0; [ "$r" = "$rounds" ] && last=1
  measure_turn program "$exe" "$last"
  [ -z "$compare" ] || measure_turn compare "$compare" "$last"
done

# The turns' CPU: each turn's row, then each build's total over all its turns.
cpu_rows() { # stdin: the turns; $1 1 to print every turn
  awk -v hz="$hz" -v each="$1" '{
    s = $2 / hz; w = $3 / hz; d = $5 - $4
    if (each) printf "  %-8s turn %d  CPU %5.2f s over %5.1f s = %5.2f%% of one core (wineserver %5.2f%%)   RssAnon %6d kB\n", $1, ++turn[$1], s, d, 100 * s / d, 100 * w / d, $6
    cpu[$1] += s; wall[$1] += d; srv[$1] += w
    if (!($1 in seen)) { seen[$1] = 1; order[++k] = $1 }
  } END {
    for (i = 1; i <= k; i++) {
      l = order[i]; pct[l] = 100 * cpu[l] / wall[l]
      printf "  %-8s all turns  CPU %5.2f s over %5.1f s = %5.3f%% of one core (wineserver %5.2f%%)\n", l, cpu[l], wall[l], pct[l], 100 * srv[l] / wall[l]
    }
    if (k == 2) printf "  difference (program - compare): %+.3f%% of one core\n", pct[order[1]] - pct[order[2]]
  }'
}
row() { # $1 label, $2 kB, $3 baseline kB
  awk -v l="$1" -v k="$2" -v b="$3" 'BEGIN {
    printf "  %-44s %7d kB   %+7d kB (%+.2f MB) above the baseline\n", l, k, k - b, (k - b) / 1024 }'
}
echo "Idle cost under Wine (prefix $prefix), ${seconds} s measured per turn after ${settle} s of settling:"
echo "  program: $exe"
[ -z "$compare" ] || echo "  compare: $compare"
printf '%s\n' "${turns[@]}" | cpu_rows "$([ ${#turns[@]} -gt 1 ] && echo 1 || echo 0)"
echo "Private memory (RssAnon) in the same Wine desktop, in each build's last turn:"
for m in "${memory[@]}"; do
  # shellcheck disable=SC2086
  set -- $m
  printf "  %-44s %7d kB (before), %d kB (after the gestures)\n" \
    "baseline $(basename "$baseline")" "$3" "$6"
  row "$1, idle before any gesture" "$2" "$3"
  row "$1, while a trail is drawn" "$4" "$3"
  row "$1, idle after $gestures gestures" "$5" "$6"
done
if [ ${#memory[@]} = 2 ]; then
  # shellcheck disable=SC2086
  set -- ${memory[0]} ${memory[1]}
  awk -v a="$2" -v ab="$3" -v b="$8" -v bb="$9" -v c="$5" -v cb="$6" -v d="${11}" -v db="${12}" 'BEGIN {
    i = (a - ab) - (b - bb); g = (c - cb) - (d - db)
    printf "  difference (program - compare), above the baseline: idle %+d kB (%+.2f MB), after the gestures %+d kB (%+.2f MB)\n", i, i / 1024, g, g / 1024 }'
fi
