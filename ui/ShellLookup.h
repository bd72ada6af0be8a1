#pragma once

#include "core/ShellRuns.h"

#include <string>
#include <string_view>
#include <vector>

// What the shell's lookup of a bare name depends on, read from the system on
// the window's thread before a search starts, so the search's worker reads
// neither the registry nor the environment.

// The directory list the shell searches: the Windows folder, System32, then
// the list's own entries (trawl::ShellDirectoryList).
std::string ShellSearchList(std::string_view directoryList);

// The programs App Paths names for a command, HKCU's and then HKLM's: each
// key's default value cleaned, a REG_EXPAND_SZ value expanded. One read per
// key; a key that is missing or names nothing gives nothing.
std::vector<trawl::AppPathsProgram> AppPathsPrograms(std::string_view command);
