#!/usr/bin/env bash
# Photographs the main window, the owner-drawn File menu (from the menu bar and as a context
# menu), the About box and Save All's folder chooser on the test prefix's virtual desktop, and
# the main window and File menu again at 150% (144 DPI),
# through the scenes of build/tools/glyphdock-scenes.exe. The user's guide embeds them.
# Usage: tools/ui-screenshots.sh [OUTPUT-FOLDER]   (default docs/; needs a prior build)
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$(cd "${1:-$here/docs}" && pwd)
export GLYPHDOCK_OUT="$out" GLYPHDOCK_HERE="$here"
exec "$here/tools/wine-session.sh" bash -c '
  set -uo pipefail
  shoot() {  # scene-filter picture
    dir=$(mktemp -d)
    GLYPHDOCK_SCENE_DIR="Z:${dir//\//\\}" wine "$GLYPHDOCK_HERE/build/tools/glyphdock-scenes.exe" \
      --gtest_filter="$1" </dev/null >"$dir/log" 2>&1 &
    pid=$!
    for _ in $(seq 300); do [ -s "$dir/ready" ] && break; sleep 0.1; done
    if [ -s "$dir/ready" ]; then
      read -r x y w h < "$dir/ready"
      import -window root -crop "${w}x${h}+${x}+${y}" +repage "$GLYPHDOCK_OUT/$2"
      echo "$GLYPHDOCK_OUT/$2"
    else
      echo "ui-screenshots: $1 did not show" >&2
    fi
    touch "$dir/done"
    wait "$pid"
    rm -rf "$dir"
  }
  shoot "SceneTest.MainWindow" main-window.png
  shoot "SceneTest.FileMenu" file-menu.png
  shoot "SceneTest.FileMenuOnUndoDelete" file-menu-disabled-item.png
  shoot "SceneTest.ContextMenu" context-menu.png
  shoot "SceneAbout.AboutBox" about-box.png
  shoot "SceneChooser.FolderChooser" folder-chooser.png
  # The same window at 150% (144 DPI): the scenes restart themselves with the prefix at that DPI.
  GLYPHDOCK_TEST_DPI=144 shoot "SceneTest.MainWindow" main-window-150.png
  GLYPHDOCK_TEST_DPI=144 shoot "SceneTest.FileMenu" file-menu-150.png
'
