#include "StoredValueWriter.h"

#include "ui/StoredEnvironment.h"

#include <cstdio>

namespace {

using Data = std::pair<DWORD, std::vector<BYTE>>;

LSTATUS WriteRaw(HKEY root, const std::wstring& subKey, const std::wstring& name,
                 const std::optional<Data>& data)
{
    HKEY key = nullptr;
    LSTATUS status =
        RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    if (data)
        status = RegSetValueExW(key, name.c_str(), 0, data->first, data->second.data(),
                                static_cast<DWORD>(data->second.size()));
    else
        status = RegDeleteValueW(key, name.c_str());
    RegCloseKey(key);
    return status;
}

Data Wanted(const StoredValueChange& change)
{
    // With its terminating NUL, as the system's own writers store text.
    const auto* bytes = reinterpret_cast<const BYTE*>(change.value.c_str());
    return Data{change.type, std::vector<BYTE>(bytes, bytes + (change.value.size() + 1) * sizeof(wchar_t))};
}

std::wstring Quoted(const std::wstring& text)
{
    std::wstring quoted = L"\"";
    for (wchar_t c : text) {
        if (c == L'\\' || c == L'"')
            quoted += L'\\';
        quoted += c;
    }
    return quoted + L"\"";
}

} // namespace

std::optional<std::pair<DWORD, std::vector<BYTE>>> ReadStoredValue(HKEY root, const std::wstring& subKey,
                                                                   const std::wstring& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::pair<DWORD, std::vector<BYTE>> data;
    const bool read = ReadRegistryValue(key, name.c_str(), data.first, data.second);
    RegCloseKey(key);
    return read ? std::optional(std::move(data)) : std::nullopt;
}

std::wstring BackupRegText(std::span<const StoredValueChange> changes)
{
    std::wstring text = L"Windows Registry Editor Version 5.00\r\n";
    for (const StoredValueChange& change : changes) {
        text += L"\r\n[" + std::wstring(change.rootName) + L"\\" + change.subKey + L"]\r\n" +
                Quoted(change.name) + L"=";
        if (!change.before) {
            text += L"-\r\n";
            continue;
        }
        // Every type as hex bytes: the import writes back exactly these.
        wchar_t prefix[24];
        std::swprintf(prefix, std::size(prefix), L"hex(%lx):",
                      static_cast<unsigned long>(change.before->first));
        text += prefix;
        const std::vector<BYTE>& bytes = change.before->second;
        for (size_t i = 0; i < bytes.size(); ++i) {
            wchar_t pair[4];
            std::swprintf(pair, std::size(pair), L"%02x", bytes[i]);
            text += pair;
            if (i + 1 < bytes.size())
                text += (i + 1) % 24 == 0 ? L",\\\r\n  " : L",";
        }
        text += L"\r\n";
    }
    return text;
}

WriteOutcome WriteStoredValues(std::span<const StoredValueChange> changes, const std::wstring& backupPath)
{
    WriteOutcome outcome;
    outcome.backupPath = backupPath;
    // The backup first: without it nothing is touched.
    const std::wstring text = L"\xFEFF" + BackupRegText(changes);
    HANDLE file = CreateFileW(backupPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const bool saved = file != INVALID_HANDLE_VALUE &&
                       WriteFile(file, text.data(), size, &written, nullptr) && written == size &&
                       FlushFileBuffers(file);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (!saved) {
        outcome.fault = WriteFault::Backup;
        outcome.status = static_cast<LSTATUS>(GetLastError());
        return outcome;
    }

    for (; outcome.failed < changes.size(); ++outcome.failed) {
        const StoredValueChange& change = changes[outcome.failed];
        if (ReadStoredValue(change.root, change.subKey, change.name) != change.before) {
            outcome.fault = WriteFault::Changed;
            break;
        }
        const Data wanted = Wanted(change);
        outcome.status = WriteRaw(change.root, change.subKey, change.name, wanted);
        if (outcome.status != ERROR_SUCCESS) {
            outcome.fault = WriteFault::Write;
            break;
        }
        if (ReadStoredValue(change.root, change.subKey, change.name) != wanted) {
            outcome.fault = WriteFault::ReadBack;
            break;
        }
    }
    if (outcome.fault == WriteFault::None)
        return outcome;
    // What was written goes back as it was (the failed value too, unless
    // someone else changed it); the backup stays for the user.
    const size_t touched = outcome.failed + (outcome.fault == WriteFault::Changed ? 0 : 1);
    for (size_t undone = 0; undone < touched; ++undone)
        WriteRaw(changes[undone].root, changes[undone].subKey, changes[undone].name, changes[undone].before);
    return outcome;
}

std::wstring BackupFolder()
{
    wchar_t base[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", base, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::wstring folder = std::wstring(base) + L"\\Trawl";
    CreateDirectoryW(folder.c_str(), nullptr);
    folder += L"\\Backups";
    CreateDirectoryW(folder.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return {};
    return folder;
}

std::wstring BackupNamePrefix(const std::wstring& variable)
{
    std::wstring name;
    // A variable's name may hold what a file name cannot.
    for (wchar_t c : variable)
        name += wcschr(L"\\/:*?\"<>|", c) != nullptr || c < L' ' ? L'_' : c;
    return name + L" ";
}

std::wstring BackupFileName(const std::wstring& variable, const std::wstring& store, const SYSTEMTIME& time)
{
    wchar_t stamp[40];
    std::swprintf(stamp, std::size(stamp), L" %04u-%02u-%02u %02u%02u%02u.%03u", time.wYear, time.wMonth,
                  time.wDay, time.wHour, time.wMinute, time.wSecond, time.wMilliseconds);
    return BackupNamePrefix(variable) + store + stamp + L".reg";
}

void BroadcastEnvironmentChange()
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"),
                        SMTO_ABORTIFHUNG, 5000, &result);
}
