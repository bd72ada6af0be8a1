#include "TrawlView.h"

#include "core/FormRules.h"
#include "core/NameFolder.h"
#include "core/StatusTexts.h"
#include "core/TextFill.h"
#include "framework/CmdUI.h"
#include "framework/DataExchange.h"
#include "framework/FrameWnd.h"
#include "framework/Resources.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "ui/CodePageText.h"
#include "ui/DetailOptionsDlg.h"
#include "ui/DirectoryListDlg.h"
#include "ui/EnvironmentValue.h"
#include "ui/FileAttribDlg.h"
#include "ui/ListEditSave.h"
#include "ui/ResultSearch.h"
#include "ui/StoredEnvironment.h"
#include "ui/TrawlDoc.h"

#include <algorithm>

IMPLEMENT_RUNTIME_CLASS(CTrawlView)

const MessageEntry CTrawlView::messageEntries[] = {
    msgmap::Command<&CTrawlView::OnClear>(ID_FILE_CLEAR),
    msgmap::Command<&CTrawlView::OnSearch>(ID_FILE_SEARCH),
    msgmap::UpdateCommandUI<&CTrawlView::OnUpdateSearch>(ID_FILE_SEARCH),
    msgmap::ControlNotify<&CTrawlView::OnInputChanged>(EN_CHANGE, IDC_FILENAME),
    msgmap::Command<&CTrawlView::OnEnvValue>(ID_VIEW_ENVVALUE),
    msgmap::UpdateCommandUI<&CTrawlView::OnUpdateEnvValue>(ID_VIEW_ENVVALUE),
    msgmap::Command<&CTrawlView::OnDirectoryList>(ID_VIEW_DIRECTORYLIST),
    msgmap::UpdateCommandUI<&CTrawlView::OnUpdateDirectoryList>(ID_VIEW_DIRECTORYLIST),
    msgmap::ControlNotify<&CTrawlView::OnSourceModeChanged>(BN_CLICKED, IDC_ENVCHECK),
    msgmap::ControlNotify<&CTrawlView::OnClear>(BN_CLICKED, IDC_CLEAR),
    msgmap::ControlNotify<&CTrawlView::OnSearch>(BN_CLICKED, IDC_SEARCH),
    msgmap::ControlNotify<&CTrawlView::OnInputChanged>(CBN_SELCHANGE, IDC_ENVLIST),
    msgmap::ControlNotify<&CTrawlView::OnInputChanged>(EN_CHANGE, IDC_MYPATH),
    msgmap::OnSize<&CTrawlView::OnSize>(),
    msgmap::Command<&CTrawlView::OnViewDetailOptions>(ID_VIEW_DETAILOPTIONS),
    msgmap::Command<&CTrawlView::OnRunsForCommandPrompt>(ID_VIEW_RUNS_COMMAND_PROMPT),
    msgmap::Command<&CTrawlView::OnRunsForStartAndRun>(ID_VIEW_RUNS_START_AND_RUN),
    msgmap::UpdateCommandUI<&CTrawlView::OnUpdateRunsFor>(ID_VIEW_RUNS_COMMAND_PROMPT),
    msgmap::UpdateCommandUI<&CTrawlView::OnUpdateRunsFor>(ID_VIEW_RUNS_START_AND_RUN),
    msgmap::Command<&CTrawlView::OnPopupOpen>(ID_POPUP_OPEN),
    msgmap::Command<&CTrawlView::OnPopupNotepad>(ID_POPUP_NOTEPAD),
    msgmap::Command<&CTrawlView::OnPopupQuickView>(ID_POPUP_QUICKVIEW),
    msgmap::UpdateCommandUI<&CTrawlView::OnUpdatePopupQuickView>(ID_POPUP_QUICKVIEW),
    msgmap::Command<&CTrawlView::OnPopupDelete>(ID_POPUP_DELETE),
    msgmap::UpdateCommandUI<&CTrawlView::OnUpdatePopupDelete>(ID_POPUP_DELETE),
    msgmap::Command<&CTrawlView::OnPopupAttributes>(ID_POPUP_ATTRIBUTES),
    msgmap::UpdateCommandUI<&CTrawlView::OnUpdatePopupAttributes>(ID_POPUP_ATTRIBUTES),
    msgmap::Notify<&CTrawlView::OnResultDblClk>(NM_DBLCLK, IDC_RESULTS),
    msgmap::Notify<&CTrawlView::OnResultClick>(NM_CLICK, IDC_RESULTS),
    msgmap::Notify<&CTrawlView::OnResultItemChanged>(LVN_ITEMCHANGED, IDC_RESULTS),
    msgmap::Message<&CTrawlView::OnAttribWndClosed>(WM_ATTRIBWND_CLOSED),
    msgmap::Message<&CTrawlView::OnSearchRows>(WM_SEARCH_ROWS),
    msgmap::Message<&CTrawlView::OnTimer>(WM_TIMER),
    // Esc, as the dialog manager sends it.
    msgmap::Command<&CTrawlView::OnStopSearch>(IDCANCEL),
};
const MessageMap CTrawlView::messageMap = MakeMessageMap(&CFormView::messageMap, messageEntries);

