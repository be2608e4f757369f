// The view's popup menus, their texts per language and the skins of the view's buttons.
#include "controls/DropListBox.h"
#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "model/LinkDocument.h"
#include "platform/core/Registry.h"
#include "platform/ui/Dialog.h"
#include "controls/DropListBox.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Menu.h"
#include "platform/ui/ResourceLoader.h"
#include "platform/ui/ShellApi.h"
#include "shell/DefSourceDlg.h"
#include "shell/InitDlg.h"
#include "shell/MessageBoxDlg.h"
#include "shell/TRV410View.h"
#include "shell/VersionDlg.h"
#include "shell/ViewMenus.h"
#include "shell/ViewSkinTable.h"
#include "support/RenderToPng.h"
#include "support/ResetLinkGlobals.h"
#include "support/PumpMessages.h"
#include "support/UiEvents.h"
#include "wire/LinkFrame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include <string>
#include <vector>

namespace {

struct MenuRow {
    UINT id;
    const char* zh;
    const char* en;
};

// Every item of each popup as the user sees it once the language is applied.
struct MenuCase {
    UINT menu;
    std::vector<MenuRow> items; // id 0: separator
};

const std::vector<MenuCase>& MenuCases() {
    static const std::vector<MenuCase> cases = {
        {112,
         {{720, "加载 机器预置场景(&E)", "Load Machine Preset(&E)"},
          {721, "另存为 机器预置场景(&I)", "Save As Machine Preset(&I)"},
          {722, "删除 机器预置场景(&D)", "Delete Machine Preset(&D)"},
          {0, nullptr, nullptr},
          {723, "加载 电脑上场景文件(&O)", "Load PC Presets File(&O)"},
          {725, "另存为 电脑上场景文件(&S)", "Save As PC Presets File(&S)"},
          {0, nullptr, nullptr},
          {724, "加载 整机场景", "Load All Presets"},
          {726, "保存 整机场景", "Save All Presets"}}},
        {113,
         {{729, "English", "Chinese"},
          {728, "高级", "Advanced"},
          {727, "固件更新", "Firmware Update"},
          {730, "帮助(&F)", "Help(&F)"},
          {731, "关于(&A)...", "About(&A)"},
          {32776, "开机默认音源", "Boot default source"},
          {32771, "恢复出厂设置", "Restore factory settings"}}},
        {114, {{732, "USB", "USB"}, {733, "Network", "Network"}}},
        {11, {{735, "高电平", "高电平"}, {736, "AUX", "AUX"}}},
        {875, {{32774, "混音设置", "Mixer"}, {32775, "低音增强", "Bass boost"}}},
    };
    return cases;
}

class ViewMenusTest : public ::testing::Test {
protected:
    void TearDown() override { ResourceLoader::SetChinese(FALSE); }
};

} // namespace

// Loaded in either language, each menu is one popup with the items, order and texts of that
// language; the language-following texts agree with what the menus load.
TEST_F(ViewMenusTest, MenusLoadTheirItemsInBothLanguages) {
    for (BOOL chinese : {FALSE, TRUE}) {
        ResourceLoader::SetChinese(chinese);
        for (const MenuCase& c : MenuCases()) {
            SCOPED_TRACE(testing::Message() << "menu " << c.menu << (chinese ? " zh" : " en"));
            CMenu menu;
            ASSERT_TRUE(menu.LoadMenu(c.menu));
            ASSERT_EQ(menu.GetMenuItemCount(), 1);
            CMenu* popup = menu.GetSubMenu(0);
            ASSERT_NE(popup, nullptr);
            ASSERT_EQ(popup->GetMenuItemCount(), static_cast<int>(c.items.size()));
            for (size_t i = 0; i < c.items.size(); ++i) {
                const MenuRow& row = c.items[i];
                const UINT pos = static_cast<UINT>(i);
                if (row.id == 0) {
                    EXPECT_EQ(popup->GetMenuState(pos, MF_BYPOSITION) & MF_SEPARATOR, MF_SEPARATOR) << i;
                    continue;
                }
                EXPECT_EQ(popup->GetMenuItemID(static_cast<int>(i)), row.id);
                EXPECT_EQ(popup->GetMenuState(pos, MF_BYPOSITION), 0u) << row.id; // enabled, unchecked
                CString text;
                popup->GetMenuString(pos, text, MF_BYPOSITION);
                EXPECT_STREQ(text.GetString(), chinese ? row.zh : row.en) << row.id;
            }
        }
    }
}

