#include "DirectoryListFigure.h"

#include "Timing.h"

#include "support/FixtureFiles.h"

#include "core/ListSplit.h"
#include "res/resource.h"
#include "ui/DirectoryListDlg.h"
#include "ui/StoredEnvironment.h"
#include "ui/StoredValueWriter.h"
#include "ui/Win32DirectoryProbe.h"

#include <cstdio>
#include <vector>

namespace {

constexpr int runs = 5;
constexpr int entryCount = 1000;
constexpr size_t fullValue = 32767;
constexpr double openTarget = 0.3;

// The dialog's owner: the modal loop tells it when the dialog has drawn and
// has nothing left to do, first when the user can read it, and again as
// checks end; the figure is the time every state is in.
class IdleOwner : public CWnd {
public:
    const CDirectoryListDlg* dialog = nullptr;
    double shownAt = 0;
    double filledAt = 0;

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && filledAt == 0) {
            shownAt = shownAt == 0 ? Now() : shownAt;
            if (dialog != nullptr && !dialog->Checking()) {
                filledAt = Now();
                ::PostMessageA(reinterpret_cast<HWND>(lParam), WM_COMMAND, IDCANCEL, 0);
            }
        }
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
};

// Every other entry exists; each is padded with a last component so that the
// whole value holds exactly 32,767 characters.
std::string MakeList(const std::string& root)
{
    CreateDirectoryA(root.c_str(), nullptr);
    const size_t entryChars = (fullValue - (entryCount - 1)) / entryCount;
    size_t longer = (fullValue - (entryCount - 1)) % entryCount;
    std::string list;
    for (int i = 0; i < entryCount; ++i) {
        std::string entry = root + "\\" + (i % 2 != 0 ? "gone" : "d") + std::to_string(i) + "-";
        entry.resize(entryChars + (longer > 0 ? 1 : 0), 'x');
        longer -= longer > 0 ? 1 : 0;
        if (i % 2 == 0)
            CreateDirectoryA(entry.c_str(), nullptr);
        list += (i != 0 ? ";" : "") + entry;
    }
    return list;
}

constexpr double editTarget = 0.05;
constexpr double saveTarget = 0.5;

// Removes the first row of the editor once it is idle, and times the edit
// until the dialog is idle again (states, summary and the table redrawn);
// Revert then leaves nothing to ask about, and the dialog closes.
class EditingOwner : public CWnd {
public:
    const CDirectoryListDlg* dialog = nullptr;
    std::vector<double> times;
    size_t rows = 0;

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        // Edits start once the opening's checks are in; an edit's own are cached.
        if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && dialog != nullptr && !dialog->Checking()) {
            const HWND dialog = reinterpret_cast<HWND>(lParam);
            const HWND table = ::GetDlgItem(dialog, IDC_DIRLIST_TABLE);
            if (started != 0) {
                times.push_back(Now() - started);
                started = 0;
                ::SendMessageA(::GetDlgItem(dialog, IDC_DIRLIST_REVERT), BM_CLICK, 0, 0);
            }
            if (times.size() == static_cast<size_t>(runs)) {
                rows = static_cast<size_t>(ListView_GetItemCount(table));
                ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            } else {
                ListView_SetItemState(table, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
                started = Now();
                ::SendMessageA(table, WM_KEYDOWN, VK_DELETE, 0);
            }
        }
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }

private:
    double started = 0;
};

