#include "ResultListCtrl.h"

#include "core/Columns.h"
#include "core/CommandRuns.h"
#include "core/DirectorySearch.h"
#include "core/ListedFile.h"
#include "core/TextFill.h"
#include "framework/CodePage.h"
#include "framework/Dpi.h"
#include "framework/Menu.h"
#include "framework/Resources.h"
#include "framework/WaitCursor.h"
#include "res/resource.h"
#include "ui/CodePageText.h"
#include "ui/ProgramBehind.h"

#include <algorithm>

const MessageEntry CResultListCtrl::messageEntries[] = {
    msgmap::NotifyReflect<&CResultListCtrl::OnRightClick>(NM_RCLICK),
    msgmap::NotifyReflect<&CResultListCtrl::OnColumnClick>(LVN_COLUMNCLICK),
    msgmap::NotifyReflect<&CResultListCtrl::OnCustomDraw>(NM_CUSTOMDRAW),
    msgmap::NotifyReflect<&CResultListCtrl::OnGetInfoTip>(LVN_GETINFOTIPA),
    msgmap::NotifyReflect<&CResultListCtrl::OnGetDispInfo>(LVN_GETDISPINFOA),
    msgmap::Message<&CResultListCtrl::OnInsertItem>(LVM_INSERTITEMA),
    msgmap::Message<&CResultListCtrl::OnDeleteItem>(LVM_DELETEITEM),
    msgmap::Message<&CResultListCtrl::OnDeleteAllItems>(LVM_DELETEALLITEMS),
    msgmap::Message<&CResultListCtrl::OnDestroy>(WM_DESTROY),
    msgmap::NotifyReflect<&CResultListCtrl::OnDeleteAllNotify>(LVN_DELETEALLITEMS),
};
const MessageMap CResultListCtrl::messageMap = MakeMessageMap(&CListCtrl::messageMap, messageEntries);

namespace {

class ListRowStates : public trawl::IRowStates {
public:
    explicit ListRowStates(CListCtrl& list) : list(list) {}
    int32_t RowCount() const override { return list.GetItemCount(); }
    bool IsFocused(int32_t row) const override { return list.GetItemState(row, LVIS_FOCUSED) != 0; }
    bool IsSelected(int32_t row) const override { return list.GetItemState(row, LVIS_SELECTED) != 0; }
    void Deselect(int32_t row) override { list.SetItemState(row, 0, LVIS_SELECTED); }

private:
    CListCtrl& list;
};

// The pattern with "%s" filled with the command and a later placeholder with
// the value, in one pass: neither is read as a pattern.
std::string FillInCommand(std::string_view pattern, std::string_view command, std::string_view placeholder,
                          std::string_view value)
{
    const size_t at = pattern.find(placeholder);
    if (at == std::string_view::npos)
        return trawl::FillIn(pattern, "%s", command);
    std::string text = trawl::FillIn(pattern.substr(0, at), "%s", command);
    text += value;
    text += pattern.substr(at + placeholder.size());
    return text;
}

// Copies text into a buffer of `capacity` bytes, terminated, never cutting a
// character of the process code page in two.
void CopyBounded(const std::string& text, char* buffer, int capacity)
{
    if (buffer == nullptr || capacity <= 0)
        return;
    const size_t length = CharacterBoundary(text, static_cast<size_t>(capacity - 1));
    text.copy(buffer, length);
    buffer[length] = '\0';
}

} // namespace

int CResultListCtrl::InsertSizedColumn(const std::string& heading, int position, int subItem, int widthSpec,
                                       UINT mask, int format)
{
    int width = 0;
    if (widthSpec > 0)
        width = GetStringWidth(std::string(static_cast<size_t>(std::min(widthSpec, maxSampleChars)), 'x'));
    else if (widthSpec < 0)
        width = GetStringWidth(heading) + ScaleForDpi(15, DpiOfWindow(GetSafeHwnd()));

    std::string text = heading;
    LVCOLUMNA column{};
    column.mask = mask;
    column.fmt = format;
    column.cx = width;
    column.pszText = text.data();
    if ((mask & maskSubItem) != 0)
        column.iSubItem = subItem == -1 ? position : subItem;
    return InsertColumn(position, column);
}

