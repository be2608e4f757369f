#include "platform/ui/Wnd.h"

#include "platform/ui/Brush.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/EventTranslator.h"
#include "platform/ui/Font.h"
#include "platform/ui/GdiHandle.h"
#include "platform/ui/InputState.h"
#include "platform/ui/Rgn.h"
#include "platform/ui/WndBridge.h"
#include "platform/ui/WndImpl.h"

#include <QApplication>
#include <QBitmap>
#include <QHash>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <cstring>

IMPLEMENT_DYNAMIC(CWnd, CObject)

const CWnd CWnd::wndTop;
const CWnd CWnd::wndBottom;
const CWnd CWnd::wndTopMost;
const CWnd CWnd::wndNoTopMost;

namespace {
thread_local std::vector<CurrentMessage> t_messages;
CWnd* g_mainWnd = nullptr;
} // namespace

std::vector<CurrentMessage>& CurrentMessages() {
    return t_messages;
}

// --- construction ---------------------------------------------------------------------------

CWnd::CWnd() : m_impl(std::make_unique<Impl>()) {}

CWnd::~CWnd() {
    if (CInputState::Capture() == this)
        CInputState::SetCaptureWnd(nullptr);
    if (CInputState::CursorTarget() == this)
        CInputState::SetCursorTarget(nullptr);
    if (g_mainWnd == this)
        g_mainWnd = nullptr;
    if (m_widget) {
        QWidget* w = m_widget;
        DetachWidget();
        delete w;
    }
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (!hWnd)
        return nullptr;
    return dynamic_cast<CWnd*>(r9::msg::FromHandle(hWnd));
}

CWnd* CWnd::FromWidget(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (auto* b = dynamic_cast<const WndBridgeBase*>(w); b && b->Owner())
            return b->Owner();
    return nullptr;
}

void CWnd::InstallDelivery() {
    static bool installed = false;
    if (installed || !qApp)
        return;
    installed = true;
    CInputState::WatchApplication();
    r9::msg::InstallPump([] {
        QMetaObject::invokeMethod(
            qApp, [] { r9::msg::DeliverPending(); }, Qt::QueuedConnection);
    });
    r9::msg::SetWindowTimerHook(
        [](HWND hWnd, UINT_PTR id, UINT elapse, TIMERPROC) -> UINT_PTR {
            CWnd* w = CWnd::FromHandle(hWnd);
            if (!w || !w->m_widget)
                return 0;
            Impl& impl = *w->m_impl;
            if (auto it = impl.qtIdByTimer.find(id); it != impl.qtIdByTimer.end()) {
                w->m_widget->killTimer(it->second);
                impl.timerByQtId.remove(it->second);
                impl.qtIdByTimer.erase(it);
            }
            const int qtId =
                w->m_widget->startTimer(static_cast<int>(std::max<UINT>(elapse, 1)), Qt::PreciseTimer);
            if (qtId == 0)
                return 0;
            impl.qtIdByTimer[id] = qtId;
            impl.timerByQtId.insert(qtId, id);
            return id;
        },
        [](HWND hWnd, UINT_PTR id) -> BOOL {
            CWnd* w = CWnd::FromHandle(hWnd);
            if (!w)
                return FALSE;
            Impl& impl = *w->m_impl;
            auto it = impl.qtIdByTimer.find(id);
            if (it == impl.qtIdByTimer.end())
                return FALSE;
            if (w->m_widget)
                w->m_widget->killTimer(it->second);
            impl.timerByQtId.remove(it->second);
            impl.qtIdByTimer.erase(it);
            return TRUE;
        });
}

QWidget* CWnd::CreateWidget(QWidget* parent) {
    return new WndBridge<QWidget>(this, parent);
}

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  void* context) {
    return CreateEx(0, className, windowName, style, rect, parent, id, context);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, void* param) {
    if (m_widget)
        return FALSE;
    const bool child = style & WS_CHILD;
    if (child && (!parent || !parent->m_widget))
        return FALSE;
    InstallDelivery();
    CREATESTRUCT cs{param,
                    nullptr,
                    parent ? parent->m_hWnd : nullptr,
                    rect.bottom - rect.top,
                    rect.right - rect.left,
                    rect.top,
                    rect.left,
                    static_cast<LONG>(style),
                    windowName,
                    className,
                    exStyle};
    if (!PreCreateWindow(cs))
        return FALSE;
    m_style = static_cast<DWORD>(cs.style);
    m_exStyle = cs.dwExStyle;
    m_id = static_cast<int>(id);
    m_text = cs.lpszName ? cs.lpszName : "";
    *m_impl = Impl{};
    m_eraseNeeded = true;
    QWidget* parentWidget = parent ? parent->m_widget : nullptr;
    m_widget = CreateWidget(child ? parentWidget : nullptr);
    if (!child) {
        Qt::WindowFlags flags = Qt::Window;
        if ((m_style & WS_CAPTION) != WS_CAPTION)
            flags |= Qt::FramelessWindowHint;
        if (m_exStyle & WS_EX_TOPMOST)
            flags |= Qt::WindowStaysOnTopHint;
        if (m_exStyle & WS_EX_TOOLWINDOW || (m_style & WS_POPUP))
            flags |= Qt::Tool;
        m_widget->setParent(parentWidget, flags);
        m_widget->setWindowTitle(QString::fromUtf8(m_text.GetString()));
    }
    m_widget->setGeometry(QRect(cs.x, cs.y, std::max(0, cs.cx), std::max(0, cs.cy)));
    m_hWnd = RegisterTarget();
    ApplyStyle();
    if (SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == static_cast<LRESULT>(-1)) {
        DestroyWindow();
        return FALSE;
    }
    if (!m_widget)
        return FALSE;
    SendSizeIfChanged();
    SendMoveIfChanged();
    if (m_style & WS_VISIBLE)
        m_widget->setVisible(true);
    else if (child)
        m_widget->hide(); // hidden on purpose: the toolkit would show it with its parent
    return TRUE;
}

