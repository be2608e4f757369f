#include "controls/SkinControl.h"

namespace skin {

int ButtonKind(DWORD style) {
    const DWORD type = style & 0xFF;
    if ((type & 3) == 3)
        return 2;
    if ((type & 9) == 9)
        return 4;
    return 0;
}

void InvalidateParentArea(CWnd* control) {
    CWnd* parent = control->GetParent();
    if (!parent || !control->GetSafeHwnd())
        return;
    CRect rc;
    control->GetWindowRect(&rc);
    parent->ScreenToClient(&rc);
    parent->InvalidateRect(&rc, TRUE);
}

} // namespace skin
