// The archive form of every channel and of the document, pinned with bytes built by hand field by
// field: loading the fixture gives each field its own value (so two swapped fields of the same
// width are caught) and storing the loaded object gives the fixture back byte for byte.
#include "ChannelFixture.h"
#include "model/Effect_Data.h"
#include "model/KTVEQ.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/MIC_InData.h"
#include "model/Music_InData.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// Little-endian fields and archive strings (a length byte below 255, then the GBK bytes).
class Layout {
public:
    Layout& Int(long long v, int width) {
        for (int i = 0; i < width; ++i)
            m_bytes.push_back(static_cast<BYTE>(static_cast<unsigned long long>(v) >> (8 * i)));
        return *this;
    }
    Layout& Real(double v) {
        unsigned long long u;
        std::memcpy(&u, &v, 8);
        return Int(static_cast<long long>(u), 8);
    }
    Layout& Str(const std::string& gbk) {
        m_bytes.push_back(static_cast<BYTE>(gbk.size()));
        m_bytes.insert(m_bytes.end(), gbk.begin(), gbk.end());
        return *this;
    }
    Layout& Append(const Bytes& b) {
        m_bytes.insert(m_bytes.end(), b.begin(), b.end());
        return *this;
    }
    const Bytes& bytes() const { return m_bytes; }

private:
    Bytes m_bytes;
};

// One number of a channel's archive: its width in bytes and the getter that shows it.
template <class T> struct Field {
    const char* name;
    int width;
    int (T::*get)() const;
};

// The channels' own fields in archive order, after the name and before the band set.
const Field<CMIC_InData> kMicFields[] = {
    {"echo level", 4, &CMIC_InData::GetEchoLevel},
    {"on", 4, &CMIC_InData::GetEnabled},
    {"polarity", 4, &CMIC_InData::GetPolarity},
    {"mode", 4, &CMIC_InData::GetMode},
    {"level", 4, &CMIC_InData::GetLevel},
    {"delay", 4, &CMIC_InData::GetDelay},
    {"noise gate", 4, &CMIC_InData::GetNoiseGate},
    {"ext level", 2, &CMIC_InData::GetExtLevel},
    {"ext A", 4, &CMIC_InData::GetExtA},
    {"ext B", 4, &CMIC_InData::GetExtB},
    {"all bypassed", 4, &CMIC_InData::GetAllBypassed},
};

const Field<CMusic_InData> kMusicFields[] = {
    {"on", 4, &CMusic_InData::GetEnabled},           {"phase", 4, &CMusic_InData::GetPhase},
    {"level", 4, &CMusic_InData::GetLevel},          {"delay", 4, &CMusic_InData::GetDelay},
    {"noise gate", 4, &CMusic_InData::GetNoiseGate}, {"ext level", 4, &CMusic_InData::GetExtLevel},
    {"ext A", 4, &CMusic_InData::GetExtA},           {"ext B", 4, &CMusic_InData::GetExtB},
};

const Field<CKTV_OutData> kOutFields[] = {
    {"on", 1, &CKTV_OutData::GetEnabled},
    {"polarity", 1, &CKTV_OutData::GetPolarity},
    {"level", 2, &CKTV_OutData::GetLevel},
    {"delay", 2, &CKTV_OutData::GetDelay},
    {"position", 1, &CKTV_OutData::GetPositionCode},
    {"in level L", 1, &CKTV_OutData::GetInLevelL},
    {"in level R", 1, &CKTV_OutData::GetInLevelR},
    {"in level 3", 1, &CKTV_OutData::GetInLevel3},
    {"in balance", 1, &CKTV_OutData::GetInBalance},
    {"limiter attack", 2, &CKTV_OutData::GetLimAttack},
    {"limiter threshold", 2, &CKTV_OutData::GetLimThreshold},
    {"limiter release", 2, &CKTV_OutData::GetLimRelease},
    {"all bypassed", 4, &CKTV_OutData::GetAllBypassed},
};

