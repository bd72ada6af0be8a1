#include "core/CommandRuns.h"
#include "core/DirectorySearch.h"
#include "core/ListedFile.h"
#include "core/NameFolder.h"
#include "core/ShadowMarks.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

namespace trawl {
namespace {

using Strings = std::vector<std::string>;

// Reports every entry of the list's directory whatever the pattern, as a finder matching through 8.3
// aliases may (a name ending in "\" is a directory, "long|SHORT" has an
// alias); keeps the rows listed.
class EveryName : public IFileFinder, public IResultSink, public ITextMeasure, public ILocalTimeConverter {
public:
    void FindMatches(const std::string& searchPath,
                     const std::function<void(const FoundEntry&)>& onEntry) override
    {
        ++enumerations;
        const std::string folder = searchPath.substr(0, searchPath.find('\\'));
        const std::string_view last = std::string_view(searchPath).substr(searchPath.rfind('\\') + 1);
        // A folder and a name without a wildcard name one file.
        const bool oneFile =
            last.find('*') == std::string_view::npos && last.size() + folder.size() + 1 == searchPath.size();
        for (const std::string& written : tree[folder]) {
            const std::string_view name = std::string_view(written).substr(0, written.find('|'));
            if (oneFile && !SameAsciiFolded(name, last))
                continue;
            const bool directory = name.back() == '\\';
            FoundEntry entry{name.substr(0, name.size() - directory), directory ? attribute::directory : 0};
            if (name.size() < written.size())
                entry.shortName = std::string_view(written).substr(name.size() + 1);
            onEntry(entry);
        }
    }
    void InsertRow(int32_t row, const std::string& path) override
    {
        files.push_back({row, paths.emplace_back(path)});
    }
    void SetCell(int32_t, int, const std::string&) override {}
    void MarkAppPathsRow(int32_t, AppPathsHive) override { files.back().appPaths = true; }
    int TextWidth(const std::string&) override { return 0; }
    std::optional<LocalTime> ToLocalTime(uint64_t) override { return std::nullopt; }

