// CTitleTip: a borderless topmost popup that shows a cell's whole text over the cell when the
// cell is too narrow for it. The grid creates it hidden; a mouse move off the hover rectangle, a
// press or a key hides it and goes on to the window below.
#pragma once

#include "platform/ui/Wnd.h"

class CTitleTip : public CWnd {
public:
    CTitleTip();
    ~CTitleTip() override;

    using CWnd::Create;
    virtual BOOL Create(CWnd* parent);
    // rectTitle: the cell in the parent's client coordinates; hover: where the tip stays up (the
    // title rectangle when null); font: the text's font (the parent's when null).
    void Show(CRect rectTitle, LPCTSTR text, int xoffset = 0, LPRECT hover = nullptr,
              const LOGFONT* font = nullptr);
    void Hide();
    const CString& GetText() const { return m_text; }

    BOOL PreTranslateMessage(MSG* msg) override;
    void OnPaint() override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* wnd) override;

private:
    CWnd* m_pParentWnd = nullptr;
    CRect m_rectTitle;
    CRect m_rectHover;
    CString m_text;
    LOGFONT m_font{};
    bool m_ownFont = false;
};
