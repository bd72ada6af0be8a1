#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace trawl {

// A path laid out on lines no wider than maxWidth, so that a message showing
// it fits the screen: lines end after a backslash where they can, and a part
// wider than a line on its own is broken between characters. A path that
// fits is returned as it is. `width` measures a piece of text.
std::string BreakPathLines(std::string_view path, int maxWidth,
                           const std::function<int(std::string_view)>& width);

} // namespace trawl
