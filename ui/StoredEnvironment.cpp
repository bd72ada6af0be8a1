#include "StoredEnvironment.h"

#include "framework/CodePage.h"
#include "ui/EnvironmentValue.h"
#include "ui/PlatformNameFolder.h"

#include <algorithm>
#include <cstring>

namespace {

std::string TypeName(DWORD type)
{
    switch (type) {
    case REG_NONE:
        return "REG_NONE";
    case REG_BINARY:
        return "REG_BINARY";
    case REG_DWORD:
        return "REG_DWORD";
    case REG_DWORD_BIG_ENDIAN:
        return "REG_DWORD_BIG_ENDIAN";
    case REG_LINK:
        return "REG_LINK";
    case REG_MULTI_SZ:
        return "REG_MULTI_SZ";
    case REG_QWORD:
        return "REG_QWORD";
    default:
        return "type " + std::to_string(type);
    }
}

std::string TextOf(const std::vector<BYTE>& data)
{
    std::wstring text(data.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
    text.resize(std::min(text.find(L'\0'), text.size()));
    return MarkedInCodePage(text);
}

} // namespace

// The data whatever its size. The buffer grows every round, so a value that
// changes between the calls, or a size the call reports short, cannot keep
// the loop going.
bool ReadRegistryValue(HKEY key, const wchar_t* name, DWORD& type, std::vector<BYTE>& data)
{
    data.clear();
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        data.resize(std::max<size_t>(size, data.size() + 1));
        size = static_cast<DWORD>(data.size());
        status = RegQueryValueExW(key, name, nullptr, &type, data.data(), &size);
        if (status == ERROR_SUCCESS) {
            data.resize(size);
            return true;
        }
    }
    return false;
}

std::vector<trawl::StoredVariable> StoredVariables(HKEY root, const wchar_t* subKey)
{
    std::vector<trawl::StoredVariable> variables;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return variables;
    // Value names hold at most 16,383 characters.
    std::vector<wchar_t> name(16384);
    std::vector<BYTE> data;
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        const LSTATUS status =
            RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        DWORD type = REG_NONE;
        if (status != ERROR_SUCCESS || !ReadRegistryValue(key, name.data(), type, data))
            continue;
        trawl::StoredVariable& variable = variables.emplace_back();
        variable.name = MarkedInCodePage({name.data(), length});
        if (type == REG_SZ || type == REG_EXPAND_SZ) {
            variable.kind = type == REG_SZ ? trawl::StoredKind::Text : trawl::StoredKind::Expandable;
            variable.value = TextOf(data);
        } else {
            variable.kind = trawl::StoredKind::Other;
            variable.typeName = TypeName(type);
        }
    }
    RegCloseKey(key);
    return variables;
}

trawl::StoredValues StoredVariableValues(const std::string& name)
{
    PlatformNameFolder folder;
    return trawl::NewProcessValues(
        name, StoredVariables(HKEY_LOCAL_MACHINE, machineEnvironmentKey),
        StoredVariables(HKEY_CURRENT_USER, userEnvironmentKey),
        [](std::string_view inherited) { return EnvironmentValue(std::string(inherited)); }, folder);
}
