// CBaseTabCtrl: a tab control that paints its own background strips and can take over the
// painting of its tabs (draw style 0 system, 1 owner-drawn tabs, 2 border and tabs painted
// here); it shows the hand over tabs that can be chosen.
#pragma once

#include "controls/HandCursor.h"
#include "platform/ui/TabCtrl.h"

class CBaseTabCtrl : public CTabCtrl {
public:
    explicit CBaseTabCtrl(int drawStyle = 0);
    ~CBaseTabCtrl() override;

    void SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const { return m_clrBk; }
    BOOL SetDrawStyle(int style);
    int GetDrawStyle() const { return m_nDrawStyle; }
    BOOL IsHandWanted() const { return m_bHandWanted; }

    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    virtual void DrawMainBorder(LPDRAWITEMSTRUCT dis);
    virtual void DrawTabBorder(LPDRAWITEMSTRUCT dis);
    virtual COLORREF GetTabColor(BOOL selected);
    virtual COLORREF GetTabTextColor(BOOL selected);

protected:
    void PreSubclassWindow() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnPaint() override;
    void OnMouseMove(UINT flags, CPoint point) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;

    COLORREF m_clrBk = static_cast<COLORREF>(-1);
    int m_nDrawStyle = 0;
    CHandCursor m_hand;
    BOOL m_bHandWanted = FALSE;
};
