#include "ResultListWindow.h"

#include "framework/Resources.h"
#include "res/resource.h"
#include "support/FixtureFiles.h"
#include "ui/CodePageText.h"
#include "ui/FileReach.h"
#include "ui/ResultSearch.h"
#include "ui/Win32FileFinder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <new>
#include <set>
#include <string>
#include <vector>

namespace {

// A directory tree under the temporary directory, removed afterwards.
class FixtureTree {
public:
    FixtureTree()
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        root = std::string(temp) + "trawl-ui-" + std::to_string(GetCurrentProcessId());
        RemoveTree(root); // left over by a run that crashed
        CreateDirectoryA(root.c_str(), nullptr);
    }
    ~FixtureTree() { RemoveTree(root); }
    FixtureTree(const FixtureTree&) = delete;
    FixtureTree& operator=(const FixtureTree&) = delete;

    std::string Directory(const std::string& name)
    {
        std::string path = root + "\\" + name;
        CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }

    // A file of `size` bytes last written at the given UTC time.
    static void File(const std::string& path, DWORD size, const SYSTEMTIME& written, DWORD attributes = 0)
    {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
        std::vector<char> bytes(size, 'x');
        DWORD count = 0;
        WriteFile(file, bytes.data(), size, &count, nullptr);
        FILETIME time{};
        SystemTimeToFileTime(&written, &time);
        SetFileTime(file, nullptr, nullptr, &time);
        CloseHandle(file);
        if (attributes != 0)
            SetFileAttributesA(path.c_str(), attributes);
    }

private:
    std::string root;
};

// The date cell of a UTC time, shifted by the local offset in force now.
std::string LocalDateCell(const SYSTEMTIME& utc)
{
    TIME_ZONE_INFORMATION zone{};
    const DWORD which = GetTimeZoneInformation(&zone);
    LONG bias = zone.Bias + (which == TIME_ZONE_ID_DAYLIGHT ? zone.DaylightBias : zone.StandardBias);
    FILETIME time{};
    SystemTimeToFileTime(&utc, &time);
    ULARGE_INTEGER ticks{{time.dwLowDateTime, time.dwHighDateTime}};
    ticks.QuadPart -= static_cast<ULONGLONG>(static_cast<LONGLONG>(bias) * 60 * 10000000);
    time = {ticks.LowPart, ticks.HighPart};
    SYSTEMTIME local{};
    FileTimeToSystemTime(&time, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%2d/%02d/%d  %02d:%02d", local.wMonth, local.wDay, local.wYear,
                  local.wHour, local.wMinute);
    return text;
}

class ResultFillTest : public ResultListTest {
protected:
    void SetUp() override
    {
        ResultListTest::SetUp();
        first = tree.Directory("first");
        second = tree.Directory("second");
        third = tree.Directory("third");
        tree.Directory("first\\sub.txt");
        FixtureTree::File(first + "\\a.txt", 0, aTime);
        FixtureTree::File(first + "\\notes.log", 100, aTime);
        FixtureTree::File(second + "\\c.txt", 10240, cTime);
        FixtureTree::File(third + "\\b.txt", 5120, bTime, FILE_ATTRIBUTE_READONLY);
    }

    // Fills the list the way the search does, over a list that already has rows.
    void Search(const std::string& directories, const std::string& pattern, trawl::DisplayOptions options)
    {
        list.SetupResultColumns(options);
        list.SetCell(0, 0, "stale row");
        const trawl::SearchOutcome outcome = ListMatchingFiles(list, directories, pattern, options);
        FinishResultList(list, outcome, LoadResString(IDS_NO_FILES));
    }

    int WidestPath() const
    {
        int widest = 0;
        for (const std::string& path : ColumnTexts(0))
            widest = std::max(widest, list.GetStringWidth(path));
        return widest;
    }

    static constexpr SYSTEMTIME aTime{2001, 2, 6, 3, 4, 5, 0, 0};
    static constexpr SYSTEMTIME bTime{1999, 12, 5, 31, 23, 59, 0, 0};
    static constexpr SYSTEMTIME cTime{2010, 7, 4, 15, 12, 30, 0, 0};

    FixtureTree tree;
    std::string first, second, third;
};

