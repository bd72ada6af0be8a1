#include "DirectoryListDlg.h"

#include "framework/Resources.h"
#include "res/resource.h"
#include "ui/PlatformNameFolder.h"
#include "ui/Win32DirectoryProbe.h"

#include <algorithm>
#include <cstring>

const MessageEntry CDirectoryListDlg::messageEntries[] = {
    msgmap::ControlNotify<&CDirectoryListDlg::OnCopy>(BN_CLICKED, IDC_DIRLIST_COPY),
};
const MessageMap CDirectoryListDlg::messageMap = MakeMessageMap(&CDialog::messageMap, messageEntries);

namespace {

std::vector<std::string> LoadStrings(UINT first, UINT count)
{
    std::vector<std::string> strings;
    for (UINT id = first; id < first + count; ++id)
        strings.push_back(LoadResString(id));
    return strings;
}

constexpr UINT stateCount = static_cast<UINT>(trawl::entryStateCount);
constexpr UINT originCount = static_cast<UINT>(trawl::EntryOrigin::Typed) + 1;

} // namespace

CDirectoryListDlg::CDirectoryListDlg(std::string listText, trawl::StoredValues stored, CWnd* parent)
    : CDialog(IDD_DIRECTORY_LIST, parent), listText(std::move(listText)), stored(std::move(stored))
{
}

void CDirectoryListDlg::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_DIRLIST_TABLE, entryTable);
    DDX_Text(exchange, IDC_DIRLIST_SUMMARY, summary);
}

bool CDirectoryListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    texts.states = LoadStrings(IDS_DIRLIST_EMPTY, stateCount);
    texts.origins = LoadStrings(IDS_DIRLIST_SYSTEM, originCount);
    texts.countFormats = LoadStrings(IDS_DIRLIST_EMPTY_COUNT, stateCount);
    texts.headings = LoadResString(IDS_DIRLIST_HEADINGS);
    texts.oneEntry = LoadResString(IDS_DIRLIST_ONE_ENTRY);
    texts.entriesFormat = LoadResString(IDS_DIRLIST_ENTRIES);
    texts.lengthFormat = LoadResString(IDS_DIRLIST_LENGTH);
    texts.tooLong = LoadResString(IDS_DIRLIST_TOO_LONG);

    Win32DirectoryProbe probe;
    PlatformNameFolder folder;
    rows = trawl::ReportDirectoryList(listText, stored, probe, folder);
    summary = trawl::ReportSummary(rows, listText, texts);
    FillTable();
    UpdateData(false);
    return true;
}

void CDirectoryListDlg::FillTable()
{
    HWND table = entryTable.GetSafeHwnd();
    ::SendMessageA(table, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const std::string& headings = texts.headings;
    int columns = 0;
    for (size_t start = 0; start <= headings.size(); ++columns) {
        size_t end = std::min(headings.find('\t', start), headings.size());
        std::string heading = headings.substr(start, end - start);
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_SUBITEM;
        column.pszText = heading.data();
        column.iSubItem = columns;
        entryTable.InsertColumn(columns, column);
        start = end + 1;
    }

    // Drawn once, after every row is in.
    ::SendMessageA(table, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(table, LVM_SETITEMCOUNT, rows.size(), 0);
    int row = 0;
    for (const trawl::EntryReport& report : rows) {
        std::vector<std::string> cells = trawl::ReportCells(report, texts);
        for (int column = 0; column < static_cast<int>(cells.size()); ++column) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.iSubItem = column;
            item.pszText = cells[column].data();
            if (column == 0)
                entryTable.InsertItem(item);
            else
                entryTable.SetItem(item);
        }
        ++row;
    }
    SizeColumns(columns);
    ::SendMessageA(table, WM_SETREDRAW, TRUE, 0);
    if (row > 0)
        entryTable.SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
}

// Each column as wide as its widest cell or heading. When that is wider than
// the list, the directories give way (down to a third of the list), so State
// and From stay in view; a directory cut short is still whole in Copy.
void CDirectoryListDlg::SizeColumns(int columns)
{
    constexpr int directoryColumn = 1;
    int total = 0;
    for (int column = 0; column < columns; ++column) {
        entryTable.SetColumnWidth(column, LVSCW_AUTOSIZE);
        const int cells = entryTable.GetColumnWidth(column);
        // The heading's own width, with the margin the list gives a heading.
        const int heading = entryTable.GetStringWidth(entryTable.GetColumnHeading(column)) + 15;
        entryTable.SetColumnWidth(column, std::max(cells, heading));
        total += std::max(cells, heading);
    }
    const int room = entryTable.GetClientRect().right - GetSystemMetrics(SM_CXVSCROLL);
    if (columns > directoryColumn && total > room) {
        const int width = entryTable.GetColumnWidth(directoryColumn);
        entryTable.SetColumnWidth(directoryColumn, std::max(room / 3, width - (total - room)));
    }
}

void CDirectoryListDlg::OnCopy()
{
    const std::string table = trawl::ReportTable(rows, texts);
    // Leniently: a byte the code page lacks becomes a replacement character
    // rather than losing the whole table.
    const int length =
        MultiByteToWideChar(CP_ACP, 0, table.data(), static_cast<int>(table.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, table.data(), static_cast<int>(table.size()), wide.data(), length);
    if (!OpenClipboard(GetSafeHwnd()))
        return;
    EmptyClipboard();
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* target = GlobalLock(memory)) {
            std::memcpy(target, wide.c_str(), bytes);
            GlobalUnlock(memory);
            if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr)
                GlobalFree(memory);
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}
