#include "FormRules.h"

#include <algorithm>

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
