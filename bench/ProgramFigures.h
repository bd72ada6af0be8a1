#pragma once

#include <string>

// The search of 32,760 small programs with the Version and Platform columns
// against the same search without them, in a visible result list, and the
// first sort by Version against reading the same files' headers in a loop.
// The programs lie under %TEMP%\tbp, kept between runs like the main fixture.
// Returns the exit status of the run: 1 when it could not run or a figure is INVALID.
int RunProgramFigures(bool clean);
