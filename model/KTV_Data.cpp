#include "model/KTV_Data.h"

#include "model/Conversions.h"
#include "model/Globals.h"
#include "model/PresetServices.h"
#include "model/RecordFrames.h"
#include "model/ViewServices.h"
#include "platform/core/Archive.h"
#include "platform/core/SingleLock.h"
#include "wire/LinkFrame.h"

#include <algorithm>

IMPLEMENT_SERIAL(CKTV_Data, CObject, 1)

namespace {

constexpr int kNameFieldWidth = 16;
constexpr int kMusicBands = 31;
constexpr int kOutputBandsWide = 31;   // outputs 1..6
constexpr int kOutputBandsNarrow = 10; // outputs 7 and 8, whatever the device type

std::unique_ptr<CSendData> PresetNameFrame() {
    return BuildSystemFrame(CMD_PRESET_NAME, 0);
}

void WriteCustomName() {
    StringToField(g_curImage.system.name, kNameFieldWidth, CString(g_strCustom));
}

} // namespace

CKTV_Data::CKTV_Data() {
    InitLinkTable();
}

CKTV_Data::~CKTV_Data() {
    // Neither the link nor the link table may keep pointing into a model that is gone.
    if (&LinkDocument() == static_cast<CLinkDocument*>(this))
        SetLinkDocument(nullptr);
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        for (int j = 0; j < m_outRoute.GetCount(); ++j)
            if (g_pOutData[i] == m_outRoute.GetAt(j))
                g_pOutData[i] = nullptr;
}

void CKTV_Data::InitLinkTable() {
    for (int i = 0; i < NUM_OUTPUTS; ++i) {
        g_nOutLinkGroup[i] = i;
        g_pOutData[i] = GetOut(i);
    }
    g_bLRLinked = 0;
}

void CKTV_Data::SetAllChanged(BOOL flag) {
    std::lock_guard lock(g_linkLock);
    m_effect.SetAllChanged(0);
    m_micRoute.SetAllChanged(0);
    m_musicRoute.SetAllChanged(0);
    m_outRoute.SetAllChanged(0);
    g_bSystemDataDirty = flag ? 1 : 0;
    g_bSourceSetDirty = 0;
}

void CKTV_Data::LoadFromImage(const PresetImage* image, int nPreset) {
    if (!image)
        return;
    std::lock_guard lock(g_linkLock);
    if (nPreset == 0 || nPreset == 6)
        m_effect.LoadFromRecord(image->system.effect);
    m_micRoute.LoadChannel(&image->mic, 0);
    for (int i = 0; i < NUM_INPUTS; ++i)
        m_musicRoute.LoadChannel(&image->inputs[i], i);
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        m_outRoute.LoadChannel(&image->outputs[j], j);
}

void CKTV_Data::LoadEffect() {
    std::lock_guard lock(g_linkLock);
    m_effect.LoadFromRecord(g_curImage.system.effect);
}

void CKTV_Data::StoreToImage() {
    std::lock_guard lock(g_linkLock);
    m_effect.StoreToImage();
    if (CMIC_InData* mic = GetMic(0))
        mic->StoreToImage();
    for (int i = 0; i < NUM_INPUTS; ++i)
        if (CMusic_InData* in = GetMusic(i))
            in->StoreToImage();
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        if (CKTV_OutData* out = GetOut(j))
            out->StoreToImage();
}

void CKTV_Data::StoreCrossovers() {
    std::lock_guard lock(g_linkLock);
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        if (CKTV_OutData* out = GetOut(i))
            out->GetXover(g_xoverTable[i]);
}

void CKTV_Data::SetOutCurveRect(CRect rect) {
    m_rcOutCurve = rect;
    for (int i = 0; i < m_outRoute.GetCount(); ++i)
        GetOut(i)->SetCurveRect(rect);
}

void CKTV_Data::SetMusicCurveRect(CRect rect) {
    for (int i = 0; i < m_musicRoute.GetCount(); ++i)
        GetMusic(i)->SetCurveRect(rect);
}

void CKTV_Data::SetCurveRects(CRect rect) {
    SetOutCurveRect(rect);
    SetMusicCurveRect(rect);
}

void CKTV_Data::Serialize(CArchive& ar) {
    m_effect.Serialize(ar);
    m_micRoute.Serialize(ar);
    m_musicRoute.Serialize(ar);
    m_outRoute.Serialize(ar);
}

// ---- Send scheduler --------------------------------------------------------------------------