void CWnd::ApplyStyle() {
    if (!m_widget)
        return;
    m_widget->setFocusPolicy((m_style & WS_TABSTOP) ? Qt::TabFocus : Qt::NoFocus);
    m_widget->setEnabled(!(m_style & WS_DISABLED));
    if (m_hFont)
        m_widget->setFont(m_hFont->font);
}

void CWnd::DetachWidget() {
    if (!m_widget)
        return;
    if (auto* b = dynamic_cast<WndBridgeBase*>(m_widget))
        b->SetOwner(nullptr);
    m_widget = nullptr;
}

void CWnd::WidgetDestroyed() {
    // The widget dies (its parent went, or DestroyWindow): the window ends with it.
    if (!m_widget || m_impl->destroying)
        return;
    m_impl->destroying = true;
    if (m_hWnd) {
        CInputState::CancelCaptureModeWithin(*this);
        SendMessage(WM_DESTROY);
        SendMessage(WM_NCDESTROY);
    }
    if (CInputState::Capture() == this)
        CInputState::SetCaptureWnd(nullptr);
    if (CInputState::LastFocus() == m_hWnd)
        CInputState::SetLastFocus(nullptr);
    m_impl->hoverTimer.reset();
    m_impl->timerByQtId.clear();
    m_impl->qtIdByTimer.clear();
    m_widget = nullptr;
    UnregisterTarget();
    m_hWnd = nullptr;
    m_impl->destroying = false;
    PostNcDestroy();
}

BOOL CWnd::DestroyWindow() {
    if (!m_widget)
        return FALSE;
    QWidget* w = m_widget;
    // Messages first, while the window and its children still exist.
    WidgetDestroyed();
    if (auto* b = dynamic_cast<WndBridgeBase*>(w))
        b->SetOwner(nullptr);
    if (CEventTranslator::Dispatching()) {
        w->hide();
        w->setParent(nullptr);
        w->deleteLater();
    } else {
        delete w;
    }
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    CWnd* old = FromHandle(hWnd);
    if (!old || old == this)
        return FALSE;
    CWnd* parent = old->GetParent();
    if (!parent)
        return FALSE;
    return SubclassDlgItem(static_cast<UINT>(old->GetDlgCtrlID()), parent);
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    if (!parent || m_widget)
        return FALSE;
    CWnd* old = parent->GetDlgItem(static_cast<int>(id));
    if (!old || !old->m_widget)
        return FALSE;
    QWidget* ow = old->m_widget;
    const QRect geo = ow->geometry();
    const DWORD style = old->GetStyle();
    const DWORD exStyle = old->m_exStyle;
    const CString text = old->m_text;
    const HFONT font = old->m_hFont;
    // Remember the z-order neighbour above the old control.
    QWidget* below = nullptr;
    const QObjectList& siblings = ow->parentWidget()->children();
    const int index = static_cast<int>(siblings.indexOf(ow));
    for (int i = index + 1; i < siblings.size(); ++i)
        if (auto* sw = qobject_cast<QWidget*>(siblings[i]); sw && !sw->isWindow()) {
            below = sw;
            break;
        }
    // The template item is owned by the dialog; the dialog forgets it when it dies.
    old->DestroyWindow();
    m_hFont = font;
    const RECT rc{geo.left(), geo.top(), geo.right() + 1, geo.bottom() + 1};
    if (!CreateEx(exStyle, "", text.GetString(), style & ~WS_VISIBLE, rc, parent, id))
        return FALSE;
    if (below)
        m_widget->stackUnder(below);
    PreSubclassWindow();
    ApplyStyle();
    if (style & WS_VISIBLE)
        m_widget->setVisible(true);
    return TRUE;
}

