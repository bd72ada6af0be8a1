#pragma once

#include "core/DirectoryList.h"
#include "framework/Dialog.h"
#include "framework/ListCtrl.h"

#include <string>
#include <vector>

// What is wrong with each entry of a directory list and where it comes from:
// one row per entry, a summary line under them, and Copy for a bug report.
class CDirectoryListDlg : public CDialog {
public:
    // stored: the variable's values in the registry, or typed for My Path.
    CDirectoryListDlg(std::string listText, trawl::StoredValues stored, CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* exchange) override;

    CListCtrl entryTable;
    std::string summary;
    // The report, once the dialog has opened.
    std::vector<trawl::EntryReport> rows;

protected:
    bool OnInitDialog() override;
    void OnCopy();

    DECLARE_MESSAGE_MAP()

private:
    void FillTable();
    void SizeColumns(int columns);

    std::string listText;
    trawl::StoredValues stored;
    trawl::DirectoryListTexts texts;
};
