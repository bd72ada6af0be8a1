#include "StoredEnvironment.h"

#include "framework/CodePage.h"
#include "framework/Wnd.h"

#include <vector>

namespace {

constexpr wchar_t machineKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr wchar_t userKey[] = L"Environment";

// Read in UTF-16, so a value holding characters beyond ASCII comes whole.
std::optional<std::string> StoredValue(HKEY root, const wchar_t* subKey, const std::wstring& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0, size = 0;
    std::vector<wchar_t> value;
    LSTATUS status = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
    // The value may grow between the two calls; ask again with the new size.
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        value.assign(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>((value.size() - 1) * sizeof(wchar_t));
        status =
            RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size);
        if (status == ERROR_SUCCESS)
            break;
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::wstring text(value.data(), size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    if (type == REG_EXPAND_SZ) {
        std::vector<wchar_t> expanded(text.size() + 256);
        for (;;) {
            DWORD length =
                ExpandEnvironmentStringsW(text.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
            if (length == 0)
                break; // kept as stored
            if (length <= expanded.size()) {
                text.assign(expanded.data(), length - 1);
                break;
            }
            expanded.resize(length);
        }
    }
    return MarkedInCodePage(text);
}

} // namespace

trawl::StoredValues StoredVariableValues(const std::string& name)
{
    trawl::StoredValues stored;
    std::optional<std::wstring> wideName = WideFromCodePage(name);
    if (!wideName || wideName->empty())
        return stored;
    stored.system = StoredValue(HKEY_LOCAL_MACHINE, machineKey, *wideName);
    stored.user = StoredValue(HKEY_CURRENT_USER, userKey, *wideName);
    return stored;
}
