#include "platform/io/HidBackend.h"

#include "platform/io/HidrawDevice.h"
#include "platform/io/Poll.h"

#include <atomic>
#include <hidapi/hidapi.h>
#include <mutex>
#include <set>

namespace {

class CSystemHidBackend : public CHidBackend {
public:
    std::vector<HidInterfaceInfo> Enumerate() override {
        std::vector<HidInterfaceInfo> list;
        // hidapi's enumeration is not thread-safe; the UI and the link worker both enumerate.
        std::lock_guard<std::mutex> guard(m_lock);
        if (!m_init) {
            if (hid_init() != 0)
                return list;
            m_init = true;
        }
        hid_device_info* all = hid_enumerate(0, 0);
        std::set<std::string> seen; // one entry per node, whatever its number of top-level collections
        for (hid_device_info* d = all; d; d = d->next) {
            if (!d->path || !seen.insert(d->path).second)
                continue;
            HidInterfaceInfo info;
            info.path = d->path;
            info.attributes.VendorID = d->vendor_id;
            info.attributes.ProductID = d->product_id;
            info.attributes.VersionNumber = d->release_number;
            list.push_back(std::move(info));
        }
        hid_free_enumeration(all);
        return list;
    }

    std::unique_ptr<CHidDevice> Open(const std::string& path) override { return CHidrawDevice::Open(path); }

private:
    std::mutex m_lock;
    bool m_init = false;
};

CSystemHidBackend& SystemBackend() {
    static CSystemHidBackend backend;
    return backend;
}

std::atomic<CHidBackend*> g_installed{nullptr};

} // namespace

CHidBackend& CHidBackend::Current() {
    CHidBackend* b = g_installed.load();
    return b ? *b : SystemBackend();
}

void CHidBackend::Install(CHidBackend* backend) {
    g_installed.store(backend);
}

std::vector<HidInterfaceInfo> HidEnumerate(USHORT vendorId, USHORT productId) {
    std::vector<HidInterfaceInfo> out;
    for (auto& info : CHidBackend::Current().Enumerate()) {
        if (info.attributes.VendorID == vendorId && info.attributes.ProductID == productId)
            out.push_back(std::move(info));
    }
    return out;
}

BOOL HidD_GetAttributes(const std::string& path, HIDD_ATTRIBUTES* attributes) {
    for (const auto& info : CHidBackend::Current().Enumerate()) {
        if (info.path == path) {
            *attributes = info.attributes;
            return TRUE;
        }
    }
    return FALSE;
}

int WaitHidDescriptor(int fd, bool forWrite, DWORD timeoutMs) {
    const short events = forWrite ? POLLOUT : POLLIN;
    const int revents = PollFd(fd, events, timeoutMs);
    if (revents == 0)
        return HID_IO_TIMEOUT;
    return revents > 0 && (revents & events) ? HID_IO_OK : HID_IO_ERROR; // POLLHUP / POLLERR: unplugged
}
