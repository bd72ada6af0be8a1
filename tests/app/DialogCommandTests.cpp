#include "TrawlSession.h"

#include "support/ModalUser.h"

#include "core/MachineInfo.h"
#include "core/TextFill.h"
#include "res/resource.h"
#include "ui/DirectoryListDlg.h"
#include "ui/Win32DirectoryProbe.h"

#include <functional>
#include <map>

namespace {

using Options = std::map<std::string, DWORD>;
using Texts = std::vector<std::string>;

class DialogCommands : public TrawlSession {
protected:
    // Gives the command as the menu would and acts as the user of the dialog it opens.
    void UseDialog(UINT command, std::function<void(HWND)> act)
    {
        boxes.Hold(true);
        {
            ModalUser user(std::move(act));
            SendMessageA(frameWindow, WM_COMMAND, MAKEWPARAM(command, 0), 0);
            EXPECT_TRUE(user.Acted()) << "no dialog opened";
        }
        boxes.Hold(false);
        Pump();
    }

    // The program started with only these options stored, then *.txt searched in My Path.
    void StartAndSearch(const Options& stored, const std::string& directory)
    {
        ForgetSettings();
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, settingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        for (const auto& [name, value] : stored)
            RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                           sizeof value);
        RegCloseKey(key);
        Start();
        Click(IDC_ENVCHECK);
        Type(IDC_MYPATH, directory);
        Type(IDC_FILENAME, "*.txt");
        Click(IDC_SEARCH);
    }

