#include "platform/ui/TopLevelAt.h"

#include <QGuiApplication>
#include <QHash>
#include <QScreen>
#include <QWindow>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#endif

namespace {

#if QT_CONFIG(xcb)
struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};

// The screen's device pixels at a point in the toolkit's coordinates (they differ when the toolkit
// scales the screen).
QPoint NativePoint(QPoint global, const QScreen& screen) {
    const QPoint origin = screen.geometry().topLeft();
    const QPointF scaled = QPointF(global - origin) * screen.devicePixelRatio();
    return origin + scaled.toPoint();
}

// Descends from the root through the topmost mapped child at the point at each level, as the server
// delivers a press there, until one of our windows: a window manager's frame around ours is passed
// through, anything else that holds the point first is not ours.
QWindow* FromServer(xcb_connection_t* c, QPoint global) {
    const QScreen* screen = QGuiApplication::screenAt(global);
    if (!screen)
        return nullptr;
    QHash<xcb_window_t, QWindow*> ours;
    for (QWindow* w : QGuiApplication::topLevelWindows())
        if (w->handle() && w->isVisible())
            ours.insert(static_cast<xcb_window_t>(w->winId()), w);
    if (ours.isEmpty())
        return nullptr;
    std::unique_ptr<xcb_query_tree_reply_t, FreeReply> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, ours.begin().key()), nullptr));
    if (!tree)
        return nullptr;
    const QPoint native = NativePoint(global, *screen);
    xcb_window_t from = tree->root, to = tree->root;
    auto x = static_cast<int16_t>(native.x()), y = static_cast<int16_t>(native.y());
    for (;;) {
        std::unique_ptr<xcb_translate_coordinates_reply_t, FreeReply> at(
            xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, from, to, x, y), nullptr));
        if (!at || at->child == XCB_WINDOW_NONE)
            return nullptr;
        if (QWindow* w = ours.value(at->child))
            return w;
        from = to;
        to = at->child;
        x = at->dst_x;
        y = at->dst_y;
    }
}
#endif

// The toolkit's own knowledge, for platforms that cannot ask for the stacking order. Where no screen
// answers (a window larger than the screens the platform knows), the visible top-level windows
// holding the point: the active one first, then the newest.
QWindow* FromToolkit(QPoint global) {
    if (QWindow* w = QGuiApplication::topLevelAt(global))
        return w;
    const auto holds = [&](const QWindow* w) {
        return w && w->isVisible() && w->geometry().contains(global);
    };
    if (QWindow* active = QGuiApplication::focusWindow(); holds(active) && active->isTopLevel())
        return active;
    const QWindowList windows = QGuiApplication::topLevelWindows();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it)
        if (holds(*it))
            return *it;
    return nullptr;
}

} // namespace

QWindow* CTopLevelAt::Find(QPoint global) {
#if QT_CONFIG(xcb)
    if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
        if (xcb_connection_t* c = x11->connection())
            return FromServer(c, global);
#endif
    return FromToolkit(global);
}
