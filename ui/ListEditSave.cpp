#include "ListEditSave.h"

#include "core/TextCount.h"
#include "core/TextFill.h"
#include "framework/CodePage.h"
#include "framework/Resources.h"
#include "framework/Wnd.h"
#include "res/resource.h"
#include "ui/EnvironmentValue.h"

#include <shellapi.h>

#include <algorithm>

namespace {

std::string StoreName(trawl::EditGroup store)
{
    return LoadResString(store == trawl::EditGroup::System ? IDS_DIRLIST_SYSTEM : IDS_DIRLIST_USER);
}

int Ask(CWnd& owner, const std::string& text, UINT style)
{
    return owner.MessageBox(text, LoadResString(IDS_EDIT_CAPTION), style);
}

std::string SystemMessage(DWORD code)
{
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = text != nullptr ? text : L"";
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    return message.empty() ? trawl::FillIn(LoadResString(IDS_EDIT_ERROR_CODE), "%s", std::to_string(code))
                           : MarkedInCodePage(message);
}

std::string Cause(const WriteOutcome& outcome)
{
    switch (outcome.fault) {
    case WriteFault::Backup:
        return trawl::FillInOrder(LoadResString(IDS_EDIT_BACKUP_FAILED),
                                  {MarkedInCodePage(outcome.backupPath), SystemMessage(outcome.status)});
    case WriteFault::Changed:
        return LoadResString(IDS_EDIT_CHANGED_MEANWHILE);
    case WriteFault::ReadBack:
        return LoadResString(IDS_EDIT_READ_BACK);
    default:
        return SystemMessage(static_cast<DWORD>(outcome.status));
    }
}

trawl::EditGroup StoreOf(const StoredValueChange& change)
{
    return change.root == HKEY_LOCAL_MACHINE ? trawl::EditGroup::System : trawl::EditGroup::User;
}

// The edits as the elevated run reads them: UTF-16 fields ended by NULs.
bool WriteHandedEdits(const std::wstring& file, const CListEditSession& session)
{
    std::wstring text = WideOfWtf8(session.Variable()) + L'\0';
    for (trawl::EditGroup store : {trawl::EditGroup::System, trawl::EditGroup::User}) {
        const std::optional<std::string> value = session.ValueToSave(store);
        text += (value ? L"=" + WideOfWtf8(*value) : std::wstring(L"-")) + L'\0';
    }
    HANDLE handle =
        CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const bool whole = WriteFile(handle, text.data(), size, &written, nullptr) && written == size;
    CloseHandle(handle);
    return whole;
}

std::vector<std::wstring> ReadHandedFields(const std::wstring& file)
{
    std::vector<std::wstring> fields;
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return fields;
    LARGE_INTEGER size{};
    std::wstring text;
    // A value holds at most 32,767 characters; anything much larger is not ours.
    if (GetFileSizeEx(handle, &size) && size.QuadPart < 1 << 20) {
        text.resize(static_cast<size_t>(size.QuadPart) / sizeof(wchar_t));
        DWORD read = 0;
        if (!ReadFile(handle, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr))
            text.clear();
        text.resize(read / sizeof(wchar_t));
    }
    CloseHandle(handle);
    for (size_t start = 0, end; (end = text.find(L'\0', start)) != std::wstring::npos; start = end + 1)
        fields.push_back(text.substr(start, end - start));
    return fields;
}

SaveResult HandToAdministrator(CWnd& owner, const CListEditSession& session)
{
    wchar_t folder[MAX_PATH + 1] = {};
    wchar_t file[MAX_PATH + 1] = {};
    wchar_t program[MAX_PATH + 1] = {};
    if (GetTempPathW(MAX_PATH, folder) == 0 || GetTempFileNameW(folder, L"trl", 0, file) == 0 ||
        GetModuleFileNameW(nullptr, program, MAX_PATH) == 0 || !WriteHandedEdits(file, session))
        return SaveResult::NotSaved;
    const std::wstring parameters = L"\"" + std::wstring(handedEditsSwitch) + file + L"\"";
    SHELLEXECUTEINFOW run{};
    run.cbSize = sizeof run;
    run.hwnd = owner.GetSafeHwnd();
    run.lpVerb = L"runas";
    run.lpFile = program;
    run.lpParameters = parameters.c_str();
    run.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&run))
        return SaveResult::HandedOver;
    DeleteFileW(file); // declined at the prompt: the edits stay here
    return SaveResult::NotSaved;
}

} // namespace

