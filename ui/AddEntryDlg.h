#pragma once

#include "framework/Dialog.h"

#include <string>

// A new entry for the directory list: typed, or picked with the system's
// folder picker.
class CAddEntryDlg : public CDialog {
public:
    explicit CAddEntryDlg(CWnd* parent = nullptr);

    // The entry as typed, in UTF-16: a directory's name may hold what the
    // code page cannot.
    std::wstring text;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnBrowse();

    DECLARE_MESSAGE_MAP()
};
