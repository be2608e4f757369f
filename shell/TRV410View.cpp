#include "shell/TRV410View.h"
#include "shell/ReMap_Dlg.h"
#include "controls/DropListBox.h"
#include "shell/All_Link_Dlg.h"

#include "grid/DataViewDlg.h"
#include "pages/input/InPutDlg.h"
#include "pages/input/InputNoise.h"
#include "pages/input/PopuMixInput.h"
#include "pages/output/OutputDlg.h"
#include "platform/ui/CommDlg.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/DropDownWnd.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/ProgressCtrl.h"
#include "platform/ui/ResourceLoader.h"
#include "platform/ui/ShellApi.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "platform/ui/TabCtrl.h"
#include "res/ResourceTable.h"
#include "platform/ui/Menu.h"
#include "shell/MessageBoxDlg.h"
#include "shell/PasswordDlg.h"
#include "shell/SaveData_Dlg.h"
#include "shell/UnlockDlg.h"
#include "shell/DefSourceDlg.h"
#include "shell/InitDlg.h"
#include "shell/MessageBoxDlg.h"
#include "shell/UpdateHost.h"
#include "shell/UpgradeDlg.h"
#include "shell/ViewLayouts.h"
#include "shell/VersionDlg.h"
#include "shell/ViewMenus.h"
#include "shell/ViewPresets.h"
#include "shell/ViewSkinTable.h"

#include "link/FirmwareTransfer.h"
#include "link/InputPageServices.h"
#include "pages/level/Level_Delay_Dlg.h"
#include "link/LinkGlobals.h"
#include "link/LinkMessages.h"
#include "link/LinkViewServices.h"
#include "link/NetTransport.h"
#include "link/OutputPageServices.h"
#include "model/DeviceStateSerials.h"
#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/LinkDocument.h"
#include "model/PresetServices.h"
#include "model/RecordRanges.h"
#include "model/RecordFrames.h"
#include "model/SpeakerPos.h"
#include "platform/core/Time.h"
#include "presets/OutputMapFile.h"
#include "presets/PresetFileIo.h"
#include "platform/io/HidBackend.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>

CTRV410View* g_pMainView = nullptr;
CDisplayDlg* g_pDisplayDlg = nullptr;
CGradientProgressCtrl* g_pDisplayBar = nullptr;

IMPLEMENT_DYNAMIC(CTRV410View, CWnd)

namespace {
// Child id of the view in its frame (the frame's first pane).
constexpr UINT kViewPaneId = 0xE900;
} // namespace

BEGIN_MESSAGE_MAP(CTRV410View, CWnd)
ON_MESSAGE(WM_START_LINK, &CTRV410View::OnStartLink)
ON_MESSAGE(WM_VERSION_RECEIVED, &CTRV410View::OnVersionReceived)
ON_MESSAGE(WM_LIVE_DATA_RECEIVED, &CTRV410View::OnLiveDataReceived)
ON_MESSAGE(WM_PRESETS_RECEIVED, &CTRV410View::OnPresetsReceived)
ON_MESSAGE(WM_SYSTEM_RECORD_RECEIVED, &CTRV410View::OnSystemRecordReceived)
ON_MESSAGE(WM_DEVICE_STATE, &CTRV410View::OnDeviceState)
ON_MESSAGE(WM_LOCK_RECORD_RECEIVED, &CTRV410View::OnLockRecordReceived)
ON_MESSAGE(WM_TRANSFER_DONE, &CTRV410View::OnTransferDone)
ON_MESSAGE(WM_FIRMWARE_DONE, &CTRV410View::OnFirmwareDone)
ON_MESSAGE(WM_WIFI_RESET_DONE, &CTRV410View::OnWifiResetDone)
ON_MESSAGE(WM_EFFECT_RECEIVED, &CTRV410View::OnEffectReceived)
ON_MESSAGE(WM_NET_DATA, &CTRV410View::OnNetData)
ON_MESSAGE(WM_VIEW_SPARE, &CTRV410View::OnViewSpare)
ON_MESSAGE(WM_PRESET_NAME_CHANGED, &CTRV410View::OnPresetNameChanged)
ON_MESSAGE(WM_LINK_FAILED, &CTRV410View::OnLinkFailed)
ON_MESSAGE(WM_EMPTY_REPLY, &CTRV410View::OnEmptyReply)
ON_MESSAGE(WM_DEVICECHANGE, &CTRV410View::OnDeviceChangeMessage)
ON_MESSAGE(WM_USB_REOPEN, &CTRV410View::OnUsbReopen)
ON_MESSAGE(WM_UPDATE_FAILED, &CTRV410View::OnUpdateFailed)
ON_MESSAGE(WM_NET_RETRY, &CTRV410View::OnNetRetry)
ON_MESSAGE(WM_NET_CONNECT, &CTRV410View::OnNetConnect)
ON_MESSAGE(WM_NET_REACHABLE, &CTRV410View::OnNetReachable)
ON_MESSAGE(WM_LINK_NOTICE, &CTRV410View::OnLinkNotice)
ON_MESSAGE(WM_COMM_ERROR, &CTRV410View::OnCommError)
ON_MESSAGE(WM_RECONNECT_FOR_UPDATE, &CTRV410View::OnReconnectForUpdate)
ON_COMMAND(ID_FIRMWARE_UPDATE_MENU, &CTRV410View::OnFirmwareUpdateMenu)
ON_COMMAND_RANGE(ID_USB_DEVICE_FIRST, ID_USB_DEVICE_LAST, &CTRV410View::OnUsbDeviceChosen)
ON_COMMAND(ID_CONNECT_USB, &CTRV410View::OnConnectUsbMenu)
ON_COMMAND(ID_CONNECT_NET, &CTRV410View::OnConnectNetMenu)
ON_BN_CLICKED(IDC_SETTINGS_BUTTON, &CTRV410View::OnSettingsButton)
ON_COMMAND(ID_ADVANCED_MENU, &CTRV410View::OnAdvancedMenu)
ON_COMMAND(ID_LANGUAGE_MENU, &CTRV410View::OnLanguageMenu)
ON_COMMAND(ID_HELP_MENU, &CTRV410View::OnHelpMenu)
ON_COMMAND(ID_ABOUT_MENU, &CTRV410View::OnAboutMenu)
ON_COMMAND(ID_FACTORY_RESET_MENU, &CTRV410View::OnFactoryResetMenu)
ON_COMMAND(ID_MIXER_MENU, &CTRV410View::OnMixerMenu)
ON_COMMAND(ID_BASS_BOOST_MENU, &CTRV410View::OnBassBoostMenu)
ON_COMMAND(ID_BOOT_SOURCE_MENU, &CTRV410View::OnBootSourceMenu)
ON_NOTIFY(TCN_SELCHANGE, IDC_TAB_AREA, &CTRV410View::OnTabSelChange)
ON_BN_CLICKED(IDC_MINIMIZE_BUTTON, &CTRV410View::OnMinimizeButton)
ON_BN_CLICKED(IDC_CLOSE_BUTTON, &CTRV410View::OnCloseButton)
ON_BN_CLICKED(IDC_PAGE_BUTTON_1, &CTRV410View::OnPageButton1)
ON_BN_CLICKED(IDC_INPUT_PAGE_BUTTON, &CTRV410View::OnInputPageButton)
ON_BN_CLICKED(IDC_LEVEL_PAGE_BUTTON, &CTRV410View::OnLevelPageButton)
ON_BN_CLICKED(IDC_SYSTEM_BUTTON, &CTRV410View::OnSystemButton)
ON_BN_CLICKED(IDC_HI_LEVEL_BUTTON, &CTRV410View::OnHiLevelButton)
ON_BN_CLICKED(IDC_AUX_BUTTON, &CTRV410View::OnAuxButton)
ON_BN_CLICKED(IDC_PHONE_BUTTON, &CTRV410View::OnPhoneButton)
ON_BN_CLICKED(IDC_CONNECT_BUTTON, &CTRV410View::OnConnectButtonClicked)
ON_MESSAGE(WM_SHOW_LEVEL_PAGE, &CTRV410View::OnShowLevelPage)
ON_MESSAGE(WM_SHOW_OUTPUT_PAGE, &CTRV410View::OnShowOutputPage)
ON_MESSAGE(WM_COMBO_SELECT, &CTRV410View::OnComboSelect)
ON_MESSAGE(WM_SLIDER_MOVING, &CTRV410View::OnBootLevelNotice)
ON_MESSAGE(WM_SLIDER_MOVED, &CTRV410View::OnBootLevelNotice)
ON_MESSAGE(WM_PRESET_FILE_LOADED, &CTRV410View::OnPresetFileLoaded)
ON_MESSAGE(WM_DATA_RANGE_ERROR, &CTRV410View::OnDataRangeError)
ON_BN_CLICKED(ID_LOCK_BUTTON, &CTRV410View::OnLockButton)
ON_BN_CLICKED(IDC_PRESETS_BUTTON, &CTRV410View::OnPresetMenuButton)
ON_COMMAND(ID_LOAD_MACHINE_PRESET, &CTRV410View::OnLoadMachinePreset)
ON_COMMAND(ID_SAVE_MACHINE_PRESET, &CTRV410View::OnSaveMachinePreset)
ON_COMMAND(ID_DELETE_MACHINE_PRESET, &CTRV410View::OnDeleteMachinePreset)
ON_COMMAND(ID_LOAD_PC_PRESET, &CTRV410View::OnReadPresetFile)
ON_COMMAND(ID_LOAD_ALL_PRESETS, &CTRV410View::OnReadAllPresetsFile)
ON_COMMAND(ID_SAVE_PC_PRESET, &CTRV410View::OnSavePresetFile)
ON_COMMAND(ID_SAVE_ALL_PRESETS, &CTRV410View::OnSaveAllPresets)
ON_COMMAND_RANGE(IDC_SLOT_BUTTON_1, IDC_SLOT_BUTTON_1 + 3, &CTRV410View::OnSlotButton)
ON_BN_CLICKED(ID_SETTINGS_POPUP_BUTTON, &CTRV410View::OnSettingsPopupButton)
END_MESSAGE_MAP()

// The view's part of the bulk transfers.
class CTRV410View::CViewBulkHost : public CBulkHost {
public:
    explicit CViewBulkHost(CTRV410View& view) : m_view(view) {}
    BOOL IsLinkOpen() override { return m_view.m_bLinkOpen.load(); }
    int& BatchCount() override { return m_view.m_nBatchCount; }
    void HoldMasterVolume(BOOL restore) override { m_view.HoldMasterVolume(restore); }
    void AddPacket(std::unique_ptr<CSendData> packet) override {
        m_view.m_command.AddPacket(std::move(packet));
        m_view.m_worker.WakeForPacket();
    }
    void ShowConnectFailure() override { m_view.ShowConnectFailure(); }
    BOOL ChooseAllPresetsFile() override { return PresetServices().ChooseAllPresetsFile(); }
    CMusic_InData* GetInput(int index) override {
        auto* doc = dynamic_cast<CKTV_Data*>(&LinkDocument());
        return doc ? doc->GetMusic(index) : nullptr;
    }
    CKTV_OutData* GetOutput(int index) override {
        auto* doc = dynamic_cast<CKTV_Data*>(&LinkDocument());
        if (doc)
            return doc->GetOut(index);
        return index >= 0 && index < NUM_OUTPUTS ? g_pOutData[index] : nullptr;
    }
    void StoreDocumentToImage() override {
        if (auto* doc = dynamic_cast<CKTV_Data*>(&LinkDocument()))
            doc->StoreToImage();
    }
    void SetTransferRange(int max) override {
        m_view.m_nTransferRange = max;
        LinkViewServices().SetTransferPos(0);
    }
    void ShowProgress(int mode) override { m_view.ShowProgress(mode); }
    void SetLockButton(BOOL locked) override { m_view.SetLockButton(locked); }

private:
    CTRV410View& m_view;
};

// The view's part of the data lock: its senders and pages, the real prompts and boxes.
class CTRV410View::CViewLockHost : public CDataLockHost {
public:
    explicit CViewLockHost(CTRV410View& view) : m_view(view) {}
    BOOL IsLinkOpen() override { return m_view.m_bLinkOpen.load(); }
    void SendPreset(int preset, BOOL store) override { m_view.SendPreset(preset, store); }
    void SetOutputMixDefaults(int output, int code, BOOL requestRestore) override {
        m_view.SetOutputMixDefaults(output, code, requestRestore);
    }
    void ClearOutputLinks() override { m_view.ClearOutputLinks(); }
    void RefreshPages() override { m_view.RefreshPages(); }
    void SetLockButton(BOOL pressed) override { m_view.SetLockButton(pressed); }
    BOOL IsLockButtonPressed() override { return m_view.m_bLockButton; }
    void Repaint() override { m_view.Invalidate(); }
    // The view's own menu 875, where the bass-boost item is disabled by device type.
    void TrackSettingsPopup() override {
        m_view.TrackMenuUnder(m_view.m_menuAdvanced, m_view.m_btnSettingsPopup);
    }
    void CloseProgram() override {
        if (CWnd* main = AfxGetMainWnd())
            main->PostMessage(WM_CLOSE, 0, 0);
    }
    void SetLockedLayout(BOOL locked) override { OutputPageServices().SetLockedLayout(locked); }
    void RestoreDefaultMap() override {
        if (auto* output = dynamic_cast<COutputDlg*>(&OutputPageServices()))
            output->RestoreDefaultMap();
    }
    UnlockPromptResult RunUnlockPrompt(int mode, CString* entry) override {
        CUnlockDlg dlg(mode, this, &m_view);
        dlg.DoModal();
        *entry = dlg.m_strEntry;
        return dlg.GetResult();
    }
    BOOL RunPasswordPrompt(CString* entry) override {
        CPasswordDlg dlg(this, &m_view);
        dlg.DoModal();
        *entry = dlg.m_strEntry;
        return dlg.m_bEntered && !dlg.m_bCancelled;
    }
    void ShowMessage(const char* text) override {
        ShowTimedMessageBox(&m_view, text, g_strProduct, MB_OK, g_bChinese.load(), 2000);
    }
    int AskYesNo(const char* text) override { return ShowMessageBox(text, MB_YESNO, 0); }

private:
    CTRV410View& m_view;
};