// The texts the language switch gives, by command, language and system locale: the language
// item always names the other language, and in English reads "中文" only on a Chinese system.
TEST_F(ViewMenusTest, MenuTextsPerLanguageAndLocale) {
    const DWORD kUs = 0x0409;
    for (const MenuCase& c : MenuCases()) {
        if (c.menu == 114 || c.menu == 11)
            continue; // their texts never change
        for (const MenuRow& row : c.items) {
            if (row.id == 0)
                continue;
            for (DWORD locale : {kUs, LOCALE_ID_ZH_CN}) {
                EXPECT_STREQ(ViewMenuText(row.id, TRUE, locale), row.zh) << row.id;
                const char* en = row.id == 729 && locale == LOCALE_ID_ZH_CN ? "中文" : row.en;
                EXPECT_STREQ(ViewMenuText(row.id, FALSE, locale), en) << row.id << " locale " << locale;
            }
        }
    }
    EXPECT_EQ(ViewMenuTextCommands().size(), 16u);
    EXPECT_STREQ(ViewMenuText(733, FALSE, kUs), ""); // not renamed by the language switch
}

// The string resources of the menu texts: each id is one text.
TEST_F(ViewMenusTest, StringResourcesOfTheMenuTexts) {
    const MenuRow strings[] = {
        {6100, "加载 机器预置场景(&E)", nullptr},
        {6104, "加载 整机场景", nullptr},
        {6106, "保存 整机场景", nullptr},
        {6111, "高级", nullptr},
        {6112, "English", nullptr},
        {6114, "关于(&A)...", nullptr},
        {6120, "Load Machine Preset(&E)", nullptr},
        {6126, "Save All Presets", nullptr},
        {6127, "恢复出厂设置", nullptr},
        {6131, "Advanced", nullptr},
        {6132, "Chinese", nullptr},
        {6135, "Restore factory settings", nullptr},
        {61446, "混音设置", nullptr},
        {61449, "Mixer", nullptr},
        {61452, "开机默认音源", nullptr},
    };
    for (BOOL chinese : {FALSE, TRUE}) {
        ResourceLoader::SetChinese(chinese);
        for (const MenuRow& s : strings) {
            CString text;
            ASSERT_TRUE(ResourceLoader::LoadString(s.id, text)) << s.id;
            EXPECT_STREQ(text.GetString(), s.zh) << s.id;
        }
    }
}

namespace {

// The looks each button wears per language (the first three: normal, hover, pressed; the next
// three its checked or off looks), and the connect button's per link state.
struct SkinCase {
    int control;
    int online;
    UINT zh[6];
    UINT en[6];
};

const SkinCase kSkinCases[] = {
    {2562, -1, {4313, 4314, 4315, 4313, 4314, 4315}, {4303, 4304, 4305, 4303, 4304, 4305}},
    {2563, -1, {4316, 4317, 4318, 4316, 4317, 4318}, {4306, 4307, 4308, 4306, 4307, 4308}},
    {2826, -1, {8131, 8141, 8151, 8131, 8141, 8151}, {8101, 8111, 8121, 8101, 8111, 8121}},
    {2818, -1, {8133, 8143, 8153, 8133, 8143, 8153}, {8103, 8113, 8123, 8103, 8113, 8123}},
    {2827, -1, {8132, 8142, 8152, 8132, 8142, 8152}, {8102, 8112, 8122, 8102, 8112, 8122}},
    {2829, -1, {773, 774, 774, 780, 779, 779}, {775, 776, 776, 782, 781, 781}},
    {2854, -1, {870, 869, 869, 0, 0, 0}, {873, 872, 872, 0, 0, 0}},
    {8801, -1, {8701, 8710, 8710, 8710, 8710, 8710}, {8720, 8730, 8730, 8730, 8730, 8730}},
    {8802, -1, {8702, 8711, 8711, 8711, 8711, 8711}, {8721, 8731, 8731, 8731, 8731, 8731}},
    {1413, 1, {8741, 8750, 8750, 0, 0, 0}, {8743, 8752, 8752, 0, 0, 0}},
    {1413, 0, {8751, 8740, 8740, 0, 0, 0}, {8753, 8742, 8742, 0, 0, 0}},
    {2828, -1, {757, 0, 0, 0, 0, 0}, {756, 0, 0, 0, 0, 0}},
};

} // namespace

