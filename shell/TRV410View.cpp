#include "shell/TRV410View.h"

#include "link/FrameBuilder.h"
#include "link/InputPageServices.h"
#include "link/LinkDocument.h"
#include "link/LinkGlobals.h"
#include "link/LinkMessages.h"
#include "link/LinkViewServices.h"
#include "link/NetTransport.h"
#include "link/OutputPageServices.h"
#include "model/Globals.h"
#include "model/KTV_OutData.h"
#include "model/PresetServices.h"
#include "model/SpeakerPos.h"
#include "platform/io/HidBackend.h"

#include <cstring>
#include <mutex>

CTRV410View* g_pMainView = nullptr;

IMPLEMENT_DYNAMIC(CTRV410View, CWnd)

BEGIN_MESSAGE_MAP(CTRV410View, CWnd)
ON_MESSAGE(WM_START_LINK, &CTRV410View::OnStartLink)
ON_MESSAGE(WM_VERSION_RECEIVED, &CTRV410View::OnVersionReceived)
ON_MESSAGE(WM_LIVE_DATA_RECEIVED, &CTRV410View::OnLiveDataReceived)
ON_MESSAGE(WM_PRESETS_RECEIVED, &CTRV410View::OnPresetsReceived)
ON_MESSAGE(WM_SYSTEM_RECORD_RECEIVED, &CTRV410View::OnSystemRecordReceived)
ON_MESSAGE(WM_DEVICE_STATE, &CTRV410View::OnDeviceState)
ON_MESSAGE(WM_LOCK_RECORD_RECEIVED, &CTRV410View::OnLockRecordReceived)
ON_MESSAGE(WM_TRANSFER_DONE, &CTRV410View::OnTransferDone)
ON_MESSAGE(WM_FIRMWARE_DONE, &CTRV410View::OnFirmwareDone)
ON_MESSAGE(WM_WIFI_RESET_DONE, &CTRV410View::OnWifiResetDone)
ON_MESSAGE(WM_EFFECT_RECEIVED, &CTRV410View::OnEffectReceived)
ON_MESSAGE(WM_NET_DATA, &CTRV410View::OnNetData)
ON_MESSAGE(WM_VIEW_SPARE, &CTRV410View::OnViewSpare)
ON_MESSAGE(WM_PRESET_NAME_CHANGED, &CTRV410View::OnPresetNameChanged)
ON_MESSAGE(WM_LINK_FAILED, &CTRV410View::OnLinkFailed)
ON_MESSAGE(WM_EMPTY_REPLY, &CTRV410View::OnEmptyReply)
END_MESSAGE_MAP()

namespace {
constexpr USHORT USB_VID = 0x0483;
constexpr USHORT USB_PID = 0x5750;
constexpr USHORT USB_VERSION = 0x0200;
} // namespace

CTRV410View::CTRV410View() : m_worker(m_command, *this) {}

CTRV410View::~CTRV410View() {
    // The worker calls back into this object: it must be gone before the members are.
    m_worker.Stop(TRUE);
    m_command.SetOwner(nullptr);
    if (g_pMainView == this)
        g_pMainView = nullptr;
    if (m_hWnd)
        DestroyWindow();
}

BOOL CTRV410View::CreateView(CWnd* parent) {
    const RECT rect{0, 0, 1024, 700};
    if (!Create(nullptr, "TRV410View", parent ? WS_CHILD : 0, rect, parent, 0))
        return FALSE;
    m_command.SetOwner(m_hWnd);
    g_pMainView = this;
    return TRUE;
}

// ---- Start-up and connect sequence -------------------------------------------------------------

LRESULT CTRV410View::OnStartLink(WPARAM, LPARAM) {
    if (ConnectUsb())
        RunConnectSequence(TRUE);
    return 0;
}

void CTRV410View::RunConnectSequence(BOOL usb) {
    m_command.ClearQueue();
    LinkDocument().SetAllChanged(FALSE);
    m_nBatchCount = 0;
    m_bLinkOpen = 1;
    {
        std::lock_guard lock(g_linkLock);
        RequestInitialData(FALSE);
        if (usb)
            std::memset(g_hidInReport, 0, sizeof g_hidInReport);
    }
    ShowLinkState(TRUE);
    StartLinkThread(TRUE);
}

