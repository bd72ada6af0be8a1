#include "ResultListWindow.h"

#include "support/ModalUser.h"
#include "ui/DirectoryListDlg.h"
#include "ui/ResultSearch.h"
#include "ui/StoredEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
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

// The directory the fixture script nests to a Windows path of this length.
std::string Deep(std::string path, size_t length)
{
    path += "\\long";
    while (path.size() + 101 < length)
        path += "\\" + std::string(100, '0');
    return path + "\\" + std::string(length - 1 - path.size(), '0');
}

class DirectoryListAndSearch : public ResultListTest {};

TEST_F(DirectoryListAndSearch, OkExactlyWhereTheSearchListsTheDirectorysFiles)
{
    const char* fixture = std::getenv("TRAWL_DIRLIST_FIXTURE");
    ASSERT_NE(fixture, nullptr);
    const std::string root = fixture;
    // One who reads past permissions (root with its powers) lists the unreadable directory too.
    const HANDLE past = CreateFileA((root + "\\unreadable\\f.bat").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (past != INVALID_HANDLE_VALUE)
        CloseHandle(past);
    const std::pair<std::string, std::string> cases[] = {
        {root + "\\plain", "OK"},
        {root + "\\space ", "OK"},
        {root + "\\spaceless ", "Trailing space"},
        {root + "\\dot.", "Trailing dot"},
        {root + "\\unreadable", past != INVALID_HANDLE_VALUE ? "OK" : "Cannot be read"},
        {"\\\\?\\" + Deep(root, 250), "OK"},
        {Deep(root, 256), "OK"},
        {Deep(root, 1017), "OK"},
    };
    std::string listText;
    std::vector<std::string> expectedStates, expectedRows;
    for (const auto& [entry, state] : cases) {
        listText += (listText.empty() ? "" : ";") + entry;
        expectedStates.push_back(state);
        if (state == "OK")
            expectedRows.push_back(entry + "\\f.bat");
    }

    trawl::StoredValues typed;
    typed.typed = true;
    CDirectoryListDlg dialog(listText, typed);
    std::vector<std::string> states;
    ModalUser user([&](HWND shown) {
        for (int row = 0; row < dialog.entryTable.GetItemCount(); ++row)
            states.push_back(dialog.entryTable.GetItemText(row, 2));
        PostKey(shown, VK_ESCAPE);
    });
    dialog.DoModal();
    EXPECT_EQ(states, expectedStates);
    // The wildcard search and the command search alike.
    for (const char* pattern : {"*.bat", "f"}) {
        SetupResultColumns(list, {});
        ListMatchingFiles(list, listText, pattern, {});
        EXPECT_EQ(ColumnTexts(0), expectedRows) << pattern;
    }
}

} // namespace
