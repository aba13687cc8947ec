#!/usr/bin/env bash
# Configures and builds the native tree (unit tests, sanitizers) and the Windows tree (the program,
# the Windows tests and the probe).
#   tools/build.sh [native|win|all] [target...]   (targets: only those, e.g. Farrowglimmer)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
what=${1:-all}
shift || true
targets=()
for t in "$@"; do targets+=(--target "$t"); done
# A compiler cache, when the machine has one, makes rebuilds in other checkouts cheap.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")}
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
if [ "$what" = native ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug "${launcher[@]}" >/dev/null
  cmake --build "$root/build/native" -j2 "${targets[@]}"
fi
if [ "$what" = win ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$root/build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$root/build/win" -j2 "${targets[@]}"
fi