void CTRV410View::RequestInitialData(BOOL full) {
    if (!full) {
        g_bLinkCheckPending = 1;
        m_command.AddPacket(BuildSystemReadFrame(CMD_LINK_CHECK, 0));
        m_command.AddPacket(BuildSystemReadFrame(g_sysReadList[6], 0));
        return;
    }
    auto queue = [this](int cmd, int preset) {
        auto packet = BuildSystemReadFrame(cmd, preset);
        if (!packet)
            return;
        packet->SetProgress(m_nBatchCount++);
        packet->SetBatchMark(1);
        m_command.AddPacket(std::move(packet));
    };
    for (int p = 1; p <= NUM_STORED_PRESETS; ++p)
        queue(CMD_PRESET_NAME, p);
    for (int i = 0; i < 6; ++i)
        queue(g_sysReadList[i], 0);
    queue(CMD_BOOT_SOURCE, 0);
}

// ---- Worker control ----------------------------------------------------------------------------

void CTRV410View::CreateLinkThread() {
    m_worker.Create();
}

void CTRV410View::ResumeLinkThread() {
    m_worker.Resume();
}

void CTRV410View::StartLinkThread(BOOL) {
    g_bTransfersStopped = 0;
    if (!m_worker.Exists())
        m_worker.Start(g_bFirmwareMode.load());
    g_bUsbEnabled = 1;
    m_bLinkOpen = 1;
}

int CTRV410View::StopLinkThread(BOOL release) {
    m_worker.Stop(release);
    if (!release)
        return 0;
    g_bUsbEnabled = 0;
    m_bLinkOpen = 0;
    return 1;
}

// ---- Send entry and companions ---------------------------------------------------------------

void CTRV410View::SendCommand(int cmd, int preset) {
    if (!m_bLinkOpen.load())
        return;
    std::lock_guard lock(g_linkLock);
    auto packet = BuildSystemFrame(cmd, preset);
    if (!packet)
        return;
    if (cmd == CMD_WIFI_RESET) {
        packet->SetLongWait(1);
        g_bTransferBusy = 1;
    }
    m_command.AddPacket(std::move(packet));
}

void CTRV410View::SendSpeakerMap(int output, int mode) {
    std::lock_guard lock(g_linkLock);
    if (mode == 0) {
        if (output < 0 || output >= NUM_OUTPUTS)
            return;
        if (g_pOutData[output])
            g_pOutData[output]->SetPosition(g_posState[POS_STATE_OUTPUTS + output]);
        if (!m_bLinkOpen.load())
            return;
        m_command.AddPacket(BuildSystemFrame(CMD_SPEAKER_MAP, 0));
        m_command.AddPacket(BuildChunkFrame(GROUP_OUTPUT, output, 32));
        return;
    }
    if (mode == 1 && m_bLinkOpen.load()) {
        m_command.AddPacket(BuildSystemFrame(CMD_SPEAKER_MAP, 0));
        for (int i = 0; i < NUM_OUTPUTS; ++i)
            m_command.AddPacket(BuildChunkFrame(GROUP_OUTPUT, i, 32));
    }
}

void CTRV410View::SendPresetCleared(int preset) {
    if (!m_bLinkOpen.load())
        return;
    std::lock_guard lock(g_linkLock);
    m_command.AddPacket(BuildSystemFrame(CMD_PRESET_NAME, preset));
    g_curPresetNo[0] = 0;
    m_command.AddPacket(BuildSystemFrame(CMD_PRESET_NUMBER, 0));
}

void CTRV410View::HoldMasterVolume(BOOL restore) {
    if (restore) {
        g_systemData.masterOn = m_nSavedMasterOn;
    } else {
        m_nSavedMasterOn = g_systemData.masterOn;
        g_systemData.masterOn = 0;
    }
    m_command.AddPacket(BuildSystemFrame(CMD_SYSTEM_DATA, 0));
}

