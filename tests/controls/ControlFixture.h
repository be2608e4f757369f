// Test support for the skinned controls: a top-level parent window that records the messages its
// controls send and post, template items replaced by the controls as a dialog does, pumping of
// posted messages, and pixel reads of rendered windows.
#pragma once

#include "platform/ui/Brush.h"
#include "platform/ui/Wnd.h"
#include "support/RenderToPng.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <vector>

// Readable rectangles in failure messages.
inline void PrintTo(const CRect& r, std::ostream* os) {
    *os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

namespace ctltest {

struct Recorded {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Records the messages of the program's own range and WM_COMMAND.
class RecordingParent : public CWnd {
public:
    explicit RecordingParent(COLORREF background = RGB(27, 30, 36), int width = 420, int height = 260)
        : m_brush(background) {
        m_hbrBackground = static_cast<HBRUSH>(m_brush.m_hObject);
        CreateEx(0, "", "parent", WS_POPUP | WS_VISIBLE, CRect(40, 40, 40 + width, 40 + height), nullptr, 0);
    }
    ~RecordingParent() override {
        if (m_hWnd)
            DestroyWindow();
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND || (message >= WM_USER && message < 0x7FFF))
            messages.push_back({message, wParam, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<Recorded> Of(UINT message) const {
        std::vector<Recorded> out;
        for (const Recorded& r : messages)
            if (r.message == message)
                out.push_back(r);
        return out;
    }

    // Creates a template item of class Template and lets control take it over.
    template <class Template, class Control>
    void Attach(Control& control, UINT id, const CRect& rc, DWORD style, const char* text = "",
                DWORD exStyle = 0) {
        auto item = std::make_unique<Template>();
        item->CreateEx(exStyle, "", text, WS_CHILD | WS_VISIBLE | style, rc, this, id);
        ASSERT_TRUE(control.SubclassDlgItem(id, this));
        templates.push_back(std::move(item));
    }

    std::vector<Recorded> messages;
    std::vector<std::unique_ptr<CWnd>> templates;

private:
    CBrush m_brush;
};

// Runs the posted messages and pending paints.
inline void Pump() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// Mouse input as the toolkit delivers it to the window's widget (client coordinates).
inline void Mouse(CWnd& wnd, QEvent::Type type, CPoint pt, Qt::MouseButton button = Qt::NoButton,
                  Qt::MouseButtons held = Qt::NoButton) {
    QWidget* w = wnd.Widget();
    const QPointF local(pt.x, pt.y);
    QMouseEvent e(type, local, w->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
inline void MoveTo(CWnd& wnd, CPoint pt, Qt::MouseButtons held = Qt::NoButton) {
    Mouse(wnd, QEvent::MouseMove, pt, Qt::NoButton, held);
}
inline void Click(CWnd& wnd, CPoint pt) {
    Mouse(wnd, QEvent::MouseButtonPress, pt, Qt::LeftButton, Qt::LeftButton);
    Mouse(wnd, QEvent::MouseButtonRelease, pt, Qt::LeftButton, Qt::NoButton);
}
inline void Wheel(CWnd& wnd, CPoint pt, int delta) {
    QWidget* w = wnd.Widget();
    const QPointF local(pt.x, pt.y);
    QWheelEvent e(local, w->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

inline COLORREF Pixel(const QImage& img, int x, int y) {
    const QRgb p = img.pixel(x, y);
    return RGB(static_cast<BYTE>(qRed(p)), static_cast<BYTE>(qGreen(p)), static_cast<BYTE>(qBlue(p)));
}

// Invalidates with erasing, as a window that is shown for the first time.
inline void InvalidateAll(CWnd& wnd) {
    wnd.Invalidate(TRUE);
    for (CWnd* child : wnd.Children())
        InvalidateAll(*child);
}

inline QImage Render(CWnd& wnd, const char* name) {
    Pump();
    InvalidateAll(wnd);
    return r9test::RenderToPng(wnd.Widget(), QString::fromUtf8(name));
}

// Count of pixels in the rectangle whose colour is c.
inline int CountColour(const QImage& img, const CRect& rc, COLORREF c) {
    int n = 0;
    for (int y = std::max<int>(0, rc.top); y < std::min<int>(img.height(), rc.bottom); ++y)
        for (int x = std::max<int>(0, rc.left); x < std::min<int>(img.width(), rc.right); ++x)
            if (Pixel(img, x, y) == c)
                ++n;
    return n;
}

// Count of pixels within tol of c in every channel (antialiased text).
inline int CountNear(const QImage& img, const CRect& rc, COLORREF c, int tol = 60) {
    int n = 0;
    for (int y = std::max<int>(0, rc.top); y < std::min<int>(img.height(), rc.bottom); ++y)
        for (int x = std::max<int>(0, rc.left); x < std::min<int>(img.width(), rc.right); ++x) {
            const COLORREF p = Pixel(img, x, y);
            if (std::abs(GetRValue(p) - GetRValue(c)) <= tol &&
                std::abs(GetGValue(p) - GetGValue(c)) <= tol && std::abs(GetBValue(p) - GetBValue(c)) <= tol)
                ++n;
        }
    return n;
}

// Bounding box of the pixels inside rc that differ from the colour c.
inline CRect BoxNot(const QImage& img, const CRect& rc, COLORREF c) {
    CRect box(100000, 100000, -100000, -100000);
    bool any = false;
    for (int y = std::max<int>(0, rc.top); y < std::min<int>(img.height(), rc.bottom); ++y)
        for (int x = std::max<int>(0, rc.left); x < std::min<int>(img.width(), rc.right); ++x)
            if (Pixel(img, x, y) != c) {
                any = true;
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return any ? box : CRect(0, 0, 0, 0);
}

} // namespace ctltest