void PrintEditFigure(const std::string& list)
{
    const std::wstring wide(list.begin(), list.end());
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Environment", L"TRAWLBENCH", REG_EXPAND_SZ, wide.c_str(),
                    static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    EditingOwner owner;
    if (owner.CreateEx(0, nullptr, "Directory List bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                       nullptr, 0)) {
        std::optional<CListEditSession> session = CListEditSession::Read("TRAWLBENCH", "");
        if (session) {
            CDirectoryListDlg dialog(std::string(), StoredVariableValues("TRAWLBENCH"), &*session, &owner);
            owner.dialog = &dialog;
            dialog.DoModal();
            owner.dialog = nullptr;
        }
        owner.DestroyWindow();
    }
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Environment", L"TRAWLBENCH");
    if (owner.times.size() != static_cast<size_t>(runs) || owner.rows != static_cast<size_t>(entryCount)) {
        std::printf("directory list edit: INVALID (%zu edits timed, %zu rows)\n", owner.times.size(),
                    owner.rows);
        return;
    }
    const double median = Median(owner.times);
    std::printf("directory list edit, %zu rows: remove one, states and summary again: %.3f s (%s; target at "
                "most %.2f s: %s)\n",
                owner.rows, median, RunList(owner.times).c_str(), editTarget,
                median <= editTarget ? "met" : "NOT met");
}

// Save as the editor does it: the backup, the write, the read-back and the
// broadcast, of a value as long as a variable holds.
void PrintSaveFigure()
{
    const std::wstring name = L"TRAWLBENCH";
    const std::wstring key = L"Software\\Trawl bench";
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        std::wstring value(fullValue - name.size() - 1, static_cast<wchar_t>(L'a' + run));
        const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
        RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_EXPAND_SZ, value.c_str(), bytes);
        std::vector<BYTE> before(reinterpret_cast<const BYTE*>(value.c_str()),
                                 reinterpret_cast<const BYTE*>(value.c_str()) + bytes);
        value.back() = L'z';
        const StoredValueChange change{HKEY_CURRENT_USER,
                                       L"HKEY_CURRENT_USER",
                                       key,
                                       name,
                                       std::pair{DWORD{REG_EXPAND_SZ}, before},
                                       REG_EXPAND_SZ,
                                       value};
        const std::string backup = std::string(temp) + "trawl-bench-" + std::to_string(run) + ".reg";
        DeleteFileA(backup.c_str());
        const double start = Now();
        const WriteOutcome outcome =
            WriteStoredValues({&change, 1}, std::wstring(backup.begin(), backup.end()));
        BroadcastEnvironmentChange();
        const double took = Now() - start;
        DeleteFileA(backup.c_str());
        if (outcome.fault != WriteFault::None) {
            std::printf("save of a 32,767-character value: INVALID (the write failed)\n");
            RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
            return;
        }
        times.push_back(took);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    const double median = Median(times);
    std::printf(
        "save of a 32,767-character value with backup, read-back and broadcast: %.3f s (%s; target at "
        "most %.1f s: %s)\n",
        median, RunList(times).c_str(), saveTarget, median <= saveTarget ? "met" : "NOT met");
}

} // namespace

void PrintDirectoryListFigure()
{
    char temp[MAX_PATH + 1] = {};
    if (GetTempPathA(sizeof temp, temp) < 3) {
        std::printf("directory list: no temporary folder\n");
        return;
    }
    const std::string root = std::string(temp, 3) + "trawl-dl";
    const std::string list = MakeList(root);
    IdleOwner owner;
    if (!owner.CreateEx(0, nullptr, "Directory List bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                        nullptr, 0)) {
        std::printf("directory list: cannot create the owner window\n");
        return;
    }
    PumpMessages();
    std::vector<double> times, shown;
    size_t rows = 0, entries = 0, filled = 0;
    for (int run = 0; run < runs; ++run) {
        owner.shownAt = owner.filledAt = 0;
        const double start = Now();
        // As the command does: the stored values are read while it opens.
        CDirectoryListDlg dialog(list, StoredVariableValues("PATH"), nullptr, &owner);
        owner.dialog = &dialog;
        dialog.DoModal();
        owner.dialog = nullptr;
        times.push_back(owner.filledAt - start);
        shown.push_back(owner.shownAt - start);
        rows = dialog.rows.size();
        // The list's own entries, each found as it is; the stored PATH's others are not checked.
        entries = filled = 0;
        for (const trawl::EntryReport& row : dialog.rows) {
            entries += row.position > 0 ? 1 : 0;
            filled += row.position > 0 &&
                      (row.state == trawl::EntryState::Ok || row.state == trawl::EntryState::Missing);
        }
        PumpMessages();
    }
    owner.DestroyWindow();
    // The floor: the same checks one after another, on one thread, with no window.
    std::vector<double> probeTimes;
    for (int run = 0; run < runs; ++run) {
        Win32DirectoryProbe probe;
        const double start = Now();
        for (const std::string& entry : trawl::DirectoryListEntries(list))
            probe.Probe(entry);
        probeTimes.push_back(Now() - start);
    }
    PrintEditFigure(list);
    RemoveTree(root);
    if (filled != entryCount || entries != entryCount) {
        std::printf("directory list dialog: INVALID (%zu of %zu entries OK or Missing)\n", filled, entries);
    } else {
        const double median = Median(times);
        std::printf(
            "directory list dialog, %zu characters, %zu rows, half missing, none slow: shown at %.3f s, "
            "every state in at %.3f s (%s; target at most %.1f s: %s); the same checks in a row on one "
            "thread: %.3f s\n",
            list.size(), rows, Median(shown), median, RunList(times).c_str(), openTarget,
            median <= openTarget ? "met" : "NOT met", Median(probeTimes));
    }
    PrintSaveFigure();
}
