// The file actions of the result list: open, open with Notepad or the quick
// viewer, delete, and the attributes window that follows the current row.
#include "FileActions.h"

#include "core/DeleteRules.h"
#include "core/PathLines.h"
#include "core/TextFill.h"
#include "core/WindowPlacement.h"
#include "framework/CodePage.h"
#include "framework/File.h"
#include "framework/Resources.h"
#include "res/resource.h"
#include "ui/EnvironmentValue.h"
#include "ui/FileAttribDlg.h"
#include "ui/FileReach.h"
#include "ui/ResultListCtrl.h"

#include <shellapi.h>

namespace {

UINT FailureLineId(trawl::DeleteFailureLine line)
{
    switch (line) {
    case trawl::DeleteFailureLine::NotFound:
        return IDS_DELETE_NOT_FOUND;
    case trawl::DeleteFailureLine::BadPath:
        return IDS_DELETE_BAD_PATH;
    case trawl::DeleteFailureLine::AccessDenied:
        return IDS_DELETE_ACCESS_DENIED;
    case trawl::DeleteFailureLine::InvalidFile:
        return IDS_DELETE_INVALID_FILE;
    case trawl::DeleteFailureLine::Sharing:
        return IDS_DELETE_SHARING;
    case trawl::DeleteFailureLine::Locking:
        return IDS_DELETE_LOCKING;
    case trawl::DeleteFailureLine::ByNumber:
        break;
    }
    return 0;
}

std::string DeleteFailureText(const std::string& path, int cause)
{
    if (UINT lineId = FailureLineId(trawl::FailureLineFor(cause)); lineId != 0)
        return trawl::FillIn(LoadResString(IDS_DELETE_FAILED), "%s", path) + LoadResString(lineId);
    // The number first: the path may hold "%ld" itself.
    const std::string numbered =
        trawl::FillIn(LoadResString(IDS_DELETE_FAILED_CAUSE), "%ld", std::to_string(cause));
    return trawl::FillIn(numbered, "%s", path);
}

} // namespace

std::string QuickViewerPath()
{
    // The whole value, however long: a cut one would name another directory.
    std::optional<std::string> directory = EnvironmentValue("WINDIR");
    if (!directory || directory->empty())
        return {};
    return *directory + "\\system\\viewers\\quikview.exe";
}

int CFileActions::ShowMessage(const std::string& text, UINT captionId, UINT style)
{
    return owner.MessageBox(text, LoadResString(captionId), style);
}

std::optional<FoundFile> CFileActions::CurrentFile() const
{
    // The message row of a fruitless search stands for no file.
    return rows.FindFoundFile(rows.GetCurrentItem());
}

std::string CFileActions::FitToScreen(const std::string& path) const
{
    // A message box grows with its longest line, and a path has no blanks to
    // break at: a long one would run off both sides of the screen.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) ||
        !GetMonitorInfoA(MonitorFromWindow(owner.GetSafeHwnd(), MONITOR_DEFAULTTONEAREST), &monitor))
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

std::optional<std::wstring> CFileActions::CheckedPathOf(const FoundFile& file, UINT captionId)
{
    CheckedPath checked = CheckedExactPath(file);
    switch (checked.fault) {
    case ReachFault::None:
        return std::move(checked.path);
    case ReachFault::NoName:
        ShowMessage(LoadResString(IDS_NAME_NOT_REACHED), captionId, MB_OK | MB_ICONSTOP);
        break;
    case ReachFault::Ambiguous:
        ShowMessage(LoadResString(IDS_NAME_AMBIGUOUS), captionId, MB_OK | MB_ICONSTOP);
        break;
    case ReachFault::Changed:
        ShowMessage(LoadResString(IDS_FILE_CHANGED), captionId, MB_OK | MB_ICONSTOP);
        break;
    }
    return std::nullopt;
}

std::optional<std::string> CFileActions::CurrentLaunchPath(size_t limit)
{
    const std::optional<FoundFile> file = CurrentFile();
    if (!file)
        return std::nullopt;
    const std::optional<std::wstring> exact = CheckedPathOf(*file, IDS_OPEN_CAPTION);
    if (!exact)
        return std::nullopt;
    std::optional<std::string> path = LaunchPath(*exact, limit);
    if (!path)
        ShowMessage(LoadResString(IDS_NAME_NOT_PASSED), IDS_OPEN_CAPTION, MB_OK | MB_ICONSTOP);
    return path;
}

void CFileActions::Open()
{
    // The shell takes no longer path; a short one reaches the file where the long one cannot.
    const std::optional<std::string> path = CurrentLaunchPath(MAX_PATH - 1);
    if (!path)
        return;
    const INT_PTR result =
        shell->Execute(owner.GetSafeHwnd(), "open", path->c_str(), nullptr, "", SW_SHOWNORMAL);
    if (result < 32)
        ShowMessage(LoadResString(result == SE_ERR_NOASSOC ? IDS_OPEN_NO_ASSOCIATION : IDS_OPEN_FAILED),
                    IDS_OPEN_CAPTION, MB_OK);
}

void CFileActions::OpenWithNotepad()
{
    const std::optional<std::string> path = CurrentLaunchPath(std::string::npos);
    if (!path)
        return;
    // Unquoted, as typed on a command line: the editor takes the rest of the line as the name.
    shell->Execute(owner.GetSafeHwnd(), nullptr, "notepad", path->c_str(), "", SW_SHOWNORMAL);
}

bool CFileActions::QuickViewAvailable() const
{
    const std::string viewer = QuickViewerPath();
    CFileStatus status;
    return !viewer.empty() && CFile::GetStatus(viewer, status);
}

