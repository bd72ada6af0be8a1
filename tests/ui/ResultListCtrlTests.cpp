#include "ResultListWindow.h"

#include "core/Columns.h"
#include "res/resource.h"
#include "ui/ResultSearch.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace {

int CALLBACK CompareResultRows(LPARAM first, LPARAM second, LPARAM column)
{
    return trawl::CompareRows(first, second, column);
}

std::string Samples(int count)
{
    return std::string(static_cast<size_t>(count), 'x');
}

TEST_F(ResultListTest, ColumnWidthsFollowTheirSpecs)
{
    struct Case {
        const char* heading;
        int widthSpec;
        std::string measured; // the text whose width sizes the column
        int extra;
    };
    const Case cases[] = {
        {"Files", 80, Samples(80), 0}, {"Wide", 100, Samples(80), 0},      {"Size", 12, Samples(12), 0},
        {"One", 1, Samples(1), 0},     {"Attribute", -1, "Attribute", 15}, {"Hidden", 0, "", 0},
    };
    ASSERT_GT(list.GetStringWidth(Samples(80)), list.GetStringWidth(Samples(12)));
    int position = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heading);
        ASSERT_EQ(list.InsertSizedColumn(c.heading, position, -1, c.widthSpec), position);
        const int expected = c.measured.empty() ? 0 : list.GetStringWidth(c.measured) + c.extra;
        EXPECT_EQ(list.GetColumnWidth(position), expected);
        EXPECT_EQ(list.GetColumnHeading(position), c.heading);
        ++position;
    }
}

TEST_F(ResultListTest, ColumnKeepsFormatAndSubItem)
{
    struct Case {
        const char* heading;
        int subItem;
        int format;
        int expectedSubItem;
    };
    // Column 0 is always left-aligned in a list view, so alignment shows from column 1.
    const Case cases[] = {
        {"Files", -1, LVCFMT_LEFT, 0},
        {"Size", -1, LVCFMT_RIGHT, 1},
        {"Date Modify", 7, LVCFMT_LEFT, 7},
        {"Attribute", -1, LVCFMT_RIGHT, 3},
    };
    for (int position = 0; position < 4; ++position) {
        const Case& c = cases[position];
        SCOPED_TRACE(c.heading);
        list.InsertSizedColumn(c.heading, position, c.subItem, 10, CResultListCtrl::maskAll, c.format);
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_SUBITEM;
        ASSERT_TRUE(list.SendMessage(LVM_GETCOLUMNA, static_cast<WPARAM>(position),
                                     reinterpret_cast<LPARAM>(&column)));
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, c.format);
        EXPECT_EQ(column.iSubItem, c.expectedSubItem);
    }
}

TEST_F(ResultListTest, SetCellInsertsRowsTaggedWithTheirNumberAndFillsCells)
{
    list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_SUBITEMIMAGES, LVS_EX_SUBITEMIMAGES);
    list.InsertSizedColumn("Files", 0, -1, 20);
    list.InsertSizedColumn("Size", 1, -1, 10);

    EXPECT_EQ(list.SetCell(0, 0, "first"), 0);
    EXPECT_EQ(list.SetCell(1, 0, "second"), 1);
    // Past the end the row is appended; its item data is still its number.
    EXPECT_EQ(list.SetCell(7, 0, "seventh", 2), 2);
    EXPECT_EQ(ItemData(), (std::vector<LPARAM>{0, 1, 7}));
    EXPECT_EQ(ColumnTexts(0), (std::vector<std::string>{"first", "second", "seventh"}));
    EXPECT_EQ(list.GetImage(2, 0), 2);

    EXPECT_EQ(list.SetCell(1, 1, "5KB", 3), 1);
    EXPECT_EQ(list.GetItemText(1, 1), "5KB");
    EXPECT_EQ(list.GetImage(1, 1), 3);
    // Without an image the cell keeps the one it has.
    list.SetCell(1, 1, "6KB");
    EXPECT_EQ(list.GetItemText(1, 1), "6KB");
    EXPECT_EQ(list.GetImage(1, 1), 3);
    EXPECT_EQ(ColumnTexts(1), (std::vector<std::string>{"", "6KB", ""}));
}

