// CShow_Link: the main view's link indicator, an owner-drawn button showing the link text on a
// dark background; while no link is open its text colour blinks (timer 1000, 1001 ms).
#pragma once

#include "platform/ui/Button.h"

class CFont;

class CShow_Link : public CButton {
public:
    CShow_Link() = default;
    ~CShow_Link() override = default;

    void SetText(LPCTSTR text) { SetWindowText(text); }
    void SetTextFont(CFont* font) { m_pFont = font; }
    void StartBlink();
    void StopBlink();

    BOOL IsBlinking() const { return m_bBlink; }
    int BlinkPhase() const { return m_nPhase; }
    // The colour the text is drawn in now.
    COLORREF CurrentTextColor() const;
    void DrawItem(LPDRAWITEMSTRUCT dis) override;

protected:
    void PreSubclassWindow() override;
    void OnTimer(UINT_PTR id) override;

private:
    void DrawIndicator(CDC* dc);
    void DrawNow();

    int m_nKind = 0;
    LPDRAWITEMSTRUCT m_pDrawItem = nullptr;
    COLORREF m_crText = RGB(250, 250, 250);
    COLORREF m_crBlink1 = RGB(250, 250, 250);
    COLORREF m_crBlink2 = RGB(255, 0, 0);
    COLORREF m_crBack = RGB(73, 72, 72);
    CFont* m_pFont = nullptr;
    BOOL m_bBlink = FALSE;
    int m_nPhase = 0;
};
