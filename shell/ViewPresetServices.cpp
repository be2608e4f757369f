#include "shell/ViewPresetServices.h"

#include "link/LinkMessages.h"
#include "model/Conversions.h"
#include "model/Globals.h"
#include "shell/TRV410View.h"
#include "shell/ViewPresets.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <string>

namespace {
constexpr char kCustomCn[] = "自定义";
} // namespace

CViewPresetServices::CViewPresetServices(CTRV410View& view) : m_view(view) {}

CViewPresetServices::~CViewPresetServices() {
    Uninstall();
}

void CViewPresetServices::Install() {
    SetViewServices(this);
    SetPresetServices(this);
    SetLinkViewServices(this);
    m_bInstalled = true;
}

void CViewPresetServices::Uninstall() {
    if (!m_bInstalled)
        return;
    if (&ViewServices() == static_cast<CViewServices*>(this))
        SetViewServices(nullptr);
    if (&PresetServices() == static_cast<CPresetServices*>(this))
        SetPresetServices(nullptr);
    if (&LinkViewServices() == static_cast<CLinkViewServices*>(this))
        SetLinkViewServices(nullptr);
    m_bInstalled = false;
}

void CViewPresetServices::HoldMasterVolume(BOOL restore) {
    m_view.HoldMasterVolume(restore);
}

void CViewPresetServices::SetTransferPos(int pos) {
    CLinkViewServices::SetTransferPos(pos);
    std::lock_guard lock(m_barLock);
    if (m_transferBar.IsValid())
        m_transferBar.SetPos(pos);
}

void CViewPresetServices::SetTransferBar(CGradientProgressCtrl::Remote bar) {
    std::lock_guard lock(m_barLock);
    m_transferBar = std::move(bar);
}

CString CViewPresetServices::ShownPart(const CString& name) {
    const std::string s = name.GetString();
    size_t pos = 0;
    for (int n = 0; n < kPresetNameShown && pos < s.size(); ++n) {
        ++pos;
        while (pos < s.size() && (static_cast<unsigned char>(s[pos]) & 0xC0) == 0x80)
            ++pos;
    }
    return CString(s.substr(0, pos).c_str());
}

CString CViewPresetServices::DisplayName(const CString& liveName, BOOL chinese) {
    if (chinese && liveName == g_strCustom)
        return CString(kCustomCn);
    return ShownPart(liveName);
}

void CViewPresetServices::SetPresetName(const CString& name) {
    m_view.Presets().SetPresetName(name);
    m_strShown = m_view.Presets().m_strShown;
}

void CViewPresetServices::OnPresetNameChanged() {
    m_view.Presets().OnPresetNameChanged();
    m_strShown = m_view.Presets().m_strShown;
}

void CViewPresetServices::ShowPresetName() {
    m_view.Presets().ShowPresetName();
    m_strShown = m_view.Presets().m_strShown;
}

BOOL CViewPresetServices::ChooseAllPresetsFile() {
    return m_view.Presets().ChooseAllPresetsFile();
}

void CViewPresetServices::WriteAllPresetsFile() {
    m_view.Presets().WriteAllPresetsFile();
}

void CViewPresetServices::PostPresetNameChanged() {
    g_bPresetNameDirty = 1;
    if (const HWND hWnd = m_view.GetSafeHwnd())
        ::PostMessage(hWnd, WM_PRESET_NAME_CHANGED, 0, 0);
}
