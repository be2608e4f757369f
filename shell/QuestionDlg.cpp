#include "shell/QuestionDlg.h"

#include "shell/LinkDialogLayouts.h"

CQuestionDlg::CQuestionDlg(const char* text, const char* caption, CWnd* parent)
    : CDialog(IDD_QUESTION, parent), m_strText(text ? text : ""), m_strCaption(caption ? caption : "") {
    RegisterLinkDialogLayouts();
}

BOOL CQuestionDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_TEXT, m_strText);
    if (!m_strCaption.IsEmpty())
        SetWindowText(m_strCaption);
    return TRUE;
}

BOOL CQuestionDlg::Ask(const char* text, const char* caption, CWnd* parent) {
    CQuestionDlg dlg(text, caption, parent);
    return dlg.DoModal() == IDOK;
}
