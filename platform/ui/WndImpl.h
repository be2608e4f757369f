// The inner state of a CWnd and the per-thread stack of messages being handled, shared by the
// window (Wnd.cpp) and the translation of its widget's events (EventTranslator.cpp).
#pragma once

#include "platform/ui/Wnd.h"

#include <QHash>
#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QSize>
#include <QTimer>

#include <map>
#include <memory>
#include <vector>

class QEvent;
class QWidget;

// One Qt event under translation: its messages share the toolkit's default handling, run once.
struct WndEventContext {
    QEvent* event;
    bool (*base)(QWidget*, QEvent*);
    bool baseCalled = false;
    bool baseResult = false;
    // Keys that produce characters are handled by WM_CHAR's default, not WM_KEYDOWN's.
    bool charsFollow = false;
};

struct CWnd::Impl {
    QHash<int, UINT_PTR> timerByQtId;
    std::map<UINT_PTR, int> qtIdByTimer;
    bool trackLeave = false;
    bool trackHover = false;
    std::unique_ptr<QTimer> hoverTimer;
    QPoint lastMouse;
    QSize lastSize{-1, -1};
    QPoint lastPos{-100000, -100000};
    QRegion dirty;
    HCURSOR cursor = nullptr;
    std::vector<std::unique_ptr<CDC>> dcs;
    std::unique_ptr<QImage> scratch;
    bool destroying = false;
    bool caretHidden = false;
};

// A message being handled. WM_NULL marks the frame the translation pushes before it sends the
// message its event became: the context applies to that message only.
struct CurrentMessage {
    CWnd* wnd;
    MSG msg;
    WndEventContext* ctx;
};

// The messages being handled on this thread, innermost last.
std::vector<CurrentMessage>& CurrentMessages();
