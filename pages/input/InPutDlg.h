// CInPutDlg: the input page (dialog 382), sub-page 0 of the main view. The view creates it hidden
// and it stays hidden, but its choice of input runs: the page buttons, the selector bar and the
// AUX mode go through CInputSelection, and the level page's choice reaches it by
// WM_CUR_INPUT_CHANGED. It also edits the current input's EQ (columns 0..14 of 31) on the graph.
// What the link asks of the input page (the source button, the channel reload) it serves as
// CInputPageServices, through the view's forwarder.
#pragma once

#include "controls/BitButton.h"
#include "controls/BitmapSlider.h"
#include "controls/FontStatic.h"
#include "controls/NumEdit.h"
#include "controls/NumSpin.h"
#include "controls/XPButton.h"
#include "link/InputPageServices.h"
#include "pages/input/InMode_Dlg.h"
#include "pages/input/InputPageLayout.h"
#include "pages/input/InputSelection.h"
#include "pages/output/FaderBinding.h"
#include "pages/output/PageFrame.h"
#include "pages/output/ZNStatic.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"

class CKTV_Data;
class CMusic_InData;
class CFilter;
class CInputPageHost;

class CInPutDlg : public CPageFrame, public CInputPageServices, public CInputSelection::Outlet {
public:
    static constexpr UINT IDD = inpage::kDialogId;
    static constexpr int kBands = inpage::kBandCount;
    static constexpr int kShown = inpage::kShownBands;
    enum Row { ROW_FREQ = 0, ROW_Q = 1, ROW_GAIN = 2 };

    explicit CInPutDlg(CWnd* parent = nullptr);
    ~CInPutDlg() override = default;

    // Creates the page on its parent; the page is g_pInputPage from then on.
    BOOL CreatePage(CWnd* parent, CInputPageHost* host);
    // Keeps the model and gives the graph the music inputs (mode 3, input 0).
    void AttachChannelData(CKTV_Data* data);
    // The level page, the receiver of WM_CUR_INPUT_CHANGED (none: nothing is posted).
    void SetLevelPageWindow(CWnd* level) { m_pLevelPage = level; }

    // ---- Input choice
    void OnInputButton(int n);
    void SetAuxMode(int mode);
    void SetModeAndInput(int mode, int input);
    void SetCurInputQuiet(int input);
    void NotifyInputChange();
    void ApplyInputHold();
    void ShowInputSelection(BOOL modeChanged);
    void ShowSelectedInputPicture();
    void ArrangeInputButtons();
    // After an all-presets file: buttons rearranged; the caller then takes the input from the
    // source settings.
    void RefreshInputButtons();
    void OnHiLevel1Way() {}
    void OnHiLevel2Way() {}
    void OnAuxModeApplied() {}

    // ---- Mixer source (the menu and the pictures are the mixer's CMixerSource)
    void UpdateSourceButton() override;
    BOOL ValidateSource(int input, int mode);
    // Button 3967: menu 173 under the button, the sources the current input offers enabled.
    void OnSourceButton();
    // Menu items 174..180: source 0..6; another source than the current one is sent.
    void SetSource(int source);

    // ---- The current input's EQ
    void RefreshChannel() override;
    void ApplyLanguage();
    void OnBandFreq(int n);
    void OnBandQ(int n);
    void OnBandGain(int n);
    void OnBandSlider(int n);
    void OnBandBypass(int n);
    void OnBypassAll();
    void OnResetAll();
    void OnEqModeSwitch();
    void SetGEQLayout(BOOL geq);
    void ShowBandBypass(BOOL bypassed, int n);
    void ShowAllBypass();
    void HighlightBandLabel(int n, BOOL on);
    void SelectBand(int n);
    void SetActiveEdit(int n, int row, BOOL on);
    void LoadBandFromGraph(int n);
    void FocusNextEdit(int id);
    void FocusPrevEdit(int id);
    void FocusFirstEdit();
    // The keyboard walk over the edits (pure): next, previous and Enter's target of an edit id;
    // 0 when the id does not move.
    static int NextEditId(int id, BOOL geq);
    static int PrevEditId(int id, BOOL geq);
    static int EnterEditId(int id);

