// CNumSpin: the up-down arrows next to a numeric field (its buddy). Steps the field by its arrows,
// by Up/Down in the field and by the companion button's zones; frequency fields snap to the
// response grid, delay fields step by whole shown centimetres or inches from the keyboard, ratio
// fields step by 1 up to 10 and by 5 above. While an arrow is held the parent hears of changes at
// most every 400 ms and once more at release.
#pragma once

#include "controls/ControlMessages.h"
#include "platform/ui/SpinButtonCtrl.h"

class CNumEdit;

class CNumSpin : public CSpinButtonCtrl {
public:
    CNumSpin() = default;
    ~CNumSpin() override = default;

    virtual CWnd* SetBuddy(CWnd* buddy);
    virtual CWnd* GetBuddy() const;
    virtual void GetRange32(int& lower, int& upper) const;
    virtual void SetRange32(int lower, int upper);
    virtual int RefreshFromBuddy();
    virtual int SetPos(int value);
    virtual int IsBuddyModified();
    int GetPos() const { return m_nPos; }
    void SetStepMode(int mode) { m_nStepMode = mode; }
    int GetStepMode() const { return m_nStepMode; }
    int GetBuddyType();
    void SetChannel(int channel) { m_nChannel = channel; }
    int GetChannel() const { return m_nChannel; }
    void Step(int step);
    void SnapToFreqGrid();
    int CommitBuddyDelay();
    int IsPressed() const { return m_bPressed; }

protected:
    void OnDeltaPos(NMHDR* header, LRESULT* result);
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnTimer(UINT_PTR id) override;
    // The arrows in the dark skin of the pages instead of the system face.
    void OnPaint() override;
    DECLARE_MESSAGE_MAP()

private:
    CNumEdit* Buddy() const;
    void SendCommand();
    // Shows a delay step by the buddy's unit: samples, whole centimetres or whole inches.
    void ApplyDelayStep(CNumEdit* buddy, int base, int step);

    int m_nPos = 0;
    int m_nMin = 0;
    int m_nMax = 0;
    int m_nRepeat = 400;
    int m_bPressed = 0;
    int m_bChanged = 0;
    int m_nStepMode = 0;
    int m_nChannel = -1;
};
