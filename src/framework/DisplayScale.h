// Lengths on the screen. The program is system-DPI-aware (its manifest says so): the system's
// DPI is fixed for the whole process, and every length the program gives in pixels is its
// length at 96 DPI scaled to that DPI, so that the window looks the same at every scale.
#pragma once

constexpr int BaseDpi = 96;

// The screen's DPI, read once.
int SystemDpi();

// `pixels` at 96 DPI, scaled to the screen's DPI and rounded; unchanged at 96 DPI.
int Scaled(int pixels);

// The nearest of the scales the program's pictures are drawn at: 100, 150 or 200 (percent).
int PictureScale();
