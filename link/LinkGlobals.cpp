#include "link/LinkGlobals.h"

std::atomic<int> g_bUsbEnabled{0};
std::atomic<int> g_bTransfersStopped{0};
std::atomic<int> g_bFirmwareFinished{0};
std::atomic<int> g_bUpdateAborting{0};
char g_netRecvBuf[NET_RECV_SIZE] = {};
BYTE g_hidInReport[HID_IN_REPORT_SIZE] = {};
std::atomic<int> g_nUpdateBarPos{0};
std::atomic<int> g_nUpdateBarMax{100};
std::atomic<int> g_bPresetEdited{0};
