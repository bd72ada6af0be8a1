#include "ui/StoredEnvironment.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

TEST(StoredEnvironment, EveryValueIsReadWhateverItsSizeAndType)
{
    const wchar_t* const testKey = L"Software\\Trawl tests\\Stored environment";
    RegDeleteTreeW(HKEY_CURRENT_USER, testKey);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, testKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring large(40000, L'x');
    struct Case {
        std::wstring name;
        DWORD type;
        std::wstring data;
        size_t bytes;
        std::string read; // kind, then the text or the type's name
    };
    const Case cases[] = {
        {L"odd", REG_SZ, L"C:\\a;", 9, "text C:\\a"},
        {L"unterminated", REG_SZ, L"C:\\x", 8, "text C:\\x"},
        {L"empty", REG_SZ, L"", 0, "text "},
        {L"nul", REG_EXPAND_SZ, std::wstring(L"U1\0;U3", 6), 14, "expandable U1"},
        {L"binary", REG_BINARY, L"C:\\x", 8, "other REG_BINARY"},
        {L"dword", REG_DWORD, L"\x5", 4, "other REG_DWORD"},
        {L"multi", REG_MULTI_SZ, std::wstring(L"C:\\a\0C:\\b\0", 10), 20, "other REG_MULTI_SZ"},
        {L"large", REG_SZ, large, large.size() * 2 + 2, "text " + std::string(large.size(), 'x')},
        {L"\u03a9", REG_EXPAND_SZ, L"\u03c9", 4, "expandable \xcf\x89"},
    };
    std::map<std::string, std::string> expected;
    for (const Case& c : cases) {
        RegSetValueExW(key, c.name.c_str(), 0, c.type, reinterpret_cast<const BYTE*>(c.data.c_str()),
                       static_cast<DWORD>(c.bytes));
        expected[c.name == L"\u03a9" ? "\xce\xa9" : std::string(c.name.begin(), c.name.end())] = c.read;
    }
    RegCloseKey(key);
    std::map<std::string, std::string> read;
    const char* const kinds[] = {"text ", "expandable ", "other "};
    for (const trawl::StoredVariable& variable : StoredVariables(HKEY_CURRENT_USER, testKey))
        read[variable.name] = kinds[static_cast<int>(variable.kind)] + variable.value + variable.typeName;
    EXPECT_EQ(read, expected);
    EXPECT_TRUE(StoredVariables(HKEY_CURRENT_USER, L"Software\\Trawl tests\\No such key").empty());
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Trawl tests");
}

} // namespace
