#include "TextFill.h"

namespace trawl {

std::string FillIn(std::string_view pattern, std::string_view placeholder, std::string_view value)
{
    std::string text(pattern);
    if (size_t at = text.find(placeholder); at != std::string::npos && !placeholder.empty())
        text.replace(at, placeholder.size(), value);
    return text;
}

} // namespace trawl