CTRV410View::CTRV410View()
    : m_worker(m_command, *this), m_pBulkHost(std::make_unique<CViewBulkHost>(*this)),
      m_pBulk(std::make_unique<CBulkTransfer>(*m_pBulkHost)),
      m_pLockHost(std::make_unique<CViewLockHost>(*this)),
      m_pDataLock(std::make_unique<CDataLock>(*m_pLockHost)),
      m_pPresets(std::make_unique<CViewPresets>(*this)) {
    m_pNetTransport = &m_net;
    m_usb.SetLinkOpenFlag(&m_bLinkOpen);
}

CTRV410View::~CTRV410View() {
    // The worker calls back into this object: it must be gone before the members are.
    m_worker.Stop(TRUE);
    m_hidWatcher.Stop();
    m_net.StopPing(FALSE);
    m_command.SetOwner(nullptr);
    g_pSerialCommand = nullptr;
    if (g_pMainView == this)
        g_pMainView = nullptr;
    if (g_pViewWnd == this)
        g_pViewWnd = nullptr;
    if (&InputPageServices() == &m_inputPageServices)
        SetInputPageServices(nullptr);
    if (m_pDisplayDlg && g_pDisplayDlg == m_pDisplayDlg.get()) {
        g_pDisplayDlg = nullptr;
        g_pDisplayBar = nullptr;
    }
    if (m_hWnd)
        DestroyWindow();
}

BOOL CTRV410View::CreateView(CWnd* parent) {
    RegisterViewLayouts();
    const res::DialogSpec* form = res::FindDialog(IDD_MAIN_VIEW);
    if (!form)
        return FALSE;
    const RECT rect{0, 0, form->width, form->height};
    if (!Create(nullptr, "TRV410View", parent ? WS_CHILD : 0, rect, parent, parent ? kViewPaneId : 0))
        return FALSE;
    m_font16.CreateFont(g_fontSpecArial16.height, 0, 0, 0, g_fontSpecArial16.weight, 0, 0, 0, 0, 0, 0, 0,
                        FONT_PITCH_AND_FAMILY, g_fontSpecArial16.face);
    m_font20.CreateFont(20, 0, 0, 0, FW_MEDIUM, 0, 0, 0, 0, 0, 0, 0, FONT_PITCH_AND_FAMILY, "Arial");
    m_brushDlg.CreateSolidBrush(g_clrBrushDlg);
    CreateFormControls(*form);
    m_command.SetOwner(m_hWnd);
    m_net.SetOwner(m_hWnd);
    g_pMainView = this;
    CreateUsbKey();
    RegisterHidNotification();
    InitFirmwareAndSerial();
    return TRUE;
}

// ---- The form -----------------------------------------------------------------------------------

namespace {

// Windows of the form's layout table, replaced by the view's control members (DoDataExchange).
std::unique_ptr<CWnd> MakeTemplateControl(const std::string& className) {
    if (className == "Button")
        return std::make_unique<CButton>();
    if (className == "Static")
        return std::make_unique<CStatic>();
    if (className == "Edit")
        return std::make_unique<CEdit>();
    if (className == "UpDown")
        return std::make_unique<CSpinButtonCtrl>();
    if (className == "Progress")
        return std::make_unique<CProgressCtrl>();
    if (className == "Tab")
        return std::make_unique<CTabCtrl>();
    return std::make_unique<CWnd>();
}

// Input type list: code -> item index, -1 for codes without an item.
constexpr int kItemOfType[NUM_INPUT_TYPES] = {3, 0, 2, 1, -1, 4};
constexpr int kTypeOfItem[INPUT_TYPE_ITEMS] = {1, 3, 2, 0, 5};

constexpr const char* kInputTypeEn[INPUT_TYPE_ITEMS] = {"Hi_Level", "AUX", "Phone", "Optical", "Player"};
constexpr const char* kInputTypeCn[INPUT_TYPE_ITEMS] = {"高电平", "AUX", "蓝牙", "光纤", "播放器"};

constexpr const char kFwDone[] = "Update successfully";
constexpr const char kFwDoneCn[] = "更新完成";
constexpr const char kFwNotBin[] = "Not an update file: choose a .bin file!";
constexpr const char kFwNotBinCn[] = "不是升级文件，请选择.bin文件!";

// Bitmaps of the form that do not change with the language.
constexpr UINT kBmpBackCn = 285, kBmpBackEn = 284, kBmpLangCn = 757, kBmpLangEn = 756;

} // namespace

int InputTypeToItem(int code) {
    return code >= 0 && code < NUM_INPUT_TYPES ? kItemOfType[code] : -1;
}

int ItemToInputType(int item) {
    return item >= 0 && item < INPUT_TYPE_ITEMS ? kTypeOfItem[item] : item;
}

void CTRV410View::CreateFormControls(const res::DialogSpec& form) {
    std::vector<std::unique_ptr<CWnd>> templates;
    for (const res::DialogItemSpec& item : form.items) {
        const std::string cls = item.className ? item.className : "";
        std::unique_ptr<CWnd> w = MakeTemplateControl(cls);
        const CRect r(item.x, item.y, item.x + item.width, item.y + item.height);
        if (!w->CreateEx(item.exStyle, cls.c_str(), g_bChinese.load() ? item.zh : item.en,
                         (item.style | WS_CHILD) & ~WS_VISIBLE, r, this, static_cast<UINT>(item.id)))
            continue;
        w->SetFont(&m_font16, FALSE);
        if (item.style & WS_VISIBLE)
            w->ShowWindow(SW_SHOWNA);
        templates.push_back(std::move(w));
    }
    UpdateData(FALSE);
}

void CTRV410View::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_PHONE_LIST, m_btnPhone);
    DDX_Control(dx, IDC_SETTINGS_POPUP, m_btnSettingsPopup);
    DDX_Control(dx, IDC_BOOT_LEVEL_SPIN, m_spinBootLevel);
    DDX_Control(dx, IDC_BOOT_LEVEL_SLIDER, m_sliderBootLevel);
    DDX_Control(dx, IDC_BOOT_LEVEL_EDIT, m_editBootLevel);
    DDX_Control(dx, IDC_INPUT_TYPE_LIST, m_btnInputType);
    DDX_Control(dx, IDC_LANGUAGE_PICTURE, m_picLanguage);
    DDX_Control(dx, IDC_HI_LEVEL_BUTTON, m_btnHiLevel);
    DDX_Control(dx, IDC_AUX_BUTTON, m_btnAux);
    DDX_Control(dx, IDC_PHONE_BUTTON, m_btnPhoneType);
    DDX_Control(dx, IDC_LINK_INDICATOR, m_linkIndicator);
    DDX_Control(dx, IDC_MINIMIZE_BUTTON, m_btnMinimize);
    DDX_Control(dx, IDC_CLOSE_BUTTON, m_btnClose);
    DDX_Control(dx, IDC_PRESET_NAME, m_btnPresetName);
    DDX_Control(dx, IDC_PAGE_BUTTON_1, m_btnPage1);
    DDX_Control(dx, IDC_INPUT_PAGE_BUTTON, m_btnInputPage);
    DDX_Control(dx, IDC_LEVEL_PAGE_BUTTON, m_btnLevelPage);
    for (int i = 0; i < 4; ++i)
        DDX_Control(dx, IDC_SLOT_BUTTON_1 + i, m_btnSlot[i]);
    DDX_Control(dx, IDC_STATUS_EDIT, m_editStatus);
    DDX_Control(dx, IDC_PRESETS_BUTTON, m_btnPresets);
    DDX_Control(dx, IDC_SYSTEM_BUTTON, m_btnSystem);
    DDX_Control(dx, IDC_REPORT_BUTTON, m_btnReport);
    DDX_Control(dx, IDC_SETTINGS_BUTTON, m_btnSettings);
    DDX_Control(dx, IDC_CONNECT_BUTTON, m_btnConnect);
    DDX_Control(dx, IDC_TRANSFER_BAR, m_transferBar);
    DDX_Control(dx, IDC_TAB_AREA, m_tabArea);
    DDX_Control(dx, IDC_LOCK_BUTTON, m_btnLock);
}

void CTRV410View::OnInitialUpdate() {
    // The form has the frame's client size (the frame sizes itself to the skin).
    // The link's messages come here.
    g_pMainView = this;
    m_command.SetOwner(m_hWnd);
    // Backgrounds and language pictures.
    LoadFormBitmaps();
    // The document's channel data.
    m_pData = dynamic_cast<CKTV_Data*>(&LinkDocument());
    // Working directory and the help files in it.
    std::error_code cwdError;
    m_strWorkDir = std::filesystem::current_path(cwdError).string().c_str();
    m_strHelpCn = m_strWorkDir + "/CH_Help.chm";
    m_strHelpEn = m_strWorkDir + "/EN_Help.chm";
    // The firmware folder starts at the user's documents; no link is open.
    m_strHexFolder = CAppSettings::DocumentsFolder();
    m_bLinkOpen = 0;
    // Stored settings and the language they decide.
    LoadDspMcuSettings();
    ApplyStoredLanguage();
    // Controls, pages, progress dialog, menus.
    CreatePages();
    // Looks and texts of the language.
    ToggleLanguage(FALSE);
    ShowLinkState(FALSE);
    // The current slot's button up; no output is linked at start.
    Presets().SelectPresetSlot(0, FALSE);
    ClearOutputLinks();
    // The start page and the input type.
    ShowSubPage(g_nCurPage, FALSE);
    SetInputType(g_pcSourceSet.inputType, FALSE);
    // HID arrival and removal.
    RegisterHidNotification();
    // Default mixer levels by each output's speaker position.
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        SetOutputMixDefaults(i, g_posState[POS_STATE_OUTPUTS + i], FALSE);
    // The link worker starts idle.
    g_bUsbEnabled = 0;
    g_bTransfersStopped = 0;
    // Title of the main window.
    ApplyViewMode();
    // The view receives the link messages.
    g_pSerialCommand = &m_command;
    g_pViewWnd = this;
    // The communication monitor, hidden.
    InitFirmwareAndSerial();
    // The hidden auto-close box window.
    if (!m_msgBox.IsCreated())
        m_msgBox.Create(this);
    // Settings again, the USB key, the file-folder key when missing, the curve setting.
    LoadDspMcuSettings();
    CreateUsbKey();
    SaveFileFolder(0);
    LoadLineSet();
    // Drag area and state.
    GetClientRect(&m_rcClient);
    m_bDragging = FALSE;
    ModifyStyle(0x80, 0);
    // The link starts once the window is up.
    PostMessage(WM_START_LINK, 0, 0);
}

void CTRV410View::LoadFormBitmaps() {
    if (!m_bmpBackCn.GetSafeHandle())
        m_bmpBackCn.LoadBitmap(kBmpBackCn);
    if (!m_bmpBackEn.GetSafeHandle())
        m_bmpBackEn.LoadBitmap(kBmpBackEn);
    if (!m_bmpLangCn.GetSafeHandle())
        m_bmpLangCn.LoadBitmap(kBmpLangCn);
    if (!m_bmpLangEn.GetSafeHandle())
        m_bmpLangEn.LoadBitmap(kBmpLangEn);
}

