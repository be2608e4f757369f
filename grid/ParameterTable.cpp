#include "grid/ParameterTable.h"

#include "model/Filter.h"
#include "model/KTV_Data.h"

#include <algorithm>

namespace {

// What one channel gives the table.
struct ChannelValues {
    std::vector<const CFilter*> bands;
    const CFilter* hpf = nullptr;
    const CFilter* lpf = nullptr;
    // In the order of the channel rows.
    CString rows[CParameterTable::kChannelRows];
};

enum ChannelRow { kPolarity, kDelay, kGain, kInL, kInR, kOnOff, kBlank1, kThreshold, kAttack, kRelease };

template <class Channel> void TakeFilters(const Channel& ch, int bandCount, ChannelValues& v) {
    for (int i = 0; i < bandCount; ++i)
        if (const CFilter* f = ch.GetBand(i))
            v.bands.push_back(f);
    v.hpf = ch.GetHPF();
    v.lpf = ch.GetLPF();
}

ChannelValues Mic(const CMIC_InData& ch) {
    ChannelValues v;
    TakeFilters(ch, ch.GetBandCount(), v);
    v.rows[kPolarity] = ch.FormatPolarityText();
    v.rows[kDelay] = ch.FormatDelayText();
    v.rows[kGain] = ch.FormatGainText();
    v.rows[kOnOff] = ch.FormatOnOffText();
    return v;
}

ChannelValues Music(const CMusic_InData& ch) {
    ChannelValues v;
    TakeFilters(ch, ch.GetBandCount(), v);
    v.rows[kPolarity] = ch.FormatPolarityText();
    v.rows[kDelay] = ch.FormatDelayText();
    v.rows[kGain] = ch.FormatGainText();
    v.rows[kOnOff] = ch.FormatOnOffText();
    return v;
}

ChannelValues Effect(const CEffect_Data& ch) {
    ChannelValues v;
    TakeFilters(ch, ch.GetBandCount(), v);
    v.rows[kDelay] = ch.FormatDelayText();
    return v;
}

ChannelValues Output(const CKTV_OutData& ch) {
    ChannelValues v;
    TakeFilters(ch, std::max(0, ch.GetFilterCount() - 2), v);
    v.rows[kPolarity] = ch.FormatPolarityText();
    v.rows[kDelay] = ch.FormatDelayText();
    v.rows[kGain] = ch.FormatGainText();
    v.rows[kInL] = ch.FormatInLText();
    v.rows[kInR] = ch.FormatInRText();
    v.rows[kOnOff] = ch.FormatOnOffText();
    v.rows[kThreshold] = ch.FormatLimThresholdText();
    v.rows[kAttack] = ch.FormatLimAttackText();
    v.rows[kRelease] = ch.FormatLimReleaseText();
    return v;
}

bool IsShelf(const CFilter& f) {
    return f.GetType() == 1 || f.GetType() == 2;
}

// Type, gain, frequency, bandwidth (shelf slope), Q (empty for a shelf), blank.
CString BandValue(const CFilter& f, int field) {
    switch (field) {
    case 0:
        return f.FormatTypeText();
    case 1:
        return f.FormatGainText();
    case 2:
        return f.FormatFreqText();
    case 3:
        return IsShelf(f) ? f.FormatShelfSlopeText() : f.FormatBandwidthText();
    case 4:
        return IsShelf(f) ? CString() : f.FormatQText();
    default:
        return CString();
    }
}

// Family, frequency, slope of a crossover filter.
CString CrossoverValue(const CFilter* f, int field) {
    if (!f)
        return CString();
    switch (field) {
    case 0:
        return f->FormatFamilyText();
    case 1:
        return f->FormatFreqText();
    case 2:
        return f->FormatSlopeText();
    default:
        return CString();
    }
}

} // namespace

CString CParameterTable::BandLabel(int band, int field, bool chinese) {
    CString s;
    const int f = field < 0 ? 0 : field >= kRowsPerBand ? kRowsPerBand - 1 : field;
    if (chinese) {
        static const char* const kZh[kRowsPerBand] = {"均衡%d类型", "均衡%d增益", "均衡%d频率",
                                                      "均衡%d宽度", "均衡%dQ值",  ""};
        s.Format(kZh[f], band);
        return s;
    }
    // Bands 15, 30 and 31 have always been labelled without the space (and "req").
    const bool joined = band == 15 || band == 30 || band == 31;
    static const char* const kEn[kRowsPerBand] = {"EQ%d Type", "EQ%d Gain", "EQ%d Freq",
                                                  "EQ%d BW",   "EQ%d Q",    ""};
    static const char* const kJoined[kRowsPerBand] = {"EQ%d Type", "EQ%dGain", "EQ%dreq",
                                                      "EQ%d BW",   "EQ%dQ",    ""};
    s.Format((joined ? kJoined : kEn)[f], band);
    return s;
}

