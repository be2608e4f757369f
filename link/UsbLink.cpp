#include "link/UsbLink.h"

#include "link/LinkGlobals.h"
#include "link/Net_Socket.h"
#include "model/Globals.h"
#include "platform/io/HidBackend.h"
#include "wire/SendData.h"

#include <cstring>

// A packet is handed to the device one HID output report at a time.
static_assert(SEND_REPORT_SIZE == HID_REPORT_SIZE);

CUsbLink::CUsbLink(std::string registerDir) : m_register(std::move(registerDir)) {}

CUsbLink::~CUsbLink() {
    CloseDevice();
    m_register.ForgetAll();
}

BOOL CUsbLink::MatchesIdentity(const HIDD_ATTRIBUTES& a) {
    return a.VendorID == g_nUsbVid && a.ProductID == g_nUsbPid && a.VersionNumber == g_nUsbVersion ? TRUE
                                                                                                   : FALSE;
}

BOOL CUsbLink::EnumHidDevices() {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return EnumLocked();
}

BOOL CUsbLink::EnumLocked() {
    g_hidPaths.clear();
    for (const HidInterfaceInfo& info : CHidBackend::Current().Enumerate()) {
        if (MatchesIdentity(info.attributes))
            g_hidPaths.emplace_back(info.path.c_str());
    }
    if (g_hidPaths.empty()) {
        ResetUsbKey();
        g_bUsbEnabled = 0;
        return FALSE;
    }
    return TRUE;
}

BOOL CUsbLink::IsUsbPathFree(const CString& path) const {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return IsFreeLocked(path);
}

BOOL CUsbLink::IsFreeLocked(const CString& path) const {
    return m_register.IsPathFree(std::string(static_cast<const char*>(path)));
}

BOOL CUsbLink::RememberUsbPath() {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (!g_strHidPath.IsEmpty())
        m_register.Remember(std::string(static_cast<const char*>(g_strHidPath)));
    return TRUE;
}

BOOL CUsbLink::ForgetUsbPath() {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (!g_strHidPath.IsEmpty())
        m_register.Forget(std::string(static_cast<const char*>(g_strHidPath)));
    return TRUE;
}

void CUsbLink::ResetUsbKey() {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_register.ForgetAll();
}

BOOL CUsbLink::FindUsbPath() {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (!g_strHidPath.IsEmpty() && IsFreeLocked(g_strHidPath))
        return TRUE;
    if (!EnumLocked())
        return FALSE;
    for (const CString& path : g_hidPaths) {
        if (IsFreeLocked(path)) {
            g_strHidPath = path;
            return TRUE;
        }
    }
    g_strHidPath.Empty();
    return FALSE;
}

BOOL CUsbLink::OpenUsbDevice() {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return OpenPathLocked();
}

BOOL CUsbLink::OpenPathLocked() {
    m_device.reset();
    const std::string path(static_cast<const char*>(g_strHidPath));
    // Only the device itself is opened: a foreign HID interface is never taken nor sent frames.
    HIDD_ATTRIBUTES attributes;
    if (path.empty() || !HidD_GetAttributes(path, &attributes) || !MatchesIdentity(attributes))
        return FALSE;
    std::unique_ptr<CHidDevice> device = CHidBackend::Current().Open(path);
    if (!device || !device->IsOpen())
        return FALSE;
    m_device = std::move(device);
    g_bUsbEnabled = 1;
    RememberUsbPath();
    if (!LinkOpen())
        g_nNetRetry = 0;
    return TRUE;
}

BOOL CUsbLink::ConnectUsb() {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (FindUsbPath() && OpenPathLocked()) {
        g_nLinkState = LINK_USB;
        return TRUE;
    }
    // The remembered path may be stale (the device came back under another node): list afresh.
    EnumLocked();
    const std::vector<CString> paths = g_hidPaths;
    for (const CString& path : paths) {
        if (!IsFreeLocked(path))
            continue;
        g_strHidPath = path;
        if (OpenPathLocked()) {
            g_nLinkState = LINK_USB;
            return TRUE;
        }
    }
    g_strHidPath.Empty();
    return FALSE;
}

