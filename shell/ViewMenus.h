// The main view's popup menus and the texts of their commands in both languages. The view loads
// each menu once and opens its first popup under the button that owns it; the language switch
// renames the items with ViewMenuText.
#pragma once

#include "platform/core/WinTypes.h"

#include <functional>
#include <span>

// Menu resources.
constexpr UINT IDR_MENU_PRESETS = 112;    // button 8801
constexpr UINT IDR_MENU_SETTINGS = 113;   // button 8802
constexpr UINT IDR_MENU_CONNECTION = 114; // connect button 1413
constexpr UINT IDR_MENU_INPUT = 11;       // nothing opens it
constexpr UINT IDR_MENU_MIXER = 875;      // button 2854, behind the access code

// Commands of the popups (727, 732 and 733 are the link's: shell/UpgradeDlg.h, link/UsbLink.h).
constexpr UINT ID_LOAD_MACHINE_PRESET = 720;
constexpr UINT ID_SAVE_MACHINE_PRESET = 721;
constexpr UINT ID_DELETE_MACHINE_PRESET = 722;
constexpr UINT ID_LOAD_PC_PRESET = 723;
constexpr UINT ID_LOAD_ALL_PRESETS = 724;
constexpr UINT ID_SAVE_PC_PRESET = 725;
constexpr UINT ID_SAVE_ALL_PRESETS = 726;
constexpr UINT ID_ADVANCED_MENU = 728;
constexpr UINT ID_LANGUAGE_MENU = 729;
constexpr UINT ID_HELP_MENU = 730;
constexpr UINT ID_ABOUT_MENU = 731;
constexpr UINT ID_INPUT_HI_LEVEL = 735;
constexpr UINT ID_INPUT_AUX = 736;
constexpr UINT ID_FACTORY_RESET_MENU = 32771;
constexpr UINT ID_MIXER_MENU = 32774;
constexpr UINT ID_BASS_BOOST_MENU = 32775;
constexpr UINT ID_BOOT_SOURCE_MENU = 32776;

// Position of the "Advanced" item in the settings popup; the view deletes it after loading.
constexpr UINT SETTINGS_ADVANCED_POS = 1;
// Position of the bass-boost item in the mixer popup.
constexpr UINT MIXER_BASS_BOOST_POS = 1;

// The system locale id of a Chinese (PRC) system.
constexpr DWORD LOCALE_ID_ZH_CN = 0x0804;

// The item text of a command in the language: the string resource where the command has one.
// The language item names the other language; in English it reads "中文" on a Chinese system.
// Empty for a command without a text.
const char* ViewMenuText(UINT command, BOOL chinese, DWORD systemLocale);

// The commands whose texts follow the language, in menu order.
std::span<const UINT> ViewMenuTextCommands();

// The system default locale id as the language switch reads it: LOCALE_ID_ZH_CN when the
// locale of messages (LC_ALL, LC_MESSAGES, LANG) is Chinese of China, 0x0409 otherwise.
DWORD SystemLocaleId();
// Tests: answers SystemLocaleId instead of the environment (empty function: the environment).
void SetSystemLocaleHook(std::function<DWORD()> hook);
