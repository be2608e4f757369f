// The left/right link question (dialog 369): which side is copied onto the other before the pairs
// are linked. The output page's link button runs it.
#pragma once

#include "controls/ButtonRadio.h"
#include "controls/TransparentStatic.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Dialog.h"

constexpr UINT IDD_ALL_LINK = 369;

class CAll_Link_Dlg : public CDialog {
public:
    enum : int { IDC_TEXT = 2754, IDC_LEFT_TO_RIGHT = 2251, IDC_RIGHT_TO_LEFT = 2252 };

    explicit CAll_Link_Dlg(CWnd* parent = nullptr);
    ~CAll_Link_Dlg() override = default;

    BOOL OnInitDialog() override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

    // 0 copies left to right, 1 right to left.
    int m_nDirection = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnRadio();
    DECLARE_MESSAGE_MAP()

private:
    CTransparentStatic m_text;
    CButtonRadio m_radio[2];
    CBrush m_brush;
};
