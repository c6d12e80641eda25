#!/usr/bin/env bash
# Builds the icon engine's libFuzzer target with clang (AddressSanitizer and UBSan) and runs it
# for SECONDS (default 60) from a corpus seeded by the tests' icon generators. Crashing inputs
# land in build-native/fuzz/. Not part of `make test`; needs Debian's clang, libclang-rt-*-dev and libpng-dev.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/build-native/fuzz"
seconds="${1:-60}"
mkdir -p "$out/corpus"
engine=(src/engine/IconRecord.cpp src/engine/GroupDirectory.cpp src/engine/IcoLayout.cpp src/engine/NeModule.cpp
        src/engine/PeResources.cpp src/engine/SourceBytes.cpp src/engine/IconPicture.cpp src/files/TextFunctions.cpp
        src/engine/BitmapDecoder.cpp src/engine/ImageFacts.cpp src/engine/Thumbnail.cpp src/native/PngCodec.cpp)
cd "$here"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -Isrc -Itests \
  "${engine[@]}" fuzz/EngineFuzz.cpp -lpng16 -o "$out/engine-fuzz"
g++ -std=c++20 -O1 -Itests fuzz/MakeSeeds.cpp tests/fixtures/IconFixtures.cpp tests/fixtures/PeFixtures.cpp -o "$out/make-seeds"
"$out/make-seeds" "$out/corpus"
cd "$out"
./engine-fuzz -max_total_time="$seconds" -max_len=65536 corpus
