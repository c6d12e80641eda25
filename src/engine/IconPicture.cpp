#include "engine/IconPicture.h"

#include <cstdlib>
#include <cstring>

#include "engine/IconRecord.h"

namespace {

constexpr size_t IcoEntryBytes = 16;

void Add(std::vector<IconCandidate>& candidates, uint8_t width, uint8_t height, uint16_t bitCount) {
    IconCandidate candidate;
    candidate.width = width;
    candidate.height = height;
    if (!width && !height) candidate.width = candidate.height = 256;
    candidate.bitCount = bitCount;
    candidates.push_back(candidate);
}

GroupPicture Picture(ByteSpan image, IconPicture& picture) {
    switch (DecodeIconPicture(image, picture)) {
    case PictureDecode::Decoded: return GroupPicture::Decoded;
    case PictureDecode::NeedsSystem: return GroupPicture::System;
    case PictureDecode::Unreadable: break;
    }
    return GroupPicture::Blank;
}

}  // namespace

void FitPicture(IconPicture& picture) {
    const size_t pixels = static_cast<size_t>(PictureSide(picture)) * static_cast<size_t>(PictureSide(picture));
    picture.colour.assign(pixels, 0);
    picture.mask.assign(pixels, 0);
}

int ChooseIconImage(const std::vector<IconCandidate>& candidates, int width, int height, int depth) {
    unsigned bestTotal = ~0u, bestX = 0, bestY = 0;
    for (const IconCandidate& c : candidates) {
        const unsigned x = static_cast<unsigned>(std::abs(width - c.width));
        const unsigned y = static_cast<unsigned>(std::abs(height - c.height));
        if (x + y < bestTotal) {
            bestTotal = x + y;
            bestX = x;
            bestY = y;
        }
    }
    int best = -1;
    unsigned bestColour = ~0u;
    for (size_t i = 0; i < candidates.size(); ++i) {
        const IconCandidate& c = candidates[i];
        if (static_cast<unsigned>(std::abs(width - c.width)) != bestX ||
            static_cast<unsigned>(std::abs(height - c.height)) != bestY)
            continue;
        const unsigned colour = static_cast<unsigned>(std::abs(depth - c.bitCount));
        if (colour < bestColour) {
            bestColour = colour;
            best = static_cast<int>(i);
        }
    }
    return best;
}

int PickIconImage(ByteSpan directory, size_t entryBytes, int size, int depth) {
    uint16_t count = 0;
    if (!directory.U16(4, count) || !directory.Holds(GroupHeaderBytes, uint64_t{entryBytes} * count)) return -1;
    const unsigned char* entries = directory.Data() + GroupHeaderBytes;
    const int asked = SystemIconChoice(entries, entryBytes, count, size, depth);
    if (asked >= 0) return asked;
    std::vector<IconCandidate> candidates;
    for (size_t k = 0; k < count; ++k) {
        const unsigned char* p = entries + entryBytes * k;
        Add(candidates, p[0], p[1], LittleU16(p + 6));
    }
    return ChooseIconImage(candidates, size, size, depth);
}

bool IcoFileCandidates(ByteSpan file, std::vector<IconCandidate>& candidates, std::vector<ByteSpan>& images) {
    candidates.clear();
    images.clear();
    uint16_t reserved = 1, type = 0, count = 0;
    if (!file.U16(0, reserved) || !file.U16(2, type) || !file.U16(4, count) || reserved != 0 || type != 1 ||
        count == 0 || !file.Holds(6, uint64_t{IcoEntryBytes} * count))
        return false;
    for (uint16_t k = 0; k < count; ++k) {
        const uint64_t at = 6 + uint64_t{IcoEntryBytes} * k;
        const unsigned char* p = file.Data() + at;
        ByteSpan image;
        if (!file.Part(LittleU32(p + 12), LittleU32(p + 8), image)) image = ByteSpan();
        Add(candidates, p[0], p[1], LittleU16(p + 6));
        images.push_back(image);
    }
    return true;
}

uint64_t SystemImageBytes(ByteSpan image) {
    if (!IsSoundIconImage(image)) return 0;
    if (IsPngImage(image)) return image.Size();
    const unsigned char* header = image.Data();
    const uint32_t headerSize = LittleU32(header);
    const uint16_t planes = LittleU16(header + 12), bitCount = LittleU16(header + 14);
    const uint32_t compression = LittleU32(header + 16), coloursUsed = LittleU32(header + 32);
    const uint64_t width = LittleU32(header + 4), height = LittleU32(header + 8) / 2;
    if (planes != 1 || coloursUsed > 256) return 0;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32) return 0;
    const bool bitFields = compression == 3 && (bitCount == 16 || bitCount == 32);
    if (compression != 0 && !bitFields) return 0;
    const uint64_t colours = coloursUsed ? coloursUsed : (bitCount <= 8 ? 1u << bitCount : 0);
    const uint64_t minimumHeader = bitFields ? 52 : 40;
    const uint64_t colourStart = (headerSize > minimumHeader ? headerSize : minimumHeader) + 4 * colours;
    const uint64_t colourEnd = colourStart + (width * bitCount + 31) / 32 * 4 * height;
    if (!image.Holds(0, colourEnd)) return 0;
    return colourEnd + (width + 31) / 32 * 4 * height;
}

