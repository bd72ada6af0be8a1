#include "core/DirectorySearch.h"
#include "core/RowBatch.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>

namespace trawl {
namespace {

std::string Upper(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

// '*' and '?' matching without regard to case, as the platform does it.
bool WildcardMatch(std::string_view pattern, std::string_view name)
{
    if (pattern.empty())
        return name.empty();
    if (pattern[0] == '*') {
        for (size_t skip = 0; skip <= name.size(); ++skip)
            if (WildcardMatch(pattern.substr(1), name.substr(skip)))
                return true;
        return false;
    }
    if (name.empty())
        return false;
    if (pattern[0] != '?' && std::toupper(static_cast<unsigned char>(pattern[0])) !=
                                 std::toupper(static_cast<unsigned char>(name[0])))
        return false;
    return WildcardMatch(pattern.substr(1), name.substr(1));
}

struct FakeEntry {
    std::string name;
    uint32_t attributes;
    uint64_t size;
    uint64_t time;
};

// An in-memory directory tree. Every directory holds "." and "..".
class FakeFinder : public IFileFinder {
public:
    void AddFile(std::string_view directory, std::string name, uint32_t attributes = 0, uint64_t size = 0,
                 uint64_t time = 0)
    {
        Directory(directory).push_back({std::move(name), attributes, size, time});
    }
    void AddDirectory(std::string_view parent, std::string name)
    {
        Directory(JoinPath(parent, name));
        AddFile(parent, std::move(name), attribute::directory);
    }

    void FindMatches(const std::string& searchPath,
                     const std::function<void(const FoundEntry&)>& onEntry) override
    {
        searched.push_back(searchPath);
        size_t split = searchPath.find_last_of("\\/");
        auto found = tree.find(Key(std::string_view(searchPath).substr(0, split)));
        if (split == std::string::npos || found == tree.end())
            return;
        std::string_view pattern = std::string_view(searchPath).substr(split + 1);
        for (const FakeEntry& entry : found->second)
            if (WildcardMatch(pattern, entry.name))
                onEntry({entry.name, entry.attributes, entry.size, entry.time});
    }

    std::vector<std::string> searched;

private:
    static std::string Key(std::string_view directory)
    {
        std::string key = Upper(directory);
        for (char& c : key)
            if (c == '/')
                c = '\\';
        while (!key.empty() && key.back() == '\\')
            key.pop_back();
        return key;
    }
    std::vector<FakeEntry>& Directory(std::string_view path)
    {
        auto [it, added] = tree.try_emplace(Key(path));
        if (added) {
            it->second.push_back({".", attribute::directory, 0, 0});
            it->second.push_back({"..", attribute::directory, 0, 0});
        }
        return it->second;
    }
    std::map<std::string, std::vector<FakeEntry>> tree;
};

// Converts only the file times it was told about.
class FakeClock : public ILocalTimeConverter {
public:
    std::optional<LocalTime> ToLocalTime(uint64_t fileTime) override
    {
        auto found = times.find(fileTime);
        if (found == times.end())
            return std::nullopt;
        return found->second;
    }
    std::map<uint64_t, LocalTime> times;
};

class FakeMeasure : public ITextMeasure {
public:
    int TextWidth(const std::string& text) override { return 7 * static_cast<int>(text.size()); }
};

using Strings = std::vector<std::string>;

class FakeSink : public IResultSink {
public:
    struct Row {
        int32_t item;
        std::string path;
        std::map<int, std::string> cells;
    };
    void InsertRow(int32_t row, const std::string& path) override { rows.push_back({row, path, {}}); }
    void SetCell(int32_t row, int column, const std::string& text) override
    {
        ASSERT_FALSE(rows.empty());
        ASSERT_EQ(rows.back().item, row);
        rows.back().cells[column] = text;
    }
    bool BeginDirectory(size_t index, size_t, std::string_view directory) override
    {
        begun.emplace_back(directory);
        return index != stopBefore;
    }
    std::vector<std::string> Paths() const
    {
        std::vector<std::string> paths;
        for (const Row& row : rows)
            paths.push_back(row.path);
        return paths;
    }
    std::vector<Row> rows;
    Strings begun;
    size_t stopBefore = SIZE_MAX;
};

TEST(DirectoryList, JoinAddsOneBackslash)
{
    struct Case {
        const char* directory;
        const char* name;
        const char* path;
    };
    const Case cases[] = {
        {"D:\\", "*.TXT", "D:\\*.TXT"},
        {"D:\\DOS", "*.EXE", "D:\\DOS\\*.EXE"},
        {"D:\\DOS\\\\", "A", "D:\\DOS\\\\A"},
        {"D:/DOS/", "A", "D:/DOS/\\A"}, // only a backslash counts as the separator
        {"D:\\DOS", "", "D:\\DOS\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(JoinPath(c.directory, c.name), c.path);
    }
}

class Search : public ::testing::Test {
protected:
    SearchOutcome Run(std::string_view list, std::string_view pattern, DisplayOptions options = {})
    {
        return SearchDirectoryList(list, pattern, options, finder, clock, measure, sink);
    }
    Strings Items() const
    {
        Strings items;
        for (size_t i = 0; i < sink.rows.size(); ++i)
            EXPECT_EQ(sink.rows[i].item, static_cast<int32_t>(i));
        return sink.Paths();
    }

    FakeFinder finder;
    FakeClock clock;
    FakeMeasure measure;
    FakeSink sink;
};

TEST_F(Search, ListsMatchingFilesInListOrderAndSkipsMissingDirectories)
{
    finder.AddFile("D:\\DOS", "EDIT.EXE");
    finder.AddFile("D:\\DOS", "EDIT.HLP");
    finder.AddFile("D:\\DOS", "qbasic.exe");
    finder.AddDirectory("D:\\DOS", "OLD.EXE");
    finder.AddFile("D:\\UTIL", "ZIP.EXE");

    SearchOutcome outcome = Run(";D:\\UTIL;D:\\MISSING;d:\\dos\\;D:\\UTIL", "*.exe");

    const Strings expected = {"D:\\UTIL\\ZIP.EXE", "d:\\dos\\EDIT.EXE", "d:\\dos\\qbasic.exe",
                              "D:\\UTIL\\ZIP.EXE"};
    EXPECT_EQ(Items(), expected);
    EXPECT_EQ(outcome.rowCount, 4);
    EXPECT_EQ(outcome.widestText, 7 * static_cast<int>(expected[2].size()));
    EXPECT_EQ(finder.searched.size(), 4u);
}

TEST_F(Search, DirectoriesAndDotEntriesAreNeverListed)
{
    finder.AddDirectory("C:\\", "WINDOWS");
    finder.AddFile("C:\\WINDOWS", "WIN.INI");
    finder.AddDirectory("C:\\WINDOWS", "SYSTEM");
    finder.AddFile("C:\\WINDOWS", "HIDDEN.SYS", attribute::hidden | attribute::system);

    SearchOutcome outcome = Run("C:\\WINDOWS;C:\\", "*");
    EXPECT_EQ(Items(), (Strings{"C:\\WINDOWS\\WIN.INI", "C:\\WINDOWS\\HIDDEN.SYS"}));
    EXPECT_EQ(outcome.rowCount, 2);
}

TEST_F(Search, NothingFoundGivesNoRows)
{
    finder.AddFile("D:\\A", "X.TXT");
    SearchOutcome outcome = Run("D:\\A;D:\\B", "*.DOC");
    EXPECT_TRUE(sink.rows.empty());
    EXPECT_EQ(outcome.rowCount, 0);
    EXPECT_EQ(outcome.widestText, 0);
}

TEST_F(Search, CellsGoToConsecutiveColumnsForTheChosenOptions)
{
    using namespace attribute;
    finder.AddFile("D:\\A", "KNOWN.TXT", archive | readOnly, 1536, 100);
    finder.AddFile("D:\\A", "ODD.TXT", 0, 0, 200);
    clock.times[100] = {1999, 3, 5, 9, 7};

    struct Case {
        const char* name;
        DisplayOptions options;
        std::map<int, std::string> known;
        std::map<int, std::string> odd;
    };
    const Case cases[] = {
        {"none", {0, 0, 0}, {}, {}},
        {"all",
         {1, 1, 1},
         {{1, "2KB"}, {2, " 3/05/1999  09:07"}, {3, "A R  "}},
         {{1, "1KB"}, {2, ""}, {3, "     "}}},
        {"date", {0, 2, 0}, {{1, " 3/05/1999  09:07"}}, {{1, ""}}},
        {"size and attribute", {-1, 0, 5}, {{1, "2KB"}, {2, "A R  "}}, {{1, "1KB"}, {2, "     "}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sink.rows.clear();
        Run("D:\\A", "*.TXT", c.options);
        ASSERT_EQ(sink.rows.size(), 2u);
        EXPECT_EQ(sink.rows[0].cells, c.known);
        EXPECT_EQ(sink.rows[1].cells, c.odd);
    }
}

TEST_F(Search, EveryFileGetsItsOwnRowPast32767)
{
    const char* directories[] = {"D:\\ONE", "D:\\TWO"};
    for (const char* directory : directories)
        for (int i = 0; i < 20000; ++i)
            finder.AddFile(directory, "F" + std::to_string(i) + ".DAT");

    SearchOutcome outcome = Run("D:\\ONE;D:\\TWO", "*.DAT");
    ASSERT_EQ(outcome.rowCount, 40000);
    ASSERT_EQ(sink.rows.size(), 40000u);
    for (int32_t i = 0; i < 40000; ++i)
        if (sink.rows[i].item != i)
            FAIL() << "row " << i << " was inserted as " << sink.rows[i].item;
    EXPECT_EQ(sink.rows[39999].path, "D:\\TWO\\F19999.DAT");
}

TEST_F(Search, ListedPathIsNeverCut)
{
    const std::string directory = "D:\\" + std::string(240, 'd');
    const std::string name = std::string(40, 'n') + ".TXT";
    finder.AddFile(directory, name);

    SearchOutcome outcome = Run(directory, "*.TXT");
    const std::string path = directory + "\\" + name;
    ASSERT_GT(path.size(), 260u);
    EXPECT_EQ(Items(), Strings{path});
    EXPECT_EQ(outcome.widestText, 7 * static_cast<int>(path.size()));
}

TEST_F(Search, PatternWithDirectoryListsTheTruePath)
{
    finder.AddDirectory("D:\\DIR", "SUB");
    finder.AddFile("D:\\DIR\\SUB", "A.TXT");
    finder.AddFile("D:\\DIR", "B.TXT");
    finder.AddDirectory("D:\\", "SUB");
    finder.AddFile("D:\\SUB", "C.TXT");

    struct Case {
        const char* list;
        const char* pattern;
        Strings paths;
    };
    const Case cases[] = {
        {"D:\\DIR", "SUB\\*.TXT", {"D:\\DIR\\SUB\\A.TXT"}},
        {"D:\\DIR", "SUB/*.TXT", {"D:\\DIR\\SUB/A.TXT"}},
        {"D:\\", "DIR\\SUB\\A.*", {"D:\\DIR\\SUB\\A.TXT"}},
        {"D:\\DIR;D:\\", "SUB\\*", {"D:\\DIR\\SUB\\A.TXT", "D:\\SUB\\C.TXT"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        sink.rows.clear();
        Run(c.list, c.pattern);
        EXPECT_EQ(Items(), c.paths);
    }
}

// What a worker thread's search hands over is what the search listed, each
// row with its cells; and the sink can stop the search between directories.
TEST_F(Search, ABatchListsTheSameRowsAndASinkStopsBeforeADirectory)
{
    finder.AddFile("D:\\A", "ONE.EXE", attribute::readOnly, 10, 5);
    finder.AddFile("D:\\A", "TWO.EXE", 0, 20, 6);
    finder.AddFile("D:\\B", "THREE.EXE", 0, 30, 7);
    finder.AddFile("D:\\C", "FOUR.EXE");
    clock.times[5] = {1999, 12, 31, 23, 59};
    const DisplayOptions all{1, 1, 1};
    const SearchOutcome direct = Run("D:\\A;D:\\B;D:\\C", "*.EXE", all);

    RowBatch batch;
    FakeSink listed;
    SearchDirectoryList("D:\\A;D:\\B;D:\\C", "*.EXE", all, finder, clock, measure, batch);
    EXPECT_EQ(batch.ListInto(listed, measure), direct.widestText);
    ASSERT_EQ(listed.rows.size(), sink.rows.size());
    for (size_t i = 0; i < sink.rows.size(); ++i) {
        EXPECT_EQ(listed.rows[i].path, sink.rows[i].path);
        EXPECT_EQ(listed.rows[i].cells, sink.rows[i].cells);
    }

    FakeSink stopping;
    stopping.stopBefore = 1;
    const SearchOutcome stopped =
        SearchDirectoryList("D:\\A;D:\\B;D:\\C", "*.EXE", all, finder, clock, measure, stopping);
    EXPECT_EQ(stopping.Paths(), (Strings{"D:\\A\\ONE.EXE", "D:\\A\\TWO.EXE"}));
    EXPECT_EQ(stopping.begun, (Strings{"D:\\A", "D:\\B"}));
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(stopped.directoriesSearched, 1u);
    EXPECT_EQ(stopped.directoryCount, 3u);
    EXPECT_FALSE(direct.stopped);
    EXPECT_EQ(direct.directoriesSearched, 3u);
}

} // namespace
} // namespace trawl
