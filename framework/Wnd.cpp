#include "Wnd.h"

#include "CmdUI.h"
#include "CodePage.h"
#include "CreationHook.h"
#include "Resources.h"

#include <exception>
#include <string_view>
#include <unordered_map>

namespace {

const char frameworkClassName[] = "TrawlWindow";

// The objects bound to this thread's windows. Windows belong to the thread
// that made them, and every message looks its window up here, so the map is
// per thread and cheap: a window property costs a Wine server round trip.
thread_local std::unordered_map<HWND, CWnd*> boundWindows;

// Windows unbound while a procedure set on them after ours still calls ours:
// the procedure each had before us, which their messages go on to.
struct ChainedProc {
    WNDPROC proc;
    bool unicode;
};
thread_local std::unordered_map<HWND, ChainedProc> chainedProcs;

// The messages being dispatched on this thread, innermost first. A handler
// may delete its own object (WM_CLOSE destroys an auto-deleting frame); the
// destructor clears the object from this chain, so the dispatch that called
// the handler knows not to touch it again.
struct Dispatch {
    CWnd* wnd;
    Dispatch* outer;
};
thread_local Dispatch* innermostDispatch = nullptr;

void RegisterFrameworkClass()
{
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = ResourceInstance();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = frameworkClassName;
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
}

std::string WindowTextOf(HWND window)
{
    // Read in UTF-16: the ANSI call would give a best fit (O for Omega) or "?"
    // for a character the code page lacks, which a search takes as another name.
    const int length = GetWindowTextLengthW(window);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    return MarkedInCodePage(std::wstring_view(text).substr(0, copied > 0 ? static_cast<size_t>(copied) : 0));
}

LRESULT CallProc(WNDPROC proc, bool unicode, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (proc == nullptr)
        return unicode ? DefWindowProcW(window, message, wParam, lParam)
                       : DefWindowProcA(window, message, wParam, lParam);
    return unicode ? CallWindowProcW(proc, window, message, wParam, lParam)
                   : CallWindowProcA(proc, window, message, wParam, lParam);
}

} // namespace

LRESULT FrameworkWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool unicode)
{
    CWnd* wnd = CWnd::FromHandlePermanent(window);
    if (wnd == nullptr) {
        auto chained = chainedProcs.find(window);
        if (chained == chainedProcs.end())
            return CallProc(nullptr, unicode, window, message, wParam, lParam);
        const ChainedProc next = chained->second;
        if (message == WM_NCDESTROY)
            chainedProcs.erase(chained);
        return CallProc(next.proc, next.unicode, window, message, wParam, lParam);
    }
    LRESULT result = 0;
    // Restored on every path: a handler that threw must not leave its message
    // as the one Default() of an outer handler acts on.
    const CWnd::CurrentMessage saved = wnd->current;
    Dispatch dispatch{wnd, innermostDispatch};
    innermostDispatch = &dispatch;
    try {
        wnd->current = {message, wParam, lParam};
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (const std::exception& error) {
        OutputDebugStringA(error.what());
        result = 0;
    } catch (...) {
        OutputDebugStringA("unknown exception in a window procedure");
        result = 0;
    }
    innermostDispatch = dispatch.outer;
    if (dispatch.wnd == nullptr)
        return result; // the handler deleted the object
    wnd->current = saved;
    if (message == WM_NCDESTROY) {
        wnd->Unbind();
        chainedProcs.erase(window); // the window is gone, chain and all
        wnd->PostNcDestroy();
    }
    return result;
}

namespace {

LRESULT CALLBACK FrameworkWndProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return FrameworkWndProc(window, message, wParam, lParam, false);
}

LRESULT CALLBACK FrameworkWndProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return FrameworkWndProc(window, message, wParam, lParam, true);
}

} // namespace

