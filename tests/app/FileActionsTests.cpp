#include "TrawlSession.h"

#include "res/resource.h"
#include "support/FixtureFiles.h"
#include "ui/FileAttribDlg.h"

#include <shellapi.h>

#include <ctime>
#include <map>
#include <optional>

namespace {

// Stands in for the shell: keeps every call and beep, starts nothing.
class ShellRecorder : public IShell {
public:
    struct Call {
        HWND owner;
        std::optional<std::string> verb, file, parameters, directory;
        int show;
        bool operator==(const Call&) const = default;
    };
    INT_PTR Execute(HWND owner, const char* verb, const char* file, const char* parameters,
                    const char* directory, int show) override
    {
        calls.push_back({owner, Text(verb), Text(file), Text(parameters), Text(directory), show});
        return result;
    }
    void Beep(UINT type) override { beeps.push_back(type); }

    static std::optional<std::string> Text(const char* text)
    {
        return text != nullptr ? std::optional<std::string>(text) : std::nullopt;
    }
    std::vector<Call> calls;
    std::vector<UINT> beeps;
    INT_PTR result = 42;
};

class FileActions : public TrawlSession {
protected:
    void SetUp() override
    {
        Start();
        view->shell = &shell;
    }

    // Lists the files that match pattern in directory, as a user searching My Path.
    void List(const std::string& directory, const std::string& pattern)
    {
        if (SendMessageA(Control(IDC_ENVCHECK), BM_GETCHECK, 0, 0) == BST_CHECKED)
            Click(IDC_ENVCHECK);
        Type(IDC_MYPATH, directory);
        Type(IDC_FILENAME, pattern);
        Click(IDC_SEARCH);
    }
    // The row becomes the current one, as a click on it makes it; -1 leaves none.
    void ChooseRow(int row)
    {
        if (row == -1)
            view->resultList.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        else
            view->resultList.SetItemState(row, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
        Pump();
    }
    int RowOf(const std::string& path) const
    {
        const std::vector<std::string> rows = Rows();
        const auto found = std::find(rows.begin(), rows.end(), path);
        return found != rows.end() ? static_cast<int>(found - rows.begin()) : -1;
    }
    // Whether the row popup shows the entry enabled when it opens.
    bool PopupEnabled(UINT command)
    {
        HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_RESULT_POPUP));
        HMENU popup = GetSubMenu(menu, 0);
        SendMessageA(frameWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
        const bool enabled = (GetMenuState(popup, command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
        DestroyMenu(menu);
        return enabled;
    }
    // The entry chosen from the popup (the frame routes it to the view).
    void Choose(UINT command)
    {
        SendMessageA(frameWindow, WM_COMMAND, command, 0);
        Pump();
    }
    void DoubleClick()
    {
        NMITEMACTIVATE activate{};
        activate.hdr = {Control(IDC_RESULTS), IDC_RESULTS, static_cast<UINT>(NM_DBLCLK)};
        activate.iItem = -1;
        SendMessageA(form, WM_NOTIFY, IDC_RESULTS, reinterpret_cast<LPARAM>(&activate));
        Pump();
    }
    // Delete chosen on the row, the question answered so; the boxes shown.
    std::vector<MessageBoxCloser::Box> DeleteRow(int row, int answer, std::function<void()> meanwhile = {})
    {
        ChooseRow(row);
        EXPECT_TRUE(PopupEnabled(ID_POPUP_DELETE));
        boxes.answer = answer;
        boxes.beforeAnswer = std::move(meanwhile);
        Choose(ID_POPUP_DELETE);
        boxes.beforeAnswer = nullptr;
        boxes.answer = IDOK;
        return boxes.Take();
    }
    HWND AttribWindow() const
    {
        return view->attribDlg != nullptr ? view->attribDlg->GetSafeHwnd() : nullptr;
    }
    std::string AttribText(int id) const
    {
        char text[512] = {};
        GetDlgItemTextA(AttribWindow(), id, text, sizeof text);
        return text;
    }
    std::string AttribBoxes() const
    {
        std::string boxes;
        for (auto [id, letter] : {std::pair{IDC_ATTR_READONLY, 'R'},
                                  {IDC_ATTR_ARCHIVE, 'A'},
                                  {IDC_ATTR_HIDDEN, 'H'},
                                  {IDC_ATTR_SYSTEM, 'S'}})
            if (IsDlgButtonChecked(AttribWindow(), id) == BST_CHECKED)
                boxes += letter;
        return boxes;
    }
    // All five texts and four boxes of the window, joined.
    std::string AttribShown() const
    {
        return AttribText(IDC_ATTR_NAME) + "|" + AttribText(IDC_ATTR_SIZE) + "|" +
               AttribText(IDC_ATTR_CREATED) + "|" + AttribText(IDC_ATTR_MODIFIED) + "|" +
               AttribText(IDC_ATTR_ACCESSED) + "|" + AttribBoxes();
    }
    static std::string MakeFile(const std::string& path, LONGLONG size = 0)
    {
        // Whole, however long the path.
        const std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());
        HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
        LARGE_INTEGER end{};
        end.QuadPart = size;
        SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
        CloseHandle(file);
        return path;
    }
    static bool Exists(const std::string& path)
    {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    ShellRecorder shell;
    FixtureDir files;
};

TEST_F(FileActions, DeleteAsksThenRemovesOnlyThatRowOrExplainsWhy)
{
    using Path = const std::string&;
    HANDLE held = INVALID_HANDLE_VALUE;
    const auto none = [](Path) {};
    const struct Case {
        const char* what;
        std::function<void(Path)> before, meanwhile; // before the popup opens; while the question is up
        int answer;
        const char* failure; // the error box's second line; null: removed, "": kept without a word
        bool onDisk;         // the file afterwards
    } cases[] = {
        {"plain file, Yes", none, none, IDYES, nullptr, false},
        {"plain file, No", none, none, IDNO, "", true},
        {"plain file, Enter", none, none, MessageBoxCloser::pressEnter, "", true},
        {"read-only", [](Path p) { SetFileAttributesA(p.c_str(), 1); }, none, IDYES, "Error: Access denied!",
         true},
        {"held open",
         [&](Path p) { held = CreateFileA(p.c_str(), GENERIC_READ, 1, nullptr, OPEN_EXISTING, 0, nullptr); },
         none, IDYES, "Error: Sharing violation on the file!", true},
        {"removed while asked", none, [](Path p) { DeleteFileA(p.c_str()); }, IDYES,
         "Error: File not found !", false},
        {"directory removed while asked", none, [](Path p) { RemoveTree(p.substr(0, p.rfind('\\'))); }, IDYES,
         "Error: Bad path specified !", false},
    };
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string dir = files.Directory("del" + std::to_string(++number), {"keep.txt", "target.txt"});
        const std::string path = dir + "\\target.txt", keep = dir + "\\keep.txt";
        c.before(path);
        List(dir, "*.txt");
        const LPARAM keptData = view->resultList.GetItemData(RowOf(keep));
        const auto shown = DeleteRow(RowOf(path), c.answer, [&] { c.meanwhile(path); });
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(std::exchange(held, INVALID_HANDLE_VALUE));

        const bool removed = c.failure == nullptr, failed = !removed && *c.failure != '\0';
        ASSERT_EQ(shown.size(), failed ? 2u : 1u);
        EXPECT_EQ(shown[0].caption + "|" + shown[0].text,
                  "Delete File|Do you really want to DELETE file :\n" + path + " ?");
        EXPECT_EQ(shown[0].style, 0x124u);
        if (failed) {
            EXPECT_EQ(shown[1].caption + "|" + shown[1].text, "Delete File|File: " + path + "\n" + c.failure);
            EXPECT_EQ(shown[1].style, 0x10u);
        }
        EXPECT_EQ(RowOf(path) == -1, removed);
        EXPECT_EQ(Pane(1), removed ? "Found 1" : "Found 2");
        EXPECT_EQ(view->resultList.GetItemData(RowOf(keep)), keptData);
        EXPECT_EQ(Exists(path), c.onDisk);
    }
    // The last row gone leaves "Empty".
    List(files.Directory("last", {"only.txt"}), "*.txt");
    EXPECT_EQ(DeleteRow(0, IDYES).size(), 1u);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Pane(1), "Empty");
}

TEST_F(FileActions, DeleteIsOfferedOnlyForAnExistingFileThatMayGo)
{
    const std::string dir = files.Directory("enable", {"a.txt", "b.txt"});
    List(dir, "*.txt");
    const std::string a = dir + "\\a.txt";
    const std::pair<const char*, std::function<bool()>> cases[] = {
        {"no current row", [&] { return ChooseRow(-1), PopupEnabled(ID_POPUP_DELETE); }},
        {"a plain file", [&] { return ChooseRow(RowOf(a)), PopupEnabled(ID_POPUP_DELETE); }},
        {"the file gone", [&] { return DeleteFileA(a.c_str()), PopupEnabled(ID_POPUP_DELETE); }},
        {"a directory there now (no archive bit)",
         [&] { return CreateDirectoryA(a.c_str(), nullptr), PopupEnabled(ID_POPUP_DELETE); }},
        {"the fruitless search's row",
         [&] { return List(dir, "*.none"), ChooseRow(0), PopupEnabled(ID_POPUP_DELETE); }},
    };
    const bool expected[] = {false, true, false, false, false};
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].second(), expected[i]) << cases[i].first;
    EXPECT_TRUE(boxes.Take().empty());
}

