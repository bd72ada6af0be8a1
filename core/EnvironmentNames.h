#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trawl {

// Names of an environment block ("NAME=value\0...\0\0"), in block order:
// the text before the first "=", entries with an empty name left out.
std::vector<std::string> EnvironmentNames(const char* block);
// The same for a block of known length: reading stops at its end even when
// the final terminators are missing.
std::vector<std::string> EnvironmentNames(std::string_view block);

} // namespace trawl
