#pragma once

#include "DisplayOptions.h"

#include <cstdint>
#include <string>
#include <vector>

namespace trawl {

enum class ColumnKind : int32_t { Text = 0, Size = 1, Date = 2, Attribute = 3, Version = 4 };

inline constexpr int maxResultColumns = 6;

// Kind of each result-list column by position; read by the sort comparer.
extern ColumnKind columnKinds[maxResultColumns];

enum class ColumnAlign : int { Left = 0, Right = 1 };

// One column of the result list. widthSpec follows InsertSizedColumn:
// > 0 a count of sample characters, < 0 the heading width plus 15 pixels.
struct ResultColumn {
    std::string heading;
    ColumnKind kind;
    int widthSpec;
    ColumnAlign align;
};

// The column set for the given options, in position order ("Files" first).
std::vector<ResultColumn> BuildColumnSet(const DisplayOptions& options);

// Position of the Version column, which Platform follows; -1 when hidden.
int VersionColumnPosition(const DisplayOptions& options);

// Resets columnKinds to Text and records the kind of every column of the set.
void RecordColumnKinds(const std::vector<ResultColumn>& columns);

} // namespace trawl