void CTRV410View::SetSystemDataDirty(BOOL set) {
    g_bSystemDataDirty = set ? m_bLinkOpen.load() : 0;
}

void CTRV410View::SetSourceSetDirty(BOOL set) {
    g_bSourceSetDirty = set ? m_bLinkOpen.load() : 0;
}

void CTRV410View::RefreshInputSourceButton() {
    if (g_nCurPage == 0)
        InputPageServices().UpdateSourceButton();
}

// ---- Answer handlers ---------------------------------------------------------------------------

LRESULT CTRV410View::OnVersionReceived(WPARAM, LPARAM) {
    bool accepted = false;
    {
        std::lock_guard lock(g_linkLock);
        accepted = std::memcmp(g_strDevVersion, g_strVersionTag, VERSION_PREFIX_LEN) == 0;
    }
    if (!accepted) {
        if (m_bLinkOpen.load())
            OnConnectButton();
        m_command.ClearQueue();
        std::lock_guard lock(g_linkLock);
        std::memset(g_strDevVersion, ' ', sizeof g_strDevVersion);
        return 0;
    }
    g_nDeviceType = 2;
    {
        std::lock_guard lock(g_linkLock);
        RequestInitialData(TRUE);
        ReadDevicePreset(0);
    }
    g_bOnline = 1;
    return 0;
}

LRESULT CTRV410View::OnLiveDataReceived(WPARAM wParam, LPARAM) {
    const int preset = static_cast<int>(wParam);
    {
        std::lock_guard lock(g_linkLock);
        LoadLockState(preset);
        g_bLockLook = g_bDataLocked.load() == 1;
        OutputPageServices().SetLockedLayout(g_bLockLook.load());
        LockMarkBlock mark = g_curImage.outputs[0].GetLockMark();
        if (mark.lockOption > 1) {
            mark.lockOption = 0;
            g_curImage.outputs[0].SetLockMark(mark);
        }
        LinkDocument().SetOutCurveRect();
        FixTweeterCrossover();
        LinkDocument().LoadFromImage(preset);
    }
    g_bLiveDataSent = 0;
    ClearOutputLinks();
    m_bViewMenuItemEnabled = !(g_nDeviceType == 3 || g_nDeviceType == 4);
    RefreshPages();
    PresetServices().ShowPresetName();
    g_bOnline = 1;
    g_bTransferBusy = 0;
    Invalidate();
    g_outCopy.Reset();
    return 0;
}

LRESULT CTRV410View::OnPresetsReceived(WPARAM, LPARAM) {
    PresetServices().WriteAllPresetsFile();
    g_bTransferBusy = 0;
    return 0;
}

void CTRV410View::ApplyPositionCodes() {
    for (int i = 0; i < NUM_OUTPUTS; ++i) {
        const BYTE code = g_posState[POS_STATE_OUTPUTS + i];
        g_curImage.outputs[i].position = code;
        if (g_pOutData[i])
            g_pOutData[i]->SetPositionCode(code);
    }
}

void CTRV410View::ReapplyOutputMap(BOOL quiet) {
    std::lock_guard lock(g_linkLock);
    ResetSpeakerStates();
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        g_posState[POS_STATE_OUTPUTS + i] = g_speakerMap[i];
    if (RemoveDuplicatePositions()) {
        for (int i = 0; i < NUM_OUTPUTS; ++i)
            g_speakerMap[i] = g_posState[POS_STATE_OUTPUTS + i];
        SendCommand(CMD_SPEAKER_MAP, 0);
    }
    ApplyPositionCodes();
    RecalcSpeakerStates();
    if (!quiet && g_bOutMapLocked.load()) {
        g_bOutMapLocked = 0;
        OutputPageServices().ApplyMapLock();
    }
}

LRESULT CTRV410View::OnSystemRecordReceived(WPARAM, LPARAM) {
    {
        std::lock_guard lock(g_linkLock);
        g_systemData.pageSwitch = 0;
    }
    ReapplyOutputMap(FALSE);
    int type = 0;
    {
        std::lock_guard lock(g_linkLock);
        type = g_pcSourceSet.inputType;
    }
    g_nCurInput = type;
    SetInputType(type, FALSE);
    SendCommand(CMD_PRESET_NAME, 0);
    return 0;
}

