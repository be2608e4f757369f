#include "platform/ui/InputState.h"

#include "platform/ui/ResourceLoader.h"
#include "platform/ui/Wnd.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QHash>
#include <QPointer>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <QWindow>
#include <set>

struct CursorHandle {
    QCursor cursor;
    bool shared = true;
};

namespace {
CWnd* g_capture = nullptr;
HWND g_lastFocus = nullptr;
CWnd* g_cursorTarget = nullptr;
HWND g_lastMouseWnd = nullptr;

// Modifiers and buttons of the last input event, keys held.
Qt::KeyboardModifiers g_modifiers;
Qt::MouseButtons g_buttons;
std::set<UINT> g_keysDown;
bool g_pressCancelled = false;

// A window the running modal one keeps from input: every window outside an application-modal
// one, the owners of a window-modal one.
bool BlockedBy(const QWindow* window, QWindow* modal) {
    if (!window || !modal || window == modal || modal->isAncestorOf(window, QWindow::IncludeTransients))
        return false;
    if (modal->modality() == Qt::ApplicationModal)
        return true;
    for (const QWindow* owner = modal->transientParent(); owner; owner = owner->transientParent())
        if (owner == window)
            return true;
    return false;
}

HCURSOR SystemCursor(UINT id) {
    // Shared for the program's lifetime: the table is never destroyed, so the cursors stay reachable.
    static auto& cursors = *new QHash<UINT, CursorHandle*>;
    if (auto it = cursors.constFind(id); it != cursors.constEnd())
        return *it;
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (id) {
    case IDC_ARROW:
        shape = Qt::ArrowCursor;
        break;
    case IDC_IBEAM:
        shape = Qt::IBeamCursor;
        break;
    case IDC_WAIT:
        shape = Qt::WaitCursor;
        break;
    case IDC_CROSS:
        shape = Qt::CrossCursor;
        break;
    case IDC_SIZEWE:
        shape = Qt::SizeHorCursor;
        break;
    case IDC_SIZENS:
        shape = Qt::SizeVerCursor;
        break;
    case IDC_SIZEALL:
        shape = Qt::SizeAllCursor;
        break;
    case IDC_NO:
        shape = Qt::ForbiddenCursor;
        break;
    case IDC_HAND:
        shape = Qt::PointingHandCursor;
        break;
    default:
        return nullptr;
    }
    auto* h = new CursorHandle{QCursor(shape), true};
    cursors.insert(id, h);
    return h;
}
} // namespace

// --- state -------------------------------------------------------------------------------------

CWnd* CInputState::Capture() {
    return g_capture;
}

void CInputState::SetCaptureWnd(CWnd* wnd) {
    g_capture = wnd;
}

// The application losing the activation ends the capture mode. A window a modal dialog blocks
// that is activated all the same (the window manager gives it the focus when the user clicks it)
// hands the activation on to the dialog, as the desktop does: the keyboard then reaches the
// dialog, not a window that ignores it.
void CInputState::WatchApplication() {
    static bool watching = false;
    if (watching || !qGuiApp)
        return;
    watching = true;
    QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, qGuiApp,
                     [](Qt::ApplicationState state) {
                         if (state != Qt::ApplicationActive)
                             CInputState::CancelCaptureMode();
                     });
    QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, qGuiApp, [](QWindow* focus) {
        QWindow* modal = QGuiApplication::modalWindow();
        if (!BlockedBy(focus, modal))
            return;
        // Not from inside the focus change itself.
        QTimer::singleShot(0, modal, [dialog = QPointer<QWindow>(modal)] {
            if (!dialog || !dialog->isVisible() || QGuiApplication::modalWindow() != dialog)
                return;
            dialog->raise();
            dialog->requestActivate();
        });
    });
}

void CInputState::CancelCaptureMode() {
    CWnd* holder = g_capture;
    if (!holder)
        return;
    if (g_buttons != Qt::NoButton)
        g_pressCancelled = true;
    if (holder->m_hWnd)
        holder->SendMessage(WM_CANCELMODE, 0, 0);
    // A holder whose own handling keeps the capture loses it all the same.
    if (g_capture == holder)
        ::ReleaseCapture();
}

void CInputState::CancelCaptureModeWithin(const CWnd& root) {
    if (CaptureWithin(root))
        CancelCaptureMode();
}

bool CInputState::CaptureWithin(const CWnd& root) {
    if (!g_capture)
        return false;
    if (g_capture == &root)
        return true;
    const QWidget* top = root.Widget();
    const QWidget* held = g_capture->Widget();
    return top && held && top->isAncestorOf(held);
}

bool CInputState::PressCancelled() {
    return g_pressCancelled;
}

void CInputState::EndCancelledPress() {
    g_pressCancelled = false;
}

CWnd* CInputState::CursorTarget() {
    return g_cursorTarget;
}

void CInputState::SetCursorTarget(CWnd* wnd) {
    g_cursorTarget = wnd;
}

HWND CInputState::LastMouseWnd() {
    return g_lastMouseWnd;
}

void CInputState::SetLastMouseWnd(HWND hWnd) {
    g_lastMouseWnd = hWnd;
}

