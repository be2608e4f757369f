// Synthetic input for UI tests: mouse, wheel and key events sent straight to a widget, the way
// the platform would deliver them (header-only, no QtTest needed).
#pragma once

#include "platform/ui/Edit.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

namespace r9test {

inline void Mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
                  Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons, mods);
    QApplication::sendEvent(w, &e);
}
inline void Press(QWidget* w, QPoint pos, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Mouse(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton, mods);
}
inline void Release(QWidget* w, QPoint pos, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Mouse(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton, mods);
}
inline void DoubleClick(QWidget* w, QPoint pos) {
    Mouse(w, QEvent::MouseButtonDblClick, pos, Qt::LeftButton, Qt::LeftButton);
}
inline void Move(QWidget* w, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton) {
    Mouse(w, QEvent::MouseMove, pos, Qt::NoButton, buttons);
}
inline void Click(QWidget* w, QPoint pos) {
    Press(w, pos);
    Release(w, pos);
}
inline void Wheel(QWidget* w, QPoint pos, int delta, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWheelEvent e(QPointF(pos), QPointF(w->mapToGlobal(pos)), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}
inline void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
    QKeyEvent down(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &up);
}
inline void KeyDown(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
                    const QString& text = {}) {
    QKeyEvent down(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &down);
}
inline void KeyUp(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
                  const QString& text = {}) {
    QKeyEvent up(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &up);
}
// Types text: one key press per character.
inline void Type(QWidget* w, const QString& text) {
    for (const QChar c : text)
        Key(w, c.unicode() < 128 ? QKeySequence(QString(c))[0].key() : Qt::Key_unknown, Qt::NoModifier,
            QString(c));
}
// Input through the top-level window of w, as the window system delivers it: the pointer moves
// there first, and the toolkit routes the event (to an open popup before anything else, which then
// sees a press outside itself; otherwise to the widget under the pointer, and a key to the focus
// widget). pos is in w's coordinates.
inline void WindowMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                        Qt::MouseButtons buttons) {
    const QPoint global = w->mapToGlobal(pos);
    QCursor::setPos(global);
    QWindow* window = w->window()->windowHandle();
    const QPointF local = window->mapFromGlobal(QPointF(global));
    QMouseEvent e(type, local, local, QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(window, &e);
}
inline void WindowMove(QWidget* w, QPoint pos) {
    WindowMouse(w, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
}
inline void WindowClick(QWidget* w, QPoint pos) {
    WindowMouse(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    WindowMouse(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}
inline void WindowClick(QWidget* w) {
    WindowClick(w, w->rect().center());
}
// A click whose pointer moves a little while the button is down, as a hand's does.
inline void WindowHandClick(QWidget* w, QPoint pos) {
    WindowMouse(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    WindowMouse(w, QEvent::MouseMove, pos + QPoint(2, 1), Qt::NoButton, Qt::LeftButton);
    WindowMouse(w, QEvent::MouseButtonRelease, pos + QPoint(2, 1), Qt::LeftButton, Qt::NoButton);
}
// A key pressed while w's top-level window has the keyboard.
inline void WindowKey(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
                      const QString& text = {}) {
    QWindow* window = w->window()->windowHandle();
    QKeyEvent down(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(window, &down);
    QKeyEvent up(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(window, &up);
}
inline void WindowType(QWidget* w, const QString& text) {
    for (const QChar c : text)
        WindowKey(w, QKeySequence(QString(c))[0].key(), Qt::NoModifier, QString(c));
}

// Runs posted events (queued messages and timers already due).
inline void Pump() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// Focuses an edit, selects its text and types over it, then presses Enter, as a user does.
inline void TypeInto(CEdit& edit, const char* text) {
    edit.SetFocus();
    Pump();
    edit.SetSel(0, -1);
    Type(edit.Widget(), QString::fromUtf8(text));
    Key(edit.Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
    Pump();
}

} // namespace r9test