namespace {

int CALLBACK CompareResultRows(LPARAM first, LPARAM second, LPARAM column)
{
    return trawl::CompareRows(first, second, column);
}

} // namespace

CTrawlView::CTrawlView() : CFormView(IDD_SEARCH_FORM) {}

CTrawlView::~CTrawlView()
{
    fileActions.CloseAttribWnd();
    // The comparer reads through this pointer; it must not outlive the list.
    if (trawl::sortTargetList == &resultList)
        trawl::sortTargetList = nullptr;
}

CTrawlDoc* CTrawlView::GetDocument() const
{
    return static_cast<CTrawlDoc*>(CFormView::GetDocument());
}

void CTrawlView::DoDataExchange(CDataExchange* exchange)
{
    CFormView::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_CLEAR, clearButton);
    DDX_Control(exchange, IDC_RESULTS, resultList);
    DDX_Control(exchange, IDC_ENVLIST, envList);
    DDX_Control(exchange, IDC_SEARCH, searchButton);
    DDX_Text(exchange, IDC_FILENAME, fileName);
    DDX_Text(exchange, IDC_SOURCELABEL, sourceLabel);
    DDX_Text(exchange, IDC_MYPATH, myPath);
    DDX_Check(exchange, IDC_ENVCHECK, useEnvironment);
    resultList.compareFunc = &CompareResultRows;
    trawl::sortTargetList = &resultList;
}

void CTrawlView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();

    if (CFrameWnd* frame = GetParentFrame())
        frame->RecalcLayout();
    ResizeParentToFit(false);

    if (!layoutCaptured) {
        RECT client = GetClientRect();
        initialWidth = client.right;
        initialHeight = client.bottom;
        RECT list = resultList.GetWindowRect();
        ScreenToClient(list);
        listLeft = list.left;
        listTop = list.top;
        layoutCaptured = 1;
    }

    FillEnvironmentList();
    OnClear();
    SetupColumns();
    envList.SelectString(-1, "PATH");
    UpdateDocTitle();
}

void CTrawlView::FillEnvironmentList()
{
    for (const std::string& name : ProcessVariableNames()) {
        // Names keep their full length, since a cut name would look up a
        // different variable.
        envList.AddString(UpperCaseName(name));
    }
}

void CTrawlView::SetupColumns()
{
    resultList.SetupResultColumns(GetDocument()->options);
    resultList.popupMenuId = IDR_RESULT_POPUP;
    resultList.EnableShadowMarks();
}

void CTrawlView::OnClear()
{
    search.Stop();
    searchStatus.clear();
    searchButton.EnableWindow(false);
    fileName.clear();
    resultList.DeleteAllItems();
    fileActions.ResetAttribWnd();
    searchReady = 0;
    resultsFound = 0;
    searchedEditedList = false;
    ::SetFocus(GetDlgItem(IDC_FILENAME));
    useEnvironment = 1;
    UpdateData(false);
    OnSourceModeChanged();
    StoreFoundCount();
}

void CTrawlView::OnSourceModeChanged()
{
    UpdateData(true);
    bool environment = useEnvironment != 0;
    sourceLabel = LoadResString(environment ? IDS_SOURCE_ENVIRONMENT : IDS_SOURCE_MYPATH);
    envList.ShowWindow(environment ? SW_SHOWNORMAL : SW_HIDE);
    ::ShowWindow(GetDlgItem(IDC_MYPATH), environment ? SW_HIDE : SW_SHOWNORMAL);
    UpdateData(false);
    OnInputChanged();
}

void CTrawlView::OnInputChanged()
{
    UpdateData(true);
    // Where a stopped search ended is old news once the input changes.
    if (!search.Running())
        searchStatus.clear();
    searchReady =
        trawl::InputsComplete(fileName, useEnvironment != 0, envList.GetCurSel() >= 0, myPath) ? 1 : 0;
    searchButton.EnableWindow(searchReady != 0);
    UpdateDocTitle();
}

