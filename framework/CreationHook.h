#pragma once

#include "Platform.h"

// What a created window is bound to: the window object waiting for it.
class ICreatedWindowBinding {
public:
    virtual void BindCreated(HWND window, bool ansi) = 0;

protected:
    ~ICreatedWindowBinding() = default;
};

// Binds the window created next on this thread with the given class (a name
// or an atom) and, for a child, the given parent to the object, so that it
// sees the creation messages too; other windows made meanwhile, such as the
// input method's, are left alone. Used around CreateWindowEx and the
// CreateDialog family; the hook is gone once the window is bound.
class CreationHook {
public:
    // bindAnsi: the window is bound as an ANSI window even when it was created
    // as a Unicode one, so that its messages carry text in the process code page.
    CreationHook(ICreatedWindowBinding& window, const char* className, HWND parent, bool bindAnsi = false);
    ~CreationHook();
    CreationHook(const CreationHook&) = delete;
    CreationHook& operator=(const CreationHook&) = delete;

    // False when the system refused the hook: no window would be bound.
    bool IsInstalled() const { return hook != nullptr; }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    bool IsPendingWindow(HWND window, const CREATESTRUCTA& create) const;
    HHOOK hook;
    ICreatedWindowBinding* pending;
    bool bindAnsi;
    const char* className;
    HWND parent;
    CreationHook* outer;
};

// The class of the windows the CreateDialog family makes from a template
// that names none.
inline constexpr char dialogClassName[] = "#32770";
