// The commands that write PNG files: built into the Linux exporter (export/linux/), which has
// libpng; the Windows exporter has none (ImageCommandsWindows.cpp).
#pragma once
#include "export/ExportOptions.h"

// Whether this build has --png and --thumbnail.
extern const bool HasImageCommands;

// --png FOLDER SOURCE...: NAME_GGG_WxHxBPP.png for each image of group GGG ("-2", "-3", ...
// appended for a second image of the same size and depth). A PNG image is written byte for
// byte once it decodes, a bitmap decoded and written as RGBA; an image that cannot be decoded
// is told and skipped. With a chosen group, that group's images only.
// --thumbnail SIZE SOURCE OUTPUT: the first image of icon 0 (or of the chosen group) in
// ThumbnailOrder that decodes, scaled down to fit SIZE x SIZE, as an RGBA PNG at OUTPUT. When no
// image decodes, nothing is written there.
void RunImageCommand(const ExportOptions& options);
