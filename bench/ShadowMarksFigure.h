#pragma once

#include "core/DisplayOptions.h"
#include "framework/Platform.h"

#include <string>

// Prints the search's time with and without the shadow marks, on two result
// lists made for the purpose inside `frame`.
void PrintShadowMarksFigure(HWND frame, const std::string& directoryList,
                            const trawl::DisplayOptions& options);
