// The factory-reset confirmation (dialog 834): a red warning and one line; only OK lets the
// reset go on.
#pragma once

#include "controls/TransparentStatic.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Font.h"

constexpr UINT IDD_INIT = 834;

class CInitDlg : public CDialog {
public:
    enum : int { IDC_WARNING = 2843, IDC_TEXT = 2844 };

    explicit CInitDlg(CWnd* parent = nullptr);
    ~CInitDlg() override = default;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

    CTransparentStatic m_warning;

private:
    CBrush m_brush;
    CFont m_fontWarning;
    CFont m_fontDialog;
};
