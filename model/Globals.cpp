#include "model/Globals.h"

#include <cstring>
#include <mutex>

// ---- Parameter image and system records ----------------------------------------------------

PresetImage g_curImage;
PresetImage g_storedPresets[NUM_STORED_PRESETS];
MachinePresetRecord g_machinePresets[NUM_MACHINE_PRESETS];

SourceSetRecord g_pcSourceSet;
SystemDataRecord g_systemData;
SpeakerMapBlock g_speakerMapBlock;
BootSourceRecord g_bootSource;
SlotTableRecord g_slotTable;
LockRecord g_lockRecord;
char g_strDevVersion[12];

// ---- Bookkeeping ---------------------------------------------------------------------------

std::atomic<int> g_nOutLinkGroup[NUM_OUTPUTS];
CKTV_OutData* g_pOutData[NUM_OUTPUTS];
std::atomic<int> g_bOutMapLocked{1};
std::atomic<int> g_bLRLinked{0};
XoverRecord g_xoverTable[NUM_OUTPUTS];
int g_sysReadList[7];
std::atomic<int> g_devStateBytes[30];
std::atomic<int> g_linkStatus[6];
std::atomic<int> g_bOnline{0};

namespace {
std::atomic<void (*)()> g_pChangeNotifier{nullptr};
} // namespace

void SetChangeNotifier(void (*notify)()) {
    g_pChangeNotifier.store(notify);
}

int OnlineMark() {
    if (!g_bOnline.load())
        return 0;
    if (auto notify = g_pChangeNotifier.load())
        notify();
    return 1;
}
int g_nDeviceAddr = 1;
char g_nameBuf[16];

// ---- Speaker positions and tables ----------------------------------------------------------

BYTE g_posState[POS_STATE_SIZE];
BYTE g_posStateInit[POS_STATE_SIZE];
SpeakerGroupTable g_spkGroups;
LRPair g_lrPairCand[4];
LRPair g_lrPairs[4];
InputOptionTable g_inputOptions;
OutCopyBuffer g_outCopy;

// ---- Link, language and state flags --------------------------------------------------------

CCriticalSection g_linkLock;
std::atomic<int> g_nLinkState{LINK_NONE};
std::atomic<int> g_bChinese{0};
std::atomic<int> g_bTransferBusy{0};
std::atomic<int> g_bLiveDataSent{0};
std::atomic<int> g_bPresetNameDirty{0};
std::atomic<int> g_nStateFlags[NUM_STATE_FLAGS];
LONGLONG g_llPerfFreq = 1000000000LL;

// ---- Numbers and settings ------------------------------------------------------------------

std::atomic<int> g_nDelayUnit{DELAY_UNIT_MS};
int g_nUsbVid = 0x0483;
int g_nUsbPid = 0x5750;
int g_nUsbVersion = 0x0200;
int g_hUsbSpare = -1;
int g_nNetPort = 8899;
int g_nViewMode = 1;
std::atomic<int> g_bShowAllCurves{1};
std::atomic<int> g_nDeviceType{2};
BYTE g_serialFlags[14];
int g_nCurPage = 1;
CWnd* g_pViewWnd = nullptr;
CInPutDlg* g_pInputPage = nullptr;
CLevel_Delay_Dlg* g_pLevelPage = nullptr;
CPopuMixInput* g_pMixPopup = nullptr;
int g_nInputGroup = 0;
std::atomic<int> g_nCurOut{0};
std::atomic<int> g_nCurInput{0};
std::atomic<int> g_bFwUpdated{0};
int g_outCurveShown[NUM_OUTPUTS];

// ---- Strings -------------------------------------------------------------------------------

CString g_strEmpty;
CString g_strUnlockEntry("318640");
CString g_strLockPassword;
CString g_strPresetPath;
CString g_strPresetFile;
CString g_strAllPresetsPath;
CString g_strAllPresetsFile;
CString g_strMapPath;
CString g_strHexPath;
CString g_strHidPath;
CString g_strLanguage;
// Factory address of the WIFI module in access-point mode.
CString g_strDevIP("10.10.100.254");
CString g_strOutNames[NUM_OUTPUTS];
std::vector<CString> g_hidPaths;
std::vector<CString> g_updIfaces;

