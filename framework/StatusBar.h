#pragma once

#include "CmdUI.h"
#include "Wnd.h"

#include <string>
#include <vector>

// The status bar: pane 0 stretches and shows messages, the other panes are
// indicators sized by their string-table text and updated at idle time.
class CStatusBar : public CWnd {
public:
    bool Create(CWnd& parent, DWORD style, UINT id);
    // Loads the sizing text of every nonzero id; false when one is missing.
    bool SetIndicators(const UINT* ids, int count);
    int GetCount() const { return static_cast<int>(panes.size()); }
    UINT GetItemID(int index) const { return panes[static_cast<size_t>(index)].id; }
    int CommandToIndex(UINT id) const;
    bool SetPaneText(int index, const std::string& text);
    std::string GetPaneText(int index) const;
    int GetPaneWidth(int index) const;
    // Widens the pane of this id, if need be, so that the text shows whole.
    void FitPaneToText(UINT id, const std::string& text);
    // Measures every pane again in the bar's font (after a DPI change).
    void RemeasurePanes();
    // Height the bar wants at the bottom of its parent.
    int GetHeight() const;
    // Asks the target the update question for every indicator pane.
    void UpdatePanes(CCmdTarget& target);
    // Refits the pane edges to the bar's width.
    void LayoutPanes();

private:
    struct Pane {
        UINT id;
        int width;
        std::string text;
        bool enabled;
        std::vector<std::string> sizingTexts; // the widest of them sets the width
    };
    int TextWidth(HDC dc, const std::string& text) const;
    std::vector<Pane> panes;
};

// The update question for one status bar pane.
class CStatusCmdUI : public CCmdUI {
public:
    CStatusCmdUI(CStatusBar& bar, int index) : bar(bar), index(index) {}
    void SetText(const std::string& text) override;

private:
    CStatusBar& bar;
    int index;
};