TEST_F(ViewMenusTest, SkinTableByControlLanguageAndState) {
    for (const SkinCase& c : kSkinCases) {
        for (BOOL online : {FALSE, TRUE}) {
            if (c.online >= 0 && c.online != (online ? 1 : 0))
                continue;
            for (int slot = 0; slot < VIEW_SKIN_SLOTS; ++slot) {
                EXPECT_EQ(ViewSkinBitmap(c.control, TRUE, slot, online), c.zh[slot])
                    << c.control << " slot " << slot << " online " << online;
                EXPECT_EQ(ViewSkinBitmap(c.control, FALSE, slot, online), c.en[slot])
                    << c.control << " slot " << slot << " online " << online;
            }
        }
    }
    EXPECT_EQ(ViewSkinBitmaps(2773, TRUE), nullptr); // not a language skin
    EXPECT_EQ(ViewSkinBitmap(2829, TRUE, VIEW_SKIN_SLOTS), 0u);
}

// The locale of messages as the system's: the first of LC_ALL, LC_MESSAGES, LANG that is set.
TEST_F(ViewMenusTest, SystemLocaleFromTheEnvironment) {
    struct Case {
        const char* all;
        const char* messages;
        const char* lang;
        DWORD id;
    } cases[] = {
        {nullptr, nullptr, "zh_CN.UTF-8", 0x0804}, {nullptr, nullptr, "zh_TW.UTF-8", 0x0409},
        {nullptr, nullptr, "en_US.UTF-8", 0x0409}, {nullptr, "zh_CN.GBK", "en_US.UTF-8", 0x0804},
        {"en_GB.UTF-8", "zh_CN", "zh_CN", 0x0409}, {"", "", "zh_CN", 0x0804},
        {nullptr, nullptr, nullptr, 0x0409},
    };
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::string saved[3];
    bool had[3];
    for (int i = 0; i < 3; ++i) {
        const char* v = std::getenv(names[i]);
        had[i] = v != nullptr;
        saved[i] = v ? v : "";
    }
    for (const Case& c : cases) {
        const char* values[] = {c.all, c.messages, c.lang};
        for (int i = 0; i < 3; ++i) {
            if (values[i])
                setenv(names[i], values[i], 1);
            else
                unsetenv(names[i]);
        }
        EXPECT_EQ(SystemLocaleId(), c.id) << (c.lang ? c.lang : "(none)");
    }
    for (int i = 0; i < 3; ++i) {
        if (had[i])
            setenv(names[i], saved[i].c_str(), 1);
        else
            unsetenv(names[i]);
    }
    SetSystemLocaleHook([] { return DWORD{0x0804}; });
    EXPECT_EQ(SystemLocaleId(), 0x0804u);
    SetSystemLocaleHook(nullptr);
}

// ---- On the view ----------------------------------------------------------------------------------

namespace {

CString Text(CWnd* w) {
    CString s;
    if (w)
        w->GetWindowText(s);
    return s;
}

CString StoredLanguage() {
    const std::string key = std::string(g_strRegKey) + "\\" + g_strRegDspMcu;
    HKEY h = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, key.c_str(), 0, KEY_ALL_ACCESS, &h) != ERROR_SUCCESS)
        return CString("(no key)");
    char buf[64] = {};
    DWORD size = sizeof buf;
    DWORD type = 0;
    const LSTATUS rc =
        RegQueryValueEx(h, g_strRegLanguage, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
    RegCloseKey(h);
    return rc == ERROR_SUCCESS ? CString(buf) : CString("(none)");
}

void ForgetStoredLanguage() {
    const std::string key = std::string(g_strRegKey) + "\\" + g_strRegDspMcu;
    HKEY h = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, key.c_str(), 0, KEY_ALL_ACCESS, &h) != ERROR_SUCCESS)
        return;
    RegDeleteValue(h, g_strRegLanguage);
    RegCloseKey(h);
}

// Records what the commands hand to the pages' dialogs.
class MenuView : public CTRV410View {
public:
    std::vector<int> noiseKinds;
    int mixerRuns = 0;
    int pageLanguageRuns = 0;
    void RunInputNoiseDialog(int kind) override { noiseKinds.push_back(kind); }
    void RunMixerDialog() override { ++mixerRuns; }
    void ApplyLanguageToPages() override { ++pageLanguageRuns; }
};

class ViewLanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetLinkGlobals();
        g_strLanguage = "";
        m_doc = std::make_unique<CKTV_Data>();
        m_doc->InitLinkTable();
        SetLinkDocument(m_doc.get());
        SetSystemLocaleHook([this] { return m_locale; });
        // The view's timed messages are real boxes: answered at once (the view records them).
        SetMessageBoxAnswer([](const CString&, UINT, int) { return IDOK; });
        m_view = std::make_unique<MenuView>();
        ASSERT_TRUE(m_view->CreateView());
        m_view->CreatePages();
        m_view->ShowWindow(SW_SHOW);
    }
    void TearDown() override {
        m_view.reset();
        CDialog::SetModalHook(nullptr);
        CMenu::SetTrackHook(nullptr);
        SetShellExecuteHook(nullptr);
        SetMessageBoxAnswer(nullptr);
        SetSystemLocaleHook(nullptr);
        SetLinkDocument(nullptr);
        m_doc.reset();
        ResourceLoader::SetChinese(FALSE);
        r9test::ResetLinkGlobals();
        g_strLanguage = "";
    }
    // The view runs a popup command as the menu posts it.
    void Command(UINT id) { m_view->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0); }
    CMenu* Popup(CMenu& menu) { return menu.GetSubMenu(0); }
    CString ItemText(CMenu& menu, UINT id) {
        CString text;
        menu.GetMenuString(id, text, MF_BYCOMMAND);
        return text;
    }
    std::vector<CString> InputTypeItems() {
        std::vector<CString> items;
        CListBox* list = m_view->m_btnInputType.GetListBox();
        for (int i = 0; list && i < list->GetCount(); ++i) {
            CString t;
            list->GetText(i, t);
            items.push_back(t);
        }
        return items;
    }

    DWORD m_locale = 0x0409;
    std::unique_ptr<CKTV_Data> m_doc;
    std::unique_ptr<MenuView> m_view;
};

// The bitmap a button shows in its normal, hover and checked (or off) looks.
struct Looks {
    UINT normal;
    UINT hover;
    UINT pressed;
    UINT checked;
};

// Pressed and released away from the button, so no click reaches the view.
template <class Button> UINT PressedLook(Button& b, UINT (*look)(Button&)) {
    b.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    const UINT id = look(b);
    b.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5000, 5000));
    return id;
}

Looks BitButtonLooks(CBitButton& b) {
    Looks l{};
    b.SetCheck(0);
    l.normal = b.LookBitmap(FALSE);
    b.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    l.hover = b.LookBitmap(FALSE);
    l.pressed = PressedLook<CBitButton>(b, [](CBitButton& x) { return x.LookBitmap(FALSE); });
    b.SendMessage(WM_MOUSELEAVE, 0, 0);
    b.SetCheck(1);
    l.checked = b.LookBitmap(FALSE);
    b.SetCheck(0);
    return l;
}

Looks XPButtonLooks(CXPButton& b) {
    Looks l{};
    b.SetCheck(1);
    l.normal = b.LookBitmap();
    b.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    l.hover = b.LookBitmap();
    l.pressed = PressedLook<CXPButton>(b, [](CXPButton& x) { return x.LookBitmap(); });
    b.SendMessage(WM_MOUSELEAVE, 0, 0);
    b.SetCheck(0);
    l.checked = b.LookBitmap();
    b.SetCheck(1);
    return l;
}

} // namespace

