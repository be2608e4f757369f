#include "platform/ui/Dialog.h"

#include "platform/ui/Brush.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Font.h"
#include "platform/ui/InputState.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/ProgressCtrl.h"
#include "platform/ui/ResourceLoader.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "platform/ui/Static.h"
#include "platform/ui/TabCtrl.h"
#include "res/ResourceTable.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstring>
#include <map>
#include <string>
#include <vector>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

struct CDialog::Loop {
    QEventLoop loop;
};

namespace {
std::function<void(CDialog&)>& ModalHook() {
    static std::function<void(CDialog&)> hook;
    return hook;
}

// The modal dialogs running now, the innermost last.
std::vector<CDialog*>& RunningModals() {
    static std::vector<CDialog*> running;
    return running;
}

std::map<std::string, CDialog::ControlFactory>& Factories() {
    static std::map<std::string, CDialog::ControlFactory> f = {
        {"Button", [] { return static_cast<CWnd*>(new CButton); }},
        {"Static", [] { return static_cast<CWnd*>(new CStatic); }},
        {"Edit", [] { return static_cast<CWnd*>(new CEdit); }},
        {"ListBox", [] { return static_cast<CWnd*>(new CListBox); }},
        {"UpDown", [] { return static_cast<CWnd*>(new CSpinButtonCtrl); }},
        {"msctls_updown32", [] { return static_cast<CWnd*>(new CSpinButtonCtrl); }},
        {"Progress", [] { return static_cast<CWnd*>(new CProgressCtrl); }},
        {"msctls_progress32", [] { return static_cast<CWnd*>(new CProgressCtrl); }},
        {"ComboBox", [] { return static_cast<CWnd*>(new CComboBox); }},
        {"Tab", [] { return static_cast<CWnd*>(new CTabCtrl); }},
        {"SysTabControl32", [] { return static_cast<CWnd*>(new CTabCtrl); }},
        {"ListView", [] { return static_cast<CWnd*>(new CListCtrl); }},
        {"SysListView32", [] { return static_cast<CWnd*>(new CListCtrl); }},
    };
    return f;
}

// Button kinds the dialog manager clicks with Enter.
bool IsPushButton(CWnd* w) {
    auto* b = dynamic_cast<CButton*>(w);
    if (!b)
        return false;
    const UINT t = b->ButtonType();
    return t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON || t == BS_OWNERDRAW;
}
} // namespace

void CDialog::SetModalHook(std::function<void(CDialog&)> hook) {
    ModalHook() = std::move(hook);
}

void CDialog::RegisterControlClass(const char* className, ControlFactory make) {
    if (className && make)
        Factories()[className] = make;
}

CDialog::CDialog() = default;

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

CWnd* CDialog::ModalOwnerFor(CWnd* parent) {
    const auto& running = RunningModals();
    CWnd* owner = parent ? parent->GetTopLevelParent() : nullptr;
    if (owner && !owner->m_hWnd)
        owner = nullptr;
    // Without an owner of its own a dialog belongs to the innermost one running, else to the main
    // window; an owner that a running dialog holds disabled hands it on to that dialog, so nothing
    // below the new one takes input.
    if (!owner || (!owner->IsWindowEnabled() && !running.empty()))
        owner = running.empty() ? AfxGetMainWnd() : running.back();
    return owner && owner->m_hWnd ? owner : nullptr;
}

CDialog* CDialog::InnermostModal() {
    const auto& running = RunningModals();
    return running.empty() ? nullptr : running.back();
}

CDialog::~CDialog() {
    std::erase(RunningModals(), this);
    if (m_loop)
        m_loop->loop.exit(IDABORT);
    // The controls die with the dialog's widget; destroy it while this object is still whole.
    DestroyWindow();
}

