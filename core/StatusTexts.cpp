#include "StatusTexts.h"

#include "TextCount.h"

namespace trawl {

std::string FoundCountText(int32_t count)
{
    return count != 0 ? "Found " + std::to_string(count) : std::string("Empty");
}

bool EntryFitsStatusLine(std::string_view entry)
{
    return CharacterCount(entry) < statusEntryLimit;
}

} // namespace trawl
