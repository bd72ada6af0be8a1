#pragma once

#include <string>
#include <string_view>

namespace trawl {

// The pattern with the first placeholder ("%s", "%d", "%ld") replaced by
// value. The value is never read as a pattern: fill numbers in before a
// path, which may itself hold "%ld".
std::string FillIn(std::string_view pattern, std::string_view placeholder, std::string_view value);

} // namespace trawl
