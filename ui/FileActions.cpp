// The file actions of the result list: open, open with Notepad or the quick
// viewer, delete, and the attributes window that follows the current row.
#include "FileActions.h"

#include "core/PathLines.h"
#include "core/WindowPlacement.h"
#include "framework/CmdUI.h"
#include "framework/CodePage.h"
#include "framework/File.h"
#include "res/resource.h"
#include "ui/FileAttribDlg.h"
#include "ui/FileReach.h"
#include "ui/ResultSearch.h"
#include "ui/TrawlView.h"

#include <shellapi.h>

#include <algorithm>
#include <optional>

namespace {

class CSystemShell : public IShell {
public:
    INT_PTR Execute(HWND owner, const char* verb, const char* file, const char* parameters,
                    const char* directory, int show) override
    {
        return reinterpret_cast<INT_PTR>(ShellExecuteA(owner, verb, file, parameters, directory, show));
    }
    void Beep(UINT type) override { MessageBeep(type); }
};

// The pattern with its "%s" replaced by text and its "%ld" by number; the
// replacements are never read as patterns themselves.
std::string FillIn(const std::string& pattern, const std::string& text, long number = 0)
{
    std::string result = pattern;
    if (size_t at = result.find("%s"); at != std::string::npos) {
        result.replace(at, 2, text);
        if (size_t numberAt = result.find("%ld", at + text.size()); numberAt != std::string::npos)
            result.replace(numberAt, 3, std::to_string(number));
    }
    return result;
}

UINT CauseTextId(int cause)
{
    switch (cause) {
    case CFileException::fileNotFound:
        return IDS_DELETE_NOT_FOUND;
    case CFileException::badPath:
        return IDS_DELETE_BAD_PATH;
    case CFileException::accessDenied:
        return IDS_DELETE_ACCESS_DENIED;
    case CFileException::invalidFile:
        return IDS_DELETE_INVALID_FILE;
    case CFileException::sharingViolation:
        return IDS_DELETE_SHARING;
    case CFileException::lockViolation:
        return IDS_DELETE_LOCKING;
    default:
        return 0;
    }
}

} // namespace

IShell& SystemShell()
{
    static CSystemShell shell;
    return shell;
}

std::string QuickViewerPath()
{
    // The whole value, however long: a cut one would name another directory.
    std::optional<std::string> directory = EnvironmentValue("WINDIR");
    if (!directory || directory->empty())
        return {};
    return *directory + "\\system\\viewers\\quikview.exe";
}

bool DeleteAllowed(BYTE attributes)
{
    return attributes == 0 || (attributes & FILE_ATTRIBUTE_ARCHIVE) != 0;
}

std::string DeleteFailureText(const std::string& path, int cause)
{
    if (UINT textId = CauseTextId(cause); textId != 0)
        return FillIn(LoadResString(IDS_DELETE_FAILED), path) + LoadResString(textId);
    return FillIn(LoadResString(IDS_DELETE_FAILED_CAUSE), path, cause);
}

std::string CTrawlView::RowPath(int row) const
{
    return resultList.GetItemText(row, 0);
}

std::string CTrawlView::FitToScreen(const std::string& path) const
{
    // A message box grows with its longest line, and a path has no blanks to
    // break at: a long one would run off both sides of the screen.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) ||
        !GetMonitorInfoA(MonitorFromWindow(GetSafeHwnd(), MONITOR_DEFAULTTONEAREST), &monitor))
        return path;
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    HGDIOBJ previous = SelectObject(dc, font);
    const auto width = [dc](std::string_view text) {
        const std::wstring wide = WideFromCodePage(text).value_or(std::wstring(text.begin(), text.end()));
        SIZE size{};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        return static_cast<int>(size.cx);
    };
    const std::string lines =
        trawl::BreakPathLines(path, (monitor.rcWork.right - monitor.rcWork.left) / 2, width);
    SelectObject(dc, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return lines;
}

std::optional<std::string> CTrawlView::CurrentLaunchPath(size_t limit)
{
    // The message row of a fruitless search stands for no file: nothing to start.
    const std::optional<ListedFile> file = resultList.FindListedFile(resultList.GetCurrentItem());
    if (!file)
        return std::nullopt;
    std::optional<std::string> path = LaunchPath(*file, limit);
    if (!path)
        MessageBox(LoadResString(IDS_NAME_NOT_PASSED), LoadResString(IDS_OPEN_CAPTION), MB_OK | MB_ICONSTOP);
    return path;
}

