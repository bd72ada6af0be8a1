#include "NameFolder.h"

#include <algorithm>

namespace trawl {

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsAscii(std::string_view name)
{
    return std::all_of(name.begin(), name.end(), [](char c) { return (c & 0x80) == 0; });
}

bool SameAsciiFolded(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

std::string FoldedName(std::string_view name, INameFolder& folder)
{
    return IsAscii(name) ? AsciiNameFolder().FoldNonAscii(name) : folder.FoldNonAscii(name);
}

std::string AsciiNameFolder::FoldNonAscii(std::string_view name)
{
    std::string key(name);
    std::transform(key.begin(), key.end(), key.begin(), UpperAscii);
    return key;
}

} // namespace trawl
