#pragma once

#include "framework/WinApp.h"

// The application: names the settings store, builds the document template
// and shows the prompt for the focused control whenever it falls idle.
class CTrawlApp : public CWinApp {
public:
    bool InitInstance() override;
    bool OnIdle(LONG count) override;

    void OnAppAbout();

protected:
    DECLARE_MESSAGE_MAP()
};
