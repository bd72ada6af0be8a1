#include "BenchSession.h"

#include "Timing.h"

#include "app/TrawlDoc.h"
#include "res/resource.h"

bool BenchSession::StartWithAllColumns()
{
    Start();
    if (view == nullptr)
        return false;
    // Every column, whatever the settings say.
    view->GetDocument()->options = allColumns;
    view->SetupColumns();
    Pump();
    return true;
}

void BenchSession::Fill(const std::vector<RowTexts>& rows, int copies)
{
    CResultListCtrl& list = view->resultList;
    list.SetRedraw(false);
    int row = 0;
    for (int copy = 0; copy < copies; ++copy) {
        for (const RowTexts& texts : rows) {
            for (int column = 0; column < trawl::maxResultColumns; ++column)
                list.SetCell(row, column, texts[static_cast<size_t>(column)]);
            ++row;
        }
    }
    list.SetRedraw(true);
    InvalidateRect(list.GetSafeHwnd(), nullptr, TRUE);
    Pump();
}

double BenchSession::TimedClear()
{
    const double start = Now();
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_CLEAR, 1));
    Pump();
    return Now() - start;
}

double BenchSession::TimedSearch(const std::string& directoryList)
{
    view->useEnvironment = 0;
    view->myPath = directoryList;
    view->fileName = "*";
    view->UpdateData(false);
    const double start = Now();
    view->OnSearch();
    Pump();
    return Now() - start;
}

int BenchSession::Run(bool endProcessOnClose)
{
    App().endProcessOnClose = endProcessOnClose;
    return App().Run();
}
