#include "DirectoryListDlg.h"

#include "core/TextFill.h"
#include "framework/CodePage.h"
#include "framework/Resources.h"
#include "res/resource.h"
#include "ui/AddEntryDlg.h"
#include "ui/EnvironmentValue.h"
#include "ui/ListEditSave.h"
#include "ui/PlatformNameFolder.h"
#include "ui/StoredEnvironment.h"

#include <algorithm>
#include <cstring>

const MessageEntry CDirectoryListDlg::messageEntries[] = {
    msgmap::ControlNotify<&CDirectoryListDlg::OnCopy>(BN_CLICKED, IDC_DIRLIST_COPY),
    msgmap::ControlNotify<&CDirectoryListDlg::OnRemove>(BN_CLICKED, IDC_DIRLIST_REMOVE),
    msgmap::ControlNotify<&CDirectoryListDlg::OnMoveUp>(BN_CLICKED, IDC_DIRLIST_UP),
    msgmap::ControlNotify<&CDirectoryListDlg::OnMoveDown>(BN_CLICKED, IDC_DIRLIST_DOWN),
    msgmap::ControlNotify<&CDirectoryListDlg::OnAdd>(BN_CLICKED, IDC_DIRLIST_ADD),
    msgmap::ControlNotify<&CDirectoryListDlg::OnEdit>(BN_CLICKED, IDC_DIRLIST_EDIT),
    msgmap::ControlNotify<&CDirectoryListDlg::OnCleanUp>(BN_CLICKED, IDC_DIRLIST_CLEANUP),
    msgmap::ControlNotify<&CDirectoryListDlg::OnTry>(BN_CLICKED, IDC_DIRLIST_TRY),
    msgmap::ControlNotify<&CDirectoryListDlg::OnSave>(BN_CLICKED, IDC_DIRLIST_SAVE),
    msgmap::ControlNotify<&CDirectoryListDlg::OnRevert>(BN_CLICKED, IDC_DIRLIST_REVERT),
    msgmap::ControlNotify<&CDirectoryListDlg::OnUndo>(BN_CLICKED, IDC_DIRLIST_UNDO),
    msgmap::ControlNotify<&CDirectoryListDlg::OnInPlaceDone>(EN_KILLFOCUS, IDC_DIRLIST_INPLACE),
    msgmap::Notify<&CDirectoryListDlg::OnTableChanged>(LVN_ITEMCHANGED, IDC_DIRLIST_TABLE),
    msgmap::Notify<&CDirectoryListDlg::OnTableChanged>(LVN_ODSTATECHANGED, IDC_DIRLIST_TABLE),
    msgmap::Notify<&CDirectoryListDlg::OnTableCellText>(LVN_GETDISPINFOA, IDC_DIRLIST_TABLE),
    msgmap::Notify<&CDirectoryListDlg::OnTableCellText>(LVN_GETDISPINFOW, IDC_DIRLIST_TABLE),
    msgmap::Message<&CDirectoryListDlg::OnChecksDone>(CDirectoryListDlg::checksDone),
    msgmap::Message<&CDirectoryListDlg::OnTimer>(WM_TIMER),
    msgmap::Plain<&CDirectoryListDlg::OnDestroy>(WM_DESTROY),
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

// Often enough that "Not answering" comes soon after the limit; the timer
// runs only while checks do.
constexpr UINT checkTimer = 1;
constexpr UINT checkTimerPeriod = 250;
// Results are judged at most this often (milliseconds): judging 1,000 entries
// after every few results kept the dialog's thread busy and slowed the checks.
constexpr UINT judgeTimer = 2;
constexpr ULONGLONG judgeGap = 60;

constexpr int editButtons[] = {IDC_DIRLIST_REMOVE, IDC_DIRLIST_UP,      IDC_DIRLIST_DOWN, IDC_DIRLIST_ADD,
                               IDC_DIRLIST_EDIT,   IDC_DIRLIST_CLEANUP, IDC_DIRLIST_TRY,  IDC_DIRLIST_SAVE,
                               IDC_DIRLIST_REVERT, IDC_DIRLIST_UNDO};

} // namespace

