#pragma once

#include "framework/Controls.h"
#include "framework/View.h"
#include "ui/FileActions.h"
#include "ui/ResultListCtrl.h"

#include <optional>
#include <string>

class CTrawlDoc;
class CMainFrame;
class CFileAttribDlg;

// The search form: the pattern, the source of the directory list (an
// environment variable or a typed list), Search and Clear, and the results.
class CTrawlView : public CFormView {
    DECLARE_RUNTIME_CLASS()

public:
    CTrawlView();
    ~CTrawlView() override;

    CTrawlDoc* GetDocument() const;
    void OnInitialUpdate() override;
    void DoDataExchange(CDataExchange* exchange) override;

    // The chosen variable as "NAME=value"; the bare name and false when it
    // has no value.
    bool GetEnvironmentEntry(std::string& text) const;
    // Shows the prompt for the focused control in the status line.
    int UpdateStatusPrompt();
    // Rebuilds the result columns from the document's display options.
    void SetupColumns();
    void UpdateDocTitle();

    void OnSearch();
    void OnClear();
    void OnViewDetailOptions();

    // Fills the attributes window, if open, from the current row.
    void RefreshAttribWnd();
    // Blanks the attributes window, if open; it stays open.
    void ResetAttribWnd();
    // Puts the attributes window where it hides none of the rows, if it can.
    void PlaceBesideMainWindow(CWnd& window);
    void OnDpiChanged(int oldDpi, int newDpi) override;

    CButton clearButton;
    CResultListCtrl resultList;
    CComboBox envList;
    CButton searchButton;
    std::string fileName;
    std::string sourceLabel;
    std::string myPath;
    int useEnvironment = 0;
    int searchReady = 0;
    int resultsFound = 0;
    int layoutCaptured = 0;
    int initialWidth = 0;
    int initialHeight = 0;
    int listLeft = 0;
    int listTop = 0;
    // The open attributes window, or null: the one sign that it is open.
    CFileAttribDlg* attribDlg = nullptr;
    // Starts the files and programs of the file actions.
    IShell* shell = &SystemShell();

protected:
    void OnInputChanged();
    void OnSourceModeChanged();
    void OnUpdateSearch(CCmdUI* cmdUI);
    void OnEnvValue();
    void OnUpdateEnvValue(CCmdUI* cmdUI);
    void OnSize(UINT type, int cx, int cy);

    void OnPopupOpen();
    void OnPopupNotepad();
    void OnPopupQuickView();
    void OnUpdatePopupQuickView(CCmdUI* cmdUI);
    void OnPopupDelete();
    void OnUpdatePopupDelete(CCmdUI* cmdUI);
    void OnPopupAttributes();
    void OnUpdatePopupAttributes(CCmdUI* cmdUI);
    void OnResultDblClk(NMHDR* notify, LRESULT* result);
    void OnResultClick(NMHDR* notify, LRESULT* result);
    void OnResultItemChanged(NMHDR* notify, LRESULT* result);
    LRESULT OnAttribWndClosed(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    CMainFrame* GetMainFrame() const;
    void StoreFoundCount();
    void FillEnvironmentList();
    std::string RowPath(int row) const;
    // The path laid out on lines that fit the screen in a message box.
    std::string FitToScreen(const std::string& path) const;
    // The current row's file as a path a program can open, at most `limit`
    // characters; nothing without a file, or (after saying why) when no such
    // path reaches it.
    std::optional<std::string> CurrentLaunchPath(size_t limit);
    void RemoveResultRow(int row);
    void OpenAttribWnd();
    void CloseAttribWnd();
};
