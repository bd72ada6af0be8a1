#include "CreationHook.h"

#include <utility>

namespace {

// The creation hook of this thread; creation can nest (a dialog creating
// a child window in its handlers), so hooks form a stack.
thread_local CreationHook* currentHook = nullptr;

} // namespace

CreationHook::CreationHook(ICreatedWindowBinding& window, const char* className, HWND parent, bool bindAnsi)
    : hook(SetWindowsHookExA(WH_CBT, &HookProc, nullptr, GetCurrentThreadId())), pending(&window),
      bindAnsi(bindAnsi), className(className), parent(parent), outer(currentHook)
{
    currentHook = this;
}

CreationHook::~CreationHook()
{
    currentHook = outer;
    if (hook != nullptr)
        UnhookWindowsHookEx(hook);
}

bool CreationHook::IsPendingWindow(HWND window, const CREATESTRUCTA& create) const
{
    // A top-level window's parent is only its owner, which the system may change.
    if ((create.style & WS_CHILD) != 0 && create.hwndParent != parent)
        return false;
    if (IS_INTRESOURCE(className))
        return GetClassWord(window, GCW_ATOM) == static_cast<WORD>(reinterpret_cast<UINT_PTR>(className));
    char name[256] = {};
    return GetClassNameA(window, name, sizeof name) > 0 && lstrcmpiA(name, className) == 0;
}

LRESULT CALLBACK CreationHook::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    CreationHook* self = currentHook;
    bool bound = false;
    if (code == HCBT_CREATEWND && self != nullptr && self->pending != nullptr) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        if (self->IsPendingWindow(window, *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs)) {
            std::exchange(self->pending, nullptr)->BindCreated(window, self->bindAnsi);
            bound = true;
        }
    }
    const LRESULT result = CallNextHookEx(nullptr, code, wParam, lParam);
    // Only the creation needs the hook; a modal dialog's loop runs on after it.
    if (bound && self->hook != nullptr)
        UnhookWindowsHookEx(std::exchange(self->hook, nullptr));
    return result;
}
