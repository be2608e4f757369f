// CPresetFileIo: whole-file reads and safe writes for the preset files. A write goes to a
// temporary file beside the target, is flushed and closed with every result checked, and only
// then renamed over the target, so a failed save never leaves a half-written file in its place.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <vector>

class CPresetFileIo {
public:
    // The whole file; FALSE when it cannot be opened or read (or is larger than limit bytes).
    static BOOL ReadWholeFile(const CString& path, std::vector<BYTE>& bytes, std::size_t limit = 64u << 20);
    // TRUE only when every byte reached the disk and the rename succeeded.
    static BOOL WriteFileAtomic(const CString& path, const std::vector<BYTE>& bytes);
};
