#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trawl {

// The source of the directory list is complete: a variable selected, or a
// typed list.
bool SourceComplete(bool useEnvironment, bool variableSelected, std::string_view myPath);

// Search may run: a pattern, and a complete source.
bool InputsComplete(std::string_view fileName, bool useEnvironment, bool variableSelected,
                    std::string_view myPath);

// The found pane: "Found <n>" for any nonzero count, "Empty" for none.
std::string FoundCountText(int32_t count);

// The variable's "NAME=value" text is shown in the status line only while
// it stays under 40 characters (characters, not bytes).
inline constexpr size_t statusEntryLimit = 40;
bool EntryFitsStatusLine(std::string_view entry);

// Names of an environment block ("NAME=value\0...\0\0"), in block order:
// the text before the first "=", entries with an empty name left out.
std::vector<std::string> EnvironmentNames(const char* block);
// The same for a block of known length: reading stops at its end even when
// the final terminators are missing.
std::vector<std::string> EnvironmentNames(std::string_view block);

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
