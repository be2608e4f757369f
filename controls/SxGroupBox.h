// CSxGroupBox: a group box that paints itself: a light-blue area, a two-colour frame with a gap
// for the caption, and the caption in its own font left, right or centred on the top line.
#pragma once

#include "platform/ui/Brush.h"
#include "platform/ui/Button.h"
#include "platform/ui/Font.h"

#include <memory>

class CSxGroupBox : public CButton {
public:
    static constexpr int kFrameEtched = 11;
    static constexpr int kFrameDouble = 12;
    static constexpr int kFrameFlat = 0x8000;

    CSxGroupBox();
    ~CSxGroupBox() override;

    void SetText(const CString& caption, BOOL redraw);
    void SetColors(COLORREF colour1, COLORREF colour2, BOOL redraw);
    void GetColors(COLORREF& colour1, COLORREF& colour2) const;
    void SetTextColor(COLORREF colour, BOOL redraw);
    void SetFont(const LOGFONT* logFont);
    void SetAlignment(int alignment);
    void SetMargins(int margin, int offset);
    void SetFrameKind(int kind);
    void Refresh();

    const CString& GetCaption() const { return m_strCaption; }
    int GetAlignment() const { return m_nAlignment; }
    int GetFrameKind() const { return m_nFrameKind; }
    const CRect& GetFrameRect() const { return m_rcFrame; }
    BOOL IsCaptionHidden() const { return m_bCaptionHidden; }
    CFont* GetCaptionFont() const { return m_pFont.get(); }
    // The caption gap on the top line for a caption w pixels wide.
    void CaptionGap(int w, int& x1, int& x2) const;

protected:
    void PreSubclassWindow() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    COLORREF m_clrFrame1;
    COLORREF m_clrFrame2;
    COLORREF m_clrDisabled1;
    COLORREF m_clrDisabled2;
    BYTE m_bCaptionHidden = 0;
    int m_nLineWidth = 1;
    COLORREF m_clrText = 0;
    std::unique_ptr<CFont> m_pFont;
    CString m_strCaption;
    int m_nAlignment = BS_LEFT;
    int m_nMargin = 8;
    int m_nOffset = 0;
    int m_nFrameKind = kFrameEtched;
    CRect m_rcFrame;
    CBrush m_brushFill;
};