CDirectoryListDlg::CDirectoryListDlg(std::string listText, trawl::StoredValues stored,
                                     CListEditSession* session, CWnd* parent,
                                     const DirectoryCheckSetup& checkSetup)
    : CDialog(IDD_DIRECTORY_LIST, parent), listText(std::move(listText)), stored(std::move(stored)),
      session(session), limits(checkSetup.limits), checks(checkSetup)
{
}

void CDirectoryListDlg::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_DIRLIST_TABLE, entryTable);
    DDX_Text(exchange, IDC_DIRLIST_SUMMARY, summary);
}

void CDirectoryListDlg::LoadTexts()
{
    texts.states = LoadStrings(IDS_DIRLIST_EMPTY, stateCount);
    texts.origins = LoadStrings(IDS_DIRLIST_SYSTEM, originCount);
    texts.countFormats = LoadStrings(IDS_DIRLIST_EMPTY_COUNT, stateCount);
    texts.headings = LoadResString(IDS_DIRLIST_HEADINGS);
    texts.oneEntry = LoadResString(IDS_DIRLIST_ONE_ENTRY);
    texts.entriesFormat = LoadResString(IDS_DIRLIST_ENTRIES);
    texts.lengthFormat = LoadResString(IDS_DIRLIST_LENGTH);
    texts.tooLong = LoadResString(IDS_DIRLIST_TOO_LONG);
    texts.hides = LoadResString(IDS_DIRLIST_HIDES);
    editTexts.valueLength = LoadResString(IDS_EDIT_VALUE_LENGTH);
    editTexts.overEditor = LoadResString(IDS_EDIT_OVER_EDITOR);
    editTexts.overInterpreter = LoadResString(IDS_EDIT_OVER_INTERPRETER);
    editTexts.refused = LoadResString(IDS_EDIT_OVER_LIMIT);
    editTexts.cleanUp = LoadResString(IDS_EDIT_CLEANUP_SAVES);
    editTexts.typeMend = LoadResString(IDS_EDIT_TYPE_MEND);
    editTexts.userReplaces = LoadResString(IDS_EDIT_USER_REPLACES);
    editTexts.valuesJoin = LoadResString(IDS_EDIT_VALUES_JOIN);
    editTexts.onlyValue = LoadResString(IDS_EDIT_ONLY_VALUE);
    editTexts.unsaved = LoadResString(IDS_EDIT_UNSAVED);
}

bool CDirectoryListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    LoadTexts();
    HWND table = entryTable.GetSafeHwnd();
    ::SendMessageA(table, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    // The in-place editor lies over the table; the table must not paint over it.
    SetWindowLongA(table, GWL_STYLE, GetWindowLongA(table, GWL_STYLE) | WS_CLIPSIBLINGS);
    InsertColumns();
    checks.Attach(GetSafeHwnd(), checksDone);
    if (session == nullptr) {
        // A report: the table takes the editing buttons' room.
        for (int button : editButtons)
            ::ShowWindow(GetDlgItem(button), SW_HIDE);
        RECT area{};
        ::GetWindowRect(GetDlgItem(IDC_DIRLIST_SUMMARY), &area);
        RECT own = entryTable.GetWindowRect();
        own.right = area.right;
        ScreenToClient(own);
        entryTable.MoveWindow(own);
        JudgeRows();
        UpdateData(false);
        SizeColumns();
        if (!rows.empty())
            entryTable.SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
        return true;
    }
    entryTable.editKeys = true;
    haveBackup = !LastBackup(session->Variable()).empty();
    // What no edit of the list changes, read once.
    if (!session->UserReplaces()) {
        systemRoot = EnvironmentValue("SystemRoot");
        // The user's PATHEXT replaces the machine's: what it leaves out no longer runs by name.
        const trawl::StoredValues extensions = StoredVariableValues("PATHEXT");
        PlatformNameFolder folder;
        std::string lost;
        if (extensions.system && extensions.user)
            for (const std::string& extension :
                 trawl::LostExtensions(*extensions.system, *extensions.user, folder))
                lost += (lost.empty() ? "" : ", ") + extension;
        if (!lost.empty())
            extensionsNote = "\r\n" + trawl::FillIn(LoadResString(IDS_EDIT_LOST_EXTENSIONS), "%s", lost);
    }
    Refresh({0});
    SizeColumns();
    return true;
}

