// CFontStatic: a label with its own text colour, font height and alignment, an optional solid
// background and a blink mode. The painting font is made for every paint.
#pragma once

#include "platform/ui/Static.h"

class CFontStatic : public CStatic {
public:
    CFontStatic();
    ~CFontStatic() override;

    void SetBkColor(COLORREF colour);
    void SetFontStyle(const CString& face, int height, COLORREF colour, UINT flags);
    void SetTextColor(COLORREF colour);
    void SetText(const CString& text);
    void SetLeftAlign(BOOL left);
    void SetRightAlign(BOOL right);
    void SetFontSize(int height);
    void RepaintParentArea();
    void StartBlink();
    void StopBlink();
    void SetValueFormat(int a, int b, int offset, const CString& suffix);
    void ShowValue(int value);

    COLORREF GetTextColor() const { return m_clrText; }
    int GetFontSize() const { return m_nFontHeight; }
    const CString& GetFaceName() const { return m_strFace; }
    BOOL IsCentered() const { return m_bCenter; }
    BOOL IsLeftAligned() const { return m_bLeft; }
    BOOL IsRightAligned() const { return m_bRight; }
    BOOL IsBlinking() const { return m_bBlink; }
    BOOL GetBlinkPhase() const { return m_bBlinkPhase; }
    BYTE GetStyleMarker(int index) const { return m_styleMarkers[index]; }
    // DrawText flags of the text by the alignment flags.
    UINT TextFormat() const;
    // Colour the text is drawn in now (the blink colours while blinking).
    COLORREF PaintTextColor() const;

protected:
    void PreSubclassWindow() override;
    void OnPaint() override;
    void OnTimer(UINT_PTR id) override;
    HBRUSH CtlColor(CDC* dc, UINT ctlColor);
    void Draw(CDC* dc);
    void RepaintNow();

    DECLARE_MESSAGE_MAP()

private:
    BYTE m_styleMarkers[5] = {1, 0, 0, 0, 0};
    BOOL m_bCenter = TRUE;
    BOOL m_bLeft = FALSE;
    BOOL m_bRight = FALSE;
    CString m_strFace = "Arial";
    COLORREF m_clrText = 0;
    COLORREF m_clrBk = 0;
    BYTE m_bFill = 0;
    int m_nFontHeight = 14;
    int m_nValueA = 0;
    int m_nValueB = 0;
    int m_nValueOffset = 0;
    CString m_strValueSuffix;
    DWORD m_dwSavedStyle = 0;
    BOOL m_bBlink = FALSE;
    BOOL m_bBlinkPhase = FALSE;
};
