#include "CmdUI.h"

#include "CmdTarget.h"

void CCmdUI::Enable(bool on)
{
    enabled = on;
    enableChanged = true;
}

void CCmdUI::SetCheck(int) {}

void CCmdUI::SetText(const std::string&) {}

bool CCmdUI::DoUpdate(CCmdTarget& target)
{
    handled = false;
    target.OnCmdMsg(id, updateCode, this);
    return handled;
}
