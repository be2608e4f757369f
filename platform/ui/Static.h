// CStatic: a text (or bitmap) label. Its colours come from WM_CTLCOLORSTATIC sent to the parent;
// with SS_NOTIFY a click sends STN_CLICKED (double click STN_DBLCLK) to the parent.
#pragma once

#include "platform/ui/Wnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    CStatic() = default;

    using CWnd::Create;
    BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
    // SS_BITMAP labels show this bitmap at their top-left corner (centred with SS_CENTERIMAGE).
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const { return m_bitmap; }

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;

protected:
    HBITMAP m_bitmap = nullptr;
};
