#pragma once

#include "framework/Dialog.h"

#include <string>

class CTrawlView;

// Sent by the attributes window to the view that owns it when the user
// closes it; the view destroys the window and releases the object.
inline constexpr UINT WM_ATTRIBWND_CLOSED = WM_USER + 100;

// The modeless window that shows the name, size, times and attribute flags
// of the current result's file. It only displays: its boxes cannot change.
class CFileAttribDlg : public CDialog {
public:
    explicit CFileAttribDlg(CTrawlView* view);

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
    CTrawlView* ownerView;

protected:
    // Placed beside the main window before it shows: no jump from the centre.
    bool OnInitDialog() override;
    void OnOK() override;
    // Esc closes the window as OK does: hiding it would leave the view
    // believing it open.
    void OnCancel() override;
    void OnAttributeBoxClicked();

    DECLARE_MESSAGE_MAP()

private:
    void AskOwnerToClose();
};