// A listed path longer than 259 characters whose first 259 name another file.
TEST_F(FileActions, ActionsUseTheWholeListedPathNeverACutOne)
{
    std::string dir = files.Directory("cut", {});
    while (dir.size() + 1 + 100 + 1 + std::string("report.txt").size() <= 259)
        dir = files.Directory(dir.substr(dir.find("cut")) + "\\" + std::string(100, 'd'), {});
    dir = files.Directory(dir.substr(dir.find("cut")) + "\\" + std::string(259 - dir.size() - 12, 'e'), {});
    const std::string cut = MakeFile(dir + "\\report.txt");
    ASSERT_EQ(cut.size(), 259u);
    const std::string whole = MakeFile(cut + ".bak-2019-11-04-before-the-move", 1024);
    List(dir, "report*");
    ASSERT_EQ(Rows().size(), 2u);
    ChooseRow(RowOf(whole));

    Choose(ID_POPUP_OPEN);
    Choose(ID_POPUP_NOTEPAD);
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[0].file, whole);
    EXPECT_EQ(shell.calls[1].parameters, whole);

    DoubleClick();
    EXPECT_EQ(AttribText(IDC_ATTR_NAME), "report.txt.bak-2019-11-04-before-the-move");
    EXPECT_EQ(AttribText(IDC_ATTR_SIZE), "1024 Bytes");

    EXPECT_EQ(DeleteRow(RowOf(whole), IDYES).size(), 1u);
    EXPECT_FALSE(Exists(whole));
    EXPECT_TRUE(Exists(cut));
    EXPECT_EQ(Rows(), std::vector<std::string>{cut});
}

