// The picture a file manager shows for a program: which image of its icon to take, and how to
// bring it down to the size asked for.
#pragma once
#include <vector>

#include "engine/ImageFacts.h"
#include "engine/RgbaImage.h"

// The images in the order a thumbnail of `size` tries them, each taken only when the one before
// cannot be decoded: first those whose larger side is at least `size`, the smallest first, then
// the others, the largest first, so that nothing is scaled up while a larger image is sound.
// At equal size 32-bit and PNG images come before the others, then greater depths; directory
// order breaks ties. Entries of width 0 (unreadable images) are left out.
std::vector<int> ThumbnailOrder(const std::vector<ImageFacts>& images, int size);

// The picture scaled down to fit size x size, keeping its proportions, each new pixel the
// average of the area it covers (weighted by alpha, so that hidden colours do not bleed in).
// A picture that fits already is copied.
void ScaleToFit(const RgbaImage& picture, int size, RgbaImage& scaled);
