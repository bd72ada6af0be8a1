#pragma once

#include "framework/Wnd.h"
#include "ui/ResultListCtrl.h"

// A plain frame window holding a result list filling it, as the figures time
// the list: not shown until the caller has set up its columns.
struct ResultListHost {
    CWnd frame;
    CResultListCtrl list;
    // False, after saying which window could not be made.
    bool Create();
};