void CTRV410View::CreatePages() {
    // Once per window: the pages and menus it makes are the view's for its life.
    if (m_pOutputPage)
        return;
    // The hidden transfer bar.
    m_transferBar.SetBkColor(RGB(128, 128, 128));
    // The preset name label: text on its disabled bitmap.
    m_btnPresetName.SetDisabledBitmaps(718, 716);
    m_btnPresetName.SetDisabledTextColor(RGB(255, 255, 255));
    m_btnPresetName.SetDisabledTextAlign(0);
    m_btnPresetName.SetDisabledTextTop(2);
    m_btnPresetName.SetDisabledTextLeft(75);
    m_btnPresetName.SetWindowText("");
    // Not connected yet: the indicator blinks.
    m_linkIndicator.StartBlink();
    // The boot level group (0..40).
    m_spinBootLevel.SetBuddy(&m_editBootLevel);
    m_spinBootLevel.SetRange32(0, 40);
    m_editBootLevel.SetStep(1.0);
    m_editBootLevel.SetType(NUMTYPE_INT_CLAMP, CString());
    m_editBootLevel.SetBuddySlider(&m_sliderBootLevel);
    m_sliderBootLevel.SetChannelBitmaps(832, 832);
    m_sliderBootLevel.SetThumbBitmaps(833, 833);
    m_sliderBootLevel.SetRange(0, 40);
    m_sliderBootLevel.EnableMoveNotify(33);
    m_sliderBootLevel.SetMargins(1, 5, 1, -1);
    m_sliderBootLevel.SetBuddyEdit(&m_editBootLevel);
    m_sliderBootLevel.SetVertical(FALSE);
    // The two list buttons.
    m_btnInputType.SetBitmaps(836, 837);
    m_btnInputType.CreateDropList(this, IDC_INPUT_TYPE_DROP);
    m_btnInputType.EnableMoveNotify(TRUE);
    m_btnPhone.SetBitmaps(836, 837);
    m_btnPhone.CreateDropList(this, IDC_PHONE_DROP);
    m_btnPhone.EnableMoveNotify(TRUE);
    // Their lists in the view's font with room around each item: rows of the font's own height
    // crowded the texts into each other.
    for (CComBoxBtn* button : {&m_btnInputType, &m_btnPhone})
        if (CDropListBox* list = button->GetListBox()) {
            list->SetListFont(&m_font16, FALSE);
            list->SetItemHeight(0, kDropItemHeight);
        }
    // Title-bar buttons, and the lock and settings popup buttons of the language.
    m_btnPage1.SetBitmaps(895, 895, 895, 896, 896, 896);
    m_btnMinimize.SetBitmaps(4946, 4947, 4947);
    m_btnClose.SetBitmaps(4948, 4949, 4949);
    if (g_bChinese.load()) {
        m_btnLock.SetBitmaps(773, 774, 774, 780, 779, 779);
        m_btnSettingsPopup.SetBitmaps(870, 869, 869);
    } else {
        m_btnLock.SetBitmaps(775, 776, 776, 782, 781, 781);
        m_btnSettingsPopup.SetBitmaps(873, 872, 872);
    }
    // The tab area shows no tabs: the pages cover it.
    m_tabArea.SetBkColor(g_clrBrushDlg);
    m_tabArea.SetDrawStyle(2);
    CEnTabCtrl::SetLookFlags(TRUE, CEnTabCtrl::ETC_FLAT | CEnTabCtrl::ETC_COLOR | CEnTabCtrl::ETC_SELECTION |
                                       CEnTabCtrl::ETC_GRADIENT | CEnTabCtrl::ETC_BACKTABS);
    m_tabArea.Invalidate();
    m_tabArea.SetItemSize(CSize(-1, -20));
    // The pages, hidden, on the tab area's client rectangle; the lock cover at its corner.
    m_pOutputPage = CreatePageWindow(IDD_OUTPUT_PAGE, &m_tabArea);
    m_pInputPage = CreatePageWindow(IDD_INPUT_PAGE, &m_tabArea);
    m_pLockCover = CreatePageWindow(IDD_LOCK_COVER, &m_tabArea);
    m_pLevelPage = CreatePageWindow(IDD_LEVEL_PAGE, &m_tabArea);
    // The input page tells the level page of its choices.
    if (auto* input = dynamic_cast<CInPutDlg*>(m_pInputPage.get())) {
        input->SetLevelPageWindow(m_pLevelPage.get());
        m_inputPageServices.SetInputPage(input);
    }
    SetInputPageServices(&m_inputPageServices);
    CRect rcTab;
    m_tabArea.GetClientRect(&rcTab);
    for (CWnd* page : {m_pOutputPage.get(), m_pInputPage.get(), m_pLevelPage.get()})
        if (page) {
            page->ShowWindow(SW_HIDE);
            page->MoveWindow(&rcTab);
        }
    if (m_pLockCover) {
        m_pLockCover->ShowWindow(SW_HIDE);
        m_pLockCover->MoveWindow(0, 0, 1196, 411);
    }
    // The view's small font on the status edit, the preset label and the indicator.
    m_editStatus.SetFont(&m_font16);
    m_btnPresetName.SetDisabledFont(&m_font16);
    m_linkIndicator.SetTextFont(&m_font16);
    // The output page starts hidden and filled.
    if (m_pOutputPage)
        m_pOutputPage->ShowWindow(SW_HIDE);
    OutputPageServices().LoadBands();
    // The transfer progress dialog, hidden (it centres itself on the view).
    if (!m_pDisplayDlg) {
        m_pDisplayDlg = std::make_unique<CDisplayDlg>(this);
        if (m_pDisplayDlg->CreateHidden()) {
            g_pDisplayDlg = m_pDisplayDlg.get();
            g_pDisplayBar = &m_pDisplayDlg->GetBar();
        } else {
            m_pDisplayDlg.reset();
        }
    }
    // The popup menus; the settings popup never offers its second item.
    m_menuPresets.LoadMenu(112);
    if (m_menuSettings.LoadMenu(113))
        if (CMenu* popup = m_menuSettings.GetSubMenu(0))
            popup->DeleteMenu(1, MF_BYPOSITION);
    m_menuConnect.LoadMenu(114);
    m_menuView.LoadMenu(11);
    m_menuAdvanced.LoadMenu(875);
}

std::unique_ptr<CWnd> CTRV410View::CreatePageWindow(UINT pageId, CWnd* tabArea) {
    // An empty page of the right id and size until the page itself is built.
    auto page = std::make_unique<CWnd>();
    CRect rc;
    tabArea->GetClientRect(&rc);
    if (pageId == IDD_OUTPUT_PAGE) {
        auto output = std::make_unique<COutputDlg>(tabArea);
        if (!output->CreatePage(tabArea, this))
            return nullptr;
        output->AttachChannelData(m_pData);
        return output;
    }
    if (pageId == IDD_INPUT_PAGE) {
        auto input = std::make_unique<CInPutDlg>(tabArea);
        if (!input->CreatePage(tabArea, this))
            return nullptr;
        input->AttachChannelData(m_pData);
        return input;
    }
    if (pageId == IDD_LEVEL_PAGE) {
        auto level = std::make_unique<CLevel_Delay_Dlg>(tabArea);
        if (!level->CreatePage(tabArea, this, m_pData))
            return nullptr;
        return level;
    }
    if (pageId == IDD_LOCK_COVER) {
        auto cover = std::make_unique<CLockCoverDlg>(tabArea);
        if (!cover->Create(IDD_LOCK_COVER, tabArea))
            return nullptr;
        return cover;
    }
    if (!page->Create(nullptr, "", WS_CHILD, rc, tabArea, pageId))
        return nullptr;
    return page;
}

CWnd* CTRV410View::PageWindow(int page) const {
    switch (page) {
    case PAGE_INPUT:
        return m_pInputPage.get();
    case PAGE_OUTPUT:
        return m_pOutputPage.get();
    case PAGE_LEVEL:
        return m_pLevelPage.get();
    default:
        return nullptr;
    }
}

void CTRV410View::ShowSubPage(int page, BOOL hideCurrent) {
    // A list left open would choose for a page no longer shown.
    CDropDownWnd::CloseOpen();
    if (hideCurrent) {
        if (g_nCurPage == PAGE_INPUT)
            m_btnInputPage.SetCheck(0);
        else if (g_nCurPage == PAGE_LEVEL)
            m_btnLevelPage.SetCheck(0);
        if (CWnd* current = PageWindow(g_nCurPage))
            current->ShowWindow(SW_HIDE);
        g_nCurPage = page;
    }
    if (g_nCurPage == PAGE_INPUT)
        m_btnInputPage.SetCheck(1);
    else if (g_nCurPage == PAGE_LEVEL)
        m_btnLevelPage.SetCheck(1);
    if (CWnd* shown = PageWindow(g_nCurPage))
        shown->ShowWindow(SW_SHOW);
    RefreshShownPage();
}

CLevel_Delay_Dlg* CTRV410View::LevelPageWindow() const {
    auto* level = dynamic_cast<CLevel_Delay_Dlg*>(m_pLevelPage.get());
    return level && level->GetSafeHwnd() ? level : nullptr;
}

void CTRV410View::RefreshShownPage() {
    ++m_nPageRefreshes;
    if (g_nCurPage == PAGE_LEVEL) {
        if (auto* level = dynamic_cast<CLevel_Delay_Dlg*>(m_pLevelPage.get()))
            level->RefreshAll();
        return;
    }
    if (g_nCurPage != PAGE_OUTPUT)
        return;
    if (auto* output = dynamic_cast<COutputDlg*>(m_pOutputPage.get()))
        output->RefreshPage();
    else
        OutputPageServices().LoadBands();
}

int CTRV410View::AskPage(LPCTSTR text, LPCTSTR caption, UINT type, int code) {
    return ShowTimedMessageBox(nullptr, text, caption, type, 0, code);
}

void CTRV410View::ApplyLanguageToPages() {
    if (auto* output = dynamic_cast<COutputDlg*>(m_pOutputPage.get()))
        output->ApplyLanguage();
    if (auto* input = dynamic_cast<CInPutDlg*>(m_pInputPage.get()))
        input->ApplyLanguage();
    if (auto* level = dynamic_cast<CLevel_Delay_Dlg*>(m_pLevelPage.get()))
        level->ApplyLanguage();
}

void CTRV410View::PostToInputPage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pInputPage && m_pInputPage->GetSafeHwnd())
        m_pInputPage->PostMessage(message, wParam, lParam);
}

void CTRV410View::ValidateSource(int input, int auxMode) {
    // The mixer source offered for the input; nothing is sent. The input page also redraws its
    // source button when the source falls back.
    if (auto* page = dynamic_cast<CInPutDlg*>(m_pInputPage.get()))
        page->ValidateSource(input, auxMode);
    else
        g_inputOptions.CheckForInput(input, auxMode);
}

void CTRV410View::OnInputPageButton() {
    if (g_nCurPage != PAGE_INPUT)
        ShowSubPage(PAGE_INPUT, TRUE);
}

void CTRV410View::OnLevelPageButton() {
    if (g_nCurPage != PAGE_LEVEL)
        ShowSubPage(PAGE_LEVEL, TRUE);
}

LRESULT CTRV410View::OnShowLevelPage(WPARAM, LPARAM) {
    ShowSubPage(PAGE_LEVEL, TRUE);
    // The focus was on the hidden page: the keys go on at the level page's entry.
    if (CLevel_Delay_Dlg* level = LevelPageWindow())
        level->FocusEntry();
    return 0;
}

LRESULT CTRV410View::OnShowOutputPage(WPARAM, LPARAM) {
    if (g_nCurPage == PAGE_OUTPUT)
        return 0;
    ShowSubPage(PAGE_OUTPUT, TRUE);
    // The focus was on the hidden page: keys go on on the output page.
    SetOutputPageFocus();
    return 0;
}

void CTRV410View::OnTabSelChange(NMHDR*, LRESULT* result) {
    *result = 0;
}

BOOL CTRV410View::ApplyChannelLinks(int direction) {
    std::lock_guard lock(g_linkLock);
    const BOOL linkOpen = m_bLinkOpen.load() ? TRUE : FALSE;
    if (linkOpen)
        HoldMasterVolume(FALSE);
    BOOL applied = FALSE;
    for (const LRPair& pair : g_lrPairs) {
        if (!pair.used)
            continue;
        const int from = direction == 0 ? pair.first : pair.second;
        const int to = direction == 0 ? pair.second : pair.first;
        if (from < 0 || from >= NUM_OUTPUTS || to < 0 || to >= NUM_OUTPUTS)
            continue;
        g_nOutLinkGroup[to] = from;
        CopyOutput(from, to);
        applied = TRUE;
    }
    if (linkOpen)
        HoldMasterVolume(TRUE);
    return applied;
}

void CTRV410View::ApplyViewMode() {
    if (g_nViewMode == 1 || g_nViewMode == 2)
        if (CWnd* main = MainWindow(); main && main != this)
            main->SetWindowText(g_strProduct);
}

CWnd* CTRV410View::MainWindow() {
    CWnd* top = GetTopLevelParent();
    return top ? top : this;
}

// ---- Painting ----

void CTRV410View::OnPaint() {
    CPaintDC dc(this);
    LoadFormBitmaps();
    CBitmap& back = g_bChinese.load() ? m_bmpBackCn : m_bmpBackEn;
    BITMAP info{};
    if (back.GetSafeHandle() && back.GetBitmap(&info)) {
        CDC mem;
        mem.CreateCompatibleDC(&dc);
        CBitmap* old = mem.SelectObject(&back);
        dc.BitBlt(0, 0, info.bmWidth, info.bmHeight, &mem, 0, 0, SRCCOPY);
        mem.SelectObject(old);
        return;
    }
    // Without the skin the form stays an even dark field rather than garbage.
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, RGB(24, 26, 30));
}

BOOL CTRV410View::OnEraseBkgnd(CDC*) {
    return TRUE;
}

HBRUSH CTRV410View::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor == CTLCOLOR_DLG)
        return static_cast<HBRUSH>(m_brushDlg.GetSafeHandle());
    return CWnd::OnCtlColor(dc, wnd, ctlColor);
}

