// The picture a file manager shows for a program: which image of its icon to take, and how to
// bring it down to the size asked for.
#pragma once
#include <vector>

#include "engine/ImageFacts.h"
#include "engine/RgbaImage.h"

// The image whose larger side is the smallest that is at least `size`, or else the largest;
// among those, the greatest depth; the first wins ties. Entries of width 0 (unreadable images)
// are passed over. -1 when none is left.
int ChooseThumbnailImage(const std::vector<ImageFacts>& images, int size);

// The picture scaled down to fit size x size, keeping its proportions, each new pixel the
// average of the area it covers (weighted by alpha, so that hidden colours do not bleed in).
// A picture that fits already is copied.
void ScaleToFit(const RgbaImage& picture, int size, RgbaImage& scaled);