// m_nValueC is not archived.
const Field<CEffect_Data> kEffectFields[] = {
    {"balance", 4, &CEffect_Data::GetBalance},          {"delay A", 4, &CEffect_Data::GetDelayA},
    {"percent A", 4, &CEffect_Data::GetPercentA},       {"percent B", 4, &CEffect_Data::GetPercentB},
    {"value A", 4, &CEffect_Data::GetValueA},           {"time", 4, &CEffect_Data::GetTimeTenths},
    {"percent C", 4, &CEffect_Data::GetPercentC},       {"value B", 4, &CEffect_Data::GetValueB},
    {"percent D", 4, &CEffect_Data::GetPercentD},       {"delay B", 4, &CEffect_Data::GetDelayB},
    {"all bypassed", 4, &CEffect_Data::GetAllBypassed},
};

// A value for field k of channel `seed` that no other field of the channel shares and that fills
// its width: bytes from 0x10, signed 16-bit values negative, 32-bit values above 16 bits.
int ValueOf(int width, size_t k, int seed) {
    const int n = static_cast<int>(k) + 1 + 20 * seed;
    switch (width) {
    case 1:
        return (0x10 + n) & 0xFF;
    case 2:
        return -(0x100 * (n % 0x7F) + 7);
    default:
        return 0x10000 * n + 0x0305;
    }
}

template <class T, size_t N> Layout& Fields(Layout& l, const Field<T> (&fields)[N], int seed) {
    for (size_t k = 0; k < N; ++k)
        l.Int(ValueOf(fields[k].width, k, seed), fields[k].width);
    return l;
}

template <class T, size_t N> void ExpectFields(const T& ch, const Field<T> (&fields)[N], int seed) {
    for (size_t k = 0; k < N; ++k) {
        // Through a reference: gcc's bounds check misreads a member-function call on an indexed
        // array element and reports a bogus index.
        const Field<T>& field = fields[k];
        EXPECT_EQ((ch.*field.get)(), ValueOf(field.width, k, seed)) << field.name << " seed " << seed;
    }
}

// Archive bytes of one channel: name, own fields, then its band set (pinned on its own below).
template <class T, size_t N>
Bytes ChannelBytes(const std::string& gbkName, const Field<T> (&fields)[N], int seed, CKTVEQ& eq) {
    Layout l;
    l.Str(gbkName);
    Fields(l, fields, seed);
    return l.Append(ArchiveBytes(eq)).bytes();
}

// Loads the hand-built archive of a freshly built channel (its own default band set after the
// fields) and stores it again.
template <class T, size_t N>
void ExpectLayout(T& ch, const std::string& gbkName, const char* name, const Field<T> (&fields)[N],
                  int seed) {
    SCOPED_TRACE(name);
    const Bytes want = ChannelBytes(gbkName, fields, seed, ch.GetEQ());
    LoadArchive(ch, want);
    EXPECT_EQ(ch.GetName(), CString(name));
    ExpectFields(ch, fields, seed);
    EXPECT_EQ(ArchiveBytes(ch), want);
}

class ArchiveLayoutTest : public ChannelTest {};

// Names are stored as GBK bytes, not UTF-8.
TEST_F(ArchiveLayoutTest, ChannelFieldsInOrderAndWidth) {
    CMIC_InData mic;
    mic.BuildBands(8, 10, 20000);
    ExpectLayout(mic, "\xBB\xB0\xCD\xB2\x41", "话筒A", kMicFields, 1);
    CMusic_InData music;
    music.BuildBands(30, 32, 20000);
    ExpectLayout(music, "\xD2\xF4\xC0\xD6", "音乐", kMusicFields, 2);
    CKTV_OutData out;
    out.BuildBands(30, 32, 11, 20, 20000);
    ExpectLayout(out, "FL-Sub", "FL-Sub", kOutFields, 3);
    CEffect_Data effect;
    ExpectLayout(effect, "Echo", "Echo", kEffectFields, 4);
}