std::unique_ptr<CSendData> CKTV_Data::BuildNextChangeFrame() {
    std::lock_guard lock(g_linkLock);
    if (g_bSystemDataDirty.load() && g_bSystemDataDirty.exchange(0))
        return BuildSystemFrame(CMD_SYSTEM_DATA, 0);
    if (g_bSourceSetDirty.load() && g_bSourceSetDirty.exchange(0))
        return BuildSystemFrame(CMD_SOURCE_SET, 0);
    if (g_bPresetNameDirty.load() && g_bPresetNameDirty.exchange(0)) {
        g_curPresetNo[0] = 0;
        return PresetNameFrame();
    }
    if (g_bLiveDataSent.load())
        if (auto frame = NextNameFrame())
            return frame;
    for (int i = 0; i < m_musicRoute.GetCount(); ++i)
        if (auto frame = NextMusicFrame(*GetMusic(i)))
            return frame;
    for (int i = 0; i < m_outRoute.GetCount(); ++i) {
        bool found = false;
        auto frame = NextOutputFrame(*GetOut(i), &found);
        if (found)
            return frame;
    }
    return BuildChunkFrame(GROUP_POLL, 0, 0);
}

// The live name becomes "Custom" once changes were sent; null when there is nothing to do.
std::unique_ptr<CSendData> CKTV_Data::NextNameFrame() {
    m_strPresetName = FieldToString(g_curImage.system.name, kNameFieldWidth);
    if (!(m_strPresetName == g_strCustom)) {
        WriteCustomName();
        PresetServices().PostPresetNameChanged();
        return PresetNameFrame();
    }
    if (g_curPresetNo[0] != 0) {
        PresetServices().PostPresetNameChanged();
        return PresetNameFrame();
    }
    if (!(g_strEmpty == g_strCustom)) {
        g_strEmpty = g_strCustom;
        WriteCustomName();
        PresetServices().PostPresetNameChanged();
        return PresetNameFrame();
    }
    return nullptr;
}

// Level, noise gate and EQ bands; the name, ext and crossover marks wait for a whole-record send.
std::unique_ptr<CSendData> CKTV_Data::NextMusicFrame(CMusic_InData& in) {
    if (in.TakeLevelChange()) {
        g_bLiveDataSent = 1;
        return in.StoreLevelBlock(TRUE);
    }
    if (in.TakeNoiseGateChange()) {
        g_bLiveDataSent = 1;
        return in.StoreNoiseGateBlock(TRUE);
    }
    const CKTVEQ& eq = in.GetEQ();
    const int bands = std::min<int>(kMusicBands, static_cast<int>(eq.GetSize()));
    for (int j = 0; j < bands; ++j) {
        CFilter* band = eq.GetAt(j);
        if (band && band->IsChanged()) {
            band->AckChange(0);
            g_bLiveDataSent = 1;
            return in.StoreBand(j, band->GetBandId());
        }
    }
    return nullptr;
}

// *found tells a pending change that yields no frame apart from nothing pending.
std::unique_ptr<CSendData> CKTV_Data::NextOutputFrame(CKTV_OutData& out, bool* found) {
    *found = true;
    if (out.TakeNameChange()) {
        g_bLiveDataSent = 1;
        return out.StoreNameBlock();
    }
    if (out.TakeLevelChange()) {
        g_bLiveDataSent = 1;
        return out.StoreLevelBlock(TRUE);
    }
    if (out.TakeXoverChange()) {
        g_bLiveDataSent = 1;
        return out.StoreXoverChunk(TRUE);
    }
    if (out.TakeMix2Change()) {
        g_bLiveDataSent = 1;
        return out.StoreMix2Block(TRUE);
    }
    if (out.TakeLimiterChange()) {
        g_bLiveDataSent = 1;
        return out.StoreLimiterBlock(TRUE);
    }
    if (out.TakeMix1Change()) {
        g_bLiveDataSent = 1;
        return out.StoreMix1Block(TRUE);
    }
    if (out.TakeRecordRequest()) {
        g_bLiveDataSent = 1;
        const CString code = g_strLockPassword;
        return out.SendRecordIfLocked(code);
    }
    if (out.TakeSpareRequest()) {
        g_bLiveDataSent = 1;
        return nullptr;
    }
    if (out.TakeVolumeRestore())
        ViewServices().HoldMasterVolume(TRUE);
    const CKTVEQ& eq = out.GetEQ();
    const int bands = std::min<int>(out.GetIndex() < 6 ? kOutputBandsWide : kOutputBandsNarrow,
                                    static_cast<int>(eq.GetSize()));
    for (int j = 0; j < bands; ++j) {
        CFilter* band = eq.GetAt(j);
        if (band && band->IsChanged()) {
            band->AckChange(0);
            g_bLiveDataSent = 1;
            return out.StoreBand(j, band->GetBandId());
        }
    }
    *found = false;
    return nullptr;
}
