#include "ResultShadowMarks.h"

#include "ui/PlatformNameFolder.h"

#include <algorithm>

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
    shadowMarks.Compute(markedFiles, folder, {pathExtensions, searchedCommand});
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

std::string_view ResultShadowMarks::RunnerPath(const trawl::ShadowMark& mark) const
{
    return markedFiles[mark.runner].path;
}

void ResultShadowMarks::SetRunRule(std::vector<std::string> extensions, std::optional<std::string> command)
{
    pathExtensions = std::move(extensions);
    searchedCommand = std::move(command);
    stale = true;
}
