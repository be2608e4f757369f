// A small modal Yes/No question in the program's look, for the questions of the link's dialogs.
#pragma once

#include "platform/ui/Dialog.h"

constexpr UINT IDD_QUESTION = 271;

class CQuestionDlg : public CDialog {
public:
    enum : int { IDC_TEXT = 1001 };

    CQuestionDlg(const char* text, const char* caption, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    // TRUE when the answer was Yes.
    static BOOL Ask(const char* text, const char* caption, CWnd* parent);

private:
    CString m_strText;
    CString m_strCaption;
};
