// The icon cache's pictures of a source file, made from one reading of the file and added to the
// image list as strips of many images at once: an image list takes a strip in about the time it
// takes one icon.
#pragma once
#include <windows.h>

#include "engine/IconPicture.h"
#include "engine/SourceReading.h"

class CImageList;

// The picture of icon i at picture.size as the shell's icon extraction would make it: decoded
// from the chosen image, or made by the system from its checked bytes. False for a blank
// placeholder: the group or its image cannot be read.
bool SourceIconPicture(const SourceReading& reading, int i, int depth, IconPicture& picture);

// The colour and mask of an icon drawn at picture.size into a 32-bit bitmap. False for no icon.
bool PictureOfIcon(HICON icon, IconPicture& picture);

// An icon of the picture's size, colour and mask, for the caller to destroy; nullptr when the
// system makes none.
HICON IconOfPicture(const IconPicture& picture);

// Appends the pictures of icons 0 to count - 1 of the reading to the list, at the list's (square)
// image size, a blank placeholder
// for each that cannot be read, so that ranges stay aligned. Answers the number of images added
// (count, unless the list refuses them).
int AppendSourceIcons(CImageList& list, const SourceReading& reading, int count);
