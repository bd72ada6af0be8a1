#include "StatusBar.h"

#include "CodePage.h"
#include "Dpi.h"
#include "Resources.h"

#include <algorithm>
#include <vector>

namespace {

// Room around an indicator's text, as the status bar draws it (at 96 DPI).
constexpr int paneMargin = 8;

// The bar's font selected into its DC for a scope.
class BarDC {
public:
    explicit BarDC(const CWnd& bar) : window(bar.GetSafeHwnd()), dc(GetDC(window))
    {
        old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(bar.SendMessage(WM_GETFONT)));
    }
    ~BarDC()
    {
        SelectObject(dc, old);
        ReleaseDC(window, dc);
    }
    BarDC(const BarDC&) = delete;
    BarDC& operator=(const BarDC&) = delete;
    operator HDC() const { return dc; }

private:
    HWND window;
    HDC dc;
    HGDIOBJ old = nullptr;
};

} // namespace

int CStatusBar::TextWidth(HDC dc, const std::string& text) const
{
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    return extent.cx + ScaleForDpi(paneMargin, DpiOfWindow(GetSafeHwnd()));
}

bool CStatusBar::Create(CWnd& parent, DWORD style, UINT id)
{
    // The alignment bits are the frame's business; the control takes only window styles.
    DWORD windowStyle = (style & 0xFFFF0000u) | SBARS_SIZEGRIP;
    return CreateEx(0, STATUSCLASSNAMEA, "", windowStyle, 0, 0, 0, 0, parent.GetSafeHwnd(), id);
}

bool CStatusBar::SetIndicators(const UINT* ids, int count)
{
    panes.clear();
    bool complete = true;
    for (int i = 0; i < count; ++i) {
        Pane pane{ids[i], 0, {}, true, {}};
        if (pane.id != 0) {
            pane.text = LoadResString(pane.id);
            if (pane.text.empty())
                complete = false;
            pane.sizingTexts.push_back(pane.text);
        }
        panes.push_back(pane);
    }
    RemeasurePanes();
    for (size_t i = 0; i < panes.size(); ++i)
        SendMessage(SB_SETTEXTA, i, reinterpret_cast<LPARAM>(panes[i].text.c_str()));
    return complete;
}

void CStatusBar::FitPaneToText(UINT id, const std::string& text)
{
    int index = CommandToIndex(id);
    if (index < 0)
        return;
    panes[static_cast<size_t>(index)].sizingTexts.push_back(text);
    RemeasurePanes();
}

void CStatusBar::RemeasurePanes()
{
    {
        BarDC dc(*this);
        for (Pane& pane : panes) {
            pane.width = 0;
            for (const std::string& text : pane.sizingTexts)
                pane.width = std::max(pane.width, TextWidth(dc, text));
        }
    }
    LayoutPanes();
}

void CStatusBar::LayoutPanes()
{
    if (panes.empty())
        return;
    RECT client = GetClientRect();
    int others = 0;
    for (size_t i = 1; i < panes.size(); ++i)
        others += panes[i].width;
    // Leave room for the size grip at the right end.
    int grip = SystemMetricForDpi(SM_CXVSCROLL, DpiOfWindow(GetSafeHwnd()));
    std::vector<int> edges(panes.size());
    int right = std::max(0, static_cast<int>(client.right) - grip - others);
    edges[0] = right;
    for (size_t i = 1; i < panes.size(); ++i) {
        right += panes[i].width;
        edges[i] = right;
    }
    edges.back() = -1;
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

int CStatusBar::CommandToIndex(UINT id) const
{
    for (size_t i = 0; i < panes.size(); ++i)
        if (panes[i].id == id)
            return static_cast<int>(i);
    return -1;
}

bool CStatusBar::SetPaneText(int index, const std::string& text)
{
    if (index < 0 || static_cast<size_t>(index) >= panes.size())
        return false;
    Pane& pane = panes[static_cast<size_t>(index)];
    if (pane.text == text)
        return true; // no flicker at every idle update
    pane.text = text;
    return SendMessage(SB_SETTEXTA, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(pane.text.c_str())) != 0;
}

std::string CStatusBar::GetPaneText(int index) const
{
    // In UTF-16: the ANSI length message counts UTF-16 units, which is fewer
    // than the bytes the ANSI text takes in UTF-8.
    int length = LOWORD(SendMessage(SB_GETTEXTLENGTHW, static_cast<WPARAM>(index)));
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    SendMessage(SB_GETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return MarkedInCodePage({text.data(), static_cast<size_t>(length)});
}

int CStatusBar::GetPaneWidth(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= panes.size())
        return 0;
    return panes[static_cast<size_t>(index)].width;
}

int CStatusBar::GetHeight() const
{
    RECT rect = GetWindowRect();
    return rect.bottom - rect.top;
}

void CStatusBar::UpdatePanes(CCmdTarget& target)
{
    for (size_t i = 0; i < panes.size(); ++i) {
        if (panes[i].id == 0)
            continue;
        CStatusCmdUI state(*this, static_cast<int>(i));
        state.id = panes[i].id;
        target.AskUpdate(state);
    }
}

void CStatusCmdUI::SetText(const std::string& text)
{
    bar.SetPaneText(index, text);
}
