#pragma once

#include "Wnd.h"

#include <string>

// One run of data exchange for a window whose controls are its children.
class CDataExchange {
public:
    CDataExchange(CWnd& window, bool saveAndValidate) : window(window), saveAndValidate(saveAndValidate) {}
    CWnd& window;
    const bool saveAndValidate;
};

// Binds a member control object to the child control with that id (once).
void DDX_Control(CDataExchange* exchange, int id, CWnd& control);
void DDX_Text(CDataExchange* exchange, int id, std::string& value);
// The check state of a box: a value outside 0..2 shows as unchecked and reads back as 0.
void DDX_Check(CDataExchange* exchange, int id, int& value);
