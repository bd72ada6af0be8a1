#pragma once

#include "ui/FoundFiles.h"
#include "ui/Shell.h"

#include <functional>
#include <optional>
#include <string>

class CFileAttribDlg;
class CResultListCtrl;
class CWnd;

// What the row popup does to the file of the current row: open it through
// its type's program, in Notepad or in the quick viewer, delete it, and show
// its attributes in a window that follows the current row. The view owns it
// and forwards its commands; every action goes by the file the row was found
// as (FoundFile), never by the row's text. Its boxes and the attributes
// window belong to `owner`; `onRowRemoved` runs after Delete took a row out.
class CFileActions {
public:
    CFileActions(CResultListCtrl& rows, CWnd& owner, std::function<void()> onRowRemoved)
        : rows(rows), owner(owner), onRowRemoved(std::move(onRowRemoved))
    {
    }
    CFileActions(const CFileActions&) = delete;
    CFileActions& operator=(const CFileActions&) = delete;

    void Open();
    void OpenWithNotepad();
    void OpenWithQuickView();
    // The quick viewer is offered only where it is installed.
    bool QuickViewAvailable() const;
    void Delete();
    bool DeleteEnabled() const;

    // Opens the attributes window on the current row; beeps when it is open
    // already or no row is current.
    void OpenAttribWnd();
    // Fills the attributes window, if open, from the current row.
    void RefreshAttribWnd();
    // Blanks the attributes window, if open; it stays open.
    void ResetAttribWnd();
    void CloseAttribWnd();
    // The open attributes window, or null: the one sign that it is open.
    CFileAttribDlg* AttribWnd() const { return attribDlg; }

    // Starts the files and programs; tests put a recorder in its place.
    IShell* shell = &SystemShell();

private:
    std::optional<FoundFile> CurrentFile() const;
    // The current row's file as a path a program can open, at most `limit`
    // characters; nothing without a file, or (after saying why) when no such
    // path reaches it.
    std::optional<std::string> CurrentLaunchPath(size_t limit);
    // The file's checked exact path; nothing, after saying why in a box
    // with this caption, when an action may not go by it.
    std::optional<std::wstring> CheckedPathOf(const FoundFile& file, UINT captionId);
    // The path laid out on lines that fit the screen in a message box.
    std::string FitToScreen(const std::string& path) const;
    int ShowMessage(const std::string& text, UINT captionId, UINT style);
    // Puts the attributes window where it hides none of the rows, if it can.
    void PlaceAttribWnd(CWnd& window) const;

    CResultListCtrl& rows;
    CWnd& owner;
    std::function<void()> onRowRemoved;
    CFileAttribDlg* attribDlg = nullptr;
};

// The quick viewer under the system directory named by WINDIR; empty when
// WINDIR is not set.
std::string QuickViewerPath();
