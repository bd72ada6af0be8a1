#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace trawl {

// The found pane: "Found <n>" for any nonzero count, "Empty" for none.
std::string FoundCountText(int32_t count);

// The variable's "NAME=value" text is shown in the status line only while
// it stays under 40 characters (characters, not bytes).
inline constexpr size_t statusEntryLimit = 40;
bool EntryFitsStatusLine(std::string_view entry);

} // namespace trawl
