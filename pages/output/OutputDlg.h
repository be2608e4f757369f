// COutputDlg: the output page (dialog 136), a child of the main view's tab area. One output at a
// time is shown (g_nCurOut): its EQ bands, crossovers and levels, each edit applied to it and to the
// other outputs of its link group, and drawn on the frequency-response graph. The page is the
// link's output-page services while it exists.
#pragma once

#include "controls/BitButton.h"
#include "controls/BitmapSlider.h"
#include "controls/BtnPng.h"
#include "controls/ComBoxBtn.h"
#include "controls/NumEdit.h"
#include "controls/NumSpin.h"
#include "controls/XPButton.h"
#include "link/OutputPageServices.h"
#include "pages/output/BandRows.h"
#include "pages/output/Changnal_Line.h"
#include "pages/output/DelayLevelHelper.h"
#include "pages/output/OutRoute_Dlg.h"
#include "pages/output/OutStripOwner.h"
#include "pages/output/OutputMap.h"
#include "pages/output/OutputFocusRing.h"
#include "pages/output/OutputPageLayout.h"
#include "pages/output/PageFrame.h"
#include "pages/output/XoverBlock.h"
#include "pages/output/ZNStatic.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Dialog.h"

#include <memory>

class CKTV_Data;
class CKTV_OutData;
class CFilter;
class COutputPageHost;

constexpr UINT WM_CURVE_BAND_SELECT = 0x466;

