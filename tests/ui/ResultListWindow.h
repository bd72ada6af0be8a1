#pragma once

#include "ui/ResultListCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A frame, a form inside it and the result list inside the form: the list's
// parent is not its top-level window, as in the program.
class CMenuRecorder : public CWnd {
public:
    struct Item {
        std::string text;
        UINT id;
        bool operator==(const Item&) const = default;
    };
    std::vector<std::vector<Item>> menusShown;

protected:
    // Records the popup and closes it at once, so the menu's loop returns.
    LRESULT OnInitMenuPopup(WPARAM menu, LPARAM);

    DECLARE_MESSAGE_MAP()
};

// The visible frame all tests share: under Wine without a window manager,
// hiding or destroying a top-level window waits two seconds.
CMenuRecorder& SharedFrame();

class ResultListTest : public testing::Test {
protected:
    void SetUp() override
    {
        frame.menusShown.clear();
        CreateWindows(LVS_SINGLESEL);
    }
    // Replaces the list with a new one of the given style.
    void CreateWindows(DWORD listStyle);

    std::vector<LPARAM> ItemData() const;
    std::vector<std::string> ColumnTexts(int column) const;
    // Presses and releases the mouse on a heading, through the list's header.
    void ClickHeading(int column);
    // A right click at a point of the list's client area, with the cursor there.
    void RightClick(POINT clientPoint);
    POINT RowCentre(int row) const;

    CMenuRecorder& frame = SharedFrame();
    CMenuRecorder form;
    CResultListCtrl list;
};
