#include "FrameWnd.h"

#include "Dpi.h"
#include "FrameworkIds.h"
#include "Resources.h"
#include "View.h"
#include "WinApp.h"

#include <tuple>
#include <utility>

const MessageEntry CFrameWnd::messageEntries[] = {
    msgmap::OnCreate<&CFrameWnd::OnCreate>(),
    msgmap::OnSize<&CFrameWnd::OnSize>(),
    msgmap::Plain<&CFrameWnd::OnClose>(WM_CLOSE),
    msgmap::Plain<&CFrameWnd::OnDestroy>(WM_DESTROY),
    msgmap::Message<&CFrameWnd::OnSetMessageString>(WM_SETMESSAGESTRING),
    msgmap::Message<&CFrameWnd::OnIdleUpdateCmdUI>(WM_IDLEUPDATECMDUI),
    msgmap::Message<&CFrameWnd::OnInitMenuPopup>(WM_INITMENUPOPUP),
    msgmap::Message<&CFrameWnd::OnMenuSelect>(WM_MENUSELECT),
    msgmap::Message<&CFrameWnd::OnExitMenuLoop>(WM_EXITMENULOOP),
    msgmap::Message<&CFrameWnd::OnSetFocus>(WM_SETFOCUS),
    msgmap::Message<&CFrameWnd::OnActivate>(WM_ACTIVATE),
    msgmap::Message<&CFrameWnd::OnDpiChanged>(WM_DPICHANGED),
    msgmap::Command<&CFrameWnd::OnViewStatusBar>(ID_VIEW_STATUS_BAR),
    msgmap::UpdateCommandUI<&CFrameWnd::OnUpdateViewStatusBar>(ID_VIEW_STATUS_BAR),
    msgmap::UpdateCommandUI<&CFrameWnd::OnUpdateKeyIndicator>(ID_INDICATOR_CAPS),
    msgmap::UpdateCommandUI<&CFrameWnd::OnUpdateKeyIndicator>(ID_INDICATOR_NUM),
    msgmap::UpdateCommandUI<&CFrameWnd::OnUpdateKeyIndicator>(ID_INDICATOR_SCRL),
};
const MessageMap CFrameWnd::messageMap = MakeMessageMap(&CWnd::messageMap, messageEntries);

bool CFrameWnd::LoadFrame(UINT resourceId, DWORD style, HWND parent, CCreateContext* context)
{
    const std::string documentString = LoadResString(resourceId);
    windowTitle = documentString.substr(0, documentString.find('\n'));
    HMENU menu = LoadMenuA(ResourceInstance(), MAKEINTRESOURCEA(resourceId));
    accelerators = LoadAcceleratorsA(ResourceInstance(), MAKEINTRESOURCEA(resourceId));

    creationContext = context;
    bool created =
        CreateEx(0, nullptr, windowTitle.c_str(), style | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                 CW_USEDEFAULT, CW_USEDEFAULT, parent, reinterpret_cast<UINT_PTR>(menu));
    creationContext = nullptr;
    if (!created) {
        if (menu != nullptr && IsMenu(menu))
            DestroyMenu(menu); // a window that never came to be did not take it
        return false;
    }
    iconId = resourceId;
    dpi = DpiOfWindow(GetSafeHwnd());
    LoadIcons();
    autoDelete = true;
    return true;
}

void CFrameWnd::LoadIcons()
{
    // Each icon drawn for the size the window's DPI asks for, not stretched from another.
    const int dpi = DpiOfWindow(GetSafeHwnd());
    for (auto [which, width, height] :
         {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON}, std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}}) {
        HICON& held = which == ICON_BIG ? icon : smallIcon;
        HICON loaded = static_cast<HICON>(LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                                     SystemMetricForDpi(width, dpi),
                                                     SystemMetricForDpi(height, dpi), LR_DEFAULTCOLOR));
        if (loaded == nullptr)
            continue;
        SendMessage(WM_SETICON, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(loaded));
        if (held != nullptr)
            DestroyIcon(held);
        held = loaded;
    }
}

int CFrameWnd::OnCreate(CREATESTRUCTA* create)
{
    if (creationContext != nullptr && !OnCreateClient(create, creationContext))
        return -1;
    return 0;
}

