// The main view's side of the services the parameter model calls: the master-volume hold of the
// send scheduler and the preset-name routines. The application installs one for its view.
#pragma once

#include "model/PresetServices.h"
#include "model/ViewServices.h"

class CTRV410View;

// Names show at most this many characters.
constexpr int kPresetNameShown = 13;

class CViewPresetServices : public CViewServices, public CPresetServices {
public:
    explicit CViewPresetServices(CTRV410View& view);
    ~CViewPresetServices() override;
    CViewPresetServices(const CViewPresetServices&) = delete;
    CViewPresetServices& operator=(const CViewPresetServices&) = delete;

    // Makes this object the view and preset services of the model; the destructor undoes it.
    void Install();
    void Uninstall();

    // ---- CViewServices (link worker, g_linkLock held) ----
    void HoldMasterVolume(BOOL restore) override;

    // ---- CPresetServices ----
    void SetPresetName(const CString& name) override;
    // Shows the live name. The name mark was already set when the notice was posted.
    void OnPresetNameChanged() override;
    void ShowPresetName() override;
    // Sets the name mark, then posts WM_PRESET_NAME_CHANGED to the view. Called by the scheduler
    // under g_linkLock: the mark is the handler's, taken here so the scheduler's very next call
    // sees it whatever the UI thread is doing. Otherwise a call made before the handler ran
    // would send the name once more and post again, and the stream would end later or never.
    void PostPresetNameChanged() override;
    void OnLockRecordReceived() override {}

    // The text the name label shows for a live name: "Custom" in Chinese while the UI is Chinese.
    static CString DisplayName(const CString& liveName, BOOL chinese);
    // The first kPresetNameShown characters (UTF-8 aware).
    static CString ShownPart(const CString& name);
    // The plain ASCII characters of a name (at most 15), or "Custom" when it has none.
    static CString FieldText(const CString& name);

    // The last text put on the label (also when the view has no label yet).
    CString m_strShown;

private:
    void ShowText(const CString& text);
    CTRV410View& m_view;
    bool m_bInstalled = false;
};