void CFileActions::OpenWithQuickView()
{
    const std::string viewer = QuickViewerPath();
    if (viewer.empty())
        return;
    const std::optional<std::string> path = CurrentLaunchPath(std::string::npos);
    if (!path)
        return;
    shell->Execute(owner.GetSafeHwnd(), nullptr, viewer.c_str(), path->c_str(), "", SW_SHOWNORMAL);
}

bool CFileActions::DeleteEnabled() const
{
    const std::optional<FoundFile> file = CurrentFile();
    const CheckedPath path = file ? CheckedExactPath(*file) : CheckedPath{{}, ReachFault::NoName};
    CFileStatus status;
    // Offered for a file it cannot tell apart, so that the box says why.
    if (path.fault == ReachFault::Ambiguous || path.fault == ReachFault::Changed)
        return true;
    return path.fault == ReachFault::None && CFile::GetStatus(path.path, status) &&
           trawl::DeleteAllowed(status.attribute);
}

void CFileActions::Delete()
{
    CResultListCtrl& list = rows;
    const int row = list.GetCurrentItem();
    const std::optional<FoundFile> file = list.FindFoundFile(row);
    if (!file)
        return;
    const std::string shown = FitToScreen(list.GetItemText(row, 0));
    const std::optional<std::wstring> path = CheckedPathOf(*file, IDS_DELETE_CAPTION);
    if (!path)
        return;
    if (LeadsElsewhere(*path)) {
        ShowMessage(trawl::FillIn(LoadResString(IDS_DELETE_LINK), "%s", shown), IDS_DELETE_CAPTION,
                    MB_OK | MB_ICONSTOP);
        return;
    }
    if (ShowMessage(trawl::FillIn(LoadResString(IDS_DELETE_CONFIRM), "%s", shown), IDS_DELETE_CAPTION,
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    try {
        CFile::Remove(*path, shown);
    } catch (const CFileException& error) {
        ShowMessage(DeleteFailureText(error.fileName, error.cause), IDS_DELETE_CAPTION, MB_OK | MB_ICONSTOP);
        return;
    }
    // A removal reported done is believed only once the name is free.
    if (const AfterRemove after = CheckRemoved(*path); after != AfterRemove::Gone) {
        const UINT textId = after == AfterRemove::Pending ? IDS_DELETE_PENDING : IDS_DELETE_STILL_THERE;
        ShowMessage(trawl::FillIn(LoadResString(textId), "%s", shown), IDS_DELETE_CAPTION, MB_OK | MB_ICONSTOP);
        return;
    }
    // The list's own row deletion: the other rows keep their item data, so a
    // later sort still knows the order found.
    list.DeleteItem(row);
    if (onRowRemoved)
        onRowRemoved();
}

void CFileActions::OpenAttribWnd()
{
    if (attribDlg != nullptr || rows.GetCurrentItem() == -1) {
        shell->Beep(MB_ICONEXCLAMATION);
        return;
    }
    auto* window = new CFileAttribDlg(&owner, [this](CWnd& shown) { PlaceAttribWnd(shown); });
    if (!window->Create(IDD_FILE_ATTRIBUTES, &owner)) {
        // Nothing on screen: the window does not count as open.
        delete window;
        shell->Beep(MB_ICONEXCLAMATION);
        return;
    }
    attribDlg = window;
    RefreshAttribWnd();
}

void CFileActions::PlaceAttribWnd(CWnd& window) const
{
    RECT main{};
    ::GetWindowRect(owner.GetTopLevelHwnd(), &main);
    const RECT own = window.GetWindowRect();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&main, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    CResultListCtrl& list = rows;
    std::optional<trawl::Box> chosen;
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    const int current = list.GetCurrentItem();
    if (current != -1 && list.SendMessage(LVM_GETITEMRECT, current, reinterpret_cast<LPARAM>(&row))) {
        MapWindowPoints(list.GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&row), 2);
        chosen = trawl::Box{row.left, row.top, row.right, row.bottom};
    }
    const RECT& work = monitor.rcWork;
    const trawl::Spot spot =
        trawl::PlaceBesideMain({main.left, main.top, main.right, main.bottom}, own.right - own.left,
                               own.bottom - own.top, {work.left, work.top, work.right, work.bottom}, chosen);
    SetWindowPos(window.GetSafeHwnd(), nullptr, spot.x, spot.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CFileActions::RefreshAttribWnd()
{
    if (attribDlg == nullptr)
        return;
    const int row = rows.GetCurrentItem();
    if (row == -1)
        return;
    // A row that stands for no file, or a file gone, shows nothing: old
    // facts beside the new row would describe a file that is not there.
    // So is a file its name cannot tell from another: their facts would mix.
    const std::optional<FoundFile> file = rows.FindFoundFile(row);
    const CheckedPath path = file ? CheckedExactPath(*file) : CheckedPath{{}, ReachFault::NoName};
    CFileStatus status;
    if (path.fault != ReachFault::None || !CFile::GetStatus(path.path, status)) {
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
    window.sizeText = trawl::FillIn(LoadResString(IDS_ATTR_SIZE), "%s", std::to_string(status.size));
    const std::string timePattern = LoadResString(IDS_ATTR_TIME);
    window.createdText = status.ctime.Format(timePattern.c_str());
    window.modifiedText = status.mtime.Format(timePattern.c_str());
    window.accessedText = status.atime.Format(timePattern.c_str());
    window.UpdateData(false);
}

void CFileActions::ResetAttribWnd()
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

void CFileActions::CloseAttribWnd()
{
    if (attribDlg != nullptr) {
        attribDlg->DestroyWindow();
        delete attribDlg;
    }
    attribDlg = nullptr;
}
