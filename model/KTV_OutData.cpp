#include "model/KTV_OutData.h"

#include "model/ChannelText.h"
#include "model/Filter.h"
#include "model/RecordFrames.h"
#include "platform/core/Archive.h"
#include "platform/core/Encoding.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_SERIAL(CKTV_OutData, CObject, 1)

namespace {

constexpr int kRangeTweeter = 11;
constexpr int kRangeDefault = 12;

bool IsTweeterCode(int code) {
    return code == 1 || code == 7 || code == 13 || code == 16 || code == 19;
}

struct PositionXover {
    int hpFreq;
    int lpFreq;
};

// Default crossover of each speaker-position code 0..26.
PositionXover DefaultXover(int code) {
    switch (code) {
    case 1:
    case 7:
    case 13:
    case 16:
    case 19:
        return {5300, 20000};
    case 2:
    case 8:
        return {600, 2900};
    case 3:
    case 9:
    case 14:
    case 17:
    case 20:
        return {70, 360};
    case 4:
    case 10:
        return {600, 20000};
    case 5:
    case 11:
        return {70, 2900};
    case 6:
    case 12:
        return {70, 20000};
    case 15:
    case 18:
        return {80, 20000};
    case 22:
    case 23:
    case 24:
    case 25:
    case 26:
        return {27, 55};
    default: // 0 (none) and 21
        return {20, 20000};
    }
}

void SetXoverFilters(CFilter& hp, CFilter& lp, const XoverRecord& rec) {
    hp.SetFreq(rec.hpFreq, TRUE);
    hp.SetFamily(rec.hpFamily, TRUE);
    hp.SetSlope(rec.hpSlope, TRUE);
    lp.SetFreq(rec.lpFreq, TRUE);
    lp.SetFamily(rec.lpFamily, TRUE);
    lp.SetSlope(rec.lpSlope, TRUE);
}

} // namespace

CKTV_OutData::CKTV_OutData() = default;

CKTV_OutData::~CKTV_OutData() = default;

// ---- Construction and identity ---------------------------------------------------------------

void CKTV_OutData::SetIndex(int n) {
    m_nIndex = static_cast<BYTE>(n);
    m_core.SetAddress(GROUP_OUTPUT, m_nIndex);
    if (n == 0 || n == 2 || n == 4) {
        m_bInLOff = 0;
        m_nInLevelL = 1;
    } else if (n == 1 || n == 3 || n == 5) {
        m_bInROff = 0;
        m_nInLevelR = 1;
    }
}

void CKTV_OutData::SetName(const CString& name) {
    std::lock_guard lock(g_linkLock);
    m_strName = name;
    m_bNameChanged = OnlineMark();
}

void CKTV_OutData::BuildBands(int nLastBand, int nXoverChunk, int nHpRange, int nHpFreq, int nLpFreq) {
    m_core.EQ().SetChannel(m_nIndex);
    m_core.EQ().BuildOutputBands(nLastBand, nXoverChunk, nHpRange, nHpFreq, nLpFreq);
}

// ---- Link-group copies -----------------------------------------------------------------------

template <class Fn> void CKTV_OutData::ForEachLinked(Fn fn) {
    if (m_nIndex >= NUM_OUTPUTS)
        return;
    const int group = g_nOutLinkGroup[m_nIndex].load();
    for (int j = 0; j < NUM_OUTPUTS; ++j) {
        if (j == m_nIndex || g_nOutLinkGroup[j].load() != group)
            continue;
        CKTV_OutData* other = g_pOutData[j];
        if (other && other != this)
            fn(*other);
    }
}

// Linked outputs take the level and the GEQ mode (not on, polarity, delay or position).
void CKTV_OutData::LevelCopy() {
    ForEachLinked([this](CKTV_OutData& o) {
        o.m_nLevel = m_nLevel;
        o.m_bLevelZero = (m_nLevel == 0);
        if (o.m_nGeqMode != m_nGeqMode) {
            o.m_nGeqMode = m_nGeqMode;
            o.PassGeqMode(kBandCount);
        }
        o.m_bLevelChanged = OnlineMark();
    });
}

void CKTV_OutData::Mix2Copy() {
    ForEachLinked([this](CKTV_OutData& o) {
        std::memcpy(o.m_mix2, m_mix2, sizeof m_mix2);
        o.m_bMix2Changed = OnlineMark();
    });
}

