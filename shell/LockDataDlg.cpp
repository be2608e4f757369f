#include "shell/LockDataDlg.h"

#include "model/Globals.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/WinUser.h"
#include "shell/LinkDialogLayouts.h"
#include "platform/core/Time.h"

CLockDataDlg* g_pMonitorDlg = nullptr;
CWnd* g_pMonitorEdit1 = nullptr;
CWnd* g_pMonitorEdit2 = nullptr;

BEGIN_MESSAGE_MAP(CLockDataDlg, CDialog)
ON_BN_CLICKED(CLockDataDlg::IDC_CLEAR, &CLockDataDlg::OnClear)
END_MESSAGE_MAP()

CLockDataDlg::CLockDataDlg(CWnd* parent) : CDialog(IDD_LOCK_DATA, parent) {
    RegisterLinkDialogLayouts();
}

void CLockDataDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_WRITTEN, m_editWritten);
    DDX_Control(dx, IDC_READ, m_editRead);
}

BOOL CLockDataDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    g_pMonitorEdit1 = GetDlgItem(IDC_SMALL1);
    g_pMonitorEdit2 = GetDlgItem(IDC_SMALL2);
    return TRUE;
}

void CLockDataDlg::OnClear() {
    m_editWritten.SetWindowText("");
    m_editRead.SetWindowText("");
}

void CLockDataDlg::ShowMonitor() {
    OnClear();
    ShowWindow(SW_SHOW);
}

CString CLockDataDlg::ComposeAppend(const CString& log, const CString& text, BOOL bStamp, BOOL bNewLine,
                                    LONGLONG counter) {
    CString out = log;
    out += text;
    if (bStamp == 1) {
        out += " (";
        out += FormatElapsedSeconds(counter);
        out += ")";
    }
    if (bNewLine == 1)
        out += "\r\n";
    return out;
}

void CLockDataDlg::Append(CEdit& edit, const CString& text, BOOL bStamp, BOOL bNewLine) {
    CString log;
    edit.GetWindowText(log);
    LARGE_INTEGER now{};
    if (bStamp == 1)
        QueryPerformanceCounter(&now);
    const CString composed = ComposeAppend(log, text, bStamp, bNewLine, now.QuadPart);
    edit.SetWindowText(composed);
    // Scroll down by the line count, so the last line is the one in view.
    edit.LineScroll(edit.GetLineCount());
}

void CLockDataDlg::AppendWritten(const CString& text, BOOL bStamp, BOOL bNewLine) {
    Append(m_editWritten, text, bStamp, bNewLine);
}

void CLockDataDlg::AppendRead(const CString& text, BOOL bStamp, BOOL bNewLine) {
    Append(m_editRead, text, bStamp, bNewLine);
}
