// CHyLink: a hyperlink label. It turns red under the mouse and opens its own text as a web
// address when clicked.
#pragma once

#include "controls/HandCursor.h"
#include "platform/ui/Static.h"

class CHyLink : public CStatic {
public:
    CHyLink();

    BOOL IsHovered() const { return m_bHovered; }
    // Only web addresses are opened: the text comes from a layout, but it is still handed to
    // the desktop.
    static bool IsWebAddress(const CString& text);

protected:
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnPaint() override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    void OnKillFocus(CWnd* newWnd) override;
    HBRUSH CtlColor(CDC* dc, UINT ctlColor);
    void OnClicked();
    // Hands the address to the desktop.
    virtual void OpenLink(const CString& text);
    void RepaintNow();

    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bHovered = FALSE;
    COLORREF m_clrNormal = RGB(0, 0, 0);
    COLORREF m_clrHover = RGB(255, 0, 0);
    COLORREF m_clrBk = RGB(229, 229, 229);
    CHandCursor m_hand;
};
