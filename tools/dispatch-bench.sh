#!/usr/bin/env bash
# Measures what dispatching one gesture costs under Wine with the real profile routines, for
# gesture files of 10, 100 and 1,000 bindings (ms per dispatch, without the deliberate pauses).
#   tools/dispatch-bench.sh            builds in build/dispatch-bench (or in $FG_BENCH_BUILD)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${FG_BENCH_BUILD:-$root/build/dispatch-bench}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j2 --target dispatch_bench
"$root/tools/wine-run" "$build/wineprefix" "$build/dispatch_bench.exe" "$@"
