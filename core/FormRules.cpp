#include "FormRules.h"

#include "TextCount.h"

#include <algorithm>
#include <cstring>

namespace trawl {

bool InputsComplete(std::string_view fileName, bool useEnvironment, bool variableSelected,
                    std::string_view myPath)
{
    if (fileName.empty())
        return false;
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
    std::vector<std::string> names;
    if (block == nullptr)
        return names;
    for (const char* entry = block; *entry != '\0'; entry += std::strlen(entry) + 1) {
        std::string_view text(entry);
        std::string_view name = text.substr(0, text.find('='));
        if (!name.empty())
            names.emplace_back(name);
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
