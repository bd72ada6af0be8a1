#pragma once

#include "Platform.h"

// Pixels follow the DPI of the monitor a window is on. Sizes that the
// program states in pixels are meant at 96 DPI and scaled from there.
inline constexpr int defaultDpi = 96;

// The DPI a window is drawn at; the system's where the per-window call is missing.
int DpiOfWindow(HWND window);
// A length in pixels at 96 DPI, at the given DPI.
int ScaleForDpi(int pixelsAt96, int dpi);
// A system metric (SM_CXICON, SM_CXVSCROLL, ...) as it is at the given DPI.
int SystemMetricForDpi(int index, int dpi);
