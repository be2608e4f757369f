// CCurSYSDlg: the System dialog (108): for each of the eight outputs the limiter (level, attack,
// release), the compressor (threshold, ratio, attack, release) and the limiter's transfer curve,
// and above them the noise gate of the first music input. Each field sets its output through the
// model's setters and shows the result on the outputs linked with it. The owner sets the document
// before it creates the dialog.
#pragma once

#include "controls/FontStatic.h"
#include "controls/NumEdit.h"
#include "controls/NumSpin.h"
#include "controls/SxGroupBox.h"
#include "model/DataDefine.h"
#include "pages/output/COM_EXT_LIMStatic.h"
#include "platform/ui/Brush.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"

class CKTV_Data;

constexpr UINT IDD_CUR_SYS = 108;

class CCurSYSDlg : public CDialog {
public:
    // Control ids; n = 0..7 is the output.
    enum : int {
        IDC_LIM_LEVEL = 5620,
        IDC_LIM_LEVEL_SPIN = 5650,
        IDC_LIM_ATTACK = 5630,
        IDC_LIM_ATTACK_SPIN = 5660,
        IDC_LIM_RELEASE = 5700,
        IDC_LIM_RELEASE_SPIN = 5710,
        IDC_COMP_THRESHOLD = 9500,
        IDC_COMP_THRESHOLD_SPIN = 9540,
        IDC_RATIO = 9510,
        IDC_RATIO_SPIN = 9550,
        IDC_COMP_ATTACK = 9520,
        IDC_COMP_ATTACK_SPIN = 9560,
        IDC_COMP_RELEASE = 9530,
        IDC_COMP_RELEASE_SPIN = 9570,
        IDC_NOISE_GATE = 2059,
        IDC_NOISE_GATE_SPIN = 2060,
        IDC_SOURCE_LABEL = 2061,
        IDC_GATE_LABEL = 2062,
        IDC_SOURCE_LIST = 2063,
        IDC_CURVE = 2513,
        IDC_GROUP = 5610,
        IDC_LABEL = 5600,        // 5600..5605
        IDC_RATIO_LABEL = 9136,  // 9136, 9137
        IDC_INPUT_OFF = 9130,    // hidden lists of outputs 1..6
        IDC_RELEASE_LIST = 5640, // hidden lists of outputs 1..6
    };
    static constexpr int kReleaseOffset = 50; // the release fields show code + 50

    explicit CCurSYSDlg(CWnd* parent = nullptr);
    ~CCurSYSDlg() override;

    void SetDocument(CKTV_Data* document) { m_pDoc = document; }
    CKTV_Data* GetDocument() const { return m_pDoc; }

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

    void InitChannelCtrls();
    void LoadValues();

    // One handler per row, for output n (the edit's commit or the spin's step).
    void OnLimLevel(int n);
    void OnLimAttack(int n);
    void OnLimRelease(int n);
    void OnCompThreshold(int n);
    void OnCompAttack(int n);
    void OnCompRelease(int n);
    void OnRatio(int n);
    void OnNoiseGate();
    void OnInputOffSel(int n);

    struct Channel {
        CNumEdit level, attack, release;
        CNumSpin levelSpin, attackSpin, releaseSpin;
        CNumEdit compThreshold, ratio, compAttack, compRelease;
        CNumSpin compThresholdSpin, ratioSpin, compAttackSpin, compReleaseSpin;
        CCOM_EXT_LIMStatic curve;
        CSxGroupBox group;
    };
    Channel m_ch[NUM_OUTPUTS];
    CNumEdit m_gate;
    CNumSpin m_gateSpin;
    CFontStatic m_labels[6];
    CFontStatic m_ratioLabels[2];
    CFontStatic m_sourceLabel;
    CFontStatic m_gateLabel;
    CComboBox m_sourceList;
    CComboBox m_inputOff[6];
    CComboBox m_releaseList[6];

    // The values last read from the compressor fields (the output keeps no compressor).
    int m_nCompThreshold[NUM_OUTPUTS] = {};
    int m_nCompAttack[NUM_OUTPUTS] = {};
    int m_nCompReleaseCode[NUM_OUTPUTS] = {};

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnFieldCommand(UINT id);
    void OnListChange(UINT id);
    DECLARE_MESSAGE_MAP()

private:
    enum class Row { LimLevel, LimAttack, LimRelease, CompThreshold, CompAttack, CompRelease, Ratio };
    // Shows the value of the row read back from each output linked with n in its own field, and
    // redraws its curve where the row has one.
    void SyncLinked(int n, Row row);
    CKTV_OutData* Out(int n) const;
    void PaintBackground(CDC* dc);

    CKTV_Data* m_pDoc = nullptr;
    CBrush m_brush;
    CBrush m_listBrush;
};
