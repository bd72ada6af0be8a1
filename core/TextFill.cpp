#include "TextFill.h"

namespace trawl {

std::string FillIn(std::string_view pattern, std::string_view placeholder, std::string_view value)
{
    std::string text(pattern);
    if (size_t at = text.find(placeholder); at != std::string::npos && !placeholder.empty())
        text.replace(at, placeholder.size(), value);
    return text;
}

std::string GroupedNumber(size_t number)
{
    std::string digits = std::to_string(number);
    for (size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return digits;
}

std::string FillInOrder(std::string_view pattern, std::initializer_list<std::string_view> values)
{
    std::string text(pattern);
    size_t at = 0;
    for (std::string_view value : values) {
        at = text.find("%s", at);
        if (at == std::string::npos)
            break;
        text.replace(at, 2, value);
        at += value.size();
    }
    return text;
}

} // namespace trawl