// --- dispatch -------------------------------------------------------------------------------

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{AfxEntryKind::Message, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const {
    return GetThisMessageMap();
}

const MSG* CWnd::GetCurrentMessage() const {
    for (auto it = t_messages.rbegin(); it != t_messages.rend(); ++it)
        if (it->wnd == this)
            return &it->msg;
    return nullptr;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // An event context applies only to the message the bridge translated it into.
    WndEventContext* ctx = nullptr;
    if (!t_messages.empty() && t_messages.back().wnd == this && t_messages.back().msg.message == WM_NULL)
        ctx = t_messages.back().ctx;
    t_messages.push_back(CurrentMessage{this, MSG{m_hWnd, message, wParam, lParam, 0}, ctx});
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    t_messages.pop_back();
    return result;
}

bool CWnd::HasToolkitDefault(UINT message) const {
    if (t_messages.empty())
        return false;
    const CurrentMessage& cur = t_messages.back();
    return cur.wnd == this && cur.ctx && cur.msg.message == message && !cur.ctx->baseCalled && m_widget;
}

LRESULT CWnd::Default() {
    if (t_messages.empty() || t_messages.back().wnd != this)
        return 0;
    const MSG m = t_messages.back().msg;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            *result = 1;
            return TRUE;
        }
        return FALSE;
    }
    if (message == WM_NOTIFY) {
        LRESULT r = 0;
        if (OnNotify(wParam, lParam, &r)) {
            *result = r;
            return TRUE;
        }
        return FALSE;
    }
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->fn; ++e)
            if (e->kind == AfxEntryKind::Message && e->message == message) {
                *result = e->fn(this, wParam, lParam);
                return TRUE;
            }
    const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    const UINT flags = static_cast<UINT>(wParam);
    switch (message) {
    case WM_CREATE:
        *result = OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    case WM_NCDESTROY:
        OnNcDestroy();
        return TRUE;
    case WM_CLOSE:
        OnClose();
        return TRUE;
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_ERASEBKGND:
        *result = OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        return TRUE;
    case WM_SIZE:
        OnSize(flags, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_MOVE:
        OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return TRUE;
    case WM_SHOWWINDOW:
        OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        return TRUE;
    case WM_ENABLE:
        OnEnable(static_cast<BOOL>(wParam));
        return TRUE;
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    case WM_MOUSEMOVE:
        OnMouseMove(flags, pt);
        return TRUE;
    case WM_LBUTTONDOWN:
        OnLButtonDown(flags, pt);
        return TRUE;
    case WM_LBUTTONUP:
        OnLButtonUp(flags, pt);
        return TRUE;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(flags, pt);
        return TRUE;
    case WM_RBUTTONDOWN:
        OnRButtonDown(flags, pt);
        return TRUE;
    case WM_RBUTTONUP:
        OnRButtonUp(flags, pt);
        return TRUE;
    case WM_RBUTTONDBLCLK:
        OnRButtonDblClk(flags, pt);
        return TRUE;
    case WM_MBUTTONDOWN:
        OnMButtonDown(flags, pt);
        return TRUE;
    case WM_MBUTTONUP:
        OnMButtonUp(flags, pt);
        return TRUE;
    case WM_MOUSEWHEEL:
        *result = OnMouseWheel(LOWORD(wParam), GET_WHEEL_DELTA_WPARAM(wParam), pt);
        return TRUE;
    case WM_MOUSEHOVER:
        OnMouseHover(flags, pt);
        return TRUE;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return TRUE;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(FromHandle(reinterpret_cast<HWND>(lParam)));
        return TRUE;
    case WM_CANCELMODE:
        OnCancelMode();
        return TRUE;
    case WM_KEYDOWN:
        OnKeyDown(flags, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_KEYUP:
        OnKeyUp(flags, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_SYSKEYDOWN:
        OnSysKeyDown(flags, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_CHAR:
        OnChar(flags, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_SETFOCUS:
        OnSetFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
        return TRUE;
    case WM_KILLFOCUS:
        OnKillFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
        return TRUE;
    case WM_GETDLGCODE:
        *result = OnGetDlgCode();
        return TRUE;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        *result = reinterpret_cast<LRESULT>(OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                                       FromHandle(reinterpret_cast<HWND>(lParam)),
                                                       message - WM_CTLCOLORMSGBOX));
        return TRUE;
    case WM_SETCURSOR:
        *result = OnSetCursor(FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_DRAWITEM:
        OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *result = TRUE;
        return TRUE;
    case WM_MEASUREITEM:
        OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        *result = TRUE;
        return TRUE;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam), HIWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)));
        return TRUE;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)));
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam), code = HIWORD(wParam);
    if (lParam) {
        if (CWnd* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
            LRESULT r = 0;
            if (child != this && child->OnChildNotify(WM_COMMAND, wParam, lParam, &r))
                return TRUE;
        }
    }
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->fn; ++e)
            if (e->kind == AfxEntryKind::Command && e->message == code && id >= e->idFirst &&
                id <= e->idLast) {
                e->fn(this, wParam, lParam);
                return TRUE;
            }
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (!hdr)
        return FALSE;
    if (CWnd* child = FromHandle(hdr->hwndFrom); child && child != this)
        if (child->OnChildNotify(WM_NOTIFY, wParam, lParam, result))
            return TRUE;
    const UINT id = static_cast<UINT>(hdr->idFrom);
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->fn; ++e)
            if (e->kind == AfxEntryKind::Notify && e->message == hdr->code && id >= e->idFirst &&
                id <= e->idLast) {
                e->fn(this, reinterpret_cast<WPARAM>(result), lParam);
                return TRUE;
            }
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->fn; ++e) {
            if (message == WM_COMMAND && e->kind == AfxEntryKind::ReflectCommand &&
                e->message == HIWORD(wParam))
                return e->fn(this, wParam, lParam) ? TRUE : FALSE;
            if (message == WM_NOTIFY && e->kind == AfxEntryKind::ReflectNotify) {
                auto* hdr = reinterpret_cast<NMHDR*>(lParam);
                if (hdr && e->message == hdr->code) {
                    LRESULT r = 0;
                    const BOOL handled = e->fn(this, reinterpret_cast<WPARAM>(&r), lParam) ? TRUE : FALSE;
                    if (result)
                        *result = r;
                    return handled;
                }
            }
            if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC &&
                e->kind == AfxEntryKind::ReflectCtlColor) {
                const LRESULT brush = e->fn(this, wParam, message - WM_CTLCOLORMSGBOX);
                if (brush) {
                    if (result)
                        *result = brush;
                    return TRUE;
                }
                return FALSE;
            }
        }
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_hWnd)
        return 0;
    return WindowProc(message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* item = GetDlgItem(id);
    return item ? item->SendMessage(message, wParam, lParam) : 0;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The toolkit's own handling of the event this message came from.
    if (!t_messages.empty()) {
        CurrentMessage& cur = t_messages.back();
        if (cur.wnd == this && cur.ctx && cur.msg.message == message && !cur.ctx->baseCalled && m_widget) {
            const bool keyOnly = message == WM_KEYDOWN && cur.ctx->charsFollow;
            if (!keyOnly) {
                cur.ctx->baseCalled = true;
                cur.ctx->baseResult = cur.ctx->base(m_widget, cur.ctx->event);
            }
            if (message != WM_SETCURSOR && message != WM_MOUSEWHEEL)
                return 0;
        }
    }
    switch (message) {
    case WM_CANCELMODE:
        if (CInputState::Capture() == this)
            ::ReleaseCapture();
        return 0;
    case WM_SETTEXT:
        m_text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        if (m_widget && m_widget->isWindow())
            m_widget->setWindowTitle(QString::fromUtf8(m_text.GetString()));
        if (m_widget)
            m_widget->update();
        return TRUE;
    case WM_GETTEXT: {
        auto* buf = reinterpret_cast<char*>(lParam);
        if (!buf || wParam == 0)
            return 0;
        const size_t n = std::min<size_t>(wParam - 1, static_cast<size_t>(m_text.GetLength()));
        std::memcpy(buf, m_text.GetString(), n);
        buf[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return m_text.GetLength();
    case WM_SETFONT:
        m_hFont = reinterpret_cast<HFONT>(wParam);
        if (m_widget && m_hFont)
            m_widget->setFont(m_hFont->font);
        if (lParam && m_widget)
            m_widget->update();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_hFont);
    case WM_ERASEBKGND: {
        CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        if (!dc || !m_hbrBackground)
            return 0;
        CRect rc;
        GetClientRect(&rc);
        dc->FillRect(&rc, CBrush::FromHandle(m_hbrBackground));
        return 1;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        const bool window = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
        if (dc) {
            dc->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
            dc->SetBkColor(GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
        }
        return reinterpret_cast<LRESULT>(GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    case WM_SETCURSOR: {
        if (CWnd* parent = GetParent(); parent && (m_style & WS_CHILD))
            if (parent->SendMessage(WM_SETCURSOR, wParam, lParam))
                return TRUE;
        if (CWnd* target = FromHandle(reinterpret_cast<HWND>(wParam));
            target && target == this && m_widget && LOWORD(lParam) == HTCLIENT)
            ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        return FALSE;
    }
    case WM_MOUSEWHEEL: {
        // Unhandled wheel turns go to the parent (the bridge lets Qt propagate its own events).
        if (!t_messages.empty() && t_messages.back().ctx)
            return 0;
        CWnd* parent = (m_style & WS_CHILD) ? GetParent() : nullptr;
        return parent ? parent->SendMessage(WM_MOUSEWHEEL, wParam, lParam) : 0;
    }
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            SendMessage(WM_CLOSE);
            break;
        case SC_MINIMIZE:
            if (m_widget && m_widget->isWindow())
                m_widget->showMinimized();
            break;
        case SC_RESTORE:
            if (m_widget && m_widget->isWindow())
                m_widget->showNormal();
            break;
        default:
            break;
        }
        return 0;
    case WM_DRAWITEM:
        return FALSE;
    default:
        return 0;
    }
}

// --- toolkit events -------------------------------------------------------------------------

bool CWnd::DispatchQtEvent(QEvent* event, bool (*baseHandler)(QWidget*, QEvent*)) {
    return CEventTranslator::Dispatch(*this, event, baseHandler);
}

void CWnd::SendSizeIfChanged() {
    if (!m_widget)
        return;
    const QSize s = m_widget->size();
    if (s == m_impl->lastSize)
        return;
    m_impl->lastSize = s;
    SendMessage(WM_SIZE, SIZE_RESTORED,
                MAKELPARAM(static_cast<WORD>(s.width()), static_cast<WORD>(s.height())));
}

void CWnd::SendMoveIfChanged() {
    if (!m_widget)
        return;
    const QPoint p = m_widget->pos();
    if (p == m_impl->lastPos)
        return;
    m_impl->lastPos = p;
    SendMessage(WM_MOVE, 0, MakePointLParam(p.x(), p.y()));
}

// --- family ---------------------------------------------------------------------------------

CWnd* CWnd::GetParent() const {
    if (!m_widget)
        return nullptr;
    return FromWidget(m_widget->parentWidget());
}

CWnd* CWnd::SetParent(CWnd* parent) {
    CWnd* old = GetParent();
    if (!m_widget)
        return nullptr;
    const QRect g = m_widget->geometry();
    const bool visible = !m_widget->isHidden();
    m_widget->setParent(parent ? parent->m_widget : nullptr, m_widget->windowFlags());
    m_widget->setGeometry(g);
    m_widget->setVisible(visible);
    return old;
}

CWnd* CWnd::GetTopLevelParent() const {
    if (!m_widget)
        return nullptr;
    return FromWidget(m_widget->window());
}

std::vector<CWnd*> CWnd::Children() const {
    std::vector<CWnd*> out;
    if (!m_widget)
        return out;
    for (QObject* o : m_widget->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        auto* b = dynamic_cast<WndBridgeBase*>(o);
        if (w && b && b->Owner() && !w->isWindow())
            out.push_back(b->Owner());
    }
    return out;
}

CWnd* CWnd::GetDlgItem(int id) const {
    for (CWnd* c : Children())
        if (c->m_id == id)
            return c;
    return nullptr;
}

int CWnd::GetDlgCtrlID() const {
    return m_id;
}

int CWnd::SetDlgCtrlID(int id) {
    return std::exchange(m_id, id);
}

CWnd* CWnd::GetWindow(UINT command) const {
    if (command == GW_CHILD) {
        std::vector<CWnd*> c = Children();
        return c.empty() ? nullptr : c.front();
    }
    CWnd* parent = GetParent();
    if (!parent)
        return nullptr;
    std::vector<CWnd*> s = parent->Children();
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i] == this) {
            if (command == GW_HWNDNEXT)
                return i + 1 < s.size() ? s[i + 1] : nullptr;
            if (command == GW_HWNDPREV)
                return i > 0 ? s[i - 1] : nullptr;
        }
    return nullptr;
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* control, BOOL previous) const {
    std::vector<CWnd*> items = Children();
    if (items.empty())
        return nullptr;
    auto at = std::find(items.begin(), items.end(), control);
    if (at == items.end())
        return items.front();
    // The group runs from the WS_GROUP control at or before this one to the next WS_GROUP.
    size_t i = static_cast<size_t>(at - items.begin());
    size_t first = i;
    while (first > 0 && !(items[first]->GetStyle() & WS_GROUP))
        --first;
    size_t last = i + 1;
    while (last < items.size() && !(items[last]->GetStyle() & WS_GROUP))
        ++last;
    const size_t n = last - first;
    for (size_t step = 1; step < n; ++step) {
        const size_t k = previous ? first + (i - first + n - step) % n : first + (i - first + step) % n;
        if (items[k]->IsWindowVisible() && items[k]->IsWindowEnabled())
            return items[k];
    }
    return control;
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* control, BOOL previous) const {
    std::vector<CWnd*> items = Children();
    auto at = std::find(items.begin(), items.end(), control);
    const size_t n = items.size();
    if (n == 0)
        return nullptr;
    size_t i = at == items.end() ? 0 : static_cast<size_t>(at - items.begin());
    for (size_t step = 1; step <= n; ++step) {
        const size_t k = previous ? (i + n - step) % n : (i + step) % n;
        if ((items[k]->GetStyle() & WS_TABSTOP) && items[k]->IsWindowVisible() && items[k]->IsWindowEnabled())
            return items[k];
    }
    return nullptr;
}

BOOL CWnd::IsChild(const CWnd* window) const {
    if (!window || !window->m_widget || !m_widget)
        return FALSE;
    return m_widget->isAncestorOf(window->m_widget) ? TRUE : FALSE;
}

// --- text and font --------------------------------------------------------------------------

void CWnd::SetWindowText(LPCTSTR text) {
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : ""));
}