TEST_F(FileActions, OpenNotepadAndQuickViewHandTheRowToTheShell)
{
    const std::string dir = files.Directory("with blanks", {"my notes.txt"});
    const std::string path = dir + "\\my notes.txt";
    const std::string windir = files.Directory("win", {});
    CreateDirectoryA((windir + "\\system").c_str(), nullptr);
    const std::string viewer = files.Directory("win\\system\\viewers", {"quikview.exe"}) + "\\quikview.exe";
    char savedWindir[MAX_PATH] = {};
    GetEnvironmentVariableA("WINDIR", savedWindir, MAX_PATH);
    SetEnvironmentVariableA("WINDIR", windir.c_str());
    List(dir, "*.txt");

    ChooseRow(-1);
    EXPECT_TRUE(PopupEnabled(ID_POPUP_QUICKVIEW)) << "with no current row too";
    for (UINT command : {ID_POPUP_OPEN, ID_POPUP_NOTEPAD, ID_POPUP_QUICKVIEW})
        Choose(command);
    EXPECT_TRUE(shell.calls.empty()) << "no current row, nothing started";

    ChooseRow(0);
    using Call = ShellRecorder::Call;
    const std::pair<UINT, Call> calls[] = {
        {ID_POPUP_OPEN, Call{form, "open", path, std::nullopt, "", SW_SHOWNORMAL}},
        {ID_POPUP_NOTEPAD, Call{form, std::nullopt, "notepad", path, "", SW_SHOWNORMAL}},
        {ID_POPUP_QUICKVIEW, Call{form, std::nullopt, viewer, path, "", SW_SHOWNORMAL}},
    };
    for (const auto& [command, call] : calls) {
        shell.calls.clear();
        Choose(command);
        EXPECT_EQ(shell.calls, std::vector<Call>{call}) << command;
    }

    // Only Open reports a failure; 32 and above count as started.
    const std::tuple<INT_PTR, UINT, const char*> results[] = {
        {SE_ERR_NOASSOC, ID_POPUP_OPEN, "No Association Found !"},
        {SE_ERR_FNF, ID_POPUP_OPEN, "Error Openning the file !"},
        {0, ID_POPUP_OPEN, "Error Openning the file !"},
        {32, ID_POPUP_OPEN, nullptr},
        {SE_ERR_FNF, ID_POPUP_NOTEPAD, nullptr},
        {SE_ERR_FNF, ID_POPUP_QUICKVIEW, nullptr},
    };
    for (const auto& [result, command, message] : results) {
        shell.result = result;
        Choose(command);
        const std::vector<MessageBoxCloser::Box> shown = boxes.Take();
        ASSERT_EQ(shown.size(), message != nullptr ? 1u : 0u) << result << " " << command;
        if (message != nullptr) {
            EXPECT_EQ(shown[0].caption, "Open File");
            EXPECT_EQ(shown[0].text, message);
            EXPECT_EQ(shown[0].style, 0u);
        }
    }

    DeleteFileA(viewer.c_str());
    EXPECT_FALSE(PopupEnabled(ID_POPUP_QUICKVIEW)) << "viewer missing";
    SetEnvironmentVariableA("WINDIR", nullptr);
    EXPECT_FALSE(PopupEnabled(ID_POPUP_QUICKVIEW)) << "WINDIR unset";
    shell.calls.clear();
    Choose(ID_POPUP_QUICKVIEW);
    EXPECT_TRUE(shell.calls.empty());
    SetEnvironmentVariableA("WINDIR", savedWindir);
}