PictureDecode DecodeIconPicture(ByteSpan image, IconPicture& picture) {
    const uint64_t systemBytes = SystemImageBytes(image);
    if (systemBytes == 0) return PictureDecode::Unreadable;
    if (IsPngImage(image) || systemBytes > image.Size()) return PictureDecode::NeedsSystem;
    const unsigned char* header = image.Data();
    const uint32_t headerSize = LittleU32(header);
    const int32_t width = static_cast<int32_t>(LittleU32(header + 4));
    const int32_t height = static_cast<int32_t>(LittleU32(header + 8));
    const uint16_t bitCount = LittleU16(header + 14);
    const uint32_t compression = LittleU32(header + 16), coloursUsed = LittleU32(header + 32);
    const int size = PictureSide(picture);
    if (headerSize != BitmapHeaderSize || width != size || height != 2 * size || compression != 0 || bitCount == 16)
        return PictureDecode::NeedsSystem;
    const uint32_t tableSize = bitCount <= 8 ? 1u << bitCount : 0;
    if (coloursUsed > tableSize) return PictureDecode::NeedsSystem;
    const uint32_t entries = coloursUsed ? coloursUsed : tableSize;

    const uint64_t colourStart = BitmapHeaderSize + 4 * uint64_t{entries};
    const uint64_t rowBytes = (uint64_t{static_cast<unsigned>(size)} * bitCount + 31) / 32 * 4;
    const uint64_t maskStart = colourStart + rowBytes * static_cast<unsigned>(size);
    const uint64_t maskRowBytes = (uint64_t{static_cast<unsigned>(size)} + 31) / 32 * 4;  // padded to 32 bits

    // Colour indices past the table are black, as the system draws them.
    uint32_t table[256] = {};
    FitPicture(picture);
    for (uint32_t c = 0; c < entries; ++c)
        table[c] = LittleU32(header + BitmapHeaderSize + 4 * c) & 0xFFFFFF;

    for (int row = 0; row < size; ++row) {
        const int y = size - 1 - row;  // rows are stored bottom-up
        const unsigned char* colour = header + colourStart + rowBytes * row;
        const unsigned char* mask = header + maskStart + maskRowBytes * row;
        for (int x = 0; x < size; ++x) {
            uint32_t pixel = 0;
            switch (bitCount) {
            case 1: pixel = table[(colour[x / 8] >> (7 - x % 8)) & 1]; break;
            case 4: pixel = table[(colour[x / 2] >> (x % 2 ? 0 : 4)) & 0xF]; break;
            case 8: pixel = table[colour[x]]; break;
            case 24:
                pixel = colour[3 * x] | colour[3 * x + 1] << 8 | static_cast<uint32_t>(colour[3 * x + 2]) << 16;
                break;
            default: pixel = LittleU32(colour + 4 * x); break;
            }
            picture.colour[y * size + x] = pixel;
            picture.mask[y * size + x] = static_cast<uint8_t>((mask[x / 8] >> (7 - x % 8)) & 1);
        }
    }
    return PictureDecode::Decoded;
}

GroupPicture PictureOfGroup(ByteSpan directory, const ImageFinder& findImage, int depth, IconPicture& picture,
                            ByteSpan& image) {
    const int chosen = PickIconImage(directory, GroupEntryBytes, PictureSide(picture), depth);
    GroupDirectoryEntry entry;
    if (chosen < 0 || !GroupEntryAt(directory, static_cast<size_t>(chosen), entry) || !findImage(entry.id, image))
        return GroupPicture::Blank;
    return Picture(image, picture);
}

GroupPicture PictureOfIcoFile(ByteSpan file, int depth, IconPicture& picture, ByteSpan& image) {
    std::vector<IconCandidate> candidates;
    std::vector<ByteSpan> images;
    if (!IcoFileCandidates(file, candidates, images)) return GroupPicture::Blank;
    const int chosen = PickIconImage(file, IcoEntryBytes, PictureSide(picture), depth);
    if (chosen < 0) return GroupPicture::Blank;
    image = images[static_cast<size_t>(chosen)];
    return Picture(image, picture);
}