int CWnd::GetWindowText(CString& text) const {
    const int n = static_cast<int>(const_cast<CWnd*>(this)->SendMessage(WM_GETTEXTLENGTH));
    std::string buf(static_cast<size_t>(n) + 1, '\0');
    const_cast<CWnd*>(this)->SendMessage(WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(std::strlen(buf.c_str()));
    text = CString(buf);
    return text.GetLength();
}

int CWnd::GetWindowText(LPTSTR buffer, int maxCount) const {
    if (!buffer || maxCount <= 0)
        return 0;
    return static_cast<int>(const_cast<CWnd*>(this)->SendMessage(WM_GETTEXT, static_cast<WPARAM>(maxCount),
                                                                 reinterpret_cast<LPARAM>(buffer)));
}

int CWnd::GetWindowTextLength() const {
    return static_cast<int>(const_cast<CWnd*>(this)->SendMessage(WM_GETTEXTLENGTH));
}

void CWnd::SetDlgItemText(int id, LPCTSTR text) {
    if (CWnd* w = GetDlgItem(id))
        w->SetWindowText(text);
}

int CWnd::GetDlgItemText(int id, CString& text) const {
    text.Empty();
    CWnd* w = GetDlgItem(id);
    return w ? w->GetWindowText(text) : 0;
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
    CString s;
    if (isSigned)
        s.Format("%d", static_cast<int>(value));
    else
        s.Format("%u", value);
    SetDlgItemText(id, s);
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
    CString s;
    GetDlgItemText(id, s);
    s.Trim();
    char* end = nullptr;
    const long v = std::strtol(s.GetString(), &end, 10);
    const bool ok = !s.IsEmpty() && end && *end == '\0' && (isSigned || v >= 0);
    if (translated)
        *translated = ok ? TRUE : FALSE;
    return ok ? static_cast<UINT>(v) : 0;
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->m_hObject : nullptr), redraw);
}

