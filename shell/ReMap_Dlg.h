// The output-map reset question (dialog 711): Emptied 1, Default 2, Cancel (Escape, close) 0.
// The output page applies the answer.
#pragma once

#include "platform/ui/Brush.h"
#include "platform/ui/Dialog.h"

constexpr UINT IDD_REMAP = 711;

class CReMap_Dlg : public CDialog {
public:
    enum : int { IDC_DEFAULT = 2768, IDC_TEXT = 2769 };
    enum : int { RESULT_EMPTIED = 1, RESULT_DEFAULT = 2, RESULT_CANCEL = 0 };

    explicit CReMap_Dlg(CWnd* parent = nullptr);
    ~CReMap_Dlg() override = default;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnDefaultButton();
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

    // What the user chose; read by the opener after the dialog ended.
    int m_nResult = RESULT_CANCEL;

protected:
    DECLARE_MESSAGE_MAP()

private:
    CBrush m_brush;
};
