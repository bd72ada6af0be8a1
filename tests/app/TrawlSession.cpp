#include "TrawlSession.h"

#include "support/FixtureFiles.h"

#include "res/resource.h"

#include <algorithm>
#include <chrono>

namespace {

std::string WindowText(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void SetControlKey(bool down)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

// The icon control of the system's message box.
constexpr int messageBoxIcon = 0x0440;

UINT StyleOf(HWND box)
{
    UINT style = 0;
    const bool yesNo = GetDlgItem(box, IDYES) != nullptr && GetDlgItem(box, IDNO) != nullptr;
    if (yesNo)
        style |= MB_YESNO;
    if (yesNo && (GetWindowLongA(GetDlgItem(box, IDNO), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        style |= MB_DEFBUTTON2;
    const HWND iconControl = GetDlgItem(box, messageBoxIcon);
    const auto icon = reinterpret_cast<HICON>(SendMessageA(iconControl, STM_GETICON, 0, 0));
    if (icon != nullptr && IsWindowVisible(iconControl)) {
        const std::pair<LPCSTR, UINT> icons[] = {
            {IDI_HAND, MB_ICONSTOP},
            {IDI_QUESTION, MB_ICONQUESTION},
            {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
            {IDI_ASTERISK, MB_ICONINFORMATION},
        };
        for (const auto& [name, flag] : icons)
            if (LoadIconA(nullptr, name) == icon)
                style |= flag;
    }
    return style;
}

// The icon a message box shows, from whichever static control holds one.
HICON BoxIcon(HWND box)
{
    HICON icon = nullptr;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM found) -> BOOL {
            if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
                return TRUE;
            *reinterpret_cast<HICON*>(found) =
                reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&icon));
    return icon;
}

} // namespace

MessageBoxCloser::MessageBoxCloser() : watcher([this] { Watch(); }) {}

MessageBoxCloser::~MessageBoxCloser()
{
    stop = true;
    watcher.join();
}

std::vector<MessageBoxCloser::Box> MessageBoxCloser::Take()
{
    std::lock_guard lock(mutex);
    return std::exchange(boxes, {});
}

void MessageBoxCloser::Watch()
{
    while (!stop) {
        if (held) {
            Sleep(10);
            continue;
        }
        EnumWindows(
            [](HWND window, LPARAM self) -> BOOL {
                auto& closer = *reinterpret_cast<MessageBoxCloser*>(self);
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                char className[16] = {};
                GetClassNameA(window, className, sizeof className);
                // The program's own dialogs are not message boxes: those have the icon control.
                if (process != GetCurrentProcessId() || std::string(className) != "#32770" ||
                    !IsWindowVisible(window) || GetDlgItem(window, messageBoxIcon) == nullptr)
                    return TRUE;
                {
                    std::lock_guard lock(closer.mutex);
                    if (std::find(closer.closed.begin(), closer.closed.end(), window) != closer.closed.end())
                        return TRUE;
                    closer.closed.push_back(window);
                }
                // Reading the texts waits for the box's thread: not under the lock.
                Box box{WindowText(window), WindowText(GetDlgItem(window, 0xFFFF)), StyleOf(window),
                        BoxIcon(window)};
                GetWindowRect(window, &box.place);
                {
                    std::lock_guard lock(closer.mutex);
                    closer.boxes.push_back(std::move(box));
                }
                if (closer.beforeAnswer)
                    closer.beforeAnswer();
                const int answer = closer.answer;
                if (answer == pressEnter) {
                    PostMessageA(window, WM_KEYDOWN, VK_RETURN, 1);
                    return TRUE;
                }
                const int button = GetDlgItem(window, answer) != nullptr ? answer : IDOK;
                PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(window, button)));
                return TRUE;
            },
            reinterpret_cast<LPARAM>(this));
        Sleep(10);
    }
}

// Wine numbers processes per server, so tests under another prefix may share the id: the start time too.
FixtureDir::FixtureDir()
    : root("Z:\\tmp\\trawl-app-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount64()))
{
    CreateDirectoryA(root.c_str(), nullptr);
}

FixtureDir::~FixtureDir()
{
    RemoveTree(root);
}

std::string FixtureDir::Directory(const std::string& name, const std::vector<std::string>& files)
{
    const std::string path = root + "\\" + name;
    CreateDirectoryA(path.c_str(), nullptr);
    for (const std::string& file : files) {
        HANDLE handle = CreateFileA((path + "\\" + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(handle, INVALID_HANDLE_VALUE) << path << "\\" << file;
        CloseHandle(handle);
    }
    return path;
}

CTrawlApp& TrawlSession::App()
{
    // One application object per process, named once, as the entry code does.
    static CTrawlApp app;
    static const bool named = (app.InitApplication(), true);
    (void)named;
    return app;
}

void TrawlSession::Start()
{
    SetControlKey(false);
    CTrawlApp& app = App();
    ASSERT_TRUE(app.InitInstance());
    frame = dynamic_cast<CMainFrame*>(app.mainWnd);
    ASSERT_NE(frame, nullptr);
    view = dynamic_cast<CTrawlView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    frameWindow = frame->GetSafeHwnd();
    form = view->GetSafeHwnd();
    ASSERT_TRUE(Pump());
}

void TrawlSession::TearDown()
{
    Stop();
    for (const MessageBoxCloser::Box& box : boxes.Take())
        ADD_FAILURE() << "unexpected message box \"" << box.caption << "\": " << box.text;
}

void TrawlSession::Stop()
{
    SetControlKey(false);
    CTrawlApp& app = App();
    view = nullptr; // goes with the frame
    if (app.mainWnd != nullptr)
        app.mainWnd->DestroyWindow();
    // The quit message the frame posts ends this run of the program.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (frameWindow != nullptr && !quitSeen && Pump()) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "no WM_QUIT after the frame was destroyed";
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    frame = nullptr;
    view = nullptr;
    frameWindow = form = nullptr;
    quitSeen = false;
}

bool TrawlSession::Pump()
{
    // A search runs on its own thread: tests read its rows once it has ended,
    // unless they hold a directory and watch the window meanwhile.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    do {
        if (!App().PumpPendingMessages()) {
            quitSeen = true;
            break;
        }
    } while (awaitSearch && view != nullptr && view->SearchRunning() &&
             std::chrono::steady_clock::now() < deadline &&
             MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT) != WAIT_FAILED);
    return !quitSeen;
}

void TrawlSession::ForgetSettings()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quillfen");
}

void TrawlSession::Type(int id, const std::string& text)
{
    SetWindowTextA(Control(id), text.c_str());
    Pump();
}

void TrawlSession::Click(int id)
{
    SendMessageA(Control(id), BM_CLICK, 0, 0);
    Pump();
}

void TrawlSession::ChooseVariable(int index)
{
    SendMessageA(Control(IDC_ENVLIST), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(form, WM_COMMAND, MAKEWPARAM(IDC_ENVLIST, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Control(IDC_ENVLIST)));
    Pump();
}

void TrawlSession::ChooseVariable(const std::string& name)
{
    const auto index = SendMessageA(Control(IDC_ENVLIST), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(name.c_str()));
    ASSERT_NE(index, CB_ERR) << name << " is not listed";
    ChooseVariable(static_cast<int>(index));
}

bool TrawlSession::PressKey(UINT key, bool control)
{
    SetControlKey(control);
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    const bool running = Pump();
    SetControlKey(false);
    return running;
}

std::string TrawlSession::PromptFor(int id)
{
    SetFocus(Control(id));
    EXPECT_EQ(GetFocus(), Control(id));
    Pump();
    return Pane(0);
}

std::string TrawlSession::Text(int id) const
{
    return WindowText(Control(id));
}

std::vector<std::string> TrawlSession::Rows() const
{
    std::vector<std::string> rows;
    for (int row = 0; row < view->resultList.GetItemCount(); ++row)
        rows.push_back(view->resultList.GetItemText(row, 0));
    return rows;
}

std::vector<std::string> TrawlSession::Headings() const
{
    std::vector<std::string> headings;
    for (int column = 0; column < view->resultList.GetColumnCount(); ++column)
        headings.push_back(view->resultList.GetColumnHeading(column));
    return headings;
}

std::vector<std::string> TrawlSession::Variables() const
{
    std::vector<std::string> names;
    const HWND list = Control(IDC_ENVLIST);
    const auto count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (WPARAM index = 0; index < static_cast<WPARAM>(count); ++index) {
        std::string name(static_cast<size_t>(SendMessageA(list, CB_GETLBTEXTLEN, index, 0)) + 1, '\0');
        SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(name.data()));
        names.push_back(name.c_str()); // the length may over-report
    }
    return names;
}

std::string TrawlSession::Pane(int index) const
{
    return frame->GetStatusBar()->GetPaneText(index);
}

std::string TrawlSession::Caption() const
{
    return WindowText(frameWindow);
}

bool TrawlSession::ViewMenuItemEnabled(UINT command)
{
    // What the frame does when the user opens the View menu.
    HMENU viewMenu = GetSubMenu(GetMenu(frameWindow), 1);
    SendMessageA(frameWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(viewMenu), MAKELPARAM(1, FALSE));
    return (GetMenuState(viewMenu, command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

RECT TrawlSession::PlaceOf(int id) const
{
    RECT rect{};
    GetWindowRect(Control(id), &rect);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rect), 2);
    const POINT scroll = view->GetScrollPosition();
    OffsetRect(&rect, scroll.x, scroll.y);
    return rect;
}