HWND CInputState::LastFocus() {
    return g_lastFocus;
}

void CInputState::SetLastFocus(HWND hWnd) {
    g_lastFocus = hWnd;
}

void CInputState::NoteButtons(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    g_modifiers = modifiers;
    g_buttons = buttons;
}

void CInputState::ResyncButtons() {
    // Only what the toolkit knows to be up is cleared: its own state may miss a release as well.
    g_buttons &= QGuiApplication::mouseButtons();
}

void CInputState::NoteModifiers(Qt::KeyboardModifiers modifiers) {
    g_modifiers = modifiers;
}

void CInputState::NoteKey(UINT virtualKey, bool down) {
    if (down)
        g_keysDown.insert(virtualKey);
    else
        g_keysDown.erase(virtualKey);
}

bool CInputState::IsDown(int virtualKey) {
    switch (virtualKey) {
    case VK_SHIFT:
        return g_modifiers & Qt::ShiftModifier;
    case VK_CONTROL:
        return g_modifiers & Qt::ControlModifier;
    case VK_MENU:
        return g_modifiers & Qt::AltModifier;
    case VK_LBUTTON:
        return g_buttons & Qt::LeftButton;
    case VK_RBUTTON:
        return g_buttons & Qt::RightButton;
    case VK_MBUTTON:
        return g_buttons & Qt::MiddleButton;
    default:
        return g_keysDown.count(static_cast<UINT>(virtualKey)) > 0;
    }
}

UINT CInputState::MkFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    UINT f = 0;
    if (buttons & Qt::LeftButton)
        f |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        f |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        f |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        f |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        f |= MK_CONTROL;
    return f;
}

UINT CInputState::MkFlags() {
    return MkFlags(g_buttons, g_modifiers);
}

// --- capture and focus -------------------------------------------------------------------------

HWND SetCapture(HWND hWnd) {
    CWnd* w = CWnd::FromHandle(hWnd);
    CWnd* old = w ? w->SetCapture() : nullptr;
    return old ? old->m_hWnd : nullptr;
}

BOOL ReleaseCapture() {
    CWnd* old = g_capture;
    g_capture = nullptr;
    if (old && old->m_hWnd)
        old->SendMessage(WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    return g_capture ? g_capture->m_hWnd : nullptr;
}

HWND SetFocus(HWND hWnd) {
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w) {
        CWnd* old = CWnd::GetFocus();
        if (QWidget* f = QApplication::focusWidget())
            f->clearFocus();
        return old ? old->m_hWnd : nullptr;
    }
    CWnd* old = w->SetFocus();
    return old ? old->m_hWnd : nullptr;
}

HWND GetFocus() {
    CWnd* w = CWnd::GetFocus();
    return w ? w->m_hWnd : nullptr;
}

// --- cursor ------------------------------------------------------------------------------------

HCURSOR SetCursor(HCURSOR cursor) {
    CWnd* target = g_cursorTarget ? g_cursorTarget : CWnd::FromHandle(g_lastMouseWnd);
    if (g_capture)
        target = g_capture;
    if (!target || !target->Widget())
        return nullptr;
    HCURSOR old = target->Widget()->property("r9cursor").value<quintptr>()
                      ? reinterpret_cast<HCURSOR>(target->Widget()->property("r9cursor").value<quintptr>())
                      : nullptr;
    target->Widget()->setProperty("r9cursor",
                                  QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(cursor)));
    if (cursor)
        target->Widget()->setCursor(cursor->cursor);
    else
        target->Widget()->setCursor(Qt::BlankCursor);
    return old;
}

HCURSOR LoadCursor(HINSTANCE instance, UINT id) {
    if (!instance)
        return SystemCursor(id);
    static auto& loaded = *new QHash<UINT, CursorHandle*>;
    if (auto it = loaded.constFind(id); it != loaded.constEnd())
        return *it;
    QCursor c;
    if (!ResourceLoader::LoadCursor(id, &c))
        return nullptr;
    auto* h = new CursorHandle{c, true};
    loaded.insert(id, h);
    return h;
}

HCURSOR CopyIcon(HCURSOR cursor) {
    if (!cursor)
        return nullptr;
    return new CursorHandle{cursor->cursor, false};
}

BOOL DestroyCursor(HCURSOR cursor) {
    if (!cursor || cursor->shared)
        return FALSE;
    delete cursor;
    return TRUE;
}

BOOL GetCursorPos(LPPOINT point) {
    if (!point)
        return FALSE;
    const QPoint p = QCursor::pos();
    *point = POINT{p.x(), p.y()};
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    QCursor::setPos(x, y);
    return TRUE;
}

// --- mouse tracking and keys -------------------------------------------------------------------

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track) {
    if (!track)
        return FALSE;
    CWnd* w = CWnd::FromHandle(track->hwndTrack);
    return w ? w->TrackMouse(track->dwFlags, track->dwHoverTime) : FALSE;
}

SHORT GetKeyState(int virtualKey) {
    return CInputState::IsDown(virtualKey) ? static_cast<SHORT>(0x8000) : 0;
}

SHORT GetAsyncKeyState(int virtualKey) {
    return GetKeyState(virtualKey);
}
