#include "DirectorySearch.h"

#include "CommandRuns.h"
#include "ListSplit.h"

#include <algorithm>

namespace trawl {

// Only a backslash counts as a trailing separator: "D:/" still gets one, which
// the platform accepts as "D:/\name".
std::string JoinPath(std::string_view directory, std::string_view name)
{
    std::string path(directory);
    if (path.empty() || path.back() != '\\')
        path += '\\';
    path += name;
    return path;
}

namespace {

// The part of a pattern up to and including its last separator. The finder
// reports bare names, so a pattern reaching into a subdirectory needs this
// put back to list where the file really is.
std::string_view PatternDirectoryPart(std::string_view pattern)
{
    size_t separator = pattern.find_last_of("\\/");
    return separator == std::string_view::npos ? std::string_view() : pattern.substr(0, separator + 1);
}

// One enumeration of "name.*" per directory finds the exact name too (the
// platform lets ".*" match no extension at all), and more: other names that
// match through their 8.3 alias. Only the candidates are kept, each once,
// and listed in the order the command interpreter tries them.
class CommandSearch {
public:
    CommandSearch(std::string_view command, const CommandLookup& lookup)
        : candidates(command, lookup.extensions, lookup.folder)
    {
    }

    template <typename ListEntry>
    void ListDirectory(const std::string& searchPath, IFileFinder& finder, const ListEntry& listEntry)
    {
        held.clear();
        finder.FindMatches(searchPath, [&](const FoundEntry& entry) {
            if (entry.attributes & attribute::directory)
                return;
            // The interpreter also takes a command typed by its 8.3 alias.
            std::optional<size_t> rank = candidates.Rank(entry.name);
            if (!rank && !entry.shortName.empty())
                rank = candidates.Rank(entry.shortName);
            if (!rank ||
                std::any_of(held.begin(), held.end(), [&](const Held& h) { return h.rank == *rank; }))
                return;
            // The entry's views die with the call: the names are copied, and
            // the views point at the copies once the vector stops moving.
            held.push_back(Held{*rank, std::string(entry.name), std::string(entry.shortName),
                                std::u16string(entry.exactName), std::u16string(entry.exactShortName),
                                entry});
        });
        std::sort(held.begin(), held.end(), [](const Held& a, const Held& b) { return a.rank < b.rank; });
        for (Held& kept : held) {
            kept.entry.name = kept.name;
            kept.entry.shortName = kept.shortName;
            kept.entry.exactName = kept.exactName;
            kept.entry.exactShortName = kept.exactShortName;
            listEntry(kept.entry);
        }
    }

    // Whether a file of that name (or short name) is one this search lists.
    bool Lists(const FoundEntry& entry) const
    {
        return candidates.Rank(entry.name) || (!entry.shortName.empty() && candidates.Rank(entry.shortName));
    }

private:
    struct Held {
        size_t rank;
        std::string name;
        std::string shortName;
        std::u16string exactName;
        std::u16string exactShortName;
        FoundEntry entry;
    };
    CommandCandidates candidates;
    // At most one per candidate: a handful.
    std::vector<Held> held;
};

} // namespace

SearchOutcome SearchDirectoryList(std::string_view listText, std::string_view pattern,
                                  const DisplayOptions& options, IFileFinder& finder,
                                  ILocalTimeConverter& clock, ITextMeasure& measure, IResultSink& sink,
                                  const CommandLookup* commands)
{
    SearchOutcome outcome;
    const std::string patternDirectory(PatternDirectoryPart(pattern));
    std::optional<CommandSearch> commandSearch;
    if (const std::optional<std::string_view> command = CommandOfPattern(pattern); commands && command)
        commandSearch.emplace(*command, *commands);

    const std::vector<std::string> directories = SplitDirectoryList(listText);
    const std::span<const AppPathsProgram> appPaths =
        commandSearch ? commands->appPaths : std::span<const AppPathsProgram>();
    outcome.directoryCount = directories.size() + appPaths.size();

    const auto listEntryIn = [&](std::string_view directory, const FoundEntry& entry) {
        if (entry.attributes & attribute::directory)
            return false;
        const int32_t row = outcome.rowCount;
        std::string path = JoinPath(directory, patternDirectory);
        path += entry.name;
        sink.InsertFoundRow(row, path, entry);
        outcome.widestText = std::max(outcome.widestText, measure.TextWidth(path));

        int column = 1;
        if (options.showSize != 0)
            sink.SetCell(row, column++, FormatSizeCell(entry.size));
        if (options.showDate != 0) {
            std::optional<LocalTime> local = clock.ToLocalTime(entry.lastWriteTime);
            sink.SetCell(row, column++, local ? FormatDateCell(*local) : std::string());
        }
        if (options.showAttrib != 0)
            sink.SetCell(row, column++, FormatAttributeCell(entry.attributes));
        ++outcome.rowCount;
        return true;
    };
    for (const std::string& directory : directories) {
        if (!sink.BeginDirectory(outcome.directoriesSearched, outcome.directoryCount, directory)) {
            outcome.stopped = true;
            return outcome;
        }
        std::string searchPath = JoinPath(directory, pattern);
        if (commandSearch)
            searchPath += ".*";
        const auto listEntry = [&](const FoundEntry& entry) { listEntryIn(directory, entry); };
        if (commandSearch)
            commandSearch->ListDirectory(searchPath, finder, listEntry);
        else
            finder.FindMatches(searchPath, listEntry);
        ++outcome.directoriesSearched;
    }

    for (size_t at = 0; at < appPaths.size(); ++at) {
        const AppPathsProgram& program = appPaths[at];
        if (!sink.BeginDirectory(outcome.directoriesSearched, outcome.directoryCount, program.path)) {
            outcome.stopped = true;
            return outcome;
        }
        ++outcome.directoriesSearched;
        // Looked up as a file, never as a pattern; only a full path names one.
        const size_t separator = program.path.find_last_of('\\');
        if (separator == std::string::npos || program.path.find_first_of("*?") != std::string::npos ||
            std::any_of(appPaths.begin(), appPaths.begin() + static_cast<std::ptrdiff_t>(at),
                        [&](const AppPathsProgram& earlier) {
                            return SameDirectory(earlier.path, program.path, commands->folder);
                        }))
            continue;
        const std::string_view directory = std::string_view(program.path).substr(0, separator);
        const bool searched = std::any_of(directories.begin(), directories.end(), [&](const std::string& d) {
            return SameDirectory(d, directory, commands->folder);
        });
        finder.FindMatches(program.path, [&](const FoundEntry& entry) {
            // A file its folder's search listed already is that row.
            if (searched && commandSearch->Lists(entry))
                return;
            if (listEntryIn(directory, entry))
                sink.MarkAppPathsRow(outcome.rowCount - 1, program.hive);
        });
    }
    return outcome;
}

} // namespace trawl