bool CFrameWnd::OnCreateClient(CREATESTRUCTA*, CCreateContext* context)
{
    if (context->viewClass == nullptr)
        return true;
    auto* view = dynamic_cast<CView*>(context->viewClass->createObject());
    if (view == nullptr)
        return false;
    view->SetDocument(context->document);
    if (context->document != nullptr)
        context->document->AttachView(view);
    if (!view->Create(*this, AFX_IDW_PANE_FIRST, context)) {
        if (context->document != nullptr)
            context->document->AttachView(nullptr);
        delete view; // never had a window, so it cannot delete itself
        return false;
    }
    activeView = view;
    return true;
}

void CFrameWnd::SetActiveView(CView* view)
{
    activeView = view;
}

CDocument* CFrameWnd::GetActiveDocument() const
{
    return activeView != nullptr ? activeView->GetDocument() : nullptr;
}

CStatusBar* CFrameWnd::GetStatusBar()
{
    return dynamic_cast<CStatusBar*>(FromHandlePermanent(GetDlgItem(AFX_IDW_STATUS_BAR)));
}

void CFrameWnd::RecalcLayout()
{
    RECT client = GetClientRect();
    int bottom = client.bottom;
    if (CStatusBar* bar = GetStatusBar(); bar != nullptr && bar->HasVisibleStyle()) {
        bar->SendMessage(WM_SIZE); // the control docks itself at the bottom
        bar->LayoutPanes();
        bottom -= bar->GetHeight();
    }
    if (activeView != nullptr && activeView->GetSafeHwnd() != nullptr)
        activeView->MoveWindow(RECT{0, 0, client.right, std::max<LONG>(0, bottom)});
}

void CFrameWnd::OnUpdateFrameTitle()
{
    CDocument* document = GetActiveDocument();
    std::string caption = windowTitle;
    if (document != nullptr)
        caption = document->GetTitle() + " - " + windowTitle;
    if (GetWindowText() != caption)
        SetWindowText(caption);
}

void CFrameWnd::InitialUpdateFrame(int showCommand)
{
    if (activeView != nullptr)
        activeView->SendMessage(WM_INITIALUPDATE);
    OnUpdateFrameTitle();
    ShowWindow(showCommand);
    UpdateWindow(GetSafeHwnd());
}

void CFrameWnd::SetMessageText(UINT stringId)
{
    SendMessage(WM_SETMESSAGESTRING, stringId, 0);
}

void CFrameWnd::SetMessageText(const std::string& text)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    std::string text;
    if (lParam != 0)
        text = reinterpret_cast<const char*>(lParam);
    else if (wParam != 0) {
        text = LoadResString(static_cast<UINT>(wParam));
        text = text.substr(0, text.find('\n'));
    }
    if (CStatusBar* bar = GetStatusBar())
        bar->SetPaneText(0, text);
    return 0;
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (CStatusBar* bar = GetStatusBar(); bar != nullptr && bar->HasVisibleStyle())
        bar->UpdatePanes(*this);
    return 0;
}

LRESULT CFrameWnd::OnInitMenuPopup(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(lParam) == 0)
        UpdateMenuItems(reinterpret_cast<HMENU>(wParam));
    return 0;
}

void CFrameWnd::UpdateMenuItems(HMENU menu)
{
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        UINT id = GetMenuItemID(menu, position);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue; // separator or submenu
        CMenuCmdUI state(menu, static_cast<UINT>(position));
        state.id = id;
        if (!AskUpdate(state))
            state.Enable(OnCmdMsg(id, probeCode, nullptr));
    }
}

LRESULT CFrameWnd::OnMenuSelect(WPARAM wParam, LPARAM lParam)
{
    UINT flags = HIWORD(wParam);
    if (flags == 0xFFFF && lParam == 0)
        SetMessageText(AFX_IDS_IDLEMESSAGE); // the menu closed
    else if ((flags & (MF_POPUP | MF_SEPARATOR)) != 0)
        SetMessageText(std::string());
    else
        SetMessageText(LOWORD(wParam));
    return 0;
}

LRESULT CFrameWnd::OnExitMenuLoop(WPARAM, LPARAM)
{
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    return 0;
}

