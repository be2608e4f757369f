// Program-wide globals of the parameter model: the parameter image and system records, the link
// and language state, the message texts, colours and the data the UI turns into fonts and brushes.
// Flags that the UI thread and the link worker share are atomics; bulk reads and writes of the
// image and the system records take g_linkLock (short sections, never across a wait).
#pragma once

#include "model/DataDefine.h"
#include "model/InputOptionTable.h"
#include "model/LRPair.h"
#include "model/OutCopyBuffer.h"
#include "model/SpeakerGroupTable.h"
#include "platform/core/CriticalSection.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <atomic>
#include <vector>

class CKTV_OutData;

// ---- Parameter image and system records ----------------------------------------------------

extern PresetImage g_curImage;                                    // live preset (number 0 in frames)
extern PresetImage g_storedPresets[NUM_STORED_PRESETS];           // presets 1..6 = elements 0..5
extern MachinePresetRecord g_machinePresets[NUM_MACHINE_PRESETS]; // presets 21..40
extern const OutputRecord g_defOutRecords[NUM_OUTPUTS + 2];       // outputs 1..8, then 31-band 7 and 8

extern SourceSetRecord g_pcSourceSet; // CMD_SOURCE_SET
extern SystemDataRecord g_systemData; // CMD_SYSTEM_DATA
extern SpeakerMapBlock g_speakerMapBlock;
inline SystemRecord& g_speakerMap = g_speakerMapBlock.speakerMap;   // CMD_SPEAKER_MAP
inline SystemRecord& g_curPresetNo = g_speakerMapBlock.curPresetNo; // CMD_PRESET_NUMBER (byte 0)
extern BootSourceRecord g_bootSource;                               // CMD_BOOT_SOURCE
extern SlotTableRecord g_slotTable;                                 // CMD_SLOT_TABLE
extern LockRecord g_lockRecord;                                     // CMD_LOCK_RECORD
extern char g_strDevVersion[12];                                    // CMD_VERSION, as received

// ---- Bookkeeping of the image module ------------------------------------------------------

extern std::atomic<int> g_nOutLinkGroup[NUM_OUTPUTS]; // equal numbers = linked outputs
extern CKTV_OutData* g_pOutData[NUM_OUTPUTS];
extern std::atomic<int> g_bOutMapLocked; // 1 at start
extern std::atomic<int> g_bLRLinked;
extern XoverRecord g_xoverTable[NUM_OUTPUTS]; // crossovers kept for the output-map file
extern int g_sysReadList[7];                  // system records read after a link opens
extern std::atomic<int> g_devStateBytes[30];  // last CMD_DEVICE_STATE answer, one byte per int
extern std::atomic<int> g_linkStatus[6];      // three USB, three network status ints
inline std::atomic<int>& g_bNetEnabled = g_linkStatus[3];
extern std::atomic<int> g_bOnline; // device data loaded: setters mark changes only while set
// The link installs the wake-up of its worker here (the model cannot see the link), so a marked
// change goes out at once instead of after the worker's pause. nullptr removes it.
void SetChangeNotifier(void (*notify)());
// The mark a setter stores: 1 while online, and then the worker is woken; 0 offline. Setters call
// it with g_linkLock held, so a woken worker sees the whole change.
int OnlineMark();
extern int g_nDeviceAddr;  // byte 5 of every frame header
extern char g_nameBuf[16]; // preset name typed in the preset dialog

// ---- Speaker positions and tables ----------------------------------------------------------

constexpr int POS_STATE_SIZE = 36;
constexpr int POS_STATE_OUTPUTS = 28; // bytes 28..35: the code of each output
constexpr BYTE POS_BLOCKED = 1;
constexpr BYTE POS_TAKEN = 2;
constexpr BYTE POS_FREE = 3;
extern BYTE g_posState[POS_STATE_SIZE];
extern BYTE g_posStateInit[POS_STATE_SIZE];
extern SpeakerGroupTable g_spkGroups;
extern LRPair g_lrPairCand[4];
extern LRPair g_lrPairs[4];
extern InputOptionTable g_inputOptions;
extern OutCopyBuffer g_outCopy;

// ---- Link, language and state flags --------------------------------------------------------

constexpr int LINK_NONE = 0;
constexpr int LINK_USB = 1;
constexpr int LINK_NET = 2;
constexpr int LINK_COM = 3;

// Held for a scope as std::lock_guard lock(g_linkLock); recursive, short, never across a wait.
extern CCriticalSection g_linkLock;         // send queue, frame buffers, bulk image access
extern std::atomic<int> g_nLinkState;       // LINK_NONE .. LINK_COM
extern std::atomic<int> g_bChinese;         // 1 Chinese, 0 English user interface
extern std::atomic<int> g_bTransferBusy;    // a batch transfer runs
extern std::atomic<int> g_bLiveDataSent;    // a change was sent: the scheduler renames the preset
extern std::atomic<int> g_bPresetNameDirty; // the scheduler's preset-name mark, set by the view

