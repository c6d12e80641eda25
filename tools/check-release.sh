#!/usr/bin/env bash
# Builds the release zip, unpacks it as a user would and checks it: the five files, README.txt
# with Windows' line ends, and a guide that a real browser shows, with every picture decoded.
# Usage: tools/check-release.sh CMAKE BUILD-FOLDER ZIP-NAME   (run by ctest)
set -uo pipefail
cmake=$1 build=$2 zip=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check-release: $*" >&2; exit 1; }

"$cmake" --build "$build" --target dist >"$work/build.log" 2>&1 || { cat "$work/build.log"; fail "make dist failed"; }
mkdir "$work/unpacked" && (cd "$work/unpacked" && "$cmake" -E tar xf "$build/$zip") || fail "$zip does not unpack"
folder="$work/unpacked/${zip%.zip}"
listed=$(cd "$folder" && ls -A | sort | tr '\n' ' ')
[ "$listed" = "LICENSE README.txt glyphdock-export.exe glyphdock.exe glyphdock.html " ] || fail "the zip holds: $listed"
[ -s "$folder/README.txt" ] && ! grep -qv $'\r$' "$folder/README.txt" || fail "README.txt has lines without CRLF"

guide="$folder/glyphdock.html"
grep -qi '<script' "$guide" && fail "the guide holds a script"
grep -qiE '(src|href)="(https?:)?//|url\(' "$guide" && fail "the guide loads something from outside"
pictures=$(grep -o '<img ' "$guide" | wc -l)
embedded=$(grep -o 'src="data:image/png;base64,' "$guide" | wc -l)
[ "$pictures" -gt 0 ] && [ "$pictures" -eq "$embedded" ] || fail "$pictures pictures, $embedded embedded"

chromium_run() {
  timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$(mktemp -d -p "$work")" "$@" 2>>"$work/chromium.log"
}
command -v chromium >/dev/null || fail "chromium is not installed (tools/install-deps.sh installs it)"

# A copy with a probe that counts, once the page has loaded, the pictures the browser could not decode.
sed 's|</body>|<script>addEventListener("load", () => { const all = [...document.images]; document.body.dataset.pictures = all.length + " " + all.filter(i => !i.complete \|\| i.naturalWidth == 0).length; });</script></body>|' \
  "$guide" >"$work/probe.html"
dom=$(chromium_run --virtual-time-budget=10000 --dump-dom "file://$work/probe.html")
# A here-string, not a pipe: grep -q stops at the match, and under pipefail the writer of a page
# larger than a pipe's buffer would fail the check.
grep -q "data-pictures=\"$pictures 0\"" <<<"$dom" ||
  fail "not every picture decodes: $(echo "$dom" | grep -o 'data-pictures="[^"]*"' || echo 'no answer from chromium')"

chromium_run --hide-scrollbars --window-size=1000,1400 --screenshot="$build/guide-screenshot.png" "file://$guide" >/dev/null
[ -s "$build/guide-screenshot.png" ] || { cat "$work/chromium.log"; fail "no screenshot of the guide"; }
colours=$(identify -format '%k' "$build/guide-screenshot.png") || fail "the screenshot does not decode"
[ "$colours" -gt 50 ] || fail "the guide's screenshot is blank ($colours colours)"
echo "release: 5 files, README.txt in CRLF, guide of $pictures pictures all decoded, screenshot of $colours colours"
