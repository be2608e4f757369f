// Which of the program's changes a device state report can show. A report answers one poll; a
// change the program made or queued after that poll was built reaches the device after the poll's
// answer, so the report's byte for it is older than the program's value and must not replace it.
// Each report byte keeps the lowest poll serial that sees the program's last change to its field.
#pragma once

#include <atomic>
#include <cstdint>

class CDeviceStateSerials {
public:
    static constexpr int kBytes = 30; // the state report's payload

    // The program changed the system record cmd, or queued its write: every report byte the
    // record carries (source settings: input type and source levels; system data: master on)
    // is seen only by polls built from now on. Other records carry no report byte. Takes
    // g_linkLock, under which the worker builds its polls, so no poll slips between.
    void RecordChanged(int cmd);
    // Whether the answer to the poll with this serial shows the program's last change to report
    // byte `index`. Serial 0 is an answer of unknown age: it shows only what was never changed.
    bool Shows(int index, std::uint64_t pollSerial) const;
    // Forgets every change (start of the program and tests).
    void Reset();

private:
    void Stamp(int index, std::uint64_t serial);

    std::atomic<std::uint64_t> m_seenFrom[kBytes] = {};
};

extern CDeviceStateSerials g_devStateSerials;