CFont* CWnd::GetFont() const {
    auto h = reinterpret_cast<HFONT>(const_cast<CWnd*>(this)->SendMessage(WM_GETFONT));
    return CFont::FromHandle(h ? h : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

// --- geometry -------------------------------------------------------------------------------

void CWnd::GetWindowRect(LPRECT rect) const {
    if (!rect)
        return;
    if (!m_widget) {
        *rect = RECT{0, 0, 0, 0};
        return;
    }
    const QPoint tl = m_widget->mapToGlobal(QPoint(0, 0));
    *rect = RECT{tl.x(), tl.y(), tl.x() + m_widget->width(), tl.y() + m_widget->height()};
}

void CWnd::GetClientRect(LPRECT rect) const {
    if (!rect)
        return;
    *rect = m_widget ? RECT{0, 0, m_widget->width(), m_widget->height()} : RECT{0, 0, 0, 0};
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    if (!m_widget)
        return;
    m_widget->setGeometry(x, y, std::max(0, width), std::max(0, height));
    SendMoveIfChanged();
    SendSizeIfChanged();
    if (repaint)
        Invalidate();
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
    if (rect)
        MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    if (!m_widget)
        return FALSE;
    QRect g = m_widget->geometry();
    if (!(flags & SWP_NOMOVE))
        g.moveTo(x, y);
    if (!(flags & SWP_NOSIZE))
        g.setSize(QSize(std::max(0, cx), std::max(0, cy)));
    if (g != m_widget->geometry()) {
        m_widget->setGeometry(g);
        SendMoveIfChanged();
        SendSizeIfChanged();
    }
    if (!(flags & SWP_NOZORDER)) {
        if (insertAfter == &wndTop || insertAfter == &wndTopMost || insertAfter == nullptr)
            m_widget->raise();
        else if (insertAfter == &wndBottom)
            m_widget->lower();
        else if (insertAfter->m_widget && insertAfter->m_widget->parentWidget() == m_widget->parentWidget())
            m_widget->stackUnder(insertAfter->m_widget);
    }
    if (flags & SWP_SHOWWINDOW)
        ShowWindow(SW_SHOWNA);
    else if (flags & SWP_HIDEWINDOW)
        ShowWindow(SW_HIDE);
    if (!(flags & SWP_NOREDRAW))
        m_widget->update();
    return TRUE;
}

void CWnd::ClientToScreen(LPPOINT point) const {
    if (!point || !m_widget)
        return;
    const QPoint g = m_widget->mapToGlobal(QPoint(point->x, point->y));
    *point = POINT{g.x(), g.y()};
}

void CWnd::ClientToScreen(LPRECT rect) const {
    if (!rect)
        return;
    ClientToScreen(reinterpret_cast<LPPOINT>(rect));
    ClientToScreen(reinterpret_cast<LPPOINT>(rect) + 1);
}

void CWnd::ScreenToClient(LPPOINT point) const {
    if (!point || !m_widget)
        return;
    const QPoint c = m_widget->mapFromGlobal(QPoint(point->x, point->y));
    *point = POINT{c.x(), c.y()};
}

void CWnd::ScreenToClient(LPRECT rect) const {
    if (!rect)
        return;
    ScreenToClient(reinterpret_cast<LPPOINT>(rect));
    ScreenToClient(reinterpret_cast<LPPOINT>(rect) + 1);
}

void CWnd::MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const {
    for (UINT i = 0; points && i < count; ++i) {
        ClientToScreen(&points[i]);
        if (to)
            to->ScreenToClient(&points[i]);
    }
}

void CWnd::MapWindowPoints(CWnd* to, LPRECT rect) const {
    MapWindowPoints(to, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
    if (!m_widget)
        return;
    QRect area;
    CWnd* owner = alternateOwner ? alternateOwner : GetParent();
    if (owner && owner->m_widget)
        area = QRect(owner->m_widget->mapToGlobal(QPoint(0, 0)), owner->m_widget->size());
    else if (QScreen* s = QGuiApplication::primaryScreen())
        area = s->availableGeometry();
    QRect g = m_widget->geometry();
    QPoint topLeft(area.center().x() - g.width() / 2, area.center().y() - g.height() / 2);
    if (!m_widget->isWindow() && m_widget->parentWidget())
        topLeft = m_widget->parentWidget()->mapFromGlobal(topLeft);
    MoveWindow(topLeft.x(), topLeft.y(), g.width(), g.height(), FALSE);
}

int CWnd::SetWindowRgn(HRGN region, BOOL redraw) {
    if (!m_widget)
        return 0;
    if (region) {
        m_widget->setMask(region->region);
        ::DeleteObject(region); // the window owns the region from now on
    } else {
        m_widget->clearMask();
    }
    if (redraw)
        m_widget->update();
    return 1;
}

// --- state ----------------------------------------------------------------------------------

BOOL CWnd::ShowWindow(int command) {
    if (!m_widget)
        return FALSE;
    const bool wasVisible = !m_widget->isHidden();
    if (command == SW_HIDE) {
        if (wasVisible) {
            CInputState::CancelCaptureModeWithin(*this);
            SendMessage(WM_SHOWWINDOW, FALSE, 0);
            if (m_widget)
                m_widget->hide();
        }
    } else {
        if (!wasVisible) {
            SendMessage(WM_SHOWWINDOW, TRUE, 0);
            if (m_widget)
                m_widget->show();
        }
        if (m_widget && m_widget->isWindow() && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE) {
            m_widget->raise();
            m_widget->activateWindow();
        }
    }
    return wasVisible ? TRUE : FALSE;
}

BOOL CWnd::IsWindowVisible() const {
    return m_widget && m_widget->isVisible() ? TRUE : FALSE;
}

BOOL CWnd::EnableWindow(BOOL enable) {
    if (!m_widget)
        return FALSE;
    const bool wasDisabled = m_widget->testAttribute(Qt::WA_ForceDisabled);
    if (wasDisabled == !enable)
        return wasDisabled ? TRUE : FALSE;
    if (!enable) {
        CInputState::CancelCaptureModeWithin(*this);
        if (!m_widget)
            return FALSE;
    }
    m_widget->setEnabled(enable != FALSE);
    if (enable)
        m_style &= ~WS_DISABLED;
    else
        m_style |= WS_DISABLED;
    SendMessage(WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled ? TRUE : FALSE;
}

BOOL CWnd::IsWindowEnabled() const {
    return m_widget && !m_widget->testAttribute(Qt::WA_ForceDisabled) ? TRUE : FALSE;
}

DWORD CWnd::GetStyle() const {
    DWORD s = m_style & ~(WS_VISIBLE | WS_DISABLED);
    if (m_widget && !m_widget->isHidden())
        s |= WS_VISIBLE;
    if (m_widget && m_widget->testAttribute(Qt::WA_ForceDisabled))
        s |= WS_DISABLED;
    return s;
}

DWORD CWnd::GetExStyle() const {
    return m_exStyle;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    const DWORD before = m_style;
    m_style = (m_style & ~remove) | add;
    if (m_widget && ((before ^ m_style) & WS_TABSTOP))
        m_widget->setFocusPolicy((m_style & WS_TABSTOP) ? Qt::TabFocus : Qt::NoFocus);
    if (flags && m_widget)
        m_widget->update();
    return before != m_style ? TRUE : FALSE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    const DWORD before = m_exStyle;
    m_exStyle = (m_exStyle & ~remove) | add;
    if (flags && m_widget)
        m_widget->update();
    return before != m_exStyle ? TRUE : FALSE;
}

void CWnd::BringWindowToTop() {
    if (m_widget)
        m_widget->raise();
}

void CWnd::SetRedraw(BOOL redraw) {
    m_redraw = redraw != FALSE;
    if (m_widget)
        m_widget->setUpdatesEnabled(m_redraw);
}

// --- painting -------------------------------------------------------------------------------

void CWnd::Invalidate(BOOL erase) {
    InvalidateRect(nullptr, erase);
}

void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) {
    if (!m_widget)
        return;
    if (erase)
        m_eraseNeeded = true;
    QRect r = m_widget->rect();
    if (rect)
        r &= QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    if (r.isEmpty())
        return;
    m_impl->dirty += r;
    m_widget->update(r);
}

void CWnd::InvalidateRgn(CRgn* region, BOOL erase) {
    if (!m_widget)
        return;
    if (!region || !region->m_hObject) {
        Invalidate(erase);
        return;
    }
    if (erase)
        m_eraseNeeded = true;
    m_impl->dirty += region->m_hObject->region;
    m_widget->update(region->m_hObject->region);
}

void CWnd::ValidateRect(LPCRECT rect) {
    if (!rect)
        m_impl->dirty = QRegion();
    else
        m_impl->dirty -= QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
}

void CWnd::UpdateWindow() {
    if (!m_widget || m_impl->dirty.isEmpty() || !m_widget->isVisible())
        return;
    const QRegion r = m_impl->dirty;
    m_impl->dirty = QRegion();
    m_widget->repaint(r);
}

BOOL CWnd::RedrawWindow(LPCRECT rect, CRgn* region, UINT flags) {
    if (!m_widget)
        return FALSE;
    if (flags & RDW_INVALIDATE) {
        if (region)
            InvalidateRgn(region, (flags & RDW_ERASE) ? TRUE : FALSE);
        else
            InvalidateRect(rect, (flags & RDW_ERASE) ? TRUE : FALSE);
    }
    if (flags & RDW_UPDATENOW)
        UpdateWindow();
    return TRUE;
}

CDC* CWnd::GetDC() {
    auto dc = std::make_unique<CDC>();
    if (m_activePaintDC && m_activePaintDC->Painter()) {
        dc->AttachPainter(m_activePaintDC->Painter());
        dc->Painter()->save();
    } else if (m_widget) {
        // Outside a paint the drawing goes to a scratch surface; the window repaints instead.
        m_impl->scratch =
            std::make_unique<QImage>(std::max(1, m_widget->width()), std::max(1, m_widget->height()),
                                     QImage::Format_ARGB32_Premultiplied);
        m_impl->scratch->fill(Qt::transparent);
        dc->BeginOn(m_impl->scratch.get());
    } else {
        return nullptr;
    }
    if (m_hFont)
        dc->SelectObject(static_cast<HGDIOBJ>(m_hFont));
    m_impl->dcs.push_back(std::move(dc));
    return m_impl->dcs.back().get();
}

int CWnd::ReleaseDC(CDC* dc) {
    auto& dcs = m_impl->dcs;
    for (auto it = dcs.begin(); it != dcs.end(); ++it)
        if (it->get() == dc) {
            const bool borrowed =
                m_activePaintDC && dc->Painter() == m_activePaintDC->Painter() && dc->Painter();
            if (borrowed)
                dc->Painter()->restore();
            const bool scratch = !borrowed;
            dcs.erase(it);
            if (scratch && m_widget)
                m_widget->update();
            if (dcs.empty())
                m_impl->scratch.reset();
            return 1;
        }
    return 0;
}

// --- input ----------------------------------------------------------------------------------

CWnd* CWnd::SetCapture() {
    CWnd* old = CInputState::Capture();
    if (old == this)
        return old;
    CInputState::SetCaptureWnd(this);
    if (old && old->m_hWnd)
        old->SendMessage(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(m_hWnd));
    return old;
}

CWnd* CWnd::GetCapture() {
    return CInputState::Capture();
}

CWnd* CWnd::SetFocus() {
    CWnd* old = GetFocus();
    if (!m_widget)
        return old;
    QWidget* top = m_widget->window();
    if (!top->isActiveWindow()) {
        top->activateWindow();
        if (!top->isActiveWindow() && top->isVisible())
            QApplication::setActiveWindow(top);
    }
    m_widget->setFocus(Qt::OtherFocusReason);
    return old;
}

CWnd* CWnd::GetFocus() {
    return FromWidget(QApplication::focusWidget());
}

CWnd* CWnd::GetActiveWindow() {
    return FromWidget(QApplication::activeWindow());
}

CWnd* CWnd::SetActiveWindow() {
    CWnd* old = GetActiveWindow();
    if (m_widget)
        m_widget->window()->activateWindow();
    return old;
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) {
    return ::SetTimer(m_hWnd, id, elapse, proc);
}

BOOL CWnd::KillTimer(UINT_PTR id) {
    return ::KillTimer(m_hWnd, id);
}

BOOL CWnd::TrackMouse(DWORD flags, DWORD hoverTime) {
    if (!m_widget)
        return FALSE;
    if (flags & TME_CANCEL) {
        if (flags & TME_LEAVE)
            m_impl->trackLeave = false;
        if (flags & TME_HOVER) {
            m_impl->trackHover = false;
            if (m_impl->hoverTimer)
                m_impl->hoverTimer->stop();
        }
        return TRUE;
    }
    if (flags & TME_LEAVE)
        m_impl->trackLeave = true;
    if (flags & TME_HOVER) {
        m_impl->trackHover = true;
        if (!m_impl->hoverTimer) {
            m_impl->hoverTimer = std::make_unique<QTimer>();
            m_impl->hoverTimer->setSingleShot(true);
            QObject::connect(m_impl->hoverTimer.get(), &QTimer::timeout, [this] {
                if (!m_impl->trackHover || !m_hWnd)
                    return;
                m_impl->trackHover = false;
                const QPoint p = m_impl->lastMouse;
                SendMessage(WM_MOUSEHOVER, CInputState::MkFlags(), MakePointLParam(p.x(), p.y()));
            });
        }
        const int ms = hoverTime == HOVER_DEFAULT ? 400 : static_cast<int>(hoverTime);
        m_impl->hoverTimer->start(std::max(1, ms));
    }
    return TRUE;
}

BOOL CWnd::HideCaret() {
    if (!qobject_cast<QLineEdit*>(m_widget))
        return FALSE;
    m_impl->caretHidden = true;
    m_widget->update();
    return TRUE;
}

BOOL CWnd::ShowCaret() {
    if (!qobject_cast<QLineEdit*>(m_widget))
        return FALSE;
    m_impl->caretHidden = false;
    m_widget->update();
    return TRUE;
}

bool CWnd::CaretHidden() const {
    return m_impl->caretHidden;
}

LRESULT CWnd::NotifyParent(UINT code) {
    CWnd* parent = GetParent();
    if (!parent || !m_hWnd)
        return 0;
    return parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(m_id), static_cast<WORD>(code)),
                               reinterpret_cast<LPARAM>(m_hWnd));
}

HBRUSH CWnd::SendCtlColor(CDC* dc, UINT message) {
    CWnd* parent = GetParent();
    CWnd* to = parent ? parent : this;
    auto brush = reinterpret_cast<HBRUSH>(
        to->SendMessage(message, reinterpret_cast<WPARAM>(dc ? dc->GetSafeHdc() : nullptr),
                        reinterpret_cast<LPARAM>(m_hWnd)));
    if (!brush) {
        const bool window = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
        if (dc) {
            dc->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
            dc->SetBkColor(GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
        }
        brush = GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE);
    }
    return brush;
}

void CWnd::RepaintParentArea() {
    CWnd* parent = GetParent();
    if (!parent || !m_widget) {
        Invalidate(TRUE);
        return;
    }
    CRect rc;
    GetWindowRect(&rc);
    parent->ScreenToClient(&rc);
    parent->InvalidateRect(&rc, TRUE);
}

// --- dialog helpers -------------------------------------------------------------------------

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return dx.m_failed ? FALSE : TRUE;
}

