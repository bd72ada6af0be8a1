#pragma once

#include "framework/Dialog.h"

#include <functional>
#include <string>

// Sent by the attributes window to the window that owns it when the user
// closes it; the owner destroys the window and releases the object.
inline constexpr UINT WM_ATTRIBWND_CLOSED = WM_USER + 100;

// The modeless window that shows the name, size, times and attribute flags
// of the current result's file. It only displays: its boxes cannot change.
class CFileAttribDlg : public CDialog {
public:
    // `place` moves the window to its spot before it first shows.
    CFileAttribDlg(CWnd* owner, std::function<void(CWnd&)> place);

    void DoDataExchange(CDataExchange* exchange) override;

    int archiveCheck = 0;
    std::string accessedText;
    std::string createdText;
    std::string modifiedText;
    std::string nameText;
    std::string sizeText;
    int hiddenCheck = 0;
    int readOnlyCheck = 0;
    int systemCheck = 0;

protected:
    // Placed before it shows: no jump from the centre.
    bool OnInitDialog() override;
    void OnOK() override;
    // Esc closes the window as OK does: hiding it would leave the view
    // believing it open.
    void OnCancel() override;
    void OnAttributeBoxClicked();

    DECLARE_MESSAGE_MAP()

private:
    void AskOwnerToClose();

    CWnd* owner;
    std::function<void(CWnd&)> place;
};