int CResultListCtrl::SetCell(int row, int column, const std::string& text, int image)
{
    std::string cell = text;
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = cell.data();
    if (image != -1) {
        item.mask |= LVIF_IMAGE;
        item.iImage = image;
    }
    if (column == 0) {
        item.mask |= LVIF_PARAM;
        item.lParam = row;
        return InsertItem(item);
    }
    return SetItem(item) ? 1 : 0;
}

int CResultListCtrl::GetCurrentItem()
{
    ListRowStates rows(*this);
    return trawl::FindCurrentItem(rows);
}

std::optional<FoundFile> CResultListCtrl::FindFoundFile(int row) const
{
    if (row < 0 || row >= GetItemCount())
        return std::nullopt;
    return foundFiles.Find(GetItemData(row));
}

int CResultListCtrl::InsertFoundRow(int row, const std::string& path, const trawl::FoundEntry& entry)
{
    const int at = SetCell(row, 0, path);
    if (at < 0 || entry.exactName.empty() || entry.name.size() > path.size())
        return at;
    // UTF-16 both: the list's wide names are the names as enumerated.
    const auto wide = [](std::u16string_view text) {
        return std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size());
    };
    foundFiles.Add(row, std::string_view(path).substr(0, path.size() - entry.name.size()),
                   wide(entry.exactName), wide(entry.exactShortName), entry.reparseTag);
    // The marks take the name as found, not what follows the text's last "\".
    if (shadowMarksOn)
        shadowMarks.NameRow(row, entry.name.size());
    if (versionColumn >= 0)
        DeferProgramCells(at, entry.attributes);
    return at;
}

void CResultListCtrl::SetupResultColumns(const trawl::DisplayOptions& options)
{
    const std::vector<trawl::ResultColumn> columns = trawl::BuildColumnSet(options);
    trawl::RecordColumnKinds({});
    DeleteAllItems();
    while (DeleteColumn(0)) {
    }
    trawl::RecordColumnKinds(columns);
    versionColumn = trawl::VersionColumnPosition(options);
    for (size_t position = 0; position < columns.size(); ++position) {
        const trawl::ResultColumn& column = columns[position];
        InsertSizedColumn(column.heading, static_cast<int>(position), -1, column.widthSpec, maskAll,
                          column.align == trawl::ColumnAlign::Right ? LVCFMT_RIGHT : LVCFMT_LEFT);
    }
}

void CResultListCtrl::OnRightClick(NMHDR*, LRESULT* result)
{
    *result = 0;
    if (popupMenuId == 0)
        return;
    POINT screen{};
    GetCursorPos(&screen);
    POINT client = screen;
    ScreenToClient(client);
    if (HitTest(client) < 0)
        return;

    CMenu menu;
    if (!menu.LoadMenu(popupMenuId))
        return;
    HMENU popup = menu.GetSubMenu(0);
    if (popup == nullptr)
        return;
    // The frame owns the menu: it runs the items' update handlers and routes the command.
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, screen.x, screen.y, 0, GetTopLevelHwnd(), nullptr);
}

void CResultListCtrl::OnColumnClick(NMHDR* notify, LRESULT* result)
{
    *result = 0;
    if (compareFunc == nullptr || GetItemCount() < 2)
        return;
    // A first sort by Version or Platform reads every file not yet drawn.
    CWaitCursor wait;
    SortByColumn(reinterpret_cast<NMLISTVIEW*>(notify)->iSubItem);
}

