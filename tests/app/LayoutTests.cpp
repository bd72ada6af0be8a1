#include "TrawlSession.h"

#include "support/ModalUser.h"

#include "core/StatusTexts.h"
#include "framework/Dpi.h"
#include "res/resource.h"
#include "ui/FileAttribDlg.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <sstream>
#include <string>

namespace {

// Set in the copy of this program that the high-DPI test starts: its DPI, and
// the shares of TextShares at 96 DPI.
constexpr char childDpiVariable[] = "TRAWL_TEST_DPI";
constexpr char sharesVariable[] = "TRAWL_TEST_TEXT_SHARES";

// Dialog units of the form in pixels, mapped one by one as the dialog manager places its controls.
RECT Pixels(HWND form, RECT r, int to = 1, int from = 1)
{
    MapDialogRect(form, &r);
    return {MulDiv(r.left, to, from), MulDiv(r.top, to, from), MulDiv(r.left + r.right, to, from),
            MulDiv(r.top + r.bottom, to, from)};
}

std::string Show(const RECT& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + " " + std::to_string(rect.right) +
           "," + std::to_string(rect.bottom);
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// Text as drawn, in the window's own font: the "&" of a mnemonic is not drawn.
SIZE TextExtent(HWND window, std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return extent;
}

// Each label, check box, button and edit of the window shows its whole text in
// its own font: the text as drawn (wrapped where the control wraps) lies
// within the room the control draws it in.
void ExpectEveryTextFits(HWND window, const char* name)
{
    const int dpi = DpiOfWindow(window);
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = {}, text[512] = {};
        GetClassNameA(child, className, sizeof className);
        GetWindowTextA(child, text, sizeof text);
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        RECT room{};
        GetClientRect(child, &room);
        UINT format = DT_CALCRECT | DT_SINGLELINE;
        HDC dc = GetDC(child);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(child, WM_GETFONT, 0, 0)));
        if (lstrcmpiA(className, "Edit") == 0) {
            SendMessageA(child, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
            format = DT_CALCRECT | DT_NOPREFIX |
                     ((style & ES_MULTILINE) ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE);
            if (text[0] == '\0')
                lstrcpyA(text, "Xy"); // what is typed there, as high as any
        } else if (lstrcmpiA(className, "Static") == 0 && (style & SS_TYPEMASK) <= SS_RIGHT) {
            format = DT_CALCRECT | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0) | DT_WORDBREAK;
        } else if (lstrcmpiA(className, "Static") == 0 && (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP) {
            format = DT_CALCRECT | DT_SINGLELINE;
        } else if (lstrcmpiA(className, "Button") == 0) {
            const LONG type = style & BS_TYPEMASK;
            if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX) {
                // The box glyph, and the gap of half a digit before the text.
                SIZE digit{};
                GetTextExtentPoint32A(dc, "0", 1, &digit);
                room.left += SystemMetricForDpi(SM_CXMENUCHECK, dpi) + digit.cx / 2;
            } else {
                InflateRect(&room, -2 * SystemMetricForDpi(SM_CXEDGE, dpi), 0); // the raised edges
            }
        } else {
            text[0] = '\0'; // lists and pictures: their rows are measured elsewhere
        }
        RECT drawn{0, 0, room.right - room.left, 0};
        if (text[0] != '\0')
            DrawTextA(dc, text, -1, &drawn, format);
        SelectObject(dc, old);
        ReleaseDC(child, dc);
        EXPECT_LE(drawn.right, room.right - room.left) << name << ": \"" << text << "\" at " << dpi << " DPI";
        EXPECT_LE(drawn.bottom, room.bottom - room.top)
            << name << ": \"" << text << "\" at " << dpi << " DPI";
    }
}

struct TemplateControl {
    int id;
    const char* className;
    const char* text; // null: not compared
    RECT units;       // left, top, width, height
    bool border;      // a plain or a sunken one
    DWORD mask;       // the style bits compared
    DWORD style;
};

