#include "ResultProgramCells.h"

#include "ui/FileReach.h"
#include "ui/ProgramFile.h"

void ResultProgramCells::Expect(intptr_t itemData, DWORD attributes)
{
    if (itemData < 0)
        return;
    const auto index = static_cast<size_t>(itemData);
    if (index >= rows.size())
        rows.resize(index + 1);
    rows[index] = Row{attributes, true, false, {}};
}

void ResultProgramCells::Forget()
{
    rows.clear();
}

const trawl::ProgramInfo* ResultProgramCells::Find(intptr_t itemData, const FoundFiles& files)
{
    if (itemData < 0 || static_cast<size_t>(itemData) >= rows.size())
        return nullptr;
    Row& row = rows[static_cast<size_t>(itemData)];
    if (!row.expected)
        return nullptr;
    if (!row.read) {
        // Through the file as found, as the row's actions reach it.
        row.read = true;
        const std::optional<FoundFile> file = files.Find(itemData);
        const std::optional<std::wstring> exact = file ? ExactPath(*file) : std::nullopt;
        if (exact)
            row.info = ReadProgramFile(*exact, row.attributes);
    }
    return &row.info;
}