// ---- Window drag by the skin ----

CPoint CTRV410View::DragTopLeft(CPoint cursorOnScreen, CPoint clickPoint) {
    return CPoint(cursorOnScreen.x - clickPoint.x, cursorOnScreen.y - clickPoint.y);
}

void CTRV410View::OnLButtonDown(UINT flags, CPoint point) {
    CRect area = m_rcClient;
    if (area.IsRectEmpty())
        GetClientRect(&area);
    if (area.PtInRect(point)) {
        SetCapture();
        m_bDragging = TRUE;
        m_ptDrag = point;
        return;
    }
    CWnd::OnLButtonDown(flags, point);
}

void CTRV410View::OnMouseMove(UINT flags, CPoint point) {
    if (m_bDragging && GetCapture() == this) {
        CPoint screen = point;
        ClientToScreen(&screen);
        CWnd* main = MainWindow();
        CRect rc;
        main->GetWindowRect(&rc);
        const CPoint topLeft = DragTopLeft(screen, m_ptDrag);
        main->MoveWindow(topLeft.x, topLeft.y, rc.Width(), rc.Height(), TRUE);
        return;
    }
    CWnd::OnMouseMove(flags, point);
}

void CTRV410View::OnLButtonUp(UINT flags, CPoint point) {
    if (m_bDragging) {
        m_bDragging = FALSE;
        if (GetCapture() == this)
            ReleaseCapture();
        return;
    }
    CWnd::OnLButtonUp(flags, point);
}

void CTRV410View::OnCaptureChanged(CWnd* wnd) {
    // A window drag cut short ends where it is.
    m_bDragging = FALSE;
    CWnd::OnCaptureChanged(wnd);
}

// ---- Title-bar buttons and the two shutdown roads ----

void CTRV410View::OnMinimizeButton() {
    MinimizeMainWindow();
}

void CTRV410View::MinimizeMainWindow() {
    MainWindow()->PostMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void CTRV410View::CloseMainWindow() {
    MainWindow()->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
}

int CTRV410View::AskSaveBeforeClose() {
    CSaveData_Dlg dlg(this);
    dlg.DoModal();
    return dlg.m_nResult;
}

void CTRV410View::OnCloseButton() {
    const int answer = AskSaveBeforeClose();
    if (answer != SAVE_ANSWER_YES && answer != SAVE_ANSWER_NO)
        return;
    // Unsaved tuning never goes without a save or an explicit No.
    if (answer == SAVE_ANSWER_YES && !SavePresetFile())
        return;
    RunShutdownStops();
    m_bClosing = 1;
    CloseMainWindow();
}

void CTRV410View::RunShutdownStops() {
    ++m_nShutdownStops;
    StopLinkThread(FALSE);
    ForgetUsbPath();
    m_net.StopPing(FALSE);
    // The worker no longer runs: the device can be let go.
    m_usb.CloseDevice();
}

void CTRV410View::OnDestroy() {
    if (!m_bClosing) {
        m_bClosing = 1;
        RunShutdownStops();
    }
    CWnd::OnDestroy();
}

// ---- Keys of the view's own windows ----

BOOL CTRV410View::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN) {
        CWnd* target = CWnd::FromHandle(msg->hwnd);
        // Modal dialogs and popups are windows of their own: their keys pass untouched.
        if (target == this || IsChild(target)) {
            switch (msg->wParam) {
            case VK_RETURN:
            case VK_ESCAPE:
                SetFocus();
                break;
            case VK_TAB:
                if (g_nCurPage == PAGE_OUTPUT)
                    SetOutputPageFocus();
                // Outside the level page (the title bar's buttons) Tab goes into the page, so
                // the keyboard never wanders the title bar unseen.
                if (g_nCurPage == PAGE_LEVEL)
                    if (CLevel_Delay_Dlg* level = LevelPageWindow();
                        level && target != level && !level->IsChild(target)) {
                        level->FocusEntry();
                        return TRUE;
                    }
                break;
            case VK_UP:
            case VK_DOWN:
                return TRUE;
            default:
                break;
            }
        }
    }
    return CWnd::PreTranslateMessage(msg);
}

void CTRV410View::SetOutputPageFocus() {
    ++m_nOutputPageFocus;
    if (auto* output = dynamic_cast<COutputDlg*>(m_pOutputPage.get()))
        output->SetDefaultFocus();
}

// ---- Start-up and connect sequence -------------------------------------------------------------

LRESULT CTRV410View::OnStartLink(WPARAM, LPARAM) {
    if (ConnectUsb())
        RunConnectSequence(TRUE);
    else
        m_net.StartPing();
    return 0;
}

void CTRV410View::RunConnectSequence(BOOL usb) {
    m_command.ClearQueue();
    LinkDocument().SetAllChanged(FALSE);
    m_nBatchCount = 0;
    m_bLinkOpen = 1;
    {
        std::lock_guard lock(g_linkLock);
        RequestInitialData(FALSE);
        if (usb)
            std::memset(g_hidInReport, 0, sizeof g_hidInReport);
    }
    ShowLinkState(TRUE);
    StartLinkThread(TRUE);
}

void CTRV410View::RequestInitialData(BOOL full) {
    if (!full) {
        g_bLinkCheckPending = 1;
        m_command.AddPacket(BuildSystemReadFrame(CMD_LINK_CHECK, 0));
        m_command.AddPacket(BuildSystemReadFrame(g_sysReadList[6], 0));
        return;
    }
    auto queue = [this](int cmd, int preset) {
        auto packet = BuildSystemReadFrame(cmd, preset);
        if (!packet)
            return;
        packet->SetProgress(m_nBatchCount++);
        packet->SetBatchMark(1);
        m_command.AddPacket(std::move(packet));
    };
    for (int p = 1; p <= NUM_STORED_PRESETS; ++p)
        queue(CMD_PRESET_NAME, p);
    for (int i = 0; i < 6; ++i)
        queue(g_sysReadList[i], 0);
    queue(CMD_BOOT_SOURCE, 0);
}

// ---- Worker control ----------------------------------------------------------------------------

void CTRV410View::CreateLinkThread() {
    m_worker.Create();
}

void CTRV410View::ResumeLinkThread() {
    m_worker.Resume();
}

void CTRV410View::StartLinkThread(BOOL) {
    g_bTransfersStopped = 0;
    if (!m_worker.Exists())
        m_worker.Start(g_bFirmwareMode.load());
    g_bUsbEnabled = 1;
    m_bLinkOpen = 1;
}

int CTRV410View::StopLinkThread(BOOL release) {
    // A reconnect of the worker may be waiting for the reachability probe: cut it short.
    m_net.AbortWaits();
    m_worker.Stop(release);
    m_net.ResumeWaits();
    if (!release)
        return 0;
    g_bUsbEnabled = 0;
    m_bLinkOpen = 0;
    m_net.StartPing();
    return 1;
}

// ---- Send entry and companions ---------------------------------------------------------------

void CTRV410View::SendCommand(int cmd, int preset) {
    if (!m_bLinkOpen.load())
        return;
    {
        std::lock_guard lock(g_linkLock);
        auto packet = BuildSystemFrame(cmd, preset);
        if (!packet)
            return;
        if (cmd == CMD_WIFI_RESET) {
            packet->SetLongWait(1);
            g_bTransferBusy = 1;
        }
        m_command.AddPacket(std::move(packet));
        m_worker.WakeForPacket();
    }
    // The module's reset takes about half a minute: the progress dialog follows it.
    if (cmd == CMD_WIFI_RESET && m_pDisplayDlg) {
        m_pDisplayDlg->SetFactoryMode(TRUE);
        ShowProgress(1);
    }
}

void CTRV410View::SendSpeakerMap(int output, int mode) {
    std::lock_guard lock(g_linkLock);
    if (mode == 0) {
        if (output < 0 || output >= NUM_OUTPUTS)
            return;
        if (g_pOutData[output])
            g_pOutData[output]->SetPosition(g_posState[POS_STATE_OUTPUTS + output]);
        if (!m_bLinkOpen.load())
            return;
        m_command.AddPacket(BuildSystemFrame(CMD_SPEAKER_MAP, 0));
        m_command.AddPacket(XoverBlockFrame(output));
        m_worker.WakeForPacket();
        return;
    }
    if (mode == 1 && m_bLinkOpen.load()) {
        m_command.AddPacket(BuildSystemFrame(CMD_SPEAKER_MAP, 0));
        for (int i = 0; i < NUM_OUTPUTS; ++i)
            m_command.AddPacket(XoverBlockFrame(i));
        m_worker.WakeForPacket();
    }
}

std::unique_ptr<CSendData> CTRV410View::XoverBlockFrame(int output) {
    // The set crossover goes out at once and its marks are taken: a change still waiting is not
    // sent first with the image's older bytes, nor again by the scheduler afterwards.
    if (g_pOutData[output])
        return g_pOutData[output]->StoreXoverBlock();
    return BuildChunkFrame(GROUP_OUTPUT, output, CHUNK_OUT_XOVER);
}

void CTRV410View::SendPresetCleared(int preset) {
    if (!m_bLinkOpen.load())
        return;
    std::lock_guard lock(g_linkLock);
    m_command.AddPacket(BuildSystemFrame(CMD_PRESET_NAME, preset));
    g_curPresetNo[0] = 0;
    m_command.AddPacket(BuildSystemFrame(CMD_PRESET_NUMBER, 0));
    m_worker.WakeForPacket();
}

void CTRV410View::HoldMasterVolume(BOOL restore) {
    if (restore) {
        g_systemData.masterOn = m_nSavedMasterOn;
    } else {
        m_nSavedMasterOn = g_systemData.masterOn;
        g_systemData.masterOn = 0;
    }
    m_command.AddPacket(BuildSystemFrame(CMD_SYSTEM_DATA, 0));
}

void CTRV410View::HoldMasterForChange(BOOL restore) {
    if (!m_bLinkOpen.load())
        return;
    std::lock_guard lock(g_linkLock);
    // A second change before the restore keeps the first saved value, so the master is not lost.
    if (restore) {
        if (m_bMasterHeld)
            HoldMasterVolume(TRUE);
        m_bMasterHeld = FALSE;
    } else if (!m_bMasterHeld) {
        HoldMasterVolume(FALSE);
        m_bMasterHeld = TRUE;
    }
    m_worker.WakeForPacket();
}

int CTRV410View::AskMapReset() {
    CReMap_Dlg dlg(this);
    dlg.DoModal();
    return dlg.m_nResult;
}

int CTRV410View::AskLinkDirection() {
    CAll_Link_Dlg dlg(this);
    return dlg.DoModal() == IDOK ? dlg.m_nDirection : -1;
}

BOOL CTRV410View::ReadOutputMapFile() {
    CString path;
    if (!Presets().AskFile(FOLDER_MAP, TRUE, &path, nullptr))
        return FALSE;
    m_settings.Folder(FOLDER_MAP) = CPresetFileIo::Folder(path);
    SaveFileFolder(FOLDER_MAP);
    // Read and checked first; a refused file changes no table.
    PresetReadResult read = COutputMapFile::ReadFile(path, PresetRecords::FromGlobals());
    if (!read) {
        ShowTimedMessage(kTextReadMapError.en, kTextReadMapError.cn, g_bChinese.load() ? -2 : -3);
        return FALSE;
    }
    // Values out of range ask before the tables change: the page applies and sends what they hold.
    if (!Presets().TakeInRange(read))
        return FALSE;
    return read.Commit();
}

void CTRV410View::SaveOutputMapFile() {
    CString path;
    if (!Presets().AskFile(FOLDER_MAP, FALSE, &path, nullptr))
        return;
    // A name typed without the extension gets it, so the file can be read back.
    path = CPresetFileIo::WithExtension(path, "vtac");
    m_settings.Folder(FOLDER_MAP) = CPresetFileIo::Folder(path);
    SaveFileFolder(FOLDER_MAP);
    if (m_pData)
        m_pData->StoreCrossovers();
    if (!COutputMapFile::WriteFile(path, PresetRecords::FromGlobals()))
        ShowTimedMessage(kTextSaveMapError.en, kTextSaveMapError.cn, g_bChinese.load() ? -2 : -3);
}

void CTRV410View::SetSystemDataDirty(BOOL set) {
    g_bSystemDataDirty = set ? m_bLinkOpen.load() : 0;
    if (!g_bSystemDataDirty.load())
        return;
    // Marked first: from here the worker builds the write before any poll.
    g_devStateSerials.RecordChanged(CMD_SYSTEM_DATA);
    CLinkWorker::NotifyChange();
}

void CTRV410View::SetSourceSetDirty(BOOL set) {
    g_bSourceSetDirty = set ? m_bLinkOpen.load() : 0;
    if (!g_bSourceSetDirty.load())
        return;
    g_devStateSerials.RecordChanged(CMD_SOURCE_SET);
    CLinkWorker::NotifyChange();
}

void CTRV410View::RefreshInputSourceButton() {
    if (g_nCurPage == 0)
        InputPageServices().UpdateSourceButton();
}

// ---- Answer handlers ---------------------------------------------------------------------------

