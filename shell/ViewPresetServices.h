// The main view's side of the services the parameter model and the link call: the master-volume
// hold of the send scheduler, the preset-name routines and the transfer bar of the progress dialog.
// The application installs one for its view.
#pragma once

#include "controls/GradientProgressCtrl.h"
#include "link/LinkViewServices.h"
#include "model/PresetServices.h"
#include "model/ViewServices.h"

#include <mutex>

class CTRV410View;

// Names show at most this many characters.
constexpr int kPresetNameShown = 13;

class CViewPresetServices : public CViewServices, public CPresetServices, public CLinkViewServices {
public:
    explicit CViewPresetServices(CTRV410View& view);
    ~CViewPresetServices() override;
    CViewPresetServices(const CViewPresetServices&) = delete;
    CViewPresetServices& operator=(const CViewPresetServices&) = delete;

    // Makes this object the view, preset and link-view services; the destructor undoes it.
    void Install();
    void Uninstall();

    // ---- CViewServices (link worker, g_linkLock held) ----
    void HoldMasterVolume(BOOL restore) override;

    // ---- CPresetServices ----
    // The name routines are the view's (CViewPresets); m_strShown follows them.
    void SetPresetName(const CString& name) override;
    // The name mark was already set when the notice was posted.
    void OnPresetNameChanged() override;
    void ShowPresetName() override;
    // The all-presets save of the view's preset commands.
    BOOL ChooseAllPresetsFile() override;
    void WriteAllPresetsFile() override;
    // Sets the name mark, then posts WM_PRESET_NAME_CHANGED to the view. Called by the scheduler
    // under g_linkLock: the mark is the handler's, taken here so the scheduler's very next call
    // sees it whatever the UI thread is doing. Otherwise a call made before the handler ran
    // would send the name once more and post again, and the stream would end later or never.
    void PostPresetNameChanged() override;
    void OnLockRecordReceived() override {}

    // ---- CLinkViewServices (link worker; posts only) ----
    // The progress dialog's bar follows the transfer.
    void SetTransferPos(int pos) override;
    // The bar the transfer moves (UI thread, once the progress dialog exists).
    void SetTransferBar(CGradientProgressCtrl::Remote bar);

    // The text the name label shows for a live name: "Custom" in Chinese while the UI is Chinese.
    static CString DisplayName(const CString& liveName, BOOL chinese);
    // The first kPresetNameShown characters (UTF-8 aware).
    static CString ShownPart(const CString& name);

    // The last text put on the label (also when the view has no label yet).
    CString m_strShown;

private:
    CTRV410View& m_view;
    bool m_bInstalled = false;
    std::mutex m_barLock;
    CGradientProgressCtrl::Remote m_transferBar;
};
