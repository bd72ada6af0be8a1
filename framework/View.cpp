#include "View.h"

#include "CreationHook.h"
#include "FrameWnd.h"
#include "Resources.h"

#include <algorithm>

const MessageEntry CView::messageEntries[] = {
    msgmap::Message<&CView::OnInitialUpdateMessage>(WM_INITIALUPDATE),
    msgmap::Plain<&CView::OnDestroy>(WM_DESTROY),
};
const MessageMap CView::messageMap = MakeMessageMap(&CWnd::messageMap, messageEntries);

CFrameWnd* CView::GetParentFrame() const
{
    for (HWND window = GetParent(); window != nullptr; window = ::GetParent(window))
        if (auto* frame = dynamic_cast<CFrameWnd*>(FromHandlePermanent(window)))
            return frame;
    return nullptr;
}

bool CView::OnCmdMsg(UINT id, int code, CCmdUI* cmdUI)
{
    if (CWnd::OnCmdMsg(id, code, cmdUI))
        return true;
    return document != nullptr && document->OnCmdMsg(id, code, cmdUI);
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnDestroy()
{
    if (CFrameWnd* frame = GetParentFrame(); frame != nullptr && frame->GetActiveView() == this)
        frame->SetActiveView(nullptr);
    Default();
}

void CView::PostNcDestroy()
{
    if (document != nullptr && document->GetView() == this)
        document->AttachView(nullptr);
    delete this; // views live on the heap, owned by their window
}

const MessageEntry CFormView::messageEntries[] = {
    msgmap::OnSize<&CFormView::OnSize>(),
    msgmap::Message<&CFormView::OnHScroll>(WM_HSCROLL),
    msgmap::Message<&CFormView::OnVScroll>(WM_VSCROLL),
    msgmap::Message<&CFormView::OnSetFocus>(WM_SETFOCUS),
};
const MessageMap CFormView::messageMap = MakeMessageMap(&CView::messageMap, messageEntries);

INT_PTR CALLBACK CFormView::FormDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE; // everything is handled through the message map
}

bool CFormView::Create(CFrameWnd& frame, UINT id, CCreateContext*)
{
    HWND window = nullptr;
    {
        // Unicode controls on a form bound as an ANSI window, as CDialog::DoModal does.
        CreationHook hook(*this, dialogClassName, frame.GetSafeHwnd(), true);
        if (hook.IsInstalled())
            window = CreateDialogParamW(ResourceInstance(), MAKEINTRESOURCEW(templateId), frame.GetSafeHwnd(),
                                        &CFormView::FormDialogProc, 0);
    }
    if (window == nullptr || window != GetSafeHwnd()) {
        // A form the hook did not bind is no view of ours: leave none behind.
        UnsubclassWindow();
        if (window != nullptr)
            ::DestroyWindow(window);
        return false;
    }
    // The form scales itself when its DPI changes (OnDpiChanged); the dialog
    // manager must not scale it a second time.
    using SetBehaviorFunction = BOOL(WINAPI*)(HWND, int, int);
    if (HMODULE user32 = GetModuleHandleA("user32.dll"))
        if (auto setBehavior = reinterpret_cast<SetBehaviorFunction>(
                reinterpret_cast<void*>(GetProcAddress(user32, "SetDialogDpiChangeBehavior"))))
            setBehavior(window, 0x3 /* DDC_DISABLE_ALL */, 0x3);
    SetWindowLongPtrA(window, GWLP_ID, static_cast<LONG_PTR>(id));
    SetWindowLongPtrA(window, GWL_STYLE, GetWindowLongPtrA(window, GWL_STYLE) | WS_CLIPCHILDREN);
    RECT client = GetClientRect();
    totalSize = {client.right, client.bottom};
    ShowWindow(SW_SHOW);
    return true;
}

CFormView::~CFormView()
{
    if (scaledFont != nullptr)
        DeleteObject(scaledFont);
}

