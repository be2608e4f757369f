#include "link/BulkTransfer.h"

#include "link/InputPageServices.h"
#include "link/OutputPageServices.h"
#include "model/Filter.h"
#include "model/Globals.h"
#include "model/KTVEQ.h"
#include "model/KTV_OutData.h"
#include "model/Music_InData.h"
#include "model/RecordFrames.h"
#include "platform/core/SingleLock.h"
#include "wire/LinkFrame.h"

#include <cstring>

namespace {

constexpr int kFirstShortOutput = 6; // outputs 7 and 8 carry ten EQ bands
constexpr int kShortOutputBands = 10;
constexpr int kInputBands = 31;
constexpr int kMicTableBands = 15;
constexpr int kSlopeOff = 8;

using Levels = BYTE[14];

// Device types other than 3 and 4.
void StandardLevels(int code, Levels out) {
    static const Levels kFront = {100, 0, 0, 0, 100, 0, 100, 0, 100, 0, 0, 0, 0, 0};
    static const Levels kFrontR = {0, 100, 0, 0, 0, 100, 0, 100, 0, 100, 0, 0, 0, 0};
    static const Levels kRear = {0, 0, 100, 0, 100, 0, 100, 0, 100, 0, 0, 0, 0, 0};
    static const Levels kRearR = {0, 0, 0, 100, 0, 100, 0, 100, 0, 100, 0, 0, 0, 0};
    static const Levels kCentre = {50, 50, 0, 0, 50, 50, 50, 50, 50, 50, 0, 0, 50, 50};
    static const Levels kSubL = {100, 0, 0, 0, 100, 0, 100, 0, 100, 0, 0, 0, 100, 0};
    static const Levels kSubR = {0, 100, 0, 0, 0, 100, 0, 100, 0, 100, 0, 0, 0, 100};
    static const Levels kSub = {100, 100, 0, 0, 100, 100, 100, 100, 100, 100, 0, 0, 100, 100};
    const BYTE* src = nullptr;
    if (code >= 1 && code <= 6)
        src = kFront;
    else if (code >= 7 && code <= 12)
        src = kFrontR;
    else if (code >= 13 && code <= 15)
        src = kRear;
    else if (code >= 16 && code <= 18)
        src = kRearR;
    else if (code >= 19 && code <= 21)
        src = kCentre;
    else if (code == 22 || code == 25)
        src = kSubL;
    else if (code == 23 || code == 26)
        src = kSubR;
    else if (code == 24)
        src = kSub;
    if (src)
        std::memcpy(out, src, sizeof(Levels));
    else
        std::memset(out, 0, sizeof(Levels));
}

// Device types 3 and 4.
void TypedLevels(int code, int deviceType, Levels out) {
    std::memset(out, 0, sizeof(Levels));
    const BYTE L = deviceType == 4 ? 100 : 0;
    const BYTE M = deviceType == 4 ? 0 : 100;
    auto set = [out](std::initializer_list<BYTE> v) {
        int i = 0;
        for (BYTE b : v)
            out[i++] = b;
    };
    if ((code >= 1 && code <= 6) || code == 22 || code == 25)
        set({100, 0, 0, 0, 0, 0, 100, 0, 100, 0, 0, 0, 0, 0});
    else if ((code >= 7 && code <= 12) || code == 23 || code == 26)
        set({0, 100, 0, 0, 0, 0, 0, 100, 0, 100, 0, 0, 0, 0});
    else if (code >= 13 && code <= 15)
        set({0, 0, 100, 0, 0, 0, 100, 0, L, 0, M, 0, 0, 0});
    else if (code >= 16 && code <= 18)
        set({0, 0, 0, 100, 0, 0, 0, 100, 0, L, 0, M, 0, 0});
    else if (code >= 19 && code <= 21)
        set({50, 50, 0, 0, 0, 0, 50, 50, 50, 50, 0, 0, 50, 50});
    else if (code == 24)
        set({100, 100, 0, 0, 0, 0, 100, 100, 100, 100, 0, 0, 0, 0});
}

} // namespace