SaveResult SaveListEdits(CWnd& owner, CListEditSession& session)
{
    const std::vector<StoredValueChange> changes = session.Changes();
    if (changes.empty())
        return SaveResult::Saved;
    std::string warnings;
    for (const StoredValueChange& change : changes) {
        const trawl::EditGroup store = StoreOf(change);
        const size_t length = session.SavedLength(store);
        const std::string lengthText = trawl::GroupedNumber(length);
        switch (trawl::JudgeLength(length)) {
        case trawl::LengthVerdict::Refused:
            Ask(owner,
                trawl::FillInOrder(LoadResString(IDS_EDIT_REFUSED_BOX),
                                   {StoreName(store), session.Variable(), lengthText}),
                MB_OK | MB_ICONSTOP);
            return SaveResult::NotSaved;
        case trawl::LengthVerdict::OverInterpreter:
            warnings +=
                trawl::FillInOrder(LoadResString(IDS_EDIT_WARN_INTERPRETER), {StoreName(store), lengthText});
            break;
        case trawl::LengthVerdict::OverSystemEditor:
            warnings +=
                trawl::FillInOrder(LoadResString(IDS_EDIT_WARN_EDITOR), {StoreName(store), lengthText});
            break;
        case trawl::LengthVerdict::Fits:
            break;
        }
    }
    if (!warnings.empty() && Ask(owner, warnings + LoadResString(IDS_EDIT_SAVE_ANYWAY),
                                 MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
        return SaveResult::NotSaved;

    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::wstring folder = BackupFolder();
    const std::wstring stores = changes.size() > 1                                     ? L"System and User"
                                : StoreOf(changes.front()) == trawl::EditGroup::System ? L"System"
                                                                                       : L"User";
    const std::wstring backup =
        folder.empty() ? std::wstring()
                       : folder + L"\\" + BackupFileName(WideOfWtf8(session.Variable()), stores, now);
    const WriteOutcome outcome = WriteStoredValues(changes, backup);
    if (outcome.fault == WriteFault::None) {
        BroadcastEnvironmentChange();
        Ask(owner,
            trawl::FillInOrder(LoadResString(IDS_EDIT_SAVED), {session.Variable(), MarkedInCodePage(backup)}),
            MB_OK | MB_ICONINFORMATION);
        return SaveResult::Saved;
    }
    const StoredValueChange& failed = changes[std::min(outcome.failed, changes.size() - 1)];
    const std::string failure = trawl::FillInOrder(
        LoadResString(IDS_EDIT_FAILED), {StoreName(StoreOf(failed)), session.Variable(), Cause(outcome)});
    if (outcome.fault == WriteFault::Write && outcome.status == ERROR_ACCESS_DENIED &&
        failed.root == HKEY_LOCAL_MACHINE) {
        if (Ask(owner, failure + LoadResString(IDS_EDIT_NEEDS_ADMIN), MB_YESNO | MB_ICONWARNING) == IDYES)
            return HandToAdministrator(owner, session);
        return SaveResult::NotSaved;
    }
    Ask(owner, failure, MB_OK | MB_ICONSTOP);
    return SaveResult::NotSaved;
}

// By the time it was written, which the name holds as well.
std::wstring LastBackup(const std::string& variable)
{
    const std::wstring folder = BackupFolder();
    if (folder.empty())
        return {};
    WIN32_FIND_DATAW found{};
    HANDLE search =
        FindFirstFileW((folder + L"\\" + BackupNamePrefix(WideOfWtf8(variable)) + L"*.reg").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    std::wstring newest;
    FILETIME newestTime{};
    do {
        if (newest.empty() || CompareFileTime(&found.ftLastWriteTime, &newestTime) > 0) {
            newest = folder + L"\\" + found.cFileName;
            newestTime = found.ftLastWriteTime;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return newest;
}

bool UndoLastSave(CWnd& owner, const std::string& variable)
{
    const std::wstring backup = LastBackup(variable);
    if (backup.empty()) {
        Ask(owner, trawl::FillIn(LoadResString(IDS_EDIT_NO_BACKUP), "%s", variable),
            MB_OK | MB_ICONINFORMATION);
        return false;
    }
    if (Ask(owner,
            trawl::FillInOrder(LoadResString(IDS_EDIT_UNDO_QUESTION), {variable, MarkedInCodePage(backup)}),
            MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    // The registry's own importer reads the backup as a user could.
    std::wstring command = L"reg.exe import \"" + backup + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    DWORD code = 1;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    if (code != 0) {
        Ask(owner, trawl::FillIn(LoadResString(IDS_EDIT_UNDO_FAILED), "%s", MarkedInCodePage(backup)),
            MB_OK | MB_ICONSTOP);
        return false;
    }
    // Used once: the next Undo reaches the save before it.
    MoveFileW(backup.c_str(), (backup + L".undone").c_str());
    BroadcastEnvironmentChange();
    Ask(owner, trawl::FillIn(LoadResString(IDS_EDIT_UNDONE), "%s", variable), MB_OK | MB_ICONINFORMATION);
    return true;
}

std::wstring HandedEditsFile()
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring file;
    const size_t length = wcslen(handedEditsSwitch);
    for (int i = 1; arguments != nullptr && i < count; ++i)
        if (wcsncmp(arguments[i], handedEditsSwitch, length) == 0)
            file = arguments[i] + length;
    LocalFree(arguments);
    return file;
}

std::optional<CListEditSession> TakeHandedEdits(const std::wstring& file)
{
    const std::vector<std::wstring> fields = ReadHandedFields(file);
    DeleteFileW(file.c_str());
    if (fields.size() != 3)
        return std::nullopt;
    const std::string variable = Wtf8OfWide(fields[0]);
    std::optional<CListEditSession> session =
        CListEditSession::Read(variable, EnvironmentValue(variable).value_or(std::string()));
    if (!session)
        return session;
    const trawl::EditGroup stores[] = {trawl::EditGroup::System, trawl::EditGroup::User};
    for (size_t i = 0; i < 2; ++i)
        if (fields[i + 1].starts_with(L"="))
            session->edit.Replace(stores[i], Wtf8OfWide(fields[i + 1].substr(1)));
    return session;
}
