#pragma once

#include "core/Columns.h"
#include "core/DisplayOptions.h"
#include "framework/Platform.h"

#include <string>
#include <vector>

// The generated folder tree every figure searches: 20 directories of 1,638
// files under %TEMP%\tb, kept between runs since creating it takes a while
// under Wine.
inline constexpr int directoryCount = 20;
inline constexpr int filesPerDirectory = 1638;
inline constexpr int totalFiles = directoryCount * filesPerDirectory; // 32,760
inline constexpr int halfDirectories = directoryCount / 2;
inline constexpr int halfFiles = halfDirectories * filesPerDirectory; // 16,380
inline constexpr trawl::DisplayOptions allColumns{1, 1, 1};

// %TEMP%\tb\ ; empty when there is no temporary folder.
std::string FixtureRoot();
std::vector<std::string> FixtureDirectories(const std::string& root);
// The first `count` directories as one directory list.
std::string Join(const std::vector<std::string>& directories, size_t count);
// The whole fixture as one directory list.
std::string FixtureList(const std::string& root);

// Whether a previous run left the fixture whole and of this generation.
bool FixtureComplete(const std::string& root);
bool CreateFixture(const std::string& root);
void DeleteFixture(const std::string& root);

// Files (not directories) in the directories, the way a plain "*" walk sees them.
int RawEnumeration(const std::vector<std::string>& directories);

// A row as a search of every column writes it: its cells, and what the
// found entry told of its file, which the result list keeps beside the row.
struct RecordedRow {
    std::vector<std::string> cells{};
    std::string name{}; // as listed, ending the first cell
    std::u16string exactName{};
    std::u16string exactShortName{};
    uint32_t attributes = 0;

    // Empty for a column the search wrote nothing in.
    const std::string& Cell(int column) const;
};
// The rows a search of every column writes, so that the result list and the
// bare list view can be given the same rows.
std::vector<RecordedRow> RecordRows(const std::string& directoryList);
