#include "ResultListHost.h"

#include "res/resource.h"

#include <cstdio>

bool ResultListHost::Create()
{
    if (!frame.CreateEx(0, nullptr, "Trawl benchmark", WS_OVERLAPPEDWINDOW, RECT{100, 100, 860, 580}, nullptr,
                        0)) {
        std::printf("cannot create the frame window\n");
        return false;
    }
    if (!list.CreateEx(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL,
                       frame.GetClientRect(), frame.GetSafeHwnd(), IDC_RESULTS)) {
        std::printf("cannot create the result list\n");
        return false;
    }
    return true;
}
