// The USB side of the device link: finding the device's HID interfaces, the register of device
// paths that running instances hold (advisory locks, so a crashed instance never keeps a path
// busy), opening and closing the one HID handle, and the decisions of the Connect button and of
// device arrival and removal. The path, the path lists and the handle are guarded here: the UI
// thread, the link worker and the update poll thread all call in.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "platform/io/DeviceLockRegister.h"
#include "platform/io/HidDevice.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Messages of the USB link to the main view.
constexpr UINT WM_USB_REOPEN = 0x49B;    // no poster
constexpr UINT WM_UPDATE_FAILED = 0x49E; // the update reopen gave up (network)
// A user notice raised off the UI thread (wParam: LinkNotice); the view shows it.
constexpr UINT WM_LINK_NOTICE = 0x4A9;
enum LinkNotice : int {
    NOTICE_CONNECT_FAILURE = 1, // the connection-failure message of the current link
    NOTICE_UPDATE_FAILED_BANG,  // "The firmware update failed!"
};

// Command ids of the popup of several devices: USB1 = 6600, USB2 = 6601, ...
constexpr UINT ID_USB_DEVICE_FIRST = 6600;
constexpr UINT ID_USB_DEVICE_LAST = 6700;
constexpr UINT ID_CONNECT_USB = 732;
constexpr UINT ID_CONNECT_NET = 733;

// What the Connect button does when no link is open.
enum class ConnectChoice {
    NoConnection,   // "No connection can be opened"
    ConnectNet,     // no free device, the network is reachable
    ConnectOnlyUsb, // one free device, no network
    MenuUsbAndNet,  // one free device and the network: the "USB" / "WIFI" popup
    ListUsb,        // several free devices: USB1..USBn
    ListUsbAndNet,  // several free devices and the network's address as the last item
};

// What the removal of a HID interface does.
enum class RemovalAction {
    Refresh,     // another interface, or no USB link: enumerate again
    Ignore,      // the open device, while disabled, closed, or during the handshake
    DisableOnly, // the open device restarts after HEXApply: only USB transfers stop
    Lost,        // the open device is gone: close the link, forget the path
};

class CUsbLink {
public:
    // registerDir empty: the per-user default.
    explicit CUsbLink(std::string registerDir = std::string());
    ~CUsbLink();
    CUsbLink(const CUsbLink&) = delete;
    CUsbLink& operator=(const CUsbLink&) = delete;

    // The view's link-open flag (read by OpenUsbDevice); may be null.
    void SetLinkOpenFlag(const std::atomic<int>* flag) { m_pLinkOpen = flag; }

    // TRUE for the device's vendor id, product id and version.
    static BOOL MatchesIdentity(const HIDD_ATTRIBUTES& attributes);

    // Rebuilds g_hidPaths with every present matching interface; with none: ResetUsbKey,
    // g_bUsbEnabled = 0 and FALSE.
    BOOL EnumHidDevices();
    BOOL IsUsbPathFree(const CString& path) const;
    // Register the path in g_strHidPath as held by this instance / drop that mark; TRUE.
    BOOL RememberUsbPath();
    BOOL ForgetUsbPath();
    // Drops every mark of this instance.
    void ResetUsbKey();

    // TRUE when g_strHidPath now names a free device.
    BOOL FindUsbPath();
    // Opens g_strHidPath (only a matching device); TRUE when open.
    BOOL OpenUsbDevice();
    // Chooses and opens a device; sets LINK_USB on success.
    BOOL ConnectUsb();
    // Closes the handle and connects again.
    BOOL ReopenUsb();
    // Closes the handle (if any) and zeroes both report buffers.
    void CloseDevice();
    BOOL IsDeviceOpen() const;
    // The open device or null, for the link worker (the UI thread closes it only with the worker
    // stopped, the worker itself only in its own reopen).
    CHidDevice* GetDevice() const;

    // The open handle, for the link worker's transactions: HID_IO_ERROR without one.
    int WriteReport(const BYTE* report, DWORD timeoutMs);
    int ReadReport(BYTE* report, DWORD timeoutMs);
    void Purge();

    // Locked copies of the shared path state.
    CString GetHidPath() const;
    void SetHidPath(const CString& path);
    std::vector<CString> GetHidPaths() const;
    // Copies the free paths of g_hidPaths into g_updIfaces (after a fresh enumeration); the count.
    int FillOfferedPaths();
    std::vector<CString> GetOfferedPaths() const;
    // Entry index of g_updIfaces; FALSE outside the list.
    BOOL GetOfferedPath(int index, CString* path) const;

    // ---- Decisions ----
    static ConnectChoice ChooseConnect(int nFree, BOOL reachable);
    // The removal of path while the link is in the given state; curFwStep is the step code of
    // the firmware packet written last.
    static RemovalAction DecideRemoval(const CString& path, const CString& openPath, int linkState,
                                       BOOL usbEnabled, BOOL linkOpen, int curFwStep);
    // An arrival connects only with no link at all and no update dialog polling.
    static BOOL ShouldConnectOnArrival(int linkState, BOOL linkOpen, BOOL updatePolling);

    CDeviceLockRegister& Register() { return m_register; }

private:
    BOOL OpenPathLocked();
    BOOL EnumLocked();
    BOOL IsFreeLocked(const CString& path) const;
    BOOL LinkOpen() const { return m_pLinkOpen && m_pLinkOpen->load() != 0; }

    mutable std::recursive_mutex m_lock; // g_strHidPath, g_hidPaths, g_updIfaces, the handle
    CDeviceLockRegister m_register;
    std::shared_ptr<CHidDevice> m_device;
    const std::atomic<int>* m_pLinkOpen = nullptr;
};