LRESULT CFrameWnd::OnSetFocus(WPARAM, LPARAM)
{
    if (activeView != nullptr && activeView->GetSafeHwnd() != nullptr)
        activeView->SetFocus();
    return 0;
}

LRESULT CFrameWnd::OnActivate(WPARAM wParam, LPARAM)
{
    // Remember where the focus was, so coming back puts it there again.
    if (LOWORD(wParam) == WA_INACTIVE && activeView != nullptr)
        activeView->RememberFocus();
    return Default();
}

void CFrameWnd::OnSize(UINT type, int, int)
{
    if (type != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnClose()
{
    if (CDocument* document = GetActiveDocument(); document != nullptr && !document->SaveModified())
        return;
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    CWinApp* app = CWinApp::Get();
    if (app != nullptr && app->mainWnd == this)
        PostQuitMessage(0);
    Default();
}

LRESULT CFrameWnd::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    // Moved to a monitor of another DPI: the view scales itself, then the
    // frame takes the size the system suggests, which keeps its look.
    const int newDpi = LOWORD(wParam);
    if (activeView != nullptr)
        activeView->OnDpiChanged(dpi, newDpi);
    dpi = newDpi;
    if (const auto* suggested = reinterpret_cast<const RECT*>(lParam))
        SetWindowPos(GetSafeHwnd(), nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    LoadIcons();
    if (CStatusBar* bar = GetStatusBar())
        bar->RemeasurePanes();
    RecalcLayout();
    return 0;
}

void CFrameWnd::PostNcDestroy()
{
    for (HICON* held : {&icon, &smallIcon})
        if (*held != nullptr)
            DestroyIcon(std::exchange(*held, nullptr));
    CWinApp* app = CWinApp::Get();
    if (app != nullptr && app->mainWnd == this)
        app->mainWnd = nullptr;
    if (autoDelete)
        delete this;
}

void CFrameWnd::OnViewStatusBar()
{
    if (CStatusBar* bar = GetStatusBar()) {
        bar->ShowWindow(bar->HasVisibleStyle() ? SW_HIDE : SW_SHOWNOACTIVATE);
        RecalcLayout();
    }
}

void CFrameWnd::OnUpdateViewStatusBar(CCmdUI* cmdUI)
{
    CStatusBar* bar = GetStatusBar();
    cmdUI->Enable(bar != nullptr);
    cmdUI->SetCheck(bar != nullptr && bar->HasVisibleStyle() ? 1 : 0);
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* cmdUI)
{
    int key = cmdUI->id == ID_INDICATOR_CAPS  ? VK_CAPITAL
              : cmdUI->id == ID_INDICATOR_NUM ? VK_NUMLOCK
                                              : VK_SCROLL;
    bool on = (GetKeyState(key) & 1) != 0;
    cmdUI->Enable(on);
    cmdUI->SetText(on ? LoadResString(cmdUI->id) : std::string());
}

bool CFrameWnd::OnCmdMsg(UINT id, int code, CCmdUI* cmdUI)
{
    if (activeView != nullptr && activeView->OnCmdMsg(id, code, cmdUI))
        return true;
    if (CWnd::OnCmdMsg(id, code, cmdUI))
        return true;
    CWinApp* app = CWinApp::Get();
    return app != nullptr && app->OnCmdMsg(id, code, cmdUI);
}

bool CFrameWnd::PreTranslateMessage(MSG* message)
{
    if (message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST && accelerators != nullptr)
        return TranslateAcceleratorW(GetSafeHwnd(), accelerators, message) != 0;
    return false;
}

void CMenuCmdUI::Enable(bool on)
{
    CCmdUI::Enable(on);
    EnableMenuItem(menu, position, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
}

void CMenuCmdUI::SetCheck(int check)
{
    CheckMenuItem(menu, position, MF_BYPOSITION | (check != 0 ? MF_CHECKED : MF_UNCHECKED));
}

void CMenuCmdUI::SetRadio(bool on)
{
    if (on)
        CheckMenuRadioItem(menu, position, position, position, MF_BYPOSITION);
    else
        SetCheck(0);
}

void CMenuCmdUI::SetText(const std::string& text)
{
    ModifyMenuA(menu, position, MF_BYPOSITION | MF_STRING, id, text.c_str());
}
