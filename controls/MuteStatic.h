// CMuteStatic: a two-state label showing "On" or "OFF" in two colour schemes; the parent gets
// STN_CLICKED and decides the state.
#pragma once

#include "controls/HandCursor.h"
#include "platform/ui/Static.h"

class CMuteStatic : public CStatic {
public:
    CMuteStatic();

    void SetTextColors(COLORREF on, COLORREF off);
    void SetBkColors(COLORREF on, COLORREF off);
    void SetTexts(const CString& on, const CString& off);
    void SetState(BOOL on);
    BOOL GetState() const { return m_bState; }
    void SetFontLook(int height, int weight);
    void SetMode(int mode);
    int GetMode() const { return m_nMode; }
    const CString& GetOnText() const { return m_strOn; }
    const CString& GetOffText() const { return m_strOff; }

protected:
    void PreSubclassWindow() override;
    void OnPaint() override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    void RepaintNow();

private:
    COLORREF m_clrOnBk = RGB(100, 105, 109);
    COLORREF m_clrOffBk = RGB(200, 201, 205);
    COLORREF m_clrOnText = RGB(255, 255, 255);
    COLORREF m_clrOffText = RGB(255, 0, 0);
    CString m_strOn = "On";
    CString m_strOff = "OFF";
    BOOL m_bState = TRUE;
    int m_nFontHeight = 16;
    int m_nFontWeight = 900;
    CHandCursor m_hand;
    int m_nMode = 0;
};
