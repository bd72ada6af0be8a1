#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace trawl {

// The file name of a listed path: what follows the last "\". Empty when the
// path has no "\" (a message row, not a file) or ends in one.
std::string_view ListedFileName(std::string_view path);

// One row of the result list: its number in the order found, the directory
// as listed (with its final "\") and the name as found. A name may hold a
// "\" of its own (Wine lists such Unix names), so a row found by the search
// gives the two parts as found; a row known only by its text is split at
// its last "\".
struct ListedFile {
    ListedFile(intptr_t itemData, std::string_view directory, std::string_view name)
        : itemData(itemData), directory(directory), name(name)
    {
    }
    ListedFile(intptr_t itemData, std::string_view path)
        : ListedFile(itemData, path.substr(0, path.size() - ListedFileName(path).size()),
                     ListedFileName(path))
    {
    }
    std::string Path() const { return std::string(directory) + std::string(name); }

    intptr_t itemData;
    std::string_view directory;
    std::string_view name;
    // Found where App Paths points for the command searched, after every
    // directory of the list: it belongs to that command whatever its name.
    bool appPaths = false;
};

} // namespace trawl
