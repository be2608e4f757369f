#include "shell/ViewMenus.h"

#include "link/UsbLink.h"
#include "platform/ui/WinUser.h"
#include "res/ResourceTable.h"
#include "shell/UpgradeDlg.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// The texts as string resources: each id is one text, whatever the language.
const res::StringSpec kMenuStrings[] = {
    {6100, "加载 机器预置场景(&E)", "加载 机器预置场景(&E)"},
    {6101, "另存为 机器预置场景(&I)", "另存为 机器预置场景(&I)"},
    {6102, "删除 机器预置场景(&D)", "删除 机器预置场景(&D)"},
    {6103, "加载 电脑上场景文件(&O)", "加载 电脑上场景文件(&O)"},
    {6104, "加载 整机场景", "加载 整机场景"},
    {6105, "另存为 电脑上场景文件(&S)", "另存为 电脑上场景文件(&S)"},
    {6106, "保存 整机场景", "保存 整机场景"},
    {6110, "固件更新", "固件更新"},
    {6111, "高级", "高级"},
    {6112, "English", "English"},
    {6113, "帮助(&F)", "帮助(&F)"},
    {6114, "关于(&A)...", "关于(&A)..."},
    {6120, "Load Machine Preset(&E)", "Load Machine Preset(&E)"},
    {6121, "Save As Machine Preset(&I)", "Save As Machine Preset(&I)"},
    {6122, "Delete Machine Preset(&D)", "Delete Machine Preset(&D)"},
    {6123, "Load PC Presets File(&O)", "Load PC Presets File(&O)"},
    {6124, "Load All Presets", "Load All Presets"},
    {6125, "Save As PC Presets File(&S)", "Save As PC Presets File(&S)"},
    {6126, "Save All Presets", "Save All Presets"},
    {6127, "恢复出厂设置", "恢复出厂设置"},
    {6130, "Firmware Update", "Firmware Update"},
    {6131, "Advanced", "Advanced"},
    {6132, "Chinese", "Chinese"},
    {6133, "Help(&F)", "Help(&F)"},
    {6134, "About(&A)", "About(&A)"},
    {6135, "Restore factory settings", "Restore factory settings"},
    {61446, "混音设置", "混音设置"},
    {61449, "Mixer", "Mixer"},
    {61452, "开机默认音源", "开机默认音源"},
};

// Each menu is one popup; the view tracks that first popup. Item texts as loaded, before the
// language switch renames them.
const res::MenuItemSpec kViewMenus[] = {
    {IDR_MENU_PRESETS, 0, 0, MF_POPUP, "Presets", "场景"},
    {IDR_MENU_PRESETS, 1, ID_LOAD_MACHINE_PRESET, 0, "Load Machine Preset(&E)", "加载 机器预置场景(&E)"},
    {IDR_MENU_PRESETS, 1, ID_SAVE_MACHINE_PRESET, 0, "Save As Machine Preset(&I)", "另存为 机器预置场景(&I)"},
    {IDR_MENU_PRESETS, 1, ID_DELETE_MACHINE_PRESET, 0, "Delete Machine Preset(&D)", "删除 机器预置场景(&D)"},
    {IDR_MENU_PRESETS, 1, 0, MF_SEPARATOR, nullptr, nullptr},
    {IDR_MENU_PRESETS, 1, ID_LOAD_PC_PRESET, 0, "Load PC Presets File(&O)", "加载 电脑上场景文件(&O)"},
    {IDR_MENU_PRESETS, 1, ID_SAVE_PC_PRESET, 0, "Save As PC Presets File(&S)", "另存为 电脑上场景文件(&S)"},
    {IDR_MENU_PRESETS, 1, 0, MF_SEPARATOR, nullptr, nullptr},
    {IDR_MENU_PRESETS, 1, ID_LOAD_ALL_PRESETS, 0, "Load All Presets", "加载 整机场景"},
    {IDR_MENU_PRESETS, 1, ID_SAVE_ALL_PRESETS, 0, "Save All Presets", "保存 整机场景"},

    {IDR_MENU_SETTINGS, 0, 0, MF_POPUP, "Settings", "设置"},
    {IDR_MENU_SETTINGS, 1, ID_LANGUAGE_MENU, 0, "Chinese", "English"},
    {IDR_MENU_SETTINGS, 1, ID_ADVANCED_MENU, 0, "Advanced", "高级"},
    {IDR_MENU_SETTINGS, 1, ID_FIRMWARE_UPDATE_MENU, 0, "Firmware Update", "固件更新"},
    {IDR_MENU_SETTINGS, 1, ID_HELP_MENU, 0, "Help(&F)", "帮助(&F)"},
    {IDR_MENU_SETTINGS, 1, ID_ABOUT_MENU, 0, "About(&A)", "关于(&A)..."},
    {IDR_MENU_SETTINGS, 1, ID_BOOT_SOURCE_MENU, 0, "Boot default source", "开机默认音源"},
    {IDR_MENU_SETTINGS, 1, ID_FACTORY_RESET_MENU, 0, "Restore factory settings", "恢复出厂设置"},

    {IDR_MENU_CONNECTION, 0, 0, MF_POPUP, "Connection", "连接"},
    {IDR_MENU_CONNECTION, 1, ID_CONNECT_USB, 0, "USB", "USB"},
    {IDR_MENU_CONNECTION, 1, ID_CONNECT_NET, 0, "Network", "Network"},

    {IDR_MENU_INPUT, 0, 0, MF_POPUP, "Input", "输入"},
    {IDR_MENU_INPUT, 1, ID_INPUT_HI_LEVEL, 0, "高电平", "高电平"},
    {IDR_MENU_INPUT, 1, ID_INPUT_AUX, 0, "AUX", "AUX"},

    {IDR_MENU_MIXER, 0, 0, MF_POPUP, "Mixer", "混音"},
    {IDR_MENU_MIXER, 1, ID_MIXER_MENU, 0, "Mixer", "混音设置"},
    {IDR_MENU_MIXER, 1, ID_BASS_BOOST_MENU, 0, "Bass boost", "低音增强"},
};

