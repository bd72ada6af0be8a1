#include "EnvironmentValue.h"

#include "core/EnvironmentNames.h"
#include "framework/CodePage.h"
#include "framework/Wnd.h"

#include <cwchar>
#include <vector>

std::optional<std::string> EnvironmentValue(const std::string& name)
{
    // Read in UTF-16: the ANSI call reports the length in UTF-16 units, which
    // cuts a value holding characters beyond ASCII.
    std::optional<std::wstring> wideName = WideFromCodePage(name);
    if (!wideName || wideName->empty())
        return std::nullopt;
    std::vector<wchar_t> buffer(1000);
    for (;;) {
        DWORD length =
            GetEnvironmentVariableW(wideName->c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::nullopt;
        if (length < buffer.size())
            return MarkedInCodePage({buffer.data(), length});
        // Too small: the call told the size it needs, terminator included.
        buffer.resize(length);
    }
}

std::vector<std::string> ProcessVariableNames()
{
    wchar_t* block = GetEnvironmentStringsW();
    if (block == nullptr)
        return {};
    std::string converted;
    for (const wchar_t* entry = block; *entry != L'\0'; entry += std::wcslen(entry) + 1)
        if (std::optional<std::string> exact = ExactInCodePage(entry)) {
            converted += *exact;
            converted += '\0';
        }
    FreeEnvironmentStringsW(block);
    return trawl::EnvironmentNames(std::string_view(converted));
}
