#include "shell/ChildFrame.h"

#include "model/Globals.h"
#include "platform/ui/WinUser.h"

IMPLEMENT_DYNAMIC(CChildFrame, CWnd)

CChildFrame::~CChildFrame() {
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CChildFrame::LoadFrame(CWnd* mainFrame) {
    const RECT rect{0, 0, kWidth, kHeight};
    if (!CreateEx(0, "R9VQ-TN Child", g_strProduct, kFrameStyle, rect, mainFrame, 0))
        return FALSE;
    ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style &= ~static_cast<LONG>(WS_SYSMENU | FWS_PREFIXTITLE | WS_BORDER | WS_THICKFRAME);
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    cs.x = 0;
    cs.y = 0;
    cs.cx = kWidth;
    cs.cy = kHeight;
    return TRUE;
}

int CChildFrame::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    ModifyStyle(WS_CAPTION, 0);
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
    ModifyStyleEx(WS_EX_TOOLWINDOW, 0);
    ModifyStyle(WS_CAPTION | WS_THICKFRAME, WS_EX_TRANSPARENT);
    return 0;
}