LRESULT CTRV410View::OnVersionReceived(WPARAM, LPARAM) {
    bool accepted = false;
    {
        std::lock_guard lock(g_linkLock);
        accepted = std::memcmp(g_strDevVersion, g_strVersionTag, VERSION_PREFIX_LEN) == 0;
    }
    if (!accepted) {
        if (m_bLinkOpen.load())
            OnConnectButton();
        m_command.ClearQueue();
        std::lock_guard lock(g_linkLock);
        std::memset(g_strDevVersion, ' ', sizeof g_strDevVersion);
        return 0;
    }
    g_nDeviceType = 2;
    {
        std::lock_guard lock(g_linkLock);
        RequestInitialData(TRUE);
        ReadDevicePreset(0);
    }
    g_bOnline = 1;
    return 0;
}

LRESULT CTRV410View::OnLiveDataReceived(WPARAM wParam, LPARAM) {
    const int preset = static_cast<int>(wParam);
    {
        std::lock_guard lock(g_linkLock);
        LoadLockState(preset);
    }
    // Data out of range go no further than the question; No closes the program.
    const CViewPresets::DeviceReadRange range = Presets().CheckDeviceRead();
    if (range == CViewPresets::DeviceReadRange::Refused) {
        g_bTransferBusy = 0;
        return 0;
    }
    {
        std::lock_guard lock(g_linkLock);
        g_bLockLook = g_bDataLocked.load() == 1;
        SetLockButton(g_bLockLook.load());
        OutputPageServices().SetLockedLayout(g_bLockLook.load());
        LockMarkBlock mark = g_curImage.outputs[0].GetLockMark();
        if (mark.lockOption > 1) {
            mark.lockOption = 0;
            g_curImage.outputs[0].SetLockMark(mark);
        }
        LinkDocument().SetOutCurveRect();
        FixTweeterCrossover();
        LinkDocument().LoadFromImage(preset);
    }
    g_bLiveDataSent = 0;
    ClearOutputLinks();
    UpdateBassBoostItem();
    RefreshPages();
    PresetServices().ShowPresetName();
    g_bPresetEdited = 0;
    g_bOnline = 1;
    g_bTransferBusy = 0;
    Invalidate();
    g_outCopy.Reset();
    // The device holds the faulty records still: it gets the defaults that replaced them.
    if (range == CViewPresets::DeviceReadRange::Reset) {
        SendPreset(0, TRUE);
        SendCommand(CMD_SYSTEM_DATA, 0);
    }
    return 0;
}

LRESULT CTRV410View::OnPresetsReceived(WPARAM, LPARAM) {
    PresetServices().WriteAllPresetsFile();
    g_bTransferBusy = 0;
    return 0;
}

void CTRV410View::ApplyPositionCodes() {
    for (int i = 0; i < NUM_OUTPUTS; ++i) {
        const BYTE code = g_posState[POS_STATE_OUTPUTS + i];
        g_curImage.outputs[i].position = code;
        if (g_pOutData[i])
            g_pOutData[i]->SetPositionCode(code);
    }
}

void CTRV410View::ReapplyOutputMap(BOOL quiet) {
    std::lock_guard lock(g_linkLock);
    ResetSpeakerStates();
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        g_posState[POS_STATE_OUTPUTS + i] = g_speakerMap[i];
    if (RemoveDuplicatePositions()) {
        for (int i = 0; i < NUM_OUTPUTS; ++i)
            g_speakerMap[i] = g_posState[POS_STATE_OUTPUTS + i];
        SendCommand(CMD_SPEAKER_MAP, 0);
    }
    ApplyPositionCodes();
    RecalcSpeakerStates();
    if (!quiet && g_bOutMapLocked.load()) {
        g_bOutMapLocked = 0;
        OutputPageServices().ApplyMapLock();
    }
}

LRESULT CTRV410View::OnSystemRecordReceived(WPARAM, LPARAM) {
    bool mapInRange = false;
    bool sourceInRange = false;
    int type = 0;
    {
        std::lock_guard lock(g_linkLock);
        g_systemData.pageSwitch = 0;
        mapInRange = RecordRanges::SpeakerMap(g_speakerMap);
        sourceInRange = RecordRanges::SourceSet(g_pcSourceSet);
        type = g_pcSourceSet.inputType;
    }
    // Records out of range stay out of the model and the positions: the live read that follows at
    // every connect asks "File Data Error!" about them (CheckDeviceRead) before anything uses them.
    if (mapInRange)
        ReapplyOutputMap(FALSE);
    if (sourceInRange) {
        g_nCurInput = type;
        SetInputType(type, FALSE);
    }
    SendCommand(CMD_PRESET_NAME, 0);
    return 0;
}

LRESULT CTRV410View::OnDeviceState(WPARAM wParam, LPARAM) {
    if (!m_bLinkOpen.load() || g_bInputTypeBusy.load())
        return 0;
    // The report answers the poll with this serial: a field the program changed after that poll
    // was built keeps the program's value, which reaches the device after the answer was read.
    const std::uint64_t poll = wParam;
    int state[15];
    bool typeChanged = false;
    bool levelsChanged = false;
    bool levelOutOfRange = false;
    {
        // One consistent snapshot of the newest state: the worker stores it under the lock.
        std::lock_guard lock(g_linkLock);
        for (int i = 0; i < 15; ++i)
            state[i] = g_devStateBytes[i].load();
        typeChanged = g_devStateSerials.Shows(0, poll) && state[0] != g_pcSourceSet.inputType;
        BYTE* source = reinterpret_cast<BYTE*>(&g_pcSourceSet);
        for (int i = 2; i <= 7; ++i)
            if (g_devStateSerials.Shows(i, poll) && state[i] != source[i]) {
                if (!RecordRanges::SourceLevel(state[i])) {
                    levelOutOfRange = true;
                    continue;
                }
                source[i] = static_cast<BYTE>(state[i]);
                levelsChanged = true;
            }
        if (g_devStateSerials.Shows(14, poll) && state[14] != g_systemData.masterOn) {
            g_systemData.masterOn = static_cast<BYTE>(state[14]);
            levelsChanged = true;
        }
    }
    // A source level out of range goes no further than the question: Yes sends the default level
    // in its place, No closes the program. Reports that come while it is open wait for the answer.
    if (levelOutOfRange) {
        if (m_bAskingStateRange)
            return 0;
        m_bAskingStateRange = TRUE;
        const BOOL yes = DataLock().AskDataRangeError();
        m_bAskingStateRange = FALSE;
        if (!yes)
            return 0;
        ResetDeviceStateLevels();
        levelsChanged = true;
    }
    if (typeChanged) {
        // Kept as the device sent it; only the six known types show a level.
        {
            std::lock_guard lock(g_linkLock);
            g_pcSourceSet.inputType = static_cast<BYTE>(state[0]);
        }
        SetInputType(state[0], FALSE);
        if (state[0] >= 0 && state[0] < NUM_INPUT_TYPES)
            OutputPageServices().ShowSourceLevel();
    }
    if (levelsChanged && g_pcSourceSet.inputType < NUM_INPUT_TYPES)
        OutputPageServices().ShowSourceLevel();
    return 0;
}

void CTRV410View::ResetDeviceStateLevels() {
    {
        std::lock_guard lock(g_linkLock);
        SourceSetRecord defaults{};
        GetDefaultSystemRecords(&defaults, nullptr, nullptr, nullptr, nullptr, nullptr);
        BYTE* source = reinterpret_cast<BYTE*>(&g_pcSourceSet);
        const BYTE* fallback = reinterpret_cast<const BYTE*>(&defaults);
        for (int i = 2; i <= 7; ++i)
            if (!RecordRanges::SourceLevel(g_devStateBytes[i].load()))
                source[i] = fallback[i];
    }
    // The device holds the faulty level still: it gets the program's source set.
    SetSourceSetDirty(TRUE);
}

LRESULT CTRV410View::OnLockRecordReceived(WPARAM, LPARAM) {
    PresetServices().OnLockRecordReceived();
    return 0;
}

LRESULT CTRV410View::OnTransferDone(WPARAM, LPARAM) {
    int type = 0;
    {
        std::lock_guard lock(g_linkLock);
        type = g_pcSourceSet.inputType;
    }
    SetInputType(type, TRUE);
    g_bTransferBusy = 0;
    return 0;
}

LRESULT CTRV410View::OnFirmwareDone(WPARAM, LPARAM lParam) {
    if (lParam != HEXEnd)
        return 0;
    // The WIFI module restarts with its new firmware: once it answers the ping again (and its
    // restart pause has passed), the ping thread connects it, as after any return to reach.
    if (g_nLinkState.load() == LINK_NET)
        m_net.MarkUnreachable();
    StopLinkThread(TRUE);
    g_bFirmwareMode = 0;
    CloseLinkByState();
    ShowTimedMessage(kFwDone, kFwDoneCn, 2000);
    g_bFwUpdated = 1;
    return 0;
}

LRESULT CTRV410View::OnWifiResetDone(WPARAM, LPARAM lParam) {
    if (g_nLinkState == LINK_NET) {
        ResetNetAddress();
        if (m_bLinkOpen.load())
            OnConnectButton();
        SetNetUnreachable();
        ResetNetAddress();
        ShowTimedMessage(g_strWifiFail, g_strWifiFailCn, 2000);
        return 0;
    }
    g_bTransferBusy = 0;
    if (lParam != 0) {
        ShowTimedMessage(g_strWifiResetOk, g_strWifiResetOkCn, 2000);
        if (m_bAdvancedDialogOpen)
            ResetNetAddress();
    } else {
        ShowTimedMessage(g_strWifiResetFail, g_strWifiResetFailCn, 2000);
    }
    return 0;
}

LRESULT CTRV410View::OnEffectReceived(WPARAM, LPARAM) {
    std::lock_guard lock(g_linkLock);
    LinkDocument().LoadEffect();
    return 0;
}

LRESULT CTRV410View::OnNetData(WPARAM, LPARAM lParam) {
    if (lParam != 0)
        m_command.FeedNetData(static_cast<int>(lParam));
    return 0;
}

LRESULT CTRV410View::OnViewSpare(WPARAM, LPARAM) {
    return 0;
}

LRESULT CTRV410View::OnPresetNameChanged(WPARAM, LPARAM) {
    PresetServices().OnPresetNameChanged();
    return 0;
}

void CTRV410View::StartInputTypeTimer() {
    g_bInputTypeBusy = 1;
    SetTimer(TIMER_INPUT_TYPE_BUSY, INPUT_TYPE_BUSY_MS);
}

void CTRV410View::OnTimer(UINT_PTR id) {
    if (id == TIMER_INPUT_TYPE_BUSY) {
        KillTimer(TIMER_INPUT_TYPE_BUSY);
        g_bInputTypeBusy = 0;
        return;
    }
    if (id == TIMER_CONNECT_CLOSE) {
        KillTimer(TIMER_CONNECT_CLOSE);
        // Unless another link was opened meanwhile (the stopped one is replaced then).
        const int state = m_nClosePendingState;
        m_nClosePendingState = LINK_NONE;
        if (!m_bLinkOpen.load() && g_nLinkState.load() == state)
            CloseLinkByState();
        return;
    }
    if (id == TIMER_NET_RETRY) {
        KillTimer(TIMER_NET_RETRY);
        m_bNetRetryWaiting = FALSE;
        // A link closed during the pause has nothing left to reconnect.
        if (!m_bLinkOpen.load() || g_nLinkState.load() != LINK_NET) {
            m_nNetRetriesDeferred = 0;
            return;
        }
        FinishNetRetry();
        if (m_nNetRetriesDeferred > 0) {
            --m_nNetRetriesDeferred;
            PostMessage(WM_NET_RETRY, 0, 0);
        }
        return;
    }
    CWnd::OnTimer(id);
}

// ---- Messages to the user ----------------------------------------------------------------------

void CTRV410View::ShowConnectFailure() {
    if (g_nLinkState == LINK_NET)
        ShowTimedMessage(g_strWifiFail, g_strWifiFailCn, 2000);
    else
        ShowTimedMessage(g_strUsbFail, g_strUsbFailCn, 2000);
}

void CTRV410View::OnDeviceLost() {
    if (g_bFirmwareMode.load())
        return;
    ShowTimedMessage(g_strUsbFail, g_strUsbFailCn, 2000);
    ResetOutputsToDefault();
}

void CTRV410View::ShowTimedMessage(const char* textEn, const char* textCn, int code) {
    m_strLastMessage = LangText(textEn, textCn);
    m_nLastMessageCode = code;
    ++m_nMessageCount;
    ShowTimedMessageBox(this, m_strLastMessage, g_strProduct, MB_OK, g_bChinese.load(), code);
}

// ---- Shell services (their controls come with the shell) ---------------------------------------

void CTRV410View::ShowLinkState(BOOL connected) {
    m_bShownConnected = connected;
    ApplyConnectLook(connected);
    if (!m_linkIndicator.GetSafeHwnd())
        return;
    m_linkIndicator.SetText(connected ? LangText(g_strConnected, g_strConnectedCn)
                                      : LangText(g_strNotConnected, g_strNotConnectedCn));
    if (connected)
        m_linkIndicator.StopBlink();
    else
        m_linkIndicator.StartBlink();
    m_linkIndicator.Invalidate();
}