// Every re-skinned control wears the set of its language (and the connect button the one of the
// link state); lists, indicator and stored language follow; toggling twice gives the first again.
TEST_F(ViewLanguageTest, ApplyLanguageReskinsEveryButtonPerLanguage) {
    std::map<int, CBitButton*> bit = {
        {2562, &m_view->m_btnInputPage},     {2563, &m_view->m_btnLevelPage}, {2826, &m_view->m_btnHiLevel},
        {2818, &m_view->m_btnAux},           {2827, &m_view->m_btnPhoneType}, {2829, &m_view->m_btnLock},
        {2854, &m_view->m_btnSettingsPopup},
    };
    std::map<int, CXPButton*> xp = {{8801, &m_view->m_btnPresets}, {8802, &m_view->m_btnSettings}};
    const std::vector<CString> zhTypes = {"高电平", "AUX", "蓝牙", "光纤", "播放器"};
    const std::vector<CString> enTypes = {"Hi_Level", "AUX", "Phone", "Optical", "Player"};
    for (int online : {0, 1}) {
        g_bOnline = online;
        for (int round = 0; round < 3; ++round) {
            const BOOL chinese = round == 1;
            SCOPED_TRACE(testing::Message()
                         << (chinese ? "zh" : "en") << " online " << online << " round " << round);
            ForgetStoredLanguage();
            const int pagesBefore = m_view->pageLanguageRuns;
            if (round == 0)
                m_view->ToggleLanguage(FALSE);
            else
                m_view->ToggleLanguage(TRUE);
            ASSERT_EQ(g_bChinese.load(), chinese ? 1 : 0);
            for (const SkinCase& c : kSkinCases) {
                if (c.online >= 0 && c.online != online)
                    continue;
                const UINT* ids = chinese ? c.zh : c.en;
                Looks got{};
                if (bit.count(c.control))
                    got = BitButtonLooks(*bit[c.control]);
                else if (xp.count(c.control))
                    got = XPButtonLooks(*xp[c.control]);
                else if (c.control == 1413)
                    got.normal = m_view->m_btnConnect.LookBitmap(); // stays in its on state
                else if (c.control == 2828)
                    got.normal = m_view->m_picLanguage.GetBitmap() ==
                                         (chinese ? m_view->m_bmpLangCn : m_view->m_bmpLangEn).GetSafeHandle()
                                     ? ids[0]
                                     : 0;
                EXPECT_EQ(got.normal, ids[0]) << c.control;
                if (c.control == 1413 || c.control == 2828)
                    continue;
                EXPECT_EQ(got.hover, ids[1]) << c.control;
                EXPECT_EQ(got.pressed, ids[2]) << c.control;
                // A checked look not given is the unchecked one; the on/off buttons show nothing.
                const UINT checked = ids[3] || xp.count(c.control) ? ids[3] : ids[0];
                EXPECT_EQ(got.checked, checked) << c.control;
            }
            EXPECT_EQ(InputTypeItems(), chinese ? zhTypes : enTypes);
            EXPECT_STREQ(Text(&m_view->m_linkIndicator).GetString(),
                         online ? (chinese ? "已连接设备" : "Connected device")
                                : (chinese ? "未连接设备" : "Not connected devices"));
            EXPECT_STREQ(g_strLanguage.GetString(), chinese ? "Chinese" : "English");
            EXPECT_STREQ(StoredLanguage().GetString(), chinese ? "Chinese" : "English");
            EXPECT_EQ(ResourceLoader::IsChinese(), chinese);
            EXPECT_EQ(m_view->pageLanguageRuns, pagesBefore + 1);
        }
    }
}

// The connect button shows the link state in the language whenever the link opens or closes.
TEST_F(ViewLanguageTest, LinkStateSetsTheConnectLookOfTheLanguage) {
    struct Case {
        int chinese;
        BOOL connected;
        UINT normal;
    } cases[] = {{1, TRUE, 8741}, {1, FALSE, 8751}, {0, TRUE, 8743}, {0, FALSE, 8753}};
    for (const Case& c : cases) {
        g_bChinese = c.chinese;
        m_view->ShowLinkState(c.connected);
        EXPECT_EQ(m_view->m_btnConnect.LookBitmap(), c.normal) << c.chinese << " " << c.connected;
        EXPECT_EQ(m_view->m_btnConnect.GetCheck(), 1); // never in its off state
    }
}

// The language item names the other language; in English it reads "中文" on a Chinese system.
// Every other item follows the language; "Advanced" stays deleted.
TEST_F(ViewLanguageTest, MenuTextsFollowTheLanguageAndTheLocale) {
    struct Case {
        int chinese;
        DWORD locale;
        const char* item729;
    } cases[] = {{1, 0x0409, "English"}, {1, 0x0804, "English"}, {0, 0x0409, "Chinese"}, {0, 0x0804, "中文"}};
    for (const Case& c : cases) {
        g_bChinese = c.chinese;
        m_locale = c.locale;
        m_view->ApplyLanguage();
        EXPECT_STREQ(ItemText(m_view->m_menuSettings, 729).GetString(), c.item729) << c.locale;
        for (const MenuCase& m : MenuCases()) {
            CMenu* menu = m.menu == 112   ? &m_view->m_menuPresets
                          : m.menu == 113 ? &m_view->m_menuSettings
                          : m.menu == 875 ? &m_view->m_menuAdvanced
                                          : nullptr;
            if (!menu)
                continue;
            for (const MenuRow& row : m.items) {
                if (row.id == 0 || row.id == 729)
                    continue;
                if (row.id == 728) {
                    EXPECT_EQ(Popup(*menu)->GetMenuState(728, MF_BYCOMMAND), 0xFFFFFFFFu);
                    continue;
                }
                EXPECT_STREQ(ItemText(*menu, row.id).GetString(), c.chinese ? row.zh : row.en) << row.id;
            }
        }
    }
    EXPECT_EQ(Popup(m_view->m_menuSettings)->GetMenuItemCount(), 6);
}

