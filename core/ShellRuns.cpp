#include "ShellRuns.h"

#include "CommandRuns.h"
#include "ListSplit.h"

namespace trawl {

namespace {

constexpr std::string_view blanks = " \t";

} // namespace

std::optional<std::string> AppPathsKeyName(std::string_view typed)
{
    if (typed.empty() || typed.find_first_of("\\/:*?\"<>|") != std::string_view::npos ||
        typed.back() == '.' || typed.back() == ' ')
        return std::nullopt;
    std::string key(typed);
    if (SplitProgramName(typed).extension.empty())
        key += ".exe";
    return key;
}

std::optional<std::string> CleanAppPathsValue(std::string_view value,
                                              const std::function<std::string(std::string_view)>& expand)
{
    const size_t start = value.find_first_not_of(blanks);
    if (start == std::string_view::npos)
        return std::nullopt;
    value = value.substr(start, value.find_last_not_of(blanks) + 1 - start);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    if (value.empty() || value.find('"') != std::string_view::npos)
        return std::nullopt;
    std::string program = expand(value);
    if (program.find_first_not_of(blanks) == std::string::npos)
        return std::nullopt;
    return program;
}

bool SameDirectory(std::string_view a, std::string_view b, INameFolder& folder)
{
    const auto trimmed = [](std::string_view directory) {
        while (!directory.empty() && directory.back() == '\\')
            directory.remove_suffix(1);
        return directory;
    };
    return FoldedName(trimmed(a), folder) == FoldedName(trimmed(b), folder);
}

std::string ShellDirectoryList(std::string_view windowsFolder, std::string_view system32,
                               std::string_view listText, INameFolder& folder)
{
    // A ";" of a folder's own needs the quotes the split reads.
    const auto entryOf = [](std::string_view directory) {
        return directory.find(';') == std::string_view::npos ? std::string(directory)
                                                             : "\"" + std::string(directory) + "\"";
    };
    std::string shellList = entryOf(windowsFolder) + ";" + entryOf(system32);
    for (const std::string& entry : DirectoryListEntries(listText)) {
        const std::string_view directory = UnquotedEntry(entry);
        if (directory.empty() || SameDirectory(directory, windowsFolder, folder) ||
            SameDirectory(directory, system32, folder))
            continue;
        shellList += ';';
        shellList += entry;
    }
    return shellList;
}

} // namespace trawl
