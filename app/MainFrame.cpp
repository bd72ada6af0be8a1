#include "MainFrame.h"

#include "core/StatusTexts.h"
#include "framework/Document.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "ui/TrawlView.h"

IMPLEMENT_RUNTIME_CLASS(CMainFrame)

const MessageEntry CMainFrame::messageEntries[] = {
    msgmap::OnCreate<&CMainFrame::OnCreate>(),
    msgmap::Plain<&CMainFrame::OnClose>(WM_CLOSE),
    msgmap::UpdateCommandUI<&CMainFrame::OnUpdateFoundCount>(ID_INDICATOR_FOUND),
};
const MessageMap CMainFrame::messageMap = MakeMessageMap(&CFrameWnd::messageMap, messageEntries);

namespace {

const UINT indicators[] = {
    ID_SEPARATOR, ID_INDICATOR_FOUND, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL,
};

// Bottom alignment with a top border, as the status bar sits in the frame.
constexpr DWORD statusBarStyle = WS_CHILD | WS_VISIBLE | 0x8200;

} // namespace

int CMainFrame::OnCreate(CREATESTRUCTA* create)
{
    if (CFrameWnd::OnCreate(create) == -1)
        return -1;
    if (!statusBar.Create(*this, statusBarStyle, AFX_IDW_STATUS_BAR))
        return -1;
    if (!statusBar.SetIndicators(indicators, static_cast<int>(std::size(indicators))))
        return -1;
    // The count shows whole up to 99,999,999 files, whichever digit is the widest.
    for (int32_t digit = 1; digit <= 9; ++digit)
        statusBar.FitPaneToText(ID_INDICATOR_FOUND, trawl::FoundCountText(digit * 11111111));
    statusBar.FitPaneToText(ID_INDICATOR_FOUND, trawl::FoundCountText(10000000));
    return 0;
}

void CMainFrame::OnUpdateFoundCount(CCmdUI* cmdUI)
{
    cmdUI->Enable();
    const auto* view = dynamic_cast<const CTrawlView*>(GetActiveView());
    cmdUI->SetText(trawl::FoundCountText(view != nullptr ? view->foundCount : 0));
}

void CMainFrame::OnClose()
{
    CWinApp* app = CWinApp::Get();
    if (app == nullptr || !endProcessOnClose || app->mainWnd != this) {
        CFrameWnd::OnClose();
        return;
    }
    if (CDocument* document = GetActiveDocument(); document != nullptr && !document->SaveModified())
        return;
    // Nothing is saved at exit, so the windows may go with the process. Taking
    // them down first would make the list free its rows one by one: seconds
    // with a hundred thousand rows, for memory the system takes back at once.
    // Hidden first, so the window leaves the screen as on any close and the
    // keys still held reach the system rather than a window that is gone.
    ShowWindow(SW_HIDE);
    ExitProcess(static_cast<UINT>(app->ExitInstance()));
}