// ---- Batch helpers ----------------------------------------------------------------------------

void CBulkTransfer::Add(std::unique_ptr<CSendData> packet) {
    if (packet)
        m_host.AddPacket(std::move(packet));
}

void CBulkTransfer::AddBatch(std::unique_ptr<CSendData> packet) {
    int& count = m_host.BatchCount();
    const int index = count++;
    if (!packet)
        return;
    packet->SetProgress(index);
    packet->SetBatchMark(1);
    m_host.AddPacket(std::move(packet));
}

void CBulkTransfer::AddBatchLast(std::unique_ptr<CSendData> packet, BOOL readEnd) {
    if (!packet)
        return;
    packet->SetProgress(m_host.BatchCount());
    packet->SetBatchMark(1);
    if (readEnd)
        packet->SetReadEnd(1);
    else
        packet->SetSendEnd(1);
    m_host.AddPacket(std::move(packet));
}

void CBulkTransfer::SetTransferRange() {
    m_host.SetTransferRange(m_host.BatchCount());
}

// ---- Bulk transfers ---------------------------------------------------------------------------

void CBulkTransfer::SendAllPresets() {
    if (!m_host.IsLinkOpen())
        return;
    std::lock_guard lock(g_linkLock);
    m_host.BatchCount() = 0;
    const BYTE masterOn = g_systemData.masterOn;
    m_host.HoldMasterVolume(FALSE);

    Add(BuildSystemFrame(CMD_SPEAKER_MAP, 0));
    for (int i = 0; i < NUM_INPUTS; ++i)
        AddBatch(BuildRecordFrame(0, GROUP_INPUT, i, TRUE, FALSE));
    for (int o = 0; o < NUM_OUTPUTS; ++o)
        AddBatch(BuildRecordFrame(0, GROUP_OUTPUT, o, TRUE, FALSE));

    for (int p = 1; p <= NUM_STORED_PRESETS; ++p) {
        AddBatch(BuildSystemFrame(CMD_PRESET_NAME, p));
        for (int i = 0; i < NUM_INPUTS; ++i)
            AddBatch(BuildRecordFrame(p, GROUP_INPUT, i, FALSE, TRUE));
        for (int o = 0; o < NUM_OUTPUTS; ++o) {
            std::unique_ptr<CSendData> packet = BuildRecordFrame(p, GROUP_OUTPUT, o, FALSE, TRUE);
            if (packet && p == NUM_STORED_PRESETS && o == NUM_OUTPUTS - 1)
                packet->SetSendEnd(1);
            AddBatch(std::move(packet));
        }
    }

    // The saved master state goes back without the hold routine's own write.
    g_systemData.masterOn = masterOn;
    Add(BuildSystemFrame(CMD_SOURCE_SET, 0));
    Add(BuildSystemFrame(CMD_SYSTEM_DATA, 0));

    g_bLiveDataSent = 0;
    m_host.SetTransferRange(m_host.BatchCount());
    g_bTransferBusy = 1;
    m_host.ShowProgress(1);
}