void CResultListCtrl::OnDeleteAllNotify(NMHDR*, LRESULT* result)
{
    // Nothing is kept per row, so nobody needs a notification per row: without
    // this every row of a Clear, a new search or the list's destruction would
    // travel through the parent's dispatch on its own.
    *result = TRUE;
}

void CResultListCtrl::SortByColumn(int column)
{
    if (compareFunc == nullptr)
        return;
    // Read every compared cell once, before the sort: the comparer must not
    // ask the control anything while LVM_SORTITEMS runs.
    sortSnapshot.Clear();
    const int rows = GetItemCount();
    for (int row = 0; row < rows; ++row)
        sortSnapshot.Add(GetItemData(row), GetItemText(row, column), row);
    sortColumn = column;
    SortItems(&CResultListCtrl::CompareForSort, reinterpret_cast<LPARAM>(this));
    sortSnapshot.Clear();
}

int CALLBACK CResultListCtrl::CompareForSort(LPARAM first, LPARAM second, LPARAM self)
{
    auto* list = reinterpret_cast<CResultListCtrl*>(self);
    int order = list->compareFunc(first, second, list->sortColumn);
    if (order != 0)
        return order;
    // Rows that tie keep the order they had, whatever sort the control uses.
    int32_t a = list->sortSnapshot.FindPosition(first);
    int32_t b = list->sortSnapshot.FindPosition(second);
    return (a > b) - (a < b);
}

const std::string* CResultListCtrl::FindSortCell(intptr_t itemData) const
{
    return sortSnapshot.FindCell(itemData);
}

void CResultListCtrl::EnableShadowMarks()
{
    SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_INFOTIP, LVS_EX_INFOTIP);
    if (shadowMarksOn)
        return;
    // Rows listed before take part as well.
    shadowMarks.Forget();
    const int rows = GetItemCount();
    for (int row = 0; row < rows; ++row)
        shadowMarks.AddRow(GetItemData(row), GetItemText(row, 0));
    shadowMarksOn = true;
}

void CResultListCtrl::UpdateShadowMarks()
{
    if (shadowMarksOn)
        shadowMarks.Update();
}

const trawl::ShadowMark* CResultListCtrl::FindShadowMark(int row)
{
    if (!shadowMarksOn || row < 0 || row >= GetItemCount())
        return nullptr;
    return shadowMarks.Find(GetItemData(row));
}

void CResultListCtrl::SetRunRule(std::vector<std::string> extensions, std::optional<std::string> command)
{
    shadowMarks.SetRunRule(std::move(extensions), std::move(command));
}

namespace {

// What the row's program starts in its place; empty for a program that is itself.
std::string BehindLine(const std::optional<FoundFile>& file)
{
    if (!file)
        return {};
    if (IsAppExecAlias(*file)) {
        const std::optional<trawl::AppExecAlias> alias = ReadAppExecAlias(*file);
        if (!alias)
            return LoadResString(IDS_ALIAS_UNREAD);
        return trawl::FillInOrder(LoadResString(IDS_ALIAS_OF),
                                  {MarkedInCodePage(WideOfWtf8(alias->packageId)),
                                   MarkedInCodePage(WideOfWtf8(alias->targetPath))});
    }
    if (const std::optional<ShimBehind> shim = ReadShim(*file))
        return trawl::FillIn(LoadResString(shim->TargetExists() ? IDS_SHIM_FOR : IDS_SHIM_MISSING), "%s",
                             MarkedInCodePage(shim->targetPath));
    return {};
}

std::string Lines(std::initializer_list<const std::string*> lines)
{
    std::string text;
    for (const std::string* line : lines) {
        if (line->empty())
            continue;
        if (!text.empty())
            text += "\r\n";
        text += *line;
    }
    return text;
}

} // namespace