constexpr DWORD shownTab = WS_VISIBLE | WS_TABSTOP;
constexpr DWORD editStyle = WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD comboStyle = shownTab | CBS_SORT | CBS_UPPERCASE;

// Template 101 in creation order, which is also the tab order.
// clang-format off
const TemplateControl form101[] = {
    {IDC_FILENAME, "Edit", "", {49, 13, 105, 14}, true, WS_VISIBLE | editStyle, WS_VISIBLE | editStyle},
    {IDC_ENVLIST, "ComboBox", nullptr, {49, 32, 97, 90}, false, comboStyle | 0x3, comboStyle | CBS_DROPDOWNLIST},
    {IDC_MYPATH, "Edit", "", {49, 31, 160, 14}, true, WS_VISIBLE | editStyle, editStyle},
    {IDC_ENVCHECK, "Button", "Envinronment", {157, 15, 55, 10}, false, shownTab | BS_TYPEMASK, shownTab | BS_AUTOCHECKBOX},
    {IDC_SEARCH, "Button", "&Search", {213, 13, 50, 14}, false, shownTab | BS_TYPEMASK, shownTab | BS_DEFPUSHBUTTON},
    {IDC_CLEAR, "Button", "C&lear", {213, 32, 50, 14}, false, shownTab | BS_TYPEMASK, shownTab | BS_PUSHBUTTON},
    {IDC_RESULTS, "SysListView32", nullptr, {7, 52, 256, 76}, true, shownTab | LVS_SINGLESEL | LVS_TYPEMASK,
     shownTab | LVS_SINGLESEL | LVS_REPORT},
    {0xFFFF, "Static", "File Name:", {7, 14, 34, 8}, false, WS_VISIBLE | SS_TYPEMASK, WS_VISIBLE | SS_LEFTNOWORDWRAP},
    {IDC_SOURCELABEL, "Static", "Environment:", {7, 33, 42, 8}, false, WS_VISIBLE | SS_TYPEMASK, WS_VISIBLE | SS_LEFT},
};
// clang-format on
constexpr RECT formSize{0, 0, 270, 137};

class LayoutChecks : public TrawlSession {
protected:
    // Each text of the form fits its control's height; for a label, check box
    // or button, the percent of the control's width that the text takes with
    // what the control draws beside it (box and gap, edges).
    std::vector<std::pair<int, int>> TextShares() const
    {
        const std::pair<int, int> decorations[] = {{0xFFFF, 0},      {IDC_SOURCELABEL, 0}, {IDC_ENVCHECK, 16},
                                                   {IDC_SEARCH, 4},  {IDC_CLEAR, 4},       {IDC_FILENAME, -1},
                                                   {IDC_ENVLIST, -1}};
        std::vector<std::pair<int, int>> shares;
        for (const auto& [id, decoration] : decorations) {
            RECT client{};
            GetClientRect(Control(id), &client);
            const SIZE extent = TextExtent(Control(id), decoration < 0 ? "Xy" : Text(id));
            EXPECT_LE(extent.cy, client.bottom) << id;
            if (decoration >= 0)
                shares.emplace_back(id, MulDiv(extent.cx + ScaleForDpi(decoration, DpiOfWindow(form)), 100,
                                               std::max<LONG>(client.right, 1)));
        }
        return shares;
    }

    // For the form's real client size, never below the first: the list's right and bottom margins
    // equal its left one, the buttons' right edges in line with it. Scaled by to/from after a DPI change;
    // a button scaled from where the rule had put it may round a pixel off, even back at the first DPI.
    void ExpectTheResizeRule(int to = 1, int from = 1, bool rescaled = false) const
    {
        const RECT client = view->GetClientRect();
        const RECT first = Pixels(form, formSize, to, from);
        const int width = std::max(client.right, first.right);
        const int height = std::max(client.bottom, first.bottom);
        const RECT list = Pixels(form, form101[6].units, to, from);
        const int margin = list.left;
        EXPECT_EQ(Show(PlaceOf(IDC_RESULTS)), Show({margin, list.top, width - margin, height - margin}));
        for (const TemplateControl& button : {form101[4], form101[5]}) {
            const RECT expected = Pixels(form, button.units, to, from);
            const RECT now = PlaceOf(button.id);
            EXPECT_EQ(now.right, width - margin) << button.text;
            EXPECT_EQ(now.top, expected.top) << button.text;
            EXPECT_NEAR(now.right - now.left, expected.right - expected.left, rescaled ? 1 : 0)
                << button.text;
        }
    }
};

