#!/usr/bin/env bash
# Builds the release exe and writes the zip a Windows user downloads, with its checksum:
#   dist/Farrowglimmer-<version>-win64.zip and dist/Farrowglimmer-<version>-win64.zip.sha256
# The zip holds Farrowglimmer.exe, README.txt and LICENSE.txt, always in that order, with fixed
# times and attributes, so two builds of one commit give the same bytes wherever and whenever they
# run (tools/package-check.sh proves it).
#   tools/package.sh [output folder, default dist]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$(realpath -m "${1:-$root/dist}")
"$root/tools/install-deps.sh"

build="$root/build/package"
launcher=()
if command -v ccache >/dev/null && [ -z "${CCACHE_DISABLE:-}" ]; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")}
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j2 --target Farrowglimmer >/dev/null

version=$(cat "$build/generated/version.txt")
name="Farrowglimmer-$version-win64"
mkdir -p "$out"
python3 - "$build/Farrowglimmer.exe" "$root/docs/release-readme.txt" "$root/LICENSE" \
  "$out/$name.zip" <<'EOF'
import sys, zipfile

exe, readme, licence, target = sys.argv[1:]


def crlf(path):
    text = open(path, encoding="utf-8").read().replace("\r\n", "\n")
    return text.replace("\n", "\r\n").encode("utf-8")


entries = [("Farrowglimmer.exe", open(exe, "rb").read()),
           ("README.txt", crlf(readme)),
           ("LICENSE.txt", crlf(licence))]
with zipfile.ZipFile(target, "w") as z:
    for name, data in entries:
        info = zipfile.ZipInfo(name, date_time=(2000, 1, 1, 0, 0, 0))
        info.compress_type = zipfile.ZIP_DEFLATED
        info.create_system = 0  # as made on Windows: no Unix owner or mode bits
        info.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE
        z.writestr(info, data, compresslevel=9)
EOF
(cd "$out" && sha256sum "$name.zip" >"$name.zip.sha256")
echo "$out/$name.zip ($(stat -c %s "$out/$name.zip") bytes)"
cat "$out/$name.zip.sha256"
