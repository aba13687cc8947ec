#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; installs only what is missing.
#   tools/install-deps.sh [package ...]   (default: all of them)
set -euo pipefail
packages=(
  cmake ninja-build g++ python3
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64 xvfb xdotool imagemagick x11-utils
  clang libclang-rt-14-dev
)
[ $# -eq 0 ] || packages=("$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
