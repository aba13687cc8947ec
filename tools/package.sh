#!/usr/bin/env bash
# Builds the release exe and writes the zip users download, with its checksum:
#   dist/Farrowglimmer-<version>-win64.zip and dist/Farrowglimmer-<version>-win64.zip.sha256
# The same commit gives the same bytes wherever and whenever it is built. The files' times in the
# zip are SOURCE_DATE_EPOCH when set, else the commit time of HEAD, else 2026-01-01 00:00 UTC.
#   tools/package.sh [output folder, default dist]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:-$root/dist}

"$root/tools/install-deps.sh" cmake ninja-build python3 g++-mingw-w64-x86-64-posix mingw-w64-tools

build=$root/build/package
launcher=()
if [ "${CCACHE_DISABLE:-}" != 1 ] && command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")}
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j2 --target Farrowglimmer

# The version the exe's version resource carries.
version=$(sed -n 's/^#define FG_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/version.h")
[ -n "$version" ] || { echo "no version in $build/generated/version.h" >&2; exit 1; }

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=1767225600
  if [ -e "$root/.git" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 1767225600)
  fi
fi
name=Farrowglimmer-$version-win64.zip
mkdir -p "$out"
python3 -B "$root/tools/make-zip.py" "$out/$name" "$SOURCE_DATE_EPOCH" \
  Farrowglimmer.exe="$build/Farrowglimmer.exe" \
  README.txt="$root/res/README.txt" \
  LICENSE.txt="$root/LICENSE"
(cd "$out" && sha256sum "$name" >"$name.sha256")
echo "$out/$name"
