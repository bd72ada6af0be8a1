#pragma once

#include "framework/ListCtrl.h"

#include <string>
#include <vector>

// The Directory List's table. While it edits, its keys stand for the
// dialog's buttons: Del removes, F2 edits, Alt+Up and Alt+Down move.
class CEntryTable : public CListCtrl {
public:
    bool editKeys = false;

    // The rows selected, in order.
    std::vector<size_t> SelectedRows() const;
    // Exactly these rows selected, the first focused and in view.
    void SelectRows(const std::vector<size_t>& rows);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Press(int button) const;
};
