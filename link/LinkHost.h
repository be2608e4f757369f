// What the link worker needs of its owner (the main view, or a test's stand-in): the transports
// and the firmware cycles. Every call here runs on the link worker.
#pragma once

#include "platform/core/WinTypes.h"

class CHidDevice;
class CLinkWorker;
class CNetTransport;

class CLinkHost {
public:
    virtual ~CLinkHost() = default;
    // The open USB device, or null. The UI thread closes it only with the worker stopped.
    virtual CHidDevice* GetUsbDevice() = 0;
    // Opens the remembered device again after its handle was lost; TRUE when open.
    virtual BOOL OpenUsbDevice() = 0;
    // The network transport, or null.
    virtual CNetTransport* GetNetTransport() = 0;
    // The link-open flag (m_bLinkOpen).
    virtual BOOL IsLinkOpen() = 0;
    // One firmware-update cycle over USB / the network (LINK_EVENT_FIRMWARE). The defaults idle
    // for the worker's short pause.
    virtual void UsbFirmwareCycle(CLinkWorker& worker);
    virtual void NetFirmwareCycle(CLinkWorker& worker);
};
