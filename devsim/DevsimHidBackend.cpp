#include "DevsimHidBackend.h"

void CDevsimHidBackend::SetPresent(bool present) {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_present = present;
    }
    if (!present)
        m_emulator.DisconnectHid();
}

void CDevsimHidBackend::SetOtherInterfaces(std::vector<HidInterfaceInfo> others) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_others = std::move(others);
}

int CDevsimHidBackend::GetOpenCount() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_opens;
}

std::vector<HidInterfaceInfo> CDevsimHidBackend::Enumerate() {
    std::lock_guard<std::mutex> guard(m_lock);
    std::vector<HidInterfaceInfo> list = m_others;
    if (m_present) {
        HidInterfaceInfo me;
        me.path = kPath;
        me.attributes.VendorID = 0x0483;
        me.attributes.ProductID = 0x5750;
        me.attributes.VersionNumber = 0x0200;
        list.push_back(me);
    }
    return list;
}

std::unique_ptr<CHidDevice> CDevsimHidBackend::Open(const std::string& path) {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (!m_present || path != kPath)
            return nullptr;
        ++m_opens;
    }
    return m_emulator.ConnectHid();
}