// A mic name is a field of 8 bytes: a longer archive string loads as its first whole characters,
// never half of a double-byte one.
TEST_F(ArchiveLayoutTest, MicNameKeepsEightBytes) {
    CMIC_InData ch;
    ch.BuildBands(8, 10, 20000);
    const Bytes eq = ArchiveBytes(ch.GetEQ());
    Layout l;
    l.Str("MicAB\xBB\xB0\xCD\xB2"); // "MicAB话筒", 9 bytes
    Fields(l, kMicFields, 0).Append(eq);
    LoadArchive(ch, l.bytes());
    EXPECT_EQ(ch.GetName(), CString("MicAB话"));
    ExpectFields(ch, kMicFields, 0);
    Layout stored;
    stored.Str("MicAB\xBB\xB0");
    Fields(stored, kMicFields, 0).Append(eq);
    EXPECT_EQ(ArchiveBytes(ch), stored.bytes());
}

// Filters in index order, 48 bytes each, no count: type, frequency, sent frequency, gain, bypass
// of all bands, bypass, bandwidth, family, slope, band id.
TEST_F(ArchiveLayoutTest, BandSetIsItsFiltersInOrder) {
    CKTVEQ ref;
    ref.BuildMicBands(8, 10, 20000);
    const int n = static_cast<int>(ref.GetSize());
    ASSERT_GT(n, 2);
    Layout l;
    for (int i = 0; i < n; ++i) {
        const CFilter& f = *ref.GetAt(i);
        l.Int(f.GetType(), 4)
            .Int(100 + 10 * i, 4)
            .Int(50 + 10 * i, 4)
            .Real(-0.5 * (i + 1))
            .Int(0, 4)
            .Int(0, 4)
            .Real(0.25 + 0.125 * i)
            .Int(f.GetFamily(), 4)
            .Int(f.GetSlope(), 4)
            .Int(40 + i, 4);
    }
    ASSERT_EQ(l.bytes().size(), static_cast<size_t>(48 * n));
    CKTVEQ eq;
    eq.BuildMicBands(8, 10, 20000);
    LoadArchive(eq, l.bytes());
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE(i);
        const CFilter& f = *eq.GetAt(i);
        EXPECT_EQ(f.GetType(), ref.GetAt(i)->GetType());
        EXPECT_EQ(f.GetFreq(), 100 + 10 * i);
        EXPECT_EQ(f.GetSentFreq(), 50 + 10 * i);
        EXPECT_EQ(f.GetGain(), -0.5 * (i + 1));
        EXPECT_EQ(f.IsBypassed(), 0);
        EXPECT_EQ(f.GetBandwidth(), 0.25 + 0.125 * i);
        EXPECT_EQ(f.GetBandId(), 40 + i);
    }
    EXPECT_EQ(ArchiveBytes(eq), l.bytes());
}

// The document: the effect, the mic, music inputs 1..6 and outputs 1..8, one after the other with
// no count; the preset name is not archived.
TEST_F(ArchiveLayoutTest, DocumentIsItsChannelsInOrder) {
    CKTV_Data ref;
    Layout l;
    l.Append(ChannelBytes("Echo", kEffectFields, 0, ref.GetEffect()->GetEQ()));
    l.Append(ChannelBytes("Mic", kMicFields, 1, ref.GetMic(0)->GetEQ()));
    for (int i = 0; i < 6; ++i)
        l.Append(ChannelBytes("In" + std::to_string(i), kMusicFields, 2 + i, ref.GetMusic(i)->GetEQ()));
    for (int j = 0; j < 8; ++j)
        l.Append(ChannelBytes("Out" + std::to_string(j), kOutFields, 8 + j, ref.GetOut(j)->GetEQ()));

    CKTV_Data doc;
    LoadArchive(doc, l.bytes());
    ExpectFields(*doc.GetEffect(), kEffectFields, 0);
    ExpectFields(*doc.GetMic(0), kMicFields, 1);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(doc.GetMusic(i)->GetName(), CString("In" + std::to_string(i)));
        ExpectFields(*doc.GetMusic(i), kMusicFields, 2 + i);
    }
    for (int j = 0; j < 8; ++j) {
        EXPECT_EQ(doc.GetOut(j)->GetName(), CString("Out" + std::to_string(j)));
        ExpectFields(*doc.GetOut(j), kOutFields, 8 + j);
    }
    EXPECT_EQ(ArchiveBytes(doc), l.bytes());
}

} // namespace
