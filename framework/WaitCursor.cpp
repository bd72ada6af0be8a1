#include "WaitCursor.h"

CWaitCursor::CWaitCursor() : previous(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}

CWaitCursor::~CWaitCursor()
{
    SetCursor(previous != nullptr ? previous : LoadCursor(nullptr, IDC_ARROW));
}