void CTrawlView::UpdateDocTitle()
{
    int selected = envList.GetCurSel();
    if (selected < 0)
        return;
    std::string title = useEnvironment != 0 ? envList.GetLBText(selected) : LoadResString(IDS_MYPATH_TITLE);
    // The rows came from the Directory List's edits, not from the stored list.
    if (searchedEditedList)
        title = trawl::FillIn(LoadResString(IDS_EDIT_TRIED_TITLE), "%s", title);
    if (CTrawlDoc* document = GetDocument(); document != nullptr && document->GetTitle() != title)
        document->SetTitle(title);
}

void CTrawlView::OnUpdateSearch(CCmdUI* cmdUI)
{
    cmdUI->Enable(searchReady != 0);
}

void CTrawlView::OnUpdateEnvValue(CCmdUI* cmdUI)
{
    cmdUI->Enable(envList.GetCurSel() >= 0);
}

bool CTrawlView::GetEnvironmentEntry(std::string& text) const
{
    std::string name = envList.GetWindowText();
    // The whole value, however long: the text never comes from a cut buffer.
    std::optional<std::string> value = EnvironmentValue(name);
    if (!value) {
        text = name;
        return false;
    }
    text = name + "=" + *value;
    return true;
}

void CTrawlView::OnEnvValue()
{
    std::string text;
    const std::string caption = LoadResString(IDS_ENVVALUE_CAPTION);
    if (GetEnvironmentEntry(text))
        MessageBox(text, caption, MB_OK | MB_ICONINFORMATION);
    else
        MessageBox(LoadResString(IDS_NO_VALUE), caption, MB_OK | MB_ICONSTOP);
}

// Search's source rule: the list need not wait for a pattern.
void CTrawlView::OnUpdateDirectoryList(CCmdUI* cmdUI)
{
    cmdUI->Enable(trawl::SourceComplete(useEnvironment != 0, envList.GetCurSel() >= 0, myPath));
}

void CTrawlView::OnDirectoryList()
{
    if (!trawl::SourceComplete(useEnvironment != 0, envList.GetCurSel() >= 0, myPath))
        return; // a command sent while the item shows disabled
    CTrawlDoc* document = GetDocument();
    std::string listText;
    trawl::StoredValues stored;
    if (!handedEditsFile.empty()) {
        // An elevated run started to save another run's edits: they open at once.
        document->listEdit = TakeHandedEdits(handedEditsFile);
        handedEditsFile.clear();
        if (document->listEdit && envList.SelectString(-1, document->listEdit->Variable()) >= 0)
            OnInputChanged();
    }
    if (useEnvironment != 0) {
        const std::string name = envList.GetWindowText();
        listText = EnvironmentValue(name).value_or(std::string());
        stored = StoredVariableValues(name);
        // Variable names are the same whatever their case, as the system looks them up.
        if (document->listEdit && !trawl::SameAsciiFolded(document->listEdit->Variable(), name)) {
            if (!document->SaveModified())
                return;
            document->listEdit.reset();
        }
        if (!document->listEdit)
            document->listEdit = CListEditSession::Read(name, listText);
    } else {
        listText = myPath;
        stored.typed = true;
    }
    CListEditSession* session = useEnvironment != 0 && document->listEdit ? &*document->listEdit : nullptr;
    CDirectoryListDlg dialog(std::move(listText), std::move(stored), session, this, directoryChecks);
    const INT_PTR result = dialog.DoModal();
    // Edits left pending stay for the next opening, and exit asks about them.
    const bool pending = document->listEdit && document->listEdit->edit.Changed();
    document->SetModifiedFlag(pending);
    if (!pending)
        document->listEdit.reset();
    if (result == CDirectoryListDlg::tryInSearch && document->listEdit)
        SearchList(document->listEdit->NewProcessList(), true);
}

void CTrawlView::OnSearch()
{
    std::string directoryList;
    if (useEnvironment != 0) {
        std::optional<std::string> value = EnvironmentValue(envList.GetWindowText());
        if (!value) {
            SearchList(std::nullopt, false);
            return;
        }
        directoryList = std::move(*value);
    } else {
        directoryList = myPath;
    }
    SearchList(directoryList, false);
}

