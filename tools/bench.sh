#!/usr/bin/env bash
# Builds the benchmarks without sanitizers, optimised, and runs them.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/install-deps.sh"
cmake -S "$root" -B "$root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFG_SANITIZE=OFF >/dev/null
cmake --build "$root/build/bench" -j2 --target fg_bench
"$root/build/bench/fg_bench" "$@"
