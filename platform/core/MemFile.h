// CMemFile: a CFile over a growable block of memory, so archives can be built and read without a
// file on disk (round-trip tests, data handed over in memory).
#pragma once

#include "platform/core/File.h"

#include <vector>

class CMemFile : public CFile {
public:
    CMemFile() = default;
    // Starts with a copy of the given bytes, positioned at the start.
    CMemFile(const void* data, UINT size);

    BOOL Open(LPCTSTR, UINT, CFileException* error = nullptr) override;
    UINT Read(void* buf, UINT count) override;
    BOOL Write(const void* buf, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetPosition() const override { return m_pos; }
    ULONGLONG GetLength() const override { return m_data.size(); }
    BOOL Flush() override { return TRUE; }
    // Nothing to release: the bytes stay readable through GetBytes after closing.
    BOOL Close() override { return TRUE; }
    void Abort() override {}

    const std::vector<BYTE>& GetBytes() const { return m_data; }

private:
    std::vector<BYTE> m_data;
    size_t m_pos = 0;
};
