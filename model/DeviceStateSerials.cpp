#include "model/DeviceStateSerials.h"

#include "model/Globals.h"
#include "wire/LinkFrame.h"
#include "wire/SendData.h"

#include <mutex>

CDeviceStateSerials g_devStateSerials;

namespace {
// Report bytes: 0 the input type, 2..7 the source levels (the source settings' bytes 0 and
// 2..7), 14 the master on byte of the system data.
constexpr int kInputTypeByte = 0;
constexpr int kFirstLevelByte = 2;
constexpr int kMasterOnByte = 14;
} // namespace

void CDeviceStateSerials::RecordChanged(int cmd) {
    std::lock_guard lock(g_linkLock);
    // Every poll built so far has a serial up to this one.
    const std::uint64_t next = CSendData::LastSerial() + 1;
    switch (cmd) {
    case CMD_SOURCE_SET:
        Stamp(kInputTypeByte, next);
        for (int i = 0; i < NUM_INPUT_TYPES; ++i)
            Stamp(kFirstLevelByte + i, next);
        break;
    case CMD_SYSTEM_DATA:
        Stamp(kMasterOnByte, next);
        break;
    default:
        break;
    }
}

void CDeviceStateSerials::Stamp(int index, std::uint64_t serial) {
    // Under g_linkLock: only ever moves forward.
    if (m_seenFrom[index].load() < serial)
        m_seenFrom[index] = serial;
}

bool CDeviceStateSerials::Shows(int index, std::uint64_t pollSerial) const {
    if (index < 0 || index >= kBytes)
        return false;
    return pollSerial >= m_seenFrom[index].load();
}

void CDeviceStateSerials::Reset() {
    for (auto& s : m_seenFrom)
        s = 0;
}