const res::TableRegistrar g_stringReg{kMenuStrings};
const res::TableRegistrar g_menuReg{kViewMenus};

// A command's text per language: a string resource, or the literal where it has none.
struct MenuText {
    UINT command;
    UINT zhId;
    UINT enId;
    const char* zh;
    const char* en;
};

const MenuText kMenuTexts[] = {
    {ID_LOAD_MACHINE_PRESET, 6100, 6120, nullptr, nullptr},
    {ID_SAVE_MACHINE_PRESET, 6101, 6121, nullptr, nullptr},
    {ID_DELETE_MACHINE_PRESET, 6102, 6122, nullptr, nullptr},
    {ID_LOAD_PC_PRESET, 6103, 6123, nullptr, nullptr},
    {ID_LOAD_ALL_PRESETS, 6104, 6124, nullptr, nullptr},
    {ID_SAVE_PC_PRESET, 6105, 6125, nullptr, nullptr},
    {ID_SAVE_ALL_PRESETS, 6106, 6126, nullptr, nullptr},
    {ID_FIRMWARE_UPDATE_MENU, 6110, 6130, nullptr, nullptr},
    {ID_ADVANCED_MENU, 6111, 6131, nullptr, nullptr},
    {ID_LANGUAGE_MENU, 6112, 6132, nullptr, nullptr},
    {ID_HELP_MENU, 6113, 6133, nullptr, nullptr},
    {ID_ABOUT_MENU, 6114, 6134, nullptr, nullptr},
    {ID_FACTORY_RESET_MENU, 6127, 6135, nullptr, nullptr},
    {ID_BOOT_SOURCE_MENU, 61452, 0, nullptr, "Boot default source"},
    {ID_MIXER_MENU, 61446, 61449, nullptr, nullptr},
    {ID_BASS_BOOST_MENU, 0, 0, "低音增强", "Bass boost"},
};

const UINT kTextCommands[] = {
    ID_LOAD_MACHINE_PRESET,
    ID_SAVE_MACHINE_PRESET,
    ID_DELETE_MACHINE_PRESET,
    ID_LOAD_PC_PRESET,
    ID_LOAD_ALL_PRESETS,
    ID_SAVE_PC_PRESET,
    ID_SAVE_ALL_PRESETS,
    ID_FIRMWARE_UPDATE_MENU,
    ID_ADVANCED_MENU,
    ID_LANGUAGE_MENU,
    ID_HELP_MENU,
    ID_ABOUT_MENU,
    ID_FACTORY_RESET_MENU,
    ID_BOOT_SOURCE_MENU,
    ID_MIXER_MENU,
    ID_BASS_BOOST_MENU,
};

const char* StringText(UINT id, const char* literal) {
    if (id == 0)
        return literal ? literal : "";
    const res::StringSpec* s = res::FindString(id);
    return s && s->zh ? s->zh : "";
}

std::function<DWORD()>& LocaleHook() {
    static std::function<DWORD()> hook;
    return hook;
}

} // namespace

DWORD SystemLocaleId() {
    if (LocaleHook())
        return LocaleHook()();
    // The first variable that is set decides, as for the messages of every program.
    const char* locale = nullptr;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(name);
        if (v && *v) {
            locale = v;
            break;
        }
    }
    constexpr DWORD kEnglishUs = 0x0409;
    return locale && std::strncmp(locale, "zh_CN", 5) == 0 ? LOCALE_ID_ZH_CN : kEnglishUs;
}

void SetSystemLocaleHook(std::function<DWORD()> hook) {
    LocaleHook() = std::move(hook);
}

const char* ViewMenuText(UINT command, BOOL chinese, DWORD systemLocale) {
    // In English the language item offers Chinese by its own name on a Chinese system.
    if (command == ID_LANGUAGE_MENU && !chinese && systemLocale == LOCALE_ID_ZH_CN)
        return "中文";
    for (const MenuText& t : kMenuTexts)
        if (t.command == command)
            return chinese ? StringText(t.zhId, t.zh) : StringText(t.enId, t.en);
    return "";
}

std::span<const UINT> ViewMenuTextCommands() {
    return kTextCommands;
}
