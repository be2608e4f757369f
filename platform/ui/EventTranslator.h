// CEventTranslator: turns one Qt event of a window's bridge widget into the window messages of
// the system (WM_PAINT after WM_ERASEBKGND, mouse messages with MK_ flags and client coordinates,
// virtual keys and WM_CHAR, focus, WM_TIMER by id, WM_SIZE, WM_MOVE, WM_CLOSE) and sends them
// through the window procedure. The toolkit's own handling of the event runs at most once, as the
// default processing of the message the event became.
#pragma once

#include "platform/ui/WndImpl.h"

#include <QPointer>

class CEventTranslator {
public:
    using BaseHandler = bool (*)(QWidget*, QEvent*);

    static bool Dispatch(CWnd& wnd, QEvent* event, BaseHandler base);
    // TRUE while an event is being dispatched: a window destroyed meanwhile loses its widget
    // later, not under the toolkit's feet.
    static bool Dispatching();

private:
    CEventTranslator(CWnd& wnd, QEvent* event, BaseHandler base);
    bool Translate();
    // Sends one message with the event's default processing available to it (for this window).
    LRESULT Run(CWnd* target, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs a message that has no toolkit default of its own (it is not the event's message).
    LRESULT RunWithoutDefault(CWnd* target, UINT message, WPARAM wParam, LPARAM lParam);
    void EndMouseTracking(CWnd* target);

    bool Paint();
    bool Mouse();
    bool Wheel();
    bool Key();
    bool InputMethod();
    bool FocusIn();
    bool FocusOut();
    bool Timer();

    CWnd& m_wnd;
    QEvent* m_event;
    BaseHandler m_base;
    QWidget* m_widget;
    WndEventContext m_ctx;
    QPointer<QWidget> m_guard;
};
