#include "ResultListWindow.h"

#include "support/ModalUser.h"
#include "ui/DirectoryListDlg.h"
#include "ui/ResultSearch.h"
#include "ui/StoredEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace {

TEST(StoredEnvironment, EveryValueIsReadWhateverItsSizeAndType)
{
    const wchar_t* const testKey = L"Software\\Trawl tests\\Stored environment";
    // Name, type, data, its size; what is read: kind (text 0, expandable 1, other 2), text or type.
    const std::tuple<const wchar_t*, DWORD, std::wstring, DWORD, std::string> cases[] = {
        {L"odd", REG_SZ, L"C:\\a;", 9, "0 C:\\a"},
        {L"unterminated", REG_SZ, L"C:\\x", 8, "0 C:\\x"},
        {L"empty", REG_SZ, L"", 0, "0 "},
        {L"nul", REG_EXPAND_SZ, std::wstring(L"U1\0;U3", 6), 14, "1 U1"},
        {L"binary", REG_BINARY, L"C:\\x", 8, "2 REG_BINARY"},
        {L"dword", REG_DWORD, L"\x5", 4, "2 REG_DWORD"},
        {L"multi", REG_MULTI_SZ, std::wstring(L"C:\\a\0C:\\b\0", 10), 20, "2 REG_MULTI_SZ"},
    };
    std::map<std::string, std::string> expected, read;
    for (const auto& [name, type, data, bytes, shown] : cases) {
        RegSetKeyValueW(HKEY_CURRENT_USER, testKey, name, type, data.c_str(), bytes);
        expected[std::string(name, name + wcslen(name))] = shown;
    }
    for (const trawl::StoredVariable& variable : StoredVariables(HKEY_CURRENT_USER, testKey))
        read[variable.name] =
            std::to_string(static_cast<int>(variable.kind)) + " " + variable.value + variable.typeName;
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Trawl tests");
    EXPECT_EQ(read, expected);
    EXPECT_TRUE(StoredVariables(HKEY_CURRENT_USER, testKey).empty()) << "a missing key";
}

TEST_F(ResultListTest, DirectoryListOkExactlyWhereTheSearchListsTheDirectorysFiles)
{
    // The fixture and its long directories, nested two, three and ten deep.
    const auto fixture = [](const char* name) { return std::string(std::getenv(name)); };
    const std::string root = fixture("TRAWL_DIRLIST");
    // One who reads past permissions (root with its powers) lists the unreadable directory too.
    const bool readsAll =
        GetFileAttributesA((root + "\\unreadable\\f.bat").c_str()) != INVALID_FILE_ATTRIBUTES;
    const std::pair<std::string, std::string> cases[] = {
        {root + "\\space ", "OK"},
        {root + "\\spaceless ", "Trailing space"},
        {root + "\\dot.", "Trailing dot"},
        {root + "\\unreadable", readsAll ? "OK" : "Cannot be read"},
        {"\\\\?\\" + fixture("TRAWL_DIRLIST_2"), "OK"},
        {fixture("TRAWL_DIRLIST_3"), "OK"},
        {fixture("TRAWL_DIRLIST_10"), "OK"}};
    std::string listText;
    std::vector<std::string> expectedStates, expectedRows, states;
    for (const auto& [entry, state] : cases) {
        listText += (listText.empty() ? "" : ";") + entry;
        expectedStates.push_back(state);
        if (state == "OK")
            expectedRows.push_back(entry + "\\f.bat");
    }
    trawl::StoredValues typed;
    typed.typed = true;
    CDirectoryListDlg dialog(listText, typed);
    ModalUser user([&](HWND shown) {
        EXPECT_TRUE(PumpUntil([&] { return !dialog.Checking(); }));
        for (int row = 0; row < dialog.entryTable.GetItemCount(); ++row)
            states.push_back(dialog.entryTable.GetItemText(row, 2));
        PostKey(shown, VK_ESCAPE);
    });
    dialog.DoModal();
    EXPECT_EQ(states, expectedStates);
    for (const char* pattern : {"*.bat", "f"}) { // the wildcard search and the command search
        list.SetupResultColumns({});
        ListMatchingFiles(list, listText, pattern, {});
        EXPECT_EQ(ColumnTexts(0), expectedRows) << pattern;
    }
}

} // namespace
