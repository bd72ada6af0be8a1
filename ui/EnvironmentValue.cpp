#include "EnvironmentValue.h"

#include "framework/CodePage.h"
#include "framework/Wnd.h"

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
