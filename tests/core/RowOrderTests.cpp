#include "core/RowOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <random>
#include <set>

namespace trawl {
namespace {

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

TEST(RowOrder, LeadingIntegerReadsLikeTheStandardConversionAndSaturates)
{
    constexpr int64_t max = std::numeric_limits<int64_t>::max();
    constexpr int64_t min = std::numeric_limits<int64_t>::min();
    struct Case {
        const char* text;
        int64_t value;
    };
    const Case cases[] = {
        {"", 0},
        {"KB", 0},
        {"- 3", 0},
        {"1024KB", 1024},
        {" \t\n42KB", 42},
        {"+5", 5},
        {"-17x", -17},
        {"1 2", 1},
        {"9223372036854775807", max},
        {"9223372036854775808", max},
        {"99999999999999999999999KB", max},
        {"-9223372036854775808", min},
        {"-9223372036854775809", min},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(LeadingInteger(c.text), c.value);
    }
}

TEST(RowOrder, CompareCellsByKind)
{
    using K = ColumnKind;
    struct Case {
        K kind;
        const char* first;
        intptr_t firstItem;
        const char* second;
        intptr_t secondItem;
        int sign;
    };
    const Case cases[] = {
        {K::Text, "abc", 0, "abd", 1, -1},
        {K::Text, "Apple", 1, "apple", 0, -1},
        {K::Text, "apple", 0, "Apple", 1, 1},
        {K::Text, "ab", 0, "abc", 1, -1},
        {K::Text, "same", 0, "same", 1, 0},
        {K::Text, "\xE9", 0, "z", 1, 1}, // bytes compare unsigned
        {K::Size, "999KB", 0, "1024KB", 1, -1},
        {K::Size, "1024KB", 0, "999KB", 1, 1},
        {K::Size, "12KB", 0, "12KB", 1, 0},
        {K::Size, "2147483648KB", 0, "2147483647KB", 1, 1},
        {K::Size, "1KB", 0, "4294967296KB", 1, -1},
        {K::Size, "18014398509481984KB", 0, "4194304KB", 1, 1},
        {K::Date, "12/31/1999  23:59", 0, " 1/01/2000  00:00", 1, -1},
        {K::Date, " 1/01/2000  00:00", 0, "12/31/1999  23:59", 1, 1},
        {K::Date, " 9/30/2000  23:59", 0, "10/01/2000  00:00", 1, -1},
        {K::Date, "10/02/2000  00:00", 0, "10/01/2000  23:59", 1, 1},
        {K::Date, " 3/05/1999  09:07", 0, " 3/05/1999  09:08", 1, -1},
        {K::Date, " 3/05/1999  10:00", 0, " 3/05/1999  09:59", 1, 1},
        {K::Date, " 3/05/1999  09:07", 0, " 3/05/1999  09:07", 1, 0},
        {K::Date, "", 0, " 1/01/1980  00:00", 1, -1},
        {K::Date, " 1/01/1980  00:00", 0, "", 1, 1},
        {K::Date, "", 0, "garbage", 1, 0},
        {K::Date, " 3/05/1999", 0, " 1/01/1980  00:00", 1, -1},
        {K::Attribute, "A    ", 3, "     ", 7, -1},
        {K::Attribute, "     ", 7, "A    ", 3, 1},
        {K::Attribute, "AHRST", 4, "     ", 4, 0},
        {K::Version, "10.0.19041.1", 0, "9.0.30000.0", 1, 1},
        {K::Version, "1.2.3.10", 0, "1.2.3.9", 1, 1},
        {K::Version, "1.2.3.4", 0, "1.2.3.4", 1, 0},
        {K::Version, "", 0, "0.0.0.0", 1, -1},
        {K::Version, "", 0, "", 1, 0},
        {static_cast<K>(9), "a", 0, "b", 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " vs " + c.second);
        EXPECT_EQ(Sign(CompareCells(c.kind, c.first, c.firstItem, c.second, c.secondItem)), c.sign);
    }
}

TEST(RowOrder, OnlyTheFirst259CharactersAreCompared)
{
    const std::string prefix(compareCellChars - 1, 'x');
    EXPECT_EQ(CompareCells(ColumnKind::Text, prefix + "ab", 0, prefix + "ac", 1), 0);
    EXPECT_LT(CompareCells(ColumnKind::Text, prefix + "a", 0, prefix + "b", 1), 0);
    EXPECT_EQ(CompareCells(ColumnKind::Text, prefix + "a", 0, prefix + "a" + "tail", 1), 0);
    // The same holds for cells taken into a snapshot.
    SortSnapshot snapshot;
    snapshot.Add(1, prefix + "ab", 0);
    ASSERT_NE(snapshot.FindCell(1), nullptr);
    EXPECT_EQ(*snapshot.FindCell(1), prefix + "a");
    // Characters, not bytes: the cut never falls inside one.
    std::string euros;
    for (size_t i = 0; i < compareCellChars; ++i)
        euros += "\xE2\x82\xAC";
    snapshot.Add(2, euros + "tail", 1);
    EXPECT_EQ(*snapshot.FindCell(2), euros);
    EXPECT_EQ(CompareCells(ColumnKind::Text, euros + "a", 0, euros + "b", 1), 0);
}

TEST(RowOrder, SnapshotLooksCellsUpByItemData)
{
    SortSnapshot snapshot;
    snapshot.Add(10, "ten", 0);
    snapshot.Add(-5, "minus five", 1);
    snapshot.Add(10, "ten again", 2);
    EXPECT_EQ(snapshot.Size(), 2u);
    ASSERT_NE(snapshot.FindCell(10), nullptr);
    EXPECT_EQ(*snapshot.FindCell(10), "ten again");
    EXPECT_EQ(snapshot.FindPosition(10), 2);
    EXPECT_EQ(snapshot.FindPosition(-5), 1);
    EXPECT_EQ(snapshot.FindCell(11), nullptr);
    EXPECT_EQ(snapshot.FindPosition(11), -1);
    snapshot.Clear();
    EXPECT_EQ(snapshot.FindCell(10), nullptr);
    EXPECT_EQ(snapshot.Size(), 0u);
}

// A result list with all four columns; item data is the row number at listing time.
class SnapshotList : public ISortSource {
public:
    const std::string* FindSortCell(intptr_t itemData) const override { return snapshot.FindCell(itemData); }
    SortSnapshot snapshot;
};

class CompareRowsTest : public ::testing::Test {
protected:
    void SetUp() override { RecordColumnKinds(BuildColumnSet({1, 1, 1})); }
    void TearDown() override
    {
        sortTargetList = nullptr;
        RecordColumnKinds({});
    }
    // Sorts items by one column: the snapshot holds that column's cells.
    std::vector<intptr_t> SortBy(int column, const std::vector<std::string>& cells,
                                 std::vector<intptr_t> items)
    {
        list.snapshot.Clear();
        for (size_t i = 0; i < items.size(); ++i)
            list.snapshot.Add(items[i], cells[static_cast<size_t>(items[i])], static_cast<int32_t>(i));
        sortTargetList = &list;
        std::sort(items.begin(), items.end(),
                  [&](intptr_t a, intptr_t b) { return CompareRows(a, b, column) < 0; });
        return items;
    }
    SnapshotList list;
};

TEST_F(CompareRowsTest, TiesWhenNothingCanBeCompared)
{
    list.snapshot.Add(0, "a", 0);
    list.snapshot.Add(1, "b", 1);
    EXPECT_EQ(CompareRows(0, 1, 0), 0) << "no list set";

    sortTargetList = &list;
    ASSERT_LT(CompareRows(0, 1, 0), 0);
    for (intptr_t column : {intptr_t{-1}, intptr_t{maxResultColumns}, intptr_t{1} << 40})
        EXPECT_EQ(CompareRows(0, 1, column), 0) << "column " << column;
    EXPECT_EQ(CompareRows(2, 3, 0), 0) << "two unknown items";
}

TEST_F(CompareRowsTest, UnknownRowsSortAfterKnownOnes)
{
    list.snapshot.Add(0, "a", 0);
    list.snapshot.Add(1, "b", 1);
    sortTargetList = &list;
    // Were an unknown row equal to both, "a" ~ unknown ~ "b" would not be transitive.
    EXPECT_LT(CompareRows(1, 2, 0), 0);
    EXPECT_GT(CompareRows(2, 0, 0), 0);
}

// Cells of every kind a column can hold, and some no column would: damaged
// dates, signs and spaces in sizes, long and empty texts.
std::string RandomCell(std::mt19937& random)
{
    auto pick = [&](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
    char text[64];
    switch (pick(6)) {
    case 0:
        std::snprintf(text, sizeof text, "%2d/%02d/%04d  %02d:%02d", 1 + pick(12), 1 + pick(3),
                      1999 + pick(3), pick(3), pick(60));
        return text;
    case 1:
        std::snprintf(text, sizeof text, "%s%dKB", pick(4) == 0 ? " -" : "", pick(2000));
        return text;
    case 2:
        return std::string(static_cast<size_t>(pick(4)) + 1, "aAbB /:"[pick(7)]);
    case 3:
        return std::string(250 + static_cast<size_t>(pick(20)), 'x') + std::to_string(pick(10));
    case 4:
        return std::string(" 1/0") + std::to_string(pick(3)) + "/2000" + (pick(2) ? "  00:00" : " 0:0x");
    default:
        return {};
    }
}

TEST_F(CompareRowsTest, IsAStrictWeakOrderOnRandomRows)
{
    std::mt19937 random(8);
    for (int sample = 0; sample < 200; ++sample) {
        const int column = sample % maxResultColumns;
        list.snapshot.Clear();
        constexpr int rows = 12;
        for (int row = 0; row < rows; ++row)
            if (random() % 8 != 0) // now and then a row the list cannot give
                list.snapshot.Add(row, RandomCell(random), row);
        sortTargetList = &list;
        auto order = [&](int a, int b) { return Sign(CompareRows(a, b, column)); };
        for (int a = 0; a < rows; ++a) {
            ASSERT_EQ(order(a, a), 0) << "sample " << sample;
            for (int b = 0; b < rows; ++b) {
                ASSERT_EQ(order(a, b), -order(b, a)) << "sample " << sample << ": " << a << ", " << b;
                for (int c = 0; c < rows; ++c) {
                    if (order(a, b) == order(b, c)) {
                        ASSERT_EQ(order(a, c), order(a, b))
                            << "sample " << sample << ": " << a << ", " << b << ", " << c;
                    }
                }
            }
        }
    }
}

TEST_F(CompareRowsTest, SortsEachColumnByItsKind)
{
    const std::vector<std::string> names = {"D:\\b.txt", "D:\\A.TXT", "D:\\a.txt", "D:\\C.TXT"};
    const std::vector<std::string> sizes = {"1024KB", "999KB", "4194304KB", "2KB"};
    const std::vector<std::string> dates = {"12/31/1999  23:59", "", " 1/01/2000  00:00",
                                            " 3/05/1999  09:07"};
    EXPECT_EQ(SortBy(0, names, {0, 1, 2, 3}), (std::vector<intptr_t>{1, 3, 2, 0}));
    EXPECT_EQ(SortBy(1, sizes, {0, 1, 2, 3}), (std::vector<intptr_t>{3, 1, 0, 2}));
    EXPECT_EQ(SortBy(2, dates, {0, 1, 2, 3}), (std::vector<intptr_t>{1, 3, 0, 2}));
}

TEST_F(CompareRowsTest, AttributeColumnGivesBackTheOrderFound)
{
    const std::vector<std::string> attributes = {"A    ", "     ", "A R  ", " H   ", "AHRST"};
    EXPECT_EQ(SortBy(3, attributes, {4, 2, 0, 3, 1}), (std::vector<intptr_t>{0, 1, 2, 3, 4}));
}

class FakeRows : public IRowStates {
public:
    int32_t RowCount() const override { return static_cast<int32_t>(focused.size()); }
    bool IsFocused(int32_t row) const override { return focused[static_cast<size_t>(row)]; }
    bool IsSelected(int32_t row) const override { return selected[static_cast<size_t>(row)]; }
    void Deselect(int32_t row) override
    {
        deselected.insert(row);
        selected[static_cast<size_t>(row)] = false;
    }
    std::vector<bool> focused;
    std::vector<bool> selected;
    std::set<int32_t> deselected;
};

TEST(RowOrder, CurrentItemIsTheFocusedSelectedRow)
{
    struct Case {
        const char* name;
        std::vector<bool> focused;
        std::vector<bool> selected;
        int32_t current;
        std::set<int32_t> deselected;
    };
    const Case cases[] = {
        {"empty", {}, {}, -1, {}},
        {"nothing selected", {0, 1, 0}, {0, 0, 0}, -1, {}},
        {"focused row not selected", {0, 1, 0, 0}, {1, 0, 1, 1}, -1, {0, 2, 3}},
        {"focused and selected", {0, 0, 0, 1, 0, 0}, {0, 0, 0, 1, 0, 1}, 3, {5}},
        {"only the current row", {1, 0}, {1, 0}, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeRows rows;
        rows.focused = c.focused;
        rows.selected = c.selected;
        EXPECT_EQ(FindCurrentItem(rows), c.current);
        EXPECT_EQ(rows.deselected, c.deselected);
    }
}

} // namespace
} // namespace trawl
