#pragma once

#include "Fixtures.h"

#include <string>

inline constexpr int largeCopies = 4;                      // the fixture's rows four times
inline constexpr int largeRows = largeCopies * totalFiles; // 131,040

// Clear, the deletion part of a new search, the exit and the working set of
// the program with large result lists, each against a bare list view holding
// the same texts, measured in the same run; printed with their targets.
// exitOnly: the exit alone. Returns the exit status of the run: 1 when it
// could not run or a figure is INVALID.
int RunLargeListFigures(const std::string& root, const std::string& fullList, bool exitOnly = false);
