// CLevel_Delay_Dlg: the level and delay page (dialog 522), a child of the main view's tab area: the
// master volume, the six input levels with the buttons that choose the current input, the eight
// output levels with their on/off, phase and meters, and the time alignment on the car picture
// (delay fields by speaker position, the delay unit and the group link toggles). The model side
// lives in CLevelBindings, CDelayPositions and the output page's CDelayLevelHelper.
#pragma once

#include "controls/BitButton.h"
#include "controls/BitmapSlider.h"
#include "controls/BtnPng.h"
#include "controls/NumEdit.h"
#include "controls/NumSpin.h"
#include "controls/SLamp.h"
#include "pages/level/DelayPositions.h"
#include "pages/level/LevelBindings.h"
#include "pages/level/LevelPageLayout.h"
#include "pages/output/DelayLevelHelper.h"
#include "pages/output/PageFrame.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Dialog.h"

class CKTV_Data;
class CLevelPageHost;

class CLevel_Delay_Dlg : public CPageFrame {
public:
    static constexpr UINT IDD = levelpage::kDialogId;
    static constexpr int kNavCount = 31;

    explicit CLevel_Delay_Dlg(CWnd* parent = nullptr);
    ~CLevel_Delay_Dlg() override = default;

    // Creates the page hidden on its parent; it reaches the view through host.
    BOOL CreatePage(CWnd* parent, CLevelPageHost* host, CKTV_Data* data);

    // ---- Page-wide
    void RefreshAll();
    void ApplyLanguage();
    void ClearOutputMeters();
    // Meter n from byte 6 + n of the last device state report.
    void ShowOutputMeters();
    void ShowAuxColumns();
    void ShowOutputColumns();
    // The four-input look: S/PDIF and Phone hidden, the other columns moved left onto their
    // places; the buttons skinned and the current input checked.
    void ShowInputButtons();
    void ArrangeInputColumns();

    // ---- Input choice
    void SelectInput(int n);
    void ReleaseInputHold();
    void SkinInputButtons();
    // Checks input n's button and unchecks the other five.
    void CheckInputButton(int n);

    // ---- Levels
    void OnMasterVolume();
    void OnMasterOnOff();
    void OnInputLevel(int n);
    void OnInputSlider(int n);
    void OnOutputLevel(int n);
    void OnOutputSlider(int n);
    void OnOutputOnOff(int n);
    void OnOutputPhase(int n);
    void ShowLinkedLevels(int n);
    // The outputs linked with n take the page's last on/off choice; unless quiet their position
    // buttons are checked.
    void CopyOnToLinked(int n, BOOL quiet);
    // A polarity stays with its own output: the linked ones are left as they are.
    void CopyPhaseToLinked(int n);

    // ---- Marking and keyboard
    void MarkOutput(int n);
    void MarkOutputIfNew(int n);
    void CheckPositionOf(int n);
    void OnEditFocused(int id);
    // Without an edit focused, the master edit takes the focus and the marks go.
    void FocusMasterIfNoEdit();
    // The output page becomes current (button 2686).
    void OnOutputPageButton();
    // The page's entry for the keyboard: the focus on the way back to the output page.
    void FocusEntry();
    // Index of id in the keyboard order, 0 when absent.
    int FindNavIndex(int id) const;
    // The control the order reaches from id with VK_LEFT or VK_RIGHT (hidden ones skipped): the
    // master, the inputs, the delay fields, the outputs, the way back to the output page.
    int NavTarget(int id, UINT key) const;
    int MarkedOutput() const { return m_nMarkedOutput; }

    // ---- Time alignment
    void BindPositionDelay(int code, int n);
    void ApplyOutputDelay(int n);
    void OnPositionDelay(int k);
    void OnPositionButton(int button);
    void SetDelayUnit(int unit);
    // A group's link toggle pressed: the flag negated, the members' fields read-only while linked.
    void ToggleGroupLink(int group);
    void ShowGroupLinks();

