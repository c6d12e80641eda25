#!/usr/bin/env bash
# Writes everything an exporter answers for a fixed set of sources into OUT, so that two builds
# of it can be compared with `diff -r`: per source its ICO files, --list, --png and --thumbnail
# 48/256 output (Linux exporter), standard output, error output and exit status. The sources are
# every module of the test prefix's windows folder with icons, the build's fixtures (*.dll,
# *.ico) and four generated 16-bit modules.
# Usage: tools/compare-exports.sh EXPORTER OUT [BUILD-FOLDER [LIKE]]
#   EXPORTER ending in .exe runs under Wine (inside tools/wine-session.sh), ICO files and --list
#   only; with LIKE, an earlier OUT, only the sources that run kept (each Wine start costs).
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
exporter=$1 out=$2 build=${3:-$here/build} like=${4:-}
drive="$build/wineprefix/drive_c"
[ -d "$drive/windows" ] || { echo "no test prefix in $build" >&2; exit 1; }
rm -rf "$out" && mkdir -p "$out" || exit 1
out=$(cd "$out" && pwd)

# The generated modules live in the prefix, so that the Windows exporter reaches them too.
generated="$drive/glyphdock-compare-sources"
mkdir -p "$generated"
g++ -std=c++20 -O1 -I"$here/tests" "$here/tools/compare-exports/MakeNeModules.cpp" \
    "$here/tests/fixtures/IconFixtures.cpp" -o "$generated/make-ne-modules" || exit 1
"$generated/make-ne-modules" "$generated" || exit 1
cp "$build"/fixtures/*.dll "$build"/fixtures/*.ico "$generated/" 2>/dev/null

sources=()
while IFS= read -r -d '' f; do sources+=("$f"); done < <(
  { find "$drive/windows" -type f \( -iname '*.exe' -o -iname '*.dll' -o -iname '*.ocx' -o -iname '*.cpl' \) -print0
    find "$generated" -type f \( -name '*.dll' -o -name '*.exe' -o -name '*.ico' \) -print0; } | sort -z)

windows=false
case "$exporter" in *.exe) windows=true ;; esac
run() {  # run NAME ARGS...: the exporter's answer into $out/NAME.{out,err,status}
  local name=$1; shift
  if $windows; then
    local args=() a
    for a in "$@"; do
      case "$a" in "$drive"/*) a="C:\\${a#"$drive"/}"; a=${a//\//\\} ;; esac
      args+=("$a")
    done
    "$here/tools/wine-run.sh" "$exporter" "${args[@]}" >"$out/$name.out" 2>"$out/$name.err"
  else
    "$exporter" "$@" >"$out/$name.out" 2>"$out/$name.err"
  fi
  echo $? >"$out/$name.status"
}

modules=0
for f in "${sources[@]}"; do
  # A module without icon groups is left out, as long as both exporters agree on it.
  key=${f#"$drive"/}; key=${key//\//_}
  [ -z "$like" ] || [ -e "$like/$key.list.status" ] || continue
  run "$key.list" --list "$f"
  if [ ! -s "$out/$key.list.out" ] && [ "$(cat "$out/$key.list.status")" != 0 ] &&
     ! grep -q 'glyphdock-compare-sources' <<<"$f"; then
    rm -f "$out/$key.list".*; continue
  fi
  modules=$((modules + 1))
  # Outputs go to the same place in every run, as messages name them.
  work="$drive/glyphdock-compare-out"
  rm -rf "$work" && mkdir -p "$work"
  run "$key.ico" "$work/ico" "$f"
  if ! $windows; then
    run "$key.png" --png "$work/png" "$f"
    run "$key.thumb48" --thumbnail 48 "$f" "$work/thumb48.png"
    run "$key.thumb256" --thumbnail 256 "$f" "$work/thumb256.png"
  fi
  mv "$work" "$out/$key.files"
done
rm -rf "$drive/glyphdock-compare-out" "$generated"
# Paths in messages name this run's folders; they are the same for both runs.
echo "$modules sources, $(find "$out" -type f | wc -l) files in $out"
