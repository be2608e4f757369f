// The link selection dialog: USB, WIFI or COM (with its port), stored in g_nLinkState on OK. It
// connects nothing; no window of the program opens it.
#pragma once

#include "controls/ButtonRadio.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"

#include <string>
#include <vector>

struct ComPortInfo;

constexpr UINT IDD_CONNECT = 144;

class CConnectDlg : public CDialog {
public:
    enum : int {
        IDC_PORT = 1896,
        IDC_RADIO_USB = 1798,
        IDC_RADIO_WIFI = 1799,
        IDC_RADIO_COM = 1888,
    };

    explicit CConnectDlg(CWnd* parent = nullptr);
    ~CConnectDlg() override = default;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void OnRadioUsb();
    void OnRadioWifi();
    void OnRadioCom();
    void OnPortChanged();
    CString GetComPort() const { return m_strComPort; }
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

    // The port list from a port enumeration: the items and the one selected, by the rules of the
    // dialog (a saved name the item begins with, else the first USB adapter, else the first).
    static void ChoosePort(const std::vector<ComPortInfo>& ports, CString* saved, std::vector<CString>* items,
                           int* selected);
    // The ports the dialog lists; tests replace it.
    virtual std::vector<ComPortInfo> ListPorts();

    CComboBox m_comboPort;
    CButton m_btnOk;
    int m_nLink = 0;
    CButtonRadio m_radioUsb;
    CButtonRadio m_radioWifi;
    CButtonRadio m_radioCom;
    CString m_strComPort;

protected:
    DECLARE_MESSAGE_MAP()

private:
    void FillPortList();
    CBrush m_brush;
};
