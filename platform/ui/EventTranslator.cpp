#include "platform/ui/EventTranslator.h"

#include "platform/ui/InputState.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>
#include <QWheelEvent>
#include <QWidget>

namespace {

// Events being dispatched (nested when a handler runs a modal loop or sends input).
int g_dispatchDepth = 0;

UINT VirtualKey(const QKeyEvent* e) {
    const int k = e->key();
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return static_cast<UINT>('A' + (k - Qt::Key_A));
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return keypad ? VK_NUMPAD0 + static_cast<UINT>(k - Qt::Key_0)
                      : static_cast<UINT>('0' + (k - Qt::Key_0));
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return VK_F1 + static_cast<UINT>(k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Pause:
        return VK_PAUSE;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Asterisk:
        return keypad ? VK_MULTIPLY : static_cast<UINT>('8');
    case Qt::Key_Plus:
        return keypad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Equal:
        return VK_OEM_PLUS;
    case Qt::Key_Minus:
        return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Period:
        return keypad ? VK_DECIMAL : VK_OEM_PERIOD;
    case Qt::Key_Comma:
        return VK_OEM_COMMA;
    case Qt::Key_Slash:
        return keypad ? VK_DIVIDE : 0xBF;
    default:
        return 0;
    }
}

LPARAM KeyLParam(const QKeyEvent* e, bool up) {
    DWORD lp = 1;
    lp |= (static_cast<DWORD>(e->nativeScanCode()) & 0xFF) << 16;
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Insert:
    case Qt::Key_Delete:
        lp |= 1u << 24;
        break;
    default:
        break;
    }
    if (up)
        lp |= (1u << 30) | (1u << 31);
    else if (e->isAutoRepeat())
        lp |= 1u << 30;
    return static_cast<LPARAM>(lp);
}

// Characters the system would deliver as WM_CHAR for this key.
std::vector<UINT> CharsOf(const QString& text) {
    std::vector<UINT> out;
    for (const uint c : text.toUcs4()) {
        if (c == 0x7F)
            continue;
        if (c < 0x20 && c != 0x08 && c != 0x09 && c != 0x0D && c != 0x1B && (c == 0 || c > 0x1A))
            continue;
        out.push_back(c);
    }
    return out;
}

// A window whose window or parent is disabled (the owner of a running modal dialog and all it
// holds) takes no input; a control disabled itself still sees its events and refuses them itself.
bool InputBlocked(const QWidget* w) {
    if (!w)
        return false;
    if (w->isWindow())
        return !w->isEnabled();
    const QWidget* parent = w->parentWidget();
    return parent && !parent->isEnabled();
}

// The window under a screen point: in the window of `near` first (the desktop may not say).
CWnd* WindowUnder(QPoint global, QWidget* near) {
    if (QWidget* top = near ? near->window() : nullptr; top && top->isVisible()) {
        const QPoint local = top->mapFromGlobal(global);
        if (top->rect().contains(local)) {
            QWidget* child = top->childAt(local);
            return CWnd::FromWidget(child ? child : top);
        }
    }
    return CWnd::FromWidget(QApplication::widgetAt(global));
}

bool PreTranslateChain(CWnd* target, MSG* msg) {
    for (CWnd* w = target; w; w = w->GetParent()) {
        if (w->PreTranslateMessage(msg))
            return true;
        // A popup's input is its own: the window that owns it does not filter it.
        if (w->Widget() && w->Widget()->windowType() == Qt::Popup)
            break;
    }
    return false;
}

} // namespace

bool CEventTranslator::Dispatch(CWnd& wnd, QEvent* event, BaseHandler base) {
    QWidget* widget = wnd.m_widget;
    if (!widget || !wnd.m_hWnd)
        return base ? base(widget, event) : false;
    struct Depth {
        Depth() { ++g_dispatchDepth; }
        ~Depth() { --g_dispatchDepth; }
    } depth;
    return CEventTranslator(wnd, event, base).Translate();
}

