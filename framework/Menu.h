#pragma once

#include "Platform.h"

// A menu loaded from the resources, destroyed with the object.
class CMenu {
public:
    CMenu() = default;
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    bool LoadMenu(UINT id);
    HMENU GetSafeHmenu() const { return menu; }
    HMENU GetSubMenu(int position) const;

private:
    HMENU menu = nullptr;
};