time_t LocalTime(int year, int month, int day, int hour, int minute)
{
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

void SetModified(const std::string& path, time_t time)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const ULONGLONG ticks = static_cast<ULONGLONG>(time) * 10000000ULL + 116444736000000000ULL;
    FILETIME stamp{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SetFileTime(file, nullptr, nullptr, &stamp);
    CloseHandle(file);
}

TEST_F(FileActions, AttributesWindowFollowsTheCurrentRow)
{
    const std::string dir = files.Directory("attr", {});
    struct Shown {
        const char* size;
        const char* boxes;
    };
    const std::map<std::string, Shown> expected = {
        {"kilo.bin", {"1024 Bytes", "A"}},       {"empty.txt", {"0 Bytes", "A"}},
        {"huge.iso", {"5368709120 Bytes", "A"}}, {"locked.txt", {"1 Bytes", "RA"}},
        {".dotfile", {"0 Bytes", "AH"}},
    };
    MakeFile(dir + "\\kilo.bin", 1024);
    MakeFile(dir + "\\empty.txt");
    MakeFile(dir + "\\huge.iso", 5LL << 30);
    MakeFile(dir + "\\locked.txt", 1);
    MakeFile(dir + "\\.dotfile");
    SetModified(dir + "\\kilo.bin", LocalTime(1999, 3, 5, 14, 7));
    SetFileAttributesA((dir + "\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    List(dir, "*");
    ASSERT_EQ(Rows().size(), expected.size());

    ChooseRow(-1);
    DoubleClick();
    EXPECT_EQ(AttribWindow(), nullptr) << "no current row";
    ChooseRow(0);
    EXPECT_TRUE(PopupEnabled(ID_POPUP_ATTRIBUTES));
    DoubleClick();
    ASSERT_NE(AttribWindow(), nullptr);
    EXPECT_TRUE(IsWindowVisible(AttribWindow()));
    EXPECT_FALSE(PopupEnabled(ID_POPUP_ATTRIBUTES));
    DoubleClick();
    EXPECT_EQ(shell.beeps, (std::vector<UINT>{MB_ICONEXCLAMATION, MB_ICONEXCLAMATION}));

    // The arrow keys walk the rows; the window follows each one.
    SetFocus(Control(IDC_RESULTS));
    for (int row = 0; row < static_cast<int>(expected.size()); ++row) {
        if (row > 0)
            PressKey(VK_DOWN);
        const std::string path = Rows()[static_cast<size_t>(row)];
        const std::string name = path.substr(path.rfind('\\') + 1);
        SCOPED_TRACE(name);
        ASSERT_EQ(view->resultList.GetCurrentItem(), row);
        EXPECT_EQ(AttribText(IDC_ATTR_NAME), name);
        EXPECT_EQ(AttribText(IDC_ATTR_SIZE), expected.at(name).size);
        EXPECT_EQ(AttribBoxes(), expected.at(name).boxes);
        EXPECT_NE(AttribText(IDC_ATTR_CREATED), "");
        EXPECT_NE(AttribText(IDC_ATTR_ACCESSED), "");
        if (name == "kilo.bin") {
            EXPECT_EQ(AttribText(IDC_ATTR_MODIFIED), "03/05/99  02:07PM");
        }
    }

    // The boxes only show: a click puts the box back at once.
    const std::string before = AttribShown();
    for (int box : {IDC_ATTR_READONLY, IDC_ATTR_ARCHIVE, IDC_ATTR_HIDDEN, IDC_ATTR_SYSTEM})
        SendDlgItemMessageA(AttribWindow(), box, BM_CLICK, 0, 0);
    EXPECT_EQ(AttribShown(), before);
    // No current row, or a file gone: the window keeps what it shows.
    ChooseRow(-1);
    EXPECT_EQ(AttribShown(), before);
    RemoveTree(dir);
    ChooseRow(0);
    EXPECT_EQ(AttribShown(), before);

    for (int blanker : {IDC_SEARCH, IDC_CLEAR}) {
        List(files.Directory("attr2", {"again.txt"}), "*");
        ChooseRow(0);
        EXPECT_EQ(AttribText(IDC_ATTR_NAME), "again.txt");
        if (blanker == IDC_SEARCH)
            Click(IDC_SEARCH);
        else
            Click(IDC_CLEAR);
        EXPECT_EQ(AttribShown(), "|||||") << blanker;
        EXPECT_NE(AttribWindow(), nullptr);
    }
    EXPECT_TRUE(boxes.Take().empty());
}

TEST_F(FileActions, AttributesWindowClosesByOkEnterAndEsc)
{
    List(files.Directory("close", {"a.txt"}), "*");
    ChooseRow(0);
    const std::pair<const char*, std::function<void(HWND)>> ways[] = {
        {"OK", [](HWND w) { SendDlgItemMessageA(w, IDOK, BM_CLICK, 0, 0); }},
        {"Enter", [](HWND w) { PostMessageA(w, WM_KEYDOWN, VK_RETURN, 1); }},
        {"Esc", [](HWND w) { PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 1); }},
    };
    for (const auto& [way, close] : ways) {
        SCOPED_TRACE(way);
        Choose(ID_POPUP_ATTRIBUTES);
        const HWND window = AttribWindow();
        ASSERT_NE(window, nullptr);
        close(window);
        Pump();
        EXPECT_EQ(view->attribDlg, nullptr);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_TRUE(PopupEnabled(ID_POPUP_ATTRIBUTES));
    }

    // A window the system refuses to create never counts as open.
    HHOOK refuse = SetWindowsHookExA(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
            if (code == HCBT_CREATEWND && create->lpcs->lpszName != nullptr &&
                !IS_INTRESOURCE(create->lpcs->lpszName) &&
                std::string(create->lpcs->lpszName) == "File Attributes")
                return 1;
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    DoubleClick();
    UnhookWindowsHookEx(refuse);
    EXPECT_EQ(view->attribDlg, nullptr);
    EXPECT_TRUE(PopupEnabled(ID_POPUP_ATTRIBUTES));
    EXPECT_EQ(FindWindowA(nullptr, "File Attributes"), nullptr);

    // Still open when the program ends: the view takes it along.
    DoubleClick();
    const HWND window = AttribWindow();
    ASSERT_NE(window, nullptr);
    Stop();
    EXPECT_FALSE(IsWindow(window));
}

} // namespace
