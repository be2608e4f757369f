// CPaintDC: the DC of a window's WM_PAINT, clipped to the part being repainted.
#pragma once

#include "platform/ui/DC.h"

class CWnd;

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

protected:
    CWnd* m_pWnd;
    CDC* m_previous = nullptr;
    bool m_borrowed = false;
};
