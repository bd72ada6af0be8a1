#include "ResultListWindow.h"

#include "core/Columns.h"
#include "res/resource.h"
#include "ui/ResultSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr COLORREF untouched = RGB(1, 2, 3);

int CALLBACK CompareResultRows(LPARAM first, LPARAM second, LPARAM column)
{
    return trawl::CompareRows(first, second, column);
}

// A name with one letter outside ASCII, in the code page; empty when the code
// page has no such letter.
std::string InCodePage(const wchar_t* name)
{
    BOOL lossy = FALSE;
    char text[64] = {};
    if (WideCharToMultiByte(CP_ACP, 0, name, -1, text, sizeof text, nullptr, &lossy) == 0 || lossy)
        return {};
    return text;
}

class ShadowMarksTest : public ResultListTest {
protected:
    void SetUp() override
    {
        ResultListTest::SetUp();
        SetupResultColumns(list, {0, 0, 0});
        list.compareFunc = &CompareResultRows;
        trawl::sortTargetList = &list;
        list.EnableShadowMarks();
    }
    void TearDown() override { trawl::sortTargetList = nullptr; }

    void List(const std::vector<std::string>& paths)
    {
        list.DeleteAllItems();
        for (size_t row = 0; row < paths.size(); ++row)
            list.SetCell(static_cast<int>(row), 0, paths[row]);
    }

    int RowOf(const std::string& path) const
    {
        const std::vector<std::string> paths = ColumnTexts(0);
        return static_cast<int>(std::find(paths.begin(), paths.end(), path) - paths.begin());
    }

    // The text colour custom draw asks for, as the list's parent passes the
    // notification on; `untouched` when the row keeps its own.
    COLORREF DrawColour(int row)
    {
        NMLVCUSTOMDRAW draw{};
        draw.nmcd.hdr = {list.GetSafeHwnd(), IDC_RESULTS, static_cast<UINT>(NM_CUSTOMDRAW)};
        draw.nmcd.dwDrawStage = CDDS_PREPAINT;
        if (form.SendMessage(WM_NOTIFY, IDC_RESULTS, reinterpret_cast<LPARAM>(&draw)) != CDRF_NOTIFYITEMDRAW)
            return untouched;
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
        draw.nmcd.lItemlParam = list.GetItemData(row);
        draw.clrText = untouched;
        EXPECT_EQ(form.SendMessage(WM_NOTIFY, IDC_RESULTS, reinterpret_cast<LPARAM>(&draw)), CDRF_DODEFAULT);
        return draw.clrText;
    }

    // The info tip as the list asks its parent for it; `shown` is what the
    // control puts in the buffer first (a cut label's whole text).
    std::string Tip(int row, const std::string& shown = "", DWORD flags = LVGIT_UNFOLDED)
    {
        char buffer[INFOTIPSIZE] = {};
        shown.copy(buffer, sizeof buffer - 1);
        NMLVGETINFOTIPA tip{};
        tip.hdr = {list.GetSafeHwnd(), IDC_RESULTS, static_cast<UINT>(LVN_GETINFOTIPA)};
        tip.dwFlags = flags;
        tip.pszText = buffer;
        tip.cchTextMax = sizeof buffer;
        tip.iItem = row;
        form.SendMessage(WM_NOTIFY, IDC_RESULTS, reinterpret_cast<LPARAM>(&tip));
        return buffer;
    }

    // Each row as shown: its path, grey or not, and its tip.
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
        for (int row = 0; row < list.GetItemCount(); ++row) {
            const COLORREF colour = DrawColour(row);
            const char* look = colour == grey ? "grey" : colour == untouched ? "normal" : "other colour";
            rows.push_back(list.GetItemText(row, 0) + " | " + look + " | " + Tip(row));
        }
        return rows;
    }
};

