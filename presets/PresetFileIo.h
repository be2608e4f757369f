// CPresetFileIo: whole-file reads and safe writes for the preset files. Reads take regular files
// only (a FIFO is refused, never waited on); writes go through CAtomicFile, so a failed save never
// leaves a half-written file in its place.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <vector>

class CPresetFileIo {
public:
    // The whole file; FALSE when it cannot be opened or read, is not a regular file or is larger
    // than limit bytes (refused from its size, before reading).
    static BOOL ReadWholeFile(const CString& path, std::vector<BYTE>& bytes, std::size_t limit = 64u << 20);
    // TRUE only when every byte reached the disk and the rename succeeded. A link is written
    // through and the file keeps its permission bits.
    static BOOL WriteFileAtomic(const CString& path, const std::vector<BYTE>& bytes);

    // The text after the last '.' of the file name (not of a folder), as typed: "" without one.
    static CString Extension(const CString& path);
    // The folder of a path, without its last '/' ("" for a bare name).
    static CString Folder(const CString& path);
    // The path with "." and ext appended unless its extension already is ext (case-sensitive).
    static CString WithExtension(const CString& path, const char* ext);
};