bool CEventTranslator::Dispatching() {
    return g_dispatchDepth > 0;
}

CEventTranslator::CEventTranslator(CWnd& wnd, QEvent* event, BaseHandler base)
    : m_wnd(wnd), m_event(event), m_base(base), m_widget(wnd.m_widget), m_ctx{event, base},
      m_guard(wnd.m_widget) {}

LRESULT CEventTranslator::Run(CWnd* target, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& messages = CurrentMessages();
    messages.push_back(
        CurrentMessage{target, MSG{target->m_hWnd, WM_NULL, 0, 0, 0}, target == &m_wnd ? &m_ctx : nullptr});
    const LRESULT r = target->WindowProc(message, wParam, lParam);
    messages.pop_back();
    return r;
}

LRESULT CEventTranslator::RunWithoutDefault(CWnd* target, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& messages = CurrentMessages();
    messages.push_back(CurrentMessage{target, MSG{target->m_hWnd, WM_NULL, 0, 0, 0}, nullptr});
    const LRESULT r = target->WindowProc(message, wParam, lParam);
    messages.pop_back();
    return r;
}

void CEventTranslator::EndMouseTracking(CWnd* target) {
    target->m_impl->trackLeave = false;
    target->m_impl->trackHover = false;
    Run(target, WM_MOUSELEAVE, 0, 0);
}

bool CEventTranslator::Translate() {
    switch (m_event->type()) {
    case QEvent::Paint:
        return Paint();
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return Mouse();
    case QEvent::Wheel:
        return Wheel();
    case QEvent::Leave:
    case QEvent::Hide:
        if (m_wnd.m_impl->trackLeave)
            EndMouseTracking(&m_wnd);
        return m_guard ? m_base(m_widget, m_event) : true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return Key();
    case QEvent::InputMethod:
        return InputMethod();
    case QEvent::FocusIn:
        return FocusIn();
    case QEvent::FocusOut:
        return FocusOut();
    case QEvent::Timer:
        return Timer();
    case QEvent::Resize: {
        const bool r = m_base(m_widget, m_event);
        m_wnd.SendSizeIfChanged();
        return r;
    }
    case QEvent::Move: {
        const bool r = m_base(m_widget, m_event);
        m_wnd.SendMoveIfChanged();
        return r;
    }
    case QEvent::Close:
        Run(&m_wnd, WM_CLOSE, 0, 0);
        m_event->ignore();
        return true;
    default:
        return m_base(m_widget, m_event);
    }
}

