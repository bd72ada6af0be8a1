#pragma once

#include "Columns.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace trawl {

// Only this many characters of a cell take part in a comparison.
inline constexpr size_t compareCellChars = 259;

// The cells of one column taken before a sort, keyed by item data, so the
// comparer never has to ask the list control while it is sorting.
class SortSnapshot {
public:
    void Clear();
    void Add(intptr_t itemData, std::string_view cell, int32_t position);
    const std::string* FindCell(intptr_t itemData) const;
    // Position of the row before the sort, -1 when unknown.
    int32_t FindPosition(intptr_t itemData) const;
    size_t Size() const { return rows.size(); }

private:
    struct Row {
        std::string cell;
        int32_t position;
    };
    std::unordered_map<intptr_t, Row> rows;
};

// What the comparer reads the rows from.
class ISortSource {
public:
    virtual ~ISortSource() = default;
    virtual const std::string* FindSortCell(intptr_t itemData) const = 0;
};

// The result list being sorted; null until the view sets it.
extern const ISortSource* sortTargetList;

// Compares two cells of a column of the given kind (<0, 0, >0).
int CompareCells(ColumnKind kind, std::string_view first, intptr_t firstItem, std::string_view second,
                 intptr_t secondItem);

// The sort comparer: item data of two rows and the clicked column's position.
// A strict weak order; rows without a cell sort last.
int CompareRows(intptr_t firstItem, intptr_t secondItem, intptr_t column);

// Leading decimal integer as the standard conversion reads it, saturated to 64 bits.
int64_t LeadingInteger(std::string_view text);

// Row states as the current-item rule needs them.
class IRowStates {
public:
    virtual ~IRowStates() = default;
    virtual int32_t RowCount() const = 0;
    virtual bool IsFocused(int32_t row) const = 0;
    virtual bool IsSelected(int32_t row) const = 0;
    virtual void Deselect(int32_t row) = 0;
};

// The row that is both focused and selected, or -1; deselects every row that
// is selected without being focused.
int32_t FindCurrentItem(IRowStates& rows);

} // namespace trawl
