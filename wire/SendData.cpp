#include "wire/SendData.h"

#include <atomic>
#include <cstring>

BYTE g_hidOutReport[SEND_REPORT_SIZE] = {};

namespace {
std::atomic<std::uint64_t> g_lastSerial{0};
} // namespace

std::uint64_t CSendData::NextSerial() {
    return ++g_lastSerial;
}

std::uint64_t CSendData::LastSerial() {
    return g_lastSerial.load();
}

int CSendData::IsReadEnd(bool linkOpen) const {
    if (linkOpen)
        return m_bReadEnd;
    return m_nCursor == m_nSize ? m_bReadEnd : 0;
}

int CSendData::IsSendEnd(bool linkOpen) const {
    if (linkOpen)
        return m_bSendEnd;
    return m_nCursor >= m_nSize ? m_bSendEnd : 0;
}

int CSendData::NextHidReport() {
    if (m_nCursor >= m_nSize || !m_pData)
        return 0;
    std::memset(g_hidOutReport, 0, sizeof g_hidOutReport);
    int n = 0;
    while (n < SEND_REPORT_SIZE - 1 && m_nCursor < m_nSize)
        g_hidOutReport[1 + n++] = m_pData[m_nCursor++];
    return 1;
}
