#include "DirectorySearch.h"

#include "TextCount.h"

#include <algorithm>

namespace trawl {

std::vector<std::string> SplitDirectoryList(std::string_view listText)
{
    std::vector<std::string> directories;
    std::string_view rest = listText;
    while (!rest.empty()) {
        std::string_view entry;
        size_t closing = rest.front() == '"' ? rest.find('"', 1) : std::string_view::npos;
        // Quotes count only when they wrap the whole entry; otherwise the
        // entry is taken verbatim, quotes and all.
        if (closing != std::string_view::npos && (closing + 1 == rest.size() || rest[closing + 1] == ';')) {
            entry = rest.substr(1, closing - 1);
            rest.remove_prefix(std::min(rest.size(), closing + 2));
        } else {
            size_t end = rest.find(';');
            entry = rest.substr(0, end);
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        }
        if (!entry.empty())
            directories.emplace_back(entry);
    }
    return directories;
}

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

} // namespace

SearchOutcome SearchDirectoryList(std::string_view listText, std::string_view pattern,
                                  const DisplayOptions& options, IFileFinder& finder,
                                  ILocalTimeConverter& clock, ITextMeasure& measure, IResultSink& sink)
{
    SearchOutcome outcome;
    const std::string patternDirectory(PatternDirectoryPart(pattern));

    for (const std::string& directory : SplitDirectoryList(listText)) {
        const std::string searchPath = JoinPath(directory, pattern);
        // The find functions cannot take a longer path; searching a cut one
        // would list files from the wrong place.
        if (Utf16Length(searchPath) > maxPathChars)
            continue;

        finder.FindMatches(searchPath, [&](const FoundEntry& entry) {
            if (entry.attributes & attribute::directory)
                return;
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
        });
    }
    return outcome;
}

} // namespace trawl
