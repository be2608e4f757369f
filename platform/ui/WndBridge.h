// WndBridge<Base>: the one bridge between a Qt widget class and a CWnd. Every event of the widget
// goes to the window's message machinery first; the widget's own handling (Base::event) runs only
// as the window's default processing.
#pragma once

#include "platform/ui/Wnd.h"

#include <QEvent>
#include <QWidget>

class WndBridgeBase {
public:
    explicit WndBridgeBase(CWnd* owner) : m_owner(owner) {}
    virtual ~WndBridgeBase() = default;
    CWnd* Owner() const { return m_owner; }
    void SetOwner(CWnd* owner) { m_owner = owner; }

protected:
    CWnd* m_owner;
};

template <class Base> class WndBridge : public Base, public WndBridgeBase {
public:
    WndBridge(CWnd* owner, QWidget* parent) : Base(parent), WndBridgeBase(owner) {
        this->setMouseTracking(true);
        this->setAttribute(Qt::WA_Hover, false);
    }
    ~WndBridge() override {
        if (m_owner)
            m_owner->WidgetDestroyed();
    }

protected:
    bool event(QEvent* e) override {
        // Events during construction (before the window owns the widget) get the base handling.
        if (!m_owner || m_owner->Widget() != static_cast<QWidget*>(this))
            return Base::event(e);
        return m_owner->DispatchQtEvent(e, &WndBridge::CallBase);
    }

private:
    static bool CallBase(QWidget* w, QEvent* e) { return static_cast<WndBridge*>(w)->Base::event(e); }
};
