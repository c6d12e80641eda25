// The Linux exporter's PNG commands: every image of every icon group as a PNG file, and the
// thumbnail a file manager shows for a program.
#pragma once
#include "export/ExportFailures.h"

// --png FOLDER SOURCE...: NAME_GGG_WxHxBPP.png for each image of group GGG ("-2", "-3", ...
// appended for a second image of the same size and depth). A PNG image is written byte for
// byte once it decodes, a bitmap decoded and written as RGBA; an image that cannot be decoded
// is told and skipped. With a chosen group, that group's images only.
void ExportImages(const char* folderArgument, char** sources, int count, const GroupChoice& choice);

// The SIZE argument of --thumbnail: a whole number from 1 to 65535.
bool ThumbnailSize(const char* argument, int& size);

// --thumbnail SIZE SOURCE OUTPUT: the first image of icon 0 (or of the chosen group) in
// ThumbnailOrder that decodes, scaled down to fit SIZE x SIZE, as an RGBA PNG at OUTPUT. When no
// image decodes, nothing is written there.
void WriteThumbnail(int size, const char* sourceArgument, const char* outputPath, const GroupChoice& choice);