void CBulkTransfer::SendPreset(int preset, BOOL store) {
    if (!m_host.IsLinkOpen()) {
        if (preset != 0)
            m_host.ShowConnectFailure();
        return;
    }
    std::lock_guard lock(g_linkLock);
    m_host.BatchCount() = 0;
    if (store)
        m_host.StoreDocumentToImage();
    else
        m_host.HoldMasterVolume(FALSE);
    g_curPresetNo[0] = static_cast<BYTE>(preset);
    // Storing sends the live name and makes the preset current itself: a name mark still pending
    // would have the scheduler set the number back to 0 once the transfer is through.
    if (store && preset != 0)
        g_bPresetNameDirty = 0;

    AddBatch(BuildSystemFrame(CMD_PRESET_NAME, preset));
    AddBatch(BuildSystemFrame(CMD_SOURCE_SET, preset));
    AddBatch(BuildSystemFrame(CMD_SPEAKER_MAP, preset));
    if (store) {
        AddBatch(BuildSystemFrame(CMD_PRESET_NAME, 0));
        AddBatch(BuildSystemFrame(CMD_PRESET_NUMBER, 0));
    }
    for (int i = 0; i < NUM_INPUTS; ++i)
        AddBatch(BuildRecordFrame(preset, GROUP_INPUT, i, TRUE, FALSE));
    for (int o = 0; o < NUM_OUTPUTS - 1; ++o)
        AddBatch(BuildRecordFrame(preset, GROUP_OUTPUT, o, TRUE, FALSE));
    AddBatchLast(BuildRecordFrame(preset, GROUP_OUTPUT, NUM_OUTPUTS - 1, TRUE, FALSE), FALSE);

    if (!store)
        m_host.HoldMasterVolume(TRUE);
    g_bLiveDataSent = 0;
    m_host.SetTransferRange(m_host.BatchCount());
    g_bTransferBusy = 1;
    m_host.ShowProgress(1);
    m_host.SetLockButton(g_bDataLocked.load());
}

void CBulkTransfer::SendInputChannel(int input) {
    CMusic_InData* in = m_host.GetInput(input);
    if (!m_host.IsLinkOpen() || !in)
        return;
    std::lock_guard lock(g_linkLock);
    m_host.HoldMasterVolume(FALSE);
    const int on = in->GetEnabled();
    in->SetEnabled(0);
    in->SetLevelChanged(0);
    Add(in->StoreLevelBlock(TRUE));
    QueueInputRecord(input);
    in->SetEnabled(on);
    in->SetLevelChanged(0);
    Add(in->StoreLevelBlock(TRUE));
    m_host.HoldMasterVolume(TRUE);
}

void CBulkTransfer::SendOutputChannel(int output) {
    CKTV_OutData* out = m_host.GetOutput(output);
    if (!m_host.IsLinkOpen() || !out)
        return;
    std::lock_guard lock(g_linkLock);
    const int on = out->GetEnabled();
    out->SetEnabled(0);
    out->SetLevelChanged(0);
    Add(out->StoreLevelBlock(TRUE));
    QueueOutputRecord(output);
    out->SetEnabled(on);
    out->SetLevelChanged(0);
    Add(out->StoreLevelBlock(TRUE));
}

BOOL CBulkTransfer::ReadAllDevicePresets() {
    if (!m_host.IsLinkOpen()) {
        m_host.ShowConnectFailure();
        return FALSE;
    }
    if (!m_host.ChooseAllPresetsFile())
        return FALSE;
    {
        std::lock_guard lock(g_linkLock);
        m_host.BatchCount() = 0;
        for (int p = 1; p <= NUM_STORED_PRESETS; ++p) {
            for (int i = 0; i < NUM_INPUTS; ++i)
                AddBatch(BuildReadFrame(p, GROUP_INPUT, i, FALSE, TRUE));
            for (int o = 0; o < NUM_OUTPUTS; ++o) {
                if (p == NUM_STORED_PRESETS && o == NUM_OUTPUTS - 1)
                    AddBatchLast(BuildReadFrame(p, GROUP_OUTPUT, o, FALSE, TRUE), TRUE);
                else
                    AddBatch(BuildReadFrame(p, GROUP_OUTPUT, o, FALSE, TRUE));
            }
        }
    }
    m_host.SetTransferRange(m_host.BatchCount());
    g_bTransferBusy = 1;
    m_host.ShowProgress(1);
    return TRUE;
}

