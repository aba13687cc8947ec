#!/usr/bin/env bash
# The release zip is reproducible: two package builds of this source tree, copied into folders of
# different names, with different file times, time zones and umasks, and without a compiler cache,
# give the same zip and checksum file byte for byte. Also checks the exe carries no link time and
# the zip's layout. Exit 125 (skip) only when a tool the build needs is missing.
#   tests/package/reproducible.sh SOURCE_ROOT
set -euo pipefail
root=$(cd "$1" && pwd)

for tool in cmake ninja python3 sha256sum cmp tar x86_64-w64-mingw32-g++-posix \
  x86_64-w64-mingw32-windres; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 125; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/fg-package.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The files git tracks (and new ones it would), as they are in the working tree; without git
# the working tree minus its build output.
copy_tree() {
  mkdir -p "$1"
  if [ -e "$root/.git" ] && command -v git >/dev/null; then
    (cd "$root" && git ls-files -z --cached --others --exclude-standard |
      while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
      tar --null -T - -cf -) | tar -xf - -C "$1"
  else
    tar -C "$root" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -xf - -C "$1"
  fi
}

one=$work/a
two=$work/second-copy/of/the/sources
copy_tree "$one"
copy_tree "$two"
# Other file times (in the past: a build tree newer than its sources is a finished one).
find "$two" -exec touch -h -d '2001-02-03 04:05:06' {} +

# Both copies lack .git: both take the commit time of this checkout (or the constant) as their
# files' time in the zip, as a build from a clone would.
epoch=1767225600
if [ -e "$root/.git" ] && command -v git >/dev/null; then
  epoch=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo $epoch)
fi

start=$(date +%s)
(umask 022; cd "$one" && TZ=UTC CCACHE_DISABLE=1 SOURCE_DATE_EPOCH=$epoch \
  bash tools/package.sh >"$work/one.log" 2>&1) || { tail -30 "$work/one.log"; exit 1; }
echo "first package build: $(($(date +%s) - start)) s"
start=$(date +%s)
(umask 077; cd "$work" && TZ=Pacific/Chatham LC_ALL=C CCACHE_DISABLE=1 SOURCE_DATE_EPOCH=$epoch \
  bash "$two/tools/package.sh" >"$work/two.log" 2>&1) || { tail -30 "$work/two.log"; exit 1; }
echo "second package build: $(($(date +%s) - start)) s"

zip_one=$(ls "$one"/dist/Farrowglimmer-*-win64.zip)
zip_two=$two/dist/$(basename "$zip_one")
status=0
cmp "$zip_one" "$zip_two" || status=1
cmp "$zip_one.sha256" "$zip_two.sha256" || status=1
(cd "$one/dist" && sha256sum --quiet -c "$(basename "$zip_one").sha256") || status=1
cat "$zip_one.sha256"

python3 - "$zip_one" <<'PY' || status=1
import struct, sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
names = z.namelist()
problems = []
if names != ["Farrowglimmer.exe", "README.txt", "LICENSE.txt"]:
    problems.append(f"entries {names}")
exe = z.read("Farrowglimmer.exe")
pe = struct.unpack_from("<I", exe, 0x3C)[0]
stamp = struct.unpack_from("<I", exe, pe + 8)[0] if exe[pe:pe + 4] == b"PE\0\0" else None
print(f"size {len(open(sys.argv[1], 'rb').read())} bytes; PE TimeDateStamp {stamp}")
if stamp != 0:
    problems.append(f"the exe's TimeDateStamp is {stamp}")
licence = z.read("LICENSE.txt")
if b"\r\n" not in licence or b"\n" in licence.replace(b"\r\n", b""):
    problems.append("LICENSE.txt does not have CR LF line ends throughout")
for p in problems:
    print("FAIL:", p)
sys.exit(1 if problems else 0)
PY
exit $status
