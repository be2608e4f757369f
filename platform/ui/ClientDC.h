// CClientDC: a DC on a window's client area (see CWnd::GetDC for where its drawing goes).
#pragma once

#include "platform/ui/DC.h"

class CWnd;

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

protected:
    CWnd* m_pWnd;
    CDC* m_dc = nullptr;
};
