// CXPButton: a two-state (on/off) bitmap button. It draws one of six bitmaps by its on state and
// the hover and pressed states, sizes itself to the bitmap and shows a hand cursor. Options no
// page turns on: disabled and alternate looks, a click sound on entering, a press-and-hold
// repeat posting WM_XP_BUTTON_REPEAT every 80 ms.
#pragma once

#include "controls/HandCursor.h"
#include "controls/MoveNotifier.h"
#include "platform/core/String.h"
#include "platform/ui/Button.h"
#include "platform/ui/Font.h"

class CXPButton : public CButton {
public:
    CXPButton();
    ~CXPButton() override = default;

    void SetBitmaps(UINT onNormal, UINT onHover, UINT onDown, UINT offNormal, UINT offHover, UINT offDown);
    void SetCheck(int on);
    int GetCheck() const { return m_nOn; }
    void EnableMoveNotify(BOOL enable) { m_bMoveNotify = enable; }
    void SetDisabledBitmaps(UINT on, UINT off);
    void SetDisabled(BOOL disabled);
    void SetAltBitmaps(UINT on, UINT off);
    void SetAltLook(BOOL alt);
    BOOL GetAltLook() const { return m_bAltLook; }
    void EnableRepeat(BOOL enable) { m_bRepeat = enable; }
    int GetRepeatCount() const { return m_nRepeatCount; }
    // The label whose parent area is repainted after each drawing (any window).
    void SetLinkedLabel(CWnd* label) { m_pLinkedLabel = label; }
    BOOL IsHovered() const { return m_bHover; }
    void EnableHoverSound(BOOL enable) { m_bHoverSound = enable; }
    BOOL IsHoverSound() const { return m_bHoverSound; }
    void SetSound(BOOL enable, LPCTSTR name);
    void EnableHandCursor(BOOL enable) { m_bHandCursor = enable; }
    COLORREF GetNormalTextColor() const { return m_crNormal; }
    void SetNormalTextColor(COLORREF colour);
    COLORREF GetSecondTextColor() const { return m_crSecond; }
    void SetSecondTextColor(COLORREF colour);
    COLORREF GetHoverTextColor() const { return m_crHover; }
    void SetHoverTextColor(COLORREF colour);

    // The bitmap id the button shows now (0: nothing is drawn).
    UINT LookBitmap() const;
    BOOL IsPressed() const { return m_bPressed; }
    // Plays the click sound when enabled; TRUE when the standard beep stood in for it.
    BOOL PlayClickSound();
    void DrawItem(LPDRAWITEMSTRUCT dis) override;

protected:
    void PreSubclassWindow() override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    void OnMouseLeave() override;
    void OnMouseHover(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* wnd) override;
    void OnTimer(UINT_PTR id) override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    // Sizes the window to the look's bitmap and repaints at once.
    void DrawButton();
    void FitToLook();
    void PaintButton(CDC* dc);

    COLORREF m_crNormal = 0;
    COLORREF m_crSecond = RGB(255, 0, 0);
    COLORREF m_crHover = RGB(255, 0, 0);
    UINT m_nOffNormal = 0, m_nOffHover = 0, m_nOffDown = 0;
    UINT m_nOnNormal = 0, m_nOnHover = 0, m_nOnDown = 0;
    UINT m_nDisabledOn = 0, m_nDisabledOff = 0;
    UINT m_nAltOff = 0, m_nAltOn = 0;
    BOOL m_bHoverSound = FALSE;
    int m_nOn = 1;
    BOOL m_bAltLook = FALSE;
    CFont m_font;
    CHandCursor m_hand;
    BOOL m_bHandCursor = TRUE;
    CString m_strOverride;
    BOOL m_bOverride = FALSE;
    BOOL m_bHover = FALSE;
    BOOL m_bPressed = FALSE;
    CString m_strSound;
    BOOL m_bSound = FALSE;
    BOOL m_bDisabled = FALSE;
    BOOL m_bRepeat = FALSE;
    CWnd* m_pLinkedLabel = nullptr;
    int m_nRepeatCount = 0;
    BOOL m_bMoveNotify = FALSE;
    CMoveNotifier m_moveNotifier;
};
