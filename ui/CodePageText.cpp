#include "CodePageText.h"

#include "core/Wtf8.h"

#include <cwchar>

std::wstring WideOfWtf8(std::string_view text)
{
    const std::u16string units = trawl::Utf16FromWtf8(text);
    return std::wstring(units.begin(), units.end());
}

std::string Wtf8OfWide(std::wstring_view text)
{
    return trawl::Wtf8FromUtf16(std::u16string(text.begin(), text.end()));
}

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
