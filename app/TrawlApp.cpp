#include "TrawlApp.h"

#include "app/MainFrame.h"
#include "res/resource.h"
#include "ui/AboutDlg.h"
#include "ui/ListEditSave.h"
#include "ui/TrawlDoc.h"
#include "ui/TrawlView.h"

const MessageEntry CTrawlApp::messageEntries[] = {
    msgmap::Command<&CWinApp::OnFileNew>(ID_FILE_NEW),
    msgmap::Command<&CWinApp::OnFileOpen>(ID_FILE_OPEN),
    msgmap::Command<&CTrawlApp::OnAppAbout>(ID_APP_ABOUT),
};
const MessageMap CTrawlApp::messageMap = MakeMessageMap(&CWinApp::messageMap, messageEntries);

bool CTrawlApp::InitInstance()
{
    Enable3dControlsStatic();
    SetRegistryKey("Quillfen");
    LoadStdProfileSettings(0);
    AddDocTemplate(std::make_unique<CSingleDocTemplate>(IDR_MAINFRAME, CTrawlDoc::runtimeClass,
                                                        CMainFrame::runtimeClass, CTrawlView::runtimeClass));
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (!ProcessShellCommand(commandLine))
        return false;
    auto* frame = dynamic_cast<CMainFrame*>(mainWnd);
    if (frame != nullptr)
        frame->endProcessOnClose = endProcessOnClose;
    // Started as administrator to save another run's edits: the Directory
    // List opens with them once the window runs.
    if (std::wstring handed = HandedEditsFile(); !handed.empty() && frame != nullptr)
        if (auto* view = dynamic_cast<CTrawlView*>(frame->GetActiveView())) {
            view->handedEditsFile = std::move(handed);
            frame->PostMessage(WM_COMMAND, ID_VIEW_DIRECTORYLIST);
        }
    return true;
}

bool CTrawlApp::OnIdle(LONG count)
{
    bool more = CWinApp::OnIdle(count);
    if (auto* frame = dynamic_cast<CFrameWnd*>(mainWnd))
        if (auto* view = dynamic_cast<CTrawlView*>(frame->GetActiveView()))
            view->UpdateStatusPrompt();
    return more;
}

void CTrawlApp::OnAppAbout()
{
    CAboutDlg about;
    about.DoModal();
}
