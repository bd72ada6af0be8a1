#include "CmdUI.h"

void CCmdUI::Enable(bool on)
{
    enabled = on;
    enableChanged = true;
}

void CCmdUI::SetCheck(int) {}

void CCmdUI::SetText(const std::string&) {}
