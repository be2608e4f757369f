#include "controls/SkinControl.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/Brush.h"
#include "platform/ui/DC.h"
#include "platform/ui/Pen.h"

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

bool FitToBitmap(CWnd* control, UINT id) {
    CBitmap bitmap;
    if (id == 0 || !bitmap.LoadBitmap(id))
        return false;
    const CSize size = bitmap.GetBitmapDimension();
    CRect rc;
    control->GetClientRect(&rc);
    if (rc.Width() != size.cx || rc.Height() != size.cy)
        control->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    return true;
}

bool StretchBitmapResource(CDC* dc, UINT id, int width, int height) {
    CBitmap bitmap;
    if (id == 0 || !bitmap.LoadBitmap(id))
        return false;
    StretchBitmap(dc, &bitmap, 0, 0, width, height);
    return true;
}

void PaintFace(CDC* dc, UINT id, const CRect& client) {
    if (!StretchBitmapResource(dc, id, client.Width(), client.Height()))
        dc->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
}

void PaintFocusMark(CDC* dc, const CRect& client) {
    if (!dc || client.Width() < 6 || client.Height() < 6)
        return;
    constexpr COLORREF kAccent = RGB(0x19, 0xb5, 0xfe);
    constexpr COLORREF kInner = RGB(0x0c, 0x0e, 0x11);
    CPen ring(PS_SOLID, 1, kAccent);
    CPen inner(PS_SOLID, 1, kInner);
    const HGDIOBJ oldBrush = dc->SelectObject(GetStockObject(NULL_BRUSH));
    CPen* oldPen = dc->SelectObject(&ring);
    CRect rc = client;
    for (int i = 0; i < 2; ++i) {
        dc->RoundRect(&rc, CPoint(6 - 2 * i, 6 - 2 * i));
        rc.DeflateRect(1, 1);
    }
    dc->SelectObject(&inner);
    dc->RoundRect(&rc, CPoint(2, 2));
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

} // namespace skin