std::string CResultListCtrl::GetShadowTip(int row)
{
    const std::optional<FoundFile> file = FindFoundFile(row);
    const std::string behindLine = BehindLine(file);
    const trawl::ShadowMark* mark = FindShadowMark(row);
    if (mark == nullptr)
        return behindLine;
    const std::optional<trawl::AppPathsHive> hive = shadowMarks.AppPathsOf(GetItemData(row));
    const std::string fromLine =
        hive ? LoadResString(*hive == trawl::AppPathsHive::User ? IDS_FROM_USER_APP_PATHS
                                                                : IDS_FROM_MACHINE_APP_PATHS)
             : std::string();
    const auto isAlias = [this](intptr_t itemData) {
        const std::optional<FoundFile> found = foundFiles.Find(itemData);
        return found && IsAppExecAlias(*found);
    };
    std::string nameLine;
    if (mark->state == trawl::ShadowState::Shadowed)
        nameLine = trawl::FillIn(LoadResString(IDS_SHADOWED_BY), "%s", shadowMarks.WinnerPath(*mark));
    else if (mark->shadowedCount == 1)
        nameLine = LoadResString(IDS_WINS_OVER_ONE);
    else if (mark->shadowedCount > 1)
        nameLine =
            trawl::FillIn(LoadResString(IDS_WINS_OVER_MANY), "%d", std::to_string(mark->shadowedCount));

    std::string runLine;
    const bool aliasRuns = (mark->run == trawl::RunState::Runs || mark->run == trawl::RunState::Passed) &&
                           isAlias(shadowMarks.RunnerItemData(*mark));
    // The alias that runs first hides the real program from whoever types the command.
    const std::optional<std::string> later =
        mark->run == trawl::RunState::Runs && aliasRuns
            ? shadowMarks.LaterProgramPath(*mark, [&](intptr_t itemData) { return !isAlias(itemData); })
            : std::nullopt;
    if (later) {
        runLine = trawl::FillInOrder(LoadResString(IDS_ALIAS_RUNS_FIRST),
                                     {mark->command, shadowMarks.RunnerPath(*mark), *later});
    } else if (mark->run == trawl::RunState::Runs) {
        runLine = trawl::FillIn(LoadResString(IDS_RUNS_WHEN_TYPED), "%s", mark->command);
    } else if (mark->run == trawl::RunState::Passed && aliasRuns) {
        runLine = trawl::FillInOrder(LoadResString(IDS_TYPING_RUNS_ALIAS),
                                     {mark->command, shadowMarks.RunnerPath(*mark)});
    } else if (mark->run == trawl::RunState::Passed &&
               (mark->state != trawl::ShadowState::Shadowed || mark->runner != mark->winner)) {
        // Said once: "Shadowed by" already names the program when it runs.
        runLine =
            FillInCommand(LoadResString(IDS_TYPING_RUNS), mark->command, "%p", shadowMarks.RunnerPath(*mark));
    } else if (mark->run == trawl::RunState::NotRun) {
        const std::string path = GetItemText(row, 0);
        const std::string_view extension = trawl::SplitProgramName(trawl::ListedFileName(path)).extension;
        runLine = extension.empty()
                      ? trawl::FillIn(LoadResString(IDS_NOT_RUN_NO_EXTENSION), "%s", mark->command)
                      : FillInCommand(LoadResString(IDS_NOT_RUN_EXTENSION), mark->command, "%e", extension);
    }
    // A shadowed copy's tip starts as it always did.
    const std::string& first = mark->state == trawl::ShadowState::Shadowed ? nameLine : runLine;
    const std::string& second = mark->state == trawl::ShadowState::Shadowed ? runLine : nameLine;
    return Lines({&fromLine, &first, &second, &behindLine});
}

void CResultListCtrl::MarkAppPathsRow(int row, trawl::AppPathsHive hive)
{
    if (shadowMarksOn && row >= 0 && row < GetItemCount())
        shadowMarks.MarkAppPaths(GetItemData(row), hive);
}

