// The lock's password prompt. Mode 0 asks for a new password (OK, Cancel); mode 1 asks for the
// password of locked data (Unlock, reset), and its second button, pressed while the data are
// locked and the prompt came from the lock button, asks to clear the locked data instead.
#pragma once

#include "platform/ui/Brush.h"
#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Static.h"
#include "shell/DataLockHost.h"

constexpr UINT IDD_UNLOCK = 777;

class CUnlockDlg : public CDialog {
public:
    enum : int {
        IDC_PASSWORD = 2831,
        IDC_RESET = 2832,
        IDC_LABEL = 2834,
    };

    // host shows the wrong-length message; may be null.
    explicit CUnlockDlg(int mode, CDataLockHost* host = nullptr, CWnd* parent = nullptr);
    ~CUnlockDlg() override = default;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // Six GBK bytes close the prompt with OK; any other length keeps it open, emptied.
    void OnOK() override;
    void OnResetButton();
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

    // How the prompt ended (after it closed).
    UnlockPromptResult GetResult() const;

    int m_nMode;
    CString m_strEntry;
    BOOL m_bEntered = FALSE;
    BOOL m_bResetChosen = FALSE;
    CEdit m_editPassword;
    CButton m_btnOk;
    CButton m_btnSecond;
    CStatic m_label;

protected:
    DECLARE_MESSAGE_MAP()

private:
    CDataLockHost* m_pHost;
    CBrush m_brush;
};
