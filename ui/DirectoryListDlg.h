#pragma once

#include "core/DirectoryList.h"
#include "core/ListEdit.h"
#include "framework/Dialog.h"
#include "ui/DirectoryChecks.h"
#include "ui/EntryTable.h"
#include "ui/ListEditSession.h"

#include <string>
#include <vector>

// What is wrong with each entry of a directory list and where it comes from:
// one row per entry, a summary line under them, and Copy for a bug report.
// Given a variable's stored values it edits them: rows as a new process gets
// them (System, then User, then this process's own), and Save.
// It opens at once: each entry's check ends in its own time, on a worker.
class CDirectoryListDlg : public CDialog {
public:
    // stored: the variable's values in the registry, or typed for My Path.
    // session: the stored values to edit; without one the list is reported.
    CDirectoryListDlg(std::string listText, trawl::StoredValues stored, CListEditSession* session = nullptr,
                      CWnd* parent = nullptr, const DirectoryCheckSetup& checkSetup = {});

    void DoDataExchange(CDataExchange* exchange) override;

    // Ends the dialog: the main window searches the edited list.
    static constexpr int tryInSearch = IDOK + 100;

    CEntryTable entryTable;
    std::string summary;
    // The report, once the dialog has opened.
    std::vector<trawl::EntryReport> rows;
    // Whether a row still waits for its check (one that does not answer is in).
    bool Checking() const;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnCopy();
    void OnRemove();
    void OnMoveUp() { Move(false); }
    void OnMoveDown() { Move(true); }
    void OnAdd();
    void OnEdit();
    void OnCleanUp();
    void OnTry();
    void OnSave();
    void OnRevert();
    void OnUndo();
    void OnInPlaceDone();
    void OnTableChanged(NMHDR* notify, LRESULT* result);
    void OnTableCellText(NMHDR* notify, LRESULT* result);
    LRESULT OnChecksDone(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM id, LPARAM);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    void LoadTexts();
    void InsertColumns();
    void FillTable();
    void SizeColumns();
    int WidestCell(size_t column) const;
    // The rows, states, summary and cells again, from the session when editing.
    void JudgeRows();
    void FinishJudging();
    // The checks that ended since the last time, judged with all the rest.
    void ShowChecks();
    // The same with these rows selected.
    void Refresh(const std::vector<size_t>& selected);
    void EnableButtons();
    void Move(bool down);
    bool EndInPlace(bool keep);
    // Asks about unsaved edits; false when the dialog stays open.
    bool MayClose();
    void ReadSessionAgain();
    std::vector<size_t> StoredSelection() const;

    // Posted by the workers when checks have ended.
    static constexpr UINT checksDone = WM_APP + 1;

    std::string listText;
    trawl::StoredValues stored;
    CListEditSession* session;
    // What each row's cells show, asked for by the table as it draws.
    std::vector<std::vector<std::string>> cells;
    trawl::DirectoryListTexts texts;
    trawl::EditSummaryTexts editTexts;
    trawl::CheckLimits limits;
    DirectoryChecks checks;
    bool timing = false;
    ULONGLONG judgedAt = 0;
    bool sizedForStates = false; // the columns sized again once every state was in
    bool refreshing = false;
    bool haveBackup = false; // of the variable, for Undo Last Save
    // For PATH: the Windows folder, and the summary's word on the user's PATHEXT.
    std::optional<std::string> systemRoot;
    std::string extensionsNote;
    HWND inPlace = nullptr;
    size_t inPlaceRow = 0;
};
