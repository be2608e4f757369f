// The generated art of the output page and its strips (ids and places in OutputPageArt.h). Roles
// of SkinPainter: page-background, strip-background, panel-button, panel-combo, power, lock, link,
// level, eq-track, level-track, strip-track, thumb-v, lamp, display, wave, chain, toggle-ch,
// toggle-panel, position, link-toggle, spin-zones.
#include "res/OutputPageArt.h"
#include "res/ResourceTable.h"
#include "res/ResourceTables.h"

#include <array>

namespace res {

namespace {

using namespace outpage;

constexpr DWORD kAmber = 0x0000A5FF;      // bypass, locked
constexpr DWORD kGreen = 0x0084DC3D;      // sounding, master on
constexpr DWORD kCurveGreen = 0x0000C000; // the current curve's green on the graph
constexpr DWORD kTeal = 0x00B4C81E;       // rear positions
constexpr DWORD kViolet = 0x00F06CA0;     // subwoofers

// Page captions, split at '|': map, crossover, high-pass, low-pass, level, delay unit, the band
// row, the bypass row, the locked note.
constexpr const char* kPageTextEn = "OUTPUT MAP|CROSSOVER|HPF|LPF|LEVEL|DELAY UNIT|#|BYP|Tuning data locked";
constexpr const char* kPageTextZh = "输出配置|分频器|高通|低通|电平|延时单位|#|直通|调音数据已锁定";

const ArtSpec kPageArt[] = {
    // id, png, width, height, role, state, caption, accent
    // Page backgrounds: unlocked (state 0) and locked (state 3).
    {kBackgroundZh, false, kPageWidth, kPageHeight, "page-background", 0, kPageTextZh, 0},
    {kBackgroundEn, false, kPageWidth, kPageHeight, "page-background", 0, kPageTextEn, 0},
    {kBackgroundLockedZh, false, kPageWidth, kPageHeight, "page-background", 3, kPageTextZh, kAmber},
    {kBackgroundLockedEn, false, kPageWidth, kPageHeight, "page-background", 3, kPageTextEn, kAmber},

    // Master on/off 2574, English then Chinese: off normal, hover, pressed, on normal, hover, pressed.
    {526, false, 54, 22, "power", 0, "OFF", kGreen},
    {527, false, 54, 22, "power", 1, "OFF", kGreen},
    {528, false, 54, 22, "power", 2, "OFF", kGreen},
    {529, false, 54, 22, "power", 3, "ON", kGreen},
    {530, false, 54, 22, "power", 4, "ON", kGreen},
    {531, false, 54, 22, "power", 5, "ON", kGreen},
    {kMasterOnZh + 0, false, 54, 22, "power", 0, "关", kGreen},
    {kMasterOnZh + 1, false, 54, 22, "power", 1, "关", kGreen},
    {kMasterOnZh + 2, false, 54, 22, "power", 2, "关", kGreen},
    {kMasterOnZh + 3, false, 54, 22, "power", 3, "开", kGreen},
    {kMasterOnZh + 4, false, 54, 22, "power", 4, "开", kGreen},
    {kMasterOnZh + 5, false, 54, 22, "power", 5, "开", kGreen},

    // All-bypass 1976 (on = bypassed): Chinese on 7002/7001, off 7000/7005; English on 8822/8823,
    // off 8820/8821.
    {7002, false, 42, 20, "panel-button", 3, "直通", kAmber},
    {7001, false, 42, 20, "panel-button", 4, "直通", kAmber},
    {7000, false, 42, 20, "panel-button", 0, "直通", kAmber},
    {7005, false, 42, 20, "panel-button", 1, "直通", kAmber},
    {8822, false, 42, 20, "panel-button", 3, "Bypass", kAmber},
    {8823, false, 42, 20, "panel-button", 4, "Bypass", kAmber},
    {8820, false, 42, 20, "panel-button", 0, "Bypass", kAmber},
    {8821, false, 42, 20, "panel-button", 1, "Bypass", kAmber},
    // Reset all EQ 5687: normal, hover.
    {7004, false, 42, 20, "panel-button", 0, "重置", 0},
    {7003, false, 42, 20, "panel-button", 1, "重置", 0},
    {359, false, 42, 20, "panel-button", 0, "Reset", 0},
    {360, false, 42, 20, "panel-button", 1, "Reset", 0},
    // PEQ/GEQ 5686 (on = GEQ): Chinese on 746/745, off 744/747; English on 742/741, off 740, 743
    // pressed (the English off-hover slot repeats 742).
    {746, false, 42, 20, "panel-button", 3, "图示", 0},
    {745, false, 42, 20, "panel-button", 4, "图示", 0},
    {744, false, 42, 20, "panel-button", 0, "参量", 0},
    {747, false, 42, 20, "panel-button", 1, "参量", 0},
    {742, false, 42, 20, "panel-button", 3, "GEQ", 0},
    {741, false, 42, 20, "panel-button", 4, "GEQ", 0},
    {740, false, 42, 20, "panel-button", 0, "PEQ", 0},
    {743, false, 42, 20, "panel-button", 2, "PEQ", 0},
    // GEQ picture 5311 (disabled; 796 English, 797 Chinese).
    {796, false, 42, 20, "display", 0, "GEQ", 0},
    {797, false, 42, 20, "display", 0, "图示", 0},
    // Subwoofer level mode 2836 (down = subwoofer level shown): Chinese off 786/787, on 799/798;
    // English off 809/808, on 811/810.
    {786, false, 54, 22, "panel-button", 0, "超低", kViolet},
    {787, false, 54, 22, "panel-button", 1, "超低", kViolet},
    {799, false, 54, 22, "panel-button", 3, "超低", kViolet},
    {798, false, 54, 22, "panel-button", 4, "超低", kViolet},
    {809, false, 54, 22, "panel-button", 0, "SUB", kViolet},
    {808, false, 54, 22, "panel-button", 1, "SUB", kViolet},
    {811, false, 54, 22, "panel-button", 3, "SUB", kViolet},
    {810, false, 54, 22, "panel-button", 4, "SUB", kViolet},
    // Polarity 4001 of the current output: six looks, down = inverted. English 4350.., Chinese 4360..
    {4350, false, 54, 22, "panel-button", 0, "Pol+", 0},
    {4351, false, 54, 22, "panel-button", 1, "Pol+", 0},
    {4352, false, 54, 22, "panel-button", 2, "Pol+", 0},
    {4353, false, 54, 22, "panel-button", 3, "Pol-", kAmber},
    {4354, false, 54, 22, "panel-button", 4, "Pol-", kAmber},
    {4355, false, 54, 22, "panel-button", 5, "Pol-", kAmber},
    {4360, false, 54, 22, "panel-button", 0, "正相", 0},
    {4361, false, 54, 22, "panel-button", 1, "正相", 0},
    {4362, false, 54, 22, "panel-button", 2, "正相", 0},
    {4363, false, 54, 22, "panel-button", 3, "反相", kAmber},
    {4364, false, 54, 22, "panel-button", 4, "反相", kAmber},
    {4365, false, 54, 22, "panel-button", 5, "反相", kAmber},
    // Input-type picture 5688: S/PDIF, Hi.Level, Phone, AUX1, AUX2, AUX3 (English 452.., Chinese 459..).
    {452, false, 114, 20, "display", 0, "S/PDIF", 0},
    {453, false, 114, 20, "display", 0, "Hi.Level", 0},
    {454, false, 114, 20, "display", 0, "Phone", 0},
    {455, false, 114, 20, "display", 0, "AUX1", 0},
    {456, false, 114, 20, "display", 0, "AUX2", 0},
    {457, false, 114, 20, "display", 0, "AUX3", 0},
    {459, false, 114, 20, "display", 0, "光纤", 0},
    {460, false, 114, 20, "display", 0, "高电平", 0},
    {461, false, 114, 20, "display", 0, "蓝牙", 0},
    {462, false, 114, 20, "display", 0, "AUX1", 0},
    {463, false, 114, 20, "display", 0, "AUX2", 0},
    {464, false, 114, 20, "display", 0, "AUX3", 0},
    // Polarity pictures 5084/5085, link indicators 5080..5082, the hidden group picture 5083.
    {kPolarityNormal, false, 40, 20, "wave", 0, nullptr, 0},
    {kPolarityInverted, false, 40, 20, "wave", 3, nullptr, kAmber},
    {kLinkIndicator, false, 26, 13, "chain", 3, nullptr, 0},
    {kGroupPicture, false, 16, 16, "chain", 0, nullptr, 0},

    // Source level fader 2571: channel 357, thumb 358, active thumb 282 (shared with 2835).
    {357, false, 26, 150, "level-track", 0, nullptr, 0},
    {358, false, 26, 12, "thumb-v", 0, nullptr, 0},
    {282, false, 26, 12, "thumb-v", 0, nullptr, kAmber},
    // Subwoofer level fader 2835: channel 539, thumb 538, disabled thumb 4410.
    {539, false, 26, 150, "level-track", 3, nullptr, kViolet},
    {538, false, 26, 12, "thumb-v", 0, nullptr, kViolet},
    {4410, false, 26, 12, "thumb-v", 6, nullptr, 0},
    // Band gain faders 5100+n: channels PEQ 610 (band 1: 615), GEQ 614 (band 1: 616); thumbs 611,
    // active 613, outside the pass band 612.
    {610, false, 20, 100, "eq-track", 0, nullptr, 0},
    {615, false, 20, 100, "eq-track", 0, "first", 0},
    {614, false, 20, 100, "eq-track", 3, nullptr, 0},
    {616, false, 20, 100, "eq-track", 3, "first", 0},
    {611, false, 20, 10, "thumb-v", 0, nullptr, 0},
    {613, false, 20, 10, "thumb-v", 0, nullptr, kAmber},
    {612, false, 20, 10, "thumb-v", 6, nullptr, 0},

    // Crossover family and slope lists 1010..1013: normal, hover, disabled (the control writes the text).
    {697, false, 76, 20, "panel-combo", 0, nullptr, 0},
    {698, false, 76, 20, "panel-combo", 1, nullptr, 0},
    {699, false, 76, 20, "panel-combo", 6, nullptr, 0},
    // Shelf-slope lists 2823/2824/9578: normal, hover.
    {2827, false, 44, 18, "panel-combo", 0, nullptr, 0},
    {2828, false, 44, 18, "panel-combo", 1, nullptr, 0},
    // Band-shape buttons 2818/2820/2821/2822 (never shown): peaking, low shelf, high shelf looks.
    {2830, false, 28, 18, "panel-button", 0, "PK", 0},
    {2831, false, 28, 18, "panel-button", 1, "PK", 0},
    {2832, false, 28, 18, "panel-button", 3, "PK", 0},
    {2833, false, 28, 18, "panel-button", 0, "LS", 0},
    {2834, false, 28, 18, "panel-button", 1, "LS", 0},
    {2835, false, 28, 18, "panel-button", 3, "LS", 0},
    {2836, false, 28, 18, "panel-button", 0, "HS", 0},
    {2837, false, 28, 18, "panel-button", 1, "HS", 0},
    {2838, false, 28, 18, "panel-button", 3, "HS", 0},
    // Band bypass 5320+n (on = bypassed): on normal, on hover, off normal, off hover.
    {8830, false, 26, 14, "lamp", 3, nullptr, kAmber},
    {8831, false, 26, 14, "lamp", 4, nullptr, kAmber},
    {8832, false, 26, 14, "lamp", 0, nullptr, kAmber},
    {8833, false, 26, 14, "lamp", 1, nullptr, kAmber},
    // Spin buttons 5980+k over the delay fields: normal, left, middle, right zone lit.
    {800, false, 70, 20, "spin-zones", 0, nullptr, 0},
    {801, false, 70, 20, "spin-zones", 1, nullptr, 0},
    {802, false, 70, 20, "spin-zones", 2, nullptr, 0},
    {803, false, 70, 20, "spin-zones", 3, nullptr, 0},

    // Map commands 4700..4704 and the level page button 5689 (English, then Chinese).
    {kMapLockEn + 0, false, 92, 22, "lock", 0, "Lock map", 0},
    {kMapLockEn + 1, false, 92, 22, "lock", 1, "Lock map", 0},
    {kMapLockEn + 2, false, 92, 22, "lock", 2, "Lock map", 0},
    {kMapLockEn + 3, false, 92, 22, "lock", 3, "Locked", kAmber},
    {kMapLockEn + 4, false, 92, 22, "lock", 4, "Locked", kAmber},
    {kMapLockEn + 5, false, 92, 22, "lock", 5, "Locked", kAmber},
    {kMapLockEn + 6, false, 92, 22, "lock", 0, "锁定配置", 0},
    {kMapLockEn + 7, false, 92, 22, "lock", 1, "锁定配置", 0},
    {kMapLockEn + 8, false, 92, 22, "lock", 2, "锁定配置", 0},
    {kMapLockEn + 9, false, 92, 22, "lock", 3, "已锁定", kAmber},
    {kMapLockEn + 10, false, 92, 22, "lock", 4, "已锁定", kAmber},
    {kMapLockEn + 11, false, 92, 22, "lock", 5, "已锁定", kAmber},
    {kMapLinkEn + 0, false, 92, 22, "link", 0, "L&R Link", 0},
    {kMapLinkEn + 1, false, 92, 22, "link", 1, "L&R Link", 0},
    {kMapLinkEn + 2, false, 92, 22, "link", 2, "L&R Link", 0},
    {kMapLinkEn + 3, false, 92, 22, "link", 3, "L&R Link", 0},
    {kMapLinkEn + 4, false, 92, 22, "link", 4, "L&R Link", 0},
    {kMapLinkEn + 5, false, 92, 22, "link", 5, "L&R Link", 0},
    {kMapLinkEn + 6, false, 92, 22, "link", 0, "左右联调", 0},
    {kMapLinkEn + 7, false, 92, 22, "link", 1, "左右联调", 0},
    {kMapLinkEn + 8, false, 92, 22, "link", 2, "左右联调", 0},
    {kMapLinkEn + 9, false, 92, 22, "link", 3, "左右联调", 0},
    {kMapLinkEn + 10, false, 92, 22, "link", 4, "左右联调", 0},
    {kMapLinkEn + 11, false, 92, 22, "link", 5, "左右联调", 0},
    {kMapResetEn + 0, false, 60, 22, "panel-button", 0, "Reset", 0},
    {kMapResetEn + 1, false, 60, 22, "panel-button", 1, "Reset", 0},
    {kMapResetEn + 2, false, 60, 22, "panel-button", 2, "Reset", 0},
    {kMapResetEn + 3, false, 60, 22, "panel-button", 0, "重置", 0},
    {kMapResetEn + 4, false, 60, 22, "panel-button", 1, "重置", 0},
    {kMapResetEn + 5, false, 60, 22, "panel-button", 2, "重置", 0},
    {kMapReadEn + 0, false, 60, 22, "panel-button", 0, "Read", 0},
    {kMapReadEn + 1, false, 60, 22, "panel-button", 1, "Read", 0},
    {kMapReadEn + 2, false, 60, 22, "panel-button", 2, "Read", 0},
    {kMapReadEn + 3, false, 60, 22, "panel-button", 0, "读取", 0},
    {kMapReadEn + 4, false, 60, 22, "panel-button", 1, "读取", 0},
    {kMapReadEn + 5, false, 60, 22, "panel-button", 2, "读取", 0},
    {kMapSaveEn + 0, false, 60, 22, "panel-button", 0, "Save", 0},
    {kMapSaveEn + 1, false, 60, 22, "panel-button", 1, "Save", 0},
    {kMapSaveEn + 2, false, 60, 22, "panel-button", 2, "Save", 0},
    {kMapSaveEn + 3, false, 60, 22, "panel-button", 0, "保存", 0},
    {kMapSaveEn + 4, false, 60, 22, "panel-button", 1, "保存", 0},
    {kMapSaveEn + 5, false, 60, 22, "panel-button", 2, "保存", 0},
    {kLevelPageEn + 0, false, 114, 22, "level", 0, "Level / Delay", 0},
    {kLevelPageEn + 1, false, 114, 22, "level", 1, "Level / Delay", 0},
    {kLevelPageEn + 2, false, 114, 22, "level", 2, "Level / Delay", 0},
    {kLevelPageEn + 3, false, 114, 22, "level", 0, "电平 / 延时", 0},
    {kLevelPageEn + 4, false, 114, 22, "level", 1, "电平 / 延时", 0},
    {kLevelPageEn + 5, false, 114, 22, "level", 2, "电平 / 延时", 0},
    // Delay unit buttons 2683..2685: normal, hover, down.
    {kDelayUnitMs + 0, false, 36, 20, "panel-button", 0, "ms", 0},
    {kDelayUnitMs + 1, false, 36, 20, "panel-button", 1, "ms", 0},
    {kDelayUnitMs + 2, false, 36, 20, "panel-button", 3, "ms", 0},
    {kDelayUnitCm + 0, false, 36, 20, "panel-button", 0, "cm", 0},
    {kDelayUnitCm + 1, false, 36, 20, "panel-button", 1, "cm", 0},
    {kDelayUnitCm + 2, false, 36, 20, "panel-button", 3, "cm", 0},
    {kDelayUnitInch + 0, false, 36, 20, "panel-button", 0, "inch", 0},
    {kDelayUnitInch + 1, false, 36, 20, "panel-button", 1, "inch", 0},
    {kDelayUnitInch + 2, false, 36, 20, "panel-button", 3, "inch", 0},
    {kDelayUnitMsZh + 0, false, 36, 20, "panel-button", 0, "毫秒", 0},
    {kDelayUnitMsZh + 1, false, 36, 20, "panel-button", 1, "毫秒", 0},
    {kDelayUnitMsZh + 2, false, 36, 20, "panel-button", 3, "毫秒", 0},
    {kDelayUnitCmZh + 0, false, 36, 20, "panel-button", 0, "厘米", 0},
    {kDelayUnitCmZh + 1, false, 36, 20, "panel-button", 1, "厘米", 0},
    {kDelayUnitCmZh + 2, false, 36, 20, "panel-button", 3, "厘米", 0},
    {kDelayUnitInchZh + 0, false, 36, 20, "panel-button", 0, "英寸", 0},
    {kDelayUnitInchZh + 1, false, 36, 20, "panel-button", 1, "英寸", 0},
    {kDelayUnitInchZh + 2, false, 36, 20, "panel-button", 3, "英寸", 0},
    // Group-link toggles 6800..6811 (PNG): off normal, hover, pressed; on normal, hover, pressed.
    {kGroupLinkToggle + 0, true, 24, 16, "link-toggle", 0, nullptr, 0},
    {kGroupLinkToggle + 1, true, 24, 16, "link-toggle", 1, nullptr, 0},
    {kGroupLinkToggle + 2, true, 24, 16, "link-toggle", 2, nullptr, 0},
    {kGroupLinkToggle + 3, true, 24, 16, "link-toggle", 3, nullptr, 0},
    {kGroupLinkToggle + 4, true, 24, 16, "link-toggle", 4, nullptr, 0},
    {kGroupLinkToggle + 5, true, 24, 16, "link-toggle", 5, nullptr, 0},

    // Curve toggles (dialog 812): the black strip 813 and CHn grey off, lit under the pointer,
    // green pressed and on; the hidden band-count toggle reads 31EQ off and 10EQ on.
    {813, false, 40, 200, "toggle-panel", 0, nullptr, 0},
    {814, false, 32, 16, "toggle-ch", 0, "CH1", kCurveGreen},
    {815, false, 32, 16, "toggle-ch", 1, "CH1", kCurveGreen},
    {816, false, 32, 16, "toggle-ch", 3, "CH1", kCurveGreen},
    {817, false, 32, 16, "toggle-ch", 0, "CH2", kCurveGreen},
    {818, false, 32, 16, "toggle-ch", 1, "CH2", kCurveGreen},
    {819, false, 32, 16, "toggle-ch", 3, "CH2", kCurveGreen},
    {820, false, 32, 16, "toggle-ch", 0, "CH3", kCurveGreen},
    {821, false, 32, 16, "toggle-ch", 1, "CH3", kCurveGreen},
    {822, false, 32, 16, "toggle-ch", 3, "CH3", kCurveGreen},
    {823, false, 32, 16, "toggle-ch", 0, "CH4", kCurveGreen},
    {824, false, 32, 16, "toggle-ch", 1, "CH4", kCurveGreen},
    {825, false, 32, 16, "toggle-ch", 3, "CH4", kCurveGreen},
    {826, false, 32, 16, "toggle-ch", 0, "CH5", kCurveGreen},
    {827, false, 32, 16, "toggle-ch", 1, "CH5", kCurveGreen},
    {828, false, 32, 16, "toggle-ch", 3, "CH5", kCurveGreen},
    {829, false, 32, 16, "toggle-ch", 0, "CH6", kCurveGreen},
    {830, false, 32, 16, "toggle-ch", 1, "CH6", kCurveGreen},
    {831, false, 32, 16, "toggle-ch", 3, "CH6", kCurveGreen},
    {838, false, 32, 16, "toggle-ch", 0, "CH7", kCurveGreen},
    {839, false, 32, 16, "toggle-ch", 1, "CH7", kCurveGreen},
    {840, false, 32, 16, "toggle-ch", 3, "CH7", kCurveGreen},
    {841, false, 32, 16, "toggle-ch", 0, "CH8", kCurveGreen},
    {842, false, 32, 16, "toggle-ch", 1, "CH8", kCurveGreen},
    {843, false, 32, 16, "toggle-ch", 3, "CH8", kCurveGreen},
    {848, false, 32, 16, "toggle-ch", 0, "31EQ", kCurveGreen},
    {845, false, 32, 16, "toggle-ch", 1, "31EQ", kCurveGreen},
    {846, false, 32, 16, "toggle-ch", 3, "10EQ", kCurveGreen},
    {847, false, 32, 16, "toggle-ch", 4, "10EQ", kCurveGreen},

    // Strip (dialog 110): background per language, position button, on button, polarity per
    // language, level fader.
    {kStripBackgroundZh, false, kStripWidth, kStripHeight, "strip-background", 0, "电平|延时", 0},
    {kStripBackgroundEn, false, kStripWidth, kStripHeight, "strip-background", 0, "LEVEL|DELAY", 0},
    {kStripPosition + 0, false, 108, 22, "panel-combo", 0, nullptr, 0},
    {kStripPosition + 1, false, 108, 22, "panel-combo", 1, nullptr, 0},
    {kStripPosition + 2, false, 108, 22, "panel-combo", 2, nullptr, 0},
    {kStripPosition + 3, false, 108, 22, "panel-combo", 3, nullptr, 0},
    {kStripPosition + 4, false, 108, 22, "panel-combo", 6, nullptr, 0},
    {kStripOn + 0, false, 50, 20, "power", 0, "MUTE", kGreen},
    {kStripOn + 1, false, 50, 20, "power", 1, "MUTE", kGreen},
    {kStripOn + 2, false, 50, 20, "power", 2, "MUTE", kGreen},
    {kStripOn + 3, false, 50, 20, "power", 3, "ON", kGreen},
    {kStripOn + 4, false, 50, 20, "power", 4, "ON", kGreen},
    {kStripOn + 5, false, 50, 20, "power", 5, "ON", kGreen},
    {kStripOn + 6, false, 50, 20, "power", 6, "MUTE", kGreen},
    {kStripOn + 7, false, 50, 20, "power", 7, "ON", kGreen},
    {kStripOnZh + 0, false, 50, 20, "power", 0, "静音", kGreen},
    {kStripOnZh + 1, false, 50, 20, "power", 1, "静音", kGreen},
    {kStripOnZh + 2, false, 50, 20, "power", 2, "静音", kGreen},
    {kStripOnZh + 3, false, 50, 20, "power", 3, "开", kGreen},
    {kStripOnZh + 4, false, 50, 20, "power", 4, "开", kGreen},
    {kStripOnZh + 5, false, 50, 20, "power", 5, "开", kGreen},
    {kStripOnZh + 6, false, 50, 20, "power", 6, "静音", kGreen},
    {kStripOnZh + 7, false, 50, 20, "power", 7, "开", kGreen},
    {kStripPolarityEn + 0, false, 50, 20, "panel-button", 0, "Pol+", 0},
    {kStripPolarityEn + 1, false, 50, 20, "panel-button", 1, "Pol+", 0},
    {kStripPolarityEn + 2, false, 50, 20, "panel-button", 2, "Pol+", 0},
    {kStripPolarityEn + 3, false, 50, 20, "panel-button", 3, "Pol-", kAmber},
    {kStripPolarityEn + 4, false, 50, 20, "panel-button", 4, "Pol-", kAmber},
    {kStripPolarityEn + 5, false, 50, 20, "panel-button", 5, "Pol-", kAmber},
    {kStripPolarityEn + 6, false, 50, 20, "panel-button", 6, "Pol+", 0},
    {kStripPolarityEn + 7, false, 50, 20, "panel-button", 7, "Pol-", kAmber},
    {kStripPolarityZh + 0, false, 50, 20, "panel-button", 0, "正相", 0},
    {kStripPolarityZh + 1, false, 50, 20, "panel-button", 1, "正相", 0},
    {kStripPolarityZh + 2, false, 50, 20, "panel-button", 2, "正相", 0},
    {kStripPolarityZh + 3, false, 50, 20, "panel-button", 3, "反相", kAmber},
    {kStripPolarityZh + 4, false, 50, 20, "panel-button", 4, "反相", kAmber},
    {kStripPolarityZh + 5, false, 50, 20, "panel-button", 5, "反相", kAmber},
    {kStripPolarityZh + 6, false, 50, 20, "panel-button", 6, "正相", 0},
    {kStripPolarityZh + 7, false, 50, 20, "panel-button", 7, "反相", kAmber},
    {kStripFaderChannel, false, 46, 118, "strip-track", 0, nullptr, 0},
    {kStripFaderThumb, false, 20, 12, "thumb-v", 0, nullptr, 0},
    {kStripFaderThumbActive, false, 20, 12, "thumb-v", 0, nullptr, kAmber},
    {kStripFaderThumbDisabled, false, 20, 12, "thumb-v", 6, nullptr, 0},
};

// Position icons: a letter for the speaker's kind, a colour for its group.
struct IconLook {
    const char* letter;
    DWORD colour;
};
constexpr IconLook kIcons[kPositionIcons] = {
    {"W", kAmber},  {"T", kAmber},  {"F", kAmber},                                       // 4600..4602 centre
    {"W", 0},       {"M", 0},       {"T", 0},       {"MT", 0},      {"MW", 0}, {"F", 0}, // front left
    {"W", 0},       {"M", 0},       {"T", 0},       {"MT", 0},      {"MW", 0}, {"F", 0}, // front right
    {"W", kTeal},   {"T", kTeal},   {"W", kTeal},   {"T", kTeal},                        // rear
    {"F", kTeal},   {"F", kTeal},                                                        // rear full
    {"S", kViolet}, {"S", kViolet}, {"S", kViolet}, {"S", kViolet},                      // subwoofers
};

constexpr std::array<ArtSpec, kPositionIcons * 6> MakeIconArt() {
    std::array<ArtSpec, kPositionIcons * 6> rows{};
    for (int i = 0; i < kPositionIcons; ++i)
        for (int look = 0; look < 6; ++look)
            rows[static_cast<std::size_t>(i * 6 + look)] = {PositionIconLook(4600 + i, look),
                                                            true,
                                                            kIconSize,
                                                            kIconSize,
                                                            "position",
                                                            look,
                                                            kIcons[i].letter,
                                                            kIcons[i].colour};
    return rows;
}
constexpr auto kIconArt = MakeIconArt();

constexpr const char* kChannelNames[8] = {"CH1", "CH2", "CH3", "CH4", "CH5", "CH6", "CH7", "CH8"};
// Select buttons 2815 of the strips: normal, hover, down (marked); then a disabled look each.
constexpr std::array<ArtSpec, 32> MakeSelectArt() {
    std::array<ArtSpec, 32> rows{};
    constexpr int kStates[3] = {0, 1, 3};
    for (int o = 0; o < 8; ++o) {
        for (int look = 0; look < 3; ++look)
            rows[static_cast<std::size_t>(o * 3 + look)] = {
                StripSelectLook(o, look), false, 100, 22, "panel-button", kStates[look], kChannelNames[o], 0};
        rows[static_cast<std::size_t>(24 + o)] = {kStripSelectDisabled + static_cast<unsigned>(o),
                                                  false,
                                                  100,
                                                  22,
                                                  "panel-button",
                                                  6,
                                                  kChannelNames[o],
                                                  0};
    }
    return rows;
}
constexpr auto kSelectArt = MakeSelectArt();

} // namespace

const std::span<const ArtSpec> kPageArtTables[] = {
    kPageArt,      kIconArt,  kSelectArt,     {kInputPageArt, kInputPageArtCount},
    kLevelPageArt, kMixerArt, kMixerSourceArt};
const std::size_t kPageArtTableCount = std::size(kPageArtTables);

} // namespace res
