// The main view. Its window, pages and controls come with the application shell; here it holds
// the device link: the command link (queue and parser), the link worker, the transports' hooks,
// and the routines that open a link, send system records and take the device's answers into the
// model and the pages. The link's logic lives in link/; these routines only drive it.
#pragma once

#include "link/BulkTransfer.h"
#include "link/ClientSocket.h"
#include "link/FirmwareImage.h"
#include "link/FirmwareTransfer.h"
#include "link/HidChangeWatcher.h"
#include "link/KTVCommand.h"
#include "link/LinkHost.h"
#include "link/LinkWorker.h"
#include "link/Net_Socket.h"
#include "link/SerialPort.h"
#include "link/UsbLink.h"
#include "platform/io/HidDevice.h"
#include "platform/io/HidMonitor.h"
#include "platform/ui/Wnd.h"
#include "shell/AppSettings.h"
#include "shell/DataLock.h"
#include "shell/DataLockHost.h"
#include "shell/LockDataDlg.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CNetTransport;

// View timer of the input-type busy window.
constexpr UINT_PTR TIMER_INPUT_TYPE_BUSY = 9999;
constexpr UINT INPUT_TYPE_BUSY_MS = 1000;
// View timers of the pauses the link takes without holding up the UI thread.
constexpr UINT_PTR TIMER_CONNECT_CLOSE = 9998; // Connect button: close after the worker stopped
constexpr UINT_PTR TIMER_NET_RETRY = 9997;     // network retry: connect after the socket closed