// ---- Input type and phone lists ----

void CTRV410View::SetInputType(int type, BOOL user) {
    const int item = InputTypeToItem(type);
    if (item >= 0 && m_btnInputType.GetSafeHwnd())
        m_btnInputType.SetCurSel(item);
    if (user) {
        {
            std::lock_guard lock(g_linkLock);
            g_pcSourceSet.inputType = static_cast<BYTE>(type);
        }
        SendCommand(CMD_SOURCE_SET, 0);
    }
    // Only the six types have a stored level: any other byte keeps the level shown. Every road
    // of a new input comes here (the list, the title bar's buttons, the level page, a device
    // report, a file, a read), so the pages' current input follows here as well: the output
    // page's source label and level, the level page's input buttons.
    if (type >= 0 && type < NUM_INPUT_TYPES) {
        m_nShownInputType = type;
        g_nCurInput = type;
        OutputPageServices().ShowSourceLevel();
        if (CLevel_Delay_Dlg* level = LevelPageWindow())
            level->CheckInputButton(type);
    }
    FillPhoneList();
    UpdateSourceConflict();
}

void CTRV410View::FillInputTypeList() {
    if (!m_btnInputType.GetSafeHwnd())
        return;
    m_btnInputType.ResetContent();
    for (int i = 0; i < INPUT_TYPE_ITEMS; ++i)
        m_btnInputType.AddString(LangText(kInputTypeEn[i], kInputTypeCn[i]));
    int type = 0;
    {
        std::lock_guard lock(g_linkLock);
        type = g_pcSourceSet.inputType;
    }
    if (InputTypeToItem(type) >= 0)
        m_btnInputType.SetCurSel(InputTypeToItem(type));
}

void CTRV410View::FillPhoneList(BOOL) {
    if (!m_btnPhone.GetSafeHwnd())
        return;
    m_btnPhone.ResetContent();
    m_btnPhone.AddString(LangText("Phone", "蓝牙"));
    m_btnPhone.AddString(LangText("OFF", "关闭"));
    BYTE phone = 0;
    {
        std::lock_guard lock(g_linkLock);
        phone = g_bootSource.phoneMode;
    }
    m_btnPhone.SetCurSel(phone == PHONE_ON ? 0 : 1);
}

void CTRV410View::UpdateSourceConflict() {
    {
        std::lock_guard lock(g_linkLock);
        UpdateSourceTypeMatch();
    }
    if (m_btnPhone.GetSafeHwnd())
        m_btnPhone.Invalidate();
}

LRESULT CTRV410View::OnComboSelect(WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(lParam);
    if (wParam == IDC_INPUT_TYPE_DROP) {
        const int code = ItemToInputType(index);
        int current = 0;
        {
            std::lock_guard lock(g_linkLock);
            current = g_pcSourceSet.inputType;
        }
        if (code != current) {
            // The device's state reports must not undo the choice before it arrived.
            StartInputTypeTimer();
            SetInputType(code, TRUE);
        }
    } else if (wParam == IDC_PHONE_DROP) {
        const BYTE value = index == 0 ? PHONE_ON : PHONE_OFF;
        bool changed = false;
        {
            std::lock_guard lock(g_linkLock);
            changed = g_bootSource.phoneMode != value;
            if (changed)
                g_bootSource.phoneMode = value;
        }
        if (changed) {
            SendCommand(CMD_BOOT_SOURCE, 0);
            if (m_btnPhone.GetSafeHwnd())
                m_btnPhone.Invalidate();
            UpdateSourceConflict();
        }
    }
    return 0;
}

void CTRV410View::OnHiLevelButton() {
    if (g_pcSourceSet.inputType != 1)
        SetInputType(1, TRUE);
}

void CTRV410View::OnAuxButton() {
    if (g_pcSourceSet.inputType != 3)
        SetInputType(3, TRUE);
}

void CTRV410View::OnPhoneButton() {
    if (g_pcSourceSet.inputType != 2)
        SetInputType(2, TRUE);
}

void CTRV410View::LoadLockState(int preset) {
    DataLock().LoadLockState(preset);
}

void CTRV410View::ClearOutputLinks() {
    // The marks follow the groups, so they come off before the groups are split.
    auto* output = dynamic_cast<COutputDlg*>(m_pOutputPage.get());
    if (output && !output->GetSafeHwnd())
        output = nullptr;
    if (output)
        output->UnmarkLinkedOutputs(g_nCurOut.load());
    if (m_pData)
        m_pData->InitLinkTable();
    else
        for (int i = 0; i < NUM_OUTPUTS; ++i)
            g_nOutLinkGroup[i] = i;
    g_bLRLinked = 0;
    if (output) {
        output->MapButton(outpage::kMapLink).SetCheck(0);
        output->Graph().RefreshCurve(-1);
    }
}

void CTRV410View::RefreshPages() {
    g_spkGroups.Rebuild();
    if (auto* output = dynamic_cast<COutputDlg*>(&OutputPageServices()))
        output->RefreshAll();
    else
        OutputPageServices().LoadBands();
    if (auto* level = dynamic_cast<CLevel_Delay_Dlg*>(m_pLevelPage.get()))
        level->RefreshAll();
    int type = 0;
    {
        std::lock_guard lock(g_linkLock);
        type = g_pcSourceSet.inputType;
    }
    SetInputType(type, FALSE);
    if (g_pMixPopup)
        g_pMixPopup->RefreshPanes();
}

void CTRV410View::ResetOutputsToDefault() {
    DataLock().ResetOutputsToDefault();
}

CDataLockHost& CTRV410View::LockHost() {
    return *m_pLockHost;
}

LRESULT CTRV410View::OnPresetFileLoaded(WPARAM, LPARAM) {
    DataLock().OnPresetFileLoaded();
    return 0;
}

LRESULT CTRV410View::OnDataRangeError(WPARAM, LPARAM) {
    DataLock().OnDataRangeError();
    return 0;
}

// ---- Popup menus and their commands, the language, help -----------------------------------------

void CTRV410View::ToggleLanguage(BOOL toggle) {
    if (toggle)
        g_bChinese = g_bChinese.load() ? 0 : 1;
    ApplyLanguage();
    Invalidate();
}

void CTRV410View::ApplyLanguage() {
    const DWORD locale = SystemLocaleId();
    const BOOL chinese = g_bChinese.load() ? TRUE : FALSE;
    // Dialogs and menus built from now on pick this language's texts.
    ResourceLoader::SetChinese(chinese);
    g_strLanguage = chinese ? "Chinese" : "English";
    m_picLanguage.SetBitmap(static_cast<HBITMAP>((chinese ? m_bmpLangCn : m_bmpLangEn).GetSafeHandle()));

    const std::pair<CBitButton*, int> bitButtons[] = {
        {&m_btnInputPage, IDC_INPUT_PAGE_BUTTON},  {&m_btnLevelPage, IDC_LEVEL_PAGE_BUTTON},
        {&m_btnHiLevel, IDC_HI_LEVEL_BUTTON},      {&m_btnAux, IDC_AUX_BUTTON},
        {&m_btnPhoneType, IDC_PHONE_BUTTON},       {&m_btnLock, IDC_LOCK_BUTTON},
        {&m_btnSettingsPopup, IDC_SETTINGS_POPUP},
    };
    for (const auto& [button, id] : bitButtons)
        if (const UINT* ids = ViewSkinBitmaps(id, chinese))
            button->SetBitmaps(ids[0], ids[1], ids[2], ids[3], ids[4], ids[5]);
    FillInputTypeList();
    const std::pair<CXPButton*, int> xpButtons[] = {{&m_btnPresets, IDC_PRESETS_BUTTON},
                                                    {&m_btnSettings, IDC_SETTINGS_BUTTON}};
    for (const auto& [button, id] : xpButtons)
        if (const UINT* ids = ViewSkinBitmaps(id, chinese))
            button->SetBitmaps(ids[0], ids[1], ids[2], ids[3], ids[4], ids[5]);

    const BOOL online = g_bOnline.load() ? TRUE : FALSE;
    ApplyConnectLook(online);
    if (m_linkIndicator.GetSafeHwnd()) {
        m_linkIndicator.SetText(online ? LangText(g_strConnected, g_strConnectedCn)
                                       : LangText(g_strNotConnected, g_strNotConnectedCn));
        m_linkIndicator.Invalidate();
    }

    for (UINT command : ViewMenuTextCommands()) {
        const char* text = ViewMenuText(command, chinese, locale);
        for (CMenu* menu : {&m_menuPresets, &m_menuSettings, &m_menuAdvanced})
            menu->ModifyMenu(command, MF_BYCOMMAND | MF_STRING, command, text);
    }

    // Only the two fixed names swap; a name the user typed stays as it is.
    if (online && m_btnPresetName.GetSafeHwnd()) {
        CString name;
        m_btnPresetName.GetWindowText(name);
        const char* from = chinese ? "Custom" : "自定义";
        if (name == from) {
            m_btnPresetName.SetWindowText(chinese ? "自定义" : "Custom");
            m_btnPresetName.Invalidate();
        }
    }

    UpdateBassBoostItem();
    FillPhoneList();
    SaveDspMcuSettings();
    ApplyLanguageToPages();
}

void CTRV410View::ApplyConnectLook(BOOL online) {
    if (const UINT* ids = ViewSkinBitmaps(IDC_CONNECT_BUTTON, g_bChinese.load() ? TRUE : FALSE, online))
        m_btnConnect.SetBitmaps(ids[0], ids[1], ids[2], ids[3], ids[4], ids[5]);
}

void CTRV410View::UpdateBassBoostItem() {
    const BOOL enabled = !(g_nDeviceType == 3 || g_nDeviceType == 4);
    m_bViewMenuItemEnabled = enabled;
    if (CMenu* popup = m_menuAdvanced.GetSubMenu(0))
        popup->EnableMenuItem(MIXER_BASS_BOOST_POS, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_DISABLED));
}

void CTRV410View::TrackMenuUnder(CMenu& menu, CWnd& button) {
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup || !button.GetSafeHwnd())
        return;
    CRect rc;
    button.GetWindowRect(&rc);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, rc.left, rc.bottom + 2, this);
}

void CTRV410View::OnSettingsButton() {
    TrackMenuUnder(m_menuSettings, m_btnSettings);
}

void CTRV410View::OnAdvancedMenu() {
    RunInputNoiseDialog(1);
}

void CTRV410View::OnLanguageMenu() {
    ToggleLanguage(TRUE);
}

void CTRV410View::OnHelpMenu() {
    const BOOL chinese = g_bChinese.load() ? TRUE : FALSE;
    const CString& path = chinese ? m_strHelpCn : m_strHelpEn;
    // The desktop only says whether it could start a viewer, so a missing file is caught first.
    std::error_code ec;
    const bool exists = !path.IsEmpty() && std::filesystem::is_regular_file(path.GetString(), ec);
    const HINSTANCE result = exists ? ShellExecute(m_hWnd, "open", path, nullptr, nullptr, SW_SHOWNORMAL)
                                    : reinterpret_cast<HINSTANCE>(static_cast<UINT_PTR>(SE_ERR_FNF));
    if (reinterpret_cast<UINT_PTR>(result) > 32)
        return;
    CMessageBoxDlg box(chinese ? "没有发现帮助文件!" : "Not find help file!", MB_QUIT_ONLY,
                       chinese ? "帮助" : "Help", 0, this);
    box.Show();
}

void CTRV410View::OnAboutMenu() {
    CVersionDlg dlg(this);
    dlg.DoModal();
}

void CTRV410View::OpenParameterTable() {
    CDataViewDlg dlg(m_pData, m_strWorkDir, this);
    dlg.SetMessageHandler([](const CString& text) { ShowMessageBox(text, MB_OK, 0); });
    dlg.DoModal();
}

void CTRV410View::OnFactoryResetMenu() {
    CInitDlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    if (!m_bLinkOpen.load()) {
        SendCommand(CMD_FACTORY_RESET, 0);
        ShowTimedMessage("No connection can be opened", "没有连接可以打开", 2000);
        return;
    }
    // The device drops every value it held. Changes not yet sent must not follow the reset, and
    // once the device has answered it, the version read queued behind it starts the connect's
    // full read, so the pages show what the device holds from then on. One hold: nothing can
    // slip in between the reset and the read.
    std::lock_guard lock(g_linkLock);
    LinkDocument().SetAllChanged(FALSE);
    SendCommand(CMD_FACTORY_RESET, 0);
    m_nBatchCount = 0;
    m_command.AddPacket(BuildSystemReadFrame(g_sysReadList[6], 0));
    m_worker.WakeForPacket();
}

void CTRV410View::OnMixerMenu() {
    RunMixerDialog();
}

void CTRV410View::RunMixerDialog() {
    CPopuMixInput popup(this, m_pData);
    popup.DoModal();
}

void CTRV410View::OnBassBoostMenu() {
    RunInputNoiseDialog(0);
}

void CTRV410View::RunInputNoiseDialog(int kind) {
    CInputNoise panel(this, this);
    panel.SetKind(kind);
    panel.DoModal();
}

void CTRV410View::OnBootSourceMenu() {
    CDefSourceDlg dlg(this);
    dlg.DoModal();
}

