#!/usr/bin/env bash
# `make bench`: the benchmark program under Wine, then Save All of the same shell library by
# icoutils' wrestool, when it is installed, for comparison; then the native Linux exporter (of
# RELEASE-BUILD): Save All, thumbnails next to icoextract's exe-thumbnailer when installed, and
# every image as PNG. Run inside tools/wine-session.sh.
# Usage: tools/bench.sh [BUILD [RELEASE-BUILD]]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="${1:-$here/build}"
release="${2:-$here/build-release}"
log=$(mktemp)
trap 'rm -rf "$log" "$log.out" "$log.native"' EXIT
"$here/tools/wine-run.sh" "$build/bench/glyphdock-bench.exe" | tr -d '\r' | tee "$log"
shell32="$build/wineprefix/drive_c/windows/system32/shell32.dll"
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
wrestool_ms=""
if command -v wrestool >/dev/null && [ -f "$shell32" ]; then
  mkdir -p "$log.out"
  start=$(now_ms)
  wrestool -x -t14 -o "$log.out" "$shell32"
  wrestool_ms=$(( $(now_ms) - start ))
  files=$(ls "$log.out" | wc -l)
  ours=$(sed -n 's/.*glyphdock_export_ms=\([0-9.]*\).*/\1/p' "$log")
  echo "saveall wrestool files=$files wrestool_ms=$wrestool_ms ratio=$(awk -v a="$ours" -v b="$wrestool_ms" 'BEGIN { printf "%.2f", (b > 0) ? a / b : 0 }')"
else
  echo "saveall wrestool: not installed (Debian package icoutils), no comparison"
fi

exporter="$release/glyphdock-export"
[ -x "$exporter" ] && [ -f "$shell32" ] || { echo "native: no release exporter at $exporter or no prefix"; exit 0; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", (b > 0) ? a / b : 0 }'; }
mkdir -p "$log.native/saveall" "$log.native/png" "$log.native/thumbs"
start=$(now_ms)
"$exporter" "$log.native/saveall" "$shell32" || true
ours_ms=$(( $(now_ms) - start ))
files=$(ls "$log.native/saveall" | wc -l)
if [ -n "$wrestool_ms" ]; then
  echo "native saveall shell32 files=$files ours_ms=$ours_ms wrestool_ms=$wrestool_ms ratio=$(ratio "$ours_ms" "$wrestool_ms")"
else
  echo "native saveall shell32 files=$files ours_ms=$ours_ms wrestool: not installed (Debian package icoutils)"
fi

# The prefix's programs and libraries with icons.
modules=()
while IFS= read -r -d '' f; do
  if [ -n "$("$exporter" --list "$f" 2>/dev/null | head -1)" ]; then modules+=("$f"); fi
done < <(find "$build/wineprefix/drive_c" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0 | sort -z)
start=$(now_ms)
n=0
for f in "${modules[@]}"; do
  "$exporter" --thumbnail 128 "$f" "$log.native/thumbs/$n.png" 2>/dev/null || true
  n=$((n + 1))
done
ours_ms=$(ratio "$(( $(now_ms) - start ))" "${#modules[@]}")
if command -v exe-thumbnailer >/dev/null; then
  start=$(now_ms)
  n=0
  for f in "${modules[@]}"; do
    exe-thumbnailer -s 128 "$f" "$log.native/thumbs/theirs-$n.png" >/dev/null 2>&1 || true
    n=$((n + 1))
  done
  theirs_ms=$(ratio "$(( $(now_ms) - start ))" "${#modules[@]}")
  echo "thumbnail files=${#modules[@]} ours_ms=$ours_ms exe_thumbnailer_ms=$theirs_ms ratio=$(ratio "$ours_ms" "$theirs_ms")"
else
  echo "thumbnail files=${#modules[@]} ours_ms=$ours_ms exe-thumbnailer: not installed (Debian package icoextract-thumbnailer)"
fi
start=$(now_ms)
"$exporter" --png "$log.native/png" "${modules[@]}" 2>/dev/null || true
echo "png files=${#modules[@]} images=$(ls "$log.native/png" | wc -l) ms=$(( $(now_ms) - start ))"