CWnd::~CWnd()
{
    for (Dispatch* dispatch = innermostDispatch; dispatch != nullptr; dispatch = dispatch->outer)
        if (dispatch->wnd == this)
            dispatch->wnd = nullptr;
    if (hwnd != nullptr) {
        HWND window = hwnd;
        Unbind();
        ::DestroyWindow(window);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND window)
{
    if (window == nullptr)
        return nullptr;
    auto found = boundWindows.find(window);
    return found != boundWindows.end() ? found->second : nullptr;
}

void CWnd::Bind(HWND window, bool ansi)
{
    hwnd = window;
    boundWindows[window] = this;
    // Still in the window's chain from an earlier binding: take up its place there.
    if (auto chained = chainedProcs.find(window); chained != chainedProcs.end()) {
        superProc = chained->second.proc;
        unicode = chained->second.unicode;
        chainedProcs.erase(chained);
        return;
    }
    unicode = !ansi && IsWindowUnicode(window) != FALSE;
    const auto ours = reinterpret_cast<LONG_PTR>(unicode ? &FrameworkWndProcW : &FrameworkWndProcA);
    superProc = reinterpret_cast<WNDPROC>(unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, ours)
                                                  : SetWindowLongPtrA(window, GWLP_WNDPROC, ours));
}

void CWnd::Unbind()
{
    if (hwnd == nullptr)
        return;
    const auto ours = reinterpret_cast<LONG_PTR>(unicode ? &FrameworkWndProcW : &FrameworkWndProcA);
    const auto proc = reinterpret_cast<LONG_PTR>(superProc);
    if (unicode && GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == ours)
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, proc);
    else if (!unicode && GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == ours)
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, proc);
    else if (superProc != nullptr && IsWindow(hwnd))
        chainedProcs[hwnd] = {superProc, unicode}; // subclassed again after us: we cannot leave the chain
    boundWindows.erase(hwnd);
    hwnd = nullptr;
}

bool CWnd::SubclassWindow(HWND window)
{
    if (hwnd != nullptr || window == nullptr || FromHandlePermanent(window) != nullptr)
        return false;
    Bind(window);
    return true;
}

bool CWnd::SubclassDlgItem(int id, CWnd& parent)
{
    return SubclassWindow(::GetDlgItem(parent.GetSafeHwnd(), id));
}

HWND CWnd::UnsubclassWindow()
{
    HWND window = hwnd;
    Unbind();
    return window;
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, const RECT& rect,
                    HWND parent, UINT_PTR idOrMenu, void* param)
{
    return CreateEx(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, idOrMenu, param);
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                    int width, int height, HWND parent, UINT_PTR idOrMenu, void* param)
{
    if (className == nullptr) {
        RegisterFrameworkClass();
        className = frameworkClassName;
    }
    CreationHook hook(*this, className, parent);
    if (!hook.IsInstalled())
        return false;
    HWND window = CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent,
                                  reinterpret_cast<HMENU>(idOrMenu), ResourceInstance(), param);
    if (window != nullptr && window == hwnd)
        return true;
    // Nothing is left half made: no stale binding, no window without its object.
    Unbind();
    if (window != nullptr)
        ::DestroyWindow(window);
    return false;
}

bool CWnd::DestroyWindow()
{
    return hwnd != nullptr && ::DestroyWindow(hwnd) != FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(hwnd, message, wParam, lParam);
}

bool CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(hwnd, message, wParam, lParam) != FALSE;
}

int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(hwnd);
}

HWND CWnd::GetDlgItem(int id) const
{
    return ::GetDlgItem(hwnd, id);
}

HWND CWnd::GetParent() const
{
    return ::GetParent(hwnd);
}

HWND CWnd::GetTopLevelHwnd() const
{
    return hwnd != nullptr ? GetAncestor(hwnd, GA_ROOT) : nullptr;
}

std::string CWnd::GetWindowText() const
{
    return WindowTextOf(hwnd);
}

