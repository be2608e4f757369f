#include "shell/MessageBoxDlg.h"

#include "model/Globals.h"
#include "platform/ui/DC.h"
#include "shell/ShellDialogLayouts.h"

#include <climits>
#include <utility>

namespace {

MessageBoxAnswer& Answer() {
    static MessageBoxAnswer answer;
    return answer;
}

// The type the tables know; boxes with icon bits are the framework's own and keep the template.
UINT TableType(UINT type) {
    if (type & MB_ICONMASK)
        return 0xFF;
    return type & MB_TYPEMASK;
}

} // namespace

void SetMessageBoxAnswer(MessageBoxAnswer answer) {
    Answer() = std::move(answer);
}

CMessageBoxDlg::CMessageBoxDlg(LPCTSTR text, UINT type, LPCTSTR caption, int code, CWnd* parent)
    : CDialog(IDD_MESSAGE_BOX, parent), m_strText(text ? text : ""), m_nType(type),
      m_strCaption(caption ? caption : ""), m_nCode(code) {
    RegisterShellDialogLayouts();
    m_brush.CreateSolidBrush(g_clrBrushDlg);
}

CMessageBoxDlg::CMessageBoxDlg(CWnd* parent) : CDialog(IDD_MESSAGE_BOX, parent), m_strCaption(g_strProduct) {
    RegisterShellDialogLayouts();
    m_brush.CreateSolidBrush(g_clrBrushDlg);
}

void CMessageBoxDlg::SetMessage(LPCTSTR text, UINT type, int code) {
    m_strText = text ? text : "";
    m_nType = type;
    m_nCode = code;
    m_strCaption = g_strProduct;
}

CString CMessageBoxDlg::CaptionForCode(int code, const CString& given) {
    switch (code) {
    case 2000:
        return LangText(g_strPrompt, g_strPromptCn);
    case 2001:
        return LangText(g_strWarning, g_strWarningCn);
    case -2:
        return g_strPromptCn;
    case -3:
        return g_strPrompt;
    case -4:
        return g_strWarningCn;
    case -5:
        return g_strWarning;
    default:
        return given;
    }
}

UINT CMessageBoxDlg::TimeoutForCode(int code) {
    // A negative code taken as unsigned would be weeks: those boxes wait for the user.
    return code >= 1 ? static_cast<UINT>(code) : 0;
}

int CMessageBoxDlg::ResultFor(UINT type, Ending ending) {
    switch (TableType(type)) {
    case MB_OK:
        return IDOK;
    case MB_OKCANCEL:
        return ending == Ending::OkButton ? IDOK : IDCANCEL;
    case MB_YESNO:
        return ending == Ending::OkButton ? IDYES : IDNO;
    case MB_QUIT_ONLY:
        // Its OK button is hidden, but Enter still issues it: that is a Quit too.
        return IDCANCEL;
    default:
        return ending == Ending::Cancel ? IDCANCEL : IDOK;
    }
}

int CMessageBoxDlg::SingleButtonId(UINT type) {
    switch (TableType(type)) {
    case MB_OK:
        return IDOK;
    case MB_QUIT_ONLY:
        return IDCANCEL;
    default:
        return 0;
    }
}

BOOL CMessageBoxDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (CWnd* text = GetDlgItem(IDC_TEXT)) {
        text->ModifyStyle(SS_RIGHT, SS_CENTER);
        text->SetWindowText(m_strText);
    }
    SetWindowText(CaptionForCode(m_nCode, m_strCaption));
    if (const UINT ms = TimeoutForCode(m_nCode))
        SetTimer(TIMER_MESSAGE_BOX, ms);
    SetButtonTexts();
    ArrangeButtons();
    return TRUE;
}

void CMessageBoxDlg::SetButtonTexts() {
    CWnd* ok = GetDlgItem(IDOK);
    CWnd* cancel = GetDlgItem(IDCANCEL);
    if (!ok || !cancel)
        return;
    switch (TableType(m_nType)) {
    case MB_OK:
        ok->SetWindowText(LangText("OK", "确定"));
        break;
    case MB_OKCANCEL:
        ok->SetWindowText(LangText("OK", "确定"));
        cancel->SetWindowText(LangText("Cancel", "取消"));
        break;
    case MB_YESNO:
        ok->SetWindowText(LangText("YES", "是"));
        cancel->SetWindowText(LangText("NO", "否"));
        break;
    case MB_QUIT_ONLY:
        cancel->SetWindowText(LangText("Quit", "退出"));
        break;
    default:
        break;
    }
}

void CMessageBoxDlg::ArrangeButtons() {
    CWnd* ok = GetDlgItem(IDOK);
    CWnd* cancel = GetDlgItem(IDCANCEL);
    if (!ok || !cancel)
        return;
    ok->GetWindowRect(&m_rcOk);
    ScreenToClient(&m_rcOk);
    cancel->GetWindowRect(&m_rcCancel);
    ScreenToClient(&m_rcCancel);
    const int single = SingleButtonId(m_nType);
    if (!single)
        return;
    CWnd* shown = single == IDOK ? ok : cancel;
    CWnd* hidden = single == IDOK ? cancel : ok;
    const CRect& rc = single == IDOK ? m_rcOk : m_rcCancel;
    hidden->ShowWindow(SW_HIDE);
    CRect client;
    GetClientRect(&client);
    const int x = (client.Width() - rc.Width()) / 2;
    shown->MoveWindow(x, rc.top, rc.Width(), rc.Height());
    SetDefID(static_cast<UINT>(single));
}

void CMessageBoxDlg::OnOK() {
    m_nResult = ResultFor(m_nType, Ending::OkButton);
    KillTimer(TIMER_MESSAGE_BOX);
    EndDialog(m_nResult);
}

void CMessageBoxDlg::OnCancel() {
    m_nResult = ResultFor(m_nType, Ending::Cancel);
    KillTimer(TIMER_MESSAGE_BOX);
    EndDialog(m_nResult);
}

void CMessageBoxDlg::OnTimer(UINT_PTR id) {
    if (id != TIMER_MESSAGE_BOX) {
        CDialog::OnTimer(id);
        return;
    }
    KillTimer(TIMER_MESSAGE_BOX);
    m_nResult = ResultFor(m_nType, Ending::TimeOut);
    EndDialog(m_nResult);
}

HBRUSH CMessageBoxDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor == CTLCOLOR_DLG || ctlColor == CTLCOLOR_STATIC) {
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}

int CMessageBoxDlg::Show() {
    if (Answer())
        return Answer()(m_strText, m_nType, m_nCode);
    if (DoModal() < 0)
        m_nResult = ResultFor(m_nType, Ending::Cancel);
    return m_nResult;
}

int ShowMessageBox(const CString& text, UINT type, int code, CWnd* owner) {
    CMessageBoxDlg box(text, type, g_strProduct, code, owner);
    return box.Show();
}

int ShowTimedMessageBox(CWnd* owner, LPCTSTR text, LPCTSTR /*caption*/, UINT type, int /*language*/,
                        int timeout) {
    return ShowMessageBox(text ? text : "", type, timeout, owner);
}
