// Window messages of the device link to the main view (the WM_USER range). Values are fixed: the
// firmware dialog and the shell use some of the same numbers for other receivers.
#pragma once

#include "platform/core/WinTypes.h"

constexpr UINT WM_LIVE_DATA_RECEIVED = 0x46E;     // wParam preset; the live read ended
constexpr UINT WM_PRESETS_RECEIVED = 0x46F;       // wParam 6; the read of presets 1..6 ended
constexpr UINT WM_SYSTEM_RECORD_RECEIVED = 0x470; // speaker map, boot source or slot table
constexpr UINT WM_DEVICE_STATE = 0x471;           // wParam poll serial, lParam payload length
constexpr UINT WM_EFFECT_RECEIVED = 0x477;        // no poster
constexpr UINT WM_VIEW_SPARE = 0x478;             // no poster
constexpr UINT WM_LOCK_RECORD_RECEIVED = 0x479;
constexpr UINT WM_TRANSFER_DONE = 0x496; // lParam 1 after send-end, 0 after read-end
constexpr UINT WM_FIRMWARE_DONE = 0x497; // lParam 57 (HEXEnd)
constexpr UINT WM_LINK_FAILED = 0x49A;   // lParam 0, or 2 when no local adapter reaches the device
constexpr UINT WM_START_LINK = 0x49C;    // the view posts it to itself at start-up
constexpr UINT WM_EMPTY_REPLY = 0x4A0;   // a DATA answer without payload
constexpr UINT WM_VERSION_RECEIVED = 0x4A1;
constexpr UINT WM_PRESET_NAME_CHANGED = 0x4A2; // posted by the send scheduler
constexpr UINT WM_WIFI_RESET_DONE = 0x52C;     // lParam result
constexpr UINT WM_NET_DATA = 0x658;            // lParam byte count in g_netRecvBuf; no poster
