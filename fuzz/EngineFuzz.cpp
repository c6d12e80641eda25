// libFuzzer target over the icon engine's parsing: 16-bit modules, 32- and 64-bit modules with
// the pictures of their groups, and group directories with the images they name. Built and run
// by tools/fuzz.sh, with AddressSanitizer and UndefinedBehaviorSanitizer.
//
// Input: one selector byte, then either a 16-bit module (odd selector), a PE module (selector
// with bit 2 set), one icon image (bit 3 set: decoded, written as PNG, read back and scaled), a
// version resource (bit 4 set; bit 5 set for a 32- or 64-bit module's), or a 16-bit directory length, the directory,
// and the images as chunks each preceded by a 16-bit length; an entry's id names chunk (id % chunk count).
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "engine/GroupDirectory.h"
#include "engine/IcoLayout.h"
#include "engine/IconPicture.h"
#include "engine/NeModule.h"
#include "engine/PeResources.h"
#include "engine/Thumbnail.h"
#include "engine/linux/PngCodec.h"
#include "support/EngineDrivers.h"

namespace {

void GroupWithImages(ByteSpan input) {
    uint16_t directoryLength = 0;
    ByteSpan directory;
    if (!input.U16(0, directoryLength) || !input.Part(2, directoryLength, directory)) return;
    // Each chunk is copied into a block of its own size, so that reads past it are caught.
    std::vector<std::vector<unsigned char>> chunks;
    for (uint64_t at = 2u + directoryLength;;) {
        uint16_t length = 0;
        ByteSpan chunk;
        if (!input.U16(at, length) || !input.Part(at + 2, length, chunk)) break;
        chunks.emplace_back(chunk.Data(), chunk.Data() + chunk.Size());
        at += 2u + length;
    }
    const ImageFinder find = [&](uint16_t id, ByteSpan& image) {
        if (chunks.empty()) return false;
        const std::vector<unsigned char>& chunk = chunks[id % chunks.size()];
        image = ByteSpan(chunk.data(), chunk.size());
        return true;
    };
    ThroughGroupAssembly(directory, find);
}

void OneImage(ByteSpan image) {
    ImageFacts facts;
    IconImageFacts(image, facts);
    RgbaImage picture;
    if (DecodeIconImage(image, picture) != ImageDecode::Decoded) return;
    // What we write, we read back as it was.
    std::vector<unsigned char> png;
    RgbaImage again;
    if (!EncodePng(picture, png) || DecodePngImage(ByteSpan(png.data(), png.size()), again) != ImageDecode::Decoded ||
        again.pixels != picture.pixels)
        __builtin_trap();
    RgbaImage scaled;
    ScaleToFit(picture, 48, scaled);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    // A copy of exactly the input's size behind the selector.
    std::vector<unsigned char> bytes(data + 1, data + size);
    const ByteSpan input(bytes.data(), bytes.size());
    if (data[0] & 1)
        ThroughNeModule(input);
    else if (data[0] & 4)
        ThroughPeModule(input, {24});
    else if (data[0] & 8)
        OneImage(input);
    else if (data[0] & 16)
        ThroughVersion(input, (data[0] & 32) != 0);
    else
        GroupWithImages(input);
    return 0;
}
