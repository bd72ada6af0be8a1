#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace trawl {

// The pattern with the first placeholder ("%s", "%d", "%ld") replaced by
// value. The value is never read as a pattern: fill numbers in before a
// path, which may itself hold "%ld".
std::string FillIn(std::string_view pattern, std::string_view placeholder, std::string_view value);
// Each "%s" of the pattern in turn with the next value; a value's own "%s" stays as it is.
// "1,234,567": thousands grouped as the program's texts show counts.
std::string GroupedNumber(size_t number);
std::string FillInOrder(std::string_view pattern, std::initializer_list<std::string_view> values);

} // namespace trawl
