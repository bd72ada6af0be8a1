#include "core/ListEdit.h"
#include "framework/CodePage.h"
#include "ui/StoredValueWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

const std::wstring testKey = L"Software\\Trawl tests\\Writer";

std::pair<DWORD, std::wstring> Read(const wchar_t* name)
{
    DWORD type = 0, size = 0;
    RegGetValueW(HKEY_CURRENT_USER, testKey.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size);
    std::wstring data(size / sizeof(wchar_t), L'\0');
    RegGetValueW(HKEY_CURRENT_USER, testKey.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(),
                 &size);
    return {type, data};
}

void Set(const wchar_t* name, DWORD type, const std::wstring& value)
{
    RegSetKeyValueW(HKEY_CURRENT_USER, testKey.c_str(), name, type, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

StoredValueChange Change(const wchar_t* name, std::wstring value, DWORD type = REG_EXPAND_SZ)
{
    const std::pair<DWORD, std::wstring> before = Read(name);
    StoredValueChange change{
        HKEY_CURRENT_USER, L"HKEY_CURRENT_USER", testKey, name, std::nullopt, type, value};
    if (before.first != REG_NONE) {
        const auto* bytes = reinterpret_cast<const BYTE*>(before.second.data());
        change.before = {before.first,
                         std::vector<BYTE>(bytes, bytes + before.second.size() * sizeof(wchar_t))};
    }
    return change;
}

std::wstring TempFile(const wchar_t* name)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + name;
    DeleteFileW(path.c_str());
    return path;
}

bool RegImport(const std::wstring& file)
{
    return _wsystem((L"reg import \"" + file + L"\" >nul 2>&1").c_str()) == 0;
}

// A long user PATH with references, quotes and a trailing space loses one
// entry and nothing else; the backup puts it back exactly.
TEST(StoredValueWriter, SavesOneRemovalByteForByteAndTheBackupRestoresIt)
{
    const std::string head = R"(%JAVA_HOME%\bin;"C:\a;b";C:\tools ;%LOCALAPPDATA%\x)";
    std::string list = head;
    while (list.size() < 10000)
        list += ";C:\\dir" + std::to_string(list.size());
    const std::wstring stored = *WideFromCodePage(list);
    Set(L"Path", REG_EXPAND_SZ, stored);
    trawl::StoredListEdit edit(std::nullopt, list, {});
    edit.Remove(std::vector<size_t>{1});
    const std::wstring wanted = *WideFromCodePage(*edit.NewValue(trawl::EditGroup::User));
    ASSERT_TRUE(wanted == *WideFromCodePage(R"(%JAVA_HOME%\bin;C:\tools ;%LOCALAPPDATA%\x)" +
                                            list.substr(head.size())));

    const StoredValueChange change = Change(L"Path", wanted);
    const std::wstring backup = TempFile(L"trawl-backup.reg");
    const WriteOutcome outcome = WriteStoredValues({&change, 1}, backup);
    EXPECT_EQ(outcome.fault, WriteFault::None);
    EXPECT_TRUE(Read(L"Path") == (std::pair<DWORD, std::wstring>{REG_EXPAND_SZ, wanted + L'\0'}));
    EXPECT_TRUE(RegImport(backup));
    EXPECT_TRUE(Read(L"Path") == (std::pair<DWORD, std::wstring>{REG_EXPAND_SZ, stored + L'\0'}));
    DeleteFileW(backup.c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Trawl tests");
}

// No value stays half-changed: a failure after one write puts it back, and
// without a backup nothing is written.
TEST(StoredValueWriter, AFailureLeavesEveryValueAsItWas)
{
    Set(L"First", REG_SZ, L"C:\\one");
    Set(L"Second", REG_SZ, L"C:\\two");
    StoredValueChange changes[] = {Change(L"First", L"C:\\1"), Change(L"Second", L"C:\\2")};
    Set(L"Second", REG_SZ, L"C:\\changed meanwhile");
    const std::wstring backup = TempFile(L"trawl-backup-2.reg");
    WriteOutcome outcome = WriteStoredValues(changes, backup);
    EXPECT_EQ(outcome.fault, WriteFault::Changed);
    EXPECT_EQ(outcome.failed, 1u);
    EXPECT_EQ(Read(L"First"), (std::pair<DWORD, std::wstring>{REG_SZ, std::wstring(L"C:\\one") + L'\0'}));

    changes[1] = Change(L"Second", L"C:\\2");
    outcome = WriteStoredValues(changes, TempFile(L"no such folder\\backup.reg"));
    EXPECT_EQ(outcome.fault, WriteFault::Backup);
    EXPECT_EQ(Read(L"First").second, std::wstring(L"C:\\one") + L'\0');
    DeleteFileW(backup.c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Trawl tests");
}

// A key whose security lets nobody set its values: the write is denied,
// the cause told, and the value written before it put back.
TEST(StoredValueWriter, ADeniedWriteLeavesBothValuesAndNamesTheCause)
{
    Set(L"Open", REG_SZ, L"C:\\open");
    const std::wstring lockedKey = testKey + L"\\Locked";
    RegSetKeyValueW(HKEY_CURRENT_USER, lockedKey.c_str(), L"Locked", REG_SZ, L"C:\\locked", 20);
    HKEY key = nullptr;
    RegOpenKeyExW(HKEY_CURRENT_USER, lockedKey.c_str(), 0, WRITE_DAC, &key);
    // Everyone may read the key and change its security back, not set a value.
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    alignas(ACL) BYTE aclBytes[128];
    auto* acl = reinterpret_cast<ACL*>(aclBytes);
    InitializeAcl(acl, sizeof aclBytes, ACL_REVISION);
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ | WRITE_DAC | DELETE, everyone);
    SECURITY_DESCRIPTOR descriptor{};
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor), ERROR_SUCCESS);

    StoredValueChange changes[] = {Change(L"Open", L"C:\\1"), Change(L"Locked", L"C:\\2")};
    changes[1].subKey = lockedKey;
    changes[1].before = {REG_SZ, std::vector<BYTE>(reinterpret_cast<const BYTE*>(L"C:\\locked"),
                                                   reinterpret_cast<const BYTE*>(L"C:\\locked") + 20)};
    const std::wstring backup = TempFile(L"trawl-backup-3.reg");
    const WriteOutcome outcome = WriteStoredValues(changes, backup);
    SetSecurityDescriptorDacl(&descriptor, FALSE, nullptr, FALSE); // open again, to clean up
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
    RegCloseKey(key);
    FreeSid(everyone);
    EXPECT_EQ(outcome.fault, WriteFault::Write);
    EXPECT_EQ(outcome.failed, 1u);
    EXPECT_EQ(outcome.status, ERROR_ACCESS_DENIED);
    EXPECT_EQ(Read(L"Open").second, std::wstring(L"C:\\open") + L'\0');
    DeleteFileW(backup.c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Trawl tests");
}

LRESULT CALLBACK SettingWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTINGCHANGE && lParam != 0 &&
        wcscmp(reinterpret_cast<const wchar_t*>(lParam), L"Environment") == 0)
        SetWindowLongPtrW(window, GWLP_USERDATA, 1);
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(StoredValueWriter, TheBroadcastReachesATopLevelWindow)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = SettingWindow;
    windowClass.lpszClassName = L"TrawlSettingTest";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    BroadcastEnvironmentChange();
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), 1);
    DestroyWindow(window);
}

} // namespace
