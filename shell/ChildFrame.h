// The child frame of the main frame: one frameless window at 0,0 of 1284 x 724 (2 pixels larger
// than the main frame each way, whose visible area is 2 pixels inside its rectangle) that holds the
// main view. A close of it goes the default way.
#pragma once

#include "platform/ui/Wnd.h"

class CChildFrame : public CWnd {
    DECLARE_DYNAMIC(CChildFrame)
public:
    static constexpr int kWidth = 1284;
    static constexpr int kHeight = 724;
    static constexpr DWORD kFrameStyle = 0x40CF8000; // WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE
    static constexpr DWORD FWS_PREFIXTITLE = 0x4000;

    CChildFrame() = default;
    ~CChildFrame() override;

    // Creates the window shown inside the main frame.
    BOOL LoadFrame(CWnd* mainFrame);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // WM_CREATE (WM_CLOSE goes the default way).
    int OnCreate(LPCREATESTRUCT cs) override;
};