void CKTV_OutData::LimiterCopy() {
    ForEachLinked([this](CKTV_OutData& o) {
        o.SetLimiter(m_nLimThreshold, m_nLimAttack, m_nLimRelease);
        o.m_bLimiterChanged = OnlineMark();
    });
}

void CKTV_OutData::InLevelCopy() {
    ForEachLinked([this](CKTV_OutData& o) {
        o.m_nInLevelL = m_nInLevelL;
        o.m_nInLevelR = m_nInLevelR;
        o.m_nInLevel3 = m_nInLevel3;
        o.m_bAuxChanged = OnlineMark();
    });
}

// ---- Setters that mark -----------------------------------------------------------------------

void CKTV_OutData::SetLevel(int code) {
    std::lock_guard lock(g_linkLock);
    m_nLevel = static_cast<SHORT>(code);
    m_bLevelZero = (code == 0);
    m_bLevelChanged = OnlineMark();
    LevelCopy();
}

void CKTV_OutData::SetDelay(int code) {
    std::lock_guard lock(g_linkLock);
    m_nDelay = static_cast<SHORT>(code);
    m_bLevelChanged = OnlineMark();
}

void CKTV_OutData::SetEnabled(int on) {
    std::lock_guard lock(g_linkLock);
    m_nOn = static_cast<BYTE>(on);
    m_bLevelChanged = OnlineMark();
}

// Polarity and GEQ mode changes pass the level and the GEQ mode on (not the polarity).
void CKTV_OutData::SetPolarity(int p) {
    std::lock_guard lock(g_linkLock);
    m_nPolarity = static_cast<BYTE>(p);
    m_bLevelChanged = OnlineMark();
    LevelCopy();
}

void CKTV_OutData::SetGEQMode(int mode) {
    std::lock_guard lock(g_linkLock);
    m_nGeqMode = static_cast<BYTE>(mode);
    PassGeqMode(kBandCount);
    m_bLevelChanged = OnlineMark();
    LevelCopy();
}

void CKTV_OutData::SetLevelZero(int flag) {
    std::lock_guard lock(g_linkLock);
    m_bLevelZero = flag;
    m_bLevelChanged = OnlineMark();
}

void CKTV_OutData::SetMix1Byte(int i, BYTE v) {
    std::lock_guard lock(g_linkLock);
    if (m_mix1[i] == v)
        return;
    m_mix1[i] = v;
    m_bMix1Changed = OnlineMark();
}

void CKTV_OutData::SetMix2Byte(int i, BYTE v) {
    std::lock_guard lock(g_linkLock);
    if (m_mix2[i] == v)
        return;
    m_mix2[i] = v;
    m_bMix2Changed = OnlineMark();
}

void CKTV_OutData::SetMix2In7(BYTE v) {
    std::lock_guard lock(g_linkLock);
    m_mix2[6] = v;
    m_bMix2Changed = OnlineMark();
    Mix2Copy();
}

void CKTV_OutData::SetMix2Mask(BYTE v) {
    std::lock_guard lock(g_linkLock);
    m_mix2[7] = v;
    m_bMix2Changed = OnlineMark();
    Mix2Copy();
}

void CKTV_OutData::SetLimThreshold(int code) {
    std::lock_guard lock(g_linkLock);
    if (m_nLimThreshold == code)
        return;
    SetLimiter(code, m_nLimAttack, m_nLimRelease);
    m_bLimiterChanged = OnlineMark();
    LimiterCopy();
}

void CKTV_OutData::SetLimAttack(int code) {
    std::lock_guard lock(g_linkLock);
    if (m_nLimAttack == code)
        return;
    SetLimiter(m_nLimThreshold, code, m_nLimRelease);
    m_bLimiterChanged = OnlineMark();
    LimiterCopy();
}

void CKTV_OutData::SetLimRelease(int code) {
    std::lock_guard lock(g_linkLock);
    if (m_nLimRelease == code)
        return;
    SetLimiter(m_nLimThreshold, m_nLimAttack, code);
    m_bLimiterChanged = OnlineMark();
    LimiterCopy();
}

// The switch copy visits the linked outputs and changes nothing in them.
void CKTV_OutData::SetInLOff(int flag) {
    std::lock_guard lock(g_linkLock);
    m_bInLOff = flag;
    m_nInLevelL = static_cast<BYTE>(!flag);
    m_bAuxChanged = OnlineMark();
}

void CKTV_OutData::SetInROff(int flag) {
    std::lock_guard lock(g_linkLock);
    m_bInROff = flag;
    m_nInLevelR = static_cast<BYTE>(!flag);
    m_bAuxChanged = OnlineMark();
}

