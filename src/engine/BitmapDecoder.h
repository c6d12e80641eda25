// Decodes a bitmap icon image of any size to RGBA: a 12-byte or 40-byte (or longer) header,
// 1, 2, 4, 8, 16, 24 or 32 bits per pixel, uncompressed or (16 and 32 bits) with bit fields,
// the colour table, the colour bitmap and the AND mask. A 32-bit image keeps its own alpha
// unless that is zero everywhere; every other pixel is opaque where the mask is 0 and
// transparent where it is 1, keeping its colour.
#pragma once
#include "engine/ByteSpan.h"
#include "engine/RgbaImage.h"

// Every read stays inside `image`; the size is checked before anything is allocated. Mask rows
// that the bytes do not hold count as opaque, as the system draws such an image.
ImageDecode DecodeBitmapImage(ByteSpan image, RgbaImage& decoded);
