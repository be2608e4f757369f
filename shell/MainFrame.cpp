#include "shell/MainFrame.h"

#include "model/Globals.h"
#include "platform/ui/WinGdi.h"
#include "platform/ui/TopLevel.h"
#include "shell/TRV410App.h"

IMPLEMENT_DYNAMIC(CMainFrame, CWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_MESSAGE(WM_DISPLAYCHANGE, &CMainFrame::OnDisplayChange)
ON_COMMAND(ID_CAPTION_MODE1, &CMainFrame::OnCaptionMode1)
ON_COMMAND(ID_CAPTION_MODE2, &CMainFrame::OnCaptionMode2)
ON_COMMAND(ID_SHOW_CAPTION_VIEW, &CMainFrame::OnShowCaptionView)
ON_MESSAGE(WM_REPLACE_CHILD, &CMainFrame::OnReplaceChild)
ON_COMMAND(ID_APP_ABOUT, &CMainFrame::OnAppAbout)
END_MESSAGE_MAP()

CMainFrame::~CMainFrame() {
    m_onDestroyed = nullptr;
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CMainFrame::LoadFrame() {
    const RECT rect{0, 0, kWidth, kHeight};
    return CreateEx(0, "R9VQ-TN", g_strProduct, kFrameStyle, rect, nullptr, 0);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    cs.x = 0;
    cs.y = 0;
    cs.cx = kWidth;
    cs.cy = kHeight;
    cs.style &= ~static_cast<LONG>(FWS_PREFIXTITLE | WS_THICKFRAME);
    // The layer picks a framed or frameless window when it creates it, so the caption goes here
    // rather than after the creation.
    cs.style &= ~static_cast<LONG>(WS_CAPTION);
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    ModifyStyle(WS_CAPTION, 0);
    ModifyStyle(WS_BORDER, 0);
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
    ModifyStyle(WS_CHILD, 0);
    ModifyStyleEx(WS_EX_TOOLWINDOW, 0);
    ModifyStyle(WS_CAPTION | WS_THICKFRAME, WS_EX_TRANSPARENT);
    CenterWindow();
    WatchDisplayChanges(this);
    return 0;
}

void CMainFrame::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    if ((g_nViewMode == 1 || g_nViewMode == 2) && !IsWindowMinimized(this))
        SetWindowText(g_strProduct);
    CRect r;
    GetWindowRect(&r);
    r.OffsetRect(-r.left, -r.top);
    r.DeflateRect(2, 2);
    HRGN region = ::CreateRectRgn(r.left, r.top, r.right, r.bottom);
    SetWindowRgn(region, TRUE);
}

LRESULT CMainFrame::OnDisplayChange(WPARAM, LPARAM) {
    MoveWindow(0, 0, kWidth, kHeight, TRUE);
    ShowWindow(SW_SHOW);
    return 1;
}

void CMainFrame::PostNcDestroy() {
    if (auto done = std::move(m_onDestroyed))
        done();
}

// The caption view's modes: the child shown now gives way to a new document and main view in the
// mode, in English.
void CMainFrame::OnCaptionMode1() {
    g_nViewMode = 1;
    g_bChinese = 0;
    PostMessage(WM_REPLACE_CHILD, static_cast<WPARAM>(CTRV410App::ChildView::Main), 0);
    SetWindowText(g_strProduct);
}

void CMainFrame::OnCaptionMode2() {
    g_nViewMode = 2;
    g_bChinese = 0;
    PostMessage(WM_REPLACE_CHILD, static_cast<WPARAM>(CTRV410App::ChildView::Main), 0);
    SetWindowText(g_strProduct);
}

// The caption view in place of the child shown now; mode and language stay.
void CMainFrame::OnShowCaptionView() {
    PostMessage(WM_REPLACE_CHILD, static_cast<WPARAM>(CTRV410App::ChildView::Caption), 0);
}

LRESULT CMainFrame::OnReplaceChild(WPARAM wParam, LPARAM) {
    CTRV410App* app = AfxGetApp();
    if (!app || app->GetMainWnd() != this)
        return 0;
    const auto view = wParam == static_cast<WPARAM>(CTRV410App::ChildView::Caption)
                          ? CTRV410App::ChildView::Caption
                          : CTRV410App::ChildView::Main;
    if (!app->ReplaceChild(view))
        return 0;
    // In front, filling the frame; the title is the product's in both modes.
    ShowWindow(SW_SHOW);
    if (view == CTRV410App::ChildView::Main)
        SetWindowText(g_strProduct);
    return 1;
}

// The framework routes a command no window handles to the application.
void CMainFrame::OnAppAbout() {
    if (CTRV410App* app = AfxGetApp())
        app->OnAppAbout();
}