// Only the exact fixed names swap, and only while online; a typed name is never translated.
TEST_F(ViewLanguageTest, CustomNameSwapsOnlyOnlineAndOnlyExact) {
    struct Case {
        const char* shown;
        int online;
        int toChinese;
        const char* after;
    } cases[] = {
        {"Custom", 1, 1, "自定义"},
        {"自定义", 1, 0, "Custom"},
        {"Custom", 0, 1, "Custom"},
        {"自定义", 0, 0, "自定义"},
        {"Custom", 1, 0, "Custom"},
        {"自定义", 1, 1, "自定义"},
        {"Custom ", 1, 1, "Custom "},
        {"custom", 1, 1, "custom"},
        {"Road trip", 1, 1, "Road trip"},
        {"我的自定义", 1, 0, "我的自定义"},
        {"", 1, 1, ""},
    };
    for (const Case& c : cases) {
        g_bOnline = c.online;
        g_bChinese = c.toChinese ? 0 : 1;
        m_view->m_btnPresetName.SetWindowText(c.shown);
        m_view->ToggleLanguage(TRUE);
        EXPECT_STREQ(Text(&m_view->m_btnPresetName).GetString(), c.after)
            << c.shown << " online " << c.online << " to " << (c.toChinese ? "zh" : "en");
    }
}

// Bass boost cannot be picked for device types 3 and 4 only, after the language switch and after
// a device read alike.
TEST_F(ViewLanguageTest, BassBoostItemDisabledExactlyForTypesThreeAndFour) {
    for (int type = 0; type <= 6; ++type) {
        g_nDeviceType = type;
        m_view->ApplyLanguage();
        const bool off = type == 3 || type == 4;
        CMenu* popup = Popup(m_view->m_menuAdvanced);
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->GetMenuItemID(1), 32775u);
        EXPECT_EQ((popup->GetMenuState(1, MF_BYPOSITION) & MF_DISABLED) != 0, off) << type;
        EXPECT_EQ(popup->GetMenuState(0, MF_BYPOSITION) & (MF_DISABLED | MF_GRAYED), 0u) << type;
    }
    g_nDeviceType = 4;
    m_view->ApplyLanguage();
    g_nDeviceType = 2;
    m_view->UpdateBassBoostItem(); // what the device read runs
    EXPECT_EQ(Popup(m_view->m_menuAdvanced)->GetMenuState(1, MF_BYPOSITION) & MF_DISABLED, 0u);
}

// The popup that button 2854 opens behind the access code is the view's own menu 875, so the
// user sees bass boost disabled for a type 3 device.
TEST_F(ViewLanguageTest, SettingsPopupButtonShowsTheDisabledBassBoost) {
    g_nDeviceType = 3;
    m_view->ApplyLanguage();
    g_bSettingsPopupUnlocked = 1;
    UINT state = 0;
    int tracked = 0;
    CMenu::SetTrackHook([&](CMenu& menu, int, int) {
        ++tracked;
        state = menu.GetMenuState(32775, MF_BYCOMMAND);
        return UINT{0};
    });
    r9test::Click(m_view->m_btnSettingsPopup.Widget(), {5, 5});
    EXPECT_EQ(tracked, 1);
    EXPECT_NE(state & MF_DISABLED, 0u);
    g_bSettingsPopupUnlocked = 0;
    g_nDeviceType = 2;
}

// Button 8802 opens the settings popup at its left edge 2 pixels below it, without "Advanced";
// the picked item comes back as the view's command (here: the language).
TEST_F(ViewLanguageTest, SettingsButtonOpensItsPopupUnderTheButton) {
    m_view->ToggleLanguage(FALSE);
    std::vector<UINT> items;
    CPoint at;
    CMenu::SetTrackHook([&](CMenu& menu, int x, int y) {
        at = CPoint(x, y);
        for (int i = 0; i < menu.GetMenuItemCount(); ++i)
            items.push_back(menu.GetMenuItemID(i));
        return UINT{729};
    });
    r9test::Click(m_view->m_btnSettings.Widget(), {5, 5});
    CRect rc;
    m_view->m_btnSettings.GetWindowRect(&rc);
    EXPECT_EQ(at, CPoint(rc.left, rc.bottom + 2));
    EXPECT_EQ(items, (std::vector<UINT>{729, 727, 730, 731, 32776, 32771}));
    EXPECT_EQ(g_bChinese.load(), 0); // posted, not run yet
    r9test::PumpUntil([] { return g_bChinese.load() == 1; }, 2000);
    EXPECT_EQ(g_bChinese.load(), 1);
    EXPECT_STREQ(StoredLanguage().GetString(), "Chinese");
}

