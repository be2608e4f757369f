// The access-code prompt of the hidden settings popup: a 6-byte code, OK or Cancel.
#pragma once

#include "platform/ui/Brush.h"
#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Static.h"

class CDataLockHost;

constexpr UINT IDD_PASSWORD = 876;

class CPasswordDlg : public CDialog {
public:
    enum : int {
        IDC_LABEL = 2856,
        IDC_PASSWORD = 2855,
    };

    // host shows the wrong-length message; may be null.
    explicit CPasswordDlg(CDataLockHost* host = nullptr, CWnd* parent = nullptr);
    ~CPasswordDlg() override = default;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // Six GBK bytes close the prompt with OK; any other length keeps it open, emptied.
    void OnOK() override;
    void OnCancel() override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

    CString m_strEntry;
    BOOL m_bEntered = FALSE;
    BOOL m_bCancelled = FALSE;
    CEdit m_editPassword;
    CButton m_btnOk;
    CButton m_btnCancel;
    CStatic m_label;

private:
    CDataLockHost* m_pHost;
    CBrush m_brush;
};
