#pragma once

#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/View.h"
#include "ui/DirectoryChecks.h"
#include "ui/FileActions.h"
#include "ui/ResultListCtrl.h"
#include "ui/ResultSearch.h"

#include <optional>
#include <string>

class CTrawlDoc;

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
    // Lists the matches along the list (none: the variable has no value);
    // editedList: the Directory List's unsaved edits, which the title tells.
    void SearchList(const std::optional<std::string>& directoryList, bool editedList);
    void OnClear();
    void OnViewDetailOptions();
    // Whom the marks answer for; a change is stored and searches again.
    void ChooseRunsFor(trawl::RunsFor chosen);
    bool SearchRunning() const { return search.Running(); }

    // Keeps the row count for the frame's found pane, which reads it at idle.
    void StoreFoundCount();
    // Rows the last Clear, Search or Delete left in the result list. Counted
    // in 32 bits: the pane must stay right past 32,767 files.
    int32_t foundCount = 0;
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
    bool searchedEditedList = false;
    // What enumerates the directories; empty for the system's finder.
    CSearchWorker::FinderFactory makeFinder;
    // Edits another run handed over to be saved with administrator rights.
    std::wstring handedEditsFile;
    // How the Directory List checks its entries; tests put in their own probe.
    DirectoryCheckSetup directoryChecks;
    // Acts on the current row's file; after the controls it uses.
    CFileActions fileActions{resultList, *this, [this] { StoreFoundCount(); }};

protected:
    void OnInputChanged();
    void OnSourceModeChanged();
    void OnUpdateSearch(CCmdUI* cmdUI);
    void OnEnvValue();
    void OnUpdateEnvValue(CCmdUI* cmdUI);
    void OnDirectoryList();
    void OnUpdateDirectoryList(CCmdUI* cmdUI);
    void OnSize(UINT type, int cx, int cy);
    void OnRunsForCommandPrompt();
    void OnRunsForStartAndRun();
    void OnUpdateRunsFor(CCmdUI* cmdUI);

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
    LRESULT OnSearchRows(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    void OnStopSearch();

    DECLARE_MESSAGE_MAP()

private:
    // Searches again as the user last asked, after the columns or the rule changed.
    void SearchAgain();
    void FillEnvironmentList();
    void ShowSearchStatus();
    void FinishSearch(const trawl::SearchOutcome& outcome);

    CSearchWorker search;
    // How far the running search has got, or where the stopped one ended;
    // the status line shows it in place of the prompt.
    std::string searchStatus;
};
