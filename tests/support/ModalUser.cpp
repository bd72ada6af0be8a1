#include "ModalUser.h"

#include <string>

namespace {

ModalUser* waiting = nullptr;

HWND FindShownDialog()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            char className[16] = {};
            GetClassNameA(window, className, sizeof className);
            // A dialog under the one shown on it is disabled while that is up.
            if (std::string(className) != "#32770" || !IsWindowVisible(window) || !IsWindowEnabled(window))
                return TRUE;
            *reinterpret_cast<HWND*>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace

ModalUser::ModalUser(std::function<void(HWND)> act) : act(std::move(act))
{
    waiting = this;
    timer = SetTimer(nullptr, 0, 10, &ModalUser::Poll);
}

ModalUser::~ModalUser()
{
    if (timer != 0)
        KillTimer(nullptr, timer);
    if (waiting == this)
        waiting = nullptr;
}

void CALLBACK ModalUser::Poll(HWND, UINT, UINT_PTR, DWORD)
{
    ModalUser* user = waiting;
    if (user == nullptr)
        return;
    HWND dialog = FindShownDialog();
    if (dialog == nullptr)
        return;
    KillTimer(nullptr, user->timer);
    user->timer = 0;
    waiting = nullptr;
    user->acted = true;
    user->act(dialog);
}

void PostKey(HWND dialog, UINT key)
{
    HWND focus = GetFocus();
    HWND target = focus != nullptr && IsChild(dialog, focus) ? focus : dialog;
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
}

void PostAltKey(HWND dialog, char letter)
{
    HWND focus = GetFocus();
    HWND target = focus != nullptr && IsChild(dialog, focus) ? focus : dialog;
    // Bit 29: Alt is held.
    PostMessageA(target, WM_SYSCHAR, static_cast<WPARAM>(letter), static_cast<LPARAM>(0x20000001));
}

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!done()) {
        if (GetTickCount64() >= end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return true;
}
