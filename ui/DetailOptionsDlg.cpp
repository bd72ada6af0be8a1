#include "DetailOptionsDlg.h"

#include "res/resource.h"

const MessageMap CDetailOptionsDlg::messageMap = MakeMessageMap(&CDialog::messageMap);

CDetailOptionsDlg::CDetailOptionsDlg(CWnd* parent) : CDialog(IDD_DETAIL_OPTIONS, parent) {}

void CDetailOptionsDlg::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Check(exchange, IDC_OPT_ATTRIB, showAttrib);
    DDX_Check(exchange, IDC_OPT_DATE, showDate);
    DDX_Check(exchange, IDC_OPT_SIZE, showSize);
    DDX_Check(exchange, IDC_OPT_VERSION, showVersion);
}
