// CWindowDC: a DC on the whole window; the same as the client area here (windows have no frames).
#pragma once

#include "platform/ui/ClientDC.h"

class CWindowDC : public CClientDC {
public:
    explicit CWindowDC(CWnd* wnd) : CClientDC(wnd) {}
};
