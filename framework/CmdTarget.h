#pragma once

#include "MessageMap.h"

// Codes passed to OnCmdMsg besides a control's own notification codes.
inline constexpr int commandCode = 0; // a command: menu item, accelerator, button click
inline constexpr int updateCode = -1; // the command-update question
inline constexpr int probeCode = -2;  // is there a handler for this command? (runs nothing)

// Something that can handle commands through its message map.
class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    static const MessageMap messageMap;
    virtual const MessageMap* GetMessageMap() const { return &messageMap; }

    // Handles a command, control notification or update question with this
    // target's own map. Routing targets override it to pass the command on.
    virtual bool OnCmdMsg(UINT id, int code, CCmdUI* cmdUI);
    // Asks this target (and whatever it routes to) the item's update
    // question; true when a handler answered. Unanswered items keep their state.
    bool AskUpdate(CCmdUI& item);

    // Shows the wait cursor until the matching EndWaitCursor.
    void BeginWaitCursor();
    void EndWaitCursor();

protected:
    // Runs a matching entry of the map chain; false when there is none.
    bool DispatchCmdMsg(UINT id, int code, CCmdUI* cmdUI);

private:
    int waitDepth = 0;
    HCURSOR cursorBeforeWait = nullptr;
};
