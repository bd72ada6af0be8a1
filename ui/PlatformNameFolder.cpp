#include "PlatformNameFolder.h"

#include "framework/CodePage.h"

std::string PlatformNameFolder::FoldNonAscii(std::string_view name)
{
    std::optional<std::wstring> wide = WideFromCodePage(name);
    if (!wide)
        return bytewise.FoldNonAscii(name);
    CharUpperBuffW(wide->data(), static_cast<DWORD>(wide->size()));
    std::optional<std::string> key = ExactInCodePage(*wide, CP_UTF8);
    return key ? *key : bytewise.FoldNonAscii(name);
}
