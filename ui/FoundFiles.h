#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the search found behind a row, exactly: the directory as searched and
// the name as the system enumerated it. The row's text may not carry that
// name (characters the code page lacks), and normalising the text would turn
// some names into others ("foo." into "foo", "nul.txt" into the device), so
// the actions go by this record, never by the text.
struct FoundFile {
    // As searched, in the code page, ending where the name begins.
    std::string directory;
    std::wstring name;
    // The file system's 8.3 alias; empty when it keeps none.
    std::wstring shortName;
    // The reparse point's tag as enumerated; 0 for a file that is none.
    uint32_t reparseTag = 0;
};

// The found files of the result list's rows, by item data (the row's number
// in the order found, which sorting and row deletion keep).
class FoundFiles {
public:
    void Clear();
    void Add(intptr_t itemData, std::string_view directory, std::wstring_view name,
             std::wstring_view shortName, uint32_t reparseTag = 0);
    // Nothing for a row that stands for no found file, such as the message a
    // fruitless search leaves.
    std::optional<FoundFile> Find(intptr_t itemData) const;

private:
    struct Entry {
        size_t directory = 0;
        size_t nameStart = 0; // in names, the short name right after the name
        size_t nameLength = 0;
        size_t shortLength = 0;
        uint32_t reparseTag = 0;
        bool found = false;
    };
    // Rows of one directory come together: each directory is kept once. The
    // names lie end to end in one text: no allocation per row.
    std::vector<std::string> directories;
    std::vector<Entry> entries;
    std::wstring names;
};
