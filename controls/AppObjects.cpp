#include "controls/AppObjects.h"

#include "model/Globals.h"
#include "model/SpeakerPos.h"
#include "res/ResourceTable.h"

#include <array>

CFont g_fontArial16;
CFont g_fontArial108;
CFont g_fontArial14;
CFont g_fontArial12;
CFont g_fontSimSun12;
CFont g_fontArial14b;
CFont g_fontArial16Heavy;
CBrush g_brushDlg;
CMenu g_menuSpkPos;

namespace {

struct FontRow {
    CFont* font;
    const FontSpec* spec;
};

const std::array<FontRow, 7> kFonts{{
    {&g_fontArial16, &g_fontSpecArial16},
    {&g_fontArial108, &g_fontSpecArial108},
    {&g_fontArial14, &g_fontSpecArial14},
    {&g_fontArial12, &g_fontSpecArial12},
    {&g_fontSimSun12, &g_fontSpecSimSun12},
    {&g_fontArial14b, &g_fontSpecArial14b},
    {&g_fontArial16Heavy, &g_fontSpecArial16Heavy},
}};

UINT SpeakerCommand(int code) {
    if (code == 25)
        return 32772;
    if (code == 26)
        return 32773;
    return 4100 + static_cast<UINT>(code);
}

// One popup per menu, then its 26 items (code 24 has none).
constexpr int kSpeakerItems = 26;
std::array<res::MenuItemSpec, 2 * (1 + kSpeakerItems)> g_speakerMenus{};

} // namespace

void RegisterSpeakerMenus() {
    static const bool done = [] {
        size_t n = 0;
        for (const auto& [menuId, chinese] :
             {std::pair{UINT(g_nMenuSpkPosCn), true}, std::pair{UINT(g_nMenuSpkPosEn), false}}) {
            const char* title = chinese ? "扬声器位置" : "Speaker position";
            g_speakerMenus[n++] = {menuId, 0, 0, MF_POPUP, title, title};
            for (int code = 0; code <= 26; ++code) {
                if (code == 24)
                    continue;
                const char* name = GetSpeakerPosName(code, chinese);
                g_speakerMenus[n++] = {menuId, 1, SpeakerCommand(code), 0, name, name};
            }
        }
        res::RegisterMenus(g_speakerMenus);
        return true;
    }();
    (void)done;
}

BOOL CreateProgramFonts() {
    for (const FontRow& row : kFonts) {
        row.font->DeleteObject();
        const FontSpec& s = *row.spec;
        if (!row.font->CreateFont(s.height, 0, 0, 0, s.weight, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FONT_PITCH_AND_FAMILY, s.face))
            return FALSE;
    }
    return TRUE;
}

BOOL CreateDialogBrushAndMenu() {
    RegisterSpeakerMenus();
    g_brushDlg.DeleteObject();
    g_menuSpkPos.DestroyMenu();
    return g_brushDlg.CreateSolidBrush(g_clrBrushDlg) && g_menuSpkPos.LoadMenu(g_nMenuSpkPosCn);
}

void DeleteProgramObjects() {
    for (const FontRow& row : kFonts)
        row.font->DeleteObject();
    g_brushDlg.DeleteObject();
    g_menuSpkPos.DestroyMenu();
}
