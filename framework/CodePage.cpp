#include "CodePage.h"

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

std::string MarkedInCodePage(std::wstring_view text, UINT codePage)
{
    if (std::optional<std::string> exact = ExactInCodePage(text, codePage))
        return *exact;
    std::string marked;
    for (size_t at = 0; at < text.size();) {
        size_t units = 1;
        if (IS_HIGH_SURROGATE(text[at]) && at + 1 < text.size() && IS_LOW_SURROGATE(text[at + 1]))
            units = 2;
        std::optional<std::string> character = ExactInCodePage(text.substr(at, units), codePage);
        marked += character ? *character : std::string(1, uncarriedCharMark);
        at += units;
    }
    return marked;
}

size_t CharacterBoundary(std::string_view text, size_t limit, UINT codePage)
{
    if (limit >= text.size())
        return text.size();
    if (codePage == CP_ACP)
        codePage = GetACP();
    if (codePage == CP_UTF8) {
        while (limit > 0 && (static_cast<unsigned char>(text[limit]) & 0xC0) == 0x80)
            --limit;
        return limit;
    }
    // A trail byte of a double-byte code page can have any value, even a lead
    // byte's: only a walk from the start tells the halves apart.
    size_t length = 0;
    for (;;) {
        const bool pair =
            IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[length])) && length + 1 < text.size();
        const size_t next = length + (pair ? 2 : 1);
        if (next > limit)
            return length;
        length = next;
    }
}