constexpr int NUM_STATE_FLAGS = 40;
extern std::atomic<int> g_nStateFlags[NUM_STATE_FLAGS];
inline std::atomic<int>& g_bSystemDataDirty = g_nStateFlags[24]; // scheduler mark: CMD_SYSTEM_DATA
inline std::atomic<int>& g_bSourceSetDirty = g_nStateFlags[25];  // scheduler mark: CMD_SOURCE_SET
inline std::atomic<int>& g_bDataLocked = g_nStateFlags[30];
inline std::atomic<int>& g_bDataUnlocked = g_nStateFlags[31];
inline std::atomic<int>& g_bSourceTypeMatch = g_nStateFlags[38];
// An all-presets file of the old format is being loaded: its outputs carry no lock.
inline std::atomic<int>& g_bOldAllPresetsFile = g_nStateFlags[33];

extern LONGLONG g_llPerfFreq; // ticks per second of the performance counter

// Picks the text of a pair by the language flag.
inline const char* LangText(const char* en, const char* cn) {
    return g_bChinese.load() ? cn : en;
}

// ---- Numbers and settings ------------------------------------------------------------------

extern std::atomic<int> g_nDelayUnit; // 1 ms, 2 cm, 3 inch
constexpr int DELAY_UNIT_MS = 1;
constexpr int DELAY_UNIT_CM = 2;
constexpr int DELAY_UNIT_INCH = 3;
extern int g_nUsbVid;
extern int g_nUsbPid;
extern int g_nUsbVersion;
extern int g_hUsbSpare;
extern int g_nNetPort;
extern int g_nViewMode;
extern std::atomic<int> g_bShowAllCurves;
extern std::atomic<int> g_nDeviceType; // 2 in this system; 3 and 4 have 31-band outputs 7 and 8
extern BYTE g_serialFlags[14];
extern int g_nCurPage;

// Windows of the shell the pages reach (null until each exists; the UI thread sets and reads
// them). Only declared here: the model never uses the classes.
class CWnd;
class CInPutDlg;
class CLevel_Delay_Dlg;
class CPopuMixInput;
extern CWnd* g_pViewWnd;               // the main view, the target of the link messages
extern CInPutDlg* g_pInputPage;        // set by the input page
extern CLevel_Delay_Dlg* g_pLevelPage; // set by the level and delay page
extern CPopuMixInput* g_pMixPopup;     // the open mixer popup
extern int g_nInputGroup;
extern std::atomic<int> g_nCurOut;
extern std::atomic<int> g_nCurInput;
extern std::atomic<int> g_bFwUpdated;
extern int g_outCurveShown[NUM_OUTPUTS];

// ---- Strings -------------------------------------------------------------------------------

inline constexpr const char g_strProduct[] = "R9VQ-TN";
inline constexpr const char g_strNull[] = "NULL";
inline constexpr const char g_strCustom[] = "Custom";
inline constexpr const char g_strAdvCode[] = "472918";
inline constexpr const char g_strWifi[] = "WIFI";

extern CString g_strEmpty; // last preset name shown by the main view (written under g_linkLock)
extern CString g_strUnlockEntry;
extern CString g_strLockPassword;
extern CString g_strPresetPath;
extern CString g_strPresetFile;
extern CString g_strAllPresetsPath;
extern CString g_strAllPresetsFile;
extern CString g_strMapPath;
extern CString g_strHexPath;
extern CString g_strHidPath;
extern CString g_strLanguage;
extern CString g_strDevIP;
extern CString g_strOutNames[NUM_OUTPUTS];
extern std::vector<CString> g_hidPaths;
extern std::vector<CString> g_updIfaces;

// Version tag of the program by device type (2, 3, 4, any other).
extern const char* const g_strSwTag[4];
const char* GetSwTag(int deviceType);

// File dialog filters and extensions.
inline constexpr const char g_strFilterPreset[] = "Data File (*.jtsh)|*.jtsh||";
inline constexpr const char g_strFilterPresetOld[] = "Data File (*.jssh)|*.jssh||";
inline constexpr const char g_strFilterAllPresets[] = "Data File (*.jtah)|*.jtah||";
inline constexpr const char g_strFilterAllPresetsOld[] = "Data File (*.jsah)|*.jsah||";
inline constexpr const char g_strFilterMap[] = "Data File (*.vtac)|*.vtac||";
inline constexpr const char g_strFilterHex[] = ".bin|*.bin||";
inline constexpr const char g_strExtPreset[] = "jtsh";
inline constexpr const char g_strExtPresetOld[] = "jssh";
inline constexpr const char g_strExtAllPresets[] = "jtah";
inline constexpr const char g_strExtAllPresetsOld[] = "jsah";
inline constexpr const char g_strExtMap[] = "vtac";
inline constexpr const char g_strExtHex[] = "bin";

// Registry names (under HKEY_CURRENT_USER).
inline constexpr const char g_strRegKey[] = "Software\\VT-R9VQ-2020_GB2312.exe";
inline constexpr const char g_strRegPcFile[] = "PC_File";
inline constexpr const char g_strRegDspMcu[] = "DspMcu";
inline constexpr const char g_strRegLineSet[] = "Line_Set";
inline constexpr const char g_strRegUsb[] = "USB";
inline constexpr const char g_strRegLanguage[] = "Language";