// ---- Bulk transfers and channel operations -------------------------------------------------------

void CTRV410View::SendAllPresets() {
    Bulk().SendAllPresets();
}

void CTRV410View::SendPreset(int preset, BOOL store) {
    Bulk().SendPreset(preset, store);
}

void CTRV410View::SendInputChannel(int input) {
    Bulk().SendInputChannel(input);
}

void CTRV410View::SendOutputChannel(int output) {
    Bulk().SendOutputChannel(output);
}

BOOL CTRV410View::ReadAllDevicePresets() {
    return Bulk().ReadAllDevicePresets();
}

void CTRV410View::ReadDevicePreset(int preset) {
    Bulk().ReadDevicePreset(preset);
}

void CTRV410View::SetTransferRange() {
    Bulk().SetTransferRange();
}

void CTRV410View::CopyOutput(int from, int to) {
    Bulk().CopyOutput(from, to);
}

void CTRV410View::PasteOutput(int from, int to) {
    Bulk().PasteOutput(from, to);
}

void CTRV410View::ResetLinkedOutputEq() {
    Bulk().ResetLinkedOutputEq();
}

void CTRV410View::DoResetLinkedOutputEq() {
    Bulk().DoResetLinkedOutputEq();
}

void CTRV410View::ResetOutputEq(int output) {
    Bulk().ResetOutputEq(output);
}

void CTRV410View::ResetInputEq(int input) {
    Bulk().ResetInputEq(input);
}

void CTRV410View::SetOutputMixDefaults(int output, int code, BOOL requestRestore) {
    Bulk().SetOutputMixDefaults(output, code, requestRestore);
}

// ---- USB link ------------------------------------------------------------------------------------

BOOL CTRV410View::RegisterHidNotification() {
    return m_hidWatcher.Start(m_hWnd);
}

BOOL CTRV410View::CreateUsbKey() {
    // The register is a folder of lock files, made when the first path is held.
    return TRUE;
}

BOOL CTRV410View::ConnectUsbPath(const CString& path) {
    if (!m_usb.IsUsbPathFree(path))
        return FALSE;
    m_usb.SetHidPath(path);
    if (!m_usb.OpenUsbDevice())
        return FALSE;
    g_nLinkState = LINK_USB;
    RunConnectSequence(TRUE);
    return TRUE;
}

BOOL CTRV410View::CloseUsbLink() {
    m_usb.CloseDevice();
    m_bLinkOpen = 0;
    g_bTransferBusy = 0;
    g_bOnline = 0;
    ResetTransferDisplay();
    LinkDocument().SetAllChanged(FALSE);
    HideProgress();
    ShowLinkState(FALSE);
    InputPageServices().ClearOutputMeters();
    m_usb.ForgetUsbPath();
    g_nLinkState = LINK_NONE;
    ResetUsbLinkFlags();
    return TRUE;
}

void CTRV410View::FinishPendingClose() {
    if (m_nClosePendingState == LINK_NONE)
        return;
    KillTimer(TIMER_CONNECT_CLOSE);
    m_nClosePendingState = LINK_NONE;
    CloseLinkByState();
}

void CTRV410View::CloseLinkNow() {
    FinishPendingClose();
    if (m_bLinkOpen.load()) {
        StopLinkThread(TRUE);
        CloseLinkByState();
    }
}

LRESULT CTRV410View::OnConnectButton() {
    g_bLinkCheckPending = 0;
    if (m_bLinkOpen.load()) {
        StopLinkThread(TRUE);
        // The device gets its pause before the link closes; the UI thread goes on meanwhile.
        if (m_nConnectPauseMs == 0) {
            CloseLinkByState();
        } else {
            m_nClosePendingState = g_nLinkState.load();
            SetTimer(TIMER_CONNECT_CLOSE, m_nConnectPauseMs);
        }
        return 0;
    }
    // A press during the pause: the close it waits for comes first.
    FinishPendingClose();
    const int n = m_usb.FillOfferedPaths();
    const std::vector<CString> offered = m_usb.GetOfferedPaths();
    std::vector<PopupItem> items;
    auto listUsb = [&] {
        for (int i = 0; i < n; ++i) {
            CString text;
            text.Format("USB%d", i + 1);
            items.push_back({ID_USB_DEVICE_FIRST + static_cast<UINT>(i), text});
        }
    };
    switch (CUsbLink::ChooseConnect(n, m_net.m_bReachable.load())) {
    case ConnectChoice::MenuUsbAndNet:
        items.push_back({ID_CONNECT_USB, CString("USB")});
        items.push_back({ID_CONNECT_NET, CString(g_strWifi)});
        TrackConnectPopup(items);
        break;
    case ConnectChoice::ListUsbAndNet:
        listUsb();
        items.push_back({ID_CONNECT_NET, CString(CNet_Socket::DeviceAddress().c_str())});
        TrackConnectPopup(items);
        break;
    case ConnectChoice::ListUsb:
        listUsb();
        TrackConnectPopup(items);
        break;
    case ConnectChoice::ConnectOnlyUsb:
        if (offered.empty() || !ConnectUsbPath(offered[0]))
            ShowTimedMessage(g_strUsbFail, g_strUsbFailCn, 2000);
        break;
    case ConnectChoice::ConnectNet:
        ConnectNet();
        break;
    case ConnectChoice::NoConnection:
        ShowTimedMessage("No connection can be opened", "没有连接可以打开", 2000);
        break;
    }
    return 0;
}

void CTRV410View::TrackConnectPopup(const std::vector<PopupItem>& items) {
    m_lastPopup = items;
    CMenu popup;
    if (!popup.CreatePopupMenu())
        return;
    for (const PopupItem& item : items)
        popup.AppendMenu(MF_STRING, item.id, item.text);
    CRect rc;
    m_btnConnect.GetWindowRect(&rc);
    // The choice comes back as WM_COMMAND through the command handlers.
    popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, rc.left, rc.bottom + 2, this);
}

void CTRV410View::ShowProgress(int mode) {
    m_nProgressShown = mode;
    if (m_pDisplayDlg)
        m_pDisplayDlg->ShowProgress(mode);
}

void CTRV410View::HideProgress() {
    m_nProgressShown = -1;
    if (m_pDisplayDlg)
        m_pDisplayDlg->HideProgress();
}

void CTRV410View::SetLockButton(BOOL locked) {
    m_bLockButton = locked;
    if (m_btnLock.GetSafeHwnd())
        m_btnLock.SetCheck(locked ? 1 : 0);
}

void CTRV410View::OnUsbDeviceChosen(UINT id) {
    CString path;
    // Only entries of the offered list; ids past its end choose nothing.
    if (id < ID_USB_DEVICE_FIRST || !m_usb.GetOfferedPath(static_cast<int>(id - ID_USB_DEVICE_FIRST), &path))
        return;
    if (!ConnectUsbPath(path))
        ShowTimedMessage(g_strUsbFail, g_strUsbFailCn, 2000);
}

void CTRV410View::OnConnectUsbMenu() {
    g_nLinkState = LINK_USB;
    if (ConnectUsb())
        RunConnectSequence(TRUE);
    else
        ShowTimedMessage(g_strUsbFail, g_strUsbFailCn, 2000);
}

void CTRV410View::OnConnectNetMenu() {
    ConnectNet();
}

BOOL CTRV410View::OnDeviceChange(UINT event, const DEV_BROADCAST_DEVICEINTERFACE* record) {
    if (!record || record->dbcc_devicetype != DBT_DEVTYP_DEVICEINTERFACE)
        return TRUE;
    const CString path(record->dbcc_name);
    if (event == DBT_DEVICEARRIVAL) {
        if (CUsbLink::ShouldConnectOnArrival(g_nLinkState.load(), m_bLinkOpen.load(),
                                             g_bUpdatePolling.load()))
            ConnectUsbPath(path);
        return TRUE;
    }
    if (event != DBT_DEVICEREMOVECOMPLETE)
        return TRUE;
    switch (CUsbLink::DecideRemoval(path, m_usb.GetHidPath(), g_nLinkState.load(), g_bUsbEnabled.load(),
                                    m_bLinkOpen.load(), g_nCurFwStep.load())) {
    case RemovalAction::Refresh:
        m_usb.EnumHidDevices();
        break;
    case RemovalAction::Ignore:
        break;
    case RemovalAction::DisableOnly:
        g_bUsbEnabled = 0; // the device restarts into its loader; the update reopens it
        break;
    case RemovalAction::Lost:
        g_bUsbEnabled = 0;
        CloseLinkOnError();
        OnDeviceLost();
        m_usb.ForgetUsbPath();
        m_usb.EnumHidDevices();
        g_bFirmwareMode = 0;
        m_usb.SetHidPath(CString());
        break;
    }
    return TRUE;
}

LRESULT CTRV410View::OnDeviceChangeMessage(WPARAM, LPARAM) {
    CHidChangeWatcher::Change change;
    while (m_hidWatcher.Take(&change)) {
        DEV_BROADCAST_DEVICEINTERFACE record;
        CHidMonitor::FillRecord(change.path, &record);
        OnDeviceChange(change.event, &record);
    }
    return TRUE;
}

LRESULT CTRV410View::OnUsbReopen(WPARAM, LPARAM) {
    if (m_usb.ReopenUsb())
        StartLinkThread(TRUE);
    return 0;
}

void CTRV410View::Reconnect() {
    switch (g_nLinkState.load()) {
    case LINK_USB:
        if (!ConnectUsb()) {
            ShowConnectFailure();
            return; // nothing to start without a device
        }
        m_nBatchCount = 0;
        m_bLinkOpen = 1;
        m_command.SetOwner(m_hWnd);
        {
            std::lock_guard lock(g_linkLock);
            RequestInitialData(FALSE);
            std::memset(g_hidInReport, 0, sizeof g_hidInReport);
        }
        StartLinkThread(TRUE);
        break;
    case LINK_NET:
        ConnectNet();
        break;
    default:
        break;
    }
}

// ---- Closing -------------------------------------------------------------------------------------

void CTRV410View::CloseLinkByState() {
    switch (g_nLinkState.load()) {
    case LINK_USB:
        CloseUsbLink();
        break;
    case LINK_NET:
        CloseNetLink();
        break;
    case LINK_COM:
        CloseComLink();
        break;
    default:
        break;
    }
}

LRESULT CTRV410View::OnLinkFailed(WPARAM, LPARAM) {
    if (!m_bLinkOpen.load())
        return 0;
    StopLinkThread(TRUE);
    if (g_bFirmwareMode.load()) {
        ShowTimedMessage("The firmware update failed", "固件更新失败", 2001);
        SetUpdateStatusText("The firmware update failed", "固件更新失败");
    }
    g_bFirmwareMode = 0;
    ShowConnectFailure();
    CloseLinkByState();
    m_command.ClearQueue();
    return 0;
}

BOOL CTRV410View::CloseLinkOnError() {
    if (!m_bLinkOpen.load())
        return TRUE;
    StopLinkThread(TRUE);
    CloseLinkByState();
    if (g_bFirmwareMode.load()) {
        ShowTimedMessage("The firmware update failed", "固件更新失败", 2001);
        SetUpdateStatusText("The firmware update failed", "固件更新失败");
    }
    return TRUE;
}

void CTRV410View::AbortFirmwareUpdate() {
    if (m_bLinkOpen.load()) {
        StopLinkThread(TRUE);
        CloseLinkByState();
    }
    g_bFirmwareMode = 0;
    ShowTimedMessage("The firmware update failed!", "固件更新失败!", 2001);
}

LRESULT CTRV410View::OnEmptyReply(WPARAM, LPARAM) {
    if (!m_bLinkOpen.load())
        return 0;
    StopLinkThread(TRUE);
    CloseLinkByState();
    ShowTimedMessage(g_strUpdateFirmware, g_strUpdateFirmwareCn, 2001);
    return 0;
}

int CTRV410View::CloseLinkForUpdate() {
    if (m_bLinkOpen.load()) {
        StopLinkThread(TRUE);
        CloseLinkByState();
    }
    return 0;
}

LRESULT CTRV410View::OnUpdateFailed(WPARAM, LPARAM) {
    ShowConnectFailure();
    ShowTimedMessage("The firmware update failed", "固件更新失败", 2001);
    return 0;
}

void CTRV410View::CloseComLink() {
    // The link state stays as it is and nothing is shown.
    m_serial.ClosePort();
    m_bLinkOpen = 0;
    g_bOnline = 0;
    ResetTransferDisplay();
    LinkDocument().SetAllChanged(FALSE);
    g_bTransferBusy = 0;
}

// ---- Firmware update opening ---------------------------------------------------------------------

BOOL CTRV410View::StartUsbUpdate(const CString& path) {
    if (!m_usb.IsUsbPathFree(path))
        return FALSE;
    m_usb.SetHidPath(path);
    if (!m_usb.OpenUsbDevice())
        return FALSE;
    m_command.ClearQueue();
    g_bFirmwareMode = 1;
    StartLinkThread(TRUE);
    return TRUE;
}

void CTRV410View::SetUpdateStatusText(const char* textEn, const char* textCn) {
    // The update dialog's services only post, so any thread may call this.
    LinkViewServices().SetUpdateProgress(g_nUpdateBarPos.load(), LangText(textEn, textCn));
}