void CKTV_OutData::RequestVolumeRestore() {
    std::lock_guard lock(g_linkLock);
    m_bVolumeRestore = OnlineMark();
}

void CKTV_OutData::SetPosition(int code) {
    std::lock_guard lock(g_linkLock);
    if (code < SPEAKER_CODE_NONE || code > SPEAKER_CODE_MAX)
        return;
    m_nPosition = static_cast<BYTE>(code);
    CFilter* hp = GetHPF();
    CFilter* lp = GetLPF();
    if (!hp || !lp)
        return;
    hp->SetRangeMode(kRangeDefault);
    SetXoverFilters(*hp, *lp, PositionDefaultXover(code));
    if (IsTweeterCode(code))
        hp->SetRangeMode(kRangeTweeter);
}

XoverRecord CKTV_OutData::PositionDefaultXover(int code) {
    const PositionXover row = DefaultXover(code);
    XoverRecord x{};
    x.hpFreq = static_cast<SHORT>(row.hpFreq);
    x.hpFamily = XOVER_BUTTERWORTH;
    x.hpSlope = 1;
    x.lpFreq = static_cast<SHORT>(row.lpFreq);
    x.lpFamily = XOVER_BUTTERWORTH;
    x.lpSlope = 1;
    return x;
}

void CKTV_OutData::SetPositionXover(int code, const XoverRecord& rec) {
    std::lock_guard lock(g_linkLock);
    m_nPosition = static_cast<BYTE>(code);
    CFilter* hp = GetHPF();
    CFilter* lp = GetLPF();
    if (!hp || !lp)
        return;
    SetXoverFilters(*hp, *lp, rec);
}

// ---- Object-only values ----------------------------------------------------------------------

void CKTV_OutData::SetInLevelL(int v) {
    m_nInLevelL = static_cast<BYTE>(v);
    m_bAuxChanged = OnlineMark();
    InLevelCopy();
}

void CKTV_OutData::SetInLevelR(int v) {
    m_nInLevelR = static_cast<BYTE>(v);
    m_bAuxChanged = OnlineMark();
    InLevelCopy();
}

void CKTV_OutData::SetAuxLevelA(int v) {
    m_nAuxLevelA = static_cast<BYTE>(v);
    m_bAuxAOff = !v;
    m_bAuxChanged = OnlineMark();
    InLevelCopy();
}

void CKTV_OutData::SetAuxLevelB(int v) {
    m_nAuxLevelB = static_cast<BYTE>(v);
    m_bAuxBOff = !v;
    m_bAuxChanged = OnlineMark();
    InLevelCopy();
}

void CKTV_OutData::SetInLevel3(int v) {
    m_nInLevel3 = static_cast<BYTE>(v);
    m_bAuxChanged = OnlineMark();
    InLevelCopy();
}

void CKTV_OutData::SetInBalance(int v) {
    m_nInBalance = static_cast<BYTE>(v);
    m_bAuxChanged = OnlineMark();
}

void CKTV_OutData::SetInSwitchBits(int v) {
    m_nInSwitchBits = static_cast<BYTE>(v);
    m_bAuxChanged = OnlineMark();
}

void CKTV_OutData::SetAuxAOff(int flag) {
    m_bAuxAOff = flag;
    m_bAuxChanged = OnlineMark();
}

void CKTV_OutData::SetAuxBOff(int flag) {
    m_bAuxBOff = flag;
    m_bAuxChanged = OnlineMark();
}

void CKTV_OutData::SetIn3Off(int flag) {
    m_bIn3Off = flag;
    m_bAuxChanged = OnlineMark();
}

// ---- Setters that do not mark ----------------------------------------------------------------

void CKTV_OutData::SetPositionCode(int code) {
    std::lock_guard lock(g_linkLock);
    m_nPosition = static_cast<BYTE>(code);
    if (CFilter* hp = GetHPF())
        hp->SetRangeMode(IsTweeterCode(code) ? kRangeTweeter : kRangeDefault);
}

void CKTV_OutData::SetXover(const XoverRecord& rec) {
    m_core.LoadXover(rec);
}

void CKTV_OutData::SetMix1(const BYTE* bytes8) {
    std::lock_guard lock(g_linkLock);
    if (bytes8)
        std::memcpy(m_mix1, bytes8, sizeof m_mix1);
}

