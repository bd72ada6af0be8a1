#include "core/CommandRuns.h"
#include "core/DirectorySearch.h"

#include <gtest/gtest.h>

#include <map>

namespace trawl {
namespace {

using Strings = std::vector<std::string>;

// Reports every entry of a directory whatever the pattern, as a finder that
// also matches through 8.3 aliases may report more than the name asks for.
// A name ending in "\" is a directory.
class EveryNameFinder : public IFileFinder {
public:
    void FindMatches(const std::string& searchPath,
                     const std::function<void(const FoundEntry&)>& onEntry) override
    {
        ++enumerations;
        for (const std::string& name : tree[searchPath.substr(0, searchPath.rfind('\\'))]) {
            const bool directory = name.back() == '\\';
            FoundEntry entry;
            entry.name = directory ? std::string_view(name).substr(0, name.size() - 1) : name;
            entry.attributes = directory ? attribute::directory : 0;
            onEntry(entry);
        }
    }
    std::map<std::string, Strings> tree;
    size_t enumerations = 0;
};

class RowCollector : public IResultSink, public ITextMeasure, public ILocalTimeConverter {
public:
    void InsertRow(int32_t, const std::string& path) override { paths.push_back(path); }
    void SetCell(int32_t, int, const std::string&) override {}
    int TextWidth(const std::string&) override { return 0; }
    std::optional<LocalTime> ToLocalTime(uint64_t) override { return std::nullopt; }
    Strings paths;
};

// "path: grey, wins 1, shadowed by P, runs C, C runs P, not run by C", the
// parts a row's mark has.
std::string Describe(const ShadowMarks& marks, const std::vector<ListedFile>& files, const ListedFile& file)
{
    std::string text(file.path);
    const ShadowMark* mark = marks.Find(file.itemData);
    if (mark == nullptr)
        return text;
    const std::string command(mark->command);
    text += ":";
    if (IsGrey(*mark))
        text += " grey";
    if (mark->state == ShadowState::Winner)
        text += " wins " + std::to_string(mark->shadowedCount);
    if (mark->state == ShadowState::Shadowed)
        text += " shadowed by " + std::string(files[mark->winner].path);
    if (mark->run == RunState::Runs)
        text += " runs " + command;
    if (mark->run == RunState::Passed)
        text += " " + command + " runs " + std::string(files[mark->runner].path);
    if (mark->run == RunState::NotRun)
        text += " not run by " + command;
    return text;
}

TEST(CommandRuns, RowsAreListedAndMarkedInTheOrderTheInterpreterTries)
{
    struct Case {
        const char* name;
        const char* pathExt;
        const char* pattern;
        std::vector<std::pair<std::string, Strings>> directories; // in list order
        Strings rows;
    };
    const Case cases[] = {
        {"a command: the exact name, then PATHEXT's order, each once; nothing else",
         "",
         "foo",
         {{"A",
           {"foo.exe", "foo.txt", "foo", "FOO.COM", "foobar.exe", "foo.exe.bak", "foo.tar.exe", "foo.cmd\\",
            "FOO.EXE", "foo."}},
          {"B", {"foo.bat"}}},
         {R"(A\foo: grey not run by foo)", R"(A\FOO.COM: runs FOO)", R"(A\foo.exe: grey FOO runs A\FOO.COM)",
          R"(B\foo.bat: grey FOO runs A\FOO.COM)"}},
        {"PATHEXT's odd entries are skipped",
         ".exe;;EXE;.Bat;.EXE;.;.tar.gz; .cmd;.CMD",
         "foo",
         {{"A", {"foo.cmd", "foo.bat", "foo.gz", "foo.tar.gz", "fooEXE", "foo.exe"}}},
         {R"(A\foo.exe: runs foo)", R"(A\foo.bat: grey foo runs A\foo.exe)",
          R"(A\foo.cmd: grey foo runs A\foo.exe)"}},
        {"the directory first, then the extension",
         "",
         "tool",
         {{"A", {"tool.bat"}}, {"B", {"tool.exe", "tool.com"}}, {"C", {"tool", "tool.bat"}}},
         {R"(A\tool.bat: wins 1 runs tool)", R"(B\tool.com: grey tool runs A\tool.bat)",
          R"(B\tool.exe: grey tool runs A\tool.bat)", R"(C\tool: grey not run by tool)",
          R"(C\tool.bat: grey shadowed by A\tool.bat tool runs A\tool.bat)"}},
        {"wildcards: the command rule among the rows listed, beside the name rule",
         "",
         "*",
         {{"A", {"foo.bat", "npm", "zip.txt"}},
          {"B", {"foo.bat", "FOO.EXE", "npm.cmd", "zip.txt"}},
          {"C", {"foo.exe", "foo.tar.exe", "foo.bar.txt", ".exe"}}},
         {R"(A\foo.bat: wins 1 runs foo)", R"(A\npm)", R"(A\zip.txt: wins 1)",
          R"(B\foo.bat: grey shadowed by A\foo.bat foo runs A\foo.bat)",
          R"(B\FOO.EXE: grey wins 1 foo runs A\foo.bat)", R"(B\npm.cmd: runs npm)",
          R"(B\zip.txt: grey shadowed by A\zip.txt)",
          R"(C\foo.exe: grey shadowed by B\FOO.EXE foo runs A\foo.bat)", R"(C\foo.tar.exe: runs foo.tar)",
          R"(C\foo.bar.txt)", R"(C\.exe)"}},
        {"within a directory the earlier extension runs, whatever the order found",
         "",
         "foo.*",
         {{"A", {"foo.bat", "foo.cmd", "foo.exe"}}},
         {R"(A\foo.bat: grey foo runs A\foo.exe)", R"(A\foo.cmd: grey foo runs A\foo.exe)",
          R"(A\foo.exe: runs foo)"}},
        {"the fruitless search's row never counts",
         "",
         "foo",
         {{"A", {"bar.exe"}}},
         {"(No files where found !)"}},
    };
    AsciiNameFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EveryNameFinder finder;
        std::string list;
        for (const auto& [directory, names] : c.directories) {
            finder.tree[directory] = names;
            list += directory + ";";
        }
        const Strings extensions = ParsePathExt(c.pathExt);
        const CommandLookup lookup{extensions, folder};
        RowCollector rows;
        SearchDirectoryList(list, c.pattern, {}, finder, rows, rows, rows, &lookup);
        // One enumeration per directory, however many extensions are tried.
        EXPECT_EQ(finder.enumerations, c.directories.size());
        if (rows.paths.empty())
            rows.paths.push_back("(No files where found !)");

        std::vector<ListedFile> files;
        for (const std::string& path : rows.paths)
            files.push_back({static_cast<intptr_t>(files.size()), path});
        ShadowMarks marks;
        marks.Compute(files, folder, {extensions, CommandOfPattern(c.pattern)});
        Strings described;
        for (const ListedFile& file : files)
            described.push_back(Describe(marks, files, file));
        EXPECT_EQ(described, c.rows);
    }
}

} // namespace
} // namespace trawl
