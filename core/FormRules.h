#pragma once

#include <string_view>

namespace trawl {

// The source of the directory list is complete: a variable selected, or a
// typed list.
bool SourceComplete(bool useEnvironment, bool variableSelected, std::string_view myPath);

// Search may run: a pattern, and a complete source.
bool InputsComplete(std::string_view fileName, bool useEnvironment, bool variableSelected,
                    std::string_view myPath);

// Where the result list and the buttons go for a new client size: the form
// is never laid out smaller than its first size, and the list keeps equal
// margins on its left, right and bottom.
struct FormMetrics {
    int initialWidth = 0;
    int initialHeight = 0;
    int listLeft = 0;
    int listTop = 0;
};
struct FormPlacement {
    int listWidth = 0;
    int listHeight = 0;
    int buttonsRight = 0; // right edge of the Search and Clear buttons
};
FormPlacement PlaceFormControls(const FormMetrics& metrics, int width, int height);

} // namespace trawl