void CKTV_OutData::SetMix2(const BYTE* bytes8) {
    std::lock_guard lock(g_linkLock);
    if (bytes8)
        std::memcpy(m_mix2, bytes8, sizeof m_mix2);
}

void CKTV_OutData::SetLimiter(int threshold, int attack, int release) {
    std::lock_guard lock(g_linkLock);
    m_nLimThreshold = static_cast<SHORT>(threshold);
    m_nLimAttack = static_cast<SHORT>(attack);
    m_nLimRelease = static_cast<SHORT>(release);
}

void CKTV_OutData::SetAllChanged(BOOL flag) {
    std::lock_guard lock(g_linkLock);
    const int f = flag ? 1 : 0;
    m_bAuxChanged = f;
    m_bLevelChanged = f;
    m_bLimiterChanged = f;
    m_bMix2Changed = f;
    m_bMix1Changed = f;
    m_core.SetFiltersChanged(f);
}

void CKTV_OutData::CopyEqFrom(const CKTV_OutData& other) {
    std::lock_guard lock(g_linkLock);
    if (&other == this)
        return;
    m_core.EQ().CopyFrom(other.m_core.EQ());
    m_nLevel = other.m_nLevel;
    m_bLevelZero = (m_nLevel == 0);
    m_nGeqMode = other.m_nGeqMode;
    PassGeqMode(m_nIndex < FIRST_SHORT_OUTPUT ? OUTPUT_BANDS : OUTPUT_BANDS_SHORT);
    UpdateCurve();
}

void CKTV_OutData::PassGeqMode(int nBands) {
    const int n = std::min(nBands, GetFilterCount());
    for (int i = 0; i < n; ++i)
        if (CFilter* band = GetBand(i))
            band->SetGeqMode(m_nGeqMode);
}

// ---- Getters ---------------------------------------------------------------------------------

void CKTV_OutData::GetLimiter(SHORT out[3]) const {
    out[0] = m_nLimThreshold;
    out[1] = m_nLimAttack;
    out[2] = m_nLimRelease;
}

void CKTV_OutData::GetMix1(BYTE out[8]) const {
    std::memcpy(out, m_mix1, sizeof m_mix1);
}

void CKTV_OutData::GetMix2(BYTE out[8]) const {
    std::memcpy(out, m_mix2, sizeof m_mix2);
}

// ---- Bands -----------------------------------------------------------------------------------

BOOL CKTV_OutData::IsAllBandsBypassed() {
    m_bAllBypassed = m_core.AreBypassed(GetFilterCount());
    return m_bAllBypassed;
}

// ---- Image -----------------------------------------------------------------------------------

OutputRecord* CKTV_OutData::Record() const {
    return m_nIndex < NUM_OUTPUTS ? &g_curImage.outputs[m_nIndex] : nullptr;
}

void CKTV_OutData::PackLevelBlock(OutputRecord& rec) const {
    rec.on = m_nOn;
    rec.polarity = m_nPolarity;
    rec.levelCode = static_cast<WORD>(m_bLevelZero ? 0 : m_nLevel);
    rec.delay = m_nDelay;
    rec.geqMode = m_nGeqMode;
    rec.position = m_nPosition;
}

void CKTV_OutData::PackMix1(OutputRecord& rec) const {
    std::memcpy(rec.mix1, m_mix1, sizeof rec.mix1);
}

void CKTV_OutData::PackMix2(OutputRecord& rec) const {
    std::memcpy(rec.mix2, m_mix2, sizeof rec.mix2);
}

// Bytes 286..287 are not the channel's.
void CKTV_OutData::PackLimiter(OutputRecord& rec) const {
    rec.limThreshold = static_cast<WORD>(m_nLimThreshold);
    rec.limAttack = static_cast<WORD>(m_nLimAttack);
    rec.limRelease = static_cast<WORD>(m_nLimRelease);
}

void CKTV_OutData::PackBands(OutputRecord& rec) {
    m_core.PackBands(rec.bands, std::min(OUTPUT_BAND_SLOTS, GetFilterCount()));
}

void CKTV_OutData::PackAll(OutputRecord& rec) {
    PackBands(rec);
    PackLevelBlock(rec);
    m_core.PackXover(rec.xover);
    PackMix2(rec);
    PackLimiter(rec);
    PackMix1(rec);
}

std::unique_ptr<CSendData> CKTV_OutData::StoreLevelBlock(BOOL bSend) {
    return m_core.Store(Record(), bSend, CHUNK_OUT_LEVEL, [this](OutputRecord& rec) { PackLevelBlock(rec); });
}