void CTrawlView::OnPopupOpen()
{
    // The shell takes no longer path; a short one reaches the file where the long one cannot.
    const std::optional<std::string> path = CurrentLaunchPath(MAX_PATH - 1);
    if (!path)
        return;
    const INT_PTR result = shell->Execute(GetSafeHwnd(), "open", path->c_str(), nullptr, "", SW_SHOWNORMAL);
    if (result >= 32)
        return;
    MessageBox(LoadResString(result == SE_ERR_NOASSOC ? IDS_OPEN_NO_ASSOCIATION : IDS_OPEN_FAILED),
               LoadResString(IDS_OPEN_CAPTION), MB_OK);
}

void CTrawlView::OnPopupNotepad()
{
    const std::optional<std::string> path = CurrentLaunchPath(std::string::npos);
    if (!path)
        return;
    // Unquoted, as typed on a command line: the editor takes the rest of the line as the name.
    shell->Execute(GetSafeHwnd(), nullptr, "notepad", path->c_str(), "", SW_SHOWNORMAL);
}

void CTrawlView::OnUpdatePopupQuickView(CCmdUI* cmdUI)
{
    const std::string viewer = QuickViewerPath();
    CFileStatus status;
    cmdUI->Enable(!viewer.empty() && CFile::GetStatus(viewer, status));
}

void CTrawlView::OnPopupQuickView()
{
    const std::string viewer = QuickViewerPath();
    if (viewer.empty())
        return;
    const std::optional<std::string> path = CurrentLaunchPath(std::string::npos);
    if (!path)
        return;
    shell->Execute(GetSafeHwnd(), nullptr, viewer.c_str(), path->c_str(), "", SW_SHOWNORMAL);
}

void CTrawlView::OnUpdatePopupDelete(CCmdUI* cmdUI)
{
    const std::optional<ListedFile> file = resultList.FindListedFile(resultList.GetCurrentItem());
    const std::optional<std::wstring> path = file ? ExactPath(*file) : std::nullopt;
    CFileStatus status;
    cmdUI->Enable(path && CFile::GetStatus(*path, status) && DeleteAllowed(status.attribute));
}

