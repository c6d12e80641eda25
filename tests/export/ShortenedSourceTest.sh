#!/usr/bin/env bash
# Both exporters, the Windows one under Wine and the Linux one, over a module that a Unix-side
# process shortens while they work on it: the module is named many times, and is cut to 4 KB as
# soon as the first icon file of its first export appears. Each run ends with status 1, never a
# crash: every icon file written is whole, and the sources whose bytes were lost are told on the
# error stream, with nothing else said.
# Usage: tests/export/ShortenedSourceTest.sh BUILD-FOLDER NATIVE-EXPORTER   (run by ctest under Wine)
set -uo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=$1 native=$2
fail() { echo "shortened-source: $*" >&2; exit 1; }
[ -x "$native" ] || fail "no native exporter at $native (make native-test builds it)"
drive="$build/wineprefix/drive_c"
work="$drive/glyphdock-shortened"
rm -rf "$work" && mkdir -p "$work" || fail "cannot make $work"
trap 'rm -rf "$work"' EXIT
cp "$drive/windows/system32/shell32.dll" "$work/intact.dll" || fail "no shell32.dll in the test prefix"

# A crash under Wine starts its debugger, which waits: a run that does not end is ended.
windows() { timeout 120 "$here/tools/wine-run.sh" "$build/glyphdock-export.exe" "$@"; }
copies=30

for exporter in windows native; do
  if [ "$exporter" = windows ]; then
    run=windows folder='C:\glyphdock-shortened' separator='\'
  else
    run=$native folder=$work separator=/
  fi
  out="$work/$exporter" reference="$work/$exporter-reference"
  $run "$folder$separator$exporter-reference" "$folder${separator}intact.dll" || fail "$exporter: the intact module"
  cp "$work/intact.dll" "$work/shell32.dll"
  sources=()
  for _ in $(seq $copies); do sources+=("$folder${separator}shell32.dll"); done
  $run "$folder$separator$exporter" "${sources[@]}" 2>"$work/errors" &
  pid=$!
  until compgen -G "$out/*.ico" >/dev/null || ! kill -0 $pid 2>/dev/null; do sleep 0.005; done
  truncate -s 4096 "$work/shell32.dll"
  wait $pid
  status=$?
  [ "$status" -eq 1 ] || fail "$exporter: status $status: $(cat "$work/errors")"
  told=$(grep -c "shell32.dll: Not every icon group could be exported" "$work/errors")
  [ "$told" -ge 1 ] || fail "$exporter: no source told of $copies"
  [ "$(grep shell32.dll "$work/errors" | grep -vc "Not every icon group could be exported")" -eq 0 ] ||
    fail "$exporter: $(cat "$work/errors")"
  written=0
  for file in "$out"/*.ico; do
    cmp -s "$file" "$reference/intact_${file##*_}" || fail "$exporter: ${file##*/} is not whole"
    written=$((written + 1))
  done
  [ "$written" -ge 1 ] || fail "$exporter: nothing written"
  echo "$exporter: $written whole icon files, $told of $copies sources told"
done