void CBulkTransfer::ReadDevicePreset(int preset) {
    g_bOnline = 0;
    if (!m_host.IsLinkOpen()) {
        m_host.ShowConnectFailure();
        return;
    }
    std::lock_guard lock(g_linkLock);
    g_bLiveDataSent = 0;
    g_curPresetNo[0] = static_cast<BYTE>(preset);
    if (preset != 0) {
        // The read ends with the live name of its own, and the preset stays current: a name mark
        // left from before (a Save As just ahead) must not set the number to 0 after it.
        g_bPresetNameDirty = 0;
        m_host.BatchCount() = 0;
        m_host.HoldMasterVolume(FALSE);
    }
    for (int i = 0; i < NUM_INPUTS; ++i)
        AddBatch(BuildReadFrame(preset, GROUP_INPUT, i, TRUE, FALSE));
    for (int o = 0; o < NUM_OUTPUTS - 1; ++o)
        AddBatch(BuildReadFrame(preset, GROUP_OUTPUT, o, TRUE, FALSE));
    AddBatchLast(BuildReadFrame(preset, GROUP_OUTPUT, NUM_OUTPUTS - 1, TRUE, FALSE), TRUE);
    SetTransferRange();
    g_bTransferBusy = 1;
    if (preset != 0) {
        std::unique_ptr<CSendData> name = BuildSystemFrame(CMD_PRESET_NAME, 0);
        if (name) {
            name->SetProgress(++m_host.BatchCount());
            m_host.AddPacket(std::move(name));
        }
        m_host.HoldMasterVolume(TRUE);
    }
    m_host.ShowProgress(preset != 0 ? 1 : 0);
    g_bLiveDataSent = 0;
}

// ---- Output copy, EQ resets, mixer defaults ---------------------------------------------------

void CBulkTransfer::QueueOutputRecord(int output) {
    CKTV_OutData* out = m_host.GetOutput(output);
    if (!out)
        return;
    out->StoreToImage();
    Add(BuildRecordFrame(0, GROUP_OUTPUT, output, TRUE, FALSE));
}

void CBulkTransfer::QueueInputRecord(int input) {
    CMusic_InData* in = m_host.GetInput(input);
    if (!in)
        return;
    in->StoreToImage();
    Add(BuildRecordFrame(0, GROUP_INPUT, input, TRUE, FALSE));
}

void CBulkTransfer::CopyOutput(int from, int to) {
    CKTV_OutData* src = m_host.GetOutput(from);
    CKTV_OutData* dst = m_host.GetOutput(to);
    if (!src || !dst)
        return;
    dst->CopyEqFrom(*src);
    if (m_host.IsLinkOpen()) {
        std::lock_guard lock(g_linkLock);
        QueueOutputRecord(to);
    }
}

BOOL CBulkTransfer::IsTweeterCode(int code) {
    return code == 1 || code == 7 || code == 13 || code == 16 || code == 19;
}

void CBulkTransfer::ApplyTweeterRules(CKTV_OutData& output) {
    if (!IsTweeterCode(output.GetPositionCode()))
        return;
    CFilter* hp = output.GetHPF();
    CFilter* lp = output.GetLPF();
    if (hp && hp->GetFreq() < 1000) {
        hp->SetFreq(1000, FALSE);
        if (lp && lp->GetFreq() < 1000)
            lp->SetFreq(20000, FALSE);
    }
    if (hp && hp->GetSlope() == kSlopeOff)
        hp->SetSlope(1, FALSE);
}

void CBulkTransfer::PasteOutput(int from, int to) {
    CKTV_OutData* src = m_host.GetOutput(from);
    CKTV_OutData* dst = m_host.GetOutput(to);
    if (!src || !dst)
        return;
    dst->CopyEqFrom(*src);
    ApplyTweeterRules(*dst);
    if (m_host.IsLinkOpen()) {
        std::lock_guard lock(g_linkLock);
        m_host.HoldMasterVolume(FALSE);
        QueueOutputRecord(to);
        m_host.HoldMasterVolume(TRUE);
    }
}

