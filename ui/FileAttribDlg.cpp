#include "FileAttribDlg.h"

#include "res/resource.h"

const MessageEntry CFileAttribDlg::messageEntries[] = {
    msgmap::ControlNotify<&CFileAttribDlg::OnAttributeBoxClicked>(BN_CLICKED, IDC_ATTR_READONLY),
    msgmap::ControlNotify<&CFileAttribDlg::OnAttributeBoxClicked>(BN_CLICKED, IDC_ATTR_ARCHIVE),
    msgmap::ControlNotify<&CFileAttribDlg::OnAttributeBoxClicked>(BN_CLICKED, IDC_ATTR_HIDDEN),
    msgmap::ControlNotify<&CFileAttribDlg::OnAttributeBoxClicked>(BN_CLICKED, IDC_ATTR_SYSTEM),
};
const MessageMap CFileAttribDlg::messageMap = MakeMessageMap(&CDialog::messageMap, messageEntries);

CFileAttribDlg::CFileAttribDlg(CWnd* owner, std::function<void(CWnd&)> place)
    : CDialog(IDD_FILE_ATTRIBUTES, owner), owner(owner), place(std::move(place))
{
}

void CFileAttribDlg::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Check(exchange, IDC_ATTR_ARCHIVE, archiveCheck);
    DDX_Text(exchange, IDC_ATTR_ACCESSED, accessedText);
    DDX_Text(exchange, IDC_ATTR_CREATED, createdText);
    DDX_Text(exchange, IDC_ATTR_MODIFIED, modifiedText);
    DDX_Text(exchange, IDC_ATTR_NAME, nameText);
    DDX_Text(exchange, IDC_ATTR_SIZE, sizeText);
    DDX_Check(exchange, IDC_ATTR_HIDDEN, hiddenCheck);
    DDX_Check(exchange, IDC_ATTR_READONLY, readOnlyCheck);
    DDX_Check(exchange, IDC_ATTR_SYSTEM, systemCheck);
}

bool CFileAttribDlg::OnInitDialog()
{
    const bool result = CDialog::OnInitDialog();
    if (place)
        place(*this);
    return result;
}

void CFileAttribDlg::OnOK()
{
    AskOwnerToClose();
}

void CFileAttribDlg::OnCancel()
{
    AskOwnerToClose();
}

void CFileAttribDlg::AskOwnerToClose()
{
    // The owner deletes this object before the send returns: nothing of it
    // may be touched afterwards.
    ::SendMessageA(owner->GetSafeHwnd(), WM_ATTRIBWND_CLOSED, 0, 0);
}

void CFileAttribDlg::OnAttributeBoxClicked()
{
    // The box toggled itself; put it back as the file has it.
    UpdateData(false);
}
