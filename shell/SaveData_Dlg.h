// The save-before-exit question (dialog 719): Yes 6, No 7, Cancel (Escape, close) 2.
#pragma once

#include "platform/ui/Brush.h"
#include "platform/ui/Dialog.h"

constexpr UINT IDD_SAVE_DATA = 719;

class CSaveData_Dlg : public CDialog {
public:
    enum : int { IDC_NO = 2790, IDC_TEXT = 2774 };
    enum : int { RESULT_YES = 6, RESULT_NO = 7, RESULT_CANCEL = 2 };

    explicit CSaveData_Dlg(CWnd* parent = nullptr);
    ~CSaveData_Dlg() override = default;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnNoButton();
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

    // What the user chose; read by the opener after the dialog ended.
    int m_nResult = RESULT_CANCEL;

protected:
    DECLARE_MESSAGE_MAP()

private:
    CBrush m_brush;
};
