#!/usr/bin/env bash
# The native Linux exporter writes the same ICO files, byte for byte, and ends with the same
# status as the Windows exporter under Wine, for every module of the test prefix with icons.
# Usage: tools/check-native-export.sh BUILD-FOLDER NATIVE-EXPORTER   (run by ctest under Wine)
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$1 native=$2
fail() { echo "check-native-export: $*" >&2; exit 1; }
[ -x "$native" ] || fail "no native exporter at $native (make native-test builds it)"
drive="$build/wineprefix/drive_c"
work="$drive/glyphdock-compare"
rm -rf "$work" && mkdir -p "$work/windows" "$work/native" || fail "cannot make $work"
trap 'rm -rf "$work"' EXIT

modules=() windows=()
while IFS= read -r -d '' f; do
  [ -n "$("$native" --list "$f" 2>/dev/null | head -1)" ] || continue
  modules+=("$f")
  relative=${f#"$drive"/}
  windows+=("C:\\${relative//\//\\}")
done < <(find "$drive" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0 | sort -z)
[ ${#modules[@]} -ge 5 ] || fail "only ${#modules[@]} modules with icons in the prefix"

"$native" "$work/native" "${modules[@]}" 2>"$work/native.err"
native_status=$?
"$here/tools/wine-run.sh" "$build/glyphdock-export.exe" 'C:\glyphdock-compare\windows' "${windows[@]}" 2>"$work/windows.err"
windows_status=$?
[ "$native_status" -eq "$windows_status" ] ||
  fail "status $native_status natively, $windows_status under Wine: $(cat "$work/native.err" "$work/windows.err")"
diff -r "$work/windows" "$work/native" >&2 || fail "the ICO files differ"
echo "$(ls "$work/native" | wc -l) ICO files alike from ${#modules[@]} modules"
