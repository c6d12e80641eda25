// What an icon image says of itself in its header, for choosing an image and naming its file.
#pragma once
#include "engine/ByteSpan.h"

struct ImageFacts {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;  // a bitmap's planes times bit count; a PNG's bit depth times channels
    bool png = false;
};

// False when the image is neither a bitmap whose header lies inside its bytes nor a PNG image
// with a complete IHDR header.
bool IconImageFacts(ByteSpan image, ImageFacts& facts);
