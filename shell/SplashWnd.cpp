#include "shell/SplashWnd.h"

#include "platform/ui/Gdiplus.h"
#include "platform/ui/IStream.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/WinBase.h"
#include "platform/ui/WinUser.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

BOOL g_bSplashEnabled = FALSE;

std::unique_ptr<CSplashWnd>& Instance() {
    static std::unique_ptr<CSplashWnd> splash;
    return splash;
}

std::unique_ptr<Gdiplus::Bitmap> LoadImageFile(const CString& path) {
    std::ifstream in(path.GetString(), std::ios::binary);
    if (!in)
        return nullptr;
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.empty())
        return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block)
        return nullptr;
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream)) || !stream) {
        GlobalFree(block);
        return nullptr;
    }
    auto image = std::make_unique<Gdiplus::Bitmap>(stream);
    stream->Release();
    if (image->GetLastStatus() != Gdiplus::Ok || image->GetWidth() == 0)
        return nullptr;
    return image;
}

} // namespace

CSplashWnd::CSplashWnd() = default;

CSplashWnd::~CSplashWnd() {
    DestroyWindow();
}

void CSplashWnd::EnableSplashScreen(BOOL enable) {
    g_bSplashEnabled = enable;
}

BOOL CSplashWnd::IsSplashEnabled() {
    return g_bSplashEnabled;
}

CSplashWnd* CSplashWnd::Current() {
    CSplashWnd* splash = Instance().get();
    return splash && splash->GetSafeHwnd() ? splash : nullptr;
}

BOOL CSplashWnd::ShowSplashScreen(UINT timeout, LPCTSTR bitmapFile, CWnd* parent) {
    if (!g_bSplashEnabled || Current() || !bitmapFile || !*bitmapFile)
        return FALSE;
    auto splash = std::make_unique<CSplashWnd>();
    if (!splash->CreateSplash(bitmapFile, parent)) {
        std::fprintf(stderr, "Failed to create splash screen.\n");
        return FALSE;
    }
    splash->SetTimer(TIMER_SPLASH, timeout);
    splash->UpdateWindow();
    Instance() = std::move(splash);
    return TRUE;
}

BOOL CSplashWnd::CreateSplash(const CString& file, CWnd* parent) {
    m_image = LoadImageFile(file);
    if (!m_image)
        return FALSE;
    const CRect rc(0, 0, static_cast<int>(m_image->GetWidth()), static_cast<int>(m_image->GetHeight()));
    if (!CreateEx(0, "", "", WS_POPUP | WS_VISIBLE, rc, parent, 0))
        return FALSE;
    CenterWindow(parent);
    ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CSplashWnd::PreTranslateAppMessage(MSG* msg) {
    CSplashWnd* splash = Current();
    if (!splash || !msg)
        return FALSE;
    switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        splash->HideSplashScreen();
        return TRUE;
    default:
        return FALSE;
    }
}

void CSplashWnd::HideSplashScreen() {
    KillTimer(TIMER_SPLASH);
    DestroyWindow();
    if (CWnd* main = AfxGetMainWnd())
        main->UpdateWindow();
}

void CSplashWnd::OnTimer(UINT_PTR id) {
    if (id == TIMER_SPLASH) {
        HideSplashScreen();
        return;
    }
    CWnd::OnTimer(id);
}

void CSplashWnd::OnPaint() {
    CPaintDC dc(this);
    if (!m_image)
        return;
    Gdiplus::Graphics graphics(dc.GetSafeHdc());
    graphics.DrawImage(m_image.get(), 0, 0);
}