void CResultListCtrl::OnCustomDraw(NMHDR* notify, LRESULT* result)
{
    *result = CDRF_DODEFAULT;
    if (!shadowMarksOn)
        return;
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(notify);
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *result = CDRF_NOTIFYITEMDRAW;
    } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        const trawl::ShadowMark* mark = FindShadowMark(static_cast<int>(draw->nmcd.dwItemSpec));
        if (mark != nullptr && trawl::IsGrey(*mark))
            draw->clrText = GetSysColor(COLOR_GRAYTEXT);
    }
}

void CResultListCtrl::OnGetInfoTip(NMHDR* notify, LRESULT* result)
{
    *result = 0;
    auto* tip = reinterpret_cast<NMLVGETINFOTIPA*>(notify);
    std::string text = GetShadowTip(tip->iItem);
    if (text.empty() || tip->pszText == nullptr || tip->cchTextMax <= 0)
        return;
    // A cut label comes with its whole text, which the tip should still show.
    if ((tip->dwFlags & LVGIT_UNFOLDED) == 0 && tip->pszText[0] != '\0')
        text = std::string(tip->pszText) + "\r\n" + text;
    CopyBounded(text, tip->pszText, tip->cchTextMax);
}

void CResultListCtrl::DeferProgramCells(int row, DWORD attributes)
{
    if (versionColumn < 0)
        return;
    programCells.Expect(GetItemData(row), attributes);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = LPSTR_TEXTCALLBACKA;
    for (int column : {versionColumn, versionColumn + 1}) {
        item.iSubItem = column;
        SetItem(item);
    }
}

void CResultListCtrl::OnGetDispInfo(NMHDR* notify, LRESULT* result)
{
    *result = 0;
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(notify)->item;
    if ((item.mask & LVIF_TEXT) == 0 || versionColumn < 0 ||
        (item.iSubItem != versionColumn && item.iSubItem != versionColumn + 1))
        return;
    const trawl::ProgramInfo* cells = programCells.Find(GetItemData(item.iItem), foundFiles);
    if (cells == nullptr)
        CopyBounded({}, item.pszText, item.cchTextMax);
    else
        CopyBounded(item.iSubItem == versionColumn ? cells->version : cells->platform, item.pszText,
                    item.cchTextMax);
}

LRESULT CResultListCtrl::OnInsertItem(WPARAM, LPARAM lParam)
{
    const LRESULT row = Default();
    const auto* item = reinterpret_cast<const LVITEMA*>(lParam);
    if (!shadowMarksOn || row < 0 || item == nullptr)
        return row;
    const bool hasText =
        (item->mask & LVIF_TEXT) != 0 && item->pszText != nullptr && item->pszText != LPSTR_TEXTCALLBACKA;
    shadowMarks.AddRow((item->mask & LVIF_PARAM) != 0 ? item->lParam : 0, hasText ? item->pszText : "");
    return row;
}

LRESULT CResultListCtrl::OnDeleteItem(WPARAM wParam, LPARAM)
{
    const int row = static_cast<int>(wParam);
    const bool known = shadowMarksOn && row >= 0 && row < GetItemCount();
    const intptr_t itemData = known ? GetItemData(row) : 0;
    const LRESULT deleted = Default();
    if (!known || deleted == 0)
        return deleted;
    shadowMarks.DeleteRow(itemData);
    // The next copy may now win anywhere in the list, above the deleted row too.
    InvalidateRect(GetSafeHwnd(), nullptr, FALSE);
    return deleted;
}

LRESULT CResultListCtrl::OnDeleteAllItems(WPARAM, LPARAM)
{
    const LRESULT deleted = Default();
    if (deleted != 0) {
        shadowMarks.Forget();
        foundFiles.Clear();
        programCells.Forget();
    }
    return deleted;
}

LRESULT CResultListCtrl::OnDestroy(WPARAM, LPARAM)
{
    shadowMarks.Forget();
    foundFiles.Clear();
    programCells.Forget();
    shadowMarksOn = false;
    return Default();
}
