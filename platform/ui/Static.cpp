#include "platform/ui/Static.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/Brush.h"
#include "platform/ui/GdiHandle.h"
#include "platform/ui/PaintDC.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)

BOOL CStatic::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("Static", text, style, rect, parent, id);
}

HBITMAP CStatic::SetBitmap(HBITMAP bitmap) {
    HBITMAP old = m_bitmap;
    m_bitmap = bitmap;
    Invalidate();
    return old;
}

LRESULT CStatic::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        if (GetStyle() & SS_NOTIFY)
            NotifyParent(STN_CLICKED);
        break;
    case WM_LBUTTONDBLCLK:
        if (GetStyle() & SS_NOTIFY)
            NotifyParent(STN_DBLCLK);
        break;
    case WM_SETTEXT: {
        const LRESULT r = CWnd::DefWindowProc(message, wParam, lParam);
        Invalidate(TRUE);
        return r;
    }
    case WM_ENABLE:
        Invalidate(TRUE);
        break;
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

void CStatic::OnPaint() {
    CPaintDC dc(this);
    const DWORD style = GetStyle();
    const DWORD type = style & SS_TYPEMASK;
    CRect rc;
    GetClientRect(&rc);
    HBRUSH brush = SendCtlColor(&dc, WM_CTLCOLORSTATIC);
    if (type == SS_OWNERDRAW) {
        DRAWITEMSTRUCT dis{ODT_STATIC,
                           static_cast<UINT>(GetDlgCtrlID()),
                           0,
                           ODA_DRAWENTIRE,
                           IsWindowEnabled() ? 0u : ODS_DISABLED,
                           m_hWnd,
                           dc.GetSafeHdc(),
                           rc,
                           0};
        if (CWnd* parent = GetParent())
            parent->SendMessage(WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        return;
    }
    if (brush && brush->brushStyle != BS_NULL)
        dc.FillRect(&rc, CBrush::FromHandle(brush));
    if (type == SS_BITMAP) {
        if (!m_bitmap)
            return;
        CBitmap* bmp = CBitmap::FromHandle(m_bitmap);
        const CSize size = bmp->GetBitmapDimension();
        int x = 0, y = 0;
        if (style & SS_CENTERIMAGE) {
            x = (rc.Width() - size.cx) / 2;
            y = (rc.Height() - size.cy) / 2;
        }
        DrawBitmap(&dc, bmp, x, y);
        return;
    }
    CString text;
    GetWindowText(text);
    if (text.IsEmpty())
        return;
    UINT format = DT_WORDBREAK | DT_EXPANDTABS;
    if (type == SS_CENTER)
        format |= DT_CENTER;
    else if (type == SS_RIGHT)
        format |= DT_RIGHT;
    if (style & SS_CENTERIMAGE)
        format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    switch (style & SS_ELLIPSISMASK) {
    case SS_ENDELLIPSIS:
        format |= DT_END_ELLIPSIS;
        break;
    case SS_PATHELLIPSIS:
        format |= DT_PATH_ELLIPSIS;
        break;
    case SS_WORDELLIPSIS:
        format |= DT_WORD_ELLIPSIS;
        break;
    default:
        break;
    }
    if (!IsWindowEnabled())
        dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    dc.DrawText(text, &rc, format);
}