// Each command opens what it names, once: the dialogs modally, the pages' windows by their hooks.
TEST_F(ViewLanguageTest, CommandsOpenTheirDialogsOnce) {
    struct Case {
        UINT id;
        const char* dialog; // the modal dialog's class, or null
        std::vector<int> noise;
        int mixer;
    } cases[] = {
        {731, "version", {}, 0},  {32776, "boot source", {}, 0}, {32771, "factory reset", {}, 0},
        {32775, nullptr, {0}, 0}, {728, nullptr, {1}, 0},        {32774, nullptr, {}, 1},
    };
    for (const Case& c : cases) {
        m_view->noiseKinds.clear();
        m_view->mixerRuns = 0;
        std::vector<std::string> shown;
        CDialog::SetModalHook([&](CDialog& d) {
            shown.push_back(dynamic_cast<CVersionDlg*>(&d)     ? "version"
                            : dynamic_cast<CDefSourceDlg*>(&d) ? "boot source"
                            : dynamic_cast<CInitDlg*>(&d)      ? "factory reset"
                                                               : "other");
            d.EndDialog(IDCANCEL);
        });
        Command(c.id);
        EXPECT_EQ(shown, c.dialog ? std::vector<std::string>{c.dialog} : std::vector<std::string>{}) << c.id;
        EXPECT_EQ(m_view->noiseKinds, c.noise) << c.id;
        EXPECT_EQ(m_view->mixerRuns, c.mixer) << c.id;
    }
}