    // ---- Members the view and the tests reach
    CNumEdit& MasterEdit() { return m_editMaster; }
    CNumSpin& MasterSpin() { return m_spinMaster; }
    CBitmapSlider& MasterFader() { return m_sliderMaster; }
    CBitButton& MasterButton() { return m_btnMaster; }
    CNumEdit& InputEdit(int n) { return m_editInput[n]; }
    CNumSpin& InputSpin(int n) { return m_spinInput[n]; }
    CBitmapSlider& InputFader(int n) { return m_sliderInput[n]; }
    CBitButton& InputButton(int n) { return m_btnInput[n]; }
    CNumEdit& OutputEdit(int n) { return m_editOutput[n]; }
    CNumSpin& OutputSpin(int n) { return m_spinOutput[n]; }
    CBitmapSlider& OutputFader(int n) { return m_sliderOutput[n]; }
    CBitButton& OutputOn(int n) { return m_btnOn[n]; }
    CBitButton& OutputPhase(int n) { return m_btnPhase[n]; }
    CSLamp& Meter(int n) { return m_meter[n]; }
    CBitButton& UnitButton(int unit) { return m_btnUnit[unit - 1]; }
    CNumEdit& DelayField(int k) { return m_editDelay[k]; }
    CNumSpin& DelaySpin(int k) { return m_spinDelay[k]; }
    CBtnPng& PositionButton(int id) { return m_btnPosition[id - levelpage::kPositionButton]; }
    CBtnPng& LinkToggle(int id) { return m_btnLink[id - levelpage::kLinkToggle]; }
    CStatic& LRLinkPicture() { return m_picLRLink; }
    CBitButton& OutputPageButton() { return m_btnOutputPage; }
    const CDelayPositions& Positions() const { return m_positions; }
    CDelayLevelHelper& Delays() { return m_delays; }
    CLevelBindings& Levels() { return m_levels; }

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override {}
    void OnCancel() override {}

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnInputLevelCommand(UINT id);
    void OnOutputLevelCommand(UINT id);
    void OnOutputOnOffCommand(UINT id);
    void OnOutputPhaseCommand(UINT id);
    void OnInputButtonCommand(UINT id);
    void OnDelayCommand(UINT id);
    void OnUnitCommand(UINT id);
    void OnPositionCommand(UINT id);
    void OnLinkToggleCommand(UINT id);
    LRESULT OnSliderMoving(WPARAM wParam, LPARAM lParam);
    LRESULT OnSliderMoved(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCurInput(WPARAM wParam, LPARAM lParam);
    LRESULT OnCurInputChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnNumEditNavigate(WPARAM wParam, LPARAM lParam);
    LRESULT OnSpinStep(WPARAM wParam, LPARAM lParam);
    LRESULT OnControlMouseMove(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    struct InputColumnPlace {
        CRect fader;
        CRect edit;
        CRect button;
        CRect spin;
    };
    void InitControls();
    void RefreshAllNow();
    void ApplySlider(int id, BOOL released);
    BOOL IsShown(int id) const;
    CBtnPng* ButtonOf(int n);
    CWnd* ControlOf(int id);
    void FocusControl(int id);

    CLevelPageHost* m_pView = nullptr;
    CKTV_Data* m_pData = nullptr;
    CLevelBindings m_levels;
    CDelayPositions m_positions;
    CDelayLevelHelper m_delays;

    CNumEdit m_editMaster;
    CNumSpin m_spinMaster;
    CBitmapSlider m_sliderMaster;
    CBitButton m_btnMaster;
    CNumEdit m_editInput[levelpage::kInputCount];
    CNumSpin m_spinInput[levelpage::kInputCount];
    CBitmapSlider m_sliderInput[levelpage::kInputCount];
    CBitButton m_btnInput[levelpage::kInputCount];
    CNumEdit m_editOutput[levelpage::kOutputCount];
    CNumSpin m_spinOutput[levelpage::kOutputCount];
    CBitmapSlider m_sliderOutput[levelpage::kOutputCount];
    CBitButton m_btnOn[levelpage::kOutputCount];
    CBitButton m_btnPhase[levelpage::kOutputCount];
    CSLamp m_meter[levelpage::kOutputCount];
    CBitButton m_btnLabel[levelpage::kOutputCount];
    CBitButton m_btnBlank[levelpage::kOutputCount];
    CBitButton m_btnUnit[3];
    CNumEdit m_editDelay[levelpage::kDelayFieldCount];
    CNumSpin m_spinDelay[levelpage::kDelayFieldCount];
    CBtnPng m_btnPosition[levelpage::kPositionButtonCount];
    CBtnPng m_btnLink[levelpage::kLinkToggleCount];
    CStatic m_picLRLink;
    CBitButton m_btnOutputPage;
    CBitmap m_bmpLRLink;
    CBitmap m_bmpBackEn;
    CBitmap m_bmpBackCn;

    InputColumnPlace m_inputPlaces[levelpage::kInputCount];
    CRect m_rcCentre[4]; // buttons 6052, 6053, fields 6006, 6007
    int m_navOrder[kNavCount] = {};
    int m_nMarkedOutput = -1;
    int m_nLastOnState = 1; // the last on/off choice of the page
    int m_nRedrawHold = 0;
};
