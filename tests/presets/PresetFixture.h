// Shared pieces of the preset file tests: records whose every byte differs from its neighbours
// (so a shifted or swapped field shows), and files built by hand, byte by
// byte, from the file layouts.
#pragma once

#include "model/DataDefine.h"
#include "model/Globals.h"
#include "presets/PresetRecords.h"
#include "support/ResetGlobals.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace presettest {

using Bytes = std::vector<BYTE>;

// An image with byte k = (k * 7 + seed) mod 251, the lock marker a space (unlocked).
inline PresetImage PatternImage(int seed) {
    PresetImage image;
    BYTE* p = RecordBytes(image);
    for (int k = 0; k < IMAGE_SIZE; ++k)
        p[k] = static_cast<BYTE>((k * 7 + seed) % 251);
    p[IMAGE_OFS_LOCKMARK] = ' ';
    return image;
}

template <class T> void FillPattern(T& rec, int seed) {
    BYTE* p = RecordBytes(rec);
    for (std::size_t k = 0; k < sizeof(T); ++k)
        p[k] = static_cast<BYTE>(seed + 13 * k);
}

inline PresetRecords PatternRecords(int seed) {
    PresetRecords r;
    r.live = PatternImage(seed);
    for (int k = 0; k < NUM_STORED_PRESETS; ++k)
        r.stored[k] = PatternImage(seed + 10 * (k + 1));
    FillPattern(r.sourceSet, seed + 1);
    FillPattern(r.systemData, seed + 2);
    FillPattern(r.speakerMap, seed + 3);
    FillPattern(r.bootSource, seed + 4);
    FillPattern(r.slotTable, seed + 5);
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        FillPattern(r.xoverTable[j], seed + 6 + j);
    return r;
}

inline void AppendMagic(Bytes& out, const std::string& magic) {
    out.push_back(static_cast<BYTE>(magic.size()));
    out.insert(out.end(), magic.begin(), magic.end());
}

inline void AppendImage(Bytes& out, const PresetImage& image) {
    const BYTE* p = RecordBytes(image);
    out.insert(out.end(), p, p + IMAGE_SIZE);
}

// Image bytes XOR 0x5D over [from, to) except the given indices.
inline PresetImage Scrambled(PresetImage image, int from, int to, std::initializer_list<int> except) {
    BYTE* p = RecordBytes(image);
    for (int k = from; k < to; ++k)
        if (std::find(except.begin(), except.end(), k) == except.end())
            p[k] ^= 0x5D;
    return image;
}

inline void SetLock(PresetImage& image, BYTE marker, const char* code) {
    BYTE* p = RecordBytes(image);
    p[2312] = marker;
    std::memset(p + 2314, 0, 6);
    std::memcpy(p + 2314, code, std::strlen(code));
}

// The bytes a JSON group carries: the name, the first 112 bytes of each input, the outputs.
inline Bytes JsonCarried(const PresetImage& image) {
    const BYTE* p = RecordBytes(image);
    Bytes b(p, p + 16);
    for (int i = 0; i < NUM_INPUTS; ++i)
        b.insert(b.end(), p + InputImageOffset(i), p + InputImageOffset(i) + 112);
    b.insert(b.end(), p + IMAGE_OFS_OUTPUT0, p + IMAGE_SIZE);
    return b;
}

// Globals back to their start values around every case.
class PresetGlobalsTest : public ::testing::Test {
protected:
    void SetUp() override { r9test::ResetModelGlobals(); }
    void TearDown() override { r9test::ResetModelGlobals(); }
};

} // namespace presettest
