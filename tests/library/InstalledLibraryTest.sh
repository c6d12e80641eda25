#!/bin/bash
# The library as `make install` leaves it under DESTDIR: a C99 program built with only
# `pkg-config --cflags --libs glyphdock` lists a module's groups and writes group 0 byte for byte
# as the exporter does, and the installed Python module finds the library beside it.
# Arguments: BUILD_DIR LISTGROUPS_C EXPORTER FIXTURES PYTHON
set -euo pipefail
build=$1 program=$2 exporter=$3 fixtures=$4 python=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage=$work/stage prefix=/usr/local

DESTDIR=$stage cmake --install "$build" --prefix "$prefix" --component library >/dev/null
libdir=$(dirname "$(find "$stage" -name glyphdock.pc)")
export PKG_CONFIG_PATH=$libdir PKG_CONFIG_SYSROOT_DIR=$stage
# shellcheck disable=SC2046
cc -std=c99 -Wall -Wextra -Werror -o "$work/list-groups" "$program" $(pkg-config --cflags --libs glyphdock)
LD_LIBRARY_PATH=$(dirname "$libdir") "$work/list-groups" "$fixtures/icons.dll" "$work/group0.ico" >"$work/list"
printf '0\tMAIN\t3\n1\t7\t2\n2\t9\t2\n' | diff - "$work/list"
"$exporter" "$work/exported" "$fixtures/icons.dll" || true  # group 1 is damaged: status 1
cmp "$work/group0.ico" "$work/exported/icons_000.ico"

module=$(dirname "$(find "$stage" -path '*/glyphdock/__init__.py')")
env -u GLYPHDOCK_LIBRARY PYTHONPATH="$(dirname "$module")" PYTHONDONTWRITEBYTECODE=1 "$python" -c '
import sys, glyphdock
assert glyphdock.Module(sys.argv[1]).ico(0) == open(sys.argv[2], "rb").read()
' "$fixtures/icons.dll" "$work/group0.ico"
echo "installed tree: C program and Python module agree with the exporter"
