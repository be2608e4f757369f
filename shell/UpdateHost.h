// What the firmware update dialog uses of the main view: loading the file, closing and opening the
// link for the update, the poll thread's reconnect and the offered interfaces. The view implements
// it; tests give a stand-in.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CUpdateHost {
public:
    virtual ~CUpdateHost() = default;
    // The file dialog into g_strHexPath; FALSE when cancelled or not a ".bin" file.
    virtual BOOL ChooseFirmwareFile() = 0;
    // Reads g_strHexPath; FALSE (after "Update file error!") when it cannot.
    virtual BOOL LoadFirmwareFile() = 0;
    virtual int CloseLinkForUpdate() = 0;
    virtual BOOL StartUsbUpdate(const CString& path) = 0;
    virtual BOOL StartNetUpdate() = 0;
    // Runs on the update poll thread.
    virtual BOOL ReconnectForUpdate(BOOL quiet) = 0;
    virtual void AbortFirmwareUpdate() = 0;
    // Enumerates afresh and offers the free device paths (g_updIfaces); their count.
    virtual int FillOfferedPaths() = 0;
    // Entry index of the offered paths; FALSE outside the list.
    virtual BOOL GetOfferedPath(int index, CString* path) = 0;
    // The network device answered the reachability probe.
    virtual BOOL IsNetReachable() = 0;
    virtual void ShowTimedMessage(const char* textEn, const char* textCn, int code) = 0;
};
