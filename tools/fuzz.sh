#!/usr/bin/env bash
# Builds the icon engine's libFuzzer target with clang (AddressSanitizer and UBSan), in a build
# tree of its own configured with GLYPHDOCK_FUZZ, and runs it for SECONDS (default 60) from a
# corpus seeded by the tests' icon generators. Crashing inputs land in build-native/fuzz/. Not
# part of `make test`; needs Debian's clang, libclang-rt-*-dev and libpng-dev.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/build-native/fuzz"
seconds="${1:-60}"
mkdir -p "$out/corpus"
[ -f "$out/tree/CMakeCache.txt" ] ||
  cmake -S "$here" -B "$out/tree" -DCMAKE_BUILD_TYPE=Debug -DGLYPHDOCK_FUZZ=ON \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS=-O1 >/dev/null
cmake --build "$out/tree" -j2 --target engine-fuzz make-seeds
"$out/tree/make-seeds" "$out/corpus"
cd "$out"
"$out/tree/engine-fuzz" -max_total_time="$seconds" -max_len=65536 corpus
