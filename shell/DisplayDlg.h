// The transfer progress dialog (104): modeless and topmost at screen 500,400 while presets are
// sent or read, or while the device restores its factory setting. Its 200 ms timer blinks the
// text while a transfer runs, creeps the bar in factory mode and hides the dialog once the
// transfer is over. Enter, Escape and the close box never hide it.
#pragma once

#include "controls/FontStatic.h"
#include "controls/GradientProgressCtrl.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Dialog.h"

#include <functional>

constexpr UINT IDD_DISPLAY = 104;
constexpr UINT_PTR TIMER_DISPLAY = 8;
constexpr UINT DISPLAY_TICK_MS = 200;
constexpr int DISPLAY_SCREEN_X = 500;
constexpr int DISPLAY_SCREEN_Y = 400;
constexpr int FACTORY_RANGE = 110;

class CDisplayDlg : public CDialog {
public:
    enum : int { IDC_LABEL = 1433, IDC_BAR = 2777 };

    explicit CDisplayDlg(CWnd* parent = nullptr);
    ~CDisplayDlg() override;

    // Creates the hidden dialog (centred on the parent); the view does this once.
    BOOL CreateHidden();

    // Shows the dialog for a transfer. Target 0 disables the parent (the main view); any other
    // target disables the open machine-preset dialog instead (outside factory mode).
    void ShowProgress(int target);
    void HideProgress();
    // Factory mode: bar range 0..110 at 0; the texts of a factory reset.
    void SetFactoryMode(BOOL on);
    int GetTarget() const { return m_nTarget; }
    BOOL IsFactoryMode() const { return m_bFactory; }
    int GetCounter() const { return m_nCounter; }
    int GetBlinkState() const { return m_nBlink; }
    CGradientProgressCtrl& GetBar() { return m_bar; }
    CFontStatic& GetLabel() { return m_label; }
    // Kills the timer and destroys the window.
    void DestroyDisplay();

    // The machine-preset dialog, when one is open: a transfer with a non-zero target disables it.
    // The presets part installs the lookup; without one nothing is disabled.
    using MachinePresetDialogLookup = std::function<CWnd*()>;
    static void SetMachinePresetDialogLookup(MachinePresetDialogLookup lookup);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // One 200 ms tick (tests call it directly).
    void OnTimer(UINT_PTR id) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnClose() override {}
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

private:
    static CWnd* MachinePresetDialog();

    CFontStatic m_label;
    CGradientProgressCtrl m_bar;
    CBrush m_brush;
    CString m_strTextCn;
    CString m_strTextEn;
    int m_nBlink = 0;
    int m_nTarget = 0;
    BOOL m_bFactory = FALSE;
    int m_nCounter = 0;
};
