// A warning with one Quit button (dialog 676); nothing in the program constructs it.
#pragma once

#include "platform/ui/Brush.h"
#include "platform/ui/Dialog.h"

constexpr UINT IDD_WARN = 676;

class CWarnDlg : public CDialog {
public:
    enum : int { IDC_MESSAGE = 2753 };

    explicit CWarnDlg(const CString& message, CWnd* parent = nullptr);
    ~CWarnDlg() override = default;

    BOOL OnInitDialog() override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

    CString m_strMessage;

private:
    CBrush m_brush;
};
