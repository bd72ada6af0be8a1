#pragma once

#include "CellFormat.h"
#include "DisplayOptions.h"
#include "NameFolder.h"
#include "ShellRuns.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trawl {

// One entry of a directory enumeration, as the platform reports it: what a
// row needs, and the names exactly as enumerated, to act on that file and no
// other. The views hold only for the call that reports the entry.
struct FoundEntry {
    // The name listed: in the code page, reaching this file and no other.
    std::string_view name;
    uint32_t attributes = 0;
    uint64_t size = 0;
    uint64_t lastWriteTime = 0; // UTC, 100 ns ticks since 1601
    // The 8.3 alias the file system keeps, in the same code page; empty when none.
    std::string_view shortName = {};
    // The name and the alias in UTF-16, exactly as enumerated; the name
    // empty when the finder does not report it.
    std::u16string_view exactName = {};
    std::u16string_view exactShortName = {};
    // A reparse point's tag (an app execution alias, a link); 0 for a file
    // that is none.
    uint32_t reparseTag = 0;
};

// Enumerates the entries matching the last component of searchPath, with the
// platform's wildcard rules, however long the path. Reports nothing when the
// directory cannot be read.
class IFileFinder {
public:
    virtual ~IFileFinder() = default;
    virtual void FindMatches(const std::string& searchPath,
                             const std::function<void(const FoundEntry&)>& onEntry) = 0;
};

class ILocalTimeConverter {
public:
    virtual ~ILocalTimeConverter() = default;
    // Local calendar time of a UTC file time; nothing when it cannot be converted.
    virtual std::optional<LocalTime> ToLocalTime(uint64_t fileTime) = 0;
};

class ITextMeasure {
public:
    virtual ~ITextMeasure() = default;
    virtual int TextWidth(const std::string& text) = 0;
};

// Where the rows go: the result list.
class IResultSink {
public:
    virtual ~IResultSink() = default;
    // Inserts a row at index `row` whose item data is `row`.
    virtual void InsertRow(int32_t row, const std::string& path) = 0;
    // Inserts the row of a found entry; its listed name ends the path.
    virtual void InsertFoundRow(int32_t row, const std::string& path, const FoundEntry&)
    {
        InsertRow(row, path);
    }
    virtual void SetCell(int32_t row, int column, const std::string& text) = 0;
    // Told after a found row that App Paths names rather than a directory of the list.
    virtual void MarkAppPathsRow(int32_t /*row*/, AppPathsHive /*hive*/) {}
    // Told before each directory of the list is searched, numbered from 0;
    // false stops the search there, before that directory.
    virtual bool BeginDirectory(size_t /*index*/, size_t /*count*/, std::string_view /*directory*/)
    {
        return true;
    }
};

// directory + "\" + name, without doubling a trailing backslash.
std::string JoinPath(std::string_view directory, std::string_view name);

struct SearchOutcome {
    int32_t rowCount = 0;   // files listed
    int32_t widestText = 0; // widest listed path in pixels
    size_t directoriesSearched = 0;
    size_t directoryCount = 0;
    bool stopped = false; // the sink stopped the search before its end
};

// What a search needs to look for a bare command name as the command
// interpreter does: PATHEXT's extensions, and how the file system folds names;
// or as the shell does: its extensions, and the programs App Paths names.
struct CommandLookup {
    std::span<const std::string> extensions;
    INameFolder& folder;
    std::span<const AppPathsProgram> appPaths = {};
};

// Walks the directories of the list in order and lists every matching file
// (never a directory) through the sink, with the cells the options select.
// Given a command lookup, a bare command name (CommandOfPattern) lists in
// each directory the file of that name and then the name with each extension,
// in PATHEXT's order, from one enumeration of "name.*" per directory. After
// the directories come the App Paths programs that exist, each counted as
// one more place searched, except one a directory or an earlier key listed.
SearchOutcome SearchDirectoryList(std::string_view listText, std::string_view pattern,
                                  const DisplayOptions& options, IFileFinder& finder,
                                  ILocalTimeConverter& clock, ITextMeasure& measure, IResultSink& sink,
                                  const CommandLookup* commands = nullptr);

} // namespace trawl