bool CEventTranslator::Paint() {
    auto* pe = static_cast<QPaintEvent*>(m_event);
    m_wnd.m_impl->dirty -= pe->region();
    if (!m_wnd.m_redraw)
        return true;
    if (m_wnd.m_eraseNeeded) {
        m_wnd.m_eraseNeeded = false;
        QPainter painter(m_widget);
        CDC dc;
        dc.AttachPainter(&painter);
        CDC* prev = m_wnd.m_activePaintDC;
        m_wnd.m_activePaintDC = &dc;
        // The erase has no toolkit default of its own: the paint event belongs to WM_PAINT.
        RunWithoutDefault(&m_wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        m_wnd.m_activePaintDC = prev;
        dc.DeleteDC();
        painter.end();
    }
    if (!m_guard)
        return true;
    Run(&m_wnd, WM_PAINT, 0, 0);
    return true;
}

bool CEventTranslator::Mouse() {
    auto* me = static_cast<QMouseEvent*>(m_event);
    CInputState::NoteButtons(me->buttons(), me->modifiers());
    CWnd* target = &m_wnd;
    QPoint pos = me->position().toPoint();
    CWnd* capture = CInputState::Capture();
    // A capture held in a window that a modal dialog has since blocked ends, so the dialog gets
    // its clicks.
    if (capture && capture->m_widget && InputBlocked(capture->m_widget) && !InputBlocked(m_widget)) {
        CInputState::CancelCaptureMode();
        capture = CInputState::Capture();
    }
    if (CInputState::PressCancelled() && !capture) {
        const bool newPress =
            (m_event->type() == QEvent::MouseButtonPress || m_event->type() == QEvent::MouseButtonDblClick) &&
            me->buttons() == me->button();
        if (newPress || me->buttons() == Qt::NoButton)
            CInputState::EndCancelledPress();
        // An open popup has the pointer: its events are its own.
        if (!newPress && !QApplication::activePopupWidget()) {
            // The toolkit still sends the cancelled press's moves and release to the pressed window;
            // without a capture they belong to the window under the pointer.
            const QPoint global = me->globalPosition().toPoint();
            CWnd* under = WindowUnder(global, m_widget);
            if (!under || !under->m_widget) {
                m_event->accept();
                return true;
            }
            target = under;
            pos = under->m_widget->mapFromGlobal(global);
        }
    }
    if (capture && capture != &m_wnd && capture->m_widget) {
        target = capture;
        pos = capture->m_widget->mapFromGlobal(me->globalPosition().toPoint());
    }
    if (InputBlocked(target->m_widget)) {
        m_event->accept();
        return true;
    }
    const bool left = me->button() == Qt::LeftButton, right = me->button() == Qt::RightButton;
    UINT message = WM_MOUSEMOVE;
    if (m_event->type() == QEvent::MouseButtonPress)
        message = left ? WM_LBUTTONDOWN : right ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
    else if (m_event->type() == QEvent::MouseButtonRelease)
        message = left ? WM_LBUTTONUP : right ? WM_RBUTTONUP : WM_MBUTTONUP;
    else if (m_event->type() == QEvent::MouseButtonDblClick)
        message = left ? WM_LBUTTONDBLCLK : right ? WM_RBUTTONDBLCLK : WM_MBUTTONDBLCLK;
    const WPARAM flags = CInputState::MkFlags(me->buttons(), me->modifiers());
    const LPARAM lp = MakePointLParam(pos.x(), pos.y());
    MSG m{target->m_hWnd, message, flags, lp, 0};
    if (PreTranslateChain(target, &m)) {
        m_event->accept();
        return true;
    }
    CInputState::SetLastMouseWnd(target->m_hWnd);
    target->m_impl->lastMouse = pos;
    if (!CInputState::Capture()) {
        CWnd* prevTarget = CInputState::CursorTarget();
        CInputState::SetCursorTarget(target);
        // The cursor request has no toolkit default: the mouse event belongs to its own message.
        RunWithoutDefault(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target->m_hWnd),
                          MAKELPARAM(HTCLIENT, message));
        CInputState::SetCursorTarget(prevTarget);
    }
    if (!m_guard)
        return true;
    HWND targetHandle = target->m_hWnd;
    Run(target, message, flags, lp);
    // Leave while a button is held: the toolkit keeps the events here, so derive it.
    if (message == WM_MOUSEMOVE && CWnd::FromHandle(targetHandle) == target && target->m_impl->trackLeave &&
        target->m_widget && !target->m_widget->rect().contains(pos))
        EndMouseTracking(target);
    m_event->accept();
    return true;
}