void CBulkTransfer::ResetOutputBands(int output) {
    CKTV_OutData* out = m_host.GetOutput(output);
    if (!out)
        return;
    if (output < kFirstShortOutput) {
        for (int b = 0; b < 31; ++b)
            if (CFilter* f = out->GetBand(b))
                f->ResetBand(g_isoFreq31[b]);
    } else {
        for (int b = 0; b < kShortOutputBands; ++b)
            if (CFilter* f = out->GetBand(b))
                f->ResetBand(g_octFreq10[b]);
    }
    out->UpdateCurve();
    if (m_host.IsLinkOpen())
        QueueOutputRecord(output);
}

void CBulkTransfer::ResetOutputEq(int output) {
    std::lock_guard lock(g_linkLock);
    ResetOutputBands(output);
}

void CBulkTransfer::ResetLinkedOutputEq() {
    DoResetLinkedOutputEq();
}

void CBulkTransfer::DoResetLinkedOutputEq() {
    {
        std::lock_guard lock(g_linkLock);
        const BOOL link = m_host.IsLinkOpen();
        if (link)
            m_host.HoldMasterVolume(FALSE);
        const int cur = g_nCurOut.load();
        if (cur >= 0 && cur < NUM_OUTPUTS) {
            ResetOutputBands(cur);
            const int group = g_nOutLinkGroup[cur].load();
            for (int o = 0; o < NUM_OUTPUTS; ++o)
                if (o != cur && g_nOutLinkGroup[o].load() == group)
                    ResetOutputBands(o);
        }
        if (link)
            m_host.HoldMasterVolume(TRUE);
    }
    OutputPageServices().LoadBands();
}

void CBulkTransfer::ResetInputEq(int input) {
    {
        std::lock_guard lock(g_linkLock);
        CMusic_InData* in = m_host.GetInput(input);
        if (!in)
            return;
        for (int b = 0; b < kInputBands; ++b) {
            CFilter* f = in->GetBand(b);
            if (f)
                f->ResetBand(b < kMicTableBands ? g_micFreq15[b] : g_isoFreq31[b]);
        }
        if (m_host.IsLinkOpen()) {
            m_host.HoldMasterVolume(FALSE);
            QueueInputRecord(input);
            m_host.HoldMasterVolume(TRUE);
        }
    }
    InputPageServices().RefreshChannel();
}

BOOL CBulkTransfer::DefaultMixLevels(int code, int deviceType, BYTE levels[14]) {
    if (code < 0 || code > 26)
        return FALSE;
    if (deviceType == 3 || deviceType == 4)
        TypedLevels(code, deviceType, levels);
    else
        StandardLevels(code, levels);
    return TRUE;
}

void CBulkTransfer::SetOutputMixDefaults(int output, int code, BOOL requestRestore) {
    BYTE levels[14];
    if (output < 0 || output >= NUM_OUTPUTS || !DefaultMixLevels(code, g_nDeviceType.load(), levels))
        return;
    {
        std::lock_guard lock(g_linkLock);
        OutputRecord& rec = g_curImage.outputs[output];
        std::memcpy(rec.mix1, levels, 8);
        std::memcpy(rec.mix2, levels + 8, 6);
    }
    CKTV_OutData* out = m_host.GetOutput(output);
    if (!out)
        return;
    out->SetMix1In1(levels[0]);
    out->SetMix1In2(levels[1]);
    out->SetMix1In3(levels[2]);
    out->SetMix1In4(levels[3]);
    out->SetMix1In5(levels[4]);
    out->SetMix1In6(levels[5]);
    out->SetMix1In7(levels[6]);
    out->SetMix1In8(levels[7]);
    out->SetMix2In1(levels[8]);
    out->SetMix2In2(levels[9]);
    out->SetMix2In3(levels[10]);
    out->SetMix2In4(levels[11]);
    out->SetMix2In5(levels[12]);
    out->SetMix2In6(levels[13]);
    if (requestRestore)
        out->RequestVolumeRestore();
}
