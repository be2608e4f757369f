#include "pages/input/Adv_ComBox.h"

#include "platform/ui/WinUser.h"

void CAdv_ComBox::OnLButtonDown(UINT, CPoint) {
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(kSourceButton, BN_CLICKED), 0);
}