class CUpdateHost;
// Shown from the serial thread's error texts (posted to the view).
constexpr UINT WM_COMM_ERROR = 0x4AA;
// The update poll thread's reconnect, sent to the view: wParam quiet; result TRUE when reconnected.
constexpr UINT WM_RECONNECT_FOR_UPDATE = 0x4AB;

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
    // The USB link: device choice, the register of held paths and the open device.
    CUsbLink m_usb;
    // The network link's socket and its ping thread.
    CNet_Socket m_net;
    // Held as the network link's second client; never connected.
    CClientSocket m_clientSocket;
    // The network transport the worker uses (m_net unless a test puts another in).
    CNetTransport* m_pNetTransport = nullptr;
    // Hot-plug of HID interfaces.
    CHidChangeWatcher m_hidWatcher;

    std::atomic<int> m_bLinkOpen{0}; // a link is open and its worker runs
    int m_nBatchCount = 0;           // progress index of the next packet of a batch
    BYTE m_nSavedMasterOn = 0;       // HoldMasterVolume
    LONGLONG m_nInputTypeBusyUntil = 0;

    // ---- CLinkHost (link worker) ----
    CHidDevice* GetUsbDevice() override { return m_usb.GetDevice(); }
    BOOL OpenUsbDevice() override { return m_usb.OpenUsbDevice(); }
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

    // ---- Bulk transfers and channel operations ----
    CBulkTransfer& Bulk() { return *m_pBulk; }
    void SendAllPresets();
    void SendPreset(int preset, BOOL store);
    void SendInputChannel(int input);
    // The pages' form; the second argument is not used.
    void SendInputChannel(int input, int /*unused*/) { SendInputChannel(input); }
    void SendOutputChannel(int output);
    BOOL ReadAllDevicePresets();
    // The caller holds g_linkLock.
    void ReadDevicePreset(int preset);
    void SetTransferRange();
    void CopyOutput(int from, int to);
    void PasteOutput(int from, int to);
    void ResetLinkedOutputEq();
    void DoResetLinkedOutputEq();
    void ResetOutputEq(int output);
    void ResetInputEq(int input);
    void SetOutputMixDefaults(int output, int code, BOOL requestRestore);
    // Shell hooks of the bulk transfers (the progress dialog, the lock button).
    virtual void ShowProgress(int mode) { m_nProgressShown = mode; }
    virtual void HideProgress() { m_nProgressShown = -1; }
    virtual void SetLockButton(BOOL locked) { m_bLockButton = locked; }
    int m_nProgressShown = -1;
    BOOL m_bLockButton = FALSE;

    // ---- USB link ----
    BOOL RegisterHidNotification();
    BOOL CreateUsbKey();
    BOOL EnumHidDevices() { return m_usb.EnumHidDevices(); }
    BOOL IsUsbPathFree(const CString& path) { return m_usb.IsUsbPathFree(path); }
    BOOL RememberUsbPath() { return m_usb.RememberUsbPath(); }
    BOOL ForgetUsbPath() { return m_usb.ForgetUsbPath(); }
    void ResetUsbKey() { m_usb.ResetUsbKey(); }
    BOOL FindUsbPath() { return m_usb.FindUsbPath(); }
    BOOL ConnectUsb() { return m_usb.ConnectUsb(); }
    BOOL ConnectUsbPath(const CString& path);
    BOOL ReopenUsb() { return m_usb.ReopenUsb(); }
    BOOL CloseUsbLink();
    // The Connect button and its popup items.
    struct PopupItem {
        UINT id;
        CString text;
    };
    LRESULT OnConnectButton();
    // Shows the popup under the Connect button; the choice comes back as its command.
    virtual void TrackConnectPopup(const std::vector<PopupItem>& items) { m_lastPopup = items; }
    std::vector<PopupItem> m_lastPopup;
    DWORD m_nConnectPauseMs = 500;
    int m_nClosePendingState = 0; // the link state (not LINK_NONE) the Connect button closes after its pause
    void OnUsbDeviceChosen(UINT id);
    void OnConnectUsbMenu();
    void OnConnectNetMenu();
    // Arrival and removal of a HID interface; always TRUE.
    BOOL OnDeviceChange(UINT event, const DEV_BROADCAST_DEVICEINTERFACE* record);
    LRESULT OnDeviceChangeMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnUsbReopen(WPARAM wParam, LPARAM lParam);
    void Reconnect();

    // ---- Closing: by link state and the close family ----
    void CloseLinkByState();
    LRESULT OnLinkFailed(WPARAM wParam, LPARAM lParam);
    BOOL CloseLinkOnError();
    void AbortFirmwareUpdate();
    LRESULT OnEmptyReply(WPARAM wParam, LPARAM lParam);
    int CloseLinkForUpdate();
    LRESULT OnUpdateFailed(WPARAM wParam, LPARAM lParam);
    void CloseComLink();
    // Progress bar 1414, status edit 1002 and button 2770 back to their idle look.
    virtual void ResetTransferDisplay() { m_nTransferRange = 0; }

    // ---- Firmware update opening (the update dialog and its poll thread) ----
    BOOL StartUsbUpdate(const CString& path);
    // Any thread (the update poll thread calls it): the reconnect runs on the UI thread, which owns
    // the worker's control calls; the caller waits for its result. User texts and messages are
    // posted, so the waiting thread never waits for a message box.
    BOOL ReconnectForUpdate(BOOL quiet);
    LRESULT OnReconnectForUpdate(WPARAM wParam, LPARAM lParam);
    // The update dialog's status label (via the update dialog's services).
    void SetUpdateStatusText(const char* textEn, const char* textCn);
    LRESULT OnLinkNotice(WPARAM wParam, LPARAM lParam);

    // ---- Settings and the data lock ----
    CAppSettings m_settings;
    BOOL LoadFileFolder(int nKind) { return m_settings.LoadFileFolder(nKind); }
    BOOL SaveFileFolder(int nKind) { return m_settings.SaveFileFolder(nKind); }
    BOOL LoadDspMcuSettings() { return m_settings.LoadDspMcuSettings(); }
    // After LoadDspMcuSettings: an empty stored language takes g_bChinese, a stored one sets it.
    void ApplyStoredLanguage() { m_settings.ApplyStoredLanguage(); }
    BOOL LoadLineSet() { return m_settings.LoadLineSet(); }
    // The output page's graph redraw comes with that page.
    BOOL SaveLineSet() { return m_settings.SaveLineSet(); }
    static BOOL IsFolderMissing(LPCTSTR pszPath) { return CAppSettings::IsFolderMissing(pszPath); }
    CDataLock& DataLock() { return *m_pDataLock; }
    void OnLockButton() { DataLock().OnLockButton(); }
    void LockOrUnlock(BOOL bLock) { DataLock().LockOrUnlock(bLock); }
    void OnSettingsPopupButton() { DataLock().OnSettingsPopupButton(); }
    LRESULT OnPresetFileLoaded(WPARAM wParam, LPARAM lParam);
    LRESULT OnDataRangeError(WPARAM wParam, LPARAM lParam);
    // The lock's view of this object.
    CDataLockHost& LockHost();

    // ---- Firmware update and serial link ----
    CFirmwareImage m_fwImage;
    CFirmwareTransfer m_fwTransfer{m_fwImage};
    CSerialPort m_serial;
    CString& m_strHexFolder = m_settings.m_strFirmwareFolder; // the remembered firmware folder
    void UsbFirmwareCycle(CLinkWorker& worker) override { m_fwTransfer.UsbCycle(worker); }
    void NetFirmwareCycle(CLinkWorker& worker) override { m_fwTransfer.NetCycle(worker); }
    // Asks for the update file (".bin"); FALSE for a cancel or another extension.
    BOOL ChooseFirmwareFile();
    // The file dialog: TRUE with the chosen path. Tests replace it.
    virtual BOOL AskFirmwareFile(CString* path);
    // Reads g_strHexPath into the image state; "Update file error!" when it cannot.
    BOOL LoadFirmwareFile();
    void QueueNextFirmwareFrames() { m_fwImage.QueueNextFrames(m_command.Queue()); }
    void QueueHandshake() { m_fwImage.QueueHandshake(m_command.Queue()); }
    void QueueMcuUpdate() { m_fwImage.QueueMcuUpdate(m_command.Queue()); }
    void QueueDspUpdate() { m_fwImage.QueueDspUpdate(m_command.Queue()); }
    // Firmware file name, folder and language under the program's "DspMcu" key.
    void SaveDspMcuSettings();
    // Opens the COM link on the port (57600 8N1) and starts its thread.
    BOOL OpenComLink(const char* portName);
    // Menu command 727: the update dialog, modal; afterwards no polling and no update mode.
    void OnFirmwareUpdateMenu();
    // Runs the update dialog; tests replace it.
    virtual INT_PTR RunUpgradeDialog();
    // A serial error text for the user, handed over from the serial thread.
    LRESULT OnCommError(WPARAM wParam, LPARAM lParam);
    std::mutex m_commErrorLock;
    std::vector<std::string> m_commErrors;
    // The update dialog's view of this object.
    CUpdateHost& UpdateHost();
    // The communication monitor, created hidden with the view (g_pMonitorDlg).
    std::unique_ptr<CLockDataDlg> m_pMonitor;
    // Hooks of the firmware cycles, the serial port's window and reporter, the monitor.
    void InitFirmwareAndSerial();

    // ---- Network link ----
    BOOL ConnectNet();
    BOOL CloseNetLink();
    DWORD m_nReconnectPauseMs = 500;
    // Closes the socket; the connect follows after m_nReconnectPauseMs (at once without a pause).
    // One retry at a time: a retry that comes during the pause runs after it.
    LRESULT OnNetRetry(WPARAM wParam, LPARAM lParam);
    void FinishNetRetry();
    void GiveUpNetRetry();
    BOOL m_bNetRetryWaiting = FALSE;
    int m_nNetRetriesDeferred = 0;
    BOOL StartNetUpdate();
    LRESULT OnNetReachable(WPARAM wParam, LPARAM lParam);
    LRESULT OnNetConnect(WPARAM wParam, LPARAM lParam);
    // After a WIFI module reset: the module's own address and port 8899 / not reachable.
    void ResetNetAddress();
    void SetNetUnreachable();

private:
    class CViewBulkHost;
    std::unique_ptr<CViewBulkHost> m_pBulkHost;
    std::unique_ptr<CBulkTransfer> m_pBulk;
    class CViewUpdateHost;
    std::shared_ptr<CViewUpdateHost> m_pUpdateHost;
    class CViewLockHost;
    std::unique_ptr<CViewLockHost> m_pLockHost;
    std::unique_ptr<CDataLock> m_pDataLock;

public:
    DECLARE_MESSAGE_MAP()
};

// The main view, once created.
extern CTRV410View* g_pMainView;
