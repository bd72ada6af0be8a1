#include "EnvironmentNames.h"

#include <algorithm>
#include <cstring>

namespace trawl {

std::vector<std::string> EnvironmentNames(const char* block)
{
    if (block == nullptr)
        return {};
    // The block ends at its first empty entry.
    size_t length = 0;
    while (block[length] != '\0')
        length += std::strlen(block + length) + 1;
    return EnvironmentNames(std::string_view(block, length));
}

std::vector<std::string> EnvironmentNames(std::string_view block)
{
    std::vector<std::string> names;
    while (!block.empty() && block.front() != '\0') {
        const std::string_view entry = block.substr(0, block.find('\0'));
        const std::string_view name = entry.substr(0, entry.find('='));
        if (!name.empty())
            names.emplace_back(name);
        block.remove_prefix(std::min(block.size(), entry.size() + 1));
    }
    return names;
}

} // namespace trawl
