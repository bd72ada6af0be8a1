#pragma once

#include "framework/WinApp.h"

// The application: names the settings store, builds the document template
// and shows the prompt for the focused control whenever it falls idle.
class CTrawlApp : public CWinApp {
public:
    bool InitInstance() override;
    bool OnIdle(LONG count) override;

    void OnAppAbout();
    // Closing the main window ends the process at once, windows and all. Set
    // by the entry code; in-process tests keep the ordinary teardown.
    bool endProcessOnClose = false;

protected:
    DECLARE_MESSAGE_MAP()
};
