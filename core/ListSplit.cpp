#include "ListSplit.h"

namespace trawl {

std::vector<std::string> DirectoryListEntries(std::string_view listText)
{
    std::vector<std::string> entries;
    if (listText.empty())
        return entries;
    std::string_view rest = listText;
    for (;;) {
        size_t closing = !rest.empty() && rest.front() == '"' ? rest.find('"', 1) : std::string_view::npos;
        size_t end =
            closing != std::string_view::npos && (closing + 1 == rest.size() || rest[closing + 1] == ';')
                ? closing + 1
                : rest.find(';');
        entries.emplace_back(rest.substr(0, end));
        if (end == std::string_view::npos || end == rest.size())
            break;
        // A final ";" leaves one more, empty entry.
        rest.remove_prefix(end + 1);
    }
    return entries;
}

std::string_view UnquotedEntry(std::string_view entry)
{
    // Only quotes that wrap the whole entry, as the split takes them.
    if (entry.size() >= 2 && entry.front() == '"' && entry.find('"', 1) == entry.size() - 1)
        return entry.substr(1, entry.size() - 2);
    return entry;
}

std::vector<std::string> SplitDirectoryList(std::string_view listText)
{
    std::vector<std::string> directories;
    for (const std::string& entry : DirectoryListEntries(listText))
        if (const std::string_view directory = UnquotedEntry(entry); !directory.empty())
            directories.emplace_back(directory);
    return directories;
}

} // namespace trawl
