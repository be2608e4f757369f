// CBitButton: the push and toggle button of the pages, drawn from bitmap resources with hover,
// pressed, checked, hot and disabled looks. A click only reaches the parent as BN_CLICKED; the
// page keeps the checked state and calls SetCheck. Disabled, it doubles as a label on a bitmap.
#pragma once

#include "controls/HandCursor.h"
#include "controls/MoveNotifier.h"
#include "platform/ui/Button.h"

class CFont;

class CBitButton : public CButton {
public:
    CBitButton() = default;
    ~CBitButton() override = default;

    void SetBitmaps(UINT normal, UINT hover, UINT pressed, UINT checkedNormal = 0, UINT checkedHover = 0,
                    UINT checkedPressed = 0);
    void SetDisabledBitmaps(UINT unchecked, UINT checked);
    void SetHotBitmaps(UINT unchecked, UINT checked);
    void SetTextColors(COLORREF normal, COLORREF hover, COLORREF pressed, COLORREF checkedNormal,
                       COLORREF checkedHover, COLORREF checkedPressed);
    void SetFonts(CFont* normal, CFont* hover, CFont* pressed, CFont* checkedNormal = nullptr,
                  CFont* checkedHover = nullptr, CFont* checkedPressed = nullptr);
    void SetDisabledTextColor(COLORREF colour) { m_crDisabledText = colour; }
    void SetDisabledFont(CFont* font) { m_pDisabledFont = font; }
    void SetDisabledTextAlign(UINT format) { m_nDisabledFormat = format; }
    void SetDisabledTextLeft(int pixels) { m_nDisabledLeft = pixels; }
    void SetDisabledTextTop(int pixels) { m_nDisabledTop = pixels; }
    void SetTextTopOffset(BOOL enable, int pixels);
    void SetCheck(int check);
    int GetCheck() const { return m_nChecked; }
    void SetHot(BOOL hot);
    BOOL GetHot() const { return m_bHot; }
    void EnableMoveNotify(BOOL enable) { m_bMoveNotify = enable; }
    void SetHoverPartners(CBitButton* first, CBitButton* second);
    void SetHoverLook(BOOL hover);
    void SetChannel(int channel) { m_nChannel = channel; }
    int GetChannel() const { return m_nChannel; }
    void RedrawParentArea();
    BOOL ShowWindow(int command) override;

    BOOL IsHovered() const { return m_bHover; }
    BOOL IsPressed() const { return m_bPressed; }
    // The bitmap id of the look for the given state (the paint's choice).
    UINT LookBitmap(BOOL disabled) const;
    void DrawItem(LPDRAWITEMSTRUCT dis) override;

protected:
    void PreSubclassWindow() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnMouseLeave() override;
    void OnMouseHover(UINT flags, CPoint point) override;
    void OnEnable(BOOL enable) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;

private:
    void SetPartnersHover(BOOL hover);
    // The window takes the size of the look's bitmap whenever the look may change.
    void FitToLook();
    void Repaint();

    int m_nKind = 0;
    LPDRAWITEMSTRUCT m_pDrawItem = nullptr;
    UINT m_nNormal = 0, m_nHover = 0, m_nPressed = 0, m_nHot = 0;
    COLORREF m_crNormal = 0, m_crHover = 0, m_crPressed = 0;
    CFont* m_pNormalFont = nullptr;
    CFont* m_pHoverFont = nullptr;
    CFont* m_pPressedFont = nullptr;
    int m_nChecked = 0;
    UINT m_nCheckedNormal = 0, m_nCheckedHover = 0, m_nCheckedPressed = 0, m_nCheckedHot = 0;
    COLORREF m_crCheckedNormal = 0, m_crCheckedHover = 0, m_crCheckedPressed = 0;
    CFont* m_pCheckedNormalFont = nullptr;
    CFont* m_pCheckedHoverFont = nullptr;
    CFont* m_pCheckedPressedFont = nullptr;
    CFont* m_pDisabledFont = nullptr;
    UINT m_nDisabledChecked = 0, m_nDisabled = 0;
    COLORREF m_crDisabledText = 0;
    UINT m_nDisabledFormat = DT_CENTER;
    BOOL m_bHover = FALSE;
    BOOL m_bHot = FALSE;
    BOOL m_bPressed = FALSE;
    UINT m_nStyleAlign = DT_CENTER;
    BOOL m_bTopOffset = FALSE;
    int m_nTopOffset = 4;
    CHandCursor m_hand;
    BOOL m_bHandCursor = TRUE;
    BOOL m_bRightInset = FALSE;
    int m_nDisabledLeft = 0;
    int m_nDisabledTop = 0;
    int m_nChannel = -1;
    BOOL m_bMoveNotify = FALSE;
    CMoveNotifier m_moveNotifier;
    CBitButton* m_pPartner1 = nullptr;
    CBitButton* m_pPartner2 = nullptr;
};
