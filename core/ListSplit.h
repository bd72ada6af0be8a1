#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trawl {

// Every entry of a directory list as written, in order: empty entries kept,
// and an entry wrapped in double quotes kept with its quotes (a ";" inside
// them belongs to it, as SplitDirectoryList reads it).
std::vector<std::string> DirectoryListEntries(std::string_view listText);

// The directory an entry names, without quotes that wrap it whole.
std::string_view UnquotedEntry(std::string_view entry);

// The directories of the whole list, in list order; empty entries dropped.
// An entry wrapped in double quotes is taken without them, and a ";" inside
// the quotes belongs to the entry, as the command interpreter reads PATH.
std::vector<std::string> SplitDirectoryList(std::string_view listText);

} // namespace trawl
