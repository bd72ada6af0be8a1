#pragma once

#include "Platform.h"

#include <string>

class CCmdTarget;

// The command-update question for one user-interface item: a menu item, a
// button or a status bar pane. Handlers answer by enabling, checking or
// setting the text; they never change program state.
class CCmdUI {
public:
    virtual ~CCmdUI() = default;

    virtual void Enable(bool on = true);
    virtual void SetCheck(int check = 1);
    virtual void SetText(const std::string& text);

    // Asks the target (and whatever it routes to) the question; true when a
    // handler answered. Unanswered items keep their state.
    bool DoUpdate(CCmdTarget& target);

    UINT id = 0;
    bool handled = false;
    // Set by the item kinds that can be enabled; read by the caller afterwards.
    bool enabled = true;
    bool enableChanged = false;
};
