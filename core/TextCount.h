#pragma once

#include <cstddef>
#include <string_view>

namespace trawl {

// Text reaches the program in the process code page, UTF-8 where the system
// honours the manifest. Counts a user sees are counted in characters, and
// cuts fall between characters. Text that is not valid UTF-8 comes from an
// older system's code page; there one byte counts as one character, which
// never counts fewer characters than the text holds.

bool IsValidUtf8(std::string_view text);

// Characters (code points) of the text.
size_t CharacterCount(std::string_view text);

// Length in UTF-16 units: what the platform's path limit counts.
size_t Utf16Length(std::string_view text);

// The first `count` characters of the text, never half of one.
std::string_view FirstCharacters(std::string_view text, size_t count);

} // namespace trawl