BOOL CDialog::CreateFromTable(CWnd* parent, bool modal) {
    const res::DialogSpec* spec = res::FindDialog(m_templateId);
    if (!spec || m_hWnd)
        return FALSE;
    DWORD style = spec->style & ~WS_VISIBLE;
    if (modal)
        style = (style & ~WS_CHILD) | WS_POPUP;
    const bool child = style & WS_CHILD;
    if (child && !parent)
        return FALSE;
    if (!child && !(style & WS_POPUP))
        style |= WS_POPUP;
    m_font = std::make_unique<CFont>();
    m_font->CreateFont(spec->fontHeight ? spec->fontHeight : -11, 0, 0, 0, FW_NORMAL, 0, 0, 0,
                       DEFAULT_CHARSET, 0, 0, 0, 0,
                       spec->fontFace && *spec->fontFace ? spec->fontFace : "MS Sans Serif");
    m_hFont = m_font->m_hObject;
    const CRect rc(0, 0, spec->width, spec->height);
    const char* caption = ResourceLoader::Pick(spec->captionEn, spec->captionZh);
    if (!CreateEx(spec->exStyle, "#32770", caption, style, rc, parent, child ? m_templateId : 0))
        return FALSE;
    if (modal)
        DisableOwner(parent);
    SetFont(m_font.get(), FALSE);
    for (const res::DialogItemSpec& item : spec->items) {
        const std::string cls = item.className ? item.className : "";
        auto it = Factories().find(cls);
        std::unique_ptr<CWnd> w(it != Factories().end() ? it->second() : new CWnd);
        const DWORD itemStyle = item.style | WS_CHILD;
        const CRect r(item.x, item.y, item.x + item.width, item.y + item.height);
        if (!w->CreateEx(item.exStyle, cls.c_str(), ResourceLoader::Pick(item.en, item.zh),
                         itemStyle & ~WS_VISIBLE, r, this, static_cast<UINT>(item.id)))
            continue;
        w->SetFont(m_font.get(), FALSE);
        if (itemStyle & WS_VISIBLE)
            w->ShowWindow(SW_SHOWNA);
        m_templateItems.push_back(std::move(w));
    }
    for (CWnd* c : Children())
        if (auto* b = dynamic_cast<CButton*>(c); b && b->ButtonType() == BS_DEFPUSHBUTTON) {
            m_defId = static_cast<UINT>(b->GetDlgCtrlID());
            break;
        }
    if (!child)
        CenterWindow(parent);
    const BOOL focusFirst = static_cast<BOOL>(SendMessage(WM_INITDIALOG, 0, 0));
    if (!m_hWnd)
        return FALSE;
    if (spec->style & WS_VISIBLE || modal)
        ShowWindow(SW_SHOW);
    // A modal dialog takes the keyboard at once, in the control its initialisation chose.
    if (modal && m_widget && m_widget->isVisible() && !m_widget->isActiveWindow()) {
        m_widget->activateWindow();
        if (!m_widget->isActiveWindow())
            QApplication::setActiveWindow(m_widget);
    }
    if (focusFirst && IsWindowVisible())
        if (CWnd* first = GetNextDlgTabItem(nullptr))
            GotoDlgCtrl(first);
    return TRUE;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_templateId = templateId;
    if (parent)
        m_pParentWnd = parent;
    m_modal = false;
    return CreateFromTable(m_pParentWnd, false);
}

void CDialog::DisableOwner(CWnd* owner) {
    // Before the controls and the initial focus: disabling the owner later would take the focus
    // the dialog gave itself.
    m_ownerDisabled = owner && owner->IsWindowEnabled();
    if (m_ownerDisabled)
        owner->EnableWindow(FALSE);
    if (m_widget) {
        if (owner)
            m_widget->setWindowModality(Qt::WindowModal);
        // The toolkit disables an owner's windows with it; the dialog itself stays usable.
        if (!(m_style & WS_DISABLED))
            m_widget->setEnabled(true);
    }
}

INT_PTR CDialog::DoModal() {
    CWnd* owner = ModalOwnerFor(m_pParentWnd);
    const HWND ownerHandle = owner ? owner->m_hWnd : nullptr;
    CWnd* focus = GetFocus();
    const HWND focusBefore = focus ? focus->m_hWnd : nullptr;
    m_modal = true;
    m_ending = false;
    m_ownerDisabled = false;
    m_result = IDCANCEL;
    m_loop = std::make_unique<Loop>();
    const CInputState::ModalLoop pointerTaken;
    RunningModals().push_back(this);
    const BOOL created = CreateFromTable(owner, true);
    if (created && !m_ending) {
        if (ModalHook()) {
            QPointer<QWidget> alive(m_widget);
            QTimer::singleShot(0, m_widget, [this, alive] {
                if (alive && m_modal && !m_ending)
                    ModalHook()(*this);
            });
        }
        m_loop->loop.exec();
    }
    std::erase(RunningModals(), this);
    // The owner may have gone while the dialog ran (handles are never reused).
    owner = CWnd::FromHandle(ownerHandle);
    if (owner && m_ownerDisabled)
        owner->EnableWindow(TRUE);
    m_ownerDisabled = false;
    DestroyWindow();
    m_loop.reset();
    m_modal = false;
    ReturnFocus(owner, focusBefore);
    return created ? m_result : -1;
}

