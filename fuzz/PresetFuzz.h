// Shared checks of the preset file fuzz targets: a read starts from the start-up records; a
// refusal must change nothing, and an accepted file written again and read back must give the
// same records (the lock code bytes aside, which the writer takes from the password).
#pragma once

#include "model/DataDefine.h"
#include "presets/PresetReadResult.h"
#include "presets/PresetRecords.h"

#include <cstdlib>
#include <cstring>
#include <functional>

namespace fuzz {

inline const PresetRecords& StartRecords() {
    static const PresetRecords records = [] {
        InitData();
        return PresetRecords::FromGlobals();
    }();
    return records;
}

inline void Require(bool ok) {
    if (!ok)
        std::abort();
}

// The lock marker and code left out of the compare: the writer puts '!' and the password (taken
// from the read code, which need not survive the text round) where the file had any marker.
inline PresetRecords Comparable(PresetRecords r) {
    r.lockPassword = CString();
    BYTE* mark = RecordBytes(r.live) + IMAGE_OFS_LOCKMARK;
    mark[0] = r.locked ? '!' : ' ';
    std::memset(mark + 2, 0, 6);
    r.oldAllFile = r.oldSingleFile = false;
    return r;
}

using Decoder = std::function<PresetReadResult(const BYTE*, std::size_t, const PresetRecords&)>;
using Encoder = std::function<std::vector<BYTE>(const PresetRecords&)>;

inline void CheckReader(const BYTE* data, std::size_t size, const Decoder& decode, const Encoder& encode) {
    const PresetRecords& base = StartRecords();
    const PresetReadResult first = decode(data, size, base);
    if (!first.ok) {
        Require(first.parts == 0 && first.error.en && *first.error.en);
        return;
    }
    PresetRecords written = first.records;
    written.lockPassword = written.locked ? written.LiveLockCode() : CString();
    const std::vector<BYTE> again = encode(written);
    const PresetReadResult second = decode(again.data(), again.size(), base);
    Require(second.ok);
    Require(second.parts == first.parts);
    Require(Comparable(second.records) == Comparable(first.records));
}

} // namespace fuzz
