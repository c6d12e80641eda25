// The picture of an icon at the size the icon view shows it (32x32 at 96 DPI) or a catalogue line
// shows it (16x16 at 96 DPI): the image of the icon's group that the system would pick for that
// size, decoded here when it is a common bitmap image of exactly that size, or else handed to the
// system as checked bytes (which also scales an image of another size, as the shell does).
#pragma once
#include <cstdint>
#include <vector>

#include "engine/ByteSpan.h"
#include "engine/GroupDirectory.h"

constexpr int PictureSize = 32;       // the icon view's side at 96 DPI
constexpr int SmallPictureSize = 16;  // a catalogue line's
constexpr int MaxPictureSize = 256;

// size x size pixels, rows top-down (row stride `size`), each 0xAARRGGBB (as a 32-bit bitmap
// stores it; alpha 0 for images without alpha), and the mask: 1 where the background shows
// through. The size is set before the picture is asked for: the pick and the decoder work at it,
// and whatever fills the picture sizes colour and mask to it (FitPicture).
struct IconPicture {
    int size = PictureSize;
    std::vector<uint32_t> colour;
    std::vector<uint8_t> mask;
};

// The side a picture is made at: its size when that is from 1 to 256 pixels, else 32.
inline int PictureSide(const IconPicture& picture) {
    return picture.size >= 1 && picture.size <= MaxPictureSize ? picture.size : PictureSize;
}

// Sizes the picture's colour and mask to its side, the colour black and the mask opaque.
void FitPicture(IconPicture& picture);

// What a directory entry says of an image.
struct IconCandidate {
    int width = 0;
    int height = 0;
    int bitCount = 0;
};

// The entry picked for an icon of width x height on a screen of `depth` bits per pixel where
// there is no system to ask, or -1 when there is none. It follows Wine's user32: the smallest
// |w - width| + |h - height| (an entry of width and height 0 means 256), then, among the
// entries with those very distances, the smallest |depth - bit count|, the first entry
// winning ties.
int ChooseIconImage(const std::vector<IconCandidate>& candidates, int width, int height, int depth);

// The entry the system picks for an icon of size x size pixels from a directory of `count`
// entries of `entryBytes` each after its 6-byte header (14 for a group directory, 16 for an ICO
// file), or -1 when there is none or the entries do not all lie inside. On Windows the system
// itself is asked (LookupIconIdFromDirectoryEx, which takes the screen's depth and applies
// Windows' rule, or Wine's under Wine); elsewhere, or when it answers nothing, ChooseIconImage
// with `depth`.
int PickIconImage(ByteSpan directory, size_t entryBytes, int size, int depth);
// The system's answer for PickIconImage over `count` checked entries (IconPictureWindows.cpp),
// or -1: always where there is no system to ask (IconPicturePosix.cpp).
int SystemIconChoice(const unsigned char* entries, size_t entryBytes, uint16_t count, int size, int depth);

// The images of an ICO file (a 6-byte header, then 16-byte entries with each image's size and
// file offset): entries and image bytes in directory order, an image that lies outside the file
// empty. False when it is not an ICO file of at least one image whose directory fits.
bool IcoFileCandidates(ByteSpan file, std::vector<IconCandidate>& candidates, std::vector<ByteSpan>& images);

enum class PictureDecode {
    Decoded,      // the picture is filled in
    NeedsSystem,  // a sound image this decoder does not read: the system makes the icon
    Unreadable,   // not a sound image: the blank placeholder
};

// The number of bytes the system reads of an image: a PNG image's own size; for a bitmap its
// header (and the three colour masks of bit fields), colour table, colour bitmap and AND mask,
// as the system sizes them. 0 when the image is not sound, or is a bitmap of a depth or
// compression this program does not hand to the system, or its colour bitmap does not lie
// inside its bytes. A bitmap cut short in its mask reads more than it holds: the caller pads
// a copy with zero bytes (an opaque mask).
uint64_t SystemImageBytes(ByteSpan image);

// Decodes a square bitmap image of the picture's side: a 40-byte header, 1, 4, 8, 24 or 32 bits
// per pixel, no compression, the colour table, colour bitmap and AND mask all inside the bytes.
// Everything else the system reads (PNG, other sizes or header sizes, 16 bits per pixel, bit
// fields, an image cut short in its mask) needs the system.
PictureDecode DecodeIconPicture(ByteSpan image, IconPicture& picture);

enum class GroupPicture {
    Decoded,  // `picture` is filled in
    System,   // `image` holds the sound bytes of the chosen image, for the system to draw
    Blank,    // the group or its chosen image cannot be read
};

// The picture of a group for a screen of `depth` bits per pixel.
GroupPicture PictureOfGroup(ByteSpan directory, const ImageFinder& findImage, int depth, IconPicture& picture,
                            ByteSpan& image);

// The picture of an ICO file.
GroupPicture PictureOfIcoFile(ByteSpan file, int depth, IconPicture& picture, ByteSpan& image);
