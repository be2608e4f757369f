// The generated art of the program: one row per bitmap or PNG resource, and the SVG-drawn images
// and cursors. Roles: button, combo, panel, track-v, track-h, thumb-v, thumb-h, spin-v, spin-h,
// led, tab, arrow-up/-down/-left/-right; for the main view and its dialogs: background, cover,
// plate, lang, emblem, icon, title-min, title-close, bar-combo, dialog-combo, bar-button and the
// glyph buttons bar-lock-open, -lock-closed, -presets, -settings, -mixer, -speaker, -link-on,
// -link-off (see SkinPainter).
#include "res/ResourceTable.h"

#include "res/ResourceTables.h"

namespace res {

namespace {
constexpr DWORD kAmber = 0x0000A5FF; // the locked look
} // namespace

const ArtSpec kArt[] = {
    // id, png, width, height, role, state, caption, accent
    {0, false, 0, 0, nullptr, 0, nullptr, 0}, // placeholder: id 0 never loads

    // Main view skin, 1280 x 720 (Chinese, English): "product|input list|phone list".
    {285, false, 1280, 720, "background", 0, "R9VQ-TN|输入|电话", 0},
    {284, false, 1280, 720, "background", 0, "R9VQ-TN|Input|Phone", 0},
    // Language picture (hidden control 2828).
    {757, false, 101, 25, "lang", 0, "中文", 0},
    {756, false, 101, 25, "lang", 0, "English", 0},
    // Preset name label 2770: the plates under its text (disabled, disabled checked).
    {718, false, 75, 19, "plate", 6, nullptr, 0},
    {716, false, 75, 19, "plate", 7, nullptr, 0},
    // Lock cover page (Chinese, English).
    {772, false, 1196, 411, "cover", 0, "调音数据已锁定", kAmber},
    {778, false, 1196, 411, "cover", 0, "Tuning data locked", kAmber},
    // Boot level slider 2841: channel and thumb.
    {832, false, 23, 21, "track-h", 0, nullptr, 0},
    {833, false, 7, 15, "thumb-h", 0, nullptr, 0},
    // The list buttons of the title band (2830, 2862): normal, hover; the control writes the text.
    {836, false, 110, 26, "bar-combo", 0, nullptr, 0},
    {837, false, 110, 26, "bar-combo", 1, nullptr, 0},
    // The boot source list of its dialog: normal, hover.
    {883, false, 96, 24, "dialog-combo", 0, nullptr, 0},
    {884, false, 96, 24, "dialog-combo", 1, nullptr, 0},
    // Page button 2561: released, pressed.
    {895, false, 51, 25, "bar-speaker", 0, nullptr, 0},
    {896, false, 51, 25, "bar-speaker", 3, nullptr, 0},
    // The version dialog's picture.
    {275, false, 110, 106, "emblem", 0, "R9VQ-TN", 0},

    // Page buttons 2562 (input page) and 2563 (level page): normal, hover, pressed; English, Chinese.
    {4303, false, 51, 25, "bar-button", 0, "Input", 0},
    {4304, false, 51, 25, "bar-button", 1, "Input", 0},
    {4305, false, 51, 25, "bar-button", 3, "Input", 0},
    {4306, false, 51, 25, "bar-button", 0, "Level", 0},
    {4307, false, 51, 25, "bar-button", 1, "Level", 0},
    {4308, false, 51, 25, "bar-button", 3, "Level", 0},
    {4313, false, 51, 25, "bar-button", 0, "输入", 0},
    {4314, false, 51, 25, "bar-button", 1, "输入", 0},
    {4315, false, 51, 25, "bar-button", 3, "输入", 0},
    {4316, false, 51, 25, "bar-button", 0, "电平", 0},
    {4317, false, 51, 25, "bar-button", 1, "电平", 0},
    {4318, false, 51, 25, "bar-button", 3, "电平", 0},

    // Minimise 2772 and close 2773: normal, hover/pressed.
    {4946, false, 24, 20, "title-min", 0, nullptr, 0},
    {4947, false, 24, 20, "title-min", 1, nullptr, 0},
    {4948, false, 24, 20, "title-close", 0, nullptr, 0},
    {4949, false, 24, 20, "title-close", 1, nullptr, 0},

    // Lock button 2829: unlocked normal, hover; locked (pressed) normal, hover. Chinese, English.
    {773, false, 80, 28, "bar-lock-open", 0, "加锁", 0},
    {774, false, 80, 28, "bar-lock-open", 1, "加锁", 0},
    {780, false, 80, 28, "bar-lock-closed", 3, "解锁", kAmber},
    {779, false, 80, 28, "bar-lock-closed", 4, "解锁", kAmber},
    {775, false, 80, 28, "bar-lock-open", 0, "Lock", 0},
    {776, false, 80, 28, "bar-lock-open", 1, "Lock", 0},
    {782, false, 80, 28, "bar-lock-closed", 3, "Unlock", kAmber},
    {781, false, 80, 28, "bar-lock-closed", 4, "Unlock", kAmber},

    // Settings popup button 2854 (mixer, bass boost): normal, hover. Chinese, English.
    {870, false, 80, 28, "bar-mixer", 0, "音效", 0},
    {869, false, 80, 28, "bar-mixer", 1, "音效", 0},
    {873, false, 80, 28, "bar-mixer", 0, "Audio", 0},
    {872, false, 80, 28, "bar-mixer", 1, "Audio", 0},

    // Hidden input-type buttons 2826 (high level), 2818 (AUX), 2827 (phone): normal, hover, pressed.
    {8101, false, 75, 25, "bar-button", 0, "Hi_Level", 0},
    {8111, false, 75, 25, "bar-button", 1, "Hi_Level", 0},
    {8121, false, 75, 25, "bar-button", 3, "Hi_Level", 0},
    {8103, false, 75, 25, "bar-button", 0, "AUX", 0},
    {8113, false, 75, 25, "bar-button", 1, "AUX", 0},
    {8123, false, 75, 25, "bar-button", 3, "AUX", 0},
    {8102, false, 75, 25, "bar-button", 0, "Phone", 0},
    {8112, false, 75, 25, "bar-button", 1, "Phone", 0},
    {8122, false, 75, 25, "bar-button", 3, "Phone", 0},
    {8131, false, 75, 25, "bar-button", 0, "高电平", 0},
    {8141, false, 75, 25, "bar-button", 1, "高电平", 0},
    {8151, false, 75, 25, "bar-button", 3, "高电平", 0},
    {8133, false, 75, 25, "bar-button", 0, "AUX", 0},
    {8143, false, 75, 25, "bar-button", 1, "AUX", 0},
    {8153, false, 75, 25, "bar-button", 3, "AUX", 0},
    {8132, false, 75, 25, "bar-button", 0, "蓝牙", 0},
    {8142, false, 75, 25, "bar-button", 1, "蓝牙", 0},
    {8152, false, 75, 25, "bar-button", 3, "蓝牙", 0},

    // Presets 8801 and settings 8802 (n = 0, 1): normal 8701 + n / 8720 + n, hover and pressed
    // 8710 + n / 8730 + n (Chinese / English).
    {8701, false, 80, 28, "bar-presets", 0, "预设", 0},
    {8702, false, 80, 28, "bar-settings", 0, "设置", 0},
    {8710, false, 80, 28, "bar-presets", 1, "预设", 0},
    {8711, false, 80, 28, "bar-settings", 1, "设置", 0},
    {8720, false, 80, 28, "bar-presets", 0, "Presets", 0},
    {8721, false, 80, 28, "bar-settings", 0, "Settings", 0},
    {8730, false, 80, 28, "bar-presets", 1, "Presets", 0},
    {8731, false, 80, 28, "bar-settings", 1, "Settings", 0},

    // Connect button 1413, 120 x 26: the lamp shows the link, the caption what a click does.
    // Online: Chinese 8741 / 8750, English 8743 / 8752; offline: Chinese 8751 / 8740, English 8753 / 8742.
    {8741, false, 120, 26, "bar-link-on", 0, "断开连接", 0},
    {8750, false, 120, 26, "bar-link-on", 1, "断开连接", 0},
    {8743, false, 120, 26, "bar-link-on", 0, "Disconnect", 0},
    {8752, false, 120, 26, "bar-link-on", 1, "Disconnect", 0},
    {8751, false, 120, 26, "bar-link-off", 0, "连接设备", 0},
    {8740, false, 120, 26, "bar-link-off", 1, "连接设备", 0},
    {8753, false, 120, 26, "bar-link-off", 0, "Connect", 0},
    {8742, false, 120, 26, "bar-link-off", 1, "Connect", 0},

    // Icons: the main window's (273) and the about dialog's (128).
    {273, true, 64, 64, "icon", 0, nullptr, 0},
    {128, true, 32, 32, "icon", 0, nullptr, 0},
};
const std::size_t kArtCount = sizeof(kArt) / sizeof(kArt[0]);

const SvgSpec kSvg[] = {
    {0, false, 0, 0, nullptr},
};
const std::size_t kSvgCount = sizeof(kSvg) / sizeof(kSvg[0]);

const CursorSpec kCursors[] = {
    {213, 5, 0, ":/r9/svg/hand.svg"}, // the hand of the skinned controls
};
const std::size_t kCursorCount = sizeof(kCursors) / sizeof(kCursors[0]);

} // namespace res
