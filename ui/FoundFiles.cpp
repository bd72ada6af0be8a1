#include "FoundFiles.h"

void FoundFiles::Clear()
{
    directories.clear();
    entries.clear();
    names.clear();
}

void FoundFiles::Add(intptr_t itemData, std::string_view directory, std::wstring_view name,
                     std::wstring_view shortName, uint32_t reparseTag)
{
    if (itemData < 0)
        return;
    if (directories.empty() || directories.back() != directory)
        directories.emplace_back(directory);
    const auto index = static_cast<size_t>(itemData);
    if (index >= entries.size())
        entries.resize(index + 1);
    entries[index] =
        Entry{directories.size() - 1, names.size(), name.size(), shortName.size(), reparseTag, true};
    names += name;
    names += shortName;
}

std::optional<FoundFile> FoundFiles::Find(intptr_t itemData) const
{
    if (itemData < 0 || static_cast<size_t>(itemData) >= entries.size())
        return std::nullopt;
    const Entry& entry = entries[static_cast<size_t>(itemData)];
    if (!entry.found)
        return std::nullopt;
    return FoundFile{directories[entry.directory], names.substr(entry.nameStart, entry.nameLength),
                     names.substr(entry.nameStart + entry.nameLength, entry.shortLength), entry.reparseTag};
}
