#include "CodePageText.h"

#include <cwchar>

std::string ListedNameInCodePage(const wchar_t* name, const wchar_t* shortName, UINT codePage)
{
    const std::wstring_view longName(name);
    if (std::optional<std::string> exact = ExactInCodePage(longName, codePage))
        return *exact;
    if (shortName != nullptr && *shortName != L'\0')
        if (std::optional<std::string> exact = ExactInCodePage(shortName, codePage))
            return *exact;
    return MarkedInCodePage(longName, codePage);
}

std::string UpperCaseName(const std::string& name)
{
    std::optional<std::wstring> wide = WideFromCodePage(name);
    if (!wide)
        return name;
    CharUpperBuffW(wide->data(), static_cast<DWORD>(wide->size()));
    // A name whose upper case the code page cannot carry is listed as it is:
    // it still looks up its own variable.
    return ExactInCodePage(*wide).value_or(name);
}
