#!/usr/bin/env bash
# `make bench`: the benchmark program under Wine, then Save All of the same shell library by
# icoutils' wrestool, when it is installed, for comparison; then tools/bench-native.sh, the native
# Linux exporter against its peers. Run inside tools/wine-session.sh.
# Usage: tools/bench.sh [BUILD [RELEASE-BUILD]]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="${1:-$here/build}"
release="${2:-$here/build-release}"
log=$(mktemp)
trap 'rm -rf "$log" "$log.out"' EXIT
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
GLYPHDOCK_BENCH_WRESTOOL_MS="$wrestool_ms" "$here/tools/bench-native.sh" "$build" "$release"
