#!/usr/bin/env bash
# Proves the release zip reproducible: the tracked sources are copied into two folders of different
# names, each is packaged at its own time in its own time zone with no compiler cache, and the two
# zips and checksums must be the same bytes. Exits 0 when they are, 1 when not.
#   tools/package-check.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/install-deps.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

copy() {
  mkdir -p "$1"
  if git -C "$root" rev-parse --git-dir >/dev/null 2>&1; then
    (cd "$root" && git ls-files -z --cached --others --exclude-standard) |
      (cd "$root" && xargs -0 cp --parents -t "$1" 2>/dev/null || true)
  else
    (cd "$root" && tar --exclude=./build --exclude=./dist -cf - .) | tar -xf - -C "$1"
  fi
}

copy "$work/first-checkout"
copy "$work/second/a longer folder"
start=$(date +%s)
CCACHE_DISABLE=1 TZ=UTC bash "$work/first-checkout/tools/package.sh" "$work/out1" >/dev/null
sleep 2 # later by whole seconds: a time stamp of any resolution would differ
CCACHE_DISABLE=1 TZ=Asia/Kolkata bash "$work/second/a longer folder/tools/package.sh" \
  "$work/out2" >/dev/null
echo "two package builds in $(($(date +%s) - start)) s"

status=0
for f in "$work/out1"/*; do
  name=$(basename "$f")
  if cmp -s "$f" "$work/out2/$name"; then
    echo "same: $name"
  else
    echo "DIFFERENT: $name" >&2
    status=1
  fi
done
exe=$(python3 - "$work/out1"/*.zip <<'PY'
import struct, sys, zipfile
data = zipfile.ZipFile(sys.argv[1]).read("Farrowglimmer.exe")
pe = struct.unpack_from("<I", data, 0x3C)[0]
print(struct.unpack_from("<I", data, pe + 8)[0])
PY
)
echo "the exe's link time stamp: $exe"
[ "$exe" = 0 ] || { echo "the exe carries a link time" >&2; status=1; }
exit $status
