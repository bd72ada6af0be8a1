#pragma once

#include "Wnd.h"

#include <string>

class CComboBox : public CWnd {
public:
    int AddString(const std::string& text);
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index)
    {
        return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)));
    }
    // Selects the first entry, from the top, that begins with the text (any case).
    int SelectString(int startAfter, const std::string& prefix);
    std::string GetLBText(int index) const;
};
