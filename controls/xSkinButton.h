// CxSkinButton: a general skinned button (push, check box or radio) drawn from up to five skin
// bitmaps at natural size, stretched or tiled, optionally shaped by a mask that becomes the
// window's region. Radio-kind buttons clear the other buttons of their group. Without a skin it
// draws a button-face rectangle with its centred text.
#pragma once

#include "controls/HandCursor.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Button.h"
#include "platform/ui/Font.h"
#include "platform/ui/ToolTipCtrl.h"

class CxSkinButton : public CButton {
public:
    CxSkinButton();
    ~CxSkinButton() override = default;

    void SetSkin(UINT normal, UINT down, UINT over = 0, UINT disabled = 0, UINT focus = 0, UINT mask = 0,
                 short drawMode = 1, int border = 1, short focusMargin = 0);
    COLORREF SetTextColor(COLORREF colour);
    void SetToolTipText(LPCTSTR text);
    void SetToolTipColor(COLORREF text, COLORREF back);
    void EnableHoldTimer(int value);
    void ClearState();
    void ReleasePress();

    // A region of the bitmap's pixels that differ from the transparent colour (1-pixel-high runs).
    static HRGN CreateRgnFromBitmap(CBitmap* bitmap, COLORREF transparent);
    BOOL IsChecked() const { return m_bChecked; }
    int Kind() const { return m_nKind; }
    short DrawMode() const { return m_nDrawMode; }
    BOOL HasMaskRegion() const { return m_bRegion; }
    // The tip text, empty without a tooltip.
    CString ToolTipText() const;
    void DrawItem(LPDRAWITEMSTRUCT dis) override;

protected:
    void PreSubclassWindow() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* wnd) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    void OnTimer(UINT_PTR id) override;
    void OnMouseLeave() override;
    LRESULT OnRadioClear(WPARAM, LPARAM);
    LRESULT OnBmSetCheck(WPARAM, LPARAM);
    LRESULT OnBmGetCheck(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void DrawBitmap(CDC* dc, CBitmap* bitmap, const CRect& rc, int mode);
    void FillFace(CDC* dc, const CRect& rc);
    BOOL CursorOverButton() const;
    void RelayToTip(UINT message, UINT flags, CPoint point);

    CHandCursor m_hand;
    bool m_bChecked = false;
    int m_nKind = 0;
    bool m_bHover = false;
    bool m_bButtonDown = false;
    CToolTipCtrl m_tooltip;
    CBitmap m_bNormal, m_bDown, m_bDisabled, m_bMask, m_bOver, m_bFocus;
    short m_nFocusRectMargin = 0;
    COLORREF m_crText = 0;
    COLORREF m_crOver = RGB(255, 0, 0);
    // The window owns the region once set; this only records that one is set.
    bool m_bRegion = false;
    int m_bBorder = 0;
    short m_nDrawMode = 0;
    CFont m_font;
    int m_bHold = 0;
    int m_nHoldValue = 0;
};
