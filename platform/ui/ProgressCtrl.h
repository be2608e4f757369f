// CProgressCtrl: the progress bar. It keeps its range, position and step (PBM_ messages) and
// paints a plain bar; skinned bars paint themselves. UI thread only (see the gradient bar for
// setting the position from a worker).
#pragma once

#include "platform/ui/Wnd.h"

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    CProgressCtrl() = default;

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetRange(short lower, short upper);
    void SetRange32(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    int SetPos(int pos);
    int GetPos() const;
    int OffsetPos(int delta);
    int SetStep(int step);
    int StepIt();
    COLORREF SetBarColor(COLORREF colour);
    COLORREF SetBkColor(COLORREF colour);

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;

protected:
    int m_lower = 0;
    int m_upper = 100;
    int m_pos = 0;
    int m_step = 10;
    COLORREF m_bar = CLR_DEFAULT;
    COLORREF m_bk = CLR_DEFAULT;
};
