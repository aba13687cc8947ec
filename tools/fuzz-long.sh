#!/usr/bin/env bash
# Runs every fuzz target for a long time, one after the other, and prints a table of what each did.
#   tools/fuzz-long.sh [seconds per target, default 600] [target ...]
# The targets keep the inputs they find in build/native/fuzz/corpus/<target> (as the short runs of
# the test suite do); a failing input is saved in build/native/fuzz/artifacts and named in the table.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-600}
shift || true
"$root/tools/install-deps.sh"
"$root/tools/build.sh" native
fuzz="$root/build/native/fuzz"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in "$root"/tests/fuzz/*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
status=0
for t in "${targets[@]}"; do
  mkdir -p "$fuzz/corpus/$t" "$fuzz/artifacts"
  seeds=()
  [ -d "$root/tests/fuzz/corpus/$t" ] && seeds=("$root/tests/fuzz/corpus/$t")
  echo "== $t: $seconds s" >&2
  if ! "$fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$fuzz/artifacts/$t-" "$fuzz/corpus/$t" "${seeds[@]}" >"$logs/$t" 2>&1; then
    status=1
  fi
done

# libFuzzer's final statistics: runs, time, coverage, corpus, peak memory, and any failure.
printf '%-26s %12s %8s %8s %10s %8s %s\n' target runs seconds "exec/s" coverage corpus "result"
for t in "${targets[@]}"; do
  f="$logs/$t"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$f")
  secs=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$f")
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$f")
  cov=$(grep -o 'cov: [0-9]*' "$f" | tail -1 | cut -d' ' -f2)
  corp=$(grep -o 'corp: [0-9]*' "$f" | tail -1 | cut -d' ' -f2)
  result=ok
  grep -q '^==[0-9]*==ERROR\|^SUMMARY:\|deadly signal\|Test unit written' "$f" && result="FAILED (see $fuzz/artifacts)"
  printf '%-26s %12s %8s %8s %10s %8s %s\n' "$t" "${runs:-?}" "${secs:-?}" "${speed:-?}" \
    "${cov:-?}" "${corp:-?}" "$result"
done
exit $status
