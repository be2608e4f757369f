// CSpinBtn: the companion button of a numeric field. It lies over the field while the field is
// read-only, shows the field's text on a skin bitmap and splits its width into three zones; with
// tracking on, the zone under the mouse is lit and the side zones step the bound spin by -1 / +1.
#pragma once

#include "platform/core/Rect.h"
#include "platform/ui/Button.h"

class CNumSpin;

class CSpinBtn : public CButton {
public:
    CSpinBtn();
    ~CSpinBtn() override;

    void SetBitmaps(UINT normal, UINT left, UINT middle, UINT right);
    void SetDisabledBitmap(UINT id);
    void SetActive(int flag);
    void BindSpin(int spinId, CNumSpin* spin);
    void StepByZone();

    // State for the owner and for tests.
    int GetHotZone() const { return m_nHotZone; }
    int IsActive() const { return m_bTracking; }
    int GetKind() const { return m_nKind; }
    CRect GetZone(int zone) const;
    // The bitmap drawn in the current state (0: a button-face fill).
    UINT CurrentBitmap() const;

protected:
    void PreSubclassWindow() override;
    int OnCreate(LPCREATESTRUCT cs) override;
    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnMouseLeave() override;
    void OnMouseHover(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* wnd) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    void OnKillFocus(CWnd* newWnd) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;
    void OnTimer(UINT_PTR id) override;

private:
    void Setup();
    void Repaint();
    // Sizes the button to a bitmap that loads; a missing one leaves the size alone.
    void FitToBitmap(UINT id);
    void Track(DWORD hoverTime);
    // Wheel step hooks: nothing steps from the wheel in this system.
    void WheelStep(int) {}

    int m_nKind = 0;
    bool m_bSetUp = false;
    UINT m_nBmpNormal = 0;
    UINT m_nBmpLeft = 0;
    UINT m_nBmpMiddle = 0;
    UINT m_nBmpRight = 0;
    UINT m_nBmpDisabled = 0;
    COLORREF m_crText = 0xFFFFFF;
    CFont* m_pFont = nullptr;
    COLORREF m_crDisabledText = 0x9B9B9B;
    int m_bFocus = 0;
    int m_bTracking = 0;
    int m_bPressed = 0;
    int m_nAlign = 1;
    HCURSOR m_hHand = nullptr;
    int m_bHandCursor = 0;
    UINT m_nRepeat = 100;
    UINT_PTR m_nTimerId = 2;
    CRect m_rcLeft;
    CRect m_rcMiddle;
    CRect m_rcRight;
    int m_nHotZone = 0;
    int m_nSpinId = 0;
    CNumSpin* m_pSpin = nullptr;
    int m_bBound = 0;
    short m_nWheel = 0;
};