    std::map<std::string, Strings> tree;
    size_t enumerations = 0;
    std::deque<std::string> paths;
    std::vector<ListedFile> files;
};

// Folds ASCII letters and omega, as the file system folds them.
class GreekFolder : public INameFolder {
public:
    std::string FoldNonAscii(std::string_view name) override
    {
        std::string key = AsciiNameFolder().FoldNonAscii(name);
        for (size_t at = key.find("\xCF\x89"); at != std::string::npos; at = key.find("\xCF\x89", at))
            key.replace(at, 2, "\xCE\xA9");
        return key;
    }
};

// "path: grey wins 1 shadowed by P runs C, C runs P, not run by C": the parts
// a row's mark has.
std::string Describe(const ShadowMarks& marks, const std::vector<ListedFile>& files, const ListedFile& file)
{
    const ShadowMark* mark = marks.Find(file.itemData);
    if (mark == nullptr)
        return file.Path();
    const std::string command(mark->command);
    return file.Path() + ":" + (IsGrey(*mark) ? " grey" : "") +
           (mark->state == ShadowState::Winner ? " wins " + std::to_string(mark->shadowedCount) : "") +
           (mark->state == ShadowState::Shadowed ? " shadowed by " + files[mark->winner].Path() : "") +
           (mark->run == RunState::Runs ? " runs " + command : "") +
           (mark->run == RunState::Passed ? " " + command + " runs " + files[mark->runner].Path() : "") +
           (mark->run == RunState::NotRun ? " not run by " + command : "") +
           (file.appPaths ? " (App Paths)" : "");
}

TEST(CommandRuns, RowsAreListedAndMarkedInTheOrderTheInterpreterTries)
{
    struct Case {
        const char* name;
        const char* pathExt;
        const char* pattern;
        std::vector<std::pair<std::string, Strings>> directories; // in list order
        Strings rows;
        // Where App Paths points, in folders off the list, and the lookups that takes.
        std::vector<AppPathsProgram> appPaths = {};
        std::map<std::string, Strings> elsewhere = {};
        size_t lookups = 0;
    };
    // clang-format off
    const Case cases[] = {
        {"a command: the exact name, then PATHEXT's order, each once; nothing else", "", "foo",
         {{"A", {"foo.exe", "foo.txt", "foo", "FOO.COM", "foobar.exe", "foo.exe.bak", "foo.tar.exe",
                 "foo.cmd\\", "FOO.EXE", "foo."}},
          {"B", {"foo.bat"}}},
         {R"(A\foo: grey not run by foo)", R"(A\FOO.COM: runs FOO)", R"(A\foo.exe: grey FOO runs A\FOO.COM)",
          R"(B\foo.bat: grey FOO runs A\FOO.COM)"}},
        {"PATHEXT's odd entries are skipped", ".exe;;EXE;.Bat;.EXE;.;.tar.gz; .cmd;.CMD", "foo",
         {{"A", {"foo.cmd", "foo.bat", "foo.gz", "foo.tar.gz", "fooEXE", "foo.exe"}}},
         {R"(A\foo.exe: runs foo)", R"(A\foo.bat: grey foo runs A\foo.exe)",
          R"(A\foo.cmd: grey foo runs A\foo.exe)"}},
        {"wildcards: the command rule among the rows listed, beside the name rule; two dots", "", "*",
         {{"A", {"foo.bat", "npm", "zip.txt"}}, {"B", {"foo.bat", "FOO.EXE", "npm.cmd", "zip.txt"}},
          {"C", {"foo.exe", "foo.tar.exe", "foo.bar.txt", ".exe"}}},
         {R"(A\foo.bat: wins 1 runs foo)", R"(A\npm)", R"(A\zip.txt: wins 1)",
          R"(B\foo.bat: grey shadowed by A\foo.bat foo runs A\foo.bat)",
          R"(B\FOO.EXE: grey wins 1 foo runs A\foo.bat)",
          R"(B\npm.cmd: runs npm)", R"(B\zip.txt: grey shadowed by A\zip.txt)",
          R"(C\foo.exe: grey shadowed by B\FOO.EXE foo runs A\foo.bat)", R"(C\foo.tar.exe: runs foo.tar)",
          R"(C\foo.bar.txt)", R"(C\.exe)"}},
        {"within a directory the earlier extension runs, whatever the order found", "", "foo.*",
         {{"A", {"foo.bat", "foo.cmd", "foo.exe"}}},
         {R"(A\foo.bat: grey foo runs A\foo.exe)", R"(A\foo.cmd: grey foo runs A\foo.exe)",
          R"(A\foo.exe: runs foo)"}},
        {"the fruitless search's row never counts", "", "foo", {{"A", {"bar.exe"}}},
         {"(No files where found !)"}},
        {"a name holding a folder is no command: listed as it matches", "", R"(sub\foo)",
         {{"A", {"foo", "foo.exe"}}},
         {R"(A\sub\foo)", R"(A\sub\foo.exe: runs foo)"}},
        {"a command typed by its 8.3 alias", "", "LONG~E3F",
         {{"A", {"other.bat|OTHER~1.BAT", "longscriptname.bat|LONG~E3F.BAT"}}},
         {R"(A\longscriptname.bat: runs longscriptname)"}},
        {"extensions compare as the file system folds names", ".\xCE\xA9;.EXE", "tool",
         {{"A", {"tool.\xCF\x89"}}, {"B", {"tool.\xCE\xA9"}}},
         {"A\\tool.\xCF\x89: wins 1 runs tool",
          "B\\tool.\xCE\xA9: grey shadowed by A\\tool.\xCF\x89 tool runs A\\tool.\xCF\x89"}},
        {"the shell: App Paths after every folder, for the command whatever its name", ".PIF;.COM;.BAT;.CMD;.LNK;.EXE",
         "foo", {{"A", {"foo.vbs", "foo.exe", "foo.lnk"}}, {"B", {"foo.cmd"}}},
         {R"(A\foo.lnk: runs foo)", R"(A\foo.exe: grey foo runs A\foo.lnk)", R"(B\foo.cmd: grey foo runs A\foo.lnk)",
          R"(T\foo64.exe: grey foo runs A\foo.lnk (App Paths))"},
         {{AppPathsHive::User, R"(A\FOO.EXE)"}, {AppPathsHive::Machine, R"(T\foo64.exe)"}},
         {{"T", {"foo64.exe", "foo.com"}}}, 2},
        {"the shell: App Paths alone runs; the other key naming it again is not looked up", "", "foo",
         {{"A", {"foo"}}}, {R"(A\foo: grey not run by foo)", R"(T\Tool.exe: runs foo (App Paths))"},
         {{AppPathsHive::User, R"(T\TOOL.EXE)"}, {AppPathsHive::Machine, R"(T\tool.exe)"}, },
         {{"T", {"Tool.exe"}}}, 1},
    };
    // clang-format on
    GreekFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EveryName disk;
        std::string list;
        for (const auto& [directory, names] : c.directories) {
            disk.tree[directory] = names;
            list += directory + ";";
        }
        disk.tree.insert(c.elsewhere.begin(), c.elsewhere.end());
        const Strings extensions = ParsePathExt(c.pathExt);
        const CommandLookup lookup{extensions, folder, c.appPaths};
        SearchDirectoryList(list, c.pattern, {}, disk, disk, disk, disk, &lookup);
        // One enumeration per directory, however many extensions are tried.
        EXPECT_EQ(disk.enumerations, c.directories.size() + c.lookups);
        if (disk.files.empty())
            disk.InsertRow(0, "(No files where found !)");

        ShadowMarks marks;
        marks.Compute(disk.files, folder, {extensions, CommandOfPattern(c.pattern)});
        Strings described;
        for (const ListedFile& file : disk.files)
            described.push_back(Describe(marks, disk.files, file));
        EXPECT_EQ(described, c.rows);
    }
}

} // namespace
} // namespace trawl
