#include "CommandRuns.h"

#include <algorithm>

namespace trawl {

std::vector<std::string> ParsePathExt(std::string_view value)
{
    if (value.empty())
        value = defaultPathExt;
    std::vector<std::string> extensions;
    while (!value.empty()) {
        const size_t end = value.find(';');
        const std::string_view entry = value.substr(0, end);
        value.remove_prefix(end == std::string_view::npos ? value.size() : end + 1);
        // Only what a file's last dot can begin is an extension a file can have.
        if (entry.size() < 2 || entry.front() != '.' || entry.find('.', 1) != std::string_view::npos)
            continue;
        if (!FindExtension(extensions, entry))
            extensions.emplace_back(entry);
    }
    return extensions;
}

std::optional<std::string_view> CommandOfPattern(std::string_view pattern)
{
    // The interpreter never looks along the list for a name holding a
    // folder (or a drive): it runs that path or nothing.
    if (pattern.empty() || pattern.find_first_of("*?.\\/:") != std::string_view::npos)
        return std::nullopt;
    return pattern;
}

ProgramName SplitProgramName(std::string_view name)
{
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return {name, {}};
    return {name.substr(0, dot), name.substr(dot)};
}

std::optional<size_t> FindExtension(std::span<const std::string> extensions, std::string_view extension)
{
    for (size_t position = 0; position < extensions.size(); ++position)
        if (SameAsciiFolded(extensions[position], extension))
            return position;
    return std::nullopt;
}

CommandCandidates::CommandCandidates(std::string_view command, std::span<const std::string> extensions,
                                     INameFolder& folder)
    : folder(folder), commandKey(FoldName(command))
{
    for (const std::string& extension : extensions)
        extensionKeys.push_back(FoldName(extension));
}

std::string CommandCandidates::FoldName(std::string_view name) const
{
    return FoldedName(name, folder);
}

std::optional<size_t> CommandCandidates::Rank(std::string_view name) const
{
    const std::string key = FoldName(name);
    if (key.size() < commandKey.size() || key.compare(0, commandKey.size(), commandKey) != 0)
        return std::nullopt;
    const std::string_view rest = std::string_view(key).substr(commandKey.size());
    if (rest.empty())
        return 0;
    auto found = std::find(extensionKeys.begin(), extensionKeys.end(), rest);
    if (found == extensionKeys.end())
        return std::nullopt;
    return 1 + static_cast<size_t>(found - extensionKeys.begin());
}

} // namespace trawl
