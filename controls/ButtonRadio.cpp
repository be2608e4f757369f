#include "controls/ButtonRadio.h"

#include "platform/ui/WinGdi.h"

BEGIN_MESSAGE_MAP(CButtonRadio, CButton)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

HBRUSH CButtonRadio::CtlColor(CDC* dc, UINT) {
    dc->SetTextColor(m_crText);
    dc->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}
