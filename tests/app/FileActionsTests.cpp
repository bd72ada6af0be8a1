#include "TrawlSession.h"

#include "framework/Resources.h"
#include "res/resource.h"
#include "support/FixtureFiles.h"
#include "ui/FileAttribDlg.h"

#include <shellapi.h>

#include <cstdio>
#include <ctime>
#include <map>

namespace {

using Texts = std::vector<std::string>;

// Stands in for the shell: keeps each call as "verb|file|parameters|directory|show" and each beep.
class ShellRecorder : public IShell {
public:
    INT_PTR Execute(HWND owner, const char* verb, const char* file, const char* parameters,
                    const char* directory, int show) override
    {
        std::string call = owner == form ? "" : "not owned by the form|";
        for (const char* text : {verb, file, parameters, directory})
            call += (text != nullptr ? text : "(null)") + std::string("|");
        calls.push_back(call + std::to_string(show));
        return result;
    }
    void Beep(UINT type) override { beeps.push_back(type); }

    HWND form = nullptr;
    Texts calls;
    std::vector<UINT> beeps;
    INT_PTR result = 42;
};

class FileActions : public TrawlSession {
protected:
    void SetUp() override
    {
        Start();
        view->fileActions.shell = &shell;
        shell.form = form;
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
        const UINT state = row == -1 ? 0 : LVIS_FOCUSED | LVIS_SELECTED;
        view->resultList.SetItemState(row, state, LVIS_FOCUSED | LVIS_SELECTED);
        Pump();
    }
    int RowOf(const std::string& path) const
    {
        const Texts rows = Rows();
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
    // The message boxes shown since the last look, each as "caption|text|style".
    Texts BoxesShown()
    {
        Texts shown;
        for (const MessageBoxCloser::Box& box : boxes.Take()) {
            RECT work{};
            SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
            EXPECT_TRUE(box.place.left >= work.left && box.place.right <= work.right) << "off the screen";
            char style[16] = {};
            std::snprintf(style, sizeof style, "|%#x", box.style);
            shown.push_back(box.caption + "|" + box.text + style);
        }
        return shown;
    }
    // Delete chosen on the row, the question answered so; the boxes shown.
    Texts DeleteRow(int row, int answer, std::function<void()> meanwhile = {})
    {
        ChooseRow(row);
        EXPECT_TRUE(PopupEnabled(ID_POPUP_DELETE));
        boxes.answer = answer;
        boxes.beforeAnswer = std::move(meanwhile);
        Choose(ID_POPUP_DELETE);
        boxes.beforeAnswer = nullptr;
        boxes.answer = IDOK;
        return BoxesShown();
    }
    HWND AttribWindow() const
    {
        return view->fileActions.AttribWnd() ? view->fileActions.AttribWnd()->GetSafeHwnd() : nullptr;
    }
    // The open window's name, size, three times and ticked boxes ("RAHS").
    Texts Attrib() const
    {
        const HWND window = AttribWindow();
        EXPECT_NE(window, nullptr);
        Texts shown;
        for (int id :
             {IDC_ATTR_NAME, IDC_ATTR_SIZE, IDC_ATTR_CREATED, IDC_ATTR_MODIFIED, IDC_ATTR_ACCESSED}) {
            char text[512] = {};
            GetDlgItemTextA(window, id, text, sizeof text);
            shown.push_back(text);
        }
        const int flags[] = {IDC_ATTR_READONLY, IDC_ATTR_ARCHIVE, IDC_ATTR_HIDDEN, IDC_ATTR_SYSTEM};
        shown.emplace_back();
        for (int i = 0; i < 4; ++i)
            if (IsDlgButtonChecked(window, flags[i]) == BST_CHECKED)
                shown.back() += "RAHS"[i];
        return shown;
    }
    // A file of that size, whole however long the path; modified then when given.
    static std::string MakeFile(const std::string& path, LONGLONG size = 0, time_t modified = 0)
    {
        const std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());
        HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
        LARGE_INTEGER end{};
        end.QuadPart = size;
        SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
        if (modified != 0) {
            const ULONGLONG ticks = static_cast<ULONGLONG>(modified) * 10000000ULL + 116444736000000000ULL;
            const FILETIME stamp{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
            SetFileTime(file, nullptr, nullptr, &stamp);
        }
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
    // The last two while the question is up; heldForDeletion: removal reported done, the file stays open.
    enum Twist { none, readOnly, heldOpen, heldForDeletion, fileGone, directoryGone };
    const std::string stillThere = LoadResString(IDS_DELETE_STILL_THERE).substr(strlen("File: %s\n"));
    const struct Case {
        Twist twist;
        int answer;
        const char* failure; // the error box's second line; null: removed, "": kept without a word
    } cases[] = {
        {none, IDYES, nullptr},
        {none, IDNO, ""},
        {none, MessageBoxCloser::pressEnter, ""},
        {readOnly, IDYES, "Error: Access denied!"},
        {heldOpen, IDYES, "Error: Sharing violation on the file!"},
        {heldForDeletion, IDYES, stillThere.c_str()},
        {fileGone, IDYES, "Error: File not found !"},
        {directoryGone, IDYES, "Error: Bad path specified !"},
    };
    int number = 0;
    for (const auto& [twist, answer, failure] : cases) {
        const std::string dir = files.Directory("del" + std::to_string(++number), {"keep.txt", "target.txt"});
        const std::string path = dir + "\\target.txt", keep = dir + "\\keep.txt";
        SCOPED_TRACE(path);
        if (twist == readOnly)
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        const DWORD sharing = twist == heldOpen ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_DELETE;
        HANDLE held = twist == heldOpen || twist == heldForDeletion
                          ? CreateFileA(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr)
                          : INVALID_HANDLE_VALUE;
        const auto meanwhile = [&] {
            if (twist == fileGone)
                DeleteFileA(path.c_str());
            if (twist == directoryGone)
                RemoveTree(dir);
        };
        List(dir, "*.txt");
        const LPARAM keptData = view->resultList.GetItemData(RowOf(keep));
        const bool removed = failure == nullptr;
        Texts expected{"Delete File|Do you really want to DELETE file :\n" + path + " ?|0x124"};
        if (!removed && *failure != '\0')
            expected.push_back("Delete File|File: " + path + "\n" + failure + "|0x10");
        EXPECT_EQ(DeleteRow(RowOf(path), answer, meanwhile), expected);
        EXPECT_EQ(Exists(path), !removed && twist < fileGone);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        EXPECT_EQ(RowOf(path) == -1, removed);
        EXPECT_EQ(Pane(1), removed ? "Found 1" : "Found 2");
        EXPECT_EQ(view->resultList.GetItemData(RowOf(keep)), keptData);
    }
    List(files.Directory("last", {"only.txt"}), "*.txt");
    EXPECT_EQ(DeleteRow(0, IDYES).size(), 1u);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Pane(1), "Empty");

    // Offered only for an existing file that has no attribute bits or the archive bit.
    const std::string dir = files.Directory("enable", {"a.txt"}), a = dir + "\\a.txt";
    List(dir, "*.txt");
    ChooseRow(-1);
    EXPECT_FALSE(PopupEnabled(ID_POPUP_DELETE)) << "no current row";
    ChooseRow(0);
    DeleteFileA(a.c_str());
    EXPECT_FALSE(PopupEnabled(ID_POPUP_DELETE)) << "the file gone";
    CreateDirectoryA(a.c_str(), nullptr);
    EXPECT_FALSE(PopupEnabled(ID_POPUP_DELETE)) << "a directory there now";

    // The fruitless search's row is a message, even with a file of that name where a relative path leads.
    const std::string noFiles = LoadResString(IDS_NO_FILES);
    CloseHandle(CreateFileA(noFiles.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(Exists(noFiles));
    List(dir, "*.none");
    ChooseRow(0);
    EXPECT_FALSE(PopupEnabled(ID_POPUP_DELETE));
    for (UINT command : {ID_POPUP_OPEN, ID_POPUP_NOTEPAD, ID_POPUP_DELETE})
        Choose(command);
    DoubleClick();
    EXPECT_EQ(Attrib(), Texts(6));
    DeleteFileA(noFiles.c_str());
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_TRUE(BoxesShown().empty());
}

// A listed path longer than 259 characters whose first 259 name another file.
TEST_F(FileActions, ActionsUseTheWholeListedPathNeverACutOne)
{
    const std::string base = files.Directory("cut", {});
    const std::string dir = files.Directory("cut\\" + std::string(259 - 12 - base.size(), 'd'), {});
    const std::string cut = MakeFile(dir + "\\report.txt");
    ASSERT_EQ(cut.size(), 259u);
    const std::string whole = MakeFile(cut + ".bak-2019-11-04-before-the-move", 1024);
    List(dir, "report*");
    ChooseRow(RowOf(whole));

    // The shell takes no path this long: it gets the short one, which reaches the same file.
    Choose(ID_POPUP_OPEN);
    Choose(ID_POPUP_NOTEPAD);
    ASSERT_EQ(shell.calls.size(), 2u);
    const std::string shortPath = shell.calls[0].substr(5, shell.calls[0].find('|', 5) - 5);
    EXPECT_LT(shortPath.size(), size_t{MAX_PATH});
    WIN32_FILE_ATTRIBUTE_DATA data{};
    EXPECT_TRUE(GetFileAttributesExA(shortPath.c_str(), GetFileExInfoStandard, &data) &&
                data.nFileSizeLow == 1024);
    EXPECT_EQ(shell.calls[1], "(null)|notepad|" + whole + "||1");
    DoubleClick();
    const Texts shown = Attrib();
    EXPECT_EQ(shown[0] + "|" + shown[1], "report.txt.bak-2019-11-04-before-the-move|1024 Bytes");

    // The question shows the whole path on lines that fit the screen.
    const Texts asked = DeleteRow(RowOf(whole), IDYES);
    ASSERT_EQ(asked.size(), 1u);
    std::string question = asked[0];
    std::erase(question, '\n');
    EXPECT_NE(question.find(whole), std::string::npos);
    EXPECT_FALSE(Exists(whole));
    EXPECT_TRUE(Exists(cut));
    EXPECT_EQ(Rows(), Texts{cut});
}

// Names that path normalisation turns into others ("foo." into "foo", "nul.txt" into the device),
// each listed beside the namesake it would reach: every action reaches the listed file only.
TEST_F(FileActions, HostileNamesReachTheListedFileAndNoOther)
{
    const struct {
        std::string name, namesake; // the namesake is 7 bytes, the listed file 2
        bool launched;              // else refused: no path a program normalising it would take
    } cases[] = {
        {"foo.", "foo", true}, // through its short name
        {"bar ", "bar", true}, {"a..", "a", true},   {" lead", "lead", true}, {"nul.txt", "nul", false},
        {"CON", "", false},    {"aux.c", "", false}, {"com1", "", false},
    };
    const std::string dir = files.Directory("hostile", {});
    // The long-path form reaches a name as it is, without normalising it.
    const auto exact = [&](const std::string& name) { return "\\\\?\\" + dir + "\\" + name; };
    for (const auto& c : cases) {
        MakeFile(dir + "\\" + c.name, 2);
        if (!c.namesake.empty())
            MakeFile(dir + "\\" + c.namesake, 7);
    }
    const auto sizeOf = [](const std::string& path) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? int(data.nFileSizeLow) : -1;
    };
    // The device form is normalised as a plain path is: "foo." would reach "foo".
    const std::string device = "\\\\.\\" + dir;
    List(device, "foo*");
    ChooseRow(RowOf(device + "\\foo."));
    DoubleClick();
    EXPECT_EQ(Attrib()[0] + "|" + Attrib()[1], "foo.|2 Bytes");
    List(dir, "*");
    ChooseRow(0);
    for (const auto& c : cases) {
        SCOPED_TRACE("'" + c.name + "'");
        const int row = RowOf(dir + "\\" + c.name);
        ASSERT_NE(row, -1);
        ChooseRow(row);
        const Texts shown = Attrib();
        EXPECT_EQ(shown[0] + "|" + shown[1], c.name + "|2 Bytes");
        shell.calls.clear();
        Choose(ID_POPUP_OPEN);
        if (c.launched) {
            ASSERT_EQ(shell.calls.size(), 1u);
            const std::string handed = shell.calls[0].substr(5, shell.calls[0].find('|', 5) - 5);
            EXPECT_EQ(sizeOf(handed), 2) << handed;
        } else {
            EXPECT_EQ(shell.calls, Texts{});
            EXPECT_EQ(BoxesShown(), Texts{"Open File|" + LoadResString(IDS_NAME_NOT_PASSED) + "|0x10"});
        }
        EXPECT_EQ(DeleteRow(row, IDYES).size(), 1u);
        EXPECT_EQ(sizeOf(exact(c.name)), -1);
        if (!c.namesake.empty()) {
            EXPECT_EQ(sizeOf(exact(c.namesake)), 7);
        }
    }

    // Made on the Unix side: a name holding a backslash beside the file that
    // name reaches, and symbolic links, which Wine reports as plain files.
    const char* unixNames = getenv("TRAWL_UNIX_NAMES");
    ASSERT_NE(unixNames, nullptr) << "run through ctest, which makes them";
    const std::string unixDir = unixNames, slashed = unixDir + "\\back\\slash.txt";
    // The name holding a backslash is no namesake of the slash.txt in back.
    List(unixDir + ";" + unixDir + "\\back", "*slash.txt");
    ASSERT_EQ(Rows(), (Texts{slashed, slashed}));
    EXPECT_EQ(view->resultList.GetShadowTip(0) + view->resultList.GetShadowTip(1), "");
    // Two files that one name and one short name stand for: told apart by no action.
    List(unixDir, "bad*");
    ASSERT_EQ(Rows().size(), 2u);
    for (int row : {0, 1}) {
        ChooseRow(row);
        EXPECT_EQ(Attrib(), Texts(6));
        EXPECT_EQ(DeleteRow(row, IDYES), Texts{"Delete File|" + LoadResString(IDS_NAME_AMBIGUOUS) + "|0x10"});
    }
    EXPECT_EQ(Rows().size(), 2u);
    List(unixDir, "*");
    ChooseRow(RowOf(slashed));
    EXPECT_EQ(Attrib()[0] + "|" + Attrib()[1], "back\\slash.txt|2 Bytes");
    EXPECT_EQ(DeleteRow(RowOf(slashed), IDYES).size(), 1u);
    EXPECT_EQ(RowOf(slashed), -1);
    EXPECT_EQ(sizeOf(slashed), 7) << "the other file, in the directory back";
    for (const char* link : {"link.txt", "outside.txt"}) {
        const std::string path = unixDir + "\\" + link;
        EXPECT_EQ(DeleteRow(RowOf(path), IDYES),
                  Texts{"Delete File|File: " + path +
                        LoadResString(IDS_DELETE_LINK).substr(strlen("File: %s")) + "|0x10"});
        EXPECT_NE(sizeOf(path), -1) << "the target kept";
    }
}

TEST_F(FileActions, OpenNotepadAndQuickViewHandTheRowToTheShell)
{
    const std::string dir = files.Directory("with blanks", {"my notes.txt"}), path = dir + "\\my notes.txt";
    const std::string windir = files.Directory("win", {});
    files.Directory("win\\system", {});
    const std::string viewer = files.Directory("win\\system\\viewers", {"quikview.exe"}) + "\\quikview.exe";
    char savedWindir[MAX_PATH] = {};
    GetEnvironmentVariableA("WINDIR", savedWindir, MAX_PATH);
    SetEnvironmentVariableA("WINDIR", windir.c_str());
    List(dir, "*.txt");

    // With no current row nothing starts, though QuickView stays enabled.
    for (int row : {-1, 0}) {
        ChooseRow(row);
        EXPECT_TRUE(PopupEnabled(ID_POPUP_QUICKVIEW));
        for (UINT command : {ID_POPUP_OPEN, ID_POPUP_NOTEPAD, ID_POPUP_QUICKVIEW})
            Choose(command);
    }
    EXPECT_EQ(shell.calls, (Texts{"open|" + path + "|(null)||1", "(null)|notepad|" + path + "||1",
                                  "(null)|" + viewer + "|" + path + "||1"})); // shown normally

    // Only Open reports a failure; 32 and above count as started.
    const std::tuple<INT_PTR, UINT, Texts> results[] = {
        {SE_ERR_NOASSOC, ID_POPUP_OPEN, {"Open File|No Association Found !|0"}},
        {SE_ERR_FNF, ID_POPUP_OPEN, {"Open File|Error Openning the file !|0"}},
        {0, ID_POPUP_OPEN, {"Open File|Error Openning the file !|0"}},
        {32, ID_POPUP_OPEN, {}},
        {SE_ERR_FNF, ID_POPUP_NOTEPAD, {}},
        {SE_ERR_FNF, ID_POPUP_QUICKVIEW, {}},
    };
    for (const auto& [result, command, shown] : results) {
        shell.result = result;
        Choose(command);
        EXPECT_EQ(BoxesShown(), shown) << result << " " << command;
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

TEST_F(FileActions, AttributesWindowFollowsTheCurrentRowAndCloses)
{
    const std::string dir = files.Directory("attr", {});
    const std::map<std::string, std::string> expected = {
        // the size shown (also the file's) and boxes
        {"kilo.bin", "1024 Bytes|A"}, {"empty.txt", "0 Bytes|A"}, {"huge.iso", "5368709120 Bytes|A"},
        {"locked.txt", "1 Bytes|RA"}, {".dotfile", "0 Bytes|AH"},
    };
    std::tm stamp{}; // 5 March 1999, 14:07 local time
    stamp.tm_year = 99, stamp.tm_mon = 2, stamp.tm_mday = 5, stamp.tm_hour = 14, stamp.tm_min = 7;
    stamp.tm_isdst = -1;
    for (const auto& [name, shown] : expected)
        MakeFile(dir + "\\" + name, std::stoll(shown), name == "kilo.bin" ? std::mktime(&stamp) : 0);
    SetFileAttributesA((dir + "\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    List(dir, "*");
    ASSERT_EQ(Rows().size(), expected.size());

    ChooseRow(-1);
    DoubleClick();
    EXPECT_EQ(AttribWindow(), nullptr) << "no current row";
    ChooseRow(0);
    DoubleClick();
    ASSERT_TRUE(IsWindowVisible(AttribWindow()));
    EXPECT_FALSE(PopupEnabled(ID_POPUP_ATTRIBUTES));
    DoubleClick();
    EXPECT_EQ(shell.beeps, (std::vector<UINT>{MB_ICONEXCLAMATION, MB_ICONEXCLAMATION}));

    // The arrow keys walk the rows; the window follows each one.
    SetFocus(Control(IDC_RESULTS));
    for (size_t row = 0; row < expected.size(); ++row) {
        if (row > 0)
            PressKey(VK_DOWN);
        const Texts shown = Attrib(); // name, size, created, modified, accessed, boxes
        ASSERT_EQ(dir + "\\" + shown[0], Rows()[row]);
        EXPECT_EQ(shown[1] + "|" + shown[5], expected.at(shown[0]));
        EXPECT_EQ(std::count(shown.begin(), shown.end(), ""), 0) << shown[0];
        EXPECT_TRUE(shown[0] != "kilo.bin" || shown[3] == "03/05/99  02:07PM") << shown[3];
    }

    // The boxes only show: a click puts each back at once. No current row: no change; the file gone: blank.
    const Texts before = Attrib();
    for (int box : {IDC_ATTR_READONLY, IDC_ATTR_ARCHIVE, IDC_ATTR_HIDDEN, IDC_ATTR_SYSTEM})
        SendDlgItemMessageA(AttribWindow(), box, BM_CLICK, 0, 0);
    EXPECT_EQ(Attrib(), before);
    ChooseRow(-1);
    EXPECT_EQ(Attrib(), before);
    RemoveTree(dir);
    ChooseRow(0);
    EXPECT_EQ(Attrib(), Texts(6));

    const std::string again = files.Directory("again", {"again.txt"});
    for (int blanker : {IDC_SEARCH, IDC_CLEAR}) {
        List(again, "*");
        ChooseRow(0);
        EXPECT_EQ(Attrib()[0], "again.txt");
        Click(blanker);
        EXPECT_EQ(Attrib(), Texts(6)) << blanker;
    }

    // Closed by OK, Enter or Esc alike; then opened again from the popup.
    List(again, "*");
    ChooseRow(0);
    for (WPARAM key : {0, VK_RETURN, VK_ESCAPE}) { // 0: a click on OK
        SCOPED_TRACE(key);
        if (AttribWindow() == nullptr)
            Choose(ID_POPUP_ATTRIBUTES);
        const HWND window = AttribWindow();
        ASSERT_NE(window, nullptr);
        key != 0 ? PostMessageA(window, WM_KEYDOWN, key, 1)
                 : PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
        Pump();
        EXPECT_EQ(view->fileActions.AttribWnd(), nullptr);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_TRUE(PopupEnabled(ID_POPUP_ATTRIBUTES));
    }

    // A window the system refuses to create never counts as open.
    HHOOK refuse = SetWindowsHookExA(
        WH_CBT,
        [](int code, WPARAM, LPARAM lParam) -> LRESULT {
            const char* name =
                code == HCBT_CREATEWND ? reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->lpszName : nullptr;
            return !IS_INTRESOURCE(name) && std::string(name) == "File Attributes";
        },
        nullptr, GetCurrentThreadId());
    DoubleClick();
    UnhookWindowsHookEx(refuse);
    EXPECT_EQ(view->fileActions.AttribWnd(), nullptr);
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
