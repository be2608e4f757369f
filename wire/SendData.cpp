#include "wire/SendData.h"

#include <atomic>
#include <cstring>

BYTE g_hidOutReport[SEND_REPORT_SIZE] = {};

std::uint64_t CSendData::NextSerial() {
    static std::atomic<std::uint64_t> last{0};
    return ++last;
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
