// CMoveNotifier: WM_CONTROL_MOUSEMOVE (key flags, control id) sent to the control's parent for a
// mouse point other than the last one notified (the first always counts).
#pragma once

#include "platform/ui/Wnd.h"

class CMoveNotifier {
public:
    // TRUE when the parent was told.
    BOOL Notify(CWnd* control, UINT flags, CPoint point);

private:
    BOOL m_bNotified = FALSE;
    CPoint m_ptLast;
};
