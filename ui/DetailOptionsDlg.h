#pragma once

#include "framework/Dialog.h"

// Which optional result columns show: size, date, attributes, and version
// with platform. Edits a
// copy of the document's flags; the view applies them on OK.
class CDetailOptionsDlg : public CDialog {
public:
    explicit CDetailOptionsDlg(CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* exchange) override;

    int showAttrib = 0;
    int showDate = 0;
    int showSize = 0;
    int showVersion = 0;

protected:
    DECLARE_MESSAGE_MAP()
};
