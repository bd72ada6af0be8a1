#pragma once

#include "Document.h"
#include "Wnd.h"

class CFrameWnd;
// A view inside a frame, showing its document. Commands it does not handle
// go on to the document.
class CView : public CWnd {
public:
    CDocument* GetDocument() const { return document; }
    void SetDocument(CDocument* newDocument) { document = newDocument; }
    CFrameWnd* GetParentFrame() const;

    // Creates the view's window as the frame's client pane.
    virtual bool Create(CFrameWnd& frame, UINT id, CCreateContext* context) = 0;
    virtual void OnInitialUpdate() {}
    // Records the focused control, to restore it when the frame is active again.
    virtual void RememberFocus() {}
    // The frame moved to a monitor of another DPI; called before it takes its new size.
    virtual void OnDpiChanged(int /*oldDpi*/, int /*newDpi*/) {}

    bool OnCmdMsg(UINT id, int code, CCmdUI* cmdUI) override;

protected:
    LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()

private:
    CDocument* document = nullptr;
};

// A view made from a dialog template: the template's controls fill it, the
// dialog manager handles Tab and Enter, and it scrolls when the window is
// smaller than the template.
class CFormView : public CView {
public:
    explicit CFormView(UINT templateId) : templateId(templateId) {}
    ~CFormView() override;

    bool Create(CFrameWnd& frame, UINT id, CCreateContext* context) override;
    void OnInitialUpdate() override;

    // Sizes the parent frame so that this view's client area is exactly the
    // template's size (shrinking too, unless shrinkOnly).
    void ResizeParentToFit(bool shrinkOnly = true);
    SIZE GetTotalSize() const { return totalSize; }
    POINT GetScrollPosition() const { return scrollPosition; }

    bool PreTranslateMessage(MSG* message) override;
    void RememberFocus() override;
    // Scales the controls' places and sizes, their font and the template size.
    void OnDpiChanged(int oldDpi, int newDpi) override;

protected:
    void OnSize(UINT type, int cx, int cy);
    LRESULT OnHScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK FormDialogProc(HWND, UINT, WPARAM, LPARAM);
    void UpdateScrollBars();
    void ScrollTo(int x, int y);
    int ScrollPositionFor(int bar, WPARAM wParam) const;

    UINT templateId;
    SIZE totalSize{};
    POINT scrollPosition{};
    HWND focusedControl = nullptr;
    bool updatingScrollBars = false;
    HFONT scaledFont = nullptr; // the form's font at a DPI other than the first
};
