// The channel-pair link question (dialog 370): which channel of a pair (CH1/CH2, CH3/CH4 or
// CH5/CH6) is applied to the other. Nothing in the program opens it.
#pragma once

#include "controls/ButtonRadio.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Dialog.h"

constexpr UINT IDD_CH_LINK = 370;

class CCH_Link_Dlg : public CDialog {
public:
    enum : int { IDC_FIRST = 2259, IDC_SECOND = 2258 };

    explicit CCH_Link_Dlg(CWnd* parent = nullptr);
    ~CCH_Link_Dlg() override = default;

    BOOL OnInitDialog() override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

    // 0: the pair's first channel is applied, 1: the second.
    int m_nChoice = 0;
    // The pair: 0 CH1/CH2, 1 CH3/CH4, 2 CH5/CH6.
    int m_nPair = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnRadio();
    DECLARE_MESSAGE_MAP()

private:
    CButtonRadio m_radio[2];
    CBrush m_brush;
};