void CDirectoryListDlg::InsertColumns()
{
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
}

// The table holds no text of its own: it asks for each cell as it draws.
// A thousand rows are then one count to set, however often an edit changes them.
void CDirectoryListDlg::FillTable()
{
    cells.clear();
    cells.reserve(rows.size());
    for (const trawl::EntryReport& report : rows)
        cells.push_back(trawl::ReportCells(report, texts));
    refreshing = true;
    ::SendMessageA(entryTable.GetSafeHwnd(), LVM_SETITEMCOUNT, rows.size(), LVSICF_NOINVALIDATEALL);
    ::InvalidateRect(entryTable.GetSafeHwnd(), nullptr, FALSE);
    refreshing = false;
}

void CDirectoryListDlg::OnTableCellText(NMHDR* notify, LRESULT*)
{
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(notify);
    const auto row = static_cast<size_t>(info->item.iItem);
    const auto column = static_cast<size_t>(info->item.iSubItem);
    if ((info->item.mask & LVIF_TEXT) == 0 || row >= cells.size() || column >= cells[row].size() ||
        info->item.cchTextMax <= 0)
        return;
    const std::string& cell = cells[row][column];
    const auto room = static_cast<size_t>(info->item.cchTextMax);
    if (notify->code == LVN_GETDISPINFOW) {
        // An entry whole, whatever it holds; the code page may lack its characters.
        // A report's cells are in the code page; the editor's are its WTF-8.
        const std::wstring wide =
            session != nullptr ? WideOfWtf8(cell) : WideFromCodePage(cell).value_or(L"");
        const size_t length = std::min(wide.size(), room - 1);
        wide.copy(info->item.pszText, length);
        info->item.pszText[length] = L'\0';
    } else {
        auto* text = reinterpret_cast<NMLVDISPINFOA*>(notify)->item.pszText;
        const size_t length = std::min(cell.size(), room - 1);
        cell.copy(text, length);
        text[length] = '\0';
    }
}

// The width of a column's widest cell, from its longest few: the table's own
// autosizing asks for and measures every cell, as long as drawing them all.
int CDirectoryListDlg::WidestCell(size_t column) const
{
    std::vector<const std::string*> inColumn;
    for (const std::vector<std::string>& row : cells)
        if (column < row.size())
            inColumn.push_back(&row[column]);
    const size_t measured = std::min<size_t>(8, inColumn.size());
    std::partial_sort(inColumn.begin(), inColumn.begin() + static_cast<std::ptrdiff_t>(measured),
                      inColumn.end(),
                      [](const std::string* a, const std::string* b) { return a->size() > b->size(); });
    int widest = 0;
    for (size_t at = 0; at < measured; ++at)
        widest = std::max(widest, entryTable.GetStringWidth(*inColumn[at]));
    return widest;
}

