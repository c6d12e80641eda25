// PNG images through libpng: reading an icon's PNG image to RGBA, and writing RGBA as a PNG
// file. libpng's errors come back as results; none ends the process.
#pragma once
#include <vector>

#include "engine/ByteSpan.h"
#include "engine/RgbaImage.h"

// Any PNG (palette, grey, 16-bit channels, interlaced) as 8-bit RGBA; its size is checked
// against LargestDecodedSide before anything is allocated.
ImageDecode DecodePngImage(ByteSpan image, RgbaImage& decoded);

// An icon image of either kind, PNG or bitmap.
ImageDecode DecodeIconImage(ByteSpan image, RgbaImage& decoded);

// Why an image was not decoded, as its message says it ("damaged", ...).
const char* DecodeRefusal(ImageDecode decode);

// The picture of a group's images for a size x size place: the first image in the thumbnail
// order that decodes (a sound icon is not refused for one damaged image), scaled down to fit.
// When none decodes, the refusal of the last one tried, or Damaged when none could be tried.
ImageDecode ThumbnailPicture(const std::vector<ByteSpan>& images, int size, RgbaImage& scaled);

// An 8-bit RGBA PNG file of the picture. False, with `file` empty, when it cannot be made.
// `quick` trades size for time, for thumbnails that a file manager asks for by the hundred.
bool EncodePng(const RgbaImage& picture, std::vector<unsigned char>& file, bool quick = false);
