#pragma once

#include <string>

// The search and the heading sorts of the result list on the fixture, against
// a raw enumeration of the same files, then what the shadow marks add; printed
// with their targets. Returns the exit status of the run: 1 when it could not
// run or a figure is INVALID.
int RunSearchFigures(const std::string& root);