LRESULT CTRV410View::OnDeviceState(WPARAM, LPARAM) {
    if (!m_bLinkOpen.load() || g_bInputTypeBusy.load())
        return 0;
    int state[15];
    for (int i = 0; i < 15; ++i)
        state[i] = g_devStateBytes[i].load();
    bool typeChanged = false;
    bool levelsChanged = false;
    {
        std::lock_guard lock(g_linkLock);
        typeChanged = state[0] != g_pcSourceSet.inputType;
        for (int i = 2; i <= 7; ++i)
            levelsChanged |= state[i] != reinterpret_cast<const BYTE*>(&g_pcSourceSet)[i];
        levelsChanged |= state[14] != g_systemData.masterOn;
        if (levelsChanged) {
            for (int i = 2; i <= 7; ++i)
                reinterpret_cast<BYTE*>(&g_pcSourceSet)[i] = static_cast<BYTE>(state[i]);
            g_systemData.masterOn = static_cast<BYTE>(state[14]);
        }
    }
    if (typeChanged) {
        SetInputType(state[0], FALSE);
        OutputPageServices().ShowSourceLevel();
    }
    if (levelsChanged)
        OutputPageServices().ShowSourceLevel();
    return 0;
}

LRESULT CTRV410View::OnLockRecordReceived(WPARAM, LPARAM) {
    PresetServices().OnLockRecordReceived();
    return 0;
}

LRESULT CTRV410View::OnTransferDone(WPARAM, LPARAM) {
    int type = 0;
    {
        std::lock_guard lock(g_linkLock);
        type = g_pcSourceSet.inputType;
    }
    SetInputType(type, TRUE);
    g_bTransferBusy = 0;
    return 0;
}

LRESULT CTRV410View::OnFirmwareDone(WPARAM, LPARAM lParam) {
    if (lParam != HEXEnd)
        return 0;
    StopLinkThread(TRUE);
    g_bFirmwareMode = 0;
    CloseLinkByState();
    ShowTimedMessage(g_strFwSuccess, g_strFwSuccessCn, 2000);
    g_bFwUpdated = 1;
    return 0;
}

LRESULT CTRV410View::OnWifiResetDone(WPARAM, LPARAM lParam) {
    if (g_nLinkState == LINK_NET) {
        ResetNetAddress();
        if (m_bLinkOpen.load())
            OnConnectButton();
        SetNetUnreachable();
        ResetNetAddress();
        ShowTimedMessage(g_strWifiFail, g_strWifiFailCn, 2000);
        return 0;
    }
    g_bTransferBusy = 0;
    if (lParam != 0) {
        ShowTimedMessage(g_strWifiResetOk, g_strWifiResetOkCn, 2000);
        if (m_bAdvancedDialogOpen)
            ResetNetAddress();
    } else {
        ShowTimedMessage(g_strWifiResetFail, g_strWifiResetFailCn, 2000);
    }
    return 0;
}

LRESULT CTRV410View::OnEffectReceived(WPARAM, LPARAM) {
    std::lock_guard lock(g_linkLock);
    LinkDocument().LoadEffect();
    return 0;
}

LRESULT CTRV410View::OnNetData(WPARAM, LPARAM lParam) {
    if (lParam != 0)
        m_command.FeedNetData(static_cast<int>(lParam));
    return 0;
}

LRESULT CTRV410View::OnViewSpare(WPARAM, LPARAM) {
    return 0;
}

LRESULT CTRV410View::OnPresetNameChanged(WPARAM, LPARAM) {
    PresetServices().OnPresetNameChanged();
    return 0;
}

void CTRV410View::StartInputTypeTimer() {
    g_bInputTypeBusy = 1;
    SetTimer(TIMER_INPUT_TYPE_BUSY, INPUT_TYPE_BUSY_MS);
}

void CTRV410View::OnTimer(UINT_PTR id) {
    if (id == TIMER_INPUT_TYPE_BUSY) {
        KillTimer(TIMER_INPUT_TYPE_BUSY);
        g_bInputTypeBusy = 0;
        return;
    }
    CWnd::OnTimer(id);
}

