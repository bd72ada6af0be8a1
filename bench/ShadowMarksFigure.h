#pragma once

#include "core/DisplayOptions.h"
#include "framework/Platform.h"

#include <string>

// Prints the search's time with and without the shadow marks, on two result
// lists made for the purpose inside `frame`; each search is to list `rows`.
// False when the figure is INVALID or could not be measured.
bool PrintShadowMarksFigure(HWND frame, const std::string& directoryList,
                            const trawl::DisplayOptions& options, int rows);