void CWnd::SetWindowText(const std::string& text)
{
    ::SetWindowTextA(hwnd, text.c_str());
}

void CWnd::SetDlgItemText(int id, const std::string& text)
{
    ::SetDlgItemTextA(hwnd, id, text.c_str());
}

std::string CWnd::GetDlgItemText(int id) const
{
    return WindowTextOf(GetDlgItem(id));
}

bool CWnd::ShowWindow(int show)
{
    return ::ShowWindow(hwnd, show) != FALSE;
}

bool CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(hwnd) != FALSE;
}

bool CWnd::HasVisibleStyle() const
{
    return (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool CWnd::EnableWindow(bool enable)
{
    return ::EnableWindow(hwnd, enable ? TRUE : FALSE) != FALSE;
}

bool CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(hwnd) != FALSE;
}

void CWnd::SetFocus()
{
    ::SetFocus(hwnd);
}

RECT CWnd::GetClientRect() const
{
    RECT rect{};
    ::GetClientRect(hwnd, &rect);
    return rect;
}

RECT CWnd::GetWindowRect() const
{
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    return rect;
}

void CWnd::ScreenToClient(POINT& point) const
{
    ::ScreenToClient(hwnd, &point);
}

void CWnd::ScreenToClient(RECT& rect) const
{
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&rect), 2);
}

void CWnd::MoveWindow(const RECT& rect, bool repaint)
{
    ::MoveWindow(hwnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 repaint ? TRUE : FALSE);
}

void CWnd::SetRedraw(bool redraw)
{
    SendMessage(WM_SETREDRAW, redraw ? TRUE : FALSE);
}

int CWnd::MessageBox(const std::string& text, const std::string& caption, UINT type) const
{
    return ::MessageBoxA(hwnd, text.c_str(), caption.c_str(), type);
}

bool CWnd::PreTranslateMessage(MSG*)
{
    return false;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return false;
        *result = 0;
        return true;
    }
    if (message == WM_NOTIFY)
        return OnNotify(wParam, lParam, result);
    const MessageEntry* entry = GetMessageMap()->Find(EntryKind::Message, message, 0);
    if (entry == nullptr)
        return false;
    MessageArgs args{message, wParam, lParam};
    entry->handler(*this, args);
    *result = args.result;
    return true;
}

bool CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    int code = HIWORD(wParam);
    if (lParam != 0 && exchangeDepth > 0)
        return true; // a control reacting to data exchange, not to the user
    if (lParam == 0) {
        // Menu items and accelerators (code 1) are commands; one that its
        // update handler disables does nothing, whatever sent it.
        code = commandCode;
        CCmdUI probe;
        probe.id = id;
        if (OnCmdMsg(id, updateCode, &probe) && probe.enableChanged && !probe.enabled)
            return true;
    }
    return OnCmdMsg(id, code, nullptr);
}

bool CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header == nullptr)
        return false;
    if (exchangeDepth > 0)
        return true;
    if (CWnd* child = FromHandlePermanent(header->hwndFrom);
        child != nullptr && child != this && child->OnChildNotify(WM_NOTIFY, header->idFrom, lParam, result))
        return true;
    const MessageEntry* entry =
        GetMessageMap()->Find(EntryKind::Notify, header->code, static_cast<UINT>(header->idFrom));
    if (entry == nullptr)
        return false;
    MessageArgs args{WM_NOTIFY, header->idFrom, lParam};
    entry->handler(*this, args);
    *result = args.result;
    return true;
}

bool CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message != WM_NOTIFY)
        return false;
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    const MessageEntry* entry = GetMessageMap()->Find(EntryKind::NotifyReflect, header->code, 0);
    if (entry == nullptr)
        return false;
    MessageArgs args{message, wParam, lParam};
    entry->handler(*this, args);
    *result = args.result;
    return true;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(current.message, current.wParam, current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallProc(superProc, unicode, hwnd, message, wParam, lParam);
}
