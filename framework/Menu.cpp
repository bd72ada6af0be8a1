#include "Menu.h"

#include "Resources.h"
#include "Wnd.h"

CMenu::~CMenu()
{
    if (menu != nullptr)
        DestroyMenu(menu);
}

bool CMenu::LoadMenu(UINT id)
{
    if (menu != nullptr)
        DestroyMenu(menu);
    menu = ::LoadMenuA(ResourceInstance(), MAKEINTRESOURCEA(id));
    return menu != nullptr;
}

HMENU CMenu::GetSubMenu(int position) const
{
    return menu != nullptr ? ::GetSubMenu(menu, position) : nullptr;
}
