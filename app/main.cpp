#include "framework/Wnd.h"
#include "res/resource.h"
#include "ui/ResultSearch.h"

#include <string>

// A first window: a result list filled by one search of PATH for *.exe.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    CWnd frame;
    const RECT frameRect{100, 100, 860, 580};
    if (!frame.CreateEx(0, nullptr, "PATH - Trawl", WS_OVERLAPPEDWINDOW, frameRect, nullptr, 0))
        return 1;
    RECT client = frame.GetClientRect();
    CResultListCtrl list;
    if (!list.CreateEx(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL,
                       client, frame.GetSafeHwnd(), IDC_RESULTS))
        return 1;

    trawl::DisplayOptions options{1, 1, 1};
    SetupResultColumns(list, options);
    list.popupMenuId = IDR_RESULT_POPUP;
    std::string directories = EnvironmentValue("PATH").value_or("");
    trawl::SearchOutcome outcome = ListMatchingFiles(list, directories, "*.exe", options);
    FinishResultList(list, outcome, LoadResString(IDS_NO_FILES));

    frame.ShowWindow(show);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
