#include "platform/core/MemFile.h"

#include <algorithm>
#include <cstring>

CMemFile::CMemFile(const void* data, UINT size) {
    if (data && size > 0) {
        const auto* p = static_cast<const BYTE*>(data);
        m_data.assign(p, p + size);
    }
}

BOOL CMemFile::Open(LPCTSTR, UINT, CFileException* error) {
    // A memory file has no name to open.
    SetError(CFileException::genericException, 0);
    if (error)
        *error = LastError();
    return FALSE;
}

UINT CMemFile::Read(void* buf, UINT count) {
    size_t take = std::min<size_t>(count, m_data.size() - std::min(m_pos, m_data.size()));
    if (take > 0)
        std::memcpy(buf, m_data.data() + m_pos, take);
    m_pos += take;
    return static_cast<UINT>(take);
}

BOOL CMemFile::Write(const void* buf, UINT count) {
    if (count == 0)
        return TRUE;
    if (m_pos + count > m_data.size())
        m_data.resize(m_pos + count);
    std::memcpy(m_data.data() + m_pos, buf, count);
    m_pos += count;
    return TRUE;
}

ULONGLONG CMemFile::Seek(LONGLONG offset, UINT from) {
    LONGLONG base = from == current ? static_cast<LONGLONG>(m_pos)
                    : from == end   ? static_cast<LONGLONG>(m_data.size())
                                    : 0;
    LONGLONG pos = base + offset;
    if (pos < 0) {
        SetError(CFileException::badSeek, 0);
        return kSeekFailed;
    }
    // Beyond the end is allowed; a write there fills the gap with zeros.
    m_pos = static_cast<size_t>(pos);
    return static_cast<ULONGLONG>(pos);
}