std::unique_ptr<CSendData> CKTV_OutData::StoreXoverChunk(BOOL bSend) {
    return m_core.Store(Record(), bSend, CHUNK_OUT_XOVER,
                        [this](OutputRecord& rec) { m_core.PackXover(rec.xover); });
}

// The set frequencies at once: the sent ones catch up and the marks are acknowledged.
std::unique_ptr<CSendData> CKTV_OutData::StoreXoverBlock() {
    return m_core.Store(Record(), TRUE, CHUNK_OUT_XOVER, [this](OutputRecord& rec) {
        m_core.PackXover(rec.xover, true);
        for (CFilter* f : {GetHPF(), GetLPF()}) {
            if (f) {
                f->SetSentFreq(f->GetFreq());
                f->AckChange(0);
            }
        }
    });
}

std::unique_ptr<CSendData> CKTV_OutData::StoreMix1Block(BOOL bSend) {
    return m_core.Store(Record(), bSend, CHUNK_OUT_MIX1, [this](OutputRecord& rec) { PackMix1(rec); });
}

std::unique_ptr<CSendData> CKTV_OutData::StoreMix2Block(BOOL bSend) {
    return m_core.Store(Record(), bSend, CHUNK_OUT_MIX2, [this](OutputRecord& rec) { PackMix2(rec); });
}

std::unique_ptr<CSendData> CKTV_OutData::StoreLimiterBlock(BOOL bSend) {
    return m_core.Store(Record(), bSend, CHUNK_OUT_LIMITER, [this](OutputRecord& rec) { PackLimiter(rec); });
}

// A name that does not fit leaves the old bytes (reported through the model's error hook); the
// frame still goes out with them.
std::unique_ptr<CSendData> CKTV_OutData::StoreNameBlock() {
    return m_core.Store(Record(), TRUE, CHUNK_OUT_NAME, [this](OutputRecord& rec) {
        StringToField(rec.name, kChannelNameFieldWidth, m_strName);
    });
}

std::unique_ptr<CSendData> CKTV_OutData::StoreBand(int nBand, int nChunk) {
    OutputRecord* rec = Record();
    return m_core.StoreBand(rec ? rec->bands : nullptr, std::min(OUTPUT_BAND_SLOTS, GetFilterCount()), nBand,
                            nChunk);
}

void CKTV_OutData::StoreToImage() {
    m_core.Store(Record(), FALSE, 0, [this](OutputRecord& rec) { PackAll(rec); });
}

std::unique_ptr<CSendData> CKTV_OutData::StoreRecordFrame(int nPreset) {
    std::lock_guard lock(g_linkLock);
    OutputRecord* rec = Record();
    if (!rec)
        return nullptr;
    PackAll(*rec);
    StringToField(rec->name, kChannelNameFieldWidth, m_strName);
    return m_core.RecordFrame(nPreset);
}

std::unique_ptr<CSendData> CKTV_OutData::SendRecordIfLocked(const CString& code) {
    if (code.IsEmpty())
        return nullptr;
    return StoreRecordFrame(0);
}

void CKTV_OutData::LoadFromRecord(const OutputRecord* rec) {
    if (!rec)
        return;
    // The record may be g_curImage, which the link worker writes.
    std::lock_guard lock(g_linkLock);
    m_core.UnpackBands(rec->bands, std::min(OUTPUT_BAND_SLOTS, GetFilterCount()));
    LoadLevelBlock(rec);
    SetXover(rec->xover);
    SetMix2(rec->mix2);
    SetLimiter(static_cast<SHORT>(rec->limThreshold.Get()), static_cast<SHORT>(rec->limAttack.Get()),
               static_cast<SHORT>(rec->limRelease.Get()));
    SetMix1(rec->mix1);
}

void CKTV_OutData::LoadLevelBlock(const OutputRecord* rec) {
    if (!rec)
        return;
    m_nOn = rec->on;
    m_nPolarity = rec->polarity;
    m_nDelay = rec->delay;
    m_nLevel = static_cast<SHORT>(rec->levelCode.Get());
    m_bLevelZero = (m_nLevel == 0);
    m_nGeqMode = rec->geqMode;
    const int type = g_nDeviceType.load();
    PassGeqMode(m_nIndex < FIRST_SHORT_OUTPUT || type == 3 || type == 4 ? OUTPUT_BANDS : OUTPUT_BANDS_SHORT);
    m_nPosition = rec->position;
}

// ---- Texts -----------------------------------------------------------------------------------

