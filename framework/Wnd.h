#pragma once

#include "CmdTarget.h"
#include "CreationHook.h"

#include <string>

class CDataExchange;

// A window object bound to its HWND. Every bound window runs through one
// window procedure that looks messages up in the object's message map.
class CWnd : public CCmdTarget, public ICreatedWindowBinding {
public:
    CWnd() = default;
    ~CWnd() override;

    HWND GetSafeHwnd() const { return hwnd; }
    explicit operator bool() const { return hwnd != nullptr; }

    // The object bound to a window, or null.
    static CWnd* FromHandlePermanent(HWND window);

    // Binds this object to an existing window and routes its messages
    // through the message map (the window's own procedure handles the rest).
    bool SubclassWindow(HWND window);
    bool SubclassDlgItem(int id, CWnd& parent);
    // Undoes SubclassWindow without destroying the window.
    HWND UnsubclassWindow();

    // Creates a window (of the framework's own class when className is null)
    // already bound to this object when its first message arrives.
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, const RECT& rect,
                  HWND parent, UINT_PTR idOrMenu, void* param = nullptr);
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                  int width, int height, HWND parent, UINT_PTR idOrMenu, void* param = nullptr);
    bool DestroyWindow();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    int GetDlgCtrlID() const;
    HWND GetDlgItem(int id) const;
    HWND GetParent() const;
    // The top-level window this window belongs to (itself when top-level).
    HWND GetTopLevelHwnd() const;
    std::string GetWindowText() const;
    void SetWindowText(const std::string& text);
    void SetDlgItemText(int id, const std::string& text);
    std::string GetDlgItemText(int id) const;
    bool ShowWindow(int show);
    bool IsWindowVisible() const;
    // The window's own visible style, whether or not its parents are shown.
    bool HasVisibleStyle() const;
    bool EnableWindow(bool enable = true);
    bool IsWindowEnabled() const;
    void SetFocus();
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    void ScreenToClient(POINT& point) const;
    void ScreenToClient(RECT& rect) const;
    void MoveWindow(const RECT& rect, bool repaint = true);
    void SetRedraw(bool redraw);
    int MessageBox(const std::string& text, const std::string& caption, UINT type) const;

    // Moves values between the child controls and the members, in one place.
    virtual void DoDataExchange(CDataExchange* exchange);
    // false: members to controls; true: controls to members. Notifications
    // the controls send meanwhile are ignored, so change handlers only ever
    // see the user's own edits.
    bool UpdateData(bool saveAndValidate = true);

    // Offered every message of the message loop before it is dispatched;
    // true when the message was used up.
    virtual bool PreTranslateMessage(MSG* message);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Looks the message up in the map; false when nothing handled it.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    virtual bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A notification this window sent, reflected back by its parent.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The window's own handling of the message being dispatched.
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the window is gone; the object may delete itself here.
    virtual void PostNcDestroy() {}

private:
    friend LRESULT FrameworkWndProc(HWND, UINT, WPARAM, LPARAM, bool unicode);

    void BindCreated(HWND window, bool ansi) override { Bind(window, ansi); }
    void Bind(HWND window, bool ansi = false);
    void Unbind();

    HWND hwnd = nullptr;
    WNDPROC superProc = nullptr;
    // A Unicode window stays one when bound, so that typed characters and
    // texts pass through in UTF-16, whole; its messages arrive in that form.
    bool unicode = false;
    int exchangeDepth = 0;
    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } current{};
};
