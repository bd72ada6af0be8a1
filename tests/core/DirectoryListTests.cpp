#include "core/DirectoryList.h"
#include "core/NameFolder.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace std::chrono_literals;
using trawl::EntryState;
using trawl::PathKind;

// Directories exist where named; "C:\file.txt" is a file; all else is missing.
// A path with "slow" in it took 2.4 s; "C:\hung" has run 6 s without an answer.
class FakeDisk : public trawl::IPathChecks {
public:
    trawl::PathCheck Check(const std::string& path) override
    {
        ++probes;
        const std::chrono::milliseconds took = path.find("slow") != std::string::npos ? 2400ms : 0ms;
        if (path == "C:\\hung")
            return {std::nullopt, 6s};
        if (path == "C:\\file.txt")
            return {PathKind::File, took};
        return {path.rfind("C:\\gone", 0) == 0 ? PathKind::Missing : PathKind::Directory, took};
    }
    int probes = 0;
};

const trawl::DirectoryListTexts texts{
    {"Empty entry", "Unexpanded %s", "Relative", "Missing", "Not a directory", "Trailing space",
     "Trailing dot", "Not reached", "Cannot be read", "Duplicate of #%d", "OK", "Not in this process",
     "Stored as %s", "Unbalanced quote", "REG_SZ %s", "Checking", "Not answering", "Slow (%s s)",
     "Missing after %s s"},
    {"System", "User", "This process", "Typed"},
    "#\tDirectory\tState\tFrom",
    "1 entry",
    "%d entries",
    {"%d empty", "%d unexpanded", "%d relative", "%d missing", "%d not a directory", "%d trailing space",
     "%d trailing dot", "%d not reached", "%d unreadable", "%d duplicate", "", "%d not in this process",
     "%d not text", "%d unbalanced", "%d as text", "%d checking", "%d not answering", "%d slow",
     "%d missing slowly"},
    "%s characters",
    " (too long)",
    "(misses %s)"};

// "#|state|from" of each row.
std::vector<std::string> Report(const std::string& list, const trawl::StoredValues& stored = {})
{
    FakeDisk disk;
    trawl::AsciiNameFolder folder;
    std::vector<std::string> rows;
    for (const trawl::EntryReport& row : trawl::ReportDirectoryList(list, stored, disk, folder)) {
        std::vector<std::string> cells = trawl::ReportCells(row, texts);
        rows.push_back(cells[0] + "|" + cells[1] + "|" + cells[2] + "|" + cells[3]);
    }
    return rows;
}

