#include "pages/input/MixerSource.h"

#include "model/Globals.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WinUser.h"
#include "res/ResourceTable.h"

namespace {

struct ItemTexts {
    const char* zh;
    const char* en;
};
// Null: the resource's text stays in both languages.
constexpr ItemTexts kItemTexts[CMixerSource::kSources] = {
    {"数字", "S/PDIF"}, {"高电平", "Hi.Level"}, {"蓝牙", "Phone"}, {nullptr, nullptr},
    {nullptr, nullptr}, {nullptr, nullptr},     {"关闭", "OFF"},
};

const res::MenuItemSpec kMenus[] = {
    {CMixerSource::kMenu, 0, 0, MF_POPUP, "Source", "音源"}, {CMixerSource::kMenu, 1, 174, 0, "数字", "数字"},
    {CMixerSource::kMenu, 1, 175, 0, "高电平", "高电平"},    {CMixerSource::kMenu, 1, 176, 0, "蓝牙", "蓝牙"},
    {CMixerSource::kMenu, 1, 177, 0, "AUX1", "AUX1"},        {CMixerSource::kMenu, 1, 178, 0, "AUX2", "AUX2"},
    {CMixerSource::kMenu, 1, 179, 0, "AUX3", "AUX3"},        {CMixerSource::kMenu, 1, 180, 0, "关闭", "关闭"},
};

int ValidSource(int source) {
    return source >= 0 && source < CMixerSource::kSources ? source : CMixerSource::kOff;
}

} // namespace

CMixerSource::Looks CMixerSource::PageButtonLooks(int source, bool chinese) {
    const UINT s = static_cast<UINT>(ValidSource(source));
    const UINT normal = (chinese ? 3100u : 3120u) + s;
    return {normal, normal + 10, normal + 10};
}

CMixerSource::Looks CMixerSource::DialogButtonLooks(int source, bool chinese) {
    const UINT s = static_cast<UINT>(ValidSource(source));
    const UINT normal = (chinese ? 3200u : 3220u) + s;
    return {normal, normal + 10, normal + 10};
}

CMixerSource::Looks CMixerSource::BlankLooks() {
    return {722, 723, 723};
}

const char* CMixerSource::ItemText(int position, bool chinese) {
    if (position < 0 || position >= kSources)
        return nullptr;
    return chinese ? kItemTexts[position].zh : kItemTexts[position].en;
}

int CMixerSource::SourceOfCommand(UINT id) {
    return id >= kFirstItem && id < kFirstItem + kSources ? static_cast<int>(id - kFirstItem) : -1;
}

BOOL CMixerSource::Choose(int source) {
    if (source < 0 || source >= kSources || source == g_inputOptions.choice)
        return FALSE;
    g_inputOptions.choice = source;
    return TRUE;
}

void CMixerSource::PrepareMenu(CMenu& popup, bool chinese) {
    for (int i = 0; i < kSources; ++i)
        if (const char* text = ItemText(i, chinese))
            popup.ModifyMenu(kFirstItem + static_cast<UINT>(i), MF_BYCOMMAND | MF_STRING,
                             kFirstItem + static_cast<UINT>(i), text);
    for (int i = 0; i < kSources; ++i)
        popup.EnableMenuItem(static_cast<UINT>(i),
                             MF_BYPOSITION | (g_inputOptions.activeRow[i] ? MF_ENABLED : MF_GRAYED));
}

void CMixerSource::TrackMenu(CMenu& menu, CWnd& button, CWnd* owner) {
    RegisterMenu();
    if (!menu.GetSafeHmenu() && !menu.LoadMenu(kMenu))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup || !button.GetSafeHwnd())
        return;
    PrepareMenu(*popup, g_bChinese.load() != 0);
    CRect rc;
    button.GetWindowRect(&rc);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, rc.left, rc.bottom + 2, owner);
}

void CMixerSource::RegisterMenu() {
    static const bool registered = [] {
        res::RegisterMenus(kMenus);
        return true;
    }();
    (void)registered;
}