LRESULT CTRV410View::OnLinkNotice(WPARAM wParam, LPARAM) {
    switch (static_cast<int>(wParam)) {
    case NOTICE_CONNECT_FAILURE:
        ShowConnectFailure();
        break;
    case NOTICE_UPDATE_FAILED_BANG:
        ShowTimedMessage("The firmware update failed!", "固件更新失败!", 2001);
        break;
    default:
        break;
    }
    return 0;
}

BOOL CTRV410View::ReconnectForUpdate(BOOL quiet) {
    // On the UI thread the handler runs at once.
    return ::SendMessage(m_hWnd, WM_RECONNECT_FOR_UPDATE, quiet ? 1 : 0, 0) != 0 ? TRUE : FALSE;
}

LRESULT CTRV410View::OnReconnectForUpdate(WPARAM wParam, LPARAM) {
    const BOOL quiet = wParam != 0 ? TRUE : FALSE;
    switch (g_nLinkState.load()) {
    case LINK_USB:
        if (m_usb.ConnectUsb()) {
            m_command.ClearQueue();
            g_bFirmwareMode = 1;
            StartLinkThread(TRUE);
            return TRUE;
        }
        if (quiet) {
            SetUpdateStatusText("Connected Usb", "连接Usb");
            m_usb.ForgetUsbPath();
            return FALSE;
        }
        g_bFirmwareMode = 0;
        ::PostMessage(m_hWnd, WM_LINK_NOTICE, NOTICE_CONNECT_FAILURE, 0);
        m_command.ClearQueue();
        ::PostMessage(m_hWnd, WM_LINK_NOTICE, NOTICE_UPDATE_FAILED_BANG, 0);
        return FALSE;
    case LINK_NET:
        if (m_net.m_bReachable.load() && m_net.Connect()) {
            m_command.ClearQueue();
            g_bFirmwareMode = 1;
            g_bNetEnabled = 1;
            StartLinkThread(TRUE);
            return TRUE;
        }
        if (quiet) {
            SetUpdateStatusText("Connected NetWork", "连接网络");
            return FALSE;
        }
        g_bFirmwareMode = 0;
        m_command.ClearQueue();
        SetUpdateStatusText("The firmware update failed", "固件更新失败");
        ::PostMessage(m_hWnd, WM_UPDATE_FAILED, 0, 0);
        return FALSE;
    case LINK_COM:
        if (quiet) {
            g_bFirmwareMode = 1;
            StartLinkThread(TRUE);
            return TRUE;
        }
        if (OpenComLink(g_strNull)) {
            g_bFirmwareMode = 1;
            StartLinkThread(TRUE);
            return TRUE;
        }
        g_bFirmwareMode = 0;
        ::PostMessage(m_hWnd, WM_LINK_NOTICE, NOTICE_CONNECT_FAILURE, 0);
        m_command.ClearQueue();
        return FALSE;
    default:
        return FALSE;
    }
}

// ---- Network link --------------------------------------------------------------------------------

BOOL CTRV410View::ConnectNet() {
    if (g_nLinkState.load() != LINK_NONE)
        return FALSE;
    g_nLinkState = LINK_NET;
    if (m_pNetTransport && m_pNetTransport->HasLocalAdapter() && m_pNetTransport->Connect()) {
        g_nNetRetry = 0;
        m_command.SetOwner(m_hWnd);
        g_bNetEnabled = 1;
        RunConnectSequence(FALSE);
        return TRUE;
    }
    ShowTimedMessage(g_strWifiFail, g_strWifiFailCn, 2000);
    g_nLinkState = LINK_NONE;
    return FALSE;
}

BOOL CTRV410View::CloseNetLink() {
    m_clientSocket.Close();
    if (m_pNetTransport)
        m_pNetTransport->Close();
    m_bLinkOpen = 0;
    g_bTransferBusy = 0;
    g_bOnline = 0;
    ResetTransferDisplay();
    LinkDocument().SetAllChanged(FALSE);
    ShowLinkState(FALSE);
    HideProgress();
    g_nLinkState = LINK_NONE;
    ResetNetLinkFlags();
    InputPageServices().ClearOutputMeters();
    return TRUE;
}

LRESULT CTRV410View::OnNetRetry(WPARAM, LPARAM) {
    if (m_bNetRetryWaiting) {
        ++m_nNetRetriesDeferred;
        return 0;
    }
    const int retry = ++g_nNetRetry;
    if (retry > 2) {
        GiveUpNetRetry();
        return 0;
    }
    // The worker reads the socket: it stops before the socket closes, so no read runs on a closed
    // (and maybe reused) descriptor. The connect starts it again.
    m_net.AbortWaits();
    m_worker.Stop(TRUE);
    m_net.ResumeWaits();
    m_net.Close();
    if (m_nReconnectPauseMs == 0) {
        FinishNetRetry();
        return 0;
    }
    m_bNetRetryWaiting = TRUE;
    SetTimer(TIMER_NET_RETRY, m_nReconnectPauseMs);
    return 0;
}

void CTRV410View::FinishNetRetry() {
    if (m_net.Connect()) {
        HideProgress();
        m_command.ResetParser();
        StartLinkThread(TRUE);
    } else {
        GiveUpNetRetry();
    }
}

void CTRV410View::GiveUpNetRetry() {
    StopLinkThread(TRUE);
    ShowConnectFailure();
    CloseNetLink();
    g_nNetRetry = 0;
}

BOOL CTRV410View::StartNetUpdate() {
    if (!m_net.m_bReachable.load() || !m_net.Connect())
        return FALSE;
    m_command.ClearQueue();
    g_bFirmwareMode = 1;
    g_bNetEnabled = 1;
    StartLinkThread(TRUE);
    return TRUE;
}

LRESULT CTRV410View::OnNetReachable(WPARAM, LPARAM) {
    if (ConnectNet())
        ::PostMessage(m_hWnd, WM_NET_CONNECT, 0, 0);
    return 0;
}

LRESULT CTRV410View::OnNetConnect(WPARAM, LPARAM) {
    m_net.StopPing(TRUE);
    return 0;
}

void CTRV410View::ResetNetAddress() {
    std::lock_guard lock(g_linkLock);
    g_strDevIP = g_strDefaultDevIP;
    g_nNetPort = NET_DEFAULT_PORT;
}

void CTRV410View::SetNetUnreachable() {
    m_net.MarkUnreachable();
}

// ---- Firmware update and serial link ------------------------------------------------------------

// The update dialog's view of the main view.
class CTRV410View::CViewUpdateHost : public CUpdateHost {
public:
    explicit CViewUpdateHost(CTRV410View& view) : m_view(view) {}
    BOOL ChooseFirmwareFile() override { return m_view.ChooseFirmwareFile(); }
    BOOL LoadFirmwareFile() override { return m_view.LoadFirmwareFile(); }
    int CloseLinkForUpdate() override { return m_view.CloseLinkForUpdate(); }
    BOOL StartUsbUpdate(const CString& path) override { return m_view.StartUsbUpdate(path); }
    BOOL StartNetUpdate() override { return m_view.StartNetUpdate(); }
    BOOL ReconnectForUpdate(BOOL quiet) override { return m_view.ReconnectForUpdate(quiet); }
    void AbortFirmwareUpdate() override { m_view.AbortFirmwareUpdate(); }
    int FillOfferedPaths() override { return m_view.m_usb.FillOfferedPaths(); }
    BOOL GetOfferedPath(int index, CString* path) override {
        return m_view.m_usb.GetOfferedPath(index, path);
    }
    BOOL IsNetReachable() override { return m_view.m_net.m_bReachable.load(); }
    void ShowTimedMessage(const char* textEn, const char* textCn, int code) override {
        m_view.ShowTimedMessage(textEn, textCn, code);
    }

private:
    CTRV410View& m_view;
};

CUpdateHost& CTRV410View::UpdateHost() {
    if (!m_pUpdateHost)
        m_pUpdateHost = std::make_shared<CViewUpdateHost>(*this);
    return *m_pUpdateHost;
}

INT_PTR CTRV410View::RunUpgradeDialog() {
    CUpgradeDlg dlg(&UpdateHost(), this);
    return dlg.DoModal();
}

void CTRV410View::InitFirmwareAndSerial() {
    m_fwTransfer.SetHooks({[this] { m_usb.ForgetUsbPath(); }, [this] { return m_usb.ReopenUsb(); }, {}});
    g_pSerialCommand = &m_command;
    m_clientSocket.m_pCommand = &m_command;
    m_fwTransfer.SetClientSocket(&m_clientSocket);
    m_serial.SetNotifyWindow(m_hWnd);
    // The serial thread never shows a box itself: the text travels to this window.
    m_serial.SetErrorReporter([this, hwnd = m_hWnd](const std::string& text) {
        {
            std::lock_guard lock(m_commErrorLock);
            m_commErrors.push_back(text);
        }
        ::PostMessage(hwnd, WM_COMM_ERROR, 0, 0);
    });
    if (!m_pMonitor) {
        m_pMonitor = std::make_unique<CLockDataDlg>(this);
        if (m_pMonitor->Create(IDD_LOCK_DATA, this))
            g_pMonitorDlg = m_pMonitor.get();
    }
}

LRESULT CTRV410View::OnCommError(WPARAM, LPARAM) {
    std::vector<std::string> texts;
    {
        std::lock_guard lock(m_commErrorLock);
        texts.swap(m_commErrors);
    }
    for (const std::string& text : texts)
        ShowTimedMessage(text.c_str(), text.c_str(), -5);
    return 0;
}

BOOL CTRV410View::AskFirmwareFile(CString* path) {
    char file[MAX_PATH] = {};
    const std::string folder = m_strHexFolder.GetString();
    OPENFILENAME ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_hWnd;
    ofn.lpstrFilter = ".bin\0*.bin\0\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrDefExt = g_strExtHex;
    ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST;
    if (!GetOpenFileName(&ofn))
        return FALSE;
    *path = file;
    return TRUE;
}

BOOL CTRV410View::ChooseFirmwareFile() {
    CString path;
    if (!AskFirmwareFile(&path))
        return FALSE;
    std::string p = path.GetString();
    size_t dot = p.rfind('.');
    size_t slash = p.rfind('/');
    std::string ext =
        dot == std::string::npos || (slash != std::string::npos && dot < slash) ? "" : p.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext != g_strExtHex) {
        // The user meant another file than the one chosen before: that one no longer goes out.
        g_strHexPath = "";
        SaveDspMcuSettings();
        ShowTimedMessage(kFwNotBin, kFwNotBinCn, 2001);
        return FALSE;
    }
    g_strHexPath = path;
    m_strHexFolder = slash == std::string::npos ? "" : p.substr(0, slash).c_str();
    SaveDspMcuSettings();
    return TRUE;
}

void CTRV410View::SaveDspMcuSettings() {
    m_settings.SaveDspMcuSettings();
}

BOOL CTRV410View::LoadFirmwareFile() {
    g_bFirmwareFinished = 0;
    if (m_fwImage.Load(g_strHexPath.GetString()) != CFirmwareImage::LoadResult::Ok) {
        ShowTimedMessage(g_strUpdateFileError, g_strUpdateFileErrorCn, 2001);
        if (!std::ifstream(g_strHexPath.GetString()))
            g_strHexPath = "";
        return FALSE;
    }
    m_nTransferRange = m_fwImage.GetFrameEstimate();
    return TRUE;
}

BOOL CTRV410View::OpenComLink(const char*) {
    // The COM link always opens the port named in g_strNull ("NULL"): no port, unless a device of
    // that name exists.
    if (!m_serial.OpenPort(0, g_strNull, 57600, 'N', 8, 1, SERIAL_DEFAULT_MASK, 512))
        return FALSE;
    m_serial.StartComThread();
    m_bLinkOpen = 1;
    return TRUE;
}

void CTRV410View::OnFirmwareUpdateMenu() {
    RunUpgradeDialog();
    g_bUpdatePolling = 0;
    g_bFirmwareMode = 0;
}

// ---- Preset commands (shell/ViewPresets) ----------------------------------------------------------

BOOL CTRV410View::SavePresetFile() {
    return Presets().SavePresetFile();
}

void CTRV410View::OnPresetMenuButton() {
    Presets().OnPresetMenuButton();
}

void CTRV410View::OnLoadMachinePreset() {
    Presets().RunMachinePresetDialog(0);
}

void CTRV410View::OnSaveMachinePreset() {
    Presets().RunMachinePresetDialog(1);
}

void CTRV410View::OnDeleteMachinePreset() {
    Presets().RunMachinePresetDialog(2);
}

void CTRV410View::OnReadPresetFile() {
    Presets().ReadPresetFile();
}

void CTRV410View::OnReadAllPresetsFile() {
    Presets().ReadAllPresetsFile();
}

void CTRV410View::OnSavePresetFile() {
    SavePresetFile();
}

void CTRV410View::OnSaveAllPresets() {
    ReadAllDevicePresets();
}

void CTRV410View::OnSlotButton(UINT id) {
    Presets().OnSlotButton(static_cast<int>(id) - IDC_SLOT_BUTTON_1);
}
