#!/usr/bin/env bash
# Configures and builds the native tree (unit tests, sanitizers) and the Windows tree (the program,
# the Windows tests and the probe).
#   tools/build.sh [native|win|all]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
what=${1:-all}
if [ "$what" = native ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$root/build/native" -j2
fi
if [ "$what" = win ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$root/build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$root/build/win" -j2
fi
