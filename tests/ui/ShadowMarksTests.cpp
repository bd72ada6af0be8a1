#include "ResultListWindow.h"

#include "core/AppExecAlias.h"
#include "core/Columns.h"
#include "framework/CodePage.h"
#include "res/resource.h"
#include "support/FixtureFiles.h"
#include "ui/ResultSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;
constexpr COLORREF untouched = RGB(1, 2, 3);

int CALLBACK CompareResultRows(LPARAM first, LPARAM second, LPARAM column)
{
    return trawl::CompareRows(first, second, column);
}

// The name in the code page; empty when the code page lacks one of its letters.
std::string InCodePage(const wchar_t* name)
{
    char text[64] = {};
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, 0, name, -1, text, sizeof text, nullptr, &lossy);
    return lossy ? "" : text;
}

class ShadowMarksTest : public ResultListTest {
protected:
    void SetUp() override
    {
        ResultListTest::SetUp();
        list.SetupResultColumns({0, 0, 0});
        list.compareFunc = &CompareResultRows;
        trawl::sortTargetList = &list;
        list.EnableShadowMarks();
    }
    void TearDown() override { trawl::sortTargetList = nullptr; }

    void List(const Texts& paths)
    {
        list.DeleteAllItems();
        for (size_t row = 0; row < paths.size(); ++row)
            list.SetCell(static_cast<int>(row), 0, paths[row]);
    }
    void Delete(const std::string& path)
    {
        const Texts paths = ColumnTexts(0);
        list.DeleteItem(static_cast<int>(std::find(paths.begin(), paths.end(), path) - paths.begin()));
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

    // Each row as shown: "path (grey): tip", "(grey)" left out for the normal colour.
    Texts Rows()
    {
        Texts rows;
        for (int row = 0; row < list.GetItemCount(); ++row) {
            const COLORREF colour = DrawColour(row);
            const char* look = colour == GetSysColor(COLOR_GRAYTEXT) ? " (grey)"
                               : colour == untouched                 ? ""
                                                                     : " (other colour)";
            rows.push_back(list.GetItemText(row, 0) + look + ": " + Tip(row));
        }
        return rows;
    }
};

TEST_F(ShadowMarksTest, ShadowedCopiesAreGreyAndTipsNameTheWinnerWhereverTheRowsMove)
{
    // Found in this order; the heading then sorts them by path.
    List({R"(B\tool.exe)", R"(A\alone.txt)", R"(A\tool.exe)", R"(C\TOOL.EXE)"});
    ClickHeading(0);
    EXPECT_EQ(Rows(), (Texts{R"(A\alone.txt: )", R"(A\tool.exe (grey): Shadowed by B\tool.exe)",
                             R"(B\tool.exe: Wins over 2 other copies)",
                             R"(C\TOOL.EXE (grey): Shadowed by B\tool.exe)"}));
    Delete(R"(B\tool.exe)");
    EXPECT_EQ(Rows(), (Texts{R"(A\alone.txt: )", R"(A\tool.exe: Wins over 1 other copy)",
                             R"(C\TOOL.EXE (grey): Shadowed by A\tool.exe)"}));

    // Beyond ASCII, names fold as the file system folds them.
    const std::string upper = InCodePage(L"A\\\u00C4.txt"), lower = InCodePage(L"B\\\u00E4.TXT");
    if (!upper.empty() && !lower.empty()) {
        List({upper, lower});
        EXPECT_EQ(Rows(),
                  (Texts{upper + ": Wins over 1 other copy", lower + " (grey): Shadowed by " + upper}));
    }
}

TEST_F(ShadowMarksTest, TipOfACutLabelKeepsTheLabelAndListsWithoutMarksHaveNone)
{
    List({R"(A\tool.exe)", R"(B\tool.exe)", R"(B\alone.exe)"});
    EXPECT_EQ(Tip(1, R"(B\tool.exe)", 0), "B\\tool.exe\r\nShadowed by A\\tool.exe");
    EXPECT_EQ(Tip(2, R"(B\alone.exe)", 0), R"(B\alone.exe)");
    EXPECT_TRUE(list.SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_INFOTIP);

    // The About box's drive table never turns the marks on.
    CreateWindows(LVS_SINGLESEL);
    list.SetupResultColumns({0, 0, 0});
    List({R"(A\tool.exe)", R"(B\tool.exe)"});
    EXPECT_EQ(Rows(), (Texts{R"(A\tool.exe: )", R"(B\tool.exe: )"}));
}

TEST_F(ShadowMarksTest, ACommandSearchListsWhatTheInterpreterTriesAndGreysAllButWhatRuns)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string root = std::string(temp) + "trawl-runs-" + std::to_string(GetCurrentProcessId());
    const std::string a = root + "\\a", b = root + "\\b";
    for (const std::string& directory : {root, a, b})
        CreateDirectoryA(directory.c_str(), nullptr);
    for (const std::string& file : {a + "\\npm.bat", a + "\\npm", a + "\\npm.txt", a + "\\npmx.exe",
                                    b + "\\npm.cmd", b + "\\npm.bat", b + "\\npm.exe"})
        CloseHandle(
            CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    SetEnvironmentVariableA("PATHEXT", ".COM;.EXE;.BAT;.CMD");

    FinishResultList(list, ListMatchingFiles(list, a + ";" + b, "npm", {0, 0, 0}), "none");
    SetEnvironmentVariableA("PATHEXT", nullptr);
    EXPECT_EQ(Rows(), (Texts{a + "\\npm (grey): Not run by typing npm: it has no extension",
                             a + "\\npm.bat: Runs when you type npm\r\nWins over 1 other copy",
                             b + "\\npm.exe (grey): Typing npm runs " + a + "\\npm.bat",
                             b + "\\npm.bat (grey): Shadowed by " + a + "\\npm.bat",
                             b + "\\npm.cmd (grey): Typing npm runs " + a + "\\npm.bat"}));
    // Each row acts on the file it was found as.
    for (int row = 0; row < list.GetItemCount(); ++row) {
        const std::optional<FoundFile> file = list.FindFoundFile(row);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->directory + ExactInCodePage(file->name).value_or("?"), list.GetItemText(row, 0));
    }
    RemoveTree(root);
}

