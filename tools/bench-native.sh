#!/usr/bin/env bash
# The native Linux exporter (of RELEASE-BUILD) against its peers, on the modules of BUILD's Wine
# prefix; Wine itself is not started, so this part runs alone too. Lines: Save All of shell32
# next to icoutils' wrestool, one --json call over 1000 module files next to one Python process
# using Debian's icoextract library, thumbnails next to icoextract's exe-thumbnailer, a module with
# 2 GB appended, and every image as PNG. A peer that is not installed says so.
# Usage: tools/bench-native.sh [BUILD [RELEASE-BUILD]]
# GLYPHDOCK_BENCH_WRESTOOL_MS: wrestool's Save All of shell32, when tools/bench.sh timed it already.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="${1:-$here/build}"
release="${2:-$here/build-release}"
exporter="$release/glyphdock-export"
shell32="$build/wineprefix/drive_c/windows/system32/shell32.dll"
[ -x "$exporter" ] && [ -f "$shell32" ] || { echo "native: no release exporter at $exporter or no prefix"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", (b > 0) ? a / b : 0 }'; }
# Debian's packages install their Python modules for the system's Python, not for a pyenv one.
python=/usr/bin/python3
have_icoextract() { [ -x "$python" ] && "$python" -c 'import icoextract' 2>/dev/null; }

wrestool_ms="${GLYPHDOCK_BENCH_WRESTOOL_MS:-}"
if [ -z "$wrestool_ms" ] && command -v wrestool >/dev/null; then
  mkdir -p "$work/wrestool"
  start=$(now_ms)
  wrestool -x -t14 -o "$work/wrestool" "$shell32"
  wrestool_ms=$(( $(now_ms) - start ))
fi
mkdir -p "$work/saveall" "$work/png" "$work/thumbs"
start=$(now_ms)
"$exporter" "$work/saveall" "$shell32" || true
ours_ms=$(( $(now_ms) - start ))
files=$(ls "$work/saveall" | wc -l)
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

# 1000 module files: hard links to the modules (copies across file systems), each file read anew
# by name, as a launcher meets them.
mkdir -p "$work/many"
many=()
for ((k = 0; k < 1000; k++)); do
  f="${modules[k % ${#modules[@]}]}"
  link="$work/many/$k-$(basename "$f")"
  ln "$f" "$link" 2>/dev/null || cp "$f" "$link"
  many+=("$link")
done
start=$(now_ms)
"$exporter" --json "${many[@]}" >"$work/many.json" 2>/dev/null || true
ours_ms=$(( $(now_ms) - start ))
if have_icoextract; then
  start=$(now_ms)
  printf '%s\n' "${many[@]}" | "$python" -c '
import sys
from icoextract import IconExtractor
for line in sys.stdin:
    try:
        IconExtractor(line.rstrip("\n")).list_group_icons()
    except Exception:
        pass
'
  theirs_ms=$(( $(now_ms) - start ))
  echo "json files=${#many[@]} ours_ms=$ours_ms icoextract_ms=$theirs_ms ratio=$(ratio "$ours_ms" "$theirs_ms")"
else
  echo "json files=${#many[@]} ours_ms=$ours_ms icoextract: not installed (Debian package python3-icoextract)"
fi

start=$(now_ms)
n=0
for f in "${modules[@]}"; do
  "$exporter" --thumbnail 128 "$f" "$work/thumbs/$n.png" 2>/dev/null || true
  n=$((n + 1))
done
ours_ms=$(ratio "$(( $(now_ms) - start ))" "${#modules[@]}")
if command -v exe-thumbnailer >/dev/null; then
  start=$(now_ms)
  n=0
  for f in "${modules[@]}"; do
    exe-thumbnailer -s 128 "$f" "$work/thumbs/theirs-$n.png" >/dev/null 2>&1 || true
    n=$((n + 1))
  done
  theirs_ms=$(ratio "$(( $(now_ms) - start ))" "${#modules[@]}")
  echo "thumbnail files=${#modules[@]} ours_ms=$ours_ms exe_thumbnailer_ms=$theirs_ms ratio=$(ratio "$ours_ms" "$theirs_ms")"
else
  echo "thumbnail files=${#modules[@]} ours_ms=$ours_ms exe-thumbnailer: not installed (Debian package icoextract-thumbnailer)"
fi

# shell32 with 2 GB appended after its image, a sparse file: --json and a thumbnail of it, with
# the peak resident memory of either process (GNU time's %M, else Python's view of its children).
big="$work/big.dll"
cp "$shell32" "$big"
truncate -s +2G "$big"
peak_kb() {  # runs "$@", prints the peak resident set in KiB
  if [ -x /usr/bin/time ]; then
    /usr/bin/time -f %M -o "$work/rss" "$@" >/dev/null 2>&1 || true
    tail -1 "$work/rss"
  else
    "$python" -c 'import resource, subprocess, sys
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)' "$@"
  fi
}
start=$(now_ms)
json_kb=$(peak_kb "$exporter" --json "$big")
thumb_kb=$(peak_kb "$exporter" --thumbnail 256 "$big" "$work/big.png")
ours_ms=$(( $(now_ms) - start ))
rss_mb=$(awk -v a="$json_kb" -v b="$thumb_kb" 'BEGIN { printf "%.1f", ((a > b) ? a : b) / 1024 }')
line="bigfile appended_mb=2048 ours_ms=$ours_ms ours_rss_mb=$rss_mb"
[ -s "$work/big.png" ] || line="$line ours_thumbnail=failed"
if have_icoextract; then
  start=$(now_ms)
  if "$python" -c '
import sys
from icoextract import IconExtractor
extractor = IconExtractor(sys.argv[1])
extractor.list_group_icons()
extractor.export_icon(sys.argv[2], num=0)
' "$big" "$work/big-theirs.ico" >/dev/null 2>&1; then
    line="$line icoextract_ms=$(( $(now_ms) - start ))"
  else
    line="$line icoextract_ms=failed($(( $(now_ms) - start )))"
  fi
else
  line="$line icoextract: not installed"
fi
if command -v wrestool >/dev/null; then
  mkdir -p "$work/big-wrestool"
  start=$(now_ms)
  if wrestool -x -t14 -o "$work/big-wrestool" "$big" >/dev/null 2>&1 && [ -n "$(ls "$work/big-wrestool")" ]; then
    line="$line wrestool_ms=$(( $(now_ms) - start ))"
  else
    line="$line wrestool_ms=failed($(( $(now_ms) - start )))"
  fi
else
  line="$line wrestool: not installed"
fi
echo "$line"

start=$(now_ms)
"$exporter" --png "$work/png" "${modules[@]}" 2>/dev/null || true
echo "png files=${#modules[@]} images=$(ls "$work/png" | wc -l) ms=$(( $(now_ms) - start ))"
