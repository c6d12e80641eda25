#!/usr/bin/env bash
# Runs a command inside a Wine session for the tests: the hermetic prefix in the build tree
# (created once), an X display (a private Xvfb when none is set) and one persistent wineserver.
# Whatever it starts is stopped when the command ends, also on failure or interruption, and
# writes nothing to the terminal, so that nothing is left holding the caller's output open.
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${GLYPHDOCK_WINEPREFIX:-$here/build/wineprefix}"
export WINEDEBUG=-all
unset WINEARCH

xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" >/dev/null 2>&1; wait "$xvfb_pid" 2>/dev/null; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -z "${DISPLAY:-}" ]; then
  # A 24-bit screen: with fewer bits the program takes its low-colour image-list branch.
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    if kill -0 "$xvfb_pid" 2>/dev/null; then export DISPLAY=":$n"; break; fi
    xvfb_pid=""
  done
  [ -n "${DISPLAY:-}" ] || { echo "wine-session: could not start Xvfb" >&2; exit 1; }
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine-session: creating the test prefix $WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  timeout 600 wineboot -i </dev/null >/dev/null 2>&1 || { echo "wine-session: wineboot failed" >&2; exit 1; }
fi
# Every window of the tests lives in one virtual desktop: Wine draws the frames itself, as
# Windows does, and closing a window does not wait for a window manager that plain Xvfb lacks.
if ! grep -q 'Explorer\\\\Desktops' "$WINEPREFIX/user.reg" 2>/dev/null; then
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f </dev/null >/dev/null 2>&1
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
fi
# The server forks itself into the background and stays up until cleanup stops it.
wineserver -p </dev/null >/dev/null 2>&1
# The prefix's own background processes (services, the desktop) start with the first Wine
# program and inherit its output. Starting them here keeps them off the test runner's pipes,
# which the runner would otherwise wait on for ever.
wine cmd /c exit </dev/null >/dev/null 2>&1

"$@"
