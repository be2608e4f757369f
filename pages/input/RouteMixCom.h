// CRouteMixCom: one mixer pane (dialog 849) of the mixer popup, for one output. Each of its six
// knobs is a fader 0..100 with an edit, a spin and an on/off button, and edits one mix byte of
// the output (CMixKnobMap) through the output's setters. The popup creates eight of them side by
// side; a pane shows only the knob rows that fit its height.
#pragma once

#include "controls/BitButton.h"
#include "controls/BitmapSlider.h"
#include "controls/NumEdit.h"
#include "controls/NumSpin.h"
#include "pages/input/MixKnobMap.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ToolTipCtrl.h"

class CKTV_OutData;
class CPopuMixInput;

constexpr UINT IDD_ROUTE_MIX = 849;
constexpr UINT WM_MIX_CHANGED = 0x235E; // pane to popup: (pointer to the output index, value)

class CRouteMixCom : public CDialog {
public:
    static constexpr int kKnobs = CMixKnobMap::kKnobs;
    struct KnobIds {
        int edit;
        int spin;
        int fader;
        int onOff;
        int phase;
    };
    static constexpr KnobIds kKnobIds[kKnobs] = {
        {2850, 2852, 2849, 2853, 2818}, {2854, 2855, 2851, 2856, 2819}, {2858, 2859, 2857, 2860, 2820},
        {2862, 2863, 2861, 2864, 2821}, {2865, 2867, 2866, 2868, 2822}, {2869, 2871, 2870, 2872, 2823},
    };

    explicit CRouteMixCom(CPopuMixInput* popup);
    ~CRouteMixCom() override;

    // Creates the pane as a child of its popup (after SetOutput).
    using CDialog::Create;
    BOOL Create(int height);
    void SetOutput(int output, CKTV_OutData* out);
    void SetOut(CKTV_OutData* out) { m_pOut = out; }
    int GetOutput() const { return m_nOutput; }
    CKTV_OutData* GetOut() const { return m_pOut; }

    // Tooltips, skins and ranges of the knobs, then Refresh.
    void InitPane();
    // Each knob shows what the output's setters hold for it.
    void Refresh();
    void SetPhaseSkins();

    void OnKnobEdit(int knob);
    void OnKnobSpin(int knob);
    void OnKnobOnOff(int knob);
    void OnKnobPhase(int knob);
    void FocusNextKnob(int id);
    void FocusPrevKnob(int id);

    // ---- State (for the popup and the tests); knob = 1..6
    int KnobMem(int knob) const { return knob >= 1 && knob <= kKnobs ? m_nKnobMem[knob - 1] : 0; }
    int LastKnob() const { return m_nLastKnob; }
    CNumEdit& Edit(int knob) { return m_edit[Index(knob)]; }
    CNumSpin& Spin(int knob) { return m_spin[Index(knob)]; }
    CBitmapSlider& Fader(int knob) { return m_fader[Index(knob)]; }
    CBitButton& OnOff(int knob) { return m_onOff[Index(knob)]; }
    CBitButton& Phase(int knob) { return m_phase[Index(knob)]; }
    CToolTipCtrl& Tips() { return m_tips; }
    // The knob (1..6) a control id belongs to, 0 for none.
    static int KnobOfId(int id);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    LRESULT OnSliderMoved(WPARAM wParam, LPARAM lParam);
    LRESULT OnNumEditNavigate(WPARAM wParam, LPARAM lParam);
    LRESULT OnNumEditEnter(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    static int Index(int knob) { return knob >= 1 && knob <= kKnobs ? knob - 1 : 0; }
    // The input type as the view holds it now (edits follow a type change while open).
    static int InputType();
    void TakeKnob(int knob, int value);
    void ShowKnob(int knob, int value);
    void PostChanged(int value);
    void FocusKnob(CMixKnobMap::Place place);

    CPopuMixInput* m_pPopup;
    int m_nOutput = 0;
    int m_nOutputCopy = 0; // what WM_MIX_CHANGED points to
    CKTV_OutData* m_pOut = nullptr;
    int m_nKnobMem[kKnobs] = {};
    int m_nLastKnob = 1;
    int m_nHeight = 0;
    CNumEdit m_edit[kKnobs];
    CNumSpin m_spin[kKnobs];
    CBitmapSlider m_fader[kKnobs];
    CBitButton m_onOff[kKnobs];
    CBitButton m_phase[kKnobs];
    CToolTipCtrl m_tips;
    CBitmap m_bmpPane;
    CBitmap m_bmpSpare;
};
