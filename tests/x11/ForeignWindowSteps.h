// Steps of the tests with another program's window over ours on the test's X server: waiting for
// the server's and the toolkit's state, placing the other window, and a click while a drop-down
// list holds the pointer.
#pragma once

#include "ForeignWindow.h"
#include "ServerWindows.h"

#include "platform/core/Messages.h"
#include "platform/ui/DropDownWnd.h"
#include "support/TimeScale.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

namespace r9test {

// Runs the toolkit's events and the thread's messages until pred() holds; false when the guard
// time passed first.
template <class Pred> bool WaitFor(Pred pred) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ms(10000));
    for (;;) {
        QApplication::processEvents();
        r9::msg::DeliverPending();
        if (pred())
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

inline QWindow* TopWindow(CWnd& wnd) {
    return wnd.Widget()->window()->windowHandle();
}

inline uint32_t XId(CWnd& wnd) {
    return static_cast<uint32_t>(TopWindow(wnd)->winId());
}

inline QPoint Centre(CWnd& wnd) {
    CRect r;
    wnd.GetWindowRect(&r);
    return QPoint(r.CenterPoint().x, r.CenterPoint().y);
}

// wnd's top-level window is mapped, shown and active.
inline bool ShownAndActive(const ServerWindows& server, CWnd& wnd) {
    QWindow* w = TopWindow(wnd);
    return w->isExposed() && server.Viewable(XId(wnd)) && QGuiApplication::focusWindow() == w;
}

// Another program's window over the screen rectangle r, mapped and stacked above ours (wnd's
// top-level window); null (with a failure) when it never was.
inline std::unique_ptr<ForeignWindow> CoverWith(const ServerWindows& server, CWnd& ours, const CRect& r) {
    auto cover =
        std::make_unique<ForeignWindow>(QStringList{"cover", QString::number(r.left), QString::number(r.top),
                                                    QString::number(r.Width()), QString::number(r.Height())});
    if (cover->Id() == 0 ||
        !WaitFor([&] { return server.Viewable(cover->Id()) && server.Above(cover->Id(), XId(ours)); })) {
        ADD_FAILURE() << "the other program's window never lay over ours";
        return nullptr;
    }
    return cover;
}

// A click at a screen point while a drop-down list is open: the list holds the pointer, so it gets
// the press; the release is handed to our window (ours) even where the other program's lies, so
// that a press handed on to our control would show as its click.
inline void ClickWithListOpen(CWnd& ours, QPoint global) {
    CDropDownWnd* open = CDropDownWnd::GetOpen();
    ASSERT_NE(open, nullptr);
    QWindow* popup = open->Widget()->windowHandle();
    QPointF local = popup->mapFromGlobal(QPointF(global));
    QMouseEvent press(QEvent::MouseButtonPress, local, local, QPointF(global), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(popup, &press);
    QWindow* window = TopWindow(ours);
    local = window->mapFromGlobal(QPointF(global));
    QMouseEvent release(QEvent::MouseButtonRelease, local, local, QPointF(global), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window, &release);
}

} // namespace r9test