CString CKTV_OutData::FormatGainText() const {
    if (m_bLevelZero)
        return CString("-60.0dB");
    return FormatFixed(m_nLevel * 0.1 - 60.0, 1) + "dB";
}

CString CKTV_OutData::FormatPolarityText() const {
    return ChannelPolarityText(m_nPolarity);
}

CString CKTV_OutData::FormatOnOffText() const {
    return ChannelOnOffText(m_nOn);
}

// The record holds samples at 48 kHz.
CString CKTV_OutData::FormatDelayText() const {
    return FormatFixed(m_nDelay / 48.0, 1) + "ms";
}

CString CKTV_OutData::FormatLimThresholdText() const {
    return FormatFixed(m_nLimThreshold * 0.1 - 30.0, 1) + "dBu";
}

CString CKTV_OutData::FormatLimAttackText() const {
    if (m_nLimAttack > 6) {
        CString s;
        s.Format("%dms", m_nLimAttack - 6);
        return s;
    }
    return FormatFixed((m_nLimAttack + 3) * 0.1, 1) + "ms";
}

CString CKTV_OutData::FormatLimReleaseText() const {
    static const char* const kTexts[] = {"Atk * 2", "Atk * 4", "Atk * 6", "Atk * 8", "Atk * 16", "Atk * 32"};
    if (m_nLimRelease < 0 || m_nLimRelease > 5)
        return CString();
    return CString(kTexts[m_nLimRelease]);
}

CString CKTV_OutData::FormatInLText() const {
    return m_bInLOff ? CString("0%") : ChannelPercentText(m_nInLevelL);
}

CString CKTV_OutData::FormatInRText() const {
    return m_bInROff ? CString("0%") : ChannelPercentText(m_nInLevelR);
}

CString CKTV_OutData::FormatIn3Text() const {
    return m_bIn3Off ? CString("0%") : ChannelPercentText(m_nInLevel3);
}

CString CKTV_OutData::FormatSwitchBitText(int bit) const {
    if (bit < 0 || bit > 4)
        return CString();
    return CString((m_nInSwitchBits >> bit) & 1 ? "On" : "OFF");
}

CString CKTV_OutData::FormatAuxLevelAText() const {
    return ChannelPercentText(m_nAuxLevelA);
}

CString CKTV_OutData::FormatAuxLevelBText() const {
    return ChannelPercentText(m_nAuxLevelB);
}

CString CKTV_OutData::FormatInBalanceText() const {
    CString s;
    s.Format("%d%%:%d%%", m_nInBalance, 100 - m_nInBalance);
    return s;
}

CString CKTV_OutData::FormatInLOnOffText() const {
    return CString(m_nInLevelL ? "ON" : "OFF");
}

CString CKTV_OutData::FormatInROnOffText() const {
    return CString(m_nInLevelR ? "ON" : "OFF");
}

// ---- Graph -----------------------------------------------------------------------------------

void CKTV_OutData::SetCurveRect(const CRect& rect) {
    m_core.SetCurveRect(rect);
    UpdateCurve();
}

// The sum refreshes the float points here, the whole points in UpdateBandCurve.
void CKTV_OutData::UpdateCurve() {
    m_core.UpdateCurveFloat();
}

void CKTV_OutData::UpdateBandCurve(int index) {
    CFilter* f = GetBand(index);
    if (!f)
        return;
    f->UpdateResponse();
    m_core.UpdateCurveWhole();
}

// ---- Archive ---------------------------------------------------------------------------------

void CKTV_OutData::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_strName << m_nOn << m_nPolarity << m_nLevel << m_nDelay << m_nPosition << m_nInLevelL
           << m_nInLevelR << m_nInLevel3 << m_nInBalance << m_nLimAttack << m_nLimThreshold << m_nLimRelease
           << m_bAllBypassed;
    } else {
        ar >> m_strName >> m_nOn >> m_nPolarity >> m_nLevel >> m_nDelay >> m_nPosition >> m_nInLevelL >>
            m_nInLevelR >> m_nInLevel3 >> m_nInBalance >> m_nLimAttack >> m_nLimThreshold >> m_nLimRelease >>
            m_bAllBypassed;
        m_bLevelZero = (m_nLevel == 0);
        m_bInLOff = (m_nInLevelL == 0);
        m_bInROff = (m_nInLevelR == 0);
        m_bIn3Off = (m_nInLevel3 == 0);
    }
    m_core.EQ().Serialize(ar);
}
