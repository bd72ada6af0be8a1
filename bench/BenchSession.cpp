#include "BenchSession.h"

#include "Timing.h"

#include "ui/TrawlDoc.h"
#include "res/resource.h"
#include "core/DirectorySearch.h"

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

int BenchSession::Fill(const std::vector<RecordedRow>& rows, int copies)
{
    CResultListCtrl& list = view->resultList;
    const int columns = list.GetColumnCount();
    list.SetRedraw(false);
    int row = 0;
    for (int copy = 0; copy < copies; ++copy) {
        for (const RecordedRow& recorded : rows) {
            trawl::FoundEntry entry;
            entry.name = recorded.name;
            entry.attributes = recorded.attributes;
            entry.exactName = recorded.exactName;
            entry.exactShortName = recorded.exactShortName;
            list.InsertFoundRow(row, recorded.Cell(0), entry);
            for (int column = 1; column < columns; ++column)
                list.SetCell(row, column, recorded.Cell(column));
            ++row;
        }
    }
    list.SetRedraw(true);
    InvalidateRect(list.GetSafeHwnd(), nullptr, TRUE);
    Pump();
    return RowCount();
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
