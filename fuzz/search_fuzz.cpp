// The search over a fake directory tree: random names, patterns and lists.
// Every listed row is a matching file of a searched directory, in list and
// enumeration order, numbered from 0, with exactly the cells the options
// select.
#include "core/DirectorySearch.h"
#include "core/ListSplit.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

using namespace trawl;

namespace {

struct FuzzedEntry {
    std::string name;
    uint32_t attributes;
    uint64_t size;
    uint64_t time;
};

bool Matches(std::string_view pattern, std::string_view name)
{
    if (pattern.empty())
        return name.empty();
    if (pattern[0] == '*')
        return Matches(pattern.substr(1), name) || (!name.empty() && Matches(pattern, name.substr(1)));
    return !name.empty() && (pattern[0] == '?' || pattern[0] == name[0]) &&
           Matches(pattern.substr(1), name.substr(1));
}

class FakeTree : public IFileFinder, public ILocalTimeConverter, public ITextMeasure {
public:
    void FindMatches(const std::string& searchPath,
                     const std::function<void(const FoundEntry&)>& onEntry) override
    {
        const size_t split = searchPath.find_last_of("\\/");
        const std::string directory = searchPath.substr(0, split);
        const std::string pattern = searchPath.substr(split + 1);
        // Patterns with many stars cost exponential time in this matcher.
        if (std::count(pattern.begin(), pattern.end(), '*') > 3)
            return;
        auto found = directories.find(directory);
        if (found == directories.end())
            return;
        for (const FuzzedEntry& entry : found->second)
            if (Matches(pattern, entry.name))
                onEntry(FoundEntry{entry.name, entry.attributes, entry.size, entry.time});
    }
    std::optional<LocalTime> ToLocalTime(uint64_t fileTime) override
    {
        if (fileTime >> 63)
            return std::nullopt;
        return LocalTime{static_cast<int>(fileTime % 30000), static_cast<int>(fileTime % 13),
                         static_cast<int>(fileTime % 32), static_cast<int>(fileTime % 24),
                         static_cast<int>(fileTime % 60)};
    }
    int TextWidth(const std::string& text) override { return static_cast<int>(text.size()); }

    std::map<std::string, std::vector<FuzzedEntry>> directories;
};

class RecordingSink : public IResultSink {
public:
    void InsertRow(int32_t row, const std::string& path) override
    {
        if (row != static_cast<int32_t>(rows.size()))
            std::abort();
        rows.push_back({path});
    }
    void SetCell(int32_t row, int column, const std::string& text) override
    {
        if (rows.empty() || row != static_cast<int32_t>(rows.size()) - 1 ||
            column != static_cast<int>(rows.back().size()))
            std::abort();
        rows.back().push_back(text);
    }
    std::vector<std::vector<std::string>> rows;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    FakeTree tree;
    std::vector<std::string> names;
    const int directoryCount = input.ConsumeIntegralInRange(1, 6);
    for (int d = 0; d < directoryCount; ++d) {
        // Long names now and then, past the platform's plain path limit.
        std::string directory = input.ConsumeRandomLengthString(input.ConsumeBool() ? 16 : 300);
        std::vector<FuzzedEntry>& entries = tree.directories[directory];
        const int files = input.ConsumeIntegralInRange(0, 8);
        for (int f = 0; f < files; ++f)
            entries.push_back({input.ConsumeRandomLengthString(12), input.ConsumeIntegral<uint32_t>(),
                               input.ConsumeIntegral<uint64_t>(), input.ConsumeIntegral<uint64_t>()});
        names.push_back(std::move(directory));
    }
    DisplayOptions options{input.ConsumeIntegral<int32_t>(), input.ConsumeIntegral<int32_t>(),
                           input.ConsumeIntegral<int32_t>()};
    const std::string pattern = input.ConsumeRandomLengthString(20);
    // The list: known directories by number, or raw text.
    std::string list;
    while (input.remaining_bytes() > 0) {
        if (input.ConsumeBool())
            list += names[input.ConsumeIntegralInRange<size_t>(0, names.size() - 1)];
        else
            list += input.ConsumeRandomLengthString(8);
        if (input.ConsumeBool())
            list += ';';
    }

    RecordingSink sink;
    const SearchOutcome outcome = SearchDirectoryList(list, pattern, options, tree, tree, tree, sink);
    if (outcome.rowCount != static_cast<int32_t>(sink.rows.size()))
        std::abort();

    const size_t cells = 1 + (options.showSize != 0 ? 1 : 0) + (options.showDate != 0 ? 1 : 0) +
                         (options.showAttrib != 0 ? 1 : 0);
    int32_t widest = 0;
    for (const std::vector<std::string>& row : sink.rows) {
        if (row.size() != cells)
            std::abort();
        widest = std::max(widest, static_cast<int32_t>(row[0].size()));
    }
    if (outcome.widestText != widest)
        std::abort();

    // The rows as the directories of the list yield them, in order.
    const size_t separator = pattern.find_last_of("\\/");
    const std::string patternDirectory =
        separator == std::string::npos ? "" : pattern.substr(0, separator + 1);
    size_t next = 0;
    for (const std::string& directory : SplitDirectoryList(list)) {
        const std::string searchPath = JoinPath(directory, pattern);
        std::vector<std::string> listed;
        tree.FindMatches(searchPath, [&](const FoundEntry& entry) {
            if ((entry.attributes & attribute::directory) == 0)
                listed.push_back(JoinPath(directory, patternDirectory) + std::string(entry.name));
        });
        for (const std::string& path : listed)
            if (next >= sink.rows.size() || sink.rows[next++][0] != path)
                std::abort();
    }
    if (next != sink.rows.size())
        std::abort();
    return 0;
}