// Cancel does nothing; OK without a link says so and sends nothing; OK with a link queues system
// record 96 with 8 zero bytes and says nothing.
TEST_F(ViewLanguageTest, FactoryResetAsksThenSendsOrSaysThereIsNoLink) {
    struct Case {
        const char* what;
        int answer;
        int linkOpen;
        bool frame;
        const char* message;
    } cases[] = {
        {"cancel, link open", IDCANCEL, 1, false, nullptr},
        {"cancel, no link", IDCANCEL, 0, false, nullptr},
        {"OK, no link", IDOK, 0, false, "No connection can be opened"},
        {"OK, link open", IDOK, 1, true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_view->m_bLinkOpen = c.linkOpen;
        const int messages = m_view->m_nMessageCount;
        CDialog::SetModalHook([&](CDialog& d) {
            ASSERT_NE(dynamic_cast<CInitDlg*>(&d), nullptr);
            r9test::Click(d.GetDlgItem(c.answer)->Widget(), {5, 5});
        });
        Command(32771);
        std::lock_guard lock(g_linkLock);
        CSendDataQueue& q = m_view->m_command.Queue();
        // Online the version read follows the reset: its answer starts the device read.
        ASSERT_EQ(q.GetQueueCount(), c.frame ? 2 : 0);
        if (c.frame) {
            const CSendData* p = q.GetHeadPacket();
            const BYTE* f = p->GetData();
            EXPECT_EQ(f[LinkFrame::OFS_TYPE], FRAME_WRITE);
            EXPECT_EQ(f[LinkFrame::OFS_GROUP], GROUP_SYSTEM);
            EXPECT_EQ(f[LinkFrame::OFS_INDEX], CMD_FACTORY_RESET);
            ASSERT_EQ(p->GetSize(), LinkFrame::OVERHEAD + 8);
            for (int i = 0; i < 8; ++i)
                EXPECT_EQ(f[LinkFrame::HEADER_SIZE + i], 0) << i;
            q.RemoveHead();
            const BYTE* read = q.GetHeadPacket()->GetData();
            EXPECT_EQ(read[LinkFrame::OFS_TYPE], FRAME_READ);
            EXPECT_EQ(read[LinkFrame::OFS_GROUP], GROUP_SYSTEM);
            EXPECT_EQ(read[LinkFrame::OFS_INDEX], g_sysReadList[6]);
            q.ClearQueue();
        }
        EXPECT_EQ(m_view->m_nMessageCount, messages + (c.message ? 1 : 0));
        if (c.message) {
            EXPECT_STREQ(m_view->m_strLastMessage.GetString(), c.message);
            EXPECT_EQ(m_view->m_nLastMessageCode, 2000);
        }
    }
    m_view->m_bLinkOpen = 0;
}

// Help opens the language's file once when it exists and the desktop takes it; otherwise the
// one-button box of the language, and nothing else.
TEST_F(ViewLanguageTest, HelpOpensTheFileOrSaysItIsMissing) {
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "help";
    std::filesystem::create_directories(dir);
    m_view->m_strHelpCn = (dir / "CH_Help.chm").string().c_str();
    m_view->m_strHelpEn = (dir / "EN_Help.chm").string().c_str();
    struct Case {
        const char* what;
        int chinese;
        bool exists;
        bool opens;
        int openerCalls;
        const char* text; // the box, or null
        const char* caption;
    } cases[] = {
        {"missing, en", 0, false, true, 0, "Not find help file!", "Help"},
        {"missing, zh", 1, false, true, 0, "没有发现帮助文件!", "帮助"},
        {"present, en", 0, true, true, 1, nullptr, nullptr},
        {"present, zh", 1, true, true, 1, nullptr, nullptr},
        {"no viewer, en", 0, true, false, 1, "Not find help file!", "Help"},
    };
    SetMessageBoxAnswer(nullptr); // the help box itself is looked at here
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_bChinese = c.chinese;
        const std::filesystem::path file = dir / (c.chinese ? "CH_Help.chm" : "EN_Help.chm");
        std::filesystem::remove(dir / "CH_Help.chm");
        std::filesystem::remove(dir / "EN_Help.chm");
        if (c.exists)
            std::ofstream(file) << "help";
        std::vector<std::string> opened;
        SetShellExecuteHook([&](const std::string& target) {
            opened.push_back(target);
            return c.opens;
        });
        struct Box {
            CString caption, text, quit;
            int visibleButtons = 0;
        };
        std::vector<Box> boxes;
        CDialog::SetModalHook([&](CDialog& d) {
            Box b;
            b.caption = Text(&d);
            b.text = Text(d.GetDlgItem(CMessageBoxDlg::IDC_TEXT));
            b.quit = Text(d.GetDlgItem(IDCANCEL));
            for (int id : {IDOK, IDCANCEL})
                if (d.GetDlgItem(id) && d.GetDlgItem(id)->IsWindowVisible())
                    ++b.visibleButtons;
            r9test::RenderToPng(d.Widget(), QString("view-help-missing-%1").arg(c.chinese ? "zh" : "en"));
            boxes.push_back(b);
            d.EndDialog(IDCANCEL);
        });
        Command(730);
        ASSERT_EQ(static_cast<int>(opened.size()), c.openerCalls);
        if (c.openerCalls) {
            EXPECT_EQ(opened[0], file.string());
        }
        ASSERT_EQ(boxes.size(), c.text ? 1u : 0u);
        if (c.text) {
            EXPECT_STREQ(boxes[0].text.GetString(), c.text);
            EXPECT_STREQ(boxes[0].caption.GetString(), c.caption);
            EXPECT_STREQ(boxes[0].quit.GetString(), c.chinese ? "退出" : "Quit");
            EXPECT_EQ(boxes[0].visibleButtons, 1);
        }
    }
}

// The view's popups as the user sees them, in both languages (bass boost not selectable for a
// device of type 3).
TEST_F(ViewLanguageTest, PopupsRenderInBothLanguages) {
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        g_nDeviceType = chinese ? 3 : 2;
        m_view->ApplyLanguage();
        const std::pair<CMenu*, UINT> menus[] = {{&m_view->m_menuPresets, 112},
                                                 {&m_view->m_menuSettings, 113},
                                                 {&m_view->m_menuConnect, 114},
                                                 {&m_view->m_menuView, 11},
                                                 {&m_view->m_menuAdvanced, 875}};
        for (const auto& [menu, id] : menus) {
            const QString name = QString("view-menu-%1-%2").arg(id).arg(chinese ? "zh" : "en");
            QImage shot;
            // Owned here, so a popup that never opened leaves no pending call behind.
            QTimer grab;
            grab.setSingleShot(true);
            QObject::connect(&grab, &QTimer::timeout, [&] {
                if (QWidget* open = QApplication::activePopupWidget()) {
                    shot = r9test::RenderToPng(open, name);
                    open->close();
                }
            });
            grab.start(0);
            m_view->TrackMenuUnder(*menu, m_view->m_btnSettings);
            ASSERT_FALSE(shot.isNull()) << name.toStdString();
            EXPECT_GT(shot.height(), 12 * Popup(*menu)->GetMenuItemCount()) << name.toStdString();
        }
    }
}
