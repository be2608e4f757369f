// The main frame: one frameless top-level window of 1282 x 722 that holds the child frame of the
// main view (shell/ChildFrame.h). Its visible area is 2 pixels inside its rectangle on every side;
// a display change puts it back to 0,0 at its size.
#pragma once

#include "platform/ui/MessageMap.h"
#include "platform/ui/Wnd.h"

#include <functional>

// The frame commands of the caption view: its two buttons send the modes; nothing in the running
// program sends the command that shows it.
constexpr UINT ID_CAPTION_MODE1 = 8000;
constexpr UINT ID_CAPTION_MODE2 = 8001;
constexpr UINT ID_SHOW_CAPTION_VIEW = 32774;
// Posted to the frame by those commands: the child frame is replaced (wParam a CTRV410App::ChildView)
// once the sender's handler has returned, as the sender may be a control of the child going away.
constexpr UINT WM_REPLACE_CHILD = WM_APP + 0x2A1;
// The framework's About command; the frame hands it to the application. No menu sends it.
constexpr UINT ID_APP_ABOUT = 57664;

class CMainFrame : public CWnd {
    DECLARE_DYNAMIC(CMainFrame)
public:
    static constexpr int kWidth = 1282;
    static constexpr int kHeight = 722;
    static constexpr DWORD kFrameStyle = 0x00CF8000; // WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE
    static constexpr DWORD FWS_PREFIXTITLE = 0x4000;

    CMainFrame() = default;
    ~CMainFrame() override;

    // Creates the window at 0,0 and centres it on the screen; hidden until the application shows it.
    BOOL LoadFrame();
    // Runs once when the window has gone (the application leaves its message loop).
    std::function<void()> m_onDestroyed;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    int OnCreate(LPCREATESTRUCT cs) override;
    void OnSize(UINT type, int cx, int cy) override;
    void PostNcDestroy() override;
    LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
    void OnCaptionMode1();
    void OnCaptionMode2();
    void OnShowCaptionView();
    LRESULT OnReplaceChild(WPARAM wParam, LPARAM lParam);
    void OnAppAbout();

    DECLARE_MESSAGE_MAP()
};
