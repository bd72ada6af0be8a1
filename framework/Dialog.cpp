#include "Dialog.h"

#include "CreationHook.h"
#include "Resources.h"
#include "WinApp.h"

#include <algorithm>

const MessageEntry CDialog::messageEntries[] = {
    msgmap::Command<&CDialog::OnOK>(IDOK),
    msgmap::Command<&CDialog::OnCancel>(IDCANCEL),
};
const MessageMap CDialog::messageMap = MakeMessageMap(&CWnd::messageMap, messageEntries);

INT_PTR CALLBACK CDialog::ModalDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE; // everything is handled through the message map
}

HWND CDialog::OwnerWindow() const
{
    HWND owner = parent != nullptr ? parent->GetSafeHwnd() : nullptr;
    if (owner == nullptr) {
        CWinApp* app = CWinApp::Get();
        owner = app != nullptr && app->mainWnd != nullptr ? app->mainWnd->GetSafeHwnd() : nullptr;
    }
    return owner;
}

INT_PTR CDialog::DoModal()
{
    const HWND owner = OwnerWindow();
    // Made by the Unicode call, the controls are Unicode windows and take typed
    // text whole; the dialog itself is bound as an ANSI window, so that its
    // notifications and texts stay in the process code page.
    CreationHook hook(*this, dialogClassName, owner, true);
    if (!hook.IsInstalled())
        return -1;
    return DialogBoxParamW(ResourceInstance(), MAKEINTRESOURCEW(templateId), owner, &CDialog::ModalDialogProc,
                           0);
}

bool CDialog::Create(UINT id, CWnd* parentWnd)
{
    templateId = id;
    if (parentWnd != nullptr)
        parent = parentWnd;
    modeless = true;
    HWND window = nullptr;
    {
        const HWND owner = OwnerWindow();
        CreationHook hook(*this, dialogClassName, owner, true); // as in DoModal
        if (hook.IsInstalled())
            window = CreateDialogParamW(ResourceInstance(), MAKEINTRESOURCEW(id), owner,
                                        &CDialog::ModalDialogProc, 0);
    }
    if (window != nullptr && window == GetSafeHwnd())
        return true;
    // A creation refused after this object was bound leaves a stale binding.
    UnsubclassWindow();
    if (window != nullptr)
        ::DestroyWindow(window);
    return false;
}

bool CDialog::PreTranslateMessage(MSG* message)
{
    HWND dialog = GetSafeHwnd();
    if (!modeless || dialog == nullptr || message->message < WM_KEYFIRST || message->message > WM_KEYLAST)
        return false;
    if (message->hwnd != dialog && !IsChild(dialog, message->hwnd))
        return false;
    // The dialog may be gone when this returns (Enter can close it): no member after it.
    return IsDialogMessageW(dialog, message) != FALSE;
}

void CDialog::CenterWindow()
{
    HWND owner = GetWindow(GetSafeHwnd(), GW_OWNER);
    RECT area{};
    if (owner != nullptr && ::IsWindowVisible(owner) && !IsIconic(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT own = GetWindowRect();
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    int left = (area.left + area.right - width) / 2;
    int top = (area.top + area.bottom - height) / 2;
    // Whole on the screen, even when the owner is partly off it.
    const RECT& work = monitor.rcWork;
    left = std::max<int>(work.left, std::min<int>(left, work.right - width));
    top = std::max<int>(work.top, std::min<int>(top, work.bottom - height));
    SetWindowPos(GetSafeHwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialog::EndDialog(int result)
{
    ::EndDialog(GetSafeHwnd(), result);
}

bool CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_INITDIALOG) {
        const RECT before = GetWindowRect();
        *result = OnInitDialog() ? TRUE : FALSE;
        // A dialog that placed itself stays there; any other opens centred
        // over its owner rather than at the owner's corner.
        const RECT after = GetWindowRect();
        if ((GetWindowLongA(GetSafeHwnd(), GWL_STYLE) & WS_CHILD) == 0 && !IsWindowVisible() &&
            EqualRect(&before, &after))
            CenterWindow();
        return true;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}
