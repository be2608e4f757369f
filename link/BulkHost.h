// What the bulk transfers need of their owner (the main view, or a test's stand-in): the link-open
// flag, the batch counter it shares with the start-up reads, the master hold, the send queue, the
// document's channel objects and the all-presets file choice. UI thread only.
#pragma once

#include "platform/core/WinTypes.h"
#include "wire/SendData.h"

#include <memory>

class CKTV_OutData;
class CMusic_InData;

class CBulkHost {
public:
    virtual ~CBulkHost() = default;
    virtual BOOL IsLinkOpen() = 0;
    // m_nBatchCount of the view.
    virtual int& BatchCount() = 0;
    // FALSE: save masterOn, switch it off and queue CMD_SYSTEM_DATA; TRUE: put it back and queue.
    virtual void HoldMasterVolume(BOOL restore) = 0;
    // Appends to the send queue (which then owns the packet).
    virtual void AddPacket(std::unique_ptr<CSendData> packet) = 0;
    // The connection-failure message of the current link.
    virtual void ShowConnectFailure() = 0;
    // Asks for the all-presets file to write after the read; FALSE when cancelled.
    virtual BOOL ChooseAllPresetsFile() = 0;
    // The document's channel objects (null when there is none).
    virtual CMusic_InData* GetInput(int index) = 0;
    virtual CKTV_OutData* GetOutput(int index) = 0;
    // Writes every channel object into g_curImage.
    virtual void StoreDocumentToImage() = 0;
    // Both transfer bars (progress dialog and view) to the range 0..max, position 0.
    virtual void SetTransferRange(int max) = 0;
    // Shows the progress dialog (1 bulk transfer, 0 live read).
    virtual void ShowProgress(int mode) = 0;
    // The view's lock button.
    virtual void SetLockButton(BOOL locked) = 0;
};
