#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
# Safe to repeat: it does nothing once everything is there.
set -euo pipefail
packages=(
  cmake make g++ googletest
  pkg-config libpng-dev libstb-dev  # the native exporter's PNG images; stb_image decodes them in the tests
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 xvfb xauth imagemagick
  locales  # a Japanese locale, in which Wine gives the program code page 932 for the tests
  chromium  # shows the user's guide in a test
  python3  # the library's Python module and its tests
)
# `make bench` only: the peers it measures against (Glyphdock uses none of them) and GNU time.
if [ "${1:-}" = --bench ]; then
  packages=(icoutils python3-icoextract icoextract-thumbnailer time)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
# Wine converts file names and command lines through the C library's locale: without this one
# the Japanese names of the tests would reach the program as seven-bit garbage.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  echo "Generating the locale ja_JP.UTF-8"
  $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