const char* const g_strSwTag[4] = {"DOZI-DE1.11", "VORI-RA1.04 (K4plus)", "VURI-DO1.01 (R27VQ)",
                                   "ZUZI-RU1.13 (K3)"};

const char* GetSwTag(int deviceType) {
    switch (deviceType) {
    case 2:
        return g_strSwTag[0];
    case 3:
        return g_strSwTag[1];
    case 4:
        return g_strSwTag[2];
    default:
        return g_strSwTag[3];
    }
}

// ---- Colours and fonts ---------------------------------------------------------------------

const ArgbColor g_clrEffectCurve{220, 255, 0, 0};
const ArgbColor g_clrMicCurve1{255, 255, 128, 51};
const ArgbColor g_clrMusicCurve[NUM_INPUTS] = {
    {255, 0, 255, 255}, {255, 223, 18, 123},  {255, 2, 123, 192},
    {255, 255, 255, 0}, {255, 255, 102, 102}, {255, 153, 0, 153},
};
const ArgbColor g_clrOutCurve[NUM_OUTPUTS] = {
    {255, 255, 0, 0},   {255, 0, 192, 0},   {255, 128, 128, 192}, {255, 255, 64, 255},
    {255, 0, 192, 192}, {255, 192, 168, 0}, {255, 125, 128, 0},   {255, 0, 0, 255},
};
const ArgbColor g_clrCurCurve{255, 0, 192, 0};
const ArgbColor g_clrOtherCurves{255, 100, 100, 100};

const FontSpec g_fontSpecArial16{"Arial", 16, 400};
const FontSpec g_fontSpecArial108{"Arial", 108, 400};
const FontSpec g_fontSpecArial14{"Arial", 14, 400};
const FontSpec g_fontSpecArial12{"Arial", 12, 400};
const FontSpec g_fontSpecSimSun12{"宋体", 12, 400};
const FontSpec g_fontSpecArial14b{"Arial", 14, 400};
const FontSpec g_fontSpecArial16Heavy{"Arial", 16, 1200};

// ---- Small functions -----------------------------------------------------------------------

CString FormatElapsedSeconds(LONGLONG ticks) {
    const double freq = g_llPerfFreq > 0 ? static_cast<double>(g_llPerfFreq) : 1.0;
    CString s;
    s.Format("延时(秒)=%f ", static_cast<double>(ticks) / freq);
    return s;
}

CString NumberToText(int value, int radix) {
    CString s;
    if (radix == 16)
        s.Format("%04X", static_cast<unsigned>(value));
    else if (radix == 8)
        s.Format("%o", static_cast<unsigned>(value));
    else if (radix == 2) {
        std::string bits;
        unsigned v = static_cast<unsigned>(value);
        do {
            bits.insert(bits.begin(), static_cast<char>('0' + (v & 1U)));
            v >>= 1;
        } while (v);
        s = CString(bits);
    } else
        s.Format("%d", value);
    return s;
}

void ResetSerialFlags() {
    std::memset(g_serialFlags, 0, sizeof g_serialFlags);
}

int ComputeSourceTypeMatch(int a, int b) {
    const auto inZeroTwoFive = [](int v) { return v == 0 || v == 2 || v == 5; };
    if (a == b)
        return 1;
    if (inZeroTwoFive(a) && inZeroTwoFive(b))
        return 1;
    if ((a == 1 && b == 3) || (a == 3 && b == 1))
        return 1;
    return 0;
}

int UpdateSourceTypeMatch() {
    int a, b;
    {
        std::lock_guard lock(g_linkLock);
        a = g_bootSource.phoneMode;
        b = g_pcSourceSet.inputType;
    }
    const int match = ComputeSourceTypeMatch(a, b);
    g_bSourceTypeMatch = match;
    return match;
}
