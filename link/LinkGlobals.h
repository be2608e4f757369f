// Program-wide state of the device link. Flags shared by the UI thread and the link worker are
// atomics; the byte buffers belong to the link worker.
#pragma once

#include "model/Globals.h"
#include "platform/core/WinTypes.h"

#include <atomic>

constexpr int NET_RECV_SIZE = 400; // one network receive
constexpr int HID_IN_REPORT_SIZE = 65;

extern std::atomic<int> g_bUsbEnabled;         // USB transfers allowed
extern std::atomic<int> g_bTransfersStopped;   // an empty answer stopped the worker's transfers
extern std::atomic<int> g_bFirmwareFinished;   // the last firmware frame was answered or sent
extern std::atomic<int> g_bUpdateAborting;     // the update dialog was told to stop
extern char g_netRecvBuf[NET_RECV_SIZE];       // network receive buffer (link worker)
extern BYTE g_hidInReport[HID_IN_REPORT_SIZE]; // USB input report, byte 0 = report id (link worker)

// The live preset was edited since it was loaded or stored (the preset code's mark); a complete
// live read clears it.
extern std::atomic<int> g_bPresetEdited;

// The update dialog's progress bar as the reply bookkeeping moves it: the dialog sets the maximum
// (and position 0) when it starts; the bookkeeping keeps the position here and shows it through
// CLinkViewServices::SetUpdateProgress.
extern std::atomic<int> g_nUpdateBarPos;
extern std::atomic<int> g_nUpdateBarMax;

inline std::atomic<int>& g_bDspImageLoaded = g_nStateFlags[12];
inline std::atomic<int>& g_bMcuPartPresent = g_nStateFlags[13];
inline std::atomic<int>& g_bUpdatePolling = g_nStateFlags[14];
inline std::atomic<int>& g_bLinkCheckPending = g_nStateFlags[15];
inline std::atomic<int>& g_bFirmwareMode = g_nStateFlags[17];
inline std::atomic<int>& g_bSameLinkChosen = g_nStateFlags[18];
inline std::atomic<int>& g_bSerialPacketCurrent = g_nStateFlags[22];
inline std::atomic<int>& g_bLockLook = g_nStateFlags[28];
inline std::atomic<int>& g_bInputTypeBusy = g_nStateFlags[37];

// Firmware step codes (header byte 8 of a firmware frame and the packet's step code).
constexpr int HEXApply = 0x36;
constexpr int HEXStart = 0x37;
constexpr int HEXData = 0x38;
constexpr int HEXEnd = 0x39;
constexpr int IAP_DSP_REQUEST_INFO = 0x3A;
constexpr int IAP_DSP_DATA = 0x3B;
constexpr int IAP_DSP_END_INF = 0x3C;
constexpr int HEXHandshake = 0xFF;

// The version tag this program talks to; a device tag must share its first 9 characters.
inline constexpr const char g_strVersionTag[] = "MQVT-KV1.00";
constexpr int VERSION_PREFIX_LEN = 9;

// Texts of the link's progress and failures.
inline constexpr const char g_strFwBegins[] = "Firmware update begins Do not interrupt";
inline constexpr const char g_strFwBeginsCn[] = "固件升级开始 请勿中断";
inline constexpr const char g_strFwProgramming[] = "Programming Do not interrupt";
inline constexpr const char g_strFwProgrammingCn[] = "正在编程 请勿中断";
inline constexpr const char g_strFwSuccess[] = "Update successfully";
inline constexpr const char g_strFwSuccessCn[] = "升级成功";
inline constexpr const char g_strUpdateFirmware[] = "Please Update the Firmware!";
inline constexpr const char g_strUpdateFirmwareCn[] = "设备异常 请更新固件!";
