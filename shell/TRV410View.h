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
#include "controls/BitButton.h"
#include "controls/BitmapSlider.h"
#include "controls/ComBoxBtn.h"
#include "controls/EnTabCtrl.h"
#include "controls/GradientProgressCtrl.h"
#include "controls/NumEdit.h"
#include "controls/NumSpin.h"
#include "controls/Show_Link.h"
#include "controls/XPButton.h"
#include "pages/input/InputPageHost.h"
#include "pages/level/LevelPageHost.h"
#include "pages/output/OutputPageHost.h"
#include "platform/io/HidDevice.h"
#include "platform/io/HidMonitor.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Font.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Static.h"
#include "platform/ui/Wnd.h"
#include "shell/AppSettings.h"
#include "shell/DataLock.h"
#include "shell/DataLockHost.h"
#include "shell/DisplayDlg.h"
#include "shell/LockCoverDlg.h"
#include "shell/LockDataDlg.h"
#include "shell/MsgBox.h"
#include "shell/ViewInputPageServices.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CLevel_Delay_Dlg;
class CNetTransport;
class CKTV_Data;
class CViewPresets;
namespace res {
struct DialogSpec;
}

// View timer of the input-type busy window.
constexpr UINT_PTR TIMER_INPUT_TYPE_BUSY = 9999;
constexpr UINT INPUT_TYPE_BUSY_MS = 1000;
// View timers of the pauses the link takes without holding up the UI thread.
constexpr UINT_PTR TIMER_CONNECT_CLOSE = 9998; // Connect button: close after the worker stopped
constexpr UINT_PTR TIMER_NET_RETRY = 9997;     // network retry: connect after the socket closed

// WM_SHOW_LEVEL_PAGE (pages/output/OutputPageHost.h): the level and delay page becomes current.
// The level page's way back: the output page becomes current and takes the focus.
constexpr UINT WM_SHOW_OUTPUT_PAGE = 0x52E;

// Form 101: the view's layout (shell/ViewLayouts.cpp) and its control ids.
constexpr UINT IDD_MAIN_VIEW = 101;
enum ViewControlId : int {
    IDC_TAB_AREA = 1368,
    IDC_INPUT_TYPE_LIST = 2830,
    IDC_PHONE_LIST = 2862,
    IDC_LINK_INDICATOR = 2776,
    IDC_SETTINGS_POPUP = 2854,
    IDC_LOCK_BUTTON = 2829,
    IDC_PRESETS_BUTTON = 8801,
    IDC_SETTINGS_BUTTON = 8802,
    IDC_SYSTEM_BUTTON = 8803,
    IDC_REPORT_BUTTON = 8804,
    IDC_CONNECT_BUTTON = 1413,
    IDC_MINIMIZE_BUTTON = 2772,
    IDC_CLOSE_BUTTON = 2773,
    IDC_PRESET_NAME = 2770,
    IDC_LANGUAGE_PICTURE = 2828,
    IDC_BOOT_LEVEL_EDIT = 2840,
    IDC_BOOT_LEVEL_SPIN = 2842,
    IDC_BOOT_LEVEL_SLIDER = 2841,
    IDC_PAGE_BUTTON_1 = 2561,
    IDC_INPUT_PAGE_BUTTON = 2562,
    IDC_LEVEL_PAGE_BUTTON = 2563,
    IDC_HI_LEVEL_BUTTON = 2826,
    IDC_AUX_BUTTON = 2818,
    IDC_PHONE_BUTTON = 2827,
    IDC_SLOT_BUTTON_1 = 2066, // 2066..2069
    IDC_TRANSFER_BAR = 1414,
    IDC_STATUS_EDIT = 1002,
};
// Drop lists of the two list buttons (WM_COMBO_SELECT's wParam) and their row height.
constexpr UINT IDC_INPUT_TYPE_DROP = 3501;
constexpr UINT IDC_PHONE_DROP = 3502;
constexpr UINT kDropItemHeight = 24;
// Pages: dialog ids, and their index for ShowSubPage.
constexpr UINT IDD_OUTPUT_PAGE = 136;
constexpr UINT IDD_INPUT_PAGE = 382;
constexpr UINT IDD_LEVEL_PAGE = 522;
constexpr int PAGE_INPUT = 0;
constexpr int PAGE_OUTPUT = 1;
constexpr int PAGE_LEVEL = 2;
// Phone setting values (byte 4 of g_bootSource).
constexpr BYTE PHONE_ON = 2;
constexpr BYTE PHONE_OFF = 255;
// Input type list: item index -> code; codes 4 and above 5 have no item.
constexpr int INPUT_TYPE_ITEMS = 5;
int InputTypeToItem(int code);
int ItemToInputType(int item);
// Answers of the save question at exit (CSaveData_Dlg).
constexpr int SAVE_ANSWER_YES = 6;
constexpr int SAVE_ANSWER_NO = 7;
constexpr int SAVE_ANSWER_CANCEL = 2;