// Message texts, English and Chinese.
inline constexpr const char g_strUsbFail[] = "Connection failure!";
inline constexpr const char g_strUsbFailCn[] =
    "连接失败  请检查USB线缆是否插好或\n该设备已经连接上了另一软件!";
inline constexpr const char g_strWifiFail[] = "Connection failure!";
inline constexpr const char g_strWifiFailCn[] =
    "连接失败  请检查WIFI是否已连接到设备或\n该设备已经连接上了另一软件!";
inline constexpr const char g_strRestoreEq[] = "Whether Restore All EQ?";
inline constexpr const char g_strRestoreEqCn[] = "是否恢复所有均衡?";
inline constexpr const char g_strBypassEq[] = "Whether ByPass All EQ?";
inline constexpr const char g_strBypassEqCn[] = "是否直通所有均衡?";
inline constexpr const char g_strResetEq[] = "Whether the reset All EQ?";
inline constexpr const char g_strResetEqCn[] = "是否重置所有均衡?";
inline constexpr const char g_strPeqToGeq[] = "Whether the PEQ Mode convert to GEQ Mode?";
inline constexpr const char g_strPeqToGeqCn[] = "是否把参量均衡模式转换为图示均衡模式?";
inline constexpr const char g_strGeqToPeq[] = "Whether the GEQ Mode convert to PEQ Mode?";
inline constexpr const char g_strGeqToPeqCn[] = "是否把图示均衡模式转换为参量均衡模式?";
inline constexpr const char g_strNotConnected[] = "Not connected devices";
inline constexpr const char g_strNotConnectedCn[] = "未连接设备";
inline constexpr const char g_strConnected[] = "Connected device";
inline constexpr const char g_strConnectedCn[] = "已连接设备";
inline constexpr const char g_strPrompt[] = "Prompting";
inline constexpr const char g_strPromptCn[] = "提示";
inline constexpr const char g_strWarning[] = "Warning";
inline constexpr const char g_strWarningCn[] = "警告";
inline constexpr const char g_strWifiResetOk[] = "Load WIFI factory default success";
inline constexpr const char g_strWifiResetOkCn[] = "恢复WIFI出厂设置成功";
inline constexpr const char g_strWifiResetFail[] = "Load WIFI factory default failure";
inline constexpr const char g_strWifiResetFailCn[] = "恢复WIFI出厂设置失败";
inline constexpr const char g_strModeChange[] =
    "Changing EQ mode will clear all your data \nIs it Change EQ mode?";
inline constexpr const char g_strModeChangeCn[] = "切换模式将清除您本机数据，\n是否强制切换模式？";

// ---- Colours, fonts, brush, menu (data; the UI side creates the objects) -------------------

// A GDI+ style colour: alpha, red, green, blue.
struct ArgbColor {
    BYTE a, r, g, b;
    constexpr COLORREF ToColorRef() const { return RGB(r, g, b); }
    bool operator==(const ArgbColor&) const = default;
};

extern const ArgbColor g_clrEffectCurve;
extern const ArgbColor g_clrMicCurve1;
extern const ArgbColor g_clrMusicCurve[NUM_INPUTS];
extern const ArgbColor g_clrOutCurve[NUM_OUTPUTS];
extern const ArgbColor g_clrCurCurve;
extern const ArgbColor g_clrOtherCurves;

// Every program font: width 0, upright, ANSI character set, pitch-and-family 0x20.
struct FontSpec {
    const char* face;
    int height; // cell height in pixels
    int weight;
};
constexpr int FONT_PITCH_AND_FAMILY = 0x20;
extern const FontSpec g_fontSpecArial16;
extern const FontSpec g_fontSpecArial108;
extern const FontSpec g_fontSpecArial14;
extern const FontSpec g_fontSpecArial12;
extern const FontSpec g_fontSpecSimSun12;
extern const FontSpec g_fontSpecArial14b;
extern const FontSpec g_fontSpecArial16Heavy;

constexpr COLORREF g_clrBrushDlg = RGB(0xE3, 0xE4, 0xEE); // colour of g_brushDlg
constexpr int g_nMenuSpkPosCn = 106;                      // speaker-position menu, Chinese
constexpr int g_nMenuSpkPosEn = 107;                      // English twin

// ---- Small functions -----------------------------------------------------------------------

// "延时(秒)=%f " of ticks / g_llPerfFreq.
CString FormatElapsedSeconds(LONGLONG ticks);
// Text in the radix; hexadecimal upper-case, padded to four digits.
CString NumberToText(int value, int radix);
void ResetSerialFlags();

// The main view's source-type rule: with A = byte 4 of g_bootSource and B = byte 0 of
// g_pcSourceSet, 1 when A equals B, both are one of 0, 2, 5, or they are 1 and 3 either way.
int ComputeSourceTypeMatch(int a, int b);
// Recomputes g_bSourceTypeMatch from the two records; returns it.
int UpdateSourceTypeMatch();
