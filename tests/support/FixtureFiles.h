#pragma once

#include <string>
#include <vector>

// Removes a fixture directory with everything in it, read-only files too.
void RemoveTree(const std::string& directory);

// Names that the code page of an older system cannot all carry; O.txt is
// where such a system's best fit for the Omega would land.
inline const std::vector<std::string> nonAsciiFixtureNames = {"O.txt",       "Ω.txt",    "日本.txt",
                                                              "emoji-😀.txt", "café.txt", "€.txt"};