TEST(DirectoryList, EachEntryGetsTheFirstStateThatApplies)
{
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"C:\\a;;C:\\a",
         {"1|C:\\a|OK|This process", "2||Empty entry|This process", "3|C:\\a|Duplicate of #1|This process"}},
        {"\"\";\"C:\\x;y\";\"C:\\gone\"",
         {"1|\"\"|Empty entry|This process", "2|\"C:\\x;y\"|OK|This process",
          "3|\"C:\\gone\"|Missing|This process"}},
        // Unexpanded before Relative before Missing; the first reference is named.
        {"%JAVA_HOME%\\bin;C:\\gone\\%A%%B%;bin;C:\\gone;C:\\file.txt",
         {"1|%JAVA_HOME%\\bin|Unexpanded %JAVA_HOME%|This process",
          "2|C:\\gone\\%A%%B%|Unexpanded %A%|This process", "3|bin|Relative|This process",
          "4|C:\\gone|Missing|This process", "5|C:\\file.txt|Not a directory|This process"}},
        // 100% is no reference; drive-relative, rooted without a drive, a bare server are relative.
        {"C:\\100%;C:foo;\\tools;\\\\server;\\\\server\\share;//srv/sh/x",
         {"1|C:\\100%|OK|This process", "2|C:foo|Relative|This process", "3|\\tools|Relative|This process",
          "4|\\\\server|Relative|This process", "5|\\\\server\\share|OK|This process",
          "6|//srv/sh/x|OK|This process"}},
        // The same directory however written; a missing twin stays Missing.
        {"C:\\Tools;c:\\tools\\;\"C:\\TOOLS\";C:\\x\\..\\tools\\.;C:/tools//"
         ";C:\\..\\tools;C:\\gone;C:\\gone\\",
         {"1|C:\\Tools|OK|This process", "2|c:\\tools\\|Duplicate of #1|This process",
          "3|\"C:\\TOOLS\"|Duplicate of #1|This process",
          "4|C:\\x\\..\\tools\\.|Duplicate of #1|This process", "5|C:/tools//|Duplicate of #1|This process",
          "6|C:\\..\\tools|Duplicate of #1|This process", "7|C:\\gone|Missing|This process",
          "8|C:\\gone\\|Missing|This process"}},
        {"\\\\Srv\\Share\\;\\\\srv\\share\\.;\\\\srv\\share\\..\\other",
         {"1|\\\\Srv\\Share\\|OK|This process", "2|\\\\srv\\share\\.|Duplicate of #1|This process",
          "3|\\\\srv\\share\\..\\other|OK|This process"}},
        {"C:\\a;", {"1|C:\\a|OK|This process", "2||Empty entry|This process"}},
        // A drive's current directory is not its root; the long-path prefix names the same directory.
        {R"(C:;C:\;\\?\C:\x;C:\x\;\\?\UNC\srv\sh\d;\\srv\sh\d;\\.\C:\x)",
         {"1|C:|Relative|This process", R"(2|C:\|OK|This process)", R"(3|\\?\C:\x|OK|This process)",
          R"(4|C:\x\|Duplicate of #3|This process)", R"(5|\\?\UNC\srv\sh\d|OK|This process)",
          R"(6|\\srv\sh\d|Duplicate of #5|This process)", R"(7|\\.\C:\x|Duplicate of #3|This process)"}},
        // An odd quote comes before any other state, wherever it stands.
        {R"(C:\a";"C:\b)",
         {R"(1|C:\a"|Unbalanced quote|This process)", R"(2|"C:\b|Unbalanced quote|This process)"}},
        // A slow check's time is shown; a later name of a slow directory is still its duplicate.
        {R"(C:\slow;C:\SLOW\;C:\gone\slow;C:\hung)",
         {R"(1|C:\slow|Slow (2.4 s)|This process)", R"(2|C:\SLOW\|Duplicate of #1|This process)",
          R"(3|C:\gone\slow|Missing after 2.4 s|This process)", R"(4|C:\hung|Not answering|This process)"}},
    };
    for (const auto& [list, rows] : cases)
        EXPECT_EQ(Report(list), rows) << list;
}

