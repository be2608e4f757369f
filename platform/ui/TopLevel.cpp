#include "platform/ui/TopLevel.h"

#include "platform/core/Messages.h"
#include "platform/ui/ResourceLoader.h"
#include "platform/ui/Wnd.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

namespace {

void WatchScreen(QScreen* screen, QWidget* widget, HWND hWnd) {
    if (!screen)
        return;
    QObject::connect(screen, &QScreen::geometryChanged, widget,
                     [hWnd] { ::PostMessage(hWnd, WM_DISPLAYCHANGE, 0, 0); });
}

} // namespace

void WatchDisplayChanges(CWnd* wnd) {
    QWidget* widget = wnd ? wnd->Widget() : nullptr;
    if (!widget || !qApp)
        return;
    const HWND hWnd = wnd->GetSafeHwnd();
    for (QScreen* s : QGuiApplication::screens())
        WatchScreen(s, widget, hWnd);
    auto* app = static_cast<QGuiApplication*>(QGuiApplication::instance());
    QObject::connect(app, &QGuiApplication::screenAdded, widget,
                     [widget, hWnd](QScreen* s) { WatchScreen(s, widget, hWnd); });
    QObject::connect(app, &QGuiApplication::primaryScreenChanged, widget,
                     [hWnd](QScreen*) { ::PostMessage(hWnd, WM_DISPLAYCHANGE, 0, 0); });
}

BOOL SetWindowIconResource(CWnd* wnd, UINT id) {
    QWidget* widget = wnd ? wnd->Widget() : nullptr;
    if (!widget)
        return FALSE;
    QImage image = ResourceLoader::LoadPngImage(id);
    if (image.isNull())
        image = ResourceLoader::LoadBitmapImage(id);
    if (image.isNull())
        return FALSE;
    widget->setWindowIcon(QIcon(QPixmap::fromImage(image)));
    return TRUE;
}

BOOL IsWindowMinimized(const CWnd* wnd) {
    const QWidget* widget = wnd ? wnd->Widget() : nullptr;
    return widget && widget->isMinimized() ? TRUE : FALSE;
}
