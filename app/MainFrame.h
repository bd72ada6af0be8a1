#pragma once

#include "framework/FrameWnd.h"
#include "framework/StatusBar.h"

// The main window: the search form, the menus and the status bar with the
// count of files in the result list, which it reads from the view at idle.
class CMainFrame : public CFrameWnd {
    DECLARE_RUNTIME_CLASS()

public:
    // Closing ends the process at once, windows and all; the application
    // passes its own flag on when it made the frame.
    bool endProcessOnClose = false;

protected:
    int OnCreate(CREATESTRUCTA* create);
    void OnClose();
    void OnUpdateFoundCount(CCmdUI* cmdUI);

    DECLARE_MESSAGE_MAP()

private:
    CStatusBar statusBar;
};
