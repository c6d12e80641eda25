// The layout lengths of the main window, at 96 DPI, laid out through Scaled
// (framework/DisplayScale.h) in its client coordinates.
#pragma once

constexpr int InitialSplitterPos = 140;
constexpr int PaneGap = 3;
constexpr int MinimumToolBarSpan = 640;
constexpr int MinimumIconViewClientWidth = 300;
constexpr int SplitterBarWidth = 2;
constexpr int SplitterLeftLimit = 20;
constexpr int SplitterRightLimit = 100;
constexpr int WindowWidth = 550;  // the outer size at start-up
constexpr int WindowHeight = 400;
constexpr int StatusPartWidth = 140;  // the status bar's first part
