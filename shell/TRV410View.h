// The main view. Its window, pages and controls come with the application shell; here it holds
// the device link: the command link (queue and parser), the link worker, the transports' hooks,
// and the routines that open a link, send system records and take the device's answers into the
// model and the pages. The link's logic lives in link/; these routines only drive it.
#pragma once

#include "link/KTVCommand.h"
#include "link/LinkHost.h"
#include "link/LinkWorker.h"
#include "platform/io/HidDevice.h"
#include "platform/ui/Wnd.h"

#include <atomic>
#include <memory>
#include <string>

class CNetTransport;

// View timer of the input-type busy window.
constexpr UINT_PTR TIMER_INPUT_TYPE_BUSY = 9999;
constexpr UINT INPUT_TYPE_BUSY_MS = 1000;

class CTRV410View : public CWnd, public CLinkHost {
    DECLARE_DYNAMIC(CTRV410View)
public:
    CTRV410View();
    ~CTRV410View() override;

    // Creates the (hidden) window and makes it the owner of the link's messages; g_pMainView.
    BOOL CreateView(CWnd* parent = nullptr);

    // ---- Link objects ----
    CKTVCommand m_command;
    CLinkWorker m_worker;
    // The open USB device (the USB link opens and closes it; the worker reads and writes it).
    std::unique_ptr<CHidDevice> m_pUsbDevice;
    // The network transport the worker uses (the network link's socket).
    CNetTransport* m_pNetTransport = nullptr;

    std::atomic<int> m_bLinkOpen{0}; // a link is open and its worker runs
    int m_nBatchCount = 0;           // progress index of the next packet of a batch
    BYTE m_nSavedMasterOn = 0;       // HoldMasterVolume
    LONGLONG m_nInputTypeBusyUntil = 0;

    // ---- CLinkHost (link worker) ----
    CHidDevice* GetUsbDevice() override { return m_pUsbDevice.get(); }
    BOOL OpenUsbDevice() override;
    CNetTransport* GetNetTransport() override { return m_pNetTransport; }
    BOOL IsLinkOpen() override { return m_bLinkOpen.load(); }

    // ---- Start-up and connect sequence ----
    LRESULT OnStartLink(WPARAM wParam, LPARAM lParam);
    // FALSE: link check + version (link-check pending set); TRUE: the 13 system reads of a
    // batch. The caller holds g_linkLock.
    void RequestInitialData(BOOL full);
    // After a transport opened: clear queue and marks, batch 0, link open, the first requests,
    // the USB input report cleared, connected state, worker started.
    void RunConnectSequence(BOOL usb);

    // ---- Worker control ----
    void CreateLinkThread();
    void ResumeLinkThread();
    void StartLinkThread(BOOL bFlag = TRUE);
    int StopLinkThread(BOOL release);

    // ---- Send entry and companions (UI thread) ----
    void SendCommand(int cmd, int preset);
    void SendSpeakerMap(int output, int mode);
    void SendPresetCleared(int preset);
    void HoldMasterVolume(BOOL restore);
    void SetSystemDataDirty(BOOL set);
    void SetSourceSetDirty(BOOL set);
    void RefreshInputSourceButton();

    // ---- Transactions (link worker; thin over CLinkWorker) ----
    void UsbTransferCycle() { m_worker.UsbTransferCycle(); }
    int UsbWrite() { return m_worker.UsbWrite(); }
    int UsbRead() { return m_worker.UsbRead(); }
    int FeedUsbReport() { return m_worker.FeedUsbReport(); }
    void NetTransferCycle() { m_worker.NetTransferCycle(); }
    int NetWrite() { return m_worker.NetWrite(); }
    int NetRead() { return m_worker.NetRead(); }

    // ---- Answer handlers ----
    LRESULT OnVersionReceived(WPARAM wParam, LPARAM lParam);
    LRESULT OnLiveDataReceived(WPARAM wParam, LPARAM lParam);
    LRESULT OnPresetsReceived(WPARAM wParam, LPARAM lParam);
    LRESULT OnSystemRecordReceived(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeviceState(WPARAM wParam, LPARAM lParam);
    LRESULT OnLockRecordReceived(WPARAM wParam, LPARAM lParam);
    LRESULT OnTransferDone(WPARAM wParam, LPARAM lParam);
    LRESULT OnFirmwareDone(WPARAM wParam, LPARAM lParam);
    LRESULT OnWifiResetDone(WPARAM wParam, LPARAM lParam);
    LRESULT OnEffectReceived(WPARAM wParam, LPARAM lParam);
    LRESULT OnNetData(WPARAM wParam, LPARAM lParam);
    LRESULT OnViewSpare(WPARAM wParam, LPARAM lParam);
    LRESULT OnPresetNameChanged(WPARAM wParam, LPARAM lParam);
    void ReapplyOutputMap(BOOL quiet);
    void ApplyPositionCodes();
    void StartInputTypeTimer();
    void OnTimer(UINT_PTR id) override;

    // ---- Messages to the user ----
    void ShowConnectFailure();
    void OnDeviceLost();
    // ShowTimedMessageBox with the text of the UI language; code 2000 prompt, 2001 warning.
    virtual void ShowTimedMessage(const char* textEn, const char* textCn, int code);
    CString m_strLastMessage; // the last text shown (read by tests)
    int m_nLastMessageCode = 0;
    int m_nMessageCount = 0;

    // ---- Shell services the link uses (their controls come with the shell) ----
    void ShowLinkState(BOOL connected);
    void SetInputType(int type, BOOL user);
    void LoadLockState(int preset);
    void ClearOutputLinks();
    void RefreshPages();
    void ResetOutputsToDefault();
    BOOL m_bShownConnected = FALSE;
    int m_nShownInputType = 0;
    BOOL m_bViewMenuItemEnabled = TRUE; // position 1 of the view menu's first popup
    BOOL m_bAdvancedDialogOpen = FALSE;
    int m_nTransferRange = 0;

    // ---- Bulk reads the connect sequence uses ----
    void SetTransferRange();
    // Queues the reads of the 6 input and 8 output records of preset p into the live set. The
    // caller holds g_linkLock.
    void ReadDevicePreset(int preset);

    // ---- Transports and closing (the USB and network links own the full versions) ----
    std::string m_strUsbPath;
    BOOL ConnectUsb();
    // Closes the link of g_nLinkState.
    void CloseLinkByState();
    // After a WIFI module reset: the module's own address and port 8899 / not reachable.
    void ResetNetAddress();
    void SetNetUnreachable();
    LRESULT OnConnectButton();
    void CloseUsbLink();
    void CloseNetLink();
    void CloseComLink();
    LRESULT OnLinkFailed(WPARAM wParam, LPARAM lParam);
    LRESULT OnEmptyReply(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// The main view, once created.
extern CTRV410View* g_pMainView;