TEST_F(ShadowMarksTest, AnAliasThatRunsFirstAndAShimTellWhatTheyStart)
{
    // No file here can be an alias: the finder's report of the tag is what marks it.
    const std::string apps = "C:\\Apps\\WindowsApps\\", real = "C:\\Apps\\Python\\";
    list.DeleteAllItems();
    list.SetRunRule({".EXE"}, std::string("python"));
    for (const auto& [directory, tag] : {std::pair{apps, trawl::appExecLinkTag}, std::pair{real, 0u}}) {
        trawl::FoundEntry entry;
        entry.name = "python.exe";
        entry.exactName = u"python.exe";
        entry.reparseTag = tag;
        list.InsertFoundRow(list.GetItemCount(), directory + "python.exe", entry);
    }
    EXPECT_EQ(Rows(),
              (Texts{apps + "python.exe: Typing python runs the app execution alias " + apps +
                         "python.exe; " + real +
                         "python.exe comes later\r\nWins over 1 other copy\r\n"
                         "App execution alias: what it starts cannot be read",
                     real + "python.exe (grey): Shadowed by " + apps +
                         "python.exe\r\nTyping python runs the app execution alias " + apps + "python.exe"}));

    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string root = std::string(temp) + "trawl-shims-" + std::to_string(GetCurrentProcessId());
    const std::string shims = root + "\\shims", target = root + "\\target";
    for (const std::string& directory : {root, shims, target})
        CreateDirectoryA(directory.c_str(), nullptr);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    CopyFileA(self, (target + "\\real.exe").c_str(), FALSE);
    const std::string utf16Shim = "path = " + target + "\\missing.exe";
    std::string utf16Bytes = "\xFF\xFE";
    for (char c : utf16Shim)
        utf16Bytes += std::string{c, '\0'};
    const std::pair<std::string, std::string> files[] = {
        {"tool.exe", ""},  {"tool.shim", "path = \"" + target + "\\real.exe\"\r\nargs = --quiet\r\n"},
        {"gone.exe", ""},  {"gone.shim", utf16Bytes},
        {"plain.exe", ""},
    };
    for (const auto& [name, bytes] : files) {
        HANDLE file = CreateFileA((shims + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    list.SetupResultColumns({0, 0, 0, 1});
    FinishResultList(list, ListMatchingFiles(list, shims, "*.exe", {0, 0, 0, 1}), "none");
    Texts shown;
    for (int row = 0; row < list.GetItemCount(); ++row)
        shown.push_back(list.GetItemText(row, 0).substr(shims.size() + 1) + ": " + Tip(row) + " | " +
                        list.GetItemText(row, 1) + " | " + list.GetItemText(row, 2));
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, (Texts{"gone.exe: Runs when you type gone\r\nShim for " + target +
                                "\\missing.exe which is missing |  | ",
                            "plain.exe: Runs when you type plain |  | ",
                            "tool.exe: Runs when you type tool\r\nShim for " + target +
                                "\\real.exe | 1.9.0.0 (target) | x64 (target)"}));
    RemoveTree(root);
}

} // namespace
