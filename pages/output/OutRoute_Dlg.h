// COutRoute_Dlg: one output strip of the output page (dialog 110, eight of them side by side). It
// switches its output on and off, inverts its polarity, sets its level and delay, makes it the
// page's current output, gives it a speaker position from a popup and copies one output's channel
// data onto another. It sets its own output through the model's setters; everything that touches
// more than that output goes to the page as a posted message or a COutStripOwner call.
//
// The page makes strip i as: new COutRoute_Dlg(page, owner); SetOutput(i); SetDocument(doc);
// SetSkin(language's striplayout::kSkinEn / kSkinCn); Create(); move it to
// x = striplayout::kLeft + i * (GetSkinWidth() + striplayout::kGap), y = striplayout::kTop; show it.
// Afterwards it calls Refresh, ShowPositionName, SetMarked and EnableWindow as its state changes,
// SetSkin + ApplyLanguage on a language change, SetDelayType on a delay unit change, and TakeDelay
// from its ApplyOutputDelay.
#pragma once

#include "controls/BitButton.h"
#include "controls/BitmapSlider.h"
#include "controls/NumEdit.h"
#include "controls/NumSpin.h"
#include "model/DataDefine.h"
#include "model/RecordRanges.h"
#include "pages/output/OutStripOwner.h"
#include "platform/core/Rect.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"

class CKTV_Data;
class CKTV_OutData;

constexpr UINT IDD_OUT_ROUTE = 110;

class COutRoute_Dlg : public CDialog {
public:
    enum : int {
        IDC_SELECT = 2815,
        IDC_POSITION = 2636,
        IDC_ON = 1001,
        IDC_POLARITY = 4001,
        IDC_LEVEL = 4002,
        IDC_LEVEL_SPIN = 4003,
        IDC_DELAY = 4004,
        IDC_LEVEL_FADER = 4005,
        IDC_DELAY_SPIN = 4006,
        IDM_COPY = 200,
        IDM_PASTE = 201,
    };
    static constexpr UINT kCopyMenu = 171;
    static constexpr int kMaxLevel = range::kLevel.hi;
    static constexpr int kMaxDelay = range::kDelay.hi;
    static constexpr int kHoverTimer = 5;

    // parent: the page window the strip posts to; owner: the page's operations (usually the same
    // object). Neither is owned.
    COutRoute_Dlg(CWnd* parent, COutStripOwner* owner);
    ~COutRoute_Dlg() override;

    // Creates the strip as a child of its parent, sized to its skin (call after SetOutput,
    // SetDocument and SetSkin).
    using CDialog::Create;
    BOOL Create();
    void SetDocument(CKTV_Data* document) { m_pDoc = document; }
    void SetOutput(int output) { m_nOutput = output; }
    int GetOutput() const { return m_nOutput; }
    // The language's strip background; the strip keeps that bitmap's size (the page spaces the
    // strips by it).
    void SetSkin(UINT bitmapId);
    UINT GetSkin() const { return m_nSkin; }
    int GetSkinWidth() const { return m_nSkinWidth; }
    int GetSkinHeight() const { return m_nSkinHeight; }

    // Reloads on, polarity, level (effective) and delay from the output.
    void Refresh();
    void RefreshPolarity();
    void RefreshLevel();
    // The on button shows `on` (the output's flag is left alone).
    void ShowOn(int on);
    int ShownOn() const { return m_nOn; }
    // Position button caption = name of the output's code in g_posState, in the UI language.
    void ShowPositionName();
    void SetMarked(BOOL on);
    BOOL IsMarked() const { return m_bMarked; }
    // Output map lock: see the .cpp.
    BOOL EnableWindow(BOOL enable = TRUE) override;
    void ApplyLanguage();
    // Display type of the delay edit (NUMTYPE_DELAY_MS, _CM or _INCH), empty unit text.
    void SetDelayType(int numType);
    // The page's ApplyOutputDelay: the delay field's value (typed text taken over) goes to the
    // output when it differs; TRUE when it did.
    BOOL TakeDelay();

    // Keyboard ring across the strips and the page.
    void FocusLeft(int id);
    void FocusRight(int id);

    // The position popup's states as if this output had no position (g_posState layout).
    void BuildPositionStates();
    // Check marks and greying of the position commands in menu, from m_posState.
    void UpdatePositionMenu(CMenu& menu) const;
    // The text of the paste question, source onto this strip's output.
    CString PasteQuestion(int source) const;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // Handlers (public so the page and tests can drive them as the window does).
    void OnOnButton();
    void OnPolarityButton();
    void OnLevelCommand();
    void OnDelayCommand();
    void OnSelectButton();
    void OnPositionButton();
    void OnPositionCommand(int code);
    void OnCopy();
    LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
    LRESULT OnSubSync(WPARAM wParam, LPARAM lParam);
    LRESULT OnStripCopy(WPARAM wParam, LPARAM lParam);
    LRESULT OnSliderMoving(WPARAM wParam, LPARAM lParam);
    LRESULT OnSliderMoved(WPARAM wParam, LPARAM lParam);
    LRESULT OnNumEditNavigate(WPARAM wParam, LPARAM lParam);
    LRESULT OnNumEditEnter(WPARAM wParam, LPARAM lParam);

    // Position code of a menu command, -1 for other ids; and the command of a code.
    static int CodeFromCommand(UINT id);
    static UINT CommandFromCode(int code);

    CBitButton m_btnSelect;
    CBitButton m_btnPosition;
    CBitButton m_btnOn;
    CBitButton m_btnPolarity;
    CNumEdit m_editLevel;
    CNumSpin m_spinLevel;
    CBitmapSlider m_fader;
    CNumEdit m_editDelay;
    CNumSpin m_spinDelay;
    CMenu m_menuCopy;
    BYTE m_posState[36] = {};

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnTimer(UINT_PTR id) override;
    DECLARE_MESSAGE_MAP()

private:
    CKTV_OutData* Out() const;
    int PositionCode() const;
    // The level change of a field or the fader; fromFader says which of them shows it afterwards.
    void ApplyLevel(int level, bool fromFader);

    CWnd* m_pPage = nullptr;
    COutStripOwner* m_pOwner = nullptr;
    CKTV_Data* m_pDoc = nullptr;
    UINT m_nSkin = 0;
    CBitmap m_bmpSkin;
    int m_nSkinWidth = 0;
    int m_nSkinHeight = 0;
    int m_nOutput = 0;
    int m_nPolarity = 0;
    int m_nOn = 1;
    int m_nLevel = 0;
    int m_nDelay = 0;
    BOOL m_bMarked = FALSE;
    BOOL m_bHover = FALSE;
    BOOL m_bHoverWhenMarked = FALSE;
    CRect m_rcScreen;
};