BOOL CUsbLink::ReopenUsb() {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    CloseDevice();
    return ConnectUsb();
}

void CUsbLink::CloseDevice() {
    std::shared_ptr<CHidDevice> device;
    {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        device = std::move(m_device);
        m_device.reset();
    }
    // A transaction still holding the device keeps it until its call returns; the last
    // reference closes it.
    device.reset();
    std::memset(g_hidOutReport, 0, sizeof g_hidOutReport);
    std::memset(g_hidInReport, 0, sizeof g_hidInReport);
}

BOOL CUsbLink::IsDeviceOpen() const {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_device && m_device->IsOpen() ? TRUE : FALSE;
}

CHidDevice* CUsbLink::GetDevice() const {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_device.get();
}

int CUsbLink::WriteReport(const BYTE* report, DWORD timeoutMs) {
    std::shared_ptr<CHidDevice> device;
    {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        device = m_device;
    }
    return device ? device->WriteReport(report, timeoutMs) : HID_IO_ERROR;
}

int CUsbLink::ReadReport(BYTE* report, DWORD timeoutMs) {
    std::shared_ptr<CHidDevice> device;
    {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        device = m_device;
    }
    return device ? device->ReadReport(report, timeoutMs) : HID_IO_ERROR;
}

void CUsbLink::Purge() {
    std::shared_ptr<CHidDevice> device;
    {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        device = m_device;
    }
    if (device)
        device->Purge();
}

CString CUsbLink::GetHidPath() const {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return g_strHidPath;
}

void CUsbLink::SetHidPath(const CString& path) {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    g_strHidPath = path;
}

std::vector<CString> CUsbLink::GetHidPaths() const {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return g_hidPaths;
}

int CUsbLink::FillOfferedPaths() {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    g_updIfaces.clear();
    EnumLocked();
    for (const CString& path : g_hidPaths) {
        if (IsFreeLocked(path))
            g_updIfaces.push_back(path);
    }
    return static_cast<int>(g_updIfaces.size());
}

std::vector<CString> CUsbLink::GetOfferedPaths() const {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return g_updIfaces;
}

BOOL CUsbLink::GetOfferedPath(int index, CString* path) const {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (index < 0 || index >= static_cast<int>(g_updIfaces.size()))
        return FALSE;
    if (path)
        *path = g_updIfaces[static_cast<size_t>(index)];
    return TRUE;
}

ConnectChoice CUsbLink::ChooseConnect(int nFree, BOOL reachable) {
    if (nFree <= 0)
        return reachable ? ConnectChoice::ConnectNet : ConnectChoice::NoConnection;
    if (nFree == 1)
        return reachable ? ConnectChoice::MenuUsbAndNet : ConnectChoice::ConnectOnlyUsb;
    return reachable ? ConnectChoice::ListUsbAndNet : ConnectChoice::ListUsb;
}

RemovalAction CUsbLink::DecideRemoval(const CString& path, const CString& openPath, int linkState,
                                      BOOL usbEnabled, BOOL linkOpen, int curFwStep) {
    if (path.CompareNoCase(openPath) != 0 || linkState != LINK_USB)
        return RemovalAction::Refresh;
    if (!usbEnabled || !linkOpen)
        return RemovalAction::Ignore;
    if (curFwStep == HEXApply)
        return RemovalAction::DisableOnly;
    if (curFwStep == HEXHandshake)
        return RemovalAction::Ignore;
    return RemovalAction::Lost;
}

BOOL CUsbLink::ShouldConnectOnArrival(int linkState, BOOL linkOpen, BOOL updatePolling) {
    return linkState == LINK_NONE && !linkOpen && !updatePolling ? TRUE : FALSE;
}
