#include "ShellLookup.h"

#include "framework/CodePage.h"
#include "ui/PlatformNameFolder.h"

#include <optional>

namespace {

std::string Expanded(std::string_view text)
{
    const std::optional<std::wstring> wide = WideFromCodePage(text);
    if (!wide)
        return std::string(text);
    std::wstring expanded(wide->size() + 64, L'\0');
    for (;;) {
        const DWORD length =
            ExpandEnvironmentStringsW(wide->c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
        if (length == 0)
            return std::string(text);
        if (length <= expanded.size()) {
            expanded.resize(length - 1); // the count includes the terminator
            return MarkedInCodePage(expanded);
        }
        expanded.resize(length);
    }
}

// The default value of a key as stored, with its type; nothing when it is
// missing or not text.
std::optional<std::string> DefaultValue(HKEY root, const std::wstring& path, DWORD& type)
{
    std::wstring value(260, L'\0');
    for (;;) {
        DWORD bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        const LSTATUS status =
            RegGetValueW(root, path.c_str(), nullptr, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                         &type, value.data(), &bytes);
        if (status == ERROR_MORE_DATA) {
            value.resize(bytes / sizeof(wchar_t) + 1);
            continue;
        }
        if (status != ERROR_SUCCESS)
            return std::nullopt;
        value.resize(bytes / sizeof(wchar_t));
        while (!value.empty() && value.back() == L'\0')
            value.pop_back();
        return MarkedInCodePage(value);
    }
}

} // namespace

std::string ShellSearchList(std::string_view directoryList)
{
    wchar_t windows[MAX_PATH + 1] = {};
    wchar_t system[MAX_PATH + 1] = {};
    const auto shown = [](UINT length, const wchar_t* folder) {
        return length == 0 || length > MAX_PATH ? std::string() : MarkedInCodePage({folder, length});
    };
    PlatformNameFolder folder;
    return trawl::ShellDirectoryList(shown(GetWindowsDirectoryW(windows, MAX_PATH + 1), windows),
                                     shown(GetSystemDirectoryW(system, MAX_PATH + 1), system), directoryList,
                                     folder);
}

std::vector<trawl::AppPathsProgram> AppPathsPrograms(std::string_view command)
{
    std::vector<trawl::AppPathsProgram> programs;
    const std::optional<std::string> key = trawl::AppPathsKeyName(command);
    const std::optional<std::wstring> wideKey = key ? WideFromCodePage(*key) : std::nullopt;
    if (!wideKey)
        return programs;
    const std::wstring path = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + *wideKey;
    const std::pair<trawl::AppPathsHive, HKEY> hives[] = {{trawl::AppPathsHive::User, HKEY_CURRENT_USER},
                                                          {trawl::AppPathsHive::Machine, HKEY_LOCAL_MACHINE}};
    for (const auto& [hive, root] : hives) {
        DWORD type = 0;
        const std::optional<std::string> value = DefaultValue(root, path, type);
        if (!value)
            continue;
        const auto expand = [type](std::string_view text) {
            return type == REG_EXPAND_SZ ? Expanded(text) : std::string(text);
        };
        if (std::optional<std::string> program = trawl::CleanAppPathsValue(*value, expand))
            programs.push_back({hive, std::move(*program)});
    }
    return programs;
}