TEST_F(LayoutChecks, AtStartTheTemplateStandsAsWrittenAndNoTextIsClipped)
{
    // Every optional column, so that every heading is measured.
    ForgetSettings();
    const DWORD on = 1;
    for (const char* name : {"FileSize", "FileDate", "FileAttrib"})
        RegSetKeyValueA(HKEY_CURRENT_USER, settingsKey, name, REG_DWORD, &on, sizeof on);
    Start();
    ForgetSettings();
    const int dpi = DpiOfWindow(form);
    EXPECT_EQ(dpi, std::getenv(childDpiVariable) ? std::atoi(std::getenv(childDpiVariable)) : dpi);
    EXPECT_EQ(GetWindowLongA(form, GWL_STYLE) & (WS_CHILD | WS_CAPTION | WS_BORDER), WS_CHILD);
    EXPECT_EQ(Show(view->GetClientRect()), Show(Pixels(form, formSize)));

    size_t i = 0;
    for (HWND child = GetWindow(form, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT), ++i) {
        ASSERT_LT(i, std::size(form101));
        const TemplateControl& c = form101[i];
        SCOPED_TRACE(c.id);
        EXPECT_EQ(LOWORD(GetDlgCtrlID(child)), c.id);
        char className[64] = {};
        GetClassNameA(child, className, sizeof className);
        EXPECT_EQ(lstrcmpiA(className, c.className), 0) << className;
        if (c.text != nullptr) {
            EXPECT_EQ(Text(c.id), c.text);
        }
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        EXPECT_EQ(style & c.mask, c.style);
        // Edits and lists draw a border the template asks for as a sunken edge.
        EXPECT_EQ((style & WS_BORDER) != 0 || (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0,
                  c.border);
        const RECT expected = Pixels(form, c.units);
        RECT place = PlaceOf(c.id);
        if (c.id == IDC_ENVLIST) {
            // The template's height is the dropped height; the list that
            // drops down has the vertical scroll bar.
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            ASSERT_TRUE(GetComboBoxInfo(child, &info));
            EXPECT_NE(GetWindowLongA(info.hwndList, GWL_STYLE) & WS_VSCROLL, 0);
            place.bottom = expected.bottom;
        }
        EXPECT_EQ(Show(place), Show(expected));
    }
    EXPECT_EQ(i, std::size(form101));

    // The texts fit as the template's font allows: at a higher DPI none takes
    // a larger share of its room than at 96 DPI.
    std::istringstream parent(std::getenv(sharesVariable) ? std::getenv(sharesVariable) : "");
    for (const auto& [id, share] : TextShares()) {
        int first = 0;
        if (parent >> first) {
            EXPECT_LE(share, std::max(first, 100) + 2) << Text(id) << " at " << dpi << " DPI";
        }
    }
    // Headings keep the header's own margins of three edges on either side.
    const HWND header = reinterpret_cast<HWND>(SendMessageA(Control(IDC_RESULTS), LVM_GETHEADER, 0, 0));
    const std::vector<std::string> headings = Headings();
    ASSERT_EQ(headings, (std::vector<std::string>{"Files", "Size", "Date Modify", "Attribute"}));
    for (int column = 0; column < 4; ++column)
        EXPECT_LE(TextExtent(header, headings[column]).cx + 6 * SystemMetricForDpi(SM_CXEDGE, dpi),
                  view->resultList.GetColumnWidth(column))
            << headings[column];
    // The found count, however large, and the key indicators.
    const HWND bar = frame->GetStatusBar()->GetSafeHwnd();
    for (int32_t count : {1, 32768, 9999999, 10000000}) {
        view->foundCount = count;
        Pump();
        ASSERT_EQ(Pane(1), trawl::FoundCountText(count));
        for (int pane = 1; pane < 5; ++pane) {
            RECT rect{};
            SendMessageA(bar, SB_GETRECT, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(&rect));
            EXPECT_LE(TextExtent(bar, Pane(pane)).cx + 2 * SystemMetricForDpi(SM_CXEDGE, dpi),
                      rect.right - rect.left)
                << Pane(pane);
        }
    }
}

TEST_F(LayoutChecks, ResizeRuleHoldsAcrossScrollBars)
{
    Start();
    const RECT start = WindowRect(frameWindow);
    struct Case {
        const char* name;
        int dx, dy;            // change from the first frame size
        bool maximise = false; // then maximised and restored
    };
    // One sequence, so that each change starts from the state the one before
    // left, on either side of the first size.
    // clang-format off
    const Case cases[] = {
        {"shrink below the first size", -100, -60}, {"grow past it", 120, 70},
        {"wide but short, from above", 200, -60}, {"shrink again", -100, -60},
        {"wide but short, from below", 200, -60}, {"narrow but tall", -100, 100, true},
        {"small", -100, -60, true}, {"large", 120, 70, true}, {"first size", 0, 0}};
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetWindowPos(frameWindow, nullptr, 0, 0, start.right - start.left + c.dx,
                     start.bottom - start.top + c.dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
        ExpectTheResizeRule();
        if (!c.maximise)
            continue;
        const RECT before = WindowRect(frameWindow);
        ShowWindow(frameWindow, SW_MAXIMIZE);
        Pump();
        EXPECT_NE(IsZoomed(frameWindow), FALSE);
        ExpectTheResizeRule();
        ShowWindow(frameWindow, SW_RESTORE);
        Pump();
        EXPECT_EQ(Show(WindowRect(frameWindow)), Show(before));
        ExpectTheResizeRule();
    }
}

TEST_F(LayoutChecks, FollowsTheWindowToAMonitorOfAnotherDpi)
{
    Start();
    const int dpi = DpiOfWindow(form);
    // The font the form asks for; a bitmap font answers with the nearest size it has.
    const auto fontHeight = [this] {
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Control(IDC_FILENAME), WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        return font.lfHeight;
    };
    const LONG firstHeight = fontHeight();
    for (int target : {dpi * 3 / 2, dpi}) {
        SCOPED_TRACE(target);
        RECT suggested = WindowRect(frameWindow);
        const int from = target == dpi ? dpi * 3 / 2 : dpi;
        suggested.right = suggested.left + MulDiv(suggested.right - suggested.left, target, from);
        suggested.bottom = suggested.top + MulDiv(suggested.bottom - suggested.top, target, from);
        SendMessageA(frameWindow, WM_DPICHANGED, MAKEWPARAM(target, target),
                     reinterpret_cast<LPARAM>(&suggested));
        Pump();
        EXPECT_EQ(Show(WindowRect(frameWindow)), Show(suggested));
        // Controls the resize rule leaves alone keep the template's place, scaled.
        for (const TemplateControl& c : {form101[0], form101[2], form101[3], form101[7], form101[8]}) {
            const RECT expected = Pixels(form, c.units, target, dpi);
            const RECT place = PlaceOf(c.id);
            for (auto side : {&RECT::left, &RECT::top, &RECT::right, &RECT::bottom})
                EXPECT_NEAR(place.*side, expected.*side, 1) << c.text << " " << Show(place);
        }
        EXPECT_NEAR(fontHeight(), MulDiv(firstHeight, target, dpi), 1);
        ExpectTheResizeRule(target, dpi, true);
    }
}

// The form, the two dialogs and the attributes window as the user opens each,
// the last on a file modified in the afternoon.
TEST_F(LayoutChecks, EveryTextFitsItsControl)
{
    FixtureDir files;
    const std::string dir = files.Directory("fit", {"fit.txt"});
    std::tm stamp{}; // 5 March 1999, 14:07 local time
    stamp.tm_year = 99, stamp.tm_mon = 2, stamp.tm_mday = 5, stamp.tm_hour = 14, stamp.tm_min = 7;
    stamp.tm_isdst = -1;
    const ULONGLONG ticks = static_cast<ULONGLONG>(std::mktime(&stamp)) * 10000000ULL + 116444736000000000ULL;
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    HANDLE file = CreateFileA((dir + "\\fit.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    SetFileTime(file, &time, &time, &time);
    CloseHandle(file);
    Start();
    const std::pair<const char*, UINT> windows[] = {{"search form", 0},
                                                    {"File Detail Options", ID_VIEW_DETAILOPTIONS},
                                                    {"About", ID_APP_ABOUT},
                                                    {"File Attributes", ID_POPUP_ATTRIBUTES}};
    for (const auto& [name, command] : windows) {
        if (command == 0) {
            ExpectEveryTextFits(form, name);
        } else if (command != ID_POPUP_ATTRIBUTES) {
            boxes.Hold(true);
            ModalUser user([name = name](HWND dialog) {
                ExpectEveryTextFits(dialog, name);
                PostKey(dialog, VK_ESCAPE);
            });
            SendMessageA(frameWindow, WM_COMMAND, command, 0);
            EXPECT_TRUE(user.Acted()) << name;
            boxes.Hold(false);
        } else {
            Click(IDC_ENVCHECK);
            Type(IDC_MYPATH, dir);
            Type(IDC_FILENAME, "*.txt");
            Click(IDC_SEARCH);
            view->resultList.SetItemState(0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
            SendMessageA(frameWindow, WM_COMMAND, command, 0);
            Pump();
            ASSERT_NE(view->fileActions.AttribWnd(), nullptr);
            const HWND window = view->fileActions.AttribWnd()->GetSafeHwnd();
            char shown[64] = {};
            GetDlgItemTextA(window, IDC_ATTR_MODIFIED, shown, sizeof shown);
            EXPECT_STREQ(shown, "03/05/99  02:07PM");
            ExpectEveryTextFits(window, name);
        }
        Pump();
    }
}

// The layout tests above once more, in a copy of this program started with
// the desktop at 144 DPI (150 %). The setting is the user's, in the Wine
// prefix's registry, and is put back afterwards.
TEST_F(LayoutChecks, PassAgainAt144Dpi)
{
    if (std::getenv(childDpiVariable) != nullptr)
        GTEST_SKIP() << "this is the copy started at high DPI";
    Start();
    std::string shares;
    for (const auto& entry : TextShares())
        shares += std::to_string(entry.second) + " ";
    Stop();
    constexpr char desktop[] = "Control Panel\\Desktop";
    DWORD previous = 0, size = sizeof previous;
    const bool hadValue = RegGetValueA(HKEY_CURRENT_USER, desktop, "LogPixels", RRF_RT_REG_DWORD, nullptr,
                                       &previous, &size) == ERROR_SUCCESS;
    const DWORD highDpi = 144;
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels", REG_DWORD, &highDpi, sizeof highDpi),
              ERROR_SUCCESS);
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, sizeof program);
    std::string command = std::string("\"") + program + "\" --gtest_filter=LayoutChecks.*";
    SetEnvironmentVariableA(childDpiVariable, "144");
    SetEnvironmentVariableA(sharesVariable, shares.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process);
    SetEnvironmentVariableA(childDpiVariable, nullptr);
    SetEnvironmentVariableA(sharesVariable, nullptr);
    DWORD exitCode = 1;
    if (started) {
        WaitForSingleObject(process.hProcess, 180000);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (hadValue)
        RegSetKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels", REG_DWORD, &previous, sizeof previous);
    else
        RegDeleteKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels");
    ASSERT_TRUE(started) << command;
    EXPECT_EQ(exitCode, 0u) << "the layout checks failed at 144 DPI (their output is above)";
}

} // namespace