TEST_F(ShadowMarksTest, ShadowedCopiesAreGreyAndTipsNameTheWinner)
{
    const std::vector<std::string> found = {
        R"(C:\A\tool.exe)", R"(C:\A\alone.txt)", R"(C:\B\TOOL.EXE)",
        R"(C:\B\lib.dll)",  R"(C:\C\tool.exe)",  R"(C:\C\lib.dll)",
    };
    struct Case {
        const char* name;
        std::vector<std::string> paths;
        std::function<void()> act;
        std::vector<std::string> rows;
    };
    const std::string upper = InCodePage(L"C:\\A\\\u00C4.txt");
    const std::string lower = InCodePage(L"C:\\B\\\u00E4.TXT");
    const Case cases[] = {
        {"as found",
         found,
         [] {},
         {R"(C:\A\tool.exe | normal | Wins over 2 other copies)", R"(C:\A\alone.txt | normal | )",
          R"(C:\B\TOOL.EXE | grey | Shadowed by C:\A\tool.exe)",
          R"(C:\B\lib.dll | normal | Wins over 1 other copy)",
          R"(C:\C\tool.exe | grey | Shadowed by C:\A\tool.exe)",
          R"(C:\C\lib.dll | grey | Shadowed by C:\B\lib.dll)"}},
        {"marks follow a sort",
         found,
         [&] { ClickHeading(0); },
         {R"(C:\A\alone.txt | normal | )", R"(C:\A\tool.exe | normal | Wins over 2 other copies)",
          R"(C:\B\TOOL.EXE | grey | Shadowed by C:\A\tool.exe)",
          R"(C:\B\lib.dll | normal | Wins over 1 other copy)",
          R"(C:\C\lib.dll | grey | Shadowed by C:\B\lib.dll)",
          R"(C:\C\tool.exe | grey | Shadowed by C:\A\tool.exe)"}},
        {"the next copy wins once the winner is deleted",
         found,
         [&] {
             ClickHeading(0);
             ASSERT_TRUE(list.DeleteItem(RowOf(R"(C:\A\tool.exe)")));
             ASSERT_TRUE(list.DeleteItem(RowOf(R"(C:\B\lib.dll)")));
         },
         {R"(C:\A\alone.txt | normal | )", R"(C:\B\TOOL.EXE | normal | Wins over 1 other copy)",
          R"(C:\C\lib.dll | normal | )", R"(C:\C\tool.exe | grey | Shadowed by C:\B\TOOL.EXE)"}},
        {"letters outside ASCII compare without case",
         {upper, lower},
         [] {},
         {upper + " | normal | Wins over 1 other copy", lower + " | grey | Shadowed by " + upper}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (std::find(c.paths.begin(), c.paths.end(), "") != c.paths.end())
            continue; // the code page lacks the letter
        List(c.paths);
        c.act();
        EXPECT_EQ(Rows(), c.rows);
    }
}

TEST_F(ShadowMarksTest, TipOfACutLabelKeepsTheLabelAndListsWithoutMarksHaveNone)
{
    List({R"(C:\A\tool.exe)", R"(C:\B\tool.exe)", R"(C:\B\alone.exe)"});
    EXPECT_EQ(Tip(1, R"(C:\B\tool.exe)", 0), "C:\\B\\tool.exe\r\nShadowed by C:\\A\\tool.exe");
    EXPECT_EQ(Tip(2, R"(C:\B\alone.exe)", 0), R"(C:\B\alone.exe)");
    EXPECT_TRUE(list.SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_INFOTIP);

    // The About box's drive table never turns the marks on.
    CreateWindows(LVS_SINGLESEL);
    SetupResultColumns(list, {0, 0, 0});
    List({R"(C:\A\tool.exe)", R"(C:\B\tool.exe)"});
    EXPECT_EQ(Rows(),
              (std::vector<std::string>{R"(C:\A\tool.exe | normal | )", R"(C:\B\tool.exe | normal | )"}));
}

} // namespace
