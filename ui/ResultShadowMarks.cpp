#include "ResultShadowMarks.h"

#include "framework/CodePage.h"

#include <algorithm>

namespace {

// Compares as the file system does: each UTF-16 unit upper-cased. Names the
// code page cannot convert keep their bytes, so they never merge with others.
class PlatformNameFolder : public trawl::INameFolder {
public:
    std::string FoldNonAscii(std::string_view name) override
    {
        std::optional<std::wstring> wide = WideFromCodePage(name);
        if (!wide)
            return bytewise.FoldNonAscii(name);
        CharUpperBuffW(wide->data(), static_cast<DWORD>(wide->size()));
        std::optional<std::string> key = ExactInCodePage(*wide, CP_UTF8);
        return key ? *key : bytewise.FoldNonAscii(name);
    }

private:
    trawl::AsciiNameFolder bytewise;
};

} // namespace

void ResultShadowMarks::AddRow(intptr_t itemData, std::string_view path)
{
    listedRows.push_back({itemData, listedPaths.size(), path.size(), false});
    listedPaths += path;
    stale = true;
}

void ResultShadowMarks::DeleteRow(intptr_t itemData)
{
    // Rows of one search are listed in their order found, so the item data is
    // usually the position.
    auto alive = [&](const ListedRow& listed) { return !listed.deleted && listed.itemData == itemData; };
    auto found = listedRows.end();
    if (itemData >= 0 && static_cast<size_t>(itemData) < listedRows.size() &&
        alive(listedRows[static_cast<size_t>(itemData)]))
        found = listedRows.begin() + itemData;
    else
        found = std::find_if(listedRows.begin(), listedRows.end(), alive);
    if (found != listedRows.end())
        found->deleted = true;
    stale = true;
}

void ResultShadowMarks::Forget()
{
    listedRows.clear();
    listedPaths.clear();
    markedFiles.clear();
    shadowMarks.Clear();
    stale = false;
}

void ResultShadowMarks::Update()
{
    if (!stale)
        return;
    markedFiles.clear();
    markedFiles.reserve(listedRows.size());
    for (const ListedRow& row : listedRows)
        if (!row.deleted)
            markedFiles.push_back(
                {row.itemData, std::string_view(listedPaths).substr(row.pathStart, row.pathLength)});
    PlatformNameFolder folder;
    shadowMarks.Compute(markedFiles, folder);
    stale = false;
}

const trawl::ShadowMark* ResultShadowMarks::Find(intptr_t itemData)
{
    Update();
    return shadowMarks.Find(itemData);
}

std::string_view ResultShadowMarks::WinnerPath(const trawl::ShadowMark& mark) const
{
    return markedFiles[mark.winner].path;
}