// ---- Messages to the user ----------------------------------------------------------------------

void CTRV410View::ShowConnectFailure() {
    if (g_nLinkState == LINK_NET)
        ShowTimedMessage(g_strWifiFail, g_strWifiFailCn, 2000);
    else
        ShowTimedMessage(g_strUsbFail, g_strUsbFailCn, 2000);
}

void CTRV410View::OnDeviceLost() {
    if (g_bFirmwareMode.load())
        return;
    ShowTimedMessage(g_strUsbFail, g_strUsbFailCn, 2000);
    ResetOutputsToDefault();
}

void CTRV410View::ShowTimedMessage(const char* textEn, const char* textCn, int code) {
    m_strLastMessage = LangText(textEn, textCn);
    m_nLastMessageCode = code;
    ++m_nMessageCount;
}

// ---- Shell services (their controls come with the shell) ---------------------------------------

void CTRV410View::ShowLinkState(BOOL connected) {
    m_bShownConnected = connected;
}

void CTRV410View::SetInputType(int type, BOOL user) {
    if (type < 0 || type >= NUM_INPUT_TYPES)
        return;
    m_nShownInputType = type;
    if (user) {
        {
            std::lock_guard lock(g_linkLock);
            g_pcSourceSet.inputType = static_cast<BYTE>(type);
        }
        SendCommand(CMD_SOURCE_SET, 0);
    }
    OutputPageServices().ShowSourceLevel();
}

void CTRV410View::LoadLockState(int) {
    std::lock_guard lock(g_linkLock);
    OutputRecord& first = g_curImage.outputs[0];
    if (static_cast<BYTE>(first.name[0]) == LOCK_MARKER_UNLOCKED) {
        g_bDataLocked = 0;
        return;
    }
    for (OutputRecord& out : g_curImage.outputs) {
        BYTE* bytes = reinterpret_cast<BYTE*>(&out);
        for (int k = 0; k < 288; ++k)
            bytes[k] ^= LOCK_MASK;
    }
    char code[7] = {};
    for (int k = 0; k < 6; ++k) {
        first.name[2 + k] = static_cast<char>(first.name[2 + k] ^ LOCK_MASK);
        code[k] = first.name[2 + k];
    }
    CString password(code);
    password.Trim();
    g_strLockPassword = password;
    g_bDataLocked = 1;
}

void CTRV410View::ClearOutputLinks() {
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        g_nOutLinkGroup[i] = i;
}

void CTRV410View::RefreshPages() {
    g_spkGroups.Rebuild();
    OutputPageServices().LoadBands();
    SetInputType(g_pcSourceSet.inputType, FALSE);
}

void CTRV410View::ResetOutputsToDefault() {
    {
        std::lock_guard lock(g_linkLock);
        g_bDataLocked = 0;
        g_bDataUnlocked = 0;
        for (int i = 0; i < NUM_OUTPUTS; ++i)
            g_curImage.outputs[i] = g_defOutRecords[i];
        FixTweeterCrossover();
        LinkDocument().LoadFromImage(0);
    }
    ClearOutputLinks();
    RefreshPages();
}

// ---- Transports and closing (the USB and network links replace these) ---------------------------

