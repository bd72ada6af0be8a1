#include "CodePageText.h"

#include "framework/Wnd.h"
#include "res/resource.h"

#include <cwchar>

std::optional<std::wstring> WideFromCodePage(std::string_view text, UINT codePage)
{
    if (text.empty())
        return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length);
    return wide;
}

std::optional<std::string> ExactInCodePage(std::wstring_view text, UINT codePage)
{
    if (text.empty())
        return std::string();
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return std::nullopt;
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    // Best-fit and default characters (Ω as O, 日 as ?) do not come back.
    std::optional<std::wstring> back = WideFromCodePage(narrow, codePage);
    if (!back || *back != text)
        return std::nullopt;
    return narrow;
}

std::string ListedNameInCodePage(const wchar_t* name, const wchar_t* shortName, UINT codePage)
{
    const std::wstring_view longName(name);
    if (std::optional<std::string> exact = ExactInCodePage(longName, codePage))
        return *exact;
    if (shortName != nullptr && *shortName != L'\0')
        if (std::optional<std::string> exact = ExactInCodePage(shortName, codePage))
            return *exact;
    std::string listed;
    for (size_t at = 0; at < longName.size();) {
        size_t units = 1;
        if (IS_HIGH_SURROGATE(longName[at]) && at + 1 < longName.size() && IS_LOW_SURROGATE(longName[at + 1]))
            units = 2;
        std::optional<std::string> character = ExactInCodePage(longName.substr(at, units), codePage);
        listed += character ? *character : std::string(1, uncarriedCharMark);
        at += units;
    }
    return listed;
}

bool IsExactListedPath(std::string_view path, UINT codePage)
{
    for (size_t at = 0; at < path.size(); ++at) {
        if (path[at] == uncarriedCharMark)
            return false;
        if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(path[at])))
            ++at;
    }
    return true;
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

bool CheckListedPath(HWND owner, const std::string& path, const std::string& caption)
{
    if (IsExactListedPath(path))
        return true;
    MessageBoxA(owner, LoadResString(IDS_NAME_NOT_CARRIED).c_str(), caption.c_str(), MB_OK | MB_ICONSTOP);
    return false;
}
