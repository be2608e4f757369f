// Renders of the input page, its selector bar and the bass-boost panel, for looking.
#include "InputPageFixture.h"
#include "pages/input/InputNoise.h"

namespace inputtest {
namespace {

// Some tuning on input 3 as a device would send it: shaped bands, one bypassed, one at 0 dB.
void ShapeInput(CMusic_InData& in) {
    const int gains[15] = {260, 240, 215, 200, 180, 150, 170, 230, 290, 250, 200, 120, 160, 210, 240};
    for (int n = 0; n < 15; ++n) {
        CFilter* f = in.GetBand(n);
        f->SetGainPos(gains[n]);
        f->SetBandwidthPos(40 + 10 * (n % 5));
    }
    in.GetBand(5)->SetBypass(TRUE);
}

TEST_F(InputPageTest, RendersBothLanguagesOfflineAndWithData) {
    Render("input_page_en_offline");
    g_bChinese = 1;
    page->ApplyLanguage();
    Render("input_page_zh_offline");
    g_bChinese = 0;
    page->ApplyLanguage();
    ShapeInput(*In(3));
    In(3)->SetGEQMode(0);
    page->SendMessage(WM_INPUT_CHANNEL_SELECT, 0, 3);
    Render("input_page_en_aux1_tuned");
    // The device holds the input: the EQ is disabled and the input shows its dark look.
    g_systemData.pageSwitch = 1;
    page->ApplyInputHold();
    Render("input_page_en_held");
    g_systemData.pageSwitch = 0;
    page->ApplyInputHold();
    In(3)->SetGEQMode(1);
    page->RefreshChannel();
    g_bChinese = 1;
    page->ApplyLanguage();
    Render("input_page_zh_geq");
}

TEST_F(InputPageTest, RendersTheSelectorBarInEachAuxMode) {
    // A connector of the mode lit in each: AUX2, the four-channel AUX1, the six-channel AUX1.
    const int lit[3] = {4, 3, 3};
    for (int mode = 0; mode < 3; ++mode) {
        for (int lang = 0; lang < 2; ++lang) {
            g_bChinese = lang;
            page->SetAuxMode(mode);
            page->SendMessage(WM_INPUT_CHANNEL_SELECT, 0, lit[mode]);
            page->ApplyLanguage();
            const std::string name = "input_bar_mode" + std::to_string(mode) + (lang ? "_zh" : "_en");
            ctltest::Render(page->Bar(), name.c_str());
        }
    }
}

TEST_F(InputPageTest, RendersTheBassBoostAndNoisePanels) {
    for (int kind = 0; kind < 2; ++kind)
        for (int on = 0; on < 2; ++on)
            for (int lang = 0; lang < 2; ++lang) {
                g_bChinese = lang;
                (kind ? g_systemData.advancedSwitch : g_systemData.bassBoost) = static_cast<BYTE>(on);
                CInputNoise panel(&host, parent.get());
                panel.SetKind(kind);
                ASSERT_TRUE(panel.Create(CInputNoise::IDD, parent.get()));
                panel.ShowWindow(SW_SHOW);
                const std::string name = std::string("input_noise_") + (kind ? "threshold" : "bassboost") +
                                         (on ? "_on" : "_off") + (lang ? "_zh" : "_en");
                ctltest::Render(panel, name.c_str());
                panel.DestroyWindow();
            }
}

} // namespace
} // namespace inputtest
