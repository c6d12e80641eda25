// The icon cache's pictures of a source file, made from one reading of the file and added to the
// image list as strips of many images at once: an image list takes a strip in about the time it
// takes one icon.
#pragma once
#include <windows.h>

#include "engine/SourceReading.h"

class CImageList;

// Appends the pictures of icons 0 to count - 1 of the reading to the list, at the list's (square)
// image size, a blank placeholder for each that cannot be read, so that ranges stay aligned. Answers the number of images added
// (count, unless the list refuses them).
int AppendSourceIcons(CImageList& list, const SourceReading& reading, int count);
