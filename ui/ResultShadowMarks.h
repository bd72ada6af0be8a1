#pragma once

#include "core/ListedFile.h"
#include "core/ShadowMarks.h"
#include "core/ShellRuns.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The shadow marks of the result list's rows, kept up to date with the rows
// as the list inserts and deletes them, and computed again only when asked
// after a change.
class ResultShadowMarks {
public:
    // A row as the list holds it: its name is what follows the last "\".
    void AddRow(intptr_t itemData, std::string_view path);
    // The row's name as found: the last nameLength bytes of its path, which
    // may hold a "\" of their own.
    void NameRow(intptr_t itemData, size_t nameLength);
    void DeleteRow(intptr_t itemData);
    // The row was found where App Paths points, not in a directory of the list.
    void MarkAppPaths(intptr_t itemData, trawl::AppPathsHive hive);
    // Which App Paths key a row was found through; nothing for a row of a directory.
    std::optional<trawl::AppPathsHive> AppPathsOf(intptr_t itemData);
    void Forget();

    // The mark of a row by its item data; null for a row without a namesake.
    const trawl::ShadowMark* Find(intptr_t itemData);
    // The path of the copy that wins over a shadowed row.
    std::string WinnerPath(const trawl::ShadowMark& mark) const;
    // The path of the program that runs a row's command.
    std::string RunnerPath(const trawl::ShadowMark& mark) const;
    intptr_t RunnerItemData(const trawl::ShadowMark& mark) const;
    // The first program found after the one that runs a row's command that
    // typing the command passes over and that `counts` (by item data);
    // nothing when there is none.
    std::optional<std::string> LaterProgramPath(const trawl::ShadowMark& mark,
                                                const std::function<bool(intptr_t)>& counts);
    // PATHEXT's extensions and, after a command search, the command: which
    // program of each command runs. Without extensions, no file is a program.
    void SetRunRule(std::vector<std::string> extensions, std::optional<std::string> command);
    // Computes the marks now if the rows changed since.
    void Update();

private:
    struct ListedRow {
        intptr_t itemData;
        size_t pathStart;
        size_t pathLength;
        size_t nameLength;
        bool deleted;
        std::optional<trawl::AppPathsHive> appPaths = std::nullopt;
    };
    // Every row inserted since the list was last emptied, in insertion order;
    // deleted rows stay as tombstones so a deletion costs no shifting. The
    // paths lie end to end in listedPaths: no allocation per row.
    std::vector<ListedRow> listedRows;
    std::string listedPaths;
    // The live rows the marks were computed from; views into listedPaths.
    std::vector<trawl::ListedFile> markedFiles;
    trawl::ShadowMarks shadowMarks;
    std::vector<std::string> pathExtensions;
    std::optional<std::string> searchedCommand;
    bool stale = false;

    // The live row with this item data; listedRows.end() when there is none.
    std::vector<ListedRow>::iterator FindRow(intptr_t itemData);
};
