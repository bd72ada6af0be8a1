#include "RowOrder.h"

#include "TextCount.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>

namespace trawl {

const ISortSource* sortTargetList = nullptr;

namespace {

std::string_view ComparedPart(std::string_view cell)
{
    return FirstCharacters(cell, compareCellChars);
}

template <typename T>
int ThreeWay(T first, T second)
{
    return first < second ? -1 : (second < first ? 1 : 0);
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int CompareText(std::string_view first, std::string_view second)
{
    size_t common = std::min(first.size(), second.size());
    for (size_t i = 0; i < common; ++i) {
        auto a = static_cast<unsigned char>(first[i]);
        auto b = static_cast<unsigned char>(second[i]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    return ThreeWay(first.size(), second.size());
}

// Reads an unsigned run of digits at `at`, capped so odd cells cannot overflow.
std::optional<int64_t> ReadNumber(std::string_view text, size_t& at)
{
    constexpr int64_t cap = int64_t{1} << 40;
    size_t start = at;
    int64_t value = 0;
    while (at < text.size() && IsDigit(text[at])) {
        value = std::min(cap, value * 10 + (text[at] - '0'));
        ++at;
    }
    if (at == start)
        return std::nullopt;
    return value;
}

bool Expect(std::string_view text, size_t& at, char c)
{
    if (at < text.size() && text[at] == c) {
        ++at;
        return true;
    }
    return false;
}

// Year, month, day, hour, minute of a date cell, or nothing when it is not one.
std::optional<std::array<int64_t, 5>> ParseDateCell(std::string_view text)
{
    size_t at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;
    auto month = ReadNumber(text, at);
    if (!month || !Expect(text, at, '/'))
        return std::nullopt;
    auto day = ReadNumber(text, at);
    if (!day || !Expect(text, at, '/'))
        return std::nullopt;
    auto year = ReadNumber(text, at);
    if (!year || at >= text.size() || text[at] != ' ')
        return std::nullopt;
    while (at < text.size() && text[at] == ' ')
        ++at;
    auto hour = ReadNumber(text, at);
    if (!hour || !Expect(text, at, ':'))
        return std::nullopt;
    auto minute = ReadNumber(text, at);
    if (!minute || at != text.size())
        return std::nullopt;
    return std::array<int64_t, 5>{*year, *month, *day, *hour, *minute};
}

int CompareDates(std::string_view first, std::string_view second)
{
    auto a = ParseDateCell(first);
    auto b = ParseDateCell(second);
    // Cells without a date (the time could not be converted) sort before all dates.
    if (!a || !b)
        return ThreeWay(a.has_value(), b.has_value());
    return ThreeWay(*a, *b);
}

// The four numbers of a version cell, or nothing when it is not one.
std::optional<std::array<int64_t, 4>> ParseVersionCell(std::string_view text)
{
    std::array<int64_t, 4> parts{};
    size_t at = 0;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i != 0 && !Expect(text, at, '.'))
            return std::nullopt;
        std::optional<int64_t> part = ReadNumber(text, at);
        if (!part)
            return std::nullopt;
        parts[i] = *part;
    }
    if (at != text.size())
        return std::nullopt;
    return parts;
}

int CompareVersions(std::string_view first, std::string_view second)
{
    auto a = ParseVersionCell(first);
    auto b = ParseVersionCell(second);
    // A file without a version sorts before every version.
    if (!a || !b)
        return ThreeWay(a.has_value(), b.has_value());
    return ThreeWay(*a, *b);
}

} // namespace

void SortSnapshot::Clear()
{
    rows.clear();
}

void SortSnapshot::Add(intptr_t itemData, std::string_view cell, int32_t position)
{
    rows[itemData] = Row{std::string(ComparedPart(cell)), position};
}

const std::string* SortSnapshot::FindCell(intptr_t itemData) const
{
    auto found = rows.find(itemData);
    return found == rows.end() ? nullptr : &found->second.cell;
}

int32_t SortSnapshot::FindPosition(intptr_t itemData) const
{
    auto found = rows.find(itemData);
    return found == rows.end() ? -1 : found->second.position;
}

int64_t LeadingInteger(std::string_view text)
{
    size_t at = 0;
    while (at < text.size() && IsSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    // Accumulate the magnitude unsigned; the negative limit is one larger.
    const uint64_t limit = negative ? uint64_t{1} << 63 : uint64_t{std::numeric_limits<int64_t>::max()};
    uint64_t magnitude = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        auto digit = static_cast<uint64_t>(text[at] - '0');
        if (magnitude > (limit - digit) / 10) {
            magnitude = limit;
            break;
        }
        magnitude = magnitude * 10 + digit;
    }
    if (!negative)
        return static_cast<int64_t>(magnitude);
    if (magnitude == uint64_t{1} << 63)
        return std::numeric_limits<int64_t>::min();
    return -static_cast<int64_t>(magnitude);
}

int CompareCells(ColumnKind kind, std::string_view first, intptr_t firstItem, std::string_view second,
                 intptr_t secondItem)
{
    first = ComparedPart(first);
    second = ComparedPart(second);
    switch (kind) {
    case ColumnKind::Text:
        return CompareText(first, second);
    case ColumnKind::Size:
        // A comparison, not a difference: sizes past 2^31 KB must still order.
        return ThreeWay(LeadingInteger(first), LeadingInteger(second));
    case ColumnKind::Date:
        return CompareDates(first, second);
    case ColumnKind::Attribute:
        // Item data is the row number at listing time, so this gives back the
        // order the files were found in.
        return ThreeWay(firstItem, secondItem);
    case ColumnKind::Version:
        return CompareVersions(first, second);
    }
    return 0;
}

int CompareRows(intptr_t firstItem, intptr_t secondItem, intptr_t column)
{
    if (sortTargetList == nullptr || column < 0 || column >= maxResultColumns)
        return 0;
    const std::string* first = sortTargetList->FindSortCell(firstItem);
    const std::string* second = sortTargetList->FindSortCell(secondItem);
    // A row the list cannot give a cell for sorts after every row it can:
    // calling it equal to all rows would break the order the sort relies on.
    if (first == nullptr || second == nullptr)
        return ThreeWay(first == nullptr, second == nullptr);
    return CompareCells(columnKinds[column], *first, firstItem, *second, secondItem);
}

int32_t FindCurrentItem(IRowStates& rows)
{
    int32_t current = -1;
    const int32_t count = rows.RowCount();
    for (int32_t row = 0; row < count; ++row) {
        const bool selected = rows.IsSelected(row);
        const bool focused = rows.IsFocused(row);
        if (selected && !focused)
            rows.Deselect(row);
        else if (selected && focused)
            current = row;
    }
    return current;
}

} // namespace trawl
