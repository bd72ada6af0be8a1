#pragma once

#include "framework/FrameWnd.h"
#include "framework/StatusBar.h"

// The main window: the search form, the menus and the status bar with the
// count of files in the result list.
class CMainFrame : public CFrameWnd {
    DECLARE_RUNTIME_CLASS()

public:
    // Rows the last Clear, Search or Delete left in the result list. Counted
    // in 32 bits: the pane must stay right past 32,767 files.
    int32_t foundCount = 0;

protected:
    int OnCreate(CREATESTRUCTA* create);
    void OnClose();
    void OnUpdateFoundCount(CCmdUI* cmdUI);

    DECLARE_MESSAGE_MAP()

private:
    CStatusBar statusBar;
};
