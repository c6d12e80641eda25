#!/usr/bin/env bash
# Starts Glyphdock inside a Wine virtual desktop, waits for its main window, writes a PNG of the
# window and ends the program. Prints the picture's path.
# Usage: tools/screenshot.sh [OUTPUT.png]   (WINEPREFIX and DISPLAY are taken from the caller;
# without a display a private Xvfb is started and stopped again)
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out="${1:-$here/build/screenshot.png}"
export WINEDEBUG=-all

xvfb_pid=""
cleanup() {
  [ -n "${program_pid:-}" ] && kill "$program_pid" >/dev/null 2>&1
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" >/dev/null 2>&1; wait "$xvfb_pid" 2>/dev/null; fi
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 150 199); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    export DISPLAY=":$n"
    break
  done
fi

desktop="/desktop=Glyphdock,1024x768"
wine explorer "$desktop" "$here/build/glyphdock.exe" </dev/null >/dev/null 2>&1 &
program_pid=$!
rect_file=$(mktemp)
rm -f "$rect_file"
# The probe must run on the program's desktop to see its window.
wine explorer "$desktop" "$here/build/tools/window-probe.exe" "Z:$rect_file" </dev/null >/dev/null 2>&1 &
for _ in $(seq 600); do [ -s "$rect_file" ] && break; sleep 0.1; done
if [ ! -s "$rect_file" ]; then echo "screenshot: the main window did not appear" >&2; exit 1; fi
read -r x y w h < "$rect_file"
rm -f "$rect_file"
# The virtual desktop sits at the top left corner of the X screen.
import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out"
wine explorer "$desktop" "$here/build/tools/window-probe.exe" --close </dev/null >/dev/null 2>&1 &
closer_pid=$!
for _ in $(seq 150); do
  kill -0 "$program_pid" 2>/dev/null || kill -0 "$closer_pid" 2>/dev/null || break
  sleep 0.1
done
program_pid=""
# On a private display, whatever Wine still runs there would be stranded once it goes.
[ -n "$xvfb_pid" ] && wineserver -k >/dev/null 2>&1
echo "$out"
