// The firmware update dialog: pick a ".bin" file, start the update over USB or the network, watch its
// progress bar and status text (moved by the link worker through posts only), and keep the user from
// leaving an update half done. When the device cannot be reached at once, its poll thread tries again.
#pragma once

#include "controls/ButtonRadio.h"
#include "controls/GradientProgressCtrl.h"
#include "controls/SxGroupBox.h"
#include "controls/TransparentStatic.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Static.h"

#include <memory>
#include <string>
#include <vector>

class CUpData_Thread;
class CUpdateHost;

constexpr UINT IDD_UPGRADE = 270;
constexpr UINT ID_FIRMWARE_UPDATE_MENU = 727;

class CUpgradeDlg : public CDialog {
public:
    enum : int {
        IDC_PATH = 1882,
        IDC_BROWSE = 1883,
        IDC_UPDATE = 1881,
        IDC_QUIT = 1891,
        IDC_BAR = 1414,
        IDC_STATUS = 1886,
        IDC_GROUP_IFACE = 1889,
        IDC_GROUP_FILE = 1890,
        IDC_HEX_LABEL = 1878,
        IDC_RADIO_USB = 1798,
        IDC_RADIO_WIFI = 1880,
        IDC_RADIO_COM = 1888,
        IDC_COM_LIST = 1898,
        IDC_COM_LABEL = 1887,
    };
    static constexpr int WIDTH = 397;
    static constexpr int HEIGHT = 160;

    struct MenuItem {
        UINT id;
        CString text;
    };

    explicit CUpgradeDlg(CUpdateHost* host, CWnd* parent = nullptr);
    ~CUpgradeDlg() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    void OnBrowse();
    void OnUpdateButton();
    void OnUsbChosen(UINT id);
    void OnMenuUsb();
    void OnMenuNet();
    void StartUsbUpdate(const CString& path);
    void StartNetUpdate();
    LRESULT OnPollResult(WPARAM wParam, LPARAM lParam);
    void OnQuit();
    void OnClose() override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;
    void FillComList();
    void ShowComList();

    // The interface menu under the Update button (left edge, 2 pixels below); the choice comes back
    // as its command.
    virtual void TrackInterfaceMenu(const std::vector<MenuItem>& items);
    // The Yes/No question before a forced quit; TRUE for Yes. Tests replace it.
    virtual BOOL AskForcedQuit();

    CUpData_Thread* GetPollThread() const { return m_pPollThread; }
    BOOL IsStarted() const { return m_bStarted; }
    CGradientProgressCtrl& Bar() { return m_bar; }
    CTransparentStatic& Status() { return m_status; }
    const std::vector<MenuItem>& LastMenu() const { return m_lastMenu; }
    CString m_strComPort; // the saved COM port name
    // The hidden COM list: its items and the selected one.
    std::vector<CString> m_comItems;
    int m_nComSel = -1;

protected:
    void OnDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    void EndPollThread();
    void StartUpdate(int linkState, const CString& path);
    void SetStatus(const char* en, const char* cn);
    void PrepareBar();

    CUpdateHost* m_pView;
    CUpData_Thread* m_pPollThread = nullptr;
    BOOL m_bStarted = FALSE;
    std::vector<MenuItem> m_lastMenu;
    CBrush m_brush;

    CEdit m_editPath;
    CButton m_btnBrowse;
    CButton m_btnUpdate;
    CButton m_btnQuit;
    CGradientProgressCtrl m_bar;
    CTransparentStatic m_status;
    CSxGroupBox m_groupIface;
    CSxGroupBox m_groupFile;
    CTransparentStatic m_hexLabel;
    CButtonRadio m_radioUsb;
    CButtonRadio m_radioWifi;
    CButtonRadio m_radioCom;
    CStatic m_comLabel;
    CComboBox m_comboCom;
};
