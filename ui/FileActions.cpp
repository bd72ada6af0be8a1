// The file actions of the result list: open, open with Notepad or the quick
// viewer, delete, and the attributes window that follows the current row.
#include "FileActions.h"

#include "framework/CmdUI.h"
#include "framework/File.h"
#include "res/resource.h"
#include "ui/CodePageText.h"
#include "ui/FileAttribDlg.h"
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
    // The whole listed text: a path cut to a buffer could name another file.
    return resultList.GetItemText(row, 0);
}

std::optional<std::string> CTrawlView::CurrentLaunchPath()
{
    const int row = resultList.GetCurrentItem();
    if (row == -1)
        return std::nullopt;
    std::string path = RowPath(row);
    if (!CheckListedPath(GetSafeHwnd(), path, LoadResString(IDS_OPEN_CAPTION)))
        return std::nullopt;
    return path;
}

void CTrawlView::OnPopupOpen()
{
    const std::optional<std::string> path = CurrentLaunchPath();
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
    const std::optional<std::string> path = CurrentLaunchPath();
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
    const std::optional<std::string> path = CurrentLaunchPath();
    if (!path)
        return;
    shell->Execute(GetSafeHwnd(), nullptr, viewer.c_str(), path->c_str(), "", SW_SHOWNORMAL);
}

void CTrawlView::OnUpdatePopupDelete(CCmdUI* cmdUI)
{
    const int row = resultList.GetCurrentItem();
    CFileStatus status;
    cmdUI->Enable(row != -1 && CFile::GetStatus(RowPath(row), status) && DeleteAllowed(status.attribute));
}

void CTrawlView::OnPopupDelete()
{
    const int row = resultList.GetCurrentItem();
    if (row == -1)
        return;
    const std::string path = RowPath(row);
    const std::string caption = LoadResString(IDS_DELETE_CAPTION);
    if (!CheckListedPath(GetSafeHwnd(), path, caption))
        return;
    if (MessageBox(FillIn(LoadResString(IDS_DELETE_CONFIRM), path), caption,
                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    try {
        CFile::Remove(path);
    } catch (const CFileException& error) {
        MessageBox(DeleteFailureText(path, error.cause), caption, MB_OK | MB_ICONSTOP);
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
    PlaceBesideMainWindow(*window);
    RefreshAttribWnd();
}

void CTrawlView::PlaceBesideMainWindow(CWnd& window)
{
    // Right of the main window, where it hides none of the results; left of
    // it when the screen ends there; always wholly on the screen.
    RECT main{};
    ::GetWindowRect(GetTopLevelHwnd(), &main);
    const RECT own = window.GetWindowRect();
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&main, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    int x = main.right;
    if (x + width > work.right)
        x = main.left - width;
    x = std::clamp(x, static_cast<int>(work.left), std::max<int>(work.left, work.right - width));
    const int y = std::clamp(static_cast<int>(main.top), static_cast<int>(work.top),
                             std::max<int>(work.top, work.bottom - height));
    SetWindowPos(window.GetSafeHwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    CFileStatus status;
    if (!CFile::GetStatus(RowPath(row), status))
        return;
    CFileAttribDlg& window = *attribDlg;
    window.readOnlyCheck = (status.attribute & FILE_ATTRIBUTE_READONLY) != 0 ? 1 : 0;
    window.systemCheck = (status.attribute & FILE_ATTRIBUTE_SYSTEM) != 0 ? 1 : 0;
    window.hiddenCheck = (status.attribute & FILE_ATTRIBUTE_HIDDEN) != 0 ? 1 : 0;
    window.archiveCheck = (status.attribute & FILE_ATTRIBUTE_ARCHIVE) != 0 ? 1 : 0;
    const size_t slash = status.fullName.rfind('\\');
    window.nameText = slash == std::string::npos ? status.fullName : status.fullName.substr(slash + 1);
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
