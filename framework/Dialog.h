#pragma once

#include "DataExchange.h"
#include "Wnd.h"

#include <string>

// A dialog from a template, modal or modeless. Data exchange runs when it
// opens and again, towards the members, when OK closes a modal one.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) : templateId(templateId), parent(parent) {}

    // IDOK, IDCANCEL, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless, owned by the parent's top-level window; the
    // template's visible style shows it. False when no window came of it.
    bool Create(UINT id, CWnd* parentWnd = nullptr);
    void EndDialog(int result);
    // Centres the dialog over its owner (over the work area without one),
    // kept whole on the screen.
    void CenterWindow();
    // A modeless dialog takes its own keys: Tab, Enter, Esc and mnemonics.
    bool PreTranslateMessage(MSG* message) override;

protected:
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK ModalDialogProc(HWND, UINT, WPARAM, LPARAM);
    HWND OwnerWindow() const;
    UINT templateId;
    CWnd* parent;
    bool modeless = false;
};