    static Options Stored()
    {
        Options values;
        HKEY key = nullptr;
        RegOpenKeyExA(HKEY_CURRENT_USER, settingsKey, 0, KEY_READ, &key);
        char name[64] = {};
        DWORD nameLength = sizeof name, value = 0, size = sizeof value;
        for (DWORD i = 0; RegEnumValueA(key, i, name, &nameLength, nullptr, nullptr,
                                        reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS;
             ++i, nameLength = sizeof name, size = sizeof value)
            values[name] = value;
        RegCloseKey(key);
        return values;
    }
};

void Press(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

RECT PlaceIn(HWND dialog, int id)
{
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    return rect;
}

TEST_F(DialogCommands, OptionsAreStoredOnlyWhenChangedAndThenTheSearchRunsAgain)
{
    FixtureDir files;
    StartAndSearch({}, files.Directory("opts", {"a.txt", "b.txt"}));
    ASSERT_EQ(Pane(1), "Found 2");
    files.Directory("opts", {"c.txt"}); // only a new search lists it

    const std::pair<const char*, std::function<void(HWND)>> unchanged[] = {
        {"Cancel after ticking", [](HWND d) { Press(d, IDC_OPT_SIZE), Press(d, IDCANCEL); }},
        {"Esc after ticking", [](HWND d) { Press(d, IDC_OPT_DATE), PostKey(d, VK_ESCAPE); }},
        {"OK without a change", [](HWND d) { Press(d, IDOK); }},
    };
    for (const auto& [what, act] : unchanged) {
        UseDialog(ID_VIEW_DETAILOPTIONS, act);
        EXPECT_EQ(Stored(), Options{}) << what;
        EXPECT_EQ(Headings(), Texts{"Files"}) << what;
        EXPECT_EQ(Rows().size(), 2u) << what;
    }

    UseDialog(ID_VIEW_DETAILOPTIONS, [](HWND dialog) {
        // On screen Size, Attribute, Date; by Tab Size, Date, Attribute.
        EXPECT_LT(PlaceIn(dialog, IDC_OPT_SIZE).top, PlaceIn(dialog, IDC_OPT_ATTRIB).top);
        EXPECT_LT(PlaceIn(dialog, IDC_OPT_ATTRIB).top, PlaceIn(dialog, IDC_OPT_DATE).top);
        EXPECT_LT(PlaceIn(dialog, IDC_OPT_DATE).bottom, PlaceIn(dialog, IDC_OPT_VERSION).top);
        EXPECT_GT(PlaceIn(dialog, IDCANCEL).left, PlaceIn(dialog, IDOK).left);
        const int tabOrder[] = {IDOK,           IDCANCEL,        IDC_OPT_SIZE, IDC_OPT_DATE,
                                IDC_OPT_ATTRIB, IDC_OPT_VERSION, IDOK};
        for (size_t i = 0; i + 1 < std::size(tabOrder); ++i)
            EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(dialog, GetDlgItem(dialog, tabOrder[i]), FALSE)),
                      tabOrder[i + 1]);
        Press(dialog, IDC_OPT_DATE);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(Stored(), (Options{{"FileSize", 0}, {"FileDate", 1}, {"FileAttrib", 0}, {"FileVersion", 0}}))
        << "every key written";
    EXPECT_EQ(Headings(), (Texts{"Files", "Date Modify"}));
    EXPECT_EQ(Rows().size(), 3u);
    EXPECT_EQ(Pane(1), "Found 3");

    // By keyboard alone: the mnemonic ticks Size, Enter is OK.
    UseDialog(ID_VIEW_DETAILOPTIONS,
              [](HWND dialog) { PostAltKey(dialog, 's'), PostKey(dialog, VK_RETURN); });
    EXPECT_EQ(Stored(), (Options{{"FileSize", 1}, {"FileDate", 1}, {"FileAttrib", 0}, {"FileVersion", 0}}));
    EXPECT_EQ(Headings(), (Texts{"Files", "Size", "Date Modify"}));
}

TEST_F(DialogCommands, AStoredFlagOutsideTheBoxStatesIsClearedByOkWithoutASearch)
{
    FixtureDir files;
    StartAndSearch({{"FileDate", 5}}, files.Directory("five", {"a.txt", "b.txt"}));
    ASSERT_EQ(Pane(1), "Found 2");
    EXPECT_EQ(Headings(), (Texts{"Files", "Date Modify"}));
    Type(IDC_FILENAME, ""); // the input no longer complete: no search follows the change

    UseDialog(ID_VIEW_DETAILOPTIONS, [](HWND dialog) { Press(dialog, IDOK); });
    EXPECT_EQ(Stored(), (Options{{"FileSize", 0}, {"FileDate", 0}, {"FileAttrib", 0}, {"FileVersion", 0}}));
    EXPECT_EQ(Headings(), Texts{"Files"});
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Pane(1), "Found 2") << "the pane keeps the earlier search's count";
}

TEST_F(DialogCommands, StoredVersionOptionShowsEachFilesVersionAndPlatformUntilUnticked)
{
    FixtureDir files;
    const std::string directory = files.Directory("programs", {"empty.txt"});
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    CopyFileA(self, (directory + "\\program.txt").c_str(), FALSE);
    CopyFileA(self, (directory + "\\held.txt").c_str(), FALSE);
    HANDLE held =
        CreateFileA((directory + "\\held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    // Any value but 0 shows the columns, and the box as checked.
    StartAndSearch({{"FileVersion", 0xFFFFFFFF}}, directory);
    ASSERT_EQ(Headings(), (Texts{"Files", "Version", "Platform"}));
    std::map<std::string, Texts> cells;
    for (int row = 0; row < view->resultList.GetItemCount(); ++row)
        cells[Rows()[row].substr(directory.size() + 1)] = {view->resultList.GetItemText(row, 1),
                                                           view->resultList.GetItemText(row, 2)};
    EXPECT_EQ(cells,
              (std::map<std::string, Texts>{
                  {"empty.txt", {"", ""}}, {"held.txt", {"", ""}}, {"program.txt", {"1.9.0.0", "x64"}}}));
    CloseHandle(held);

    UseDialog(ID_VIEW_DETAILOPTIONS,
              [](HWND dialog) { PostAltKey(dialog, 'v'), PostKey(dialog, VK_RETURN); });
    EXPECT_EQ(Stored(), (Options{{"FileSize", 0}, {"FileDate", 0}, {"FileAttrib", 0}, {"FileVersion", 0}}));
    EXPECT_EQ(Headings(), Texts{"Files"});
}

TEST_F(DialogCommands, AboutBoxShowsThisMachine)
{
    Start();
    Texts drives;
    char memory[64] = {};
    UseDialog(ID_APP_ABOUT, [&](HWND dialog) {
        auto* table = dynamic_cast<CListCtrl*>(CWnd::FromHandlePermanent(GetDlgItem(dialog, IDC_DRIVES)));
        ASSERT_NE(table, nullptr);
        for (int row = 0; row < table->GetItemCount(); ++row)
            drives.push_back(table->GetItemText(row, 0));
        GetDlgItemTextA(dialog, IDC_TOTALMEM, memory, sizeof memory);
        PostKey(dialog, VK_RETURN);
    });
    // Under Wine C: is the prefix's drive and Z: the Linux root, both fixed.
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives.front(), "C:\\");
    EXPECT_EQ(drives.back(), "Z:\\");
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatusEx(&status);
    EXPECT_EQ(memory, trawl::FormatKilobytes("%lu KB", status.ullTotalPhys));
}

// What the Directory List shows once no check runs within its limit: "#|Directory|State|From"
// rows, then the summary; Copy's table too.
Texts ReadDirectoryList(HWND dialog, std::string* copied = nullptr)
{
    auto* checked = dynamic_cast<CDirectoryListDlg*>(CWnd::FromHandlePermanent(dialog));
    EXPECT_TRUE(checked != nullptr && PumpUntil([&] { return !checked->Checking(); })) << "states in";
    auto* table = dynamic_cast<CListCtrl*>(CWnd::FromHandlePermanent(GetDlgItem(dialog, IDC_DIRLIST_TABLE)));
    EXPECT_NE(table, nullptr);
    Texts shown;
    for (int row = 0; table != nullptr && row < table->GetItemCount(); ++row)
        shown.push_back(table->GetItemText(row, 0) + "|" + table->GetItemText(row, 1) + "|" +
                        table->GetItemText(row, 2) + "|" + table->GetItemText(row, 3));
    char summary[256] = {};
    GetDlgItemTextA(dialog, IDC_DIRLIST_SUMMARY, summary, sizeof summary);
    shown.push_back(summary);
    if (copied != nullptr) {
        Press(dialog, IDC_DIRLIST_COPY);
        if (OpenClipboard(dialog)) {
            if (auto* text = static_cast<const char*>(GetClipboardData(CF_TEXT)))
                *copied = text;
            CloseClipboard();
        }
    }
    return shown;
}

TEST_F(DialogCommands, DirectoryListReportsEachEntryAndWhereItComesFrom)
{
    FixtureDir files;
    const std::string dir = files.Directory("dl", {"file.txt"});
    const std::string stored = files.Directory("stored", {});
    // Entries whose state the file system decides; those its text decides need no Windows.
    const std::string value = dir + "\\;" + dir + "\\file.txt;Z:\\tmp\\trawl-no-such";
    SetEnvironmentVariableA("TRAWLDL", value.c_str());
    SetEnvironmentVariableA("TRAWLDL_ROOT", dir.c_str());
    // The user's stored value refers to another variable, as a REG_EXPAND_SZ does.
    const std::string userValue = "%TRAWLDL_ROOT%;" + stored;
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Environment", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    RegSetValueExA(key, "TRAWLDL", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(userValue.c_str()),
                   static_cast<DWORD>(userValue.size() + 1));
    Start();
    ChooseVariable("TRAWLDL");
    EXPECT_TRUE(ViewMenuItemEnabled(ID_VIEW_DIRECTORYLIST)) << "no pattern needed";

    Texts shown;
    std::string copied;
    UseDialog(ID_VIEW_DIRECTORYLIST, [&](HWND dialog) {
        char caption[64] = {};
        GetWindowTextA(dialog, caption, sizeof caption);
        EXPECT_STREQ(caption, "Directory List");
        shown = ReadDirectoryList(dialog, &copied);
        PostKey(dialog, VK_RETURN);
    });
    RegDeleteValueA(key, "TRAWLDL");
    RegCloseKey(key);
    SetEnvironmentVariableA("TRAWLDL", nullptr);
    SetEnvironmentVariableA("TRAWLDL_ROOT", nullptr);
    // Rows as a new process gets them, the stored text as it is; this process's own last.
    const Texts expected{
        "1|%TRAWLDL_ROOT%|OK|User", "2|" + stored + "|OK|User",
        "3|" + dir + "\\file.txt|Not a directory|This process",
        "4|Z:\\tmp\\trawl-no-such|Missing|This process",
        "4 entries, 1 missing, 1 not a directory; " + std::to_string(dir.size() + 1 + stored.size()) +
            " characters\r\nUser value: " + std::to_string(userValue.size() + 8) +
            " characters\r\nOnly the User value is stored: a new process gets it."};
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(copied.substr(0, copied.find('\n') + 1), "#\tDirectory\tState\tFrom\r\n");
    EXPECT_NE(copied.find("\r\n2\t" + stored + "\tOK\tUser\r\n"), std::string::npos) << copied;

    // The machine's PATH, as Wine stores it with %SystemRoot%; a typed list is Typed.
    ChooseVariable("PATH");
    UseDialog(ID_VIEW_DIRECTORYLIST, [&](HWND dialog) {
        shown = ReadDirectoryList(dialog);
        PostKey(dialog, VK_ESCAPE);
    });
    EXPECT_NE(std::find_if(
                  shown.begin(), shown.end(),
                  [](const std::string& row) { return row.ends_with("|%SystemRoot%\\system32|OK|System"); }),
              shown.end());
    Click(IDC_ENVCHECK);
    EXPECT_FALSE(ViewMenuItemEnabled(ID_VIEW_DIRECTORYLIST)) << "My Path empty";
    Type(IDC_MYPATH, dir);
    UseDialog(ID_VIEW_DIRECTORYLIST, [&](HWND dialog) {
        shown = ReadDirectoryList(dialog);
        PostKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(shown,
              (Texts{"1|" + dir + "|OK|Typed", "1 entry; " + std::to_string(dir.size()) + " characters"}));
}

// Holds the check of a path ending in "hung" until released, as a share that does not answer.
class HangingProbe : public trawl::IDirectoryProbe {
public:
    ~HangingProbe() override { CloseHandle(release); }
    trawl::PathKind Probe(const std::string& path) override
    {
        if (!path.ends_with("hung"))
            return system.Probe(path);
        ++held;
        WaitForSingleObject(release, 30000); // a dialog that waits for it fails the test, not the run
        ++answered;
        return trawl::PathKind::Directory;
    }
    const HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> held{0}, answered{0};
    Win32DirectoryProbe system;
};

// A check that does not answer holds neither the dialog nor the other checks; it shows
// "Checking…", then "Not answering", then what it found and its time; Esc needs no answer.
TEST_F(DialogCommands, DirectoryListFillsInWhileACheckHangsAndClosesAtOnce)
{
    FixtureDir files;
    const std::string dir = files.Directory("live", {}), list = "Z:\\hung;" + dir + ";Z:\\tmp\\trawl-no";
    auto probe = std::make_shared<HangingProbe>();
    Start();
    view->directoryChecks = {probe, {std::chrono::seconds(1), std::chrono::seconds(2)}};
    Click(IDC_ENVCHECK);
    Type(IDC_MYPATH, list);
    Texts opened, hung;
    std::string answered;
    UseDialog(ID_VIEW_DIRECTORYLIST, [&](HWND dialog) {
        const auto* table =
            dynamic_cast<CListCtrl*>(CWnd::FromHandlePermanent(GetDlgItem(dialog, IDC_DIRLIST_TABLE)));
        opened.push_back(table->GetItemText(0, 2));
        hung = ReadDirectoryList(dialog);
        SetEvent(probe->release);
        PumpUntil([&] { return (answered = table->GetItemText(0, 2)).starts_with("Slow ("); });
        PostKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(opened, Texts{"Checking\u2026"});
    EXPECT_EQ(hung, (Texts{"1|Z:\\hung|Not answering|Typed", "2|" + dir + "|OK|Typed",
                           "3|Z:\\tmp\\trawl-no|Missing|Typed",
                           "3 entries, 1 missing, 1 not answering; " + std::to_string(list.size()) +
                               " characters"}));
    ASSERT_TRUE(answered.starts_with("Slow (") && answered.ends_with(" s)")) << answered;
    EXPECT_GE(std::stod(answered.substr(6)), 2.0) << "timed from its start";

    ResetEvent(probe->release);
    HWND closed = nullptr;
    UseDialog(ID_VIEW_DIRECTORYLIST, [&](HWND dialog) {
        closed = dialog;
        EXPECT_TRUE(PumpUntil([&] { return probe->held == 2; }));
        PostKey(dialog, VK_ESCAPE);
    });
    EXPECT_FALSE(IsWindow(closed)) << "closed while its check is held";
    EXPECT_EQ(probe->held - probe->answered, 1);
    SetEvent(probe->release);
    EXPECT_TRUE(PumpUntil([&] { return probe->answered == 2; }));
    Pump();
}

} // namespace

namespace {

std::pair<DWORD, std::wstring> StoredUserValue(const wchar_t* name)
{
    DWORD type = REG_NONE, size = 0;
    RegGetValueW(HKEY_CURRENT_USER, L"Environment", name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size);
    std::wstring data(size / sizeof(wchar_t), L'\0');
    RegGetValueW(HKEY_CURRENT_USER, L"Environment", name, RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(),
                 &size);
    return {type, data};
}

void SelectOnly(HWND table, int row)
{
    ListView_SetItemState(table, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(table, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

} // namespace

// The editor end to end on a long user value: Del removes one entry and
// Save writes every other one back as it was, type and all; Undo puts the
// value back from the backup; a value past 32,767 is refused; closing with
// edits asks.
TEST_F(DialogCommands, DirectoryListSavesAnEditAndPutsItBack)
{
    FixtureDir files;
    const std::string kept = files.Directory("kept", {});
    const std::wstring keptWide(kept.begin(), kept.end());
    std::wstring value = L"%TRAWLED_ROOT%\\bin;\"" + keptWide + L"\";C:\\trailing space ;\"C:\\a;b\"";
    while (value.size() < 10000)
        value += L";" + keptWide + L"\\n" + std::to_wstring(value.size());
    // Row 2 (C:\remove me) goes; the rest stays as it is.
    const std::wstring original = L"%TRAWLED_ROOT%\\bin;C:\\remove me" + value.substr(18);
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Environment", L"TRAWLED", REG_EXPAND_SZ, original.c_str(),
                    static_cast<DWORD>((original.size() + 1) * sizeof(wchar_t)));
    SetEnvironmentVariableA("TRAWLED", "C:\\process");
    Start();
    ChooseVariable("TRAWLED");

    std::vector<std::string> saved, refused;
    std::pair<DWORD, std::wstring> afterSave, afterUndo;
    UseDialog(ID_VIEW_DIRECTORYLIST, [&](HWND dialog) {
        HWND table = GetDlgItem(dialog, IDC_DIRLIST_TABLE);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_DIRLIST_SAVE))) << "nothing to save yet";
        SelectOnly(table, 1);
        SendMessageA(table, WM_KEYDOWN, VK_DELETE, 0);
        boxes.Hold(false);
        boxes.answer = IDYES; // past 8,191 characters Save asks first
        Press(dialog, IDC_DIRLIST_SAVE);
        afterSave = StoredUserValue(L"TRAWLED");
        Press(dialog, IDC_DIRLIST_UNDO);
        afterUndo = StoredUserValue(L"TRAWLED");
        for (const MessageBoxCloser::Box& box : boxes.Take())
            saved.push_back(box.text.substr(0, box.text.find('\n')));

        // Past what a variable holds: refused, nothing written; closing asks, No drops the edit.
        ModalUser adder([](HWND add) {
            SetDlgItemTextW(add, IDC_ADD_TEXT, (L"C:\\" + std::wstring(23000, L'x')).c_str());
            PostKey(add, VK_RETURN);
        });
        Press(dialog, IDC_DIRLIST_ADD);
        Press(dialog, IDC_DIRLIST_SAVE);
        boxes.answer = IDNO;
        Press(dialog, IDOK);
        for (const MessageBoxCloser::Box& box : boxes.Take())
            refused.push_back(box.text);
        boxes.Hold(true);
    });
    const std::pair<DWORD, std::wstring> last = StoredUserValue(L"TRAWLED");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Environment", L"TRAWLED");
    SetEnvironmentVariableA("TRAWLED", nullptr);

    EXPECT_EQ(afterSave.first, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_TRUE(afterSave.second == value + L'\0') << "every other entry byte for byte";
    EXPECT_EQ(afterUndo.first, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_TRUE(afterUndo.second == original + L'\0') << "the backup puts it back";
    EXPECT_EQ(saved,
              (Texts{"The User value will be " + trawl::GroupedNumber(value.size() + 8) +
                         " characters long: the command interpreter cannot take more than 8,191, and "
                         "the system's own editor cannot open it.",
                     "TRAWLED is saved. Programs started from now on get the new list; windows already "
                     "open keep their old value.",
                     "Put back TRAWLED as it was before Trawl's last save of it?",
                     "TRAWLED is as it was before the save. Programs started from now on get it; windows "
                     "already open keep their value."}));
    ASSERT_EQ(refused.size(), 2u);
    EXPECT_EQ(refused[0].substr(0, 35), "The User value of TRAWLED would be ");
    EXPECT_NE(refused[0].find("at most 32,767. Nothing was saved."), std::string::npos) << refused[0];
    EXPECT_EQ(refused[1], "Save the edits of TRAWLED?");
    EXPECT_TRUE(last.second == original + L'\0') << "refused and declined: nothing written";
}

// Try in Search lists what the edited list finds, says so in the title, and
// the edits stay pending: exit asks about them, the Directory List reopens with them.
TEST_F(DialogCommands, TryInSearchSearchesTheEditedListAndExitAsksAboutIt)
{
    FixtureDir files;
    const std::string one = files.Directory("one", {"t.txt"}), two = files.Directory("two", {"t.txt"});
    RegSetKeyValueA(HKEY_CURRENT_USER, "Environment", "TRAWLTRY", REG_SZ, one.c_str(),
                    static_cast<DWORD>(one.size() + 1));
    SetEnvironmentVariableA("TRAWLTRY", one.c_str());
    Start();
    ChooseVariable("TRAWLTRY");
    Type(IDC_FILENAME, "t.txt");
    UseDialog(ID_VIEW_DIRECTORYLIST, [&](HWND dialog) {
        ModalUser adder([&](HWND add) {
            SetDlgItemTextA(add, IDC_ADD_TEXT, two.c_str());
            PostKey(add, VK_RETURN);
        });
        Press(dialog, IDC_DIRLIST_ADD);
        Press(dialog, IDC_DIRLIST_TRY);
    });
    EXPECT_EQ(Rows(), (Texts{one + "\\t.txt", two + "\\t.txt"}));
    EXPECT_EQ(Caption().substr(0, 35), "TRAWLTRY (edited list, not saved) -");

    boxes.answer = IDCANCEL;
    SendMessageA(frameWindow, WM_CLOSE, 0, 0);
    std::vector<MessageBoxCloser::Box> asked = boxes.Take();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, "Save the edits of TRAWLTRY?");
    EXPECT_TRUE(IsWindow(frameWindow)) << "Cancel keeps Trawl open";
    Texts shown;
    UseDialog(ID_VIEW_DIRECTORYLIST, [&](HWND dialog) {
        shown = ReadDirectoryList(dialog);
        boxes.Hold(false);
        boxes.answer = IDNO;
        Press(dialog, IDOK);
        boxes.Hold(true);
    });
    RegDeleteKeyValueA(HKEY_CURRENT_USER, "Environment", "TRAWLTRY");
    SetEnvironmentVariableA("TRAWLTRY", nullptr);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[1], "2|" + two + "|OK|User") << "reopened with the edit";
    EXPECT_EQ(boxes.Take().size(), 1u) << "closing with it asked again";
}