// The interpreter reads from an odd quote up to and with the next one as one entry.
TEST(DirectoryList, SummaryNamesWhatAnUnbalancedQuoteHides)
{
    FakeDisk disk;
    trawl::AsciiNameFolder folder;
    const std::pair<std::string, std::string> cases[] = {
        {R"(C:\a";C:\b;C:\c)", "3 entries, 1 unbalanced (misses #2-#3); 15 characters"},
        {R"(C:\a";C:\b";C:\c";C:\d)", "4 entries, 3 unbalanced (misses #2) (misses #4); 22 characters"},
        {R"(C:\a;C:\b")", "2 entries, 1 unbalanced; 10 characters"},
    };
    for (const auto& [list, summary] : cases)
        EXPECT_EQ(trawl::ReportSummary(trawl::ReportDirectoryList(list, {}, disk, folder), list, texts),
                  summary)
            << list;
}

TEST(DirectoryList, ACheckIsSlowPastOneSecondAndNotAnsweringAtFive)
{
    using S = EntryState;
    const std::tuple<std::optional<PathKind>, std::chrono::milliseconds, EntryState> cases[] = {
        {std::nullopt, 4999ms, S::Checking},     {std::nullopt, 5000ms, S::NotAnswering},
        {PathKind::Directory, 1000ms, S::Ok},    {PathKind::Directory, 1001ms, S::Slow},
        {PathKind::Missing, 1000ms, S::Missing}, {PathKind::Missing, 30s, S::SlowMissing},
        {PathKind::File, 3s, S::NotDirectory},   {PathKind::Unreadable, 3s, S::Unreadable},
    };
    for (const auto& [kind, took, state] : cases)
        EXPECT_EQ(trawl::StateOfCheck({kind, took}, "C:\\x", {}), state) << took.count();
    EXPECT_EQ(trawl::StateOfCheck({std::nullopt, 300ms}, "C:\\x", {100ms, 300ms}), S::NotAnswering);
    const std::pair<std::chrono::milliseconds, std::string> seconds[] = {
        {1001ms, "1.1"}, {2400ms, "2.4"}, {12345ms, "12.4"}, {0ms, "0.0"}};
    for (const auto& [took, text] : seconds)
        EXPECT_EQ(trawl::SecondsText(took), text) << took.count();
}

TEST(DirectoryList, FromNamesTheStoredValueThatHoldsTheEntry)
{
    trawl::StoredValues stored;
    stored.system = "C:\\Windows;C:\\Shared;;C:\\SysOnly;C:\\Replaced";
    stored.user = "c:\\shared\\;C:\\Mine;C:\\UserOnly;C:\\sysonly";
    // Only what a new process gets is missed here.
    stored.newProcess = "C:\\Windows;C:\\Shared;;C:\\SysOnly;" + *stored.user;
    EXPECT_EQ(Report("C:\\WINDOWS\\;C:\\shared;C:\\mine;C:\\new;", stored),
              (std::vector<std::string>{"1|C:\\WINDOWS\\|OK|System", "2|C:\\shared|OK|System",
                                        "3|C:\\mine|OK|User", "4|C:\\new|OK|This process",
                                        "5||Empty entry|System", "|C:\\SysOnly|Not in this process|System",
                                        "|C:\\UserOnly|Not in this process|User"}));
    stored.typed = true;
    EXPECT_EQ(Report("C:\\Windows", stored), std::vector<std::string>{"1|C:\\Windows|OK|Typed"});
}

TEST(DirectoryList, SummaryCountsStatesAndTheLengthAndTheTableCopiesEveryRow)
{
    FakeDisk disk;
    trawl::AsciiNameFolder folder;
    trawl::StoredValues stored;
    stored.user = stored.newProcess = "C:\\u";
    stored.systemOtherType = "REG_BINARY";
    const std::string list = "C:\\gone;;C:\\a;C:\\a\\\tb";
    const auto rows = trawl::ReportDirectoryList(list, stored, disk, folder);
    EXPECT_EQ(trawl::ReportSummary(rows, list, texts),
              "4 entries, 1 empty, 1 missing, 1 not in this process, 1 not text; 21 characters");
    EXPECT_EQ(trawl::ReportTable(rows, texts),
              "#\tDirectory\tState\tFrom\r\n1\tC:\\gone\tMissing\tThis process\r\n2\t\tEmpty entry\tThis "
              "process\r\n"
              "3\tC:\\a\tOK\tThis process\r\n4\tC:\\a\\ b\tOK\tThis process\r\n\tC:\\u\tNot in this "
              "process\tUser\r\n\t\tStored as REG_BINARY\tSystem\r\n");
}

TEST(DirectoryList, AThousandEntriesOfAFullValueAreEachReported)
{
    // 1,000 entries, every other one missing, padded to the 32,767 characters a variable holds.
    std::string list;
    for (int i = 0; i < 1000; ++i) {
        std::string entry = (i % 2 ? "C:\\gone\\" : "C:\\d\\") + std::to_string(i) + "\\";
        entry.resize(i < 768 ? 32 : 31, 'x');
        list += (i ? ";" : "") + entry;
    }
    ASSERT_EQ(list.size(), 32767u);
    FakeDisk disk;
    trawl::AsciiNameFolder folder;
    const auto rows = trawl::ReportDirectoryList(list, {}, disk, folder);
    ASSERT_EQ(rows.size(), 1000u);
    EXPECT_EQ(rows[999].position, 1000);
    EXPECT_EQ(disk.probes, 1000);
    EXPECT_EQ(trawl::ReportSummary(rows, list, texts),
              "1,000 entries, 500 missing; 32,767 characters (too long)");
}

TEST(DirectoryList, TheSystemFoldersAPathLacks)
{
    trawl::AsciiNameFolder folder;
    EXPECT_EQ(
        trawl::MissingSystemFolders(R"(C:\tools;c:\windows\system32\;"C:\Windows")", R"(C:\WINDOWS)", folder),
        std::vector<std::string>{R"(C:\WINDOWS\System32\Wbem)"});
    EXPECT_TRUE(
        trawl::MissingSystemFolders(R"(C:\W\system32;C:\W;C:\W\System32\wbem)", R"(C:\W)", folder).empty());
}

} // namespace
