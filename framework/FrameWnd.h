#pragma once

#include "Document.h"
#include "StatusBar.h"
#include "Wnd.h"

#include <string>

class CView;

// Private framework messages.
inline constexpr UINT WM_SETMESSAGESTRING = 0x0362;
inline constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;
inline constexpr UINT WM_INITIALUPDATE = 0x0364;
inline constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;

// The top-level window: menu, accelerators, caption with the document's
// title, the view and a status bar. Commands reach the active view first,
// then the document, the frame and the application.
class CFrameWnd : public CWnd {
public:
    // Creates the frame from a resource id (menu, accelerators, icon and the
    // window title from the document string) with the context's view.
    virtual bool LoadFrame(UINT resourceId, DWORD style, HWND parent, CCreateContext* context);

    CView* GetActiveView() const { return activeView; }
    void SetActiveView(CView* view);
    CDocument* GetActiveDocument() const;
    // Lays the control bars and the view out over the client area.
    virtual void RecalcLayout();
    // Shows the document's title in the caption: "title - Trawl".
    virtual void OnUpdateFrameTitle();
    // Gives the view its first update and shows the frame.
    void InitialUpdateFrame(int showCommand);

    // The message pane: a string-table id (its text up to the first newline) or a text.
    void SetMessageText(UINT stringId);
    void SetMessageText(const std::string& text);

    const std::string& GetTitle() const { return windowTitle; }
    HACCEL GetAccelerators() const { return accelerators; }
    CStatusBar* GetStatusBar();

    bool OnCmdMsg(UINT id, int code, CCmdUI* cmdUI) override;
    bool PreTranslateMessage(MSG* message) override;

protected:
    virtual bool OnCreateClient(CREATESTRUCTA* create, CCreateContext* context);
    int OnCreate(CREATESTRUCTA* create);
    void OnSize(UINT type, int cx, int cy);
    void OnClose();
    void OnDestroy();
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
    LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);
    LRESULT OnExitMenuLoop(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    void OnViewStatusBar();
    void OnUpdateViewStatusBar(CCmdUI* cmdUI);
    void OnUpdateKeyIndicator(CCmdUI* cmdUI);
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()

private:
    // Enables or disables the items of a menu as their update handlers say;
    // items no one handles are disabled.
    void UpdateMenuItems(HMENU menu);

    CCreateContext* creationContext = nullptr;
    CView* activeView = nullptr;
    HACCEL accelerators = nullptr;
    void LoadIcons();
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);

    UINT iconId = 0;
    int dpi = 0; // the DPI the frame and its view are laid out for
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    std::string windowTitle;
    // Frames delete themselves when their window is gone, once they loaded.
    bool autoDelete = false;
};

// The update question for one menu item.
class CMenuCmdUI : public CCmdUI {
public:
    CMenuCmdUI(HMENU menu, UINT position) : menu(menu), position(position) {}
    void Enable(bool on = true) override;
    void SetCheck(int check = 1) override;
    void SetRadio(bool on = true) override;
    void SetText(const std::string& text) override;

private:
    HMENU menu;
    UINT position;
};
