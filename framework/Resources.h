#pragma once

#include "Platform.h"

#include <string>

// The module that holds the program's resources.
HINSTANCE ResourceInstance();
// A string of the string table; empty when there is none.
std::string LoadResString(UINT id);