void CFormView::OnDpiChanged(int oldDpi, int newDpi)
{
    if (oldDpi <= 0 || newDpi <= 0 || oldDpi == newDpi || GetSafeHwnd() == nullptr)
        return;
    auto scale = [&](LONG value) { return MulDiv(value, newDpi, oldDpi); };
    ScrollTo(0, 0); // so that child positions are the form's own coordinates

    // The dialog manager keeps answering with the font it made at creation.
    HFONT font = scaledFont != nullptr ? scaledFont : reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    HFONT newFont = nullptr;
    LOGFONTA logFont{};
    if (font != nullptr && GetObjectA(font, sizeof logFont, &logFont) != 0) {
        logFont.lfHeight = scale(logFont.lfHeight);
        logFont.lfWidth = scale(logFont.lfWidth);
        newFont = CreateFontIndirectA(&logFont);
    }
    for (HWND child = GetWindow(GetSafeHwnd(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        ::GetWindowRect(child, &rect);
        ScreenToClient(rect);
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        // A combo box's height in its creation is the height with the list dropped.
        if (lstrcmpiA(className, "ComboBox") == 0) {
            RECT dropped{};
            if (::SendMessageA(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
                rect.bottom = rect.top + (dropped.bottom - dropped.top);
        }
        if (newFont != nullptr)
            ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(newFont), FALSE);
        SetWindowPos(child, nullptr, scale(rect.left), scale(rect.top), scale(rect.right) - scale(rect.left),
                     scale(rect.bottom) - scale(rect.top), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (newFont != nullptr) {
        if (scaledFont != nullptr)
            DeleteObject(scaledFont);
        scaledFont = newFont;
    }
    totalSize = {scale(totalSize.cx), scale(totalSize.cy)};
    UpdateScrollBars();
    InvalidateRect(GetSafeHwnd(), nullptr, TRUE);
}

void CFormView::OnInitialUpdate()
{
    UpdateData(false);
}

void CFormView::ResizeParentToFit(bool shrinkOnly)
{
    CFrameWnd* frame = GetParentFrame();
    if (frame == nullptr)
        return;
    frame->RecalcLayout();
    RECT view = GetClientRect();
    // Scroll bars take room from the client area; measure without them.
    if (GetWindowLongA(GetSafeHwnd(), GWL_STYLE) & WS_VSCROLL)
        view.right += GetSystemMetrics(SM_CXVSCROLL);
    if (GetWindowLongA(GetSafeHwnd(), GWL_STYLE) & WS_HSCROLL)
        view.bottom += GetSystemMetrics(SM_CYHSCROLL);
    int dx = totalSize.cx - view.right;
    int dy = totalSize.cy - view.bottom;
    if (shrinkOnly) {
        dx = std::max(dx, 0);
        dy = std::max(dy, 0);
    }
    RECT frameRect = frame->GetWindowRect();
    SetWindowPos(frame->GetSafeHwnd(), nullptr, 0, 0, frameRect.right - frameRect.left + dx,
                 frameRect.bottom - frameRect.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    frame->RecalcLayout();
}

void CFormView::OnSize(UINT, int, int)
{
    UpdateScrollBars();
}

void CFormView::UpdateScrollBars()
{
    if (updatingScrollBars || totalSize.cx == 0)
        return;
    updatingScrollBars = true;
    RECT client = GetClientRect();
    // Work out the room as if no scroll bar were shown, then add the bars needed.
    LONG style = GetWindowLongA(GetSafeHwnd(), GWL_STYLE);
    int width = client.right + ((style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    int height = client.bottom + ((style & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0);
    bool needH = width < totalSize.cx;
    bool needV = height < totalSize.cy;
    if (needH)
        height -= GetSystemMetrics(SM_CYHSCROLL);
    if (needV)
        width -= GetSystemMetrics(SM_CXVSCROLL);
    needH = width < totalSize.cx;
    needV = height < totalSize.cy;

    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = needH ? totalSize.cx - 1 : 0;
    info.nPage = needH ? static_cast<UINT>(width) : 0;
    int x =
        needH ? std::clamp(static_cast<int>(scrollPosition.x), 0, static_cast<int>(totalSize.cx - width)) : 0;
    info.nPos = x;
    SetScrollInfo(GetSafeHwnd(), SB_HORZ, &info, TRUE);
    info.nMax = needV ? totalSize.cy - 1 : 0;
    info.nPage = needV ? static_cast<UINT>(height) : 0;
    int y = needV ? std::clamp(static_cast<int>(scrollPosition.y), 0, static_cast<int>(totalSize.cy - height))
                  : 0;
    info.nPos = y;
    SetScrollInfo(GetSafeHwnd(), SB_VERT, &info, TRUE);
    ScrollTo(x, y);
    updatingScrollBars = false;
}

void CFormView::ScrollTo(int x, int y)
{
    int dx = scrollPosition.x - x;
    int dy = scrollPosition.y - y;
    if (dx == 0 && dy == 0)
        return;
    scrollPosition = {x, y};
    ScrollWindowEx(GetSafeHwnd(), dx, dy, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    SetScrollPos(GetSafeHwnd(), SB_HORZ, x, TRUE);
    SetScrollPos(GetSafeHwnd(), SB_VERT, y, TRUE);
}

int CFormView::ScrollPositionFor(int bar, WPARAM wParam) const
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(GetSafeHwnd(), bar, &info);
    int position = info.nPos;
    int line = 16;
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        position -= line;
        break;
    case SB_LINEDOWN:
        position += line;
        break;
    case SB_PAGEUP:
        position -= static_cast<int>(info.nPage);
        break;
    case SB_PAGEDOWN:
        position += static_cast<int>(info.nPage);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    case SB_TOP:
        position = info.nMin;
        break;
    case SB_BOTTOM:
        position = info.nMax;
        break;
    default:
        break;
    }
    int last = std::max(0, info.nMax - static_cast<int>(info.nPage) + 1);
    return std::clamp(position, 0, last);
}

LRESULT CFormView::OnHScroll(WPARAM wParam, LPARAM)
{
    ScrollTo(ScrollPositionFor(SB_HORZ, wParam), scrollPosition.y);
    return 0;
}

LRESULT CFormView::OnVScroll(WPARAM wParam, LPARAM)
{
    ScrollTo(scrollPosition.x, ScrollPositionFor(SB_VERT, wParam));
    return 0;
}

void CFormView::RememberFocus()
{
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(GetSafeHwnd(), focus))
        focusedControl = focus;
}

LRESULT CFormView::OnSetFocus(WPARAM, LPARAM)
{
    HWND target = focusedControl;
    if (target == nullptr || !IsWindow(target) || !IsChild(GetSafeHwnd(), target) ||
        !::IsWindowVisible(target) || !::IsWindowEnabled(target))
        target = GetNextDlgTabItem(GetSafeHwnd(), nullptr, FALSE);
    if (target != nullptr)
        ::SetFocus(target);
    return 0;
}

bool CFormView::PreTranslateMessage(MSG* message)
{
    // The frame's accelerators come before the dialog manager, which would
    // otherwise take keys such as Ctrl+C for the focused edit.
    if (CFrameWnd* frame = GetParentFrame(); frame != nullptr && frame->PreTranslateMessage(message))
        return true;
    bool input = (message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST) ||
                 (message->message >= WM_MOUSEFIRST && message->message <= WM_MOUSELAST);
    if (!input || (message->hwnd != GetSafeHwnd() && !IsChild(GetSafeHwnd(), message->hwnd)))
        return false;
    return IsDialogMessageW(GetSafeHwnd(), message) != FALSE;
}
