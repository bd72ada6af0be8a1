#include "ResultProgramCells.h"

#include "core/TextFill.h"
#include "framework/Resources.h"
#include "res/resource.h"
#include "ui/FileReach.h"
#include "ui/ProgramBehind.h"
#include "ui/ProgramFile.h"

namespace {

// A shim says nothing of the program it starts: its cells are the target's,
// marked as such, and blank when the target is missing.
trawl::ProgramInfo ShimTargetCells(const ShimBehind& shim)
{
    if (!shim.TargetExists())
        return {};
    trawl::ProgramInfo info = ReadProgramFile(shim.targetPath, shim.targetAttributes);
    const std::string marked = LoadResString(IDS_SHIM_TARGET_CELL);
    for (std::string* cell : {&info.version, &info.platform})
        if (!cell->empty())
            *cell = trawl::FillIn(marked, "%s", *cell);
    return info;
}

} // namespace

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
        if (const std::optional<ShimBehind> shim = file ? ReadShim(*file) : std::nullopt)
            row.info = ShimTargetCells(*shim);
        else if (const std::optional<std::wstring> exact = file ? ExactPath(*file) : std::nullopt)
            row.info = ReadProgramFile(*exact, row.attributes);
    }
    return &row.info;
}
