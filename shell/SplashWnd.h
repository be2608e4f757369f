// A splash window showing a bitmap file centred over its owner until its time-out, a key or a
// mouse button. Start-up only permits it; nothing shows it.
#pragma once

#include "platform/ui/Wnd.h"

#include <memory>

namespace Gdiplus {
class Bitmap;
}

constexpr UINT_PTR TIMER_SPLASH = 1;

class CSplashWnd : public CWnd {
public:
    CSplashWnd();
    ~CSplashWnd() override;

    static void EnableSplashScreen(BOOL enable);
    static BOOL IsSplashEnabled();
    // FALSE when not enabled, one is shown already, no file is given, or it cannot be shown.
    static BOOL ShowSplashScreen(UINT timeout, LPCTSTR bitmapFile, CWnd* parent = nullptr);
    // A key or mouse button down while the splash is shown hides it and is consumed.
    static BOOL PreTranslateAppMessage(MSG* msg);
    // The splash shown now, null when none.
    static CSplashWnd* Current();

    void HideSplashScreen();
    void OnPaint() override;
    void OnTimer(UINT_PTR id) override;

private:
    BOOL CreateSplash(const CString& file, CWnd* parent);
    std::unique_ptr<Gdiplus::Bitmap> m_image;
};