bool CEventTranslator::Wheel() {
    auto* we = static_cast<QWheelEvent*>(m_event);
    CInputState::NoteButtons(we->buttons(), we->modifiers());
    if (InputBlocked(m_widget)) {
        m_event->accept();
        return true;
    }
    const int delta = we->angleDelta().y() != 0 ? we->angleDelta().y() : we->angleDelta().x();
    if (delta == 0)
        return m_base(m_widget, m_event);
    const QPoint g = we->globalPosition().toPoint();
    const WPARAM wp = MAKEWPARAM(static_cast<WORD>(CInputState::MkFlags(we->buttons(), we->modifiers())),
                                 static_cast<WORD>(static_cast<SHORT>(delta)));
    MSG m{m_wnd.m_hWnd, WM_MOUSEWHEEL, wp, MakePointLParam(g.x(), g.y()), 0};
    if (PreTranslateChain(&m_wnd, &m)) {
        m_event->accept();
        return true;
    }
    const LRESULT handled = Run(&m_wnd, WM_MOUSEWHEEL, wp, MakePointLParam(g.x(), g.y()));
    if (!m_ctx.baseCalled) {
        if (handled)
            m_event->accept();
        else
            m_event->ignore();
        return handled != 0;
    }
    return m_ctx.baseResult;
}

bool CEventTranslator::Key() {
    auto* ke = static_cast<QKeyEvent*>(m_event);
    CInputState::NoteModifiers(ke->modifiers());
    const UINT vk = VirtualKey(ke);
    const bool down = m_event->type() == QEvent::KeyPress;
    if (vk)
        CInputState::NoteKey(vk, down);
    if (InputBlocked(m_widget)) {
        m_event->accept();
        return true;
    }
    const LPARAM lp = KeyLParam(ke, !down);
    const bool alt = ke->modifiers() & Qt::AltModifier;
    UINT message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    MSG m{m_wnd.m_hWnd, message, vk, lp, 0};
    if (PreTranslateChain(&m_wnd, &m)) {
        m_event->accept();
        return true;
    }
    const std::vector<UINT> chars = down ? CharsOf(ke->text()) : std::vector<UINT>{};
    m_ctx.charsFollow = !chars.empty() && !(ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (vk || chars.empty())
        Run(&m_wnd, message, vk, lp);
    for (UINT ch : chars) {
        if (!m_guard || !m_wnd.m_hWnd)
            break;
        MSG cm{m_wnd.m_hWnd, WM_CHAR, ch, lp, 0};
        if (PreTranslateChain(&m_wnd, &cm))
            continue;
        Run(&m_wnd, WM_CHAR, ch, lp);
    }
    m_event->accept();
    return true;
}

bool CEventTranslator::InputMethod() {
    auto* ie = static_cast<QInputMethodEvent*>(m_event);
    if (InputBlocked(m_widget))
        return true;
    const std::vector<UINT> chars = CharsOf(ie->commitString());
    if (chars.empty())
        return m_base(m_widget, m_event);
    for (UINT ch : chars) {
        if (!m_guard || !m_wnd.m_hWnd)
            break;
        Run(&m_wnd, WM_CHAR, ch, 1);
    }
    return true;
}

bool CEventTranslator::FocusIn() {
    const HWND self = m_wnd.m_hWnd;
    HWND old = CInputState::LastFocus();
    CInputState::SetLastFocus(self);
    Run(&m_wnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old == self ? nullptr : old), 0);
    if (m_guard && !m_ctx.baseCalled)
        m_base(m_widget, m_event);
    return true;
}

bool CEventTranslator::FocusOut() {
    CWnd* now = CWnd::FromWidget(QApplication::focusWidget());
    if (CInputState::LastFocus() == m_wnd.m_hWnd)
        CInputState::SetLastFocus(nullptr);
    Run(&m_wnd, WM_KILLFOCUS, reinterpret_cast<WPARAM>(now && now != &m_wnd ? now->m_hWnd : nullptr), 0);
    if (m_guard && !m_ctx.baseCalled)
        m_base(m_widget, m_event);
    return true;
}

bool CEventTranslator::Timer() {
    auto* te = static_cast<QTimerEvent*>(m_event);
    const auto& timers = m_wnd.m_impl->timerByQtId;
    auto it = timers.constFind(te->timerId());
    if (it == timers.constEnd())
        return m_base(m_widget, m_event);
    Run(&m_wnd, WM_TIMER, *it, 0);
    return true;
}
