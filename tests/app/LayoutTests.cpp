#include "TrawlSession.h"

#include "core/FormRules.h"
#include "framework/Dpi.h"
#include "res/resource.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

// Set in the copy of this program that the high-DPI test starts.
constexpr char childDpiVariable[] = "TRAWL_TEST_DPI";

struct Units {
    int x, y, width, height;
};

// Dialog units of the form in pixels, as the dialog manager maps them.
RECT Pixels(HWND form, Units units)
{
    // Mapped one by one, as the dialog manager places its controls.
    RECT rect{units.x, units.y, units.width, units.height};
    MapDialogRect(form, &rect);
    return {rect.left, rect.top, rect.left + rect.right, rect.top + rect.bottom};
}

RECT Scaled(RECT rect, int to, int from)
{
    return {MulDiv(rect.left, to, from), MulDiv(rect.top, to, from), MulDiv(rect.right, to, from),
            MulDiv(rect.bottom, to, from)};
}

std::string Show(const RECT& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + " " + std::to_string(rect.right) +
           "," + std::to_string(rect.bottom);
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
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

struct TemplateControl {
    int id;
    const char* className;
    const char* text; // null: not compared
    Units units;
    bool border; // a plain or a sunken one
    DWORD mask;  // the style bits compared
    DWORD style;
};

constexpr DWORD shownTab = WS_VISIBLE | WS_TABSTOP;
constexpr DWORD editStyle = WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD comboStyle = shownTab | CBS_SORT | CBS_UPPERCASE;

// Template 101 in creation order, which is also the tab order.
// clang-format off
const TemplateControl form101[] = {
    {IDC_FILENAME, "Edit", "", {47, 13, 107, 14}, true, WS_VISIBLE | editStyle, WS_VISIBLE | editStyle},
    {IDC_ENVLIST, "ComboBox", nullptr, {47, 32, 99, 90}, false, comboStyle | 0x3, comboStyle | CBS_DROPDOWNLIST},
    {IDC_MYPATH, "Edit", "", {47, 31, 162, 14}, true, WS_VISIBLE | editStyle, editStyle},
    {IDC_ENVCHECK, "Button", "Envinronment", {157, 15, 53, 10}, false, shownTab | BS_TYPEMASK, shownTab | BS_AUTOCHECKBOX},
    {IDC_SEARCH, "Button", "&Search", {213, 13, 50, 14}, false, shownTab | BS_TYPEMASK, shownTab | BS_DEFPUSHBUTTON},
    {IDC_CLEAR, "Button", "C&lear", {213, 32, 50, 14}, false, shownTab | BS_TYPEMASK, shownTab | BS_PUSHBUTTON},
    {IDC_RESULTS, "SysListView32", nullptr, {7, 52, 256, 76}, true, shownTab | LVS_SINGLESEL | LVS_TYPEMASK,
     shownTab | LVS_SINGLESEL | LVS_REPORT},
    {0xFFFF, "Static", "File Name:", {7, 14, 34, 8}, false, WS_VISIBLE | SS_TYPEMASK, WS_VISIBLE | SS_LEFTNOWORDWRAP},
    {IDC_SOURCELABEL, "Static", "Environment:", {7, 33, 40, 8}, false, WS_VISIBLE | SS_TYPEMASK, WS_VISIBLE | SS_LEFT},
};
// clang-format on
constexpr Units formSize{0, 0, 270, 137};

// Control id and percent of its room that its text takes, as "id:percent;...".
constexpr char sharesVariable[] = "TRAWL_TEST_TEXT_SHARES";

std::map<int, int> ParseShares(const char* text)
{
    std::map<int, int> shares;
    int id = 0;
    int share = 0;
    int used = 0;
    while (text != nullptr && std::sscanf(text, "%d:%d;%n", &id, &share, &used) == 2 && used > 0) {
        shares[id] = share;
        text += used;
    }
    return shares;
}

class LayoutChecks : public TrawlSession {
protected:
    // For each text of the form: the text, with what its control draws beside
    // it (a check box its box and gap, a button its edges), as a percent of
    // the control's width.
    std::map<int, int> TextShares() const
    {
        const int dpi = DpiOfWindow(form);
        const std::pair<int, int> decorations[] = {
            {0xFFFF, 0}, {IDC_SOURCELABEL, 0}, {IDC_ENVCHECK, 16}, {IDC_SEARCH, 4}, {IDC_CLEAR, 4}};
        std::map<int, int> shares;
        for (const auto& [id, decoration] : decorations) {
            const HWND control = GetDlgItem(form, id);
            RECT client{};
            GetClientRect(control, &client);
            const SIZE extent = TextExtent(control, TextOf(control));
            EXPECT_LE(extent.cy, client.bottom) << TextOf(control);
            shares[id] =
                MulDiv(extent.cx + ScaleForDpi(decoration, dpi), 100, std::max<LONG>(client.right, 1));
        }
        return shares;
    }

    // The children of the form in creation order.
    std::vector<HWND> Children() const
    {
        std::vector<HWND> children;
        for (HWND child = GetWindow(form, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            children.push_back(child);
        return children;
    }

    RECT PlaceOfWindow(HWND window) const
    {
        RECT rect{};
        GetWindowRect(window, &rect);
        MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rect), 2);
        const POINT scroll = view->GetScrollPosition();
        OffsetRect(&rect, scroll.x, scroll.y);
        return rect;
    }

    // The list and the buttons stand where the resize rule puts them for the
    // form's real client size: never laid out below the first size, the
    // list's right and bottom margins equal to its left one, the buttons'
    // right edges in line with the list's. Template pixels are scaled by
    // to/from after a DPI change.
    void ExpectTheResizeRule(int to = 1, int from = 1) const
    {
        const RECT client = view->GetClientRect();
        const RECT first = Scaled(Pixels(form, formSize), to, from);
        const RECT list = Scaled(Pixels(form, form101[6].units), to, from);
        const int width = std::max(client.right, first.right);
        const int height = std::max(client.bottom, first.bottom);
        const int margin = list.left;
        EXPECT_EQ(Show(PlaceOf(IDC_RESULTS)), Show({margin, list.top, width - margin, height - margin}));
        for (const TemplateControl& button : {form101[4], form101[5]}) {
            const RECT expected = Scaled(Pixels(form, button.units), to, from);
            const RECT now = PlaceOf(button.id);
            EXPECT_EQ(now.right, width - margin) << button.text;
            EXPECT_EQ(now.top, expected.top) << button.text;
            // Scaled from where the rule had put it, a button may round one pixel off.
            EXPECT_NEAR(now.right - now.left, expected.right - expected.left, to != from ? 1 : 0)
                << button.text;
        }
    }

    void SizeFrame(int width, int height)
    {
        SetWindowPos(frameWindow, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
    }

    void ExpectTheDpiOfThisRun()
    {
        if (const char* expected = std::getenv(childDpiVariable)) {
            EXPECT_EQ(DpiOfWindow(form), std::atoi(expected));
        }
    }
};

TEST_F(LayoutChecks, TemplateStandsAsWrittenAtStart)
{
    Start();
    ExpectTheDpiOfThisRun();
    const LONG formStyle = GetWindowLongA(form, GWL_STYLE);
    EXPECT_NE(formStyle & WS_CHILD, 0);
    EXPECT_EQ(formStyle & (WS_CAPTION | WS_BORDER), 0);
    const RECT client = view->GetClientRect();
    EXPECT_EQ(Show(client), Show(Pixels(form, formSize)));

    const std::vector<HWND> children = Children();
    ASSERT_EQ(children.size(), std::size(form101));
    for (size_t i = 0; i < children.size(); ++i) {
        const TemplateControl& c = form101[i];
        const HWND child = children[i];
        SCOPED_TRACE(c.id);
        EXPECT_EQ(LOWORD(GetDlgCtrlID(child)), c.id);
        EXPECT_EQ(lstrcmpiA(ClassOf(child).c_str(), c.className), 0) << ClassOf(child);
        if (c.text != nullptr) {
            EXPECT_EQ(TextOf(child), c.text);
        }
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        EXPECT_EQ(style & c.mask, c.style);
        // Edits and lists draw a border the template asks for as a sunken edge.
        const bool border =
            (style & WS_BORDER) != 0 || (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
        EXPECT_EQ(border, c.border);
        const RECT expected = Pixels(form, c.units);
        RECT place = PlaceOfWindow(child);
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
}

TEST_F(LayoutChecks, ResizeRuleHoldsAcrossScrollBars)
{
    Start();
    RECT start{};
    GetWindowRect(frameWindow, &start);
    const int width = start.right - start.left;
    const int height = start.bottom - start.top;

    enum class Step { Size, Maximise, Restore };
    struct Case {
        const char* name;
        Step step;
        int dx = 0, dy = 0; // change from the first frame size
    };
    // One sequence, so that each change starts from the state the one before left,
    // on either side of the first size.
    const Case cases[] = {
        {"shrink below the first size", Step::Size, -100, -60},
        {"grow past it", Step::Size, 120, 70},
        {"wide but short, from above", Step::Size, 200, -60},
        {"shrink again", Step::Size, -100, -60},
        {"wide but short, from below", Step::Size, 200, -60},
        {"narrow but tall", Step::Size, -100, 100},
        {"maximise from narrow", Step::Maximise},
        {"restore", Step::Restore},
        {"small", Step::Size, -100, -60},
        {"maximise from small", Step::Maximise},
        {"restore", Step::Restore},
        {"large", Step::Size, 120, 70},
        {"maximise from large", Step::Maximise},
        {"restore", Step::Restore},
        {"first size", Step::Size, 0, 0},
    };
    RECT beforeMaximise{};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        switch (c.step) {
        case Step::Size:
            SizeFrame(width + c.dx, height + c.dy);
            break;
        case Step::Maximise:
            GetWindowRect(frameWindow, &beforeMaximise);
            ShowWindow(frameWindow, SW_MAXIMIZE);
            Pump();
            EXPECT_NE(IsZoomed(frameWindow), FALSE);
            break;
        case Step::Restore: {
            ShowWindow(frameWindow, SW_RESTORE);
            Pump();
            RECT now{};
            GetWindowRect(frameWindow, &now);
            EXPECT_EQ(Show(now), Show(beforeMaximise));
            break;
        }
        }
        ExpectTheResizeRule();
    }
}

TEST_F(LayoutChecks, NoControlTextIsClipped)
{
    // Every optional column, so that every heading is measured.
    ForgetSettings();
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, settingsKey, &key), ERROR_SUCCESS);
    const DWORD on = 1;
    for (const char* name : {"FileSize", "FileDate", "FileAttrib"})
        RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof on);
    RegCloseKey(key);
    Start();
    ForgetSettings();
    ExpectTheDpiOfThisRun();
    const int dpi = DpiOfWindow(form);
    // The form's texts fit their controls as the template's font allows; at a
    // higher DPI none may take a larger share of its room than at 96 DPI.
    const std::map<int, int> atDefaultDpi = ParseShares(std::getenv(sharesVariable));
    for (const auto& [id, share] : TextShares()) {
        SCOPED_TRACE(TextOf(GetDlgItem(form, id)));
        const auto before = atDefaultDpi.find(id);
        if (before != atDefaultDpi.end()) {
            EXPECT_LE(share, std::max(before->second, 100) + 2) << "percent of the room at " << dpi << " DPI";
        }
    }
    for (int id : {IDC_FILENAME, IDC_ENVLIST}) {
        RECT client{};
        GetClientRect(Control(id), &client);
        EXPECT_LE(TextExtent(Control(id), "Xy").cy, client.bottom) << id;
    }
    // Headings keep the header's own margins of three edges on either side.
    const HWND header = reinterpret_cast<HWND>(SendMessageA(Control(IDC_RESULTS), LVM_GETHEADER, 0, 0));
    ASSERT_EQ(Headings(), (std::vector<std::string>{"Files", "Size", "Date Modify", "Attribute"}));
    for (int column = 0; column < 4; ++column) {
        const std::string heading = Headings()[static_cast<size_t>(column)];
        EXPECT_LE(TextExtent(header, heading).cx + 6 * SystemMetricForDpi(SM_CXEDGE, dpi),
                  view->resultList.GetColumnWidth(column))
            << heading;
    }
    // The found count, however large, and the key indicators.
    const HWND bar = frame->GetStatusBar()->GetSafeHwnd();
    for (int32_t count : {1, 32768, 9999999, 10000000}) {
        frame->foundCount = count;
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

TEST_F(LayoutChecks, FollowsTheWindowToAMonitorOfAnotherDpi)
{
    Start();
    const int dpi = DpiOfWindow(form);
    const LONG fontHeight = TextExtent(Control(IDC_FILENAME), "Xy").cy;
    for (int target : {dpi * 3 / 2, dpi}) {
        SCOPED_TRACE(target);
        RECT suggested{};
        GetWindowRect(frameWindow, &suggested);
        const int from = target == dpi ? dpi * 3 / 2 : dpi;
        suggested.right = suggested.left + MulDiv(suggested.right - suggested.left, target, from);
        suggested.bottom = suggested.top + MulDiv(suggested.bottom - suggested.top, target, from);
        SendMessageA(frameWindow, WM_DPICHANGED, MAKEWPARAM(target, target),
                     reinterpret_cast<LPARAM>(&suggested));
        Pump();
        RECT now{};
        GetWindowRect(frameWindow, &now);
        EXPECT_EQ(Show(now), Show(suggested));
        // Controls the resize rule leaves alone keep the template's place, scaled.
        for (const TemplateControl& c : {form101[0], form101[2], form101[3], form101[7], form101[8]}) {
            const RECT expected = Scaled(Pixels(form, c.units), target, dpi);
            const RECT place = PlaceOfWindow(GetDlgItem(form, c.id));
            EXPECT_NEAR(place.left, expected.left, 1) << c.text;
            EXPECT_NEAR(place.top, expected.top, 1) << c.text;
            EXPECT_NEAR(place.right, expected.right, 1) << c.text;
            EXPECT_NEAR(place.bottom, expected.bottom, 1) << c.text;
        }
        EXPECT_NEAR(TextExtent(Control(IDC_FILENAME), "Xy").cy, MulDiv(fontHeight, target, dpi), 2);
        ExpectTheResizeRule(target, dpi);
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
    for (const auto& [id, share] : TextShares())
        shares += std::to_string(id) + ":" + std::to_string(share) + ";";
    Stop();

    constexpr char desktopKey[] = "Control Panel\\Desktop";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, desktopKey, &key), ERROR_SUCCESS);
    DWORD previous = 0;
    DWORD size = sizeof previous;
    const bool hadValue = RegQueryValueExA(key, "LogPixels", nullptr, nullptr,
                                           reinterpret_cast<BYTE*>(&previous), &size) == ERROR_SUCCESS;
    const DWORD highDpi = 144;
    RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&highDpi), sizeof highDpi);

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
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous),
                       sizeof previous);
    else
        RegDeleteValueA(key, "LogPixels");
    RegCloseKey(key);
    ASSERT_TRUE(started) << command;
    EXPECT_EQ(exitCode, 0u) << "the layout checks failed at 144 DPI (their output is above)";
}

} // namespace