CString CParameterTable::CrossoverLabel(int row, bool chinese) {
    static const char* const kEn[kCrossoverRows] = {"HPF_Type", "HPF_Freq", "HPF_Oct", "",
                                                    "LPF_Type", "LPF_Freq", "LPF_Oct", ""};
    static const char* const kZh[kCrossoverRows] = {"低切类型", "低切频率", "低切斜率", "",
                                                    "高切类型", "高切频率", "高切斜率", ""};
    if (row < 0 || row >= kCrossoverRows)
        return CString();
    return chinese ? kZh[row] : kEn[row];
}

CString CParameterTable::ChannelLabel(int row, bool chinese) {
    static const char* const kEn[kChannelRows] = {"POL", "Delay",     "Gain",   "IN L",    "IN R", "Mute",
                                                  "",    "Threshold", "Attach", "Release", ""};
    static const char* const kZh[kChannelRows] = {
        "相  位", "延  时", "增益", "输入左", "输入右", "静  音", "", "限幅电平", "响应时间", "释放时间", ""};
    if (row < 0 || row >= kChannelRows)
        return CString();
    return chinese ? kZh[row] : kEn[row];
}

std::vector<CString> CParameterTable::RowLabels(int bands, bool chinese) {
    std::vector<CString> labels;
    labels.reserve(static_cast<size_t>(RowCount(bands)));
    for (int b = 1; b <= bands; ++b)
        for (int f = 0; f < kRowsPerBand; ++f)
            labels.push_back(BandLabel(b, f, chinese));
    for (int r = 0; r < kCrossoverRows; ++r)
        labels.push_back(CrossoverLabel(r, chinese));
    for (int r = 0; r < kChannelRows; ++r)
        labels.push_back(ChannelLabel(r, chinese));
    return labels;
}

CString CParameterTable::ColumnTitle(int column, bool chinese) {
    static const char* const kEn[kTitles] = {"Args", "MIC", "CH1",    "CH2",  "CH3", "CH4",
                                             "CH5",  "CH6", "Effect", "OUT1", "",    ""};
    static const char* const kZh[kTitles] = {"参数", "话筒", "CH1",  "CH2",   "CH3", "CH4",
                                             "CH5",  "CH6",  "效果", "输出1", "",    ""};
    if (column < 0 || column >= kTitles)
        return CString();
    return chinese ? kZh[column] : kEn[column];
}

CParameterTable::CParameterTable(const CKTV_Data& doc) {
    std::vector<ChannelValues> channels;
    channels.reserve(kChannels);
    channels.push_back(doc.GetMic(0) ? Mic(*doc.GetMic(0)) : ChannelValues());
    for (int i = 0; i < NUM_INPUTS; ++i)
        channels.push_back(doc.GetMusic(i) ? Music(*doc.GetMusic(i)) : ChannelValues());
    channels.push_back(Effect(*doc.GetEffect()));
    channels.push_back(doc.GetOut(0) ? Output(*doc.GetOut(0)) : ChannelValues());

    for (const ChannelValues& ch : channels)
        m_bands = std::max(m_bands, static_cast<int>(ch.bands.size()));
    m_cells.assign(static_cast<size_t>(RowCount(m_bands)), std::vector<CString>(kChannels));
    for (size_t c = 0; c < channels.size(); ++c) {
        const ChannelValues& ch = channels[c];
        size_t row = 0;
        for (int b = 0; b < m_bands; ++b)
            for (int f = 0; f < kRowsPerBand; ++f, ++row)
                if (static_cast<size_t>(b) < ch.bands.size())
                    m_cells[row][c] = BandValue(*ch.bands[static_cast<size_t>(b)], f);
        for (int r = 0; r < kCrossoverRows; ++r, ++row)
            m_cells[row][c] =
                CrossoverValue(r < kCrossoverRows / 2 ? ch.hpf : ch.lpf, r % (kCrossoverRows / 2));
        for (int r = 0; r < kChannelRows; ++r, ++row)
            m_cells[row][c] = ch.rows[r];
    }
}

const CString& CParameterTable::GetCell(int row, int channel) const {
    static const CString kEmpty;
    if (row < 0 || row >= GetRowCount() || channel < 0 || channel >= kChannels)
        return kEmpty;
    return m_cells[static_cast<size_t>(row)][static_cast<size_t>(channel)];
}
