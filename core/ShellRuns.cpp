#include "ShellRuns.h"

#include "CommandRuns.h"
#include "DirectorySearch.h"

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

std::vector<ShellCandidate> ShellCandidates(std::string_view typed, const ShellPlaces& places)
{
    std::vector<ShellCandidate> candidates;
    if (!AppPathsKeyName(typed))
        return candidates;
    const bool extended = !SplitProgramName(typed).extension.empty();
    const auto searchFolder = [&](ShellPlace place, const std::string& folder) {
        if (folder.empty())
            return;
        if (extended) {
            candidates.push_back({place, JoinPath(folder, typed)});
            return;
        }
        for (const std::string& extension : places.extensions)
            candidates.push_back({place, JoinPath(folder, std::string(typed) + extension)});
    };
    searchFolder(ShellPlace::WindowsFolder, places.windowsFolder);
    searchFolder(ShellPlace::System32, places.system32);
    for (const std::string& directory : places.pathDirectories)
        searchFolder(ShellPlace::PathDirectory, directory);
    if (places.userAppPath)
        candidates.push_back({ShellPlace::UserAppPaths, *places.userAppPath});
    if (places.machineAppPath)
        candidates.push_back({ShellPlace::MachineAppPaths, *places.machineAppPath});
    return candidates;
}

std::optional<size_t> ShellWinner(std::span<const ShellCandidate> candidates,
                                  const std::function<bool(const std::string&)>& exists)
{
    for (size_t position = 0; position < candidates.size(); ++position)
        if (exists(candidates[position].path))
            return position;
    return std::nullopt;
}

} // namespace trawl