// Each column as wide as its widest cell or heading. When that is wider than
// the list, the directories give way (down to a third of the list), so State
// and From stay in view; a directory cut short is still whole in Copy.
void CDirectoryListDlg::SizeColumns()
{
    constexpr int directoryColumn = 1;
    const int columns = entryTable.GetColumnCount();
    int total = 0;
    for (int column = 0; column < columns; ++column) {
        // With the margin the list gives a cell.
        const int cells = WidestCell(static_cast<size_t>(column)) + 12;
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

void CDirectoryListDlg::JudgeRows()
{
    PlatformNameFolder folder;
    if (session == nullptr) {
        rows = trawl::ReportDirectoryList(listText, stored, checks, folder, limits);
        summary = trawl::ReportSummary(rows, listText, texts);
        FinishJudging();
        return;
    }
    trawl::EntryJudge judge(checks, folder, limits);
    const std::vector<trawl::EditEntry>& entries = session->edit.Entries();
    const std::vector<std::string> expanded = session->ExpandedEntries();
    rows.clear();
    std::vector<trawl::EntryState> states;
    for (size_t at = 0; at < entries.size(); ++at) {
        trawl::EntryReport row = judge.Judge(entries[at].text, expanded[at]);
        row.origin = static_cast<trawl::EntryOrigin>(entries[at].group);
        // Checked as it would be once saved; today a new process takes it as written.
        if (trawl::IsStored(entries[at].group) && session->TypeMend(entries[at].group) &&
            row.state != trawl::EntryState::UnbalancedQuote)
            if (std::string name = trawl::FirstUnexpandedName(entries[at].text); !name.empty()) {
                row.state = trawl::EntryState::StoredAsText;
                row.variable = std::move(name);
            }
        states.push_back(row.state);
        rows.push_back(std::move(row));
    }
    std::vector<trawl::StoreFacts> stores;
    for (trawl::EditGroup store : {trawl::EditGroup::System, trawl::EditGroup::User})
        if (session->ValueToSave(store))
            stores.push_back({store, session->SavedLength(store), session->TypeMend(store)});
    const std::vector<size_t> cleanUp = trawl::CleanUpRows(entries, states);
    const std::string newProcessList = session->NewProcessList(expanded);
    summary = trawl::EditSummary(rows, newProcessList, stores, trawl::CharactersSaved(entries, cleanUp),
                                 session->UserReplaces(), session->edit.Changed(), texts, editTexts);
    // Said for PATH only: no other variable is where the system looks for its own programs.
    if (systemRoot) {
        for (const std::string& lacking : trawl::MissingSystemFolders(newProcessList, *systemRoot, folder))
            summary += "\r\n" + trawl::FillIn(LoadResString(IDS_EDIT_NO_SYSTEM_FOLDER), "%s", lacking);
        summary += extensionsNote;
    }
    FinishJudging();
}

void CDirectoryListDlg::FinishJudging()
{
    FillTable();
    // The states are in: the columns fit them, once, as they fit the entries
    // at the opening; not under the in-place editor, which would stay put.
    if (!sizedForStates && !Checking() && inPlace == nullptr) {
        sizedForStates = true;
        SizeColumns();
    }
    if (!timing && checks.Running())
        timing = SetTimer(GetSafeHwnd(), checkTimer, checkTimerPeriod, nullptr) != 0;
    judgedAt = GetTickCount64();
}

bool CDirectoryListDlg::Checking() const
{
    return std::any_of(rows.begin(), rows.end(), [](const trawl::EntryReport& row) {
        return row.state == trawl::EntryState::Checking;
    });
}

// Results that came in while the dialog was busy are taken together: one
// judging of every entry however many checks ended.
LRESULT CDirectoryListDlg::OnChecksDone(WPARAM, LPARAM)
{
    const ULONGLONG now = GetTickCount64();
    if (now - judgedAt < judgeGap) {
        // Until then the workers post nothing more: the timer takes what comes.
        SetTimer(GetSafeHwnd(), judgeTimer, static_cast<UINT>(judgeGap - (now - judgedAt)), nullptr);
        return 0;
    }
    ShowChecks();
    return 0;
}

void CDirectoryListDlg::ShowChecks()
{
    checks.Drained();
    JudgeRows();
    UpdateData(false);
    EnableButtons();
}

LRESULT CDirectoryListDlg::OnTimer(WPARAM id, LPARAM)
{
    if (id == judgeTimer) {
        KillTimer(GetSafeHwnd(), judgeTimer);
        ShowChecks();
        return 0;
    }
    if (id != checkTimer)
        return 0;
    if (checks.PassLimits())
        ShowChecks();
    if (!checks.Running()) {
        KillTimer(GetSafeHwnd(), checkTimer);
        timing = false;
    }
    return 0;
}

// Workers may run on past the dialog: from now on they post nothing.
void CDirectoryListDlg::OnDestroy()
{
    checks.Detach();
    KillTimer(GetSafeHwnd(), checkTimer);
    KillTimer(GetSafeHwnd(), judgeTimer);
    timing = false;
}

void CDirectoryListDlg::Refresh(const std::vector<size_t>& selected)
{
    JudgeRows();
    std::vector<size_t> select;
    for (size_t row : selected)
        if (row < rows.size())
            select.push_back(row);
    if (select.empty() && !rows.empty() && !selected.empty())
        select.push_back(rows.size() - 1);
    refreshing = true;
    entryTable.SelectRows(select);
    refreshing = false;
    UpdateData(false);
    EnableButtons();
}

std::vector<size_t> CDirectoryListDlg::StoredSelection() const
{
    std::vector<size_t> selected;
    const std::vector<trawl::EditEntry>& entries = session->edit.Entries();
    for (size_t row : entryTable.SelectedRows())
        if (row < entries.size() && trawl::IsStored(entries[row].group))
            selected.push_back(row);
    return selected;
}

void CDirectoryListDlg::EnableButtons()
{
    if (session == nullptr || refreshing)
        return;
    const bool anyStored = !StoredSelection().empty();
    const std::pair<int, bool> states[] = {
        {IDC_DIRLIST_REMOVE, anyStored},        {IDC_DIRLIST_UP, anyStored},
        {IDC_DIRLIST_DOWN, anyStored},          {IDC_DIRLIST_EDIT, anyStored},
        {IDC_DIRLIST_SAVE, session->Changed()}, {IDC_DIRLIST_REVERT, session->edit.Changed()},
        {IDC_DIRLIST_UNDO, haveBackup},
    };
    for (const auto& [button, enable] : states)
        ::EnableWindow(GetDlgItem(button), enable);
    // A button the keyboard was on and that just went grey leaves the keys nowhere.
    if (HWND focus = ::GetFocus(); focus == nullptr || !::IsWindowEnabled(focus))
        ::SetFocus(entryTable.GetSafeHwnd());
}

void CDirectoryListDlg::OnTableChanged(NMHDR*, LRESULT*)
{
    EnableButtons();
}

void CDirectoryListDlg::OnRemove()
{
    const std::vector<size_t> selected = StoredSelection();
    if (selected.empty())
        return;
    session->edit.Remove(selected);
    Refresh({selected.front()});
}

void CDirectoryListDlg::Move(bool down)
{
    const std::vector<size_t> selected = StoredSelection();
    if (selected.empty())
        return;
    // Tried on a copy: a move into the other stored value may be declined.
    trawl::StoredListEdit trial = session->edit;
    const trawl::StoredListEdit::Moved moved = down ? trial.MoveDown(selected) : trial.MoveUp(selected);
    if (moved.crossed && !CanWriteMachineValue() &&
        MessageBox(LoadResString(IDS_EDIT_CROSS_QUESTION), LoadResString(IDS_EDIT_CAPTION),
                   MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    session->edit = std::move(trial);
    Refresh(moved.rows);
}

void CDirectoryListDlg::OnAdd()
{
    CAddEntryDlg add(this);
    if (add.DoModal() != IDOK || add.text.empty())
        return;
    const std::vector<size_t> selected = entryTable.SelectedRows();
    std::optional<size_t> after;
    if (!selected.empty())
        after = selected.back();
    Refresh({session->edit.Add(after, Wtf8OfWide(add.text))});
}

void CDirectoryListDlg::OnEdit()
{
    const std::vector<size_t> selected = StoredSelection();
    if (selected.empty() || inPlace != nullptr)
        return;
    const int focused = entryTable.GetNextItem(-1, LVNI_FOCUSED);
    inPlaceRow = std::find(selected.begin(), selected.end(), static_cast<size_t>(focused)) != selected.end()
                     ? static_cast<size_t>(focused)
                     : selected.front();
    entryTable.SelectRows({inPlaceRow});
    RECT cell{};
    cell.top = 1; // the Directory column
    cell.left = LVIR_LABEL;
    ::SendMessageW(entryTable.GetSafeHwnd(), LVM_GETSUBITEMRECT, inPlaceRow, reinterpret_cast<LPARAM>(&cell));
    MapWindowPoints(entryTable.GetSafeHwnd(), GetSafeHwnd(), reinterpret_cast<POINT*>(&cell), 2);
    const std::wstring text = WideOfWtf8(session->edit.Entries()[inPlaceRow].text);
    inPlace = CreateWindowExW(
        0, L"EDIT", text.c_str(), WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, cell.left, cell.top - 1,
        std::max<int>(cell.right - cell.left, 120), cell.bottom - cell.top + 2, GetSafeHwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_DIRLIST_INPLACE)), nullptr, nullptr);
    if (inPlace == nullptr)
        return;
    ::SendMessageW(inPlace, WM_SETFONT, ::SendMessageW(entryTable.GetSafeHwnd(), WM_GETFONT, 0, 0), FALSE);
    SetWindowPos(inPlace, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SendMessageW(inPlace, EM_SETSEL, 0, -1);
    ::SetFocus(inPlace);
}

bool CDirectoryListDlg::EndInPlace(bool keep)
{
    if (inPlace == nullptr)
        return false;
    const HWND edit = inPlace;
    inPlace = nullptr; // losing the focus as it goes ends nothing twice
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    ::SetFocus(entryTable.GetSafeHwnd());
    ::DestroyWindow(edit);
    const std::string entry = Wtf8OfWide(text);
    if (keep && inPlaceRow < session->edit.Entries().size() &&
        entry != session->edit.Entries()[inPlaceRow].text) {
        session->edit.Edit(inPlaceRow, entry);
        Refresh({inPlaceRow});
    }
    return true;
}

void CDirectoryListDlg::OnInPlaceDone()
{
    EndInPlace(true);
}

void CDirectoryListDlg::OnCleanUp()
{
    std::vector<trawl::EntryState> states;
    for (const trawl::EntryReport& row : rows)
        states.push_back(row.state);
    entryTable.SelectRows(trawl::CleanUpRows(session->edit.Entries(), states));
    ::SetFocus(entryTable.GetSafeHwnd());
    EnableButtons();
}

void CDirectoryListDlg::OnTry()
{
    EndInPlace(true);
    EndDialog(tryInSearch);
}

void CDirectoryListDlg::ReadSessionAgain()
{
    if (std::optional<CListEditSession> fresh = CListEditSession::Read(session->Variable(), listText))
        *session = std::move(*fresh);
    else
        session->edit.Revert();
    haveBackup = !LastBackup(session->Variable()).empty();
    Refresh({0});
}

void CDirectoryListDlg::OnSave()
{
    EndInPlace(true);
    switch (SaveListEdits(*this, *session)) {
    case SaveResult::Saved:
        ReadSessionAgain();
        break;
    case SaveResult::HandedOver:
        session->edit.Revert(); // the elevated window has them now
        EndDialog(IDOK);
        break;
    case SaveResult::NotSaved:
        break;
    }
}

void CDirectoryListDlg::OnRevert()
{
    session->edit.Revert();
    Refresh({0});
}

void CDirectoryListDlg::OnUndo()
{
    if (UndoLastSave(*this, session->Variable()))
        ReadSessionAgain();
}

bool CDirectoryListDlg::MayClose()
{
    if (session == nullptr || !session->edit.Changed())
        return true;
    const int answer =
        MessageBox(trawl::FillIn(LoadResString(IDS_EDIT_SAVE_QUESTION), "%s", session->Variable()),
                   LoadResString(IDS_EDIT_CAPTION), MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDNO)
        session->edit.Revert();
    if (answer != IDYES)
        return answer == IDNO;
    const SaveResult saved = SaveListEdits(*this, *session);
    if (saved == SaveResult::Saved)
        ReadSessionAgain();
    else if (saved == SaveResult::HandedOver)
        session->edit.Revert(); // the elevated window has them now
    return saved != SaveResult::NotSaved;
}

void CDirectoryListDlg::OnOK()
{
    // Enter in the in-place editor takes its text; elsewhere it is Close.
    if (!EndInPlace(true) && MayClose())
        EndDialog(IDOK);
}

void CDirectoryListDlg::OnCancel()
{
    if (!EndInPlace(false) && MayClose())
        EndDialog(IDCANCEL);
}
