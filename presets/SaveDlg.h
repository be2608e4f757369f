// The name entry of the machine-preset dialog (666): the number of the preset and one edit of
// at most 13 single-byte characters. OK leaves the typed text in m_strName.
#pragma once

#include "controls/ChEnEdit.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Static.h"

class CSaveDlg : public CDialog {
public:
    enum : int { IDC_LABEL = 2725, IDC_NAME = 2726 };
    static constexpr int kMaxNameChars = 13;

    // m_strName is the text the edit starts with.
    explicit CSaveDlg(int preset, CWnd* parent = nullptr);
    ~CSaveDlg() override = default;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

    int m_nPreset;
    CString m_strName;
    CString m_strLabel;
    CChEnEdit m_editName;
    CStatic m_label;

private:
    CBrush m_brush;
};
