#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
# Safe to repeat: it does nothing once everything is there.
set -euo pipefail
packages=(
  cmake make g++ googletest
  pkg-config libpng-dev libstb-dev  # the native exporter's PNG images; stb_image decodes them in the tests
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 xvfb xauth imagemagick
  chromium  # shows the user's guide in a test
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
