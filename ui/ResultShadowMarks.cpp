#include "ResultShadowMarks.h"

#include "ui/PlatformNameFolder.h"

#include <algorithm>

void ResultShadowMarks::AddRow(intptr_t itemData, std::string_view path)
{
    listedRows.push_back(
        {itemData, listedPaths.size(), path.size(), trawl::ListedFileName(path).size(), false});
    listedPaths += path;
    stale = true;
}

std::vector<ResultShadowMarks::ListedRow>::iterator ResultShadowMarks::FindRow(intptr_t itemData)
{
    // Rows of one search are listed in their order found, so the item data is
    // usually the position.
    auto alive = [&](const ListedRow& listed) { return !listed.deleted && listed.itemData == itemData; };
    if (itemData >= 0 && static_cast<size_t>(itemData) < listedRows.size() &&
        alive(listedRows[static_cast<size_t>(itemData)]))
        return listedRows.begin() + itemData;
    return std::find_if(listedRows.begin(), listedRows.end(), alive);
}

void ResultShadowMarks::NameRow(intptr_t itemData, size_t nameLength)
{
    const auto found = FindRow(itemData);
    if (found == listedRows.end() || nameLength > found->pathLength)
        return;
    found->nameLength = nameLength;
    stale = true;
}

void ResultShadowMarks::DeleteRow(intptr_t itemData)
{
    const auto found = FindRow(itemData);
    if (found != listedRows.end())
        found->deleted = true;
    stale = true;
}

void ResultShadowMarks::MarkAppPaths(intptr_t itemData, trawl::AppPathsHive hive)
{
    const auto found = FindRow(itemData);
    if (found == listedRows.end())
        return;
    found->appPaths = hive;
    stale = true;
}

std::optional<trawl::AppPathsHive> ResultShadowMarks::AppPathsOf(intptr_t itemData)
{
    const auto found = FindRow(itemData);
    return found == listedRows.end() ? std::nullopt : found->appPaths;
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
    for (const ListedRow& row : listedRows) {
        if (row.deleted)
            continue;
        const std::string_view path = std::string_view(listedPaths).substr(row.pathStart, row.pathLength);
        const size_t nameStart = path.size() - row.nameLength;
        markedFiles.emplace_back(row.itemData, path.substr(0, nameStart), path.substr(nameStart)).appPaths =
            row.appPaths.has_value();
    }
    PlatformNameFolder folder;
    shadowMarks.Compute(markedFiles, folder, {pathExtensions, searchedCommand});
    stale = false;
}

const trawl::ShadowMark* ResultShadowMarks::Find(intptr_t itemData)
{
    Update();
    return shadowMarks.Find(itemData);
}

// Copies: the views of markedFiles move with the next change of the rows.
std::string ResultShadowMarks::WinnerPath(const trawl::ShadowMark& mark) const
{
    return markedFiles[mark.winner].Path();
}

std::string ResultShadowMarks::RunnerPath(const trawl::ShadowMark& mark) const
{
    return markedFiles[mark.runner].Path();
}

intptr_t ResultShadowMarks::RunnerItemData(const trawl::ShadowMark& mark) const
{
    return markedFiles[mark.runner].itemData;
}

std::optional<std::string> ResultShadowMarks::LaterProgramPath(const trawl::ShadowMark& mark,
                                                               const std::function<bool(intptr_t)>& counts)
{
    for (size_t at = mark.runner + 1; at < markedFiles.size(); ++at) {
        const trawl::ShadowMark* other = shadowMarks.Find(markedFiles[at].itemData);
        if (other != nullptr && other->run == trawl::RunState::Passed && other->runner == mark.runner &&
            counts(markedFiles[at].itemData))
            return markedFiles[at].Path();
    }
    return std::nullopt;
}

void ResultShadowMarks::SetRunRule(std::vector<std::string> extensions, std::optional<std::string> command)
{
    pathExtensions = std::move(extensions);
    searchedCommand = std::move(command);
    stale = true;
}
