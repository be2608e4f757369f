// The view's popup menus, their texts per language and the skins of the view's buttons.
#include "platform/ui/Menu.h"
#include "platform/ui/ResourceLoader.h"
#include "shell/ViewMenus.h"
#include "shell/ViewSkinTable.h"
#include "support/RenderToPng.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTimer>

#include <cstdlib>

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

namespace {

// Shows the popup through the menu layer and renders it while it is open; the pick is dismissed.
QImage RenderPopup(CMenu* popup, const QString& name) {
    QImage shot;
    QTimer::singleShot(0, [&] {
        if (QWidget* open = QApplication::activePopupWidget()) {
            shot = r9test::RenderToPng(open, name);
            open->close();
        }
    });
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 100, 100, nullptr);
    return shot;
}

} // namespace

// Each popup as the user sees it, in both languages (the settings popup without "Advanced").
TEST_F(ViewMenusTest, PopupsRenderInBothLanguages) {
    for (BOOL chinese : {FALSE, TRUE}) {
        ResourceLoader::SetChinese(chinese);
        for (const MenuCase& c : MenuCases()) {
            CMenu menu;
            ASSERT_TRUE(menu.LoadMenu(c.menu));
            CMenu* popup = menu.GetSubMenu(0);
            if (c.menu == IDR_MENU_SETTINGS)
                popup->DeleteMenu(SETTINGS_ADVANCED_POS, MF_BYPOSITION);
            const QString name = QString("view-menu-%1-%2").arg(c.menu).arg(chinese ? "zh" : "en");
            const QImage shot = RenderPopup(popup, name);
            ASSERT_FALSE(shot.isNull()) << name.toStdString();
            EXPECT_GT(shot.width(), 40) << name.toStdString();
            // One row per item at least (separators are thinner).
            EXPECT_GT(shot.height(), 12 * popup->GetMenuItemCount()) << name.toStdString();
        }
    }
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
