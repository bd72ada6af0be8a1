#pragma once

#include "Platform.h"

#include <string>

// The command-update question for one user-interface item: a menu item, a
// button or a status bar pane. Handlers answer by enabling, checking or
// setting the text; they never change program state. A target asks the
// question with CCmdTarget::AskUpdate.
class CCmdUI {
public:
    virtual ~CCmdUI() = default;

    virtual void Enable(bool on = true);
    virtual void SetCheck(int check = 1);
    // Checked as one of a group of choices: a menu item shows a dot.
    virtual void SetRadio(bool on = true);
    virtual void SetText(const std::string& text);

    UINT id = 0;
    bool handled = false;
    // Set by the item kinds that can be enabled; read by the caller afterwards.
    bool enabled = true;
    bool enableChanged = false;
};