void CWnd::CheckDlgButton(int id, UINT check) {
    SendDlgItemMessage(id, BM_SETCHECK, check, 0);
}

UINT CWnd::IsDlgButtonChecked(int id) const {
    return static_cast<UINT>(const_cast<CWnd*>(this)->SendDlgItemMessage(id, BM_GETCHECK, 0, 0));
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId) {
    for (int id = firstId; id <= lastId; ++id)
        CheckDlgButton(id, id == checkId ? BST_CHECKED : BST_UNCHECKED);
}

// --- default handlers -----------------------------------------------------------------------

int CWnd::OnCreate(LPCREATESTRUCT) {
    return static_cast<int>(Default());
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnNcDestroy() {
    Default();
}
void CWnd::OnClose() {
    Default();
}
void CWnd::OnPaint() {
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnSize(UINT, int, int) {
    Default();
}
void CWnd::OnMove(int, int) {
    Default();
}
void CWnd::OnShowWindow(BOOL, UINT) {
    Default();
}
void CWnd::OnEnable(BOOL) {
    Default();
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnMButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnMButtonUp(UINT, CPoint) {
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnMouseHover(UINT, CPoint) {
    Default();
}
void CWnd::OnMouseLeave() {
    Default();
}
void CWnd::OnCaptureChanged(CWnd*) {
    Default();
}
void CWnd::OnCancelMode() {
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSysKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSetFocus(CWnd*) {
    Default();
}
void CWnd::OnKillFocus(CWnd*) {
    Default();
}
UINT CWnd::OnGetDlgCode() {
    return static_cast<UINT>(Default());
}

HBRUSH CWnd::OnCtlColor(CDC* dc, CWnd* wnd, UINT) {
    // The control may answer for itself (reflection); otherwise the default colours.
    const MSG* m = GetCurrentMessage();
    if (wnd && wnd != this && m) {
        LRESULT r = 0;
        if (wnd->OnChildNotify(m->message, reinterpret_cast<WPARAM>(dc ? dc->GetSafeHdc() : nullptr),
                               reinterpret_cast<LPARAM>(wnd->m_hWnd), &r))
            return reinterpret_cast<HBRUSH>(r);
    }
    return reinterpret_cast<HBRUSH>(Default());
}

BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) {
    return static_cast<BOOL>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT dis) {
    if (dis)
        if (CWnd* child = FromHandle(dis->hwndItem); child && child != this) {
            LRESULT r = 0;
            if (child->OnChildNotify(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(dis), &r))
                return;
        }
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT mis) {
    if (mis)
        for (CWnd* child : Children())
            if (child->GetDlgCtrlID() == static_cast<int>(mis->CtlID)) {
                LRESULT r = 0;
                if (child->OnChildNotify(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(mis), &r))
                    return;
            }
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CWnd*) {
    Default();
}
void CWnd::OnVScroll(UINT, UINT, CWnd*) {
    Default();
}

// --- process-level functions ----------------------------------------------------------------

CWnd* AfxGetMainWnd() {
    return g_mainWnd;
}

void AfxSetMainWnd(CWnd* wnd) {
    g_mainWnd = wnd;
}

HINSTANCE AfxGetResourceHandle() {
    static int token;
    return reinterpret_cast<HINSTANCE>(&token);
}

HINSTANCE AfxGetInstanceHandle() {
    return AfxGetResourceHandle();
}

BOOL EnableWindow(HWND hWnd, BOOL enable) {
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->EnableWindow(enable) : FALSE;
}

BOOL IsWindowVisible(HWND hWnd) {
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->IsWindowVisible() : FALSE;
}

BOOL IsWindowEnabled(HWND hWnd) {
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->IsWindowEnabled() : FALSE;
}

BOOL InvalidateRect(HWND hWnd, LPCRECT rect, BOOL erase) {
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w)
        return FALSE;
    w->InvalidateRect(rect, erase);
    return TRUE;
}

BOOL UpdateWindow(HWND hWnd) {
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w)
        return FALSE;
    w->UpdateWindow();
    return TRUE;
}

BOOL ShowWindow(HWND hWnd, int command) {
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->ShowWindow(command) : FALSE;
}

BOOL DestroyWindow(HWND hWnd) {
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->DestroyWindow() : FALSE;
}

HWND GetParent(HWND hWnd) {
    CWnd* w = CWnd::FromHandle(hWnd);
    CWnd* p = w ? w->GetParent() : nullptr;
    return p ? p->m_hWnd : nullptr;
}

int GetDlgCtrlID(HWND hWnd) {
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->GetDlgCtrlID() : 0;
}

HWND GetDlgItem(HWND hDlg, int id) {
    CWnd* w = CWnd::FromHandle(hDlg);
    CWnd* item = w ? w->GetDlgItem(id) : nullptr;
    return item ? item->m_hWnd : nullptr;
}

BOOL MessageBeep(UINT) {
    QApplication::beep();
    return TRUE;
}