class COutputDlg : public CPageFrame,
                   public COutputPageServices,
                   public CChangnal_Line::Page,
                   public COutStripOwner {
public:
    static constexpr UINT IDD = outpage::kDialogId;

    explicit COutputDlg(CWnd* parent = nullptr);
    ~COutputDlg() override;

    // Creates the page on its parent and installs it as the link's output-page services.
    BOOL CreatePage(CWnd* parent, COutputPageHost* host);
    // Keeps the channel model and hands it to the graph (output mode, output 1).
    void AttachChannelData(CKTV_Data* data);

    // ---- Showing the current output
    void RefreshPage() override;
    void LoadBands() override;
    void RefreshAll();
    void OnOutputSelect(int output);
    void SetLockedLayout(BOOL locked) override;
    void ApplyLanguage();
    void ShowSourceLevel() override;
    void ApplySourceLevel();
    void OnMasterOnOff();
    void ShowInputTypePicture();
    // Input type n's picture (0..5) on the input-type button, in the UI language.
    void SetInputTypePicture(int n);
    void SetDefaultFocus();
    // Rows shown for the current output: 31, or 10 on outputs 7 and 8.
    static int BandCountOf(int output);

    // ---- Band editing
    void OnBandFreq(int n);
    void OnBandQ(int n);
    void OnBandGain(int n);
    void OnGainSlider(int n);
    // Band n takes gain position pos (its field and fader already show it), with the link group.
    void ApplyBandGain(int n, int pos);
    void OnBandBypass(int n);
    void ApplyCurveBandChange(int band);
    void HighlightBandLabel(int n, BOOL on);
    void SelectBand(int n);
    void SetActiveEdit(int n, int kind, BOOL on);
    void ClearBandSelection();
    void ShowBandBypass(BOOL bypassed, int n);
    void ShowAllBypass();

    // ---- EQ modes and bulk commands
    void OnPeqGeq();
    void OnAllBypass();
    void ToggleAllBypass();
    void OnResetAllEq();
    void ColourPassBand();
    void OnFirstShelfSlope();
    void OnLastShelfSlope();
    void OnBand8ShelfSlope();
    // A shelf list (0 first, 1 last, 2 band 8) sets its band's slope on the output and its link group.
    void ApplyShelfSlope(int list, int band);
    // Every output's EQ back to flat and sent (with linked also the current link group through the
    // view), the left/right link undone, the system data sent; the page shows the result.
    void ResetAllOutputEq(BOOL linked) override;
    // Shape buttons of the first and last band (hidden: loaded data set the shapes otherwise).
    void OnFirstBandPeak();
    void OnFirstBandShelf();
    void OnLastBandPeak();
    void OnLastBandShelf();
    // Band b takes the requested shape, its row and the link group follow.
    void SetBandShape(int b);
    void LinkBandShape(int b);
    // The band the last-band buttons act on: band 10, band 8 on outputs 5 and 6.
    static int LastShapeBand(int output);

    // ---- Crossovers
    void OnHpfFamily();
    void OnHpfSlope();
    void OnLpfFamily();
    void OnLpfSlope();
    // A crossover list of one side (CXoverBlock::HPF or LPF) on the output and its link group.
    void ApplyXoverFamily(int side);
    void ApplyXoverSlope(int side);
    void OnHpfFreq();
    void OnLpfFreq();
    void EnableFamilyList(int slope, int list);
    void FillSlopeList(int list);

    // ---- Level group
    int GetLowestSubLevel() override;
    void RefreshOnButton() override;
    void RefreshStrips();
    void OnSubLevelMode();
    void OnSubLevelEdit();
    void OnSubLevelSpin();
    void OnPolarity();
    void OnShowLevelPage();
    // Marks the level block of every output for sending.
    void MarkAllOutputsDirty();
    // WM_OUTPUT_TOGGLE_MUTE: output n's on flag inverted; its strip follows.
    void OnOutputToggleMute(int output);
    // Every other strip of output n's link group reloads its polarity.
    void RefreshLinkedPolarity(int output);
    // Runs refresh on the strips of the other outputs in output's link group.
    void RefreshLinkedStrips(int output, void (COutRoute_Dlg::*refresh)());
    // Every other output of n's link group takes the on state the page gave last.
    void CopyOnFlagToLinked(int output);
    // The on buttons of each used left/right pair show one side's state (direction 0 the first
    // onto the second, 1 the reverse); the data stay as they are.
    void CopyPairOnButtons(int direction);

    // ---- Delay fields of the positions and group links (hidden on this page)
    // Output shown in delay field k (0..14); k < 0 leaves the output without a field.
    void BindOutputDelay(int output, int k);
    void OnPositionDelay(int k);
    void OnGroupLink(UINT id);
    // Shows unit u (1 ms, 2 cm, 3 inch) on its button and in every strip's delay field.
    void SetDelayUnit(int unit);
    // Link toggles from the groups' states: -1 hidden, 0 up, 1 down with the group's fields read-only.
    void LayoutLinkToggles();
    void ReloadHpfSlopeList();
    CBitButton& DelayUnitButton(int unit) { return m_btnDelayUnit[unit - 1]; }
    CDelayLevelHelper& Delays() { return m_delays; }
    int LastDelayOutput() const { return m_nLastDelayOutput; }

    // ---- Keyboard ring
    // Focuses the level edit of the first enabled strip after strip k; 1 when there is none.
    int FocusNextStrip(int k);
    // The same backwards: the last enabled strip before strip k.
    int FocusPrevStrip(int k);

    // ---- What the strips ask of the page
    void RefreshLinkedLevels(int output) override;
    void ShowSubLevel(int code) override;
    void OnSubLevelChanged(int level) override;
    void ApplyOutputDelay(int output) override;
    COutRoute_Dlg* GetStrip(int output) override;
    void FocusShownLevelEdit() override;
    void FocusHighPassEdit() override;
    int StripMessageBox(const CString& text, UINT type, int code) override;

    // ---- Members other code and the tests reach
    CZNStatic& Graph() { return m_graph; }
    CBandRows& Rows() { return m_rows; }
    CXoverBlock& Xover() { return m_xover; }
    CXPButton& AllBypassButton() { return m_btnAllBypass; }
    CXPButton& PeqGeqButton() { return m_btnPeqGeq; }
    CBitButton& GeqPicture() { return m_btnGeqPic; }
    CBitButton& MasterButton() { return m_btnMaster; }
    CBitmapSlider& SourceFader() { return m_sliderSource; }
    CNumEdit& SourceEdit() { return m_editSource; }
    CNumSpin& SourceSpin() { return m_spinSource; }
    CBitmapSlider& SubFader() { return m_sliderSub; }
    CBitButton& SubModeButton() { return m_btnSubMode; }
    CNumEdit& SubEdit() { return m_editSub; }
    CNumSpin& SubSpin() { return m_spinSub; }
    CBitButton& PolarityButton() { return m_btnPolarity; }
    CBitButton& InputTypePicture() { return m_btnInputType; }
    CBitButton& ShapeButton(int control);
    CNumEdit& DelayField(int k) { return m_editDelay[k]; }
    CNumSpin& DelaySpin(int k) { return m_spinDelay[k]; }
    CComBoxBtn& ShelfList(int i) { return m_shelf[i]; }
    CChangnal_Line& Toggles() { return m_toggles; }
    // The background bitmap id of the language and lock state.
    static UINT BackgroundId(BOOL chinese, BOOL locked);
    CKTV_OutData* CurrentOutput() const { return m_pCurOut; }

    // ---- Speaker map (the logic lives in COutputMap)
    COutputMap& Map() { return m_map; }
    void ApplyMapLock() override { m_map.ApplyMapLock(); }
    // The reset command without its button.
    void OnResetMapCommand() { m_map.OnResetMap(); }
    void ValidateMapLock() { m_map.ValidateMapLock(); }
    void RestoreDefaultMap() { m_map.RestoreDefaultMap(); }
    void RefreshSpeakerMap() { m_map.RefreshSpeakerMap(); }
    void MarkLinkedOutputs(int output) { m_map.MarkLinkedOutputs(output); }
    void UnmarkLinkedOutputs(int output) { m_map.UnmarkLinkedOutputs(output); }
    // The current output's crossover into its controls; the graph redrawn with no band selected.
    void ReloadCrossover();
    CBtnPng& PositionIcon(int control) { return m_btnIcon[control - outpage::kPositionIcon]; }
    CBitButton& MapButton(int control) { return m_btnMap[control - outpage::kMapLock]; }
    CStatic& LinkPicture(int k) { return m_picLink[k]; }

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override {}
    void OnCancel() override {}

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnBandCommand(UINT id);
    void OnBypassCommand(UINT id);
    void OnSourceLevelField();
    void OnHpfFamilyCode1() { OnHpfFamily(); }
    LRESULT OnComboSelect(WPARAM wParam, LPARAM lParam);
    LRESULT OnSliderMoving(WPARAM wParam, LPARAM lParam);
    LRESULT OnSliderMoved(WPARAM wParam, LPARAM lParam);
    LRESULT OnCurveBandChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnCurveBandSelect(WPARAM wParam, LPARAM lParam);
    LRESULT OnCurveKillFocus(WPARAM, LPARAM) { return 0; }
    LRESULT OnControlMouseMove(WPARAM, LPARAM) { return 0; }
    LRESULT OnOutputSelectMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnNumEditEnter(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetPositionMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnPasteMessage(WPARAM wParam, LPARAM lParam);
    void OnMapCommand(UINT id);
    void OnSubPositionCommand(UINT id);
    LRESULT OnToggleMuteMessage(WPARAM wParam, LPARAM lParam);
    void OnShapeCommand(UINT id);
    LRESULT OnNumEditNavigate(WPARAM wParam, LPARAM lParam);
    LRESULT OnSpinStep(WPARAM wParam, LPARAM lParam);
    LRESULT OnSpinClamped(WPARAM wParam, LPARAM lParam);
    void OnDelayCommand(UINT id);
    void OnDelayUnitCommand(UINT id);
    DECLARE_MESSAGE_MAP()

private:
    friend class COutputMap;
    void InitControls();
    // Before the current output changes: an open drop list closes choosing nothing, and the picks
    // still queued go to the output they were made for.
    void LeaveCurrentOutput();
    void RefreshPageNow();
    void CreateStrips();
    // Rows of the shown output; locked hides them all.
    void ApplyRowLayout(BOOL locked);
    void ShowBandShapes();
    void ShowCrossovers();
    void ShowPolarity();
    void MarkBand(int n, int kind);
    void ApplySubLevel(int level);
    void SetActiveField(CNumEdit* edit);
    void MoveFocus(const FocusMove& move);
    CFilter* Band(int n) const;
    // Every other output of the current output's link group.
    template <class Fn> void ForLinked(Fn fn) const;
    int AskYesNo(const char* en, const char* cn) const;

    CKTV_Data* m_pData = nullptr;
    CKTV_OutData* m_pCurOut = nullptr;
    COutputPageHost* m_pHost = nullptr;
    BOOL m_bInstalled = FALSE;

    CZNStatic m_graph;
    CBandRows m_rows;
    CXoverBlock m_xover;
    CChangnal_Line m_toggles;
    CBitButton m_btnShape[4]; // 2818, 2820, 2821, 2822
    CComBoxBtn m_shelf[3];    // 2823, 2824, 9578
    CXPButton m_btnAllBypass;
    CXPButton m_btnPeqGeq;
    CXPButton m_btnReset;
    CBitButton m_btnGeqPic;
    CBitmapSlider m_sliderSource;
    CNumEdit m_editSource;
    CNumSpin m_spinSource;
    CBitButton m_btnMaster;
    CBitmapSlider m_sliderSub;
    CBitButton m_btnSubMode;
    CNumEdit m_editSub;
    CNumSpin m_spinSub;
    CBitButton m_btnPolarity;
    CStatic m_picPolarity[2];
    CStatic m_picGroup;
    CBitButton m_btnInputType;
    CBitButton m_btnLevelPage;
    CNumEdit m_editDelay[outpage::kDelayFieldCount];
    CNumSpin m_spinDelay[outpage::kDelayFieldCount];
    CBtnPng m_btnGroupLink[outpage::kGroupLinkCount];
    CBtnPng m_btnIcon[outpage::kPositionIconCount];
    CBitButton m_btnMap[5];
    CBitButton m_btnDelayUnit[3];
    CStatic m_picLink[3];
    CBitmap m_bmpBack[6]; // 287, 286, 758, 759, 784, 785
    CBitmap m_bmpPolarity[2];
    std::unique_ptr<COutRoute_Dlg> m_strips[NUM_OUTPUTS];

    // Working values of the shown output.
    int m_nSourceLevel = 0; // stored form (shown + 20)
    int m_bMasterOn = 0;
    int m_bOn = 1;        // the on state the page gave an output last
    int m_nShapeType = 0; // the shape a shape command asks for (0 peak, 1 low, 2 high shelf)
    CNumEdit* m_pActiveXover = nullptr;
    COutputMap m_map{*this};
    CDelayLevelHelper m_delays;
    int m_nLastDelayOutput = 0;
    BOOL m_bRangeErrorPending = FALSE;
    int m_nRedrawHold = 0;
};