void CTrawlView::OnPopupDelete()
{
    const int row = resultList.GetCurrentItem();
    const std::optional<ListedFile> file = resultList.FindListedFile(row);
    if (!file)
        return;
    const std::string shown = FitToScreen(RowPath(row));
    const std::string caption = LoadResString(IDS_DELETE_CAPTION);
    const std::optional<std::wstring> path = ExactPath(*file);
    if (!path) {
        MessageBox(LoadResString(IDS_NAME_NOT_REACHED), caption, MB_OK | MB_ICONSTOP);
        return;
    }
    if (LeadsElsewhere(*path)) {
        MessageBox(FillIn(LoadResString(IDS_DELETE_LINK), shown), caption, MB_OK | MB_ICONSTOP);
        return;
    }
    if (MessageBox(FillIn(LoadResString(IDS_DELETE_CONFIRM), shown), caption,
                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    try {
        CFile::Remove(*path, shown);
    } catch (const CFileException& error) {
        MessageBox(DeleteFailureText(error.fileName, error.cause), caption, MB_OK | MB_ICONSTOP);
        return;
    }
    RemoveResultRow(row);
}

void CTrawlView::RemoveResultRow(int row)
{
    // The list's own row deletion: the other rows keep their item data, so a
    // later sort still knows the order found.
    resultList.DeleteItem(row);
    StoreFoundCount();
}

void CTrawlView::OnResultDblClk(NMHDR*, LRESULT* result)
{
    *result = 0;
    OpenAttribWnd();
}

void CTrawlView::OnPopupAttributes()
{
    OpenAttribWnd();
}

void CTrawlView::OpenAttribWnd()
{
    const int row = resultList.GetCurrentItem();
    if (attribDlg != nullptr || row == -1) {
        shell->Beep(MB_ICONEXCLAMATION);
        return;
    }
    auto* window = new CFileAttribDlg(this);
    if (!window->Create(IDD_FILE_ATTRIBUTES, this)) {
        // Nothing on screen: the window does not count as open.
        delete window;
        shell->Beep(MB_ICONEXCLAMATION);
        return;
    }
    attribDlg = window;
    RefreshAttribWnd();
}

void CTrawlView::PlaceBesideMainWindow(CWnd& window)
{
    RECT main{};
    ::GetWindowRect(GetTopLevelHwnd(), &main);
    const RECT own = window.GetWindowRect();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&main, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    std::optional<trawl::Box> chosen;
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    const int current = resultList.GetCurrentItem();
    if (current != -1 && resultList.SendMessage(LVM_GETITEMRECT, current, reinterpret_cast<LPARAM>(&row))) {
        MapWindowPoints(resultList.GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&row), 2);
        chosen = trawl::Box{row.left, row.top, row.right, row.bottom};
    }
    const RECT& work = monitor.rcWork;
    const trawl::Spot spot =
        trawl::PlaceBesideMain({main.left, main.top, main.right, main.bottom}, own.right - own.left,
                               own.bottom - own.top, {work.left, work.top, work.right, work.bottom}, chosen);
    SetWindowPos(window.GetSafeHwnd(), nullptr, spot.x, spot.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTrawlView::OnUpdatePopupAttributes(CCmdUI* cmdUI)
{
    cmdUI->Enable(attribDlg == nullptr);
}

void CTrawlView::OnResultClick(NMHDR*, LRESULT* result)
{
    *result = 0;
    RefreshAttribWnd();
}

void CTrawlView::OnResultItemChanged(NMHDR* notify, LRESULT* result)
{
    *result = 0;
    // The list moves the focus and the selection one state at a time, telling
    // each; asking for the current row in between would deselect the row being
    // chosen. So follow once a row is both focused and selected.
    const int row = reinterpret_cast<NMLISTVIEW*>(notify)->iItem;
    constexpr UINT current = LVIS_FOCUSED | LVIS_SELECTED;
    if (row >= 0 && resultList.GetItemState(row, current) == current)
        RefreshAttribWnd();
}

void CTrawlView::RefreshAttribWnd()
{
    if (attribDlg == nullptr)
        return;
    const int row = resultList.GetCurrentItem();
    if (row == -1)
        return;
    // A row that stands for no file, or a file gone, shows nothing: old
    // facts beside the new row would describe a file that is not there.
    const std::optional<ListedFile> file = resultList.FindListedFile(row);
    const std::optional<std::wstring> path = file ? ExactPath(*file) : std::nullopt;
    CFileStatus status;
    if (!path || !CFile::GetStatus(*path, status)) {
        ResetAttribWnd();
        return;
    }
    CFileAttribDlg& window = *attribDlg;
    window.readOnlyCheck = (status.attribute & FILE_ATTRIBUTE_READONLY) != 0 ? 1 : 0;
    window.systemCheck = (status.attribute & FILE_ATTRIBUTE_SYSTEM) != 0 ? 1 : 0;
    window.hiddenCheck = (status.attribute & FILE_ATTRIBUTE_HIDDEN) != 0 ? 1 : 0;
    window.archiveCheck = (status.attribute & FILE_ATTRIBUTE_ARCHIVE) != 0 ? 1 : 0;
    // The name as found, also where a short name had to reach the file.
    const size_t slash = status.fullName.rfind('\\');
    window.nameText =
        ExactInCodePage(file->name)
            .value_or(slash == std::string::npos ? status.fullName : status.fullName.substr(slash + 1));
    window.sizeText = FillIn(LoadResString(IDS_ATTR_SIZE), std::to_string(status.size));
    const std::string timePattern = LoadResString(IDS_ATTR_TIME);
    window.createdText = status.ctime.Format(timePattern.c_str());
    window.modifiedText = status.mtime.Format(timePattern.c_str());
    window.accessedText = status.atime.Format(timePattern.c_str());
    window.UpdateData(false);
}

void CTrawlView::ResetAttribWnd()
{
    if (attribDlg == nullptr)
        return;
    CFileAttribDlg& window = *attribDlg;
    window.readOnlyCheck = window.systemCheck = window.hiddenCheck = window.archiveCheck = 0;
    window.nameText.clear();
    window.sizeText.clear();
    window.createdText.clear();
    window.modifiedText.clear();
    window.accessedText.clear();
    window.UpdateData(false);
}

LRESULT CTrawlView::OnAttribWndClosed(WPARAM, LPARAM)
{
    CloseAttribWnd();
    return 0;
}

void CTrawlView::CloseAttribWnd()
{
    if (attribDlg != nullptr) {
        attribDlg->DestroyWindow();
        delete attribDlg;
    }
    attribDlg = nullptr;
}