class CUpdateHost;
// Shown from the serial thread's error texts (posted to the view).
constexpr UINT WM_COMM_ERROR = 0x4AA;
// The update poll thread's reconnect, sent to the view: wParam quiet; result TRUE when reconnected.
constexpr UINT WM_RECONNECT_FOR_UPDATE = 0x4AB;

class CTRV410View : public CWnd,
                    public CLinkHost,
                    public COutputPageHost,
                    public CInputPageHost,
                    public CLevelPageHost {
    DECLARE_DYNAMIC(CTRV410View)
public:
    CTRV410View();
    ~CTRV410View() override;

    // Creates the (hidden) form window with every control of form 101 and makes it the owner of
    // the link's messages; g_pMainView. A child of parent, or top-level without one.
    BOOL CreateView(CWnd* parent = nullptr);

    // ---- The form: start-up, pages, painting, window handling ----
    // The start-up steps in order; ends by posting WM_START_LINK to itself.
    virtual void OnInitialUpdate();
    // Configures the controls and creates the pages, the progress dialog and the menus.
    void CreatePages();
    // 0 input page, 1 output page, 2 level and delay page.
    void ShowSubPage(int page, BOOL hideCurrent);
    // Applies the left/right pairs in a direction (0 first to second); TRUE when any was applied.
    BOOL ApplyChannelLinks(int direction) override;
    // Main window title for view modes 1 and 2.
    void ApplyViewMode();
    // The window the drag moves and minimise and close act on: the top-level parent.
    CWnd* MainWindow();
    // Close button: the save question, then the stops and the close. Public for the frame.
    void OnCloseButton();
    void OnMinimizeButton();
    // The save question at exit (6 Yes, 7 No, 2 Cancel); tests replace it.
    virtual int AskSaveBeforeClose();
    // Saves the tuning to a preset file; FALSE when cancelled or failed.
    virtual BOOL SavePresetFile();
    // The stops of both shutdown roads, run once.
    void RunShutdownStops();
    // The parameter table of the document, modal (no command opens it).
    void OpenParameterTable();
    int m_nShutdownStops = 0; // how often the stop sequence ran (read by tests)
    // New top-left of the main window while dragging: the click point stays under the cursor.
    static CPoint DragTopLeft(CPoint cursorOnScreen, CPoint clickPoint);
    // Tab on the output page: the page's default focus (the output page plugs in here).
    virtual void SetOutputPageFocus();
    int m_nOutputPageFocus = 0;
    // The shown page's refresh after ShowSubPage (the pages plug in here).
    virtual void RefreshShownPage();
    int m_nPageRefreshes = 0;
    // The main window is closed (SC_CLOSE); tests replace it.
    virtual void CloseMainWindow();
    virtual void MinimizeMainWindow();

    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* wnd) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnDestroy() override;
    void OnTabSelChange(NMHDR* header, LRESULT* result);
    void OnPageButton1() {}
    void OnInputPageButton();
    void OnLevelPageButton();
    void OnSystemButton() {}
    LRESULT OnShowLevelPage(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowOutputPage(WPARAM wParam, LPARAM lParam);

    // ---- Input type and phone lists ----
    LRESULT OnComboSelect(WPARAM wParam, LPARAM lParam);
    void OnHiLevelButton();
    void OnAuxButton();
    void OnPhoneButton();
    void FillPhoneList(BOOL unused = FALSE);
    void FillInputTypeList();
    void UpdateSourceConflict();
    LRESULT OnBootLevelNotice(WPARAM, LPARAM) { return 0; }

    // ---- Popup menus and their commands, the language, help ----
    // TRUE flips the language first; then ApplyLanguage and a repaint of the view.
    void ToggleLanguage(BOOL toggle);
    // Puts g_bChinese on the whole view: skins, lists, link state, menu texts, the preset name
    // label, the bass-boost item, and stores the language.
    void ApplyLanguage();
    // The pages' texts in the language, in the order output, input, level (the pages plug in here).
    virtual void ApplyLanguageToPages();
    // The connect button's skin of the language for the link state.
    void ApplyConnectLook(BOOL online);
    // Bass boost (item 32775) cannot be picked for device types 3 and 4.
    void UpdateBassBoostItem();
    // Opens the first popup of a menu under a button: its left edge, 2 pixels below it.
    void TrackMenuUnder(CMenu& menu, CWnd& button);
    void OnSettingsButton();   // button 8802: menu 113
    void OnAdvancedMenu();     // 728 (its item is deleted at start)
    void OnLanguageMenu();     // 729
    void OnHelpMenu();         // 730
    void OnAboutMenu();        // 731
    void OnFactoryResetMenu(); // 32771
    void OnMixerMenu();        // 32774
    void OnBassBoostMenu();    // 32775
    void OnBootSourceMenu();   // 32776
    // The one-switch panel of bass boost (kind 0) or the noise threshold (1), modal, and the mixer
    // popup, modal.
    virtual void RunInputNoiseDialog(int kind);
    virtual void RunMixerDialog();

    // ---- Preset commands (menu 112, the preset files, the machine-preset dialogs, slots) ----
    CViewPresets& Presets() { return *m_pPresets; }
    void OnPresetMenuButton();
    void OnLoadMachinePreset();   // 720
    void OnSaveMachinePreset();   // 721
    void OnDeleteMachinePreset(); // 722
    void OnReadPresetFile();      // 723
    void OnReadAllPresetsFile();  // 724
    void OnSavePresetFile();      // 725
    void OnSaveAllPresets();      // 726
    void OnSlotButton(UINT id);   // 2066..2069

    // ---- Controls of form 101 ----
    CComBoxBtn m_btnPhone;               // 2862
    CBitButton m_btnSettingsPopup;       // 2854
    CNumSpin m_spinBootLevel;            // 2842
    CBitmapSlider m_sliderBootLevel;     // 2841
    CNumEdit m_editBootLevel;            // 2840
    CComBoxBtn m_btnInputType;           // 2830
    CStatic m_picLanguage;               // 2828
    CBitButton m_btnHiLevel;             // 2826
    CBitButton m_btnAux;                 // 2818
    CBitButton m_btnPhoneType;           // 2827
    CShow_Link m_linkIndicator;          // 2776
    CBitButton m_btnMinimize;            // 2772
    CBitButton m_btnClose;               // 2773
    CBitButton m_btnPresetName;          // 2770
    CBitButton m_btnPage1;               // 2561
    CBitButton m_btnInputPage;           // 2562
    CBitButton m_btnLevelPage;           // 2563
    CXPButton m_btnSlot[4];              // 2066..2069
    CEdit m_editStatus;                  // 1002
    CXPButton m_btnPresets;              // 8801
    CXPButton m_btnSystem;               // 8803
    CXPButton m_btnReport;               // 8804
    CXPButton m_btnSettings;             // 8802
    CXPButton m_btnConnect;              // 1413
    CGradientProgressCtrl m_transferBar; // 1414
    CEnTabCtrl m_tabArea;                // 1368
    CBitButton m_btnLock;                // 2829

    // ---- Pages: one child window each in the tab area (the pages' own classes plug in here) ----
    std::unique_ptr<CWnd> m_pOutputPage; // 136
    std::unique_ptr<CWnd> m_pInputPage;  // 382
    std::unique_ptr<CWnd> m_pLevelPage;  // 522
    std::unique_ptr<CWnd> m_pLockCover;  // 760
    // Makes the window of one page as a child of the tab area; the page issues override it.
    virtual std::unique_ptr<CWnd> CreatePageWindow(UINT pageId, CWnd* tabArea);
    // The output page's questions go through the program's message box.
    int AskPage(LPCTSTR text, LPCTSTR caption, UINT type, int code) override;
    void PostViewMessage(UINT message) override { PostMessage(message, 0, 0); }
    // The level page's side of an input choice: the input page's message and its source check.
    void PostToInputPage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ValidateSource(int input, int auxMode) override;
    void ShowOutputPage() override { PostMessage(WM_SHOW_OUTPUT_PAGE, 0, 0); }
    void ShowCurrentInput(int input) override { SetInputType(input, FALSE); }
    // What the link asks of the input and level pages; installed while the pages exist.
    CViewInputPageServices m_inputPageServices;
    CWnd* PageWindow(int page) const;
    // The level page once its window exists, else null.
    CLevel_Delay_Dlg* LevelPageWindow() const;
    // Form 101's controls from its layout table, attached to the members above.
    void CreateFormControls(const res::DialogSpec& form);
    void LoadFormBitmaps();

    // ---- Pictures, menus, fonts, brush ----
    CBitmap m_bmpBackCn;  // 285
    CBitmap m_bmpBackEn;  // 284
    CBitmap m_bmpLangCn;  // 757
    CBitmap m_bmpLangEn;  // 756
    CMenu m_menuPresets;  // 112
    CMenu m_menuSettings; // 113
    CMenu m_menuConnect;  // 114
    CMenu m_menuView;     // 11
    CMenu m_menuAdvanced; // 875
    CFont m_font16;       // Arial 16/400
    CFont m_font20;       // Arial 20/500
    CBrush m_brushDlg;    // the dialog background colour
    // The transfer progress dialog (g_pDisplayDlg) and the hidden auto-close box window.
    std::unique_ptr<CDisplayDlg> m_pDisplayDlg;
    CMsgBox m_msgBox;
    // The document's channel data (the link's document).
    CKTV_Data* m_pData = nullptr;

    // ---- Start-up state ----
    CString m_strWorkDir; // the working directory at start
    CString m_strHelpCn;  // working directory + "/CH_Help.chm"
    CString m_strHelpEn;  // working directory + "/EN_Help.chm"
    CRect m_rcClient;     // the client area, taken once at start
    BOOL m_bDragging = FALSE;
    CPoint m_ptDrag;    // the click point of a drag (client coordinates)
    int m_bClosing = 0; // set by the close button: OnDestroy skips the stops

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
    void SendCommand(int cmd, int preset) override;
    void SendSpeakerMap(int output, int mode) override;
    // Output `output`'s crossover chunk with its set frequencies (its marks acknowledged); the
    // caller holds g_linkLock.
    std::unique_ptr<CSendData> XoverBlockFrame(int output);
    void SendPresetCleared(int preset);
    void HoldMasterVolume(BOOL restore);
    void SetSystemDataDirty(BOOL set) override;
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
    // After Yes to a device state report's level out of range: each such level takes its default
    // and the source set is marked for sending.
    void ResetDeviceStateLevels();
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
    void StartInputTypeTimer() override;
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
    void ClearOutputLinks() override;
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
    void SendInputChannel(int input) override;
    // The pages' form; the second argument is not used.
    void SendInputChannel(int input, int /*unused*/) { SendInputChannel(input); }
    void SendOutputChannel(int output) override;
    BOOL ReadAllDevicePresets();
    // The caller holds g_linkLock.
    void ReadDevicePreset(int preset);
    void SetTransferRange();
    void CopyOutput(int from, int to);
    void PasteOutput(int from, int to) override;
    void ResetLinkedOutputEq() override;
    void DoResetLinkedOutputEq();
    void ResetOutputEq(int output) override;
    void ResetInputEq(int input) override;
    void SetOutputMixDefaults(int output, int code, BOOL requestRestore) override;
    // The output map's changes: the master volume held once while a link is open.
    void HoldMasterForChange(BOOL restore) override;
    int AskMapReset() override;
    int AskLinkDirection() override;
    // The output-map file commands (kind-3 folder); errors shown here.
    BOOL ReadOutputMapFile() override;
    void SaveOutputMapFile() override;
    BOOL m_bMasterHeld = FALSE;
    BOOL m_bAskingStateRange = FALSE; // the question about a device state report is open
    // Shell hooks of the bulk transfers (the progress dialog, the lock button).
    virtual void ShowProgress(int mode);
    virtual void HideProgress();
    virtual void SetLockButton(BOOL locked);
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
    void OnConnectButtonClicked() { OnConnectButton(); }
    // Shows the popup under the Connect button; the choice comes back as its command.
    virtual void TrackConnectPopup(const std::vector<PopupItem>& items);
    std::vector<PopupItem> m_lastPopup;
    DWORD m_nConnectPauseMs = 500;
    int m_nClosePendingState = 0; // the link state (not LINK_NONE) the Connect button closes after its pause
    // A close the Connect button's pause still waits for runs now.
    void FinishPendingClose();
    // The link closes at once, as the Connect button closes it but without the pause.
    void CloseLinkNow();
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
    std::unique_ptr<CViewPresets> m_pPresets;

public:
    DECLARE_MESSAGE_MAP()
};

// The main view, once created.
extern CTRV410View* g_pMainView;
// The view's transfer progress dialog and its bar, once created.
extern CDisplayDlg* g_pDisplayDlg;
extern CGradientProgressCtrl* g_pDisplayBar;