void CTrawlView::SearchList(const std::optional<std::string>& directoryList, bool editedList)
{
    search.Stop();
    searchReady = 0;
    searchButton.EnableWindow(false);
    resultList.DeleteAllItems();
    fileActions.ResetAttribWnd();
    searchedEditedList = editedList;
    resultsFound = 0;
    UpdateDocTitle();
    if (!directoryList) {
        FinishSearch(trawl::SearchOutcome());
        return;
    }
    // The rows come as the worker hands them over (OnSearchRows).
    search.Start(resultList, GetSafeHwnd(), *directoryList, fileName, GetDocument()->options, makeFinder,
                 GetDocument()->runsFor);
    ShowSearchStatus();
}

LRESULT CTrawlView::OnSearchRows(WPARAM number, LPARAM)
{
    if (!search.TakeRows(number))
        return 0;
    StoreFoundCount();
    if (search.Running())
        ShowSearchStatus();
    else
        FinishSearch(search.Outcome());
    return 0;
}

LRESULT CTrawlView::OnTimer(WPARAM timer, LPARAM)
{
    if (timer == CSearchWorker::timerId)
        OnSearchRows(search.Number(), 0);
    return 0;
}

void CTrawlView::OnStopSearch()
{
    if (!search.Running())
        return;
    const SearchProgress progress = search.Progress();
    search.Stop();
    FinishSearch(search.Outcome());
    searchStatus = trawl::FillInOrder(
        LoadResString(IDS_SEARCH_STOPPED),
        {trawl::GroupedNumber(progress.directoriesSearched), trawl::GroupedNumber(progress.directoryCount)});
    UpdateStatusPrompt();
}

void CTrawlView::ShowSearchStatus()
{
    const SearchProgress& progress = search.Progress();
    if (progress.directoryCount == 0)
        searchStatus = LoadResString(IDS_SEARCH_STARTING);
    else
        searchStatus = trawl::FillInOrder(LoadResString(IDS_SEARCH_PROGRESS),
                                          {trawl::GroupedNumber(progress.directoriesSearched + 1),
                                           trawl::GroupedNumber(progress.directoryCount), progress.current});
    UpdateStatusPrompt();
}

void CTrawlView::FinishSearch(const trawl::SearchOutcome& outcome)
{
    searchStatus.clear();
    StoreFoundCount();
    // The result list's prompt speaks of files only while it lists some.
    resultsFound = resultList.GetItemCount() > 0 ? 1 : 0;
    FinishResultList(resultList, outcome, LoadResString(IDS_NO_FILES));
    UpdateStatusPrompt();
}

void CTrawlView::StoreFoundCount()
{
    foundCount = resultList.GetItemCount();
}

int CTrawlView::UpdateStatusPrompt()
{
    CWinApp* app = CWinApp::Get();
    auto* frame = app != nullptr ? dynamic_cast<CFrameWnd*>(app->mainWnd) : nullptr;
    if (frame == nullptr)
        return 0;
    if (!searchStatus.empty()) {
        frame->SetMessageText(searchStatus);
        return 0;
    }
    HWND focus = GetFocus();
    if (focus == nullptr)
        return 0;
    switch (::GetDlgCtrlID(focus)) {
    case IDC_FILENAME:
        frame->SetMessageText(IDS_PROMPT_FILENAME);
        break;
    case IDC_ENVLIST: {
        std::string entry;
        GetEnvironmentEntry(entry);
        if (trawl::EntryFitsStatusLine(entry))
            frame->SetMessageText(entry);
        else
            frame->SetMessageText(IDS_PROMPT_ENVLIST);
        break;
    }
    case IDC_RESULTS:
        frame->SetMessageText(resultsFound != 0 ? IDS_PROMPT_RESULTS : AFX_IDS_IDLEMESSAGE);
        break;
    default:
        frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
        break;
    }
    return 0;
}

