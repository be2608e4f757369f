#include "controls/MoveNotifier.h"

#include "controls/ControlMessages.h"

BOOL CMoveNotifier::Notify(CWnd* control, UINT flags, CPoint point) {
    if (m_bNotified && point == m_ptLast)
        return FALSE;
    m_bNotified = TRUE;
    m_ptLast = point;
    CWnd* parent = control->GetParent();
    if (!parent)
        return FALSE;
    parent->SendMessage(WM_CONTROL_MOUSEMOVE, flags, static_cast<LPARAM>(control->GetDlgCtrlID()));
    return TRUE;
}
