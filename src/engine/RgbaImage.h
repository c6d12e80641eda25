// A decoded picture: 8-bit red, green, blue and alpha per pixel (straight alpha), rows top-down.
#pragma once
#include <vector>

// Images larger than this on a side are not decoded: a thumbnailer runs on every downloaded
// program, so its memory must stay bounded whatever the file claims.
constexpr int LargestDecodedSide = 1024;

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;  // width * height * 4 bytes
};

enum class ImageDecode {
    Decoded,
    Unsupported,  // a kind of image this program does not decode
    TooLarge,     // wider or taller than LargestDecodedSide
    Damaged,      // its parts do not lie inside its bytes, or do not agree
};
