#include "AddEntryDlg.h"

#include "res/resource.h"

#include <objbase.h>
#include <shlobj.h>

const MessageEntry CAddEntryDlg::messageEntries[] = {
    msgmap::ControlNotify<&CAddEntryDlg::OnBrowse>(BN_CLICKED, IDC_ADD_BROWSE),
};
const MessageMap CAddEntryDlg::messageMap = MakeMessageMap(&CDialog::messageMap, messageEntries);

CAddEntryDlg::CAddEntryDlg(CWnd* parent) : CDialog(IDD_ADD_ENTRY, parent) {}

bool CAddEntryDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemTextW(GetSafeHwnd(), IDC_ADD_TEXT, text.c_str());
    return true;
}

void CAddEntryDlg::OnOK()
{
    const HWND edit = GetDlgItem(IDC_ADD_TEXT);
    std::wstring typed(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    typed.resize(static_cast<size_t>(GetWindowTextW(edit, typed.data(), static_cast<int>(typed.size()))));
    text = std::move(typed);
    EndDialog(IDOK);
}

void CAddEntryDlg::OnBrowse()
{
    // The picker's newer look needs COM on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    BROWSEINFOW browse{};
    browse.hwndOwner = GetSafeHwnd();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse)) {
        wchar_t path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(chosen, path))
            SetDlgItemTextW(GetSafeHwnd(), IDC_ADD_TEXT, path);
        CoTaskMemFree(chosen);
    }
    if (SUCCEEDED(com))
        CoUninitialize();
}