BOOL CTRV410View::ConnectUsb() {
    for (const HidInterfaceInfo& info : HidEnumerate(USB_VID, USB_PID)) {
        if (info.attributes.VersionNumber != USB_VERSION)
            continue;
        if (auto device = CHidBackend::Current().Open(info.path)) {
            m_pUsbDevice = std::move(device);
            m_strUsbPath = info.path;
            g_nLinkState = LINK_USB;
            g_bUsbEnabled = 1;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CTRV410View::OpenUsbDevice() {
    if (m_strUsbPath.empty())
        return FALSE;
    auto device = CHidBackend::Current().Open(m_strUsbPath);
    if (!device)
        return FALSE;
    m_pUsbDevice = std::move(device);
    g_bUsbEnabled = 1;
    return TRUE;
}

void CTRV410View::ResetNetAddress() {
    std::lock_guard lock(g_linkLock);
    g_nNetPort = 8899;
}

void CTRV410View::SetNetUnreachable() {}

void CTRV410View::CloseLinkByState() {
    switch (g_nLinkState.load()) {
    case LINK_USB:
        CloseUsbLink();
        break;
    case LINK_NET:
        CloseNetLink();
        break;
    case LINK_COM:
        CloseComLink();
        break;
    default:
        break;
    }
}

LRESULT CTRV410View::OnConnectButton() {
    if (m_bLinkOpen.load()) {
        StopLinkThread(TRUE);
        CloseLinkByState();
        return 0;
    }
    if (ConnectUsb())
        RunConnectSequence(TRUE);
    return 0;
}

void CTRV410View::CloseUsbLink() {
    if (m_pUsbDevice)
        m_pUsbDevice->Close();
    m_pUsbDevice.reset();
    g_bUsbEnabled = 0;
    g_nLinkState = LINK_NONE;
    m_bLinkOpen = 0;
    g_bTransferBusy = 0;
    g_bOnline = 0;
    ShowLinkState(FALSE);
}

void CTRV410View::CloseNetLink() {
    if (m_pNetTransport)
        m_pNetTransport->Close();
    g_bNetEnabled = 0;
    g_nLinkState = LINK_NONE;
    m_bLinkOpen = 0;
    g_bTransferBusy = 0;
    g_bOnline = 0;
    ShowLinkState(FALSE);
}

void CTRV410View::CloseComLink() {
    g_nLinkState = LINK_NONE;
    m_bLinkOpen = 0;
    g_bTransferBusy = 0;
    g_bOnline = 0;
    ShowLinkState(FALSE);
}

LRESULT CTRV410View::OnLinkFailed(WPARAM, LPARAM) {
    if (!m_bLinkOpen.load())
        return 0;
    StopLinkThread(TRUE);
    ShowConnectFailure();
    CloseLinkByState();
    return 0;
}

LRESULT CTRV410View::OnEmptyReply(WPARAM, LPARAM) {
    if (!m_bLinkOpen.load())
        return 0;
    StopLinkThread(TRUE);
    CloseLinkByState();
    ShowTimedMessage(g_strUpdateFirmware, g_strUpdateFirmwareCn, 2001);
    return 0;
}

// ---- Bulk reads used by the connect sequence -----------------------------------------------------

void CTRV410View::SetTransferRange() {
    m_nTransferRange = m_nBatchCount;
    LinkViewServices().SetTransferPos(0);
}

void CTRV410View::ReadDevicePreset(int preset) {
    g_bOnline = 0;
    if (!m_bLinkOpen.load()) {
        ShowConnectFailure();
        return;
    }
    std::lock_guard lock(g_linkLock);
    g_bLiveDataSent = 0;
    g_curPresetNo[0] = static_cast<BYTE>(preset);
    if (preset != 0) {
        m_nBatchCount = 0;
        HoldMasterVolume(FALSE);
    }
    constexpr int total = NUM_INPUTS + NUM_OUTPUTS;
    for (int k = 0; k < total; ++k) {
        const bool input = k < NUM_INPUTS;
        auto packet = BuildReadFrame(preset, input ? GROUP_INPUT : GROUP_OUTPUT, input ? k : k - NUM_INPUTS,
                                     TRUE, FALSE);
        if (!packet)
            continue;
        packet->SetBatchMark(1);
        if (k == total - 1) {
            packet->SetProgress(m_nBatchCount);
            packet->SetReadEnd(1);
        } else {
            packet->SetProgress(m_nBatchCount++);
        }
        m_command.AddPacket(std::move(packet));
    }
    SetTransferRange();
    g_bTransferBusy = 1;
    if (preset != 0) {
        auto name = BuildSystemFrame(CMD_PRESET_NAME, 0);
        if (name) {
            name->SetProgress(++m_nBatchCount);
            m_command.AddPacket(std::move(name));
        }
        HoldMasterVolume(TRUE);
    }
    g_bLiveDataSent = 0;
}