void CTrawlView::OnSize(UINT type, int cx, int cy)
{
    CFormView::OnSize(type, cx, cy);
    if (!layoutCaptured)
        return;
    // Showing or hiding a scroll bar above sent a nested size message that
    // already laid the form out; cx and cy are out of date by then.
    const RECT client = GetClientRect();
    trawl::FormPlacement place = trawl::PlaceFormControls({initialWidth, initialHeight, listLeft, listTop},
                                                          client.right, client.bottom);
    // Positions are in the form's own coordinates; the client area may be scrolled.
    const POINT scroll = GetScrollPosition();
    SetWindowPos(resultList.GetSafeHwnd(), nullptr, 0, 0, place.listWidth, place.listHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (CButton* button : {&clearButton, &searchButton}) {
        RECT rect = button->GetWindowRect();
        ScreenToClient(rect);
        SetWindowPos(button->GetSafeHwnd(), nullptr, place.buttonsRight - (rect.right - rect.left) - scroll.x,
                     rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CTrawlView::OnViewDetailOptions()
{
    const trawl::DisplayOptions& options = GetDocument()->options;
    CDetailOptionsDlg dialog;
    dialog.showAttrib = options.showAttrib;
    dialog.showDate = options.showDate;
    dialog.showSize = options.showSize;
    dialog.showVersion = options.showVersion;
    if (dialog.DoModal() != IDOK)
        return;
    if (dialog.showAttrib == options.showAttrib && dialog.showDate == options.showDate &&
        dialog.showSize == options.showSize && dialog.showVersion == options.showVersion)
        return;

    trawl::DisplayOptions changed = options;
    changed.showAttrib = dialog.showAttrib;
    changed.showDate = dialog.showDate;
    changed.showSize = dialog.showSize;
    changed.showVersion = dialog.showVersion;
    GetDocument()->SaveDisplayOptions(changed);
    SearchAgain();
}

void CTrawlView::SearchAgain()
{
    // No row of the old columns or rule may arrive in the new ones.
    search.Stop();
    searchStatus.clear();
    SetupColumns();
    // The same search again; with the input incomplete the list stays empty
    // and the found pane keeps its text.
    if (trawl::InputsComplete(fileName, useEnvironment != 0, envList.GetCurSel() >= 0, myPath))
        OnSearch();
}

void CTrawlView::ChooseRunsFor(trawl::RunsFor chosen)
{
    if (chosen == GetDocument()->runsFor)
        return;
    GetDocument()->SaveRunsFor(chosen);
    SearchAgain();
}

void CTrawlView::OnRunsForCommandPrompt()
{
    ChooseRunsFor(trawl::RunsFor::CommandPrompt);
}

void CTrawlView::OnRunsForStartAndRun()
{
    ChooseRunsFor(trawl::RunsFor::StartAndRun);
}

void CTrawlView::OnUpdateRunsFor(CCmdUI* cmdUI)
{
    const trawl::RunsFor item =
        cmdUI->id == ID_VIEW_RUNS_START_AND_RUN ? trawl::RunsFor::StartAndRun : trawl::RunsFor::CommandPrompt;
    cmdUI->SetRadio(item == GetDocument()->runsFor);
}

void CTrawlView::OnDpiChanged(int oldDpi, int newDpi)
{
    CFormView::OnDpiChanged(oldDpi, newDpi);
    if (oldDpi <= 0 || newDpi <= 0 || oldDpi == newDpi)
        return;
    // The first size and the list's corner are the template's, so they scale with it.
    for (int* metric : {&initialWidth, &initialHeight, &listLeft, &listTop})
        *metric = MulDiv(*metric, newDpi, oldDpi);
    for (int column = 0; column < resultList.GetColumnCount(); ++column)
        resultList.SetColumnWidth(column, MulDiv(resultList.GetColumnWidth(column), newDpi, oldDpi));
    const RECT client = GetClientRect();
    OnSize(SIZE_RESTORED, client.right, client.bottom);
}

void CTrawlView::OnPopupOpen()
{
    fileActions.Open();
}

void CTrawlView::OnPopupNotepad()
{
    fileActions.OpenWithNotepad();
}

void CTrawlView::OnUpdatePopupQuickView(CCmdUI* cmdUI)
{
    cmdUI->Enable(fileActions.QuickViewAvailable());
}

void CTrawlView::OnPopupQuickView()
{
    fileActions.OpenWithQuickView();
}

void CTrawlView::OnUpdatePopupDelete(CCmdUI* cmdUI)
{
    cmdUI->Enable(fileActions.DeleteEnabled());
}

void CTrawlView::OnPopupDelete()
{
    fileActions.Delete();
}

void CTrawlView::OnResultDblClk(NMHDR*, LRESULT* result)
{
    *result = 0;
    fileActions.OpenAttribWnd();
}

void CTrawlView::OnPopupAttributes()
{
    fileActions.OpenAttribWnd();
}

void CTrawlView::OnUpdatePopupAttributes(CCmdUI* cmdUI)
{
    cmdUI->Enable(fileActions.AttribWnd() == nullptr);
}

void CTrawlView::OnResultClick(NMHDR*, LRESULT* result)
{
    *result = 0;
    fileActions.RefreshAttribWnd();
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
        fileActions.RefreshAttribWnd();
}

LRESULT CTrawlView::OnAttribWndClosed(WPARAM, LPARAM)
{
    fileActions.CloseAttribWnd();
    return 0;
}
