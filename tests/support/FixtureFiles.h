#pragma once

#include <string>

// Removes a fixture directory with everything in it, read-only files too.
void RemoveTree(const std::string& directory);
