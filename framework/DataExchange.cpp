#include "DataExchange.h"

// The window's side of the exchange lives with it: a window that never
// exchanges data needs nothing of this file.
void CWnd::DoDataExchange(CDataExchange*) {}

bool CWnd::UpdateData(bool saveAndValidate)
{
    ++exchangeDepth;
    try {
        CDataExchange exchange(*this, saveAndValidate);
        DoDataExchange(&exchange);
    } catch (...) {
        --exchangeDepth;
        throw;
    }
    --exchangeDepth;
    return true;
}

void DDX_Control(CDataExchange* exchange, int id, CWnd& control)
{
    if (control.GetSafeHwnd() == nullptr)
        control.SubclassDlgItem(id, exchange->window);
}

void DDX_Text(CDataExchange* exchange, int id, std::string& value)
{
    if (exchange->saveAndValidate)
        value = exchange->window.GetDlgItemText(id);
    else
        exchange->window.SetDlgItemText(id, value);
}

void DDX_Check(CDataExchange* exchange, int id, int& value)
{
    HWND box = exchange->window.GetDlgItem(id);
    if (exchange->saveAndValidate) {
        value = static_cast<int>(SendMessageA(box, BM_GETCHECK, 0, 0));
        return;
    }
    if (value < 0 || value > 2)
        value = 0; // not a check state: show the box unchecked
    SendMessageA(box, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}
