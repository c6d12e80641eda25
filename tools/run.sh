#!/usr/bin/env bash
# Starts Glyphdock on the user's display with the user's own Wine prefix, so that the catalogue
# is seeded from the user's installed programs. Without a display, it runs on a virtual display
# instead, writes a screenshot of the main window and prints the screenshot's path.
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  shot=$("$here/tools/screenshot.sh" "$here/build/screenshot.png") || exit 1
  echo "No display: Glyphdock ran on a virtual display. Screenshot of its main window: $shot"
  exit 0
fi
WINEDEBUG="${WINEDEBUG:--all}" exec wine "$here/build/glyphdock.exe"
