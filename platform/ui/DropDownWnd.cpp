#include "platform/ui/DropDownWnd.h"

#include "platform/ui/InputState.h"
#include "platform/ui/TopLevelAt.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace {
CDropDownWnd* g_open = nullptr;
}

// Watches what ends an open drop-down: presses outside it and Escape (the popup's own events),
// the owner going away, and the activation moving elsewhere.
class CDropDownWnd::Watch : public QObject {
public:
    Watch(CDropDownWnd& popup, QWidget* owner) : m_popup(popup), m_owner(owner) {
        popup.Widget()->installEventFilter(this);
    }
    ~Watch() override { Stop(); }

    void Start() {
        Stop();
        if (m_owner)
            m_owner->installEventFilter(this);
        if (m_popup.m_pKeyChild && m_popup.m_pKeyChild->Widget()) {
            m_keyWidget = m_popup.m_pKeyChild->Widget();
            m_keyWidget->installEventFilter(this);
        }
        m_focus = QObject::connect(qApp, &QGuiApplication::focusWindowChanged, this,
                                   [this](QWindow* now) { FocusWindowChanged(now); });
    }
    void Stop() {
        if (m_owner)
            m_owner->removeEventFilter(this);
        if (m_keyWidget)
            m_keyWidget->removeEventFilter(this);
        m_keyWidget = nullptr;
        QObject::disconnect(m_focus);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (g_open != &m_popup)
            return false;
        QWidget* popup = m_popup.Widget();
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (watched == popup) {
                auto* me = static_cast<QMouseEvent*>(e);
                if (!popup->rect().contains(me->position().toPoint())) {
                    PressOutside(*me);
                    return true;
                }
            }
            break;
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape &&
                (watched == popup || watched == m_keyWidget)) {
                m_popup.ShowWindow(SW_HIDE);
                return true;
            }
            break;
        case QEvent::Hide:
            if (watched == m_owner)
                m_popup.ShowWindow(SW_HIDE);
            break;
        case QEvent::EnabledChange:
            if (watched == m_owner && !m_owner->isEnabled())
                m_popup.ShowWindow(SW_HIDE);
            break;
        default:
            break;
        }
        return false;
    }

private:
    bool IsOurs(const QWindow* window) const {
        const QWidget* popup = m_popup.Widget();
        if (popup && popup->windowHandle() == window)
            return true;
        return m_owner && m_owner->window()->windowHandle() == window;
    }

    void FocusWindowChanged(QWindow* now) {
        // Another window (or none: the application) took the activation.
        if (g_open == &m_popup && !IsOurs(now))
            m_popup.ShowWindow(SW_HIDE);
    }

    // The press closes the popup and then does what it would have done without it, on our window
    // the user sees at that point only: on another program's window lying over ours it only closes
    // the popup. On the owner it only closes too, as the press would just open the popup again.
    void PressOutside(const QMouseEvent& me) {
        const QPoint global = me.globalPosition().toPoint();
        m_popup.ShowWindow(SW_HIDE);
        if (me.type() != QEvent::MouseButtonPress)
            return;
        QWindow* window = CTopLevelAt::Find(global);
        if (!window)
            return;
        const bool onOwner = m_owner && m_owner->isVisible() && m_owner->window()->windowHandle() == window &&
                             m_owner->rect().contains(m_owner->mapFromGlobal(global));
        if (onOwner)
            return;
        // At once: the release may already be queued, and it has to find the press's receiver.
        const QPointF local = window->mapFromGlobal(global);
        QMouseEvent press(QEvent::MouseButtonPress, local, local, QPointF(global), me.button(), me.buttons(),
                          me.modifiers());
        QCoreApplication::sendEvent(window, &press);
    }

    CDropDownWnd& m_popup;
    QPointer<QWidget> m_owner;
    QPointer<QWidget> m_keyWidget;
    QMetaObject::Connection m_focus;
};

CDropDownWnd::CDropDownWnd() = default;

CDropDownWnd::~CDropDownWnd() {
    if (g_open == this)
        g_open = nullptr;
    m_watch.reset();
}

BOOL CDropDownWnd::CreateDropDown(CWnd* owner, LPCTSTR className) {
    if (!owner || !owner->Widget())
        return FALSE;
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, className, "", WS_POPUP, CRect(0, 0, 0, 0), owner, 0))
        return FALSE;
    // A toolkit popup: no frame, no window manager, the pointer and keyboard while shown. The
    // press that closes it is handed on here, not by the toolkit.
    m_widget->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    m_widget->setAttribute(Qt::WA_NoMouseReplay);
    m_watch = std::make_unique<Watch>(*this, owner->Widget());
    return TRUE;
}

BOOL CDropDownWnd::ShowWindow(int command) {
    if (!m_widget)
        return FALSE;
    if (command == SW_HIDE) {
        ForgetOpen();
        const BOOL wasVisible = CWnd::ShowWindow(SW_HIDE);
        // The toolkit gives the focus back to the active window's focus widget, if it has one;
        // the keys never stay with the hidden list.
        if (QWidget* focus = QApplication::focusWidget(); focus && m_widget && focus->window() == m_widget)
            focus->clearFocus();
        return wasVisible;
    }
    if (g_open == this)
        return TRUE;
    CloseOpen();
    // A capture held elsewhere would take the popup's mouse messages.
    if (!CInputState::CaptureWithin(*this))
        CInputState::CancelCaptureMode();
    // The key child becomes the popup's focus, which the toolkit gives it when the popup opens.
    if (m_pKeyChild && m_pKeyChild->Widget())
        m_pKeyChild->Widget()->setFocus(Qt::PopupFocusReason);
    g_open = this;
    if (m_watch)
        m_watch->Start();
    return CWnd::ShowWindow(SW_SHOWNA);
}

void CDropDownWnd::OnDestroy() {
    ForgetOpen();
    CWnd::OnDestroy();
}

void CDropDownWnd::ForgetOpen() {
    if (g_open != this)
        return;
    g_open = nullptr;
    if (m_watch)
        m_watch->Stop();
}

CDropDownWnd* CDropDownWnd::GetOpen() {
    return g_open;
}

void CDropDownWnd::CloseOpen() {
    if (g_open)
        g_open->ShowWindow(SW_HIDE);
}