TEST_F(ResultListTest, CurrentItemIsTheFocusedSelectedRow)
{
    struct Case {
        const char* name;
        DWORD style;
        int rows;
        int focused;
        std::vector<int> selected;
        int current;
        std::vector<int> selectedAfter;
    };
    const Case cases[] = {
        {"empty list", LVS_SINGLESEL, 0, -1, {}, -1, {}},
        {"nothing selected", LVS_SINGLESEL, 6, 1, {}, -1, {}},
        {"focused row not selected", LVS_SINGLESEL, 6, 2, {4}, -1, {}},
        {"focused and selected", LVS_SINGLESEL, 6, 3, {3}, 3, {3}},
        {"other selected rows dropped", 0, 6, 3, {0, 3, 5}, 3, {3}},
        {"several selected, none focused", 0, 6, 1, {2, 4}, -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CreateWindows(c.style);
        list.InsertSizedColumn("Files", 0, -1, 20);
        for (int row = 0; row < c.rows; ++row)
            list.SetCell(row, 0, "row " + std::to_string(row));
        // Selecting never moves the focus; setting the focus never selects.
        for (int row : c.selected)
            list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
        if (c.focused >= 0)
            list.SetItemState(c.focused, LVIS_FOCUSED, LVIS_FOCUSED);

        EXPECT_EQ(list.GetCurrentItem(), c.current);
        std::vector<int> selected;
        for (int row = 0; row < c.rows; ++row)
            if (list.GetItemState(row, LVIS_SELECTED) != 0)
                selected.push_back(row);
        EXPECT_EQ(selected, c.selectedAfter);
    }
}

class ResultListSortTest : public ResultListTest {
protected:
    void SetUp() override
    {
        ResultListTest::SetUp();
        list.SetupResultColumns({1, 1, 1});
        const char* rows[][4] = {
            {"b.txt", "1024KB", "12/31/1999  23:59", "A  S "},
            {"B.txt", "999KB", " 1/02/2000  08:00", "A    "},
            {"c.txt", "1KB", "12/31/1998  10:00", "AHR  "},
            {"a.txt", "1KB", " 6/15/1999  12:00", "A R  "},
            {"A.txt", "10KB", " 1/02/2000  07:59", "     "},
        };
        for (int row = 0; row < 5; ++row)
            for (int column = 0; column < 4; ++column)
                list.SetCell(row, column, rows[row][column]);
        list.compareFunc = &CompareResultRows;
        trawl::sortTargetList = &list;
    }
    void TearDown() override { trawl::sortTargetList = nullptr; }
};

TEST_F(ResultListSortTest, HeadingClickSortsByTheColumnsKind)
{
    struct Case {
        const char* name;
        std::vector<int> clicks;
        std::vector<LPARAM> order;
    };
    const Case cases[] = {
        {"file names in character order", {0}, {4, 1, 3, 0, 2}},
        {"sizes by value", {1}, {2, 3, 4, 1, 0}},
        {"equal sizes keep the name order", {0, 1}, {3, 2, 4, 1, 0}},
        {"dates chronologically", {2}, {2, 3, 0, 4, 1}},
        {"attributes give back the found order", {0, 3}, {0, 1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Back to the found order first.
        list.SortByColumn(3);
        ASSERT_EQ(ItemData(), (std::vector<LPARAM>{0, 1, 2, 3, 4}));
        for (int column : c.clicks)
            ClickHeading(column);
        EXPECT_EQ(ItemData(), c.order);
    }
}

TEST_F(ResultListSortTest, NoComparerNoSort)
{
    list.compareFunc = nullptr;
    ClickHeading(0);
    EXPECT_EQ(ItemData(), (std::vector<LPARAM>{0, 1, 2, 3, 4}));
}

TEST_F(ResultListTest, PopupMenuOverRowsOnly)
{
    list.InsertSizedColumn("Files", 0, -1, 40);
    for (int row = 0; row < 3; ++row)
        list.SetCell(row, 0, "row " + std::to_string(row));
    const RECT client = list.GetClientRect();
    const POINT belowRows{RowCentre(0).x, client.bottom - 10};
    ASSERT_GT(belowRows.y, RowCentre(2).y + 40);

    struct Case {
        const char* name;
        UINT menuId;
        POINT at;
        size_t menus;
    };
    const Case cases[] = {
        {"no menu set", 0, RowCentre(1), 0},
        {"over a row", IDR_RESULT_POPUP, RowCentre(1), 1},
        {"below the last row", IDR_RESULT_POPUP, belowRows, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frame.menusShown.clear();
        list.popupMenuId = c.menuId;
        RightClick(c.at);
        EXPECT_EQ(frame.menusShown.size(), c.menus);
        EXPECT_TRUE(form.menusShown.empty());
    }

    using Item = CMenuRecorder::Item;
    list.popupMenuId = IDR_RESULT_POPUP;
    frame.menusShown.clear();
    RightClick(RowCentre(0));
    ASSERT_EQ(frame.menusShown.size(), 1u);
    EXPECT_EQ(frame.menusShown[0], (std::vector<Item>{{"&Open", ID_POPUP_OPEN},
                                                      {"&Attributes", ID_POPUP_ATTRIBUTES},
                                                      {"Open w/&Notepad", ID_POPUP_NOTEPAD},
                                                      {"Open w/&QuickView", ID_POPUP_QUICKVIEW},
                                                      {"&Delete", ID_POPUP_DELETE}}));
}

// The row number once lived in a 16-bit counter, which lost rows past 32,767.
TEST_F(ResultListTest, RowsPast32767KeepTheirNumbers)
{
    constexpr int rows = 33000;
    list.InsertSizedColumn("Files", 0, -1, 20);
    list.SetRedraw(false);
    for (int row = 0; row < rows; ++row)
        list.SetCell(row, 0, std::to_string(row));
    list.SetRedraw(true);

    ASSERT_EQ(list.GetItemCount(), rows);
    std::vector<LPARAM> expected(rows);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(ItemData(), expected);
    EXPECT_EQ(list.GetItemText(rows - 1, 0), "32999");
}

} // namespace
