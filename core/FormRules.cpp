#include "FormRules.h"

#include "TextCount.h"

#include <algorithm>
#include <cstring>

namespace trawl {

bool InputsComplete(std::string_view fileName, bool useEnvironment, bool variableSelected,
                    std::string_view myPath)
{
    return !fileName.empty() && SourceComplete(useEnvironment, variableSelected, myPath);
}

bool SourceComplete(bool useEnvironment, bool variableSelected, std::string_view myPath)
{
    return useEnvironment ? variableSelected : !myPath.empty();
}

std::string FoundCountText(int32_t count)
{
    return count != 0 ? "Found " + std::to_string(count) : std::string("Empty");
}

bool EntryFitsStatusLine(std::string_view entry)
{
    return CharacterCount(entry) < statusEntryLimit;
}

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

FormPlacement PlaceFormControls(const FormMetrics& metrics, int width, int height)
{
    width = std::max(width, metrics.initialWidth);
    height = std::max(height, metrics.initialHeight);
    FormPlacement placement;
    placement.listWidth = width - 2 * metrics.listLeft;
    placement.listHeight = height - metrics.listTop - metrics.listLeft;
    placement.buttonsRight = width - metrics.listLeft;
    return placement;
}

} // namespace trawl
