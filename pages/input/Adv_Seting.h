// CAdv_Seting: the advanced settings dialog (675). It gathers the mixer source, two system-data
// values, three values kept in the dialog only, the limiter of each output with its transfer
// curve, the address and port of the device's WIFI module with a WIFI factory reset, and the
// show-all-curves option. Nothing in the program opens it (nor calls its two further refreshes);
// the owner sets the document and the host before it creates the dialog.
#pragma once

#include "controls/BitButton.h"
#include "controls/NumEdit.h"
#include "controls/NumSpin.h"
#include "grid/ListCtrlCl.h"
#include "pages/input/AdvSetingHost.h"
#include "pages/input/Adv_ComBox.h"
#include "pages/output/COM_EXT_LIMStatic.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Font.h"
#include "platform/ui/Static.h"
#include "platform/ui/Menu.h"

class CKTV_Data;
class CKTV_OutData;

constexpr UINT IDD_ADV_SETING = 675;

class CAdv_Seting : public CDialog {
public:
    enum : int {
        IDC_SOURCE = 2729,
        IDC_SOURCE_COMBO = 2796,
        IDC_TIME = 2734,
        IDC_TIME_SPIN = 2735,
        IDC_THRESHOLD = 2765,
        IDC_THRESHOLD_SPIN = 2060,
        IDC_LEVEL = 2731,
        IDC_LEVEL_SPIN = 2732,
        IDC_GAIN = 2791,
        IDC_GAIN_SPIN = 2793,
        IDC_INTERVAL = 2792,
        IDC_INTERVAL_SPIN = 2794,
        IDC_OUTPUTS = 2757,
        IDC_LIM_THRESHOLD = 2758,
        IDC_LIM_THRESHOLD_SPIN = 2761,
        IDC_LIM_VOLTAGE = 2778,
        IDC_LIM_VOLTAGE_SPIN = 2780,
        IDC_LIM_ATTACK = 2759,
        IDC_LIM_ATTACK_SPIN = 2762,
        IDC_LIM_RELEASE = 2760,
        IDC_LIM_RELEASE_SPIN = 2763,
        IDC_CURVE = 2764,
        IDC_ADDRESS = 2739,
        IDC_PORT = 2741,
        IDC_APPLY = 2743,
        IDC_WIFI_RESET = 2790,
        IDC_ALL_CURVES = 2797,
        IDC_DESCRIPTION = 2805,
        IDC_CLOSE = 2,
    };
    static constexpr int kMaxPort = 65535;
    // Keyboard order of the fields.
    static constexpr int kFocusOrder[10] = {2731, 2791, 2792, 2734, 2765, 2741, 2759, 2760, 2758, 2778};

    explicit CAdv_Seting(CWnd* parent = nullptr);
    ~CAdv_Seting() override;

    void SetDocument(CKTV_Data* document) { m_pDoc = document; }
    void SetHost(CAdvSetingHost* host) { m_pHost = host; }

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

    // The controls from the globals and the document.
    void Refresh();
    // Refresh, and also: 2731/2732 enabled only while the input is held (system byte 4), 2732
    // from system byte 5, the list's marks cleared and its position names written again.
    void RefreshAll();
    // The WIFI module's address and port alone (Apply disabled).
    void RefreshNetAddress();
    // Marks output row (0..7) and its linked rows and loads its limiter; -1 clears the marks only.
    void SelectOutput(int row);
    int GetSelectedOutput() const { return m_nSelected; }
    void ApplyLanguageBitmaps();
    void UpdateSourceButton();

    // Handlers (tests call them as the controls do).
    void OnSourceButton();
    void OnSourceMenu(int source);
    void OnTime();
    void OnThreshold();
    void OnDialogValue(UINT id);
    void OnLimThreshold(BOOL fromVoltage);
    void OnLimAttack();
    void OnLimRelease();
    void OnAddressChange();
    void OnPortChange();
    void OnPortKillFocus();
    void OnApply();
    void OnWifiReset();
    void OnAllCurves();
    // Focus moves of the keyboard order (VK_LEFT / VK_RIGHT from control id).
    void Navigate(int id, UINT key);

    // ---- State (for the tests)
    int DialogValue(int editId) const;
    int GetDialogPort() const { return m_nPort; }
    CMenu& SourceMenu() { return m_menuSource; }

    CBitButton m_btnSource;
    CAdv_ComBox m_comboSource;
    CNumEdit m_editTime, m_editThreshold, m_editLevel, m_editGain, m_editInterval;
    CNumSpin m_spinTime, m_spinThreshold, m_spinLevel, m_spinGain, m_spinInterval;
    CListCtrlCl m_list;
    CNumEdit m_editLimThreshold, m_editLimVoltage, m_editLimAttack, m_editLimRelease;
    CNumSpin m_spinLimThreshold, m_spinLimVoltage, m_spinLimAttack, m_spinLimRelease;
    CCOM_EXT_LIMStatic m_curve;
    CEdit m_editAddress;
    CEdit m_editPort;
    CBitButton m_btnApply;
    CBitButton m_btnWifiReset;
    CBitButton m_btnAllCurves;
    CStatic m_description; // wraps its two lines (a font label draws one)
    CBitButton m_btnClose;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    LRESULT OnNumEditNavigate(WPARAM wParam, LPARAM lParam);
    LRESULT OnControlMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnSliderMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CKTV_OutData* SelectedOut() const;
    void InitList();
    void MarkRow(int row, BOOL mark);
    // The port field's value; 0 when empty.
    int PortFieldValue();
    void SetPortField(int port);
    void UpdateApply();
    void FocusId(int id);

    CKTV_Data* m_pDoc = nullptr;
    CAdvSetingHost* m_pHost = nullptr;
    int m_nSelected = -1;
    int m_nPort = 0;
    int m_nLevel = 0;    // 2731/2732
    int m_nGain = 0;     // 2791/2793
    int m_nInterval = 2; // 2792/2794
    BOOL m_bSettingPort = FALSE;
    CMenu m_menuSource;
    CBitmap m_bmpBackground[2]; // English 788, Chinese 789
    CBrush m_brush;
    CBrush m_panelBrush;
    CBrush m_fieldBrush;
    CFont m_fontDescription;
};