    // ---- Members the view and the tests reach
    CZNStatic& Graph() { return m_graph; }
    CInMode_Dlg& Bar() { return m_inputBar; }
    CBitButton& InputButton(int n) { return m_btnInput[n]; }
    CBitButton& AuxButton(int m) { return m_btnAux[m]; }
    CBitButton& BypassAllButton() { return m_btnBypassAll; }
    CBitButton& ResetAllButton() { return m_btnResetAll; }
    CBitButton& EqModeButton() { return m_btnEqMode; }
    CBitButton& GeqPicture() { return m_btnGeqPic; }
    CBitButton& SourceButton() { return m_btnSource; }
    CBitButton& SelectedInputPicture() { return m_btnSelected; }
    CNumEdit& FreqEdit(int n) { return m_editFreq[n]; }
    CNumEdit& QEdit(int n) { return m_editQ[n]; }
    CNumEdit& GainEdit(int n) { return m_editGain[n]; }
    CNumSpin& FreqSpin(int n) { return m_spinFreq[n]; }
    CNumSpin& QSpin(int n) { return m_spinQ[n]; }
    CNumSpin& GainSpin(int n) { return m_spinGain[n]; }
    CBitmapSlider& Slider(int n) { return m_slider[n]; }
    CXPButton& Lamp(int n) { return m_lamp[n]; }
    CFontStatic& Label(int n) { return m_label[n]; }
    CNumEdit* ActiveEdit() const { return m_pActiveEdit; }
    int MarkedLabel() const { return m_nMarkedLabel; }
    CMusic_InData* CurrentInput() const { return m_pCurMusic; }
    static UINT BackgroundId(BOOL chinese) { return chinese ? 389 : 383; }

    // ---- CInputSelection::Outlet
    void SendCommand(int cmd) override;
    void NotifyLevelPage(int hold, int input) override;
    void DropPendingDeviceStates() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override {}
    void OnCancel() override {}

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnInputCommand(UINT id);
    void OnAuxCommand(UINT id);
    void OnFreqCommand(UINT id);
    void OnQCommand(UINT id);
    void OnGainCommand(UINT id);
    void OnLampCommand(UINT id);
    void OnSourceMenu(UINT id);
    LRESULT OnInputChannelSelect(WPARAM wParam, LPARAM lParam);
    LRESULT OnCurInputChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCurInput(WPARAM wParam, LPARAM lParam);
    LRESULT OnSliderMoving(WPARAM wParam, LPARAM lParam);
    LRESULT OnSliderMoved(WPARAM wParam, LPARAM lParam);
    LRESULT OnCurveBandChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnCurveBandSelect(WPARAM wParam, LPARAM lParam);
    LRESULT OnNumEditNavigate(WPARAM wParam, LPARAM lParam);
    LRESULT OnNumEditEnter(WPARAM wParam, LPARAM lParam);
    LRESULT OnControlMouseMove(WPARAM, LPARAM) { return 0; }
    DECLARE_MESSAGE_MAP()

private:
    void InitControls();
    void InitColumn(int n);
    void SetInputButtonLooks();
    void UncheckInputButton(int input);
    void ApplyChoice(const CInputSelection::Result& r, BOOL uncheckPrevious, BOOL modeChanged);
    void FocusEdit(int id);
    CFilter* Band(int n) const;
    CNumEdit* EditOfId(int id);
    int AskYesNo(const char* en, const char* cn) const;

    CInputPageHost* m_pHost = nullptr;
    CWnd* m_pLevelPage = nullptr;
    CInputSelection m_selection{*this};

    CBitButton m_btnHiLevel[2]; // 3980, 3981
    CBitButton m_btnGeqPic;     // 3881
    CBitButton m_btnAux[3];     // 3956..3958
    CBitButton m_btnEqMode;     // 3940
    CBitButton m_btnResetAll;   // 3951
    CBitButton m_btnBypassAll;  // 3950
    CBitButton m_btnInput[6];   // 3960..3965
    CBitButton m_btnSource;     // 3967
    CMenu m_menuSource;         // 173
    CBitButton m_btnSelected;   // 3953
    CZNStatic m_graph;          // 3952
    CFontStatic m_label[kBands];
    CXPButton m_lamp[kBands];
    CBitmapSlider m_slider[kBands];
    CNumEdit m_editGain[kBands];
    CNumEdit m_editQ[kBands];
    CNumEdit m_editFreq[kBands];
    CNumSpin m_spinGain[kBands];
    CNumSpin m_spinQ[kBands];
    CNumSpin m_spinFreq[kBands];
    CFaderBinding m_binding[kBands];
    CBitmap m_bmpBackEn; // 383
    CBitmap m_bmpBackCn; // 389

    CKTV_Data* m_pData = nullptr;
    CMusic_InData* m_pCurMusic = nullptr;
    CZNStatic* m_pGraph = nullptr;
    int m_nMarkedLabel = -1;
    CNumEdit* m_pActiveEdit = nullptr;
    BOOL m_bGeq = FALSE;
    CInMode_Dlg m_inputBar;

    CRect m_rcInputBtn[6];
    CRect m_rcSliderGeq[kBands];
    CRect m_rcSliderPeq[kBands];
    CRect m_rcGainPeq[kBands];
    CRect m_rcGainGeq[kBands];
};