TEST_F(ResultFillTest, RowsInFoundOrderWithTheSelectedCells)
{
    Search(second + ";" + first + ";" + third + ";" + second, "*.txt", {1, 1, 1});

    const std::string c = second + "\\c.txt";
    const std::string a = first + "\\a.txt";
    const std::string b = third + "\\b.txt";
    // A directory named twice is searched twice; sub.txt is a directory.
    EXPECT_EQ(ColumnTexts(0), (std::vector<std::string>{c, a, b, c}));
    EXPECT_EQ(ItemData(), (std::vector<LPARAM>{0, 1, 2, 3}));
    EXPECT_EQ(ColumnTexts(1), (std::vector<std::string>{"10KB", "1KB", "5KB", "10KB"}));
    EXPECT_EQ(ColumnTexts(2), (std::vector<std::string>{LocalDateCell(cTime), LocalDateCell(aTime),
                                                        LocalDateCell(bTime), LocalDateCell(cTime)}));
    EXPECT_EQ(ColumnTexts(3), (std::vector<std::string>{"A    ", "A    ", "A R  ", "A    "}));
    EXPECT_EQ(list.GetColumnWidth(0), WidestPath() + 10);
}

TEST_F(ResultFillTest, OptionsChooseTheColumns)
{
    struct Case {
        const char* name;
        trawl::DisplayOptions options;
        std::vector<std::string> headings;
        std::vector<std::string> cells; // of the one row
    };
    const std::string path = third + "\\b.txt";
    const Case cases[] = {
        {"path only", {0, 0, 0}, {"Files"}, {path}},
        {"size", {1, 0, 0}, {"Files", "Size"}, {path, "5KB"}},
        {"date and attribute",
         {0, 1, 1},
         {"Files", "Date Modify", "Attribute"},
         {path, LocalDateCell(bTime), "A R  "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Search(third, "b.*", c.options);
        ASSERT_EQ(list.GetColumnCount(), static_cast<int>(c.headings.size()));
        ASSERT_EQ(list.GetItemCount(), 1);
        for (size_t column = 0; column < c.headings.size(); ++column) {
            EXPECT_EQ(list.GetColumnHeading(static_cast<int>(column)), c.headings[column]);
            EXPECT_EQ(list.GetItemText(0, static_cast<int>(column)), c.cells[column]);
        }
    }
}

TEST_F(ResultFillTest, NothingFoundLeavesTheMessageRow)
{
    const std::string missing = tree.Directory("gone") + "\\missing";
    Search(first + ";" + missing, "*.none", {1, 1, 1});

    const std::string message = "(No files where found !)";
    EXPECT_EQ(ColumnTexts(0), std::vector<std::string>{message});
    EXPECT_EQ(ItemData(), std::vector<LPARAM>{0});
    EXPECT_EQ(list.GetColumnWidth(0), list.GetStringWidth(message) + 10);
}

// The long path of the file a path in the code page reaches, empty when it reaches none.
std::wstring FileReached(const std::string& path, UINT codePage)
{
    const std::wstring wide = WideFromCodePage(path, codePage).value_or(L"");
    wchar_t longPath[MAX_PATH] = {};
    if (GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES ||
        GetLongPathNameW(wide.c_str(), longPath, MAX_PATH) == 0)
        return {};
    return longPath;
}

TEST_F(ResultFillTest, WhereTheCodePageFallsShortEachPathStillReachesOnlyItsOwnFile)
{
    const std::string names = tree.Directory("names");
    std::set<std::wstring> files, reached;
    for (const std::string& name : nonAsciiFixtureNames) {
        FixtureTree::File(names + "\\" + name, 1, aTime);
        files.insert(FileReached(names + "\\" + name, CP_UTF8));
    }
    ASSERT_EQ(files.size(), nonAsciiFixtureNames.size());
    // As on a system that ignores the manifest: Western code page 1252.
    Win32FileFinder(1252).FindMatches(names + "\\*.txt", [&](const trawl::FoundEntry& entry) {
        const std::string path = names + "\\" + std::string(entry.name);
        EXPECT_TRUE(reached.insert(FileReached(path, 1252)).second)
            << path << " reaches a file already listed";
    });
    EXPECT_EQ(reached, files);
}

// Writing a row may throw (out of memory); the directory must not stay open.
TEST_F(ResultFillTest, FindHandleClosesWhenARowThrows)
{
    EXPECT_THROW(Win32FileFinder().FindMatches(second + "\\*.txt",
                                               [](const trawl::FoundEntry&) { throw std::bad_alloc(); }),
                 std::bad_alloc);
    // An open find handle holds the directory: it could not be removed.
    DeleteFileA((second + "\\c.txt").c_str());
    EXPECT_NE(RemoveDirectoryA(second.c_str()), FALSE) << GetLastError();
}

// A device name typed as the pattern lists what each directory holds under
// that name, never the device.
TEST_F(ResultFillTest, ADeviceNameListsOnlyFilesOfThatName)
{
    const std::string dir = tree.Directory("devices");
    const std::wstring exactDir = L"\\\\?\\" + *WideFromCodePage(dir) + L"\\";
    CloseHandle(CreateFileW((exactDir + L"con.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"con", {}}, {"nul", {}}, {"conin$", {}}, {"con.txt", {"con.txt"}}, {"aux.*", {}}, {"con.*", {"con.txt"}},
    };
    for (const auto& [pattern, names] : cases) {
        std::vector<std::string> found;
        Win32FileFinder().FindMatches(dir + "\\" + pattern,
                                      [&](const trawl::FoundEntry& entry) { found.emplace_back(entry.name); });
        EXPECT_EQ(found, names) << pattern;
    }
    DeleteFileW((exactDir + L"con.txt").c_str());
}

// A name no path holds is reached through the short name recorded at the
// search; once that alias leads to a file of another name, nothing is.
TEST_F(ResultFillTest, AShortNameThatNowLeadsElsewhereReachesNothing)
{
    const std::string dir = tree.Directory("moved");
    FixtureTree::File(dir + "\\a name too long for 8.3.txt", 1, aTime);
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW(WideFromCodePage(dir + "\\a name*")->c_str(), &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    FindClose(find);
    ASSERT_NE(data.cAlternateFileName[0], L'\0');
    const FoundFile gone{dir + "\\", L"gone\\back.txt", data.cAlternateFileName};
    EXPECT_EQ(CheckedExactPath(gone).fault, ReachFault::Changed);
    const FoundFile same{dir + "\\", data.cFileName, data.cAlternateFileName};
    EXPECT_EQ(CheckedExactPath(same).fault, ReachFault::None);
}

TEST(ListedName, TheLongNameIfCarriedElseTheShortNameElseTheMark)
{
    struct Case {
        const char* name;
        std::wstring longName, shortName;
        UINT codePage;
        std::string listed;
    };
    const Case cases[] = {
        {"carried by 1252", L"caf\u00E9.txt", L"CAF_~CRT.TXT", 1252, "caf\xE9.txt"},
        {"euro in 1252", L"\u20AC.txt", L"_~~~~DVL.TXT", 1252, "\x80.txt"},
        {"best fit refused", L"\u03A9.txt", L"_~~~~1G3.TXT", 1252, "_~~~~1G3.TXT"},
        {"no short name", L"\u65E5\u672C.txt", L"", 1252, "||.txt"},
        {"pair as one character", L"emoji-\U0001F600.txt", L"", 1252, "emoji-|.txt"},
        {"UTF-8 carries all", L"\u65E5\u672C.txt", L"__~~~2CT.TXT", CP_UTF8, "日本.txt"},
        {"lone surrogate", L"a\xD800.txt", L"A~1.TXT", CP_UTF8, "A~1.TXT"},
        {"lone surrogate, no short name", L"a\xD800.txt", L"", CP_UTF8, "a|.txt"},
        // In Shift-JIS the second byte of this katakana is the mark's byte.
        {"double-byte code page", L"\u30DD.txt", L"", 932, "\x83\x7C.txt"},
        {"double-byte, not carried", L"\u03A9\u20AC.txt", L"", 932, "\x83\xB6|.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string listed = ListedNameInCodePage(c.longName.c_str(), c.shortName.c_str(), c.codePage);
        EXPECT_EQ(listed, c.listed);
    }
}

} // namespace
