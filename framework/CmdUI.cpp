#include "CmdUI.h"

void CCmdUI::Enable(bool on)
{
    enabled = on;
    enableChanged = true;
}

void CCmdUI::SetCheck(int) {}

void CCmdUI::SetRadio(bool on)
{
    SetCheck(on ? 1 : 0);
}

void CCmdUI::SetText(const std::string&) {}