void CDialog::ReturnFocus(CWnd* owner, HWND focusBefore) {
    // Back to a dialog still running under this one, else to the owner and its focused control.
    CWnd* next = InnermostModal();
    if (!next)
        next = owner;
    if (!next || !next->m_hWnd || !next->IsWindowVisible() || !next->IsWindowEnabled())
        return;
    next->Widget()->raise();
    CWnd* before = CWnd::FromHandle(focusBefore);
    if (before && before->m_hWnd && before->GetTopLevelParent() == next && before->IsWindowVisible() &&
        before->Widget()->isEnabled())
        before->SetFocus();
    else
        next->SetActiveWindow();
}

void CDialog::EndDialog(int result) {
    m_result = result;
    if (m_modal) {
        m_ending = true;
        // Gone from the screen at once, even while a dialog above it still runs its own loop.
        if (m_widget)
            m_widget->hide();
        if (m_loop)
            m_loop->loop.quit();
        return;
    }
    ShowWindow(SW_HIDE);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::OnClose() {
    // Closing a dialog is its Cancel.
    SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void CDialog::GotoDlgCtrl(CWnd* control) {
    if (!control)
        return;
    control->SetFocus();
    if (auto* edit = dynamic_cast<CEdit*>(control))
        edit->SetSel(0, -1);
}

void CDialog::NextDlgCtrl() {
    GotoDlgCtrl(GetNextDlgTabItem(GetFocus(), FALSE));
}

void CDialog::PrevDlgCtrl() {
    GotoDlgCtrl(GetNextDlgTabItem(GetFocus(), TRUE));
}

void CDialog::SetDefID(UINT id) {
    SendMessage(DM_SETDEFID, id);
}

DWORD CDialog::GetDefID() const {
    return static_cast<DWORD>(const_cast<CDialog*>(this)->SendMessage(DM_GETDEFID));
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    const UINT id = LOWORD(wParam), code = HIWORD(wParam);
    if (code != BN_CLICKED)
        return FALSE;
    if (id == IDOK) {
        OnOK();
        return TRUE;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case DM_GETDEFID:
        return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(m_defId), DC_HASDEFID));
    case DM_SETDEFID:
        m_defId = static_cast<UINT>(wParam);
        return TRUE;
    case WM_ERASEBKGND: {
        CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        if (!dc)
            return 0;
        auto brush =
            reinterpret_cast<HBRUSH>(SendMessage(WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(m_hWnd)));
        if (!brush)
            brush = GetSysColorBrush(COLOR_BTNFACE);
        CRect rc;
        GetClientRect(&rc);
        dc->FillRect(&rc, CBrush::FromHandle(brush));
        return 1;
    }
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (!msg || msg->message != WM_KEYDOWN || !m_hWnd)
        return FALSE;
    const UINT vk = static_cast<UINT>(msg->wParam);
    if (vk != VK_RETURN && vk != VK_ESCAPE && vk != VK_TAB)
        return FALSE;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return FALSE;
    CWnd* focus = CWnd::FromHandle(msg->hwnd);
    if (!focus || (focus != this && !IsChild(focus)))
        return FALSE;
    const LRESULT code = focus->SendMessage(WM_GETDLGCODE, vk, reinterpret_cast<LPARAM>(msg));
    if (code & DLGC_WANTALLKEYS)
        return FALSE;
    switch (vk) {
    case VK_TAB:
        if (code & DLGC_WANTTAB)
            return FALSE;
        if (GetKeyState(VK_SHIFT) < 0)
            PrevDlgCtrl();
        else
            NextDlgCtrl();
        return TRUE;
    case VK_ESCAPE: {
        CWnd* cancel = GetDlgItem(IDCANCEL);
        if (cancel && !cancel->IsWindowEnabled())
            return TRUE;
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                    reinterpret_cast<LPARAM>(cancel ? cancel->m_hWnd : nullptr));
        return TRUE;
    }
    case VK_RETURN: {
        if (focus != this && IsPushButton(focus)) {
            SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(focus->GetDlgCtrlID()), BN_CLICKED),
                        reinterpret_cast<LPARAM>(focus->m_hWnd));
            return TRUE;
        }
        const UINT id = LOWORD(GetDefID());
        CWnd* def = GetDlgItem(static_cast<int>(id));
        if (def && !def->IsWindowEnabled())
            return TRUE;
        SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                    reinterpret_cast<LPARAM>(def ? def->m_hWnd : nullptr));
        return TRUE;
    }
    default:
        return FALSE;
    }
}
