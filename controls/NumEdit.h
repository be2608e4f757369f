// CNumEdit: the numeric field of the pages. It holds one parameter code within a range and shows
// it in one of the display types below; typed text becomes a value again at focus loss (commit:
// rewrites the text and tells the parent with WM_COMMAND) or when a program reads the value
// (take-over: silent). It is drawn transparently over the page, highlighted while it or its bound
// fader has the focus, and can carry a companion button that shows its text while it is read-only.
#pragma once

#include "controls/ControlMessages.h"
#include "controls/SpinBtn.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Edit.h"

class CBitmapSlider;
class CNumSpin;

constexpr int NUMTYPE_DELAY_MS = 0;
constexpr int NUMTYPE_DELAY_CM = 1;
constexpr int NUMTYPE_DELAY_INCH = 2;
constexpr int NUMTYPE_CENTERED = 3;
constexpr int NUMTYPE_INT = 4;
constexpr int NUMTYPE_TIME_MS = 5;
constexpr int NUMTYPE_INT_UNIT = 6;
constexpr int NUMTYPE_STEP_2DEC = 7;
constexpr int NUMTYPE_FREQ = 8;
constexpr int NUMTYPE_FREQ_20K = 9;
constexpr int NUMTYPE_LEVEL = 10;
constexpr int NUMTYPE_Q = 11;
constexpr int NUMTYPE_TEMPERATURE = 12;
constexpr int NUMTYPE_PERCENT = 13;
constexpr int NUMTYPE_HUNDREDTHS = 14;
constexpr int NUMTYPE_INT_MAX = 15;
constexpr int NUMTYPE_DELAY_MS_LONG = 16;
constexpr int NUMTYPE_DELAY_CM_LONG = 17;
constexpr int NUMTYPE_DELAY_FEET_LONG = 18;
constexpr int NUMTYPE_DELAY_MS_ALT = 19;
constexpr int NUMTYPE_STEP_INT = 20;
constexpr int NUMTYPE_TENTHS = 21;
constexpr int NUMTYPE_INT_DOUBLE = 22;
constexpr int NUMTYPE_LEVEL_DBU = 23;
constexpr int NUMTYPE_LEVEL_DBU_1DEC = 24;
constexpr int NUMTYPE_LEVEL_DB = 25;
constexpr int NUMTYPE_LEVEL_DBU_0DEC = 26;
constexpr int NUMTYPE_STEP_DB = 27;
constexpr int NUMTYPE_FREQ_LOW = 28;
constexpr int NUMTYPE_FREQ_HIGH = 29;
constexpr int NUMTYPE_LEVEL_DBU_OFF = 30;
constexpr int NUMTYPE_BALANCE = 31;
constexpr int NUMTYPE_VPP = 32;
constexpr int NUMTYPE_INT_CLAMP = 33;
constexpr int NUMTYPE_RATIO = 40;

class CNumEdit : public CEdit {
public:
    CNumEdit();
    ~CNumEdit() override;

    // --- value model -------------------------------------------------------------------------
    // Stores both ends and sets the value to the minimum; the text is not refreshed.
    void SetRange(int minimum, int maximum);
    // A value within the range is stored and shown; any other value is ignored.
    void SetValue(int value);
    // Takes typed text over first when the user changed it.
    int GetValue();
    void SetStep(double step) { m_dStep = step; }
    void SetOffset(double offset) { m_dOffset = offset; }
    void SetType(int type, const CString& unit);
    int GetType() const { return m_nType; }
    void SetTemperature(int code);
    int IsModified() const { return m_bModified; }
    void SetModified(int flag) { m_bModified = flag; }
    void StepValue(int step);
    int CommitDelayText();
    virtual int ShowValue();
    // The text of the display type for the current value (also stores the value where a type
    // limits it first).
    CString FormatText();
    // Rule of the display type on focus loss; may store, rewrite the text and notify.
    void CommitText();
    // Silent rule of GetValue for pending typed text.
    void TakeTypedText();

    // --- look, focus and companion -----------------------------------------------------------
    void SetHighlight(int flag);
    int GetHighlight() const { return m_bHighlight; }
    void SetBuddySlider(CBitmapSlider* slider) { m_pSlider = slider; }
    void CreateSpinButton(int id);
    void BindSpinButton(int spinId, CNumSpin* spin);
    CSpinBtn& SpinButton() { return m_spinBtn; }
    BOOL ShowWindow(int command) override;
    virtual void EnableEdit(int flag);
    virtual BOOL SetReadOnly(BOOL flag);
    int IsEditable() const { return m_bEditable; }
    // Whether the last ShowWindow really changed the visibility (the output page reads it).
    int IsShowChanged() const { return m_bShowChanged; }
    void ApplyLanguage();
    // Text and background colours of the current look.
    COLORREF TextColor() const;

protected:
    void OnUpdate();
    void OnSetFocusReflect();
    HBRUSH CtlColor(CDC* dc, UINT ctlColor);
    void OnKillFocus(CWnd* newWnd) override;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    DECLARE_MESSAGE_MAP()

private:
    void RepaintParentArea();
    // Text without a number: shows the stored value again and drops the pending edit; TRUE
    // when the text is no value, so the caller leaves the value alone.
    bool KeepValueForText(const CString& text);
    void SendCommit();
    // Commits value v (limited to the range): stores it, rewrites the text, notifies.
    void Commit(int v);
    int Limit(int v) const;

    CBitmapSlider* m_pSlider = nullptr;
    CSpinBtn m_spinBtn;
    int m_bSpinCreated = 0;
    int m_nValue = 0;
    int m_nType = 0;
    int m_nMax = 0;
    int m_nMin = 0;
    int m_bModified = 0;
    double m_dStep = 0.0;
    double m_dOffset = 0.0;
    int m_nTemperature = 75;
    CString m_strUnit;
    CBrush m_brHighlight;
    COLORREF m_crHighlight = 0xD1AC89;
    int m_bHighlight = 0;
    int m_bVisible = 1;
    int m_bEditable = 1;
    int m_bShowChanged = 0;
    // The press that gave the field the focus (its whole text selected) is not over yet: the
    // hand moving before the release must not drag that selection down to a part of the text.
    bool m_bFocusPress = false;
};
