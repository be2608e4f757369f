// What the input page draws, in both languages: its texts, the input's curve, gains and lamps, the
// held look, and the selector bar's connectors for each AUX mode (renders kept for looking).
#include "InputPageFixture.h"
#include "pages/input/InputNoise.h"
#include "pages/input/InputPageLayout.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

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

// Light pixels (the texts, lit lamps and the curve; the panels are dark) inside a place.
int Ink(const QImage& img, const CRect& rc) {
    int n = 0;
    for (int y = std::max<int>(0, rc.top); y < std::min<int>(img.height(), rc.bottom); ++y)
        for (int x = std::max<int>(0, rc.left); x < std::min<int>(img.width(), rc.right); ++x) {
            const QRgb p = img.pixel(x, y);
            n += std::max({qRed(p), qGreen(p), qBlue(p)}) >= 120 ? 1 : 0;
        }
    return n;
}

QImage Crop(const QImage& img, const CRect& rc) {
    return img.copy(rc.left, rc.top, rc.Width(), rc.Height());
}

// A thing on the page a user reads, and whether its drawing changes with the language.
struct Element {
    std::string name;
    CRect place;
    bool translated;
};

class InputPageRenderTest : public InputPageTest {
protected:
    std::vector<Element> Elements() {
        std::vector<Element> e = {
            // The headings drawn on the page's background.
            {"INPUT heading", CRect(16, 9, 80, 25), true},
            {"AUX MODE heading", CRect(20, 146, 100, 162), true},
            {"HI.LEVEL heading", CRect(20, 202, 100, 218), true},
            {"MIXER SOURCE heading", CRect(20, 258, 130, 274), true},
            {"EQ heading", CRect(1196, 231, 1240, 246), true},
            {"BYP heading", CRect(200, 419, 236, 435), true},
            {"current input", PlaceOf(page->SelectedInputPicture()), true},
            {"Hi_Level button", PlaceOf(page->InputButton(1)), true},
            {"1-Way", PlaceOf(*page->GetDlgItem(inpage::kHiLevel1Way)), true},
            {"2-Way", PlaceOf(*page->GetDlgItem(inpage::kHiLevel2Way)), true},
            {"mixer source", PlaceOf(page->SourceButton()), true},
            {"Bypass", PlaceOf(page->BypassAllButton()), true},
            {"Reset", PlaceOf(page->ResetAllButton()), true},
            {"PEQ/GEQ", PlaceOf(page->EqModeButton()), true},
            {"Hi.Level connector", PlaceOf(*page->Bar().Button(inpage::kBarHiLevel)), true},
            {"AUX button", PlaceOf(page->InputButton(3)), false},
            {"AUX2 button", PlaceOf(page->InputButton(4)), false},
            {"AUX3 button", PlaceOf(page->InputButton(5)), false},
            {"AUX1 connector", PlaceOf(*page->Bar().Button(inpage::kBarAux1)), false},
            {"graph", PlaceOf(page->Graph()), false},
        };
        for (int m = 0; m < 3; ++m)
            e.push_back({"AUX mode " + std::to_string(m), PlaceOf(page->AuxButton(m)), false});
        return e;
    }
    QImage RenderIn(int chinese, const char* name) {
        g_bChinese = chinese;
        page->ApplyLanguage();
        return ctltest::Render(*page, name);
    }
    // The plot of the graph on the page, and the row of its 0 dB line.
    CRect Plot() {
        CRect p = page->Graph().GetPlotRect();
        p.OffsetRect(PlaceOf(page->Graph()).TopLeft());
        return p;
    }
    // Rows of the plot that the curve (green) crosses.
    std::pair<int, int> CurveRows(const QImage& img) {
        const CRect p = Plot();
        int top = p.bottom, bottom = p.top;
        for (int y = p.top; y < p.bottom; ++y)
            if (ctltest::CountColour(img, CRect(p.left, y, p.right, y + 1), RGB(0, 192, 0)) > 0) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        return {top, bottom};
    }
    // A connector's place on the selector bar.
    CRect ClientPlace(CWnd& w) {
        CRect rc;
        w.GetWindowRect(&rc);
        page->Bar().ScreenToClient(&rc);
        return rc;
    }
    CRect LampCentre(int n) {
        const CPoint c = PlaceOf(page->Lamp(n)).CenterPoint();
        return CRect(c.x - 2, c.y - 2, c.x + 3, c.y + 3);
    }
};

TEST_F(InputPageRenderTest, EveryTextIsDrawnInEachLanguageAndOnlyTheTranslatedOnesChange) {
    const QImage en = RenderIn(0, "input_page_en_offline");
    const QImage zh = RenderIn(1, "input_page_zh_offline");
    for (const Element& e : Elements()) {
        SCOPED_TRACE(e.name);
        EXPECT_GT(Ink(en, e.place), 8) << "drawn in English";
        EXPECT_GT(Ink(zh, e.place), 8) << "drawn in Chinese";
        EXPECT_EQ(Crop(en, e.place) != Crop(zh, e.place), e.translated);
    }
    // The band numbers are drawn (dark on the panel), the same in both languages.
    for (int n = 0; n < inpage::kShownBands; ++n) {
        const CRect rc = PlaceOf(page->Label(n));
        const COLORREF panel = ctltest::Pixel(en, rc.left, rc.top);
        EXPECT_GT(rc.Width() * rc.Height() - ctltest::CountColour(en, rc, panel), 8) << n;
        EXPECT_EQ(Crop(en, rc), Crop(zh, rc)) << n;
    }
    // Offline the curve is the flat line at 0 dB, half way down the plot.
    const CRect p = Plot();
    const auto [top, bottom] = CurveRows(en);
    EXPECT_LE(bottom - top, 1);
    EXPECT_NEAR(top, (p.top + p.bottom) / 2, 2);
}

TEST_F(InputPageRenderTest, TheInputsTuningIsDrawnAndTheHeldInputLooksDisabled) {
    ShapeInput(*In(3));
    In(3)->SetGEQMode(0);
    page->SendMessage(WM_INPUT_CHANNEL_SELECT, 0, 3);
    const QImage tuned = RenderIn(0, "input_page_en_aux1_tuned");
    // The curve rises 9 dB at band 9 and falls 8 dB at band 12: well above and below the middle.
    const CRect p = Plot();
    const auto [top, bottom] = CurveRows(tuned);
    EXPECT_LT(top, p.top + p.Height() / 8) << "the +9 dB peak";
    EXPECT_GT(bottom, p.bottom - p.Height() / 4) << "the -8 dB dip";
    // Each column shows its band's gain; bypassed band 6 has its lamp off, band 1 on.
    const char* gains[inpage::kShownBands] = {"6.0", "4.0", "1.5", "0.0",  "-2.0", "0.0", "-3.0", "3.0",
                                              "9.0", "5.0", "0.0", "-8.0", "-4.0", "1.0", "4.0"};
    for (int n = 0; n < inpage::kShownBands; ++n) {
        CString text;
        page->GainEdit(n).GetWindowText(text);
        EXPECT_STREQ(text, gains[n]) << n;
        EXPECT_GT(Ink(tuned, PlaceOf(page->GainEdit(n))), 8) << n;
    }
    EXPECT_GT(ctltest::CountNear(tuned, LampCentre(0), RGB(255, 186, 58), 40), 10);
    EXPECT_EQ(ctltest::CountNear(tuned, LampCentre(5), RGB(255, 186, 58), 40), 0);
    // The lit connector is the input's own.
    const CRect aux1 = PlaceOf(*page->Bar().Button(inpage::kBarAux1));
    const CRect aux2 = PlaceOf(*page->Bar().Button(inpage::kBarAux2));
    EXPECT_GT(ctltest::CountNear(tuned, aux1, RGB(255, 210, 122), 40), 10);
    EXPECT_EQ(ctltest::CountNear(tuned, aux2, RGB(255, 210, 122), 40), 0);

    // The device holds the input: the EQ commands, the lamps, the sliders and the input's button
    // take their disabled look.
    g_systemData.pageSwitch = 1;
    page->ApplyInputHold();
    const QImage held = RenderIn(0, "input_page_en_held");
    for (CWnd* w : {static_cast<CWnd*>(&page->BypassAllButton()), static_cast<CWnd*>(&page->ResetAllButton()),
                    static_cast<CWnd*>(&page->EqModeButton()), static_cast<CWnd*>(&page->Lamp(0))})
        EXPECT_FALSE(w->IsWindowEnabled()) << w->GetDlgCtrlID();
    for (CWnd* w : {static_cast<CWnd*>(&page->BypassAllButton()), static_cast<CWnd*>(&page->ResetAllButton()),
                    static_cast<CWnd*>(&page->EqModeButton()), static_cast<CWnd*>(&page->Slider(0)),
                    static_cast<CWnd*>(&page->InputButton(3))})
        EXPECT_NE(Crop(held, PlaceOf(*w)), Crop(tuned, PlaceOf(*w))) << w->GetDlgCtrlID();
    EXPECT_EQ(Crop(held, p), Crop(tuned, p)) << "the curve stays";

    // Released again and in GEQ mode, in Chinese: the GEQ picture shows, the curve is unchanged.
    g_systemData.pageSwitch = 0;
    page->ApplyInputHold();
    In(3)->SetGEQMode(1);
    page->RefreshChannel();
    const QImage geq = RenderIn(1, "input_page_zh_geq");
    EXPECT_TRUE(page->EqModeButton().IsWindowEnabled());
    EXPECT_EQ(CurveRows(geq), CurveRows(tuned));
    EXPECT_GT(Ink(geq, PlaceOf(page->GeqPicture())), 8);
}

TEST_F(InputPageRenderTest, SelectorBarShowsTheConnectorsOfEachAuxModeAndLightsTheInputs) {
    using namespace inpage;
    struct Case {
        int mode;
        int lit;                     // the input chosen
        std::vector<int> connectors; // the connectors shown, the lit one first
    };
    const Case cases[] = {
        {0, 4, {kBarAux2, kBarHiLevel, kBarAux1, kBarAux3}},
        {1, 3, {kBarAux1Four, kBarHiLevel, kBarAux2Two}},
        {2, 3, {kBarAux1Six, kBarHiLevel}},
    };
    const COLORREF litJack = RGB(255, 210, 122);
    for (const Case& c : cases) {
        QImage drawn[2];
        for (int lang = 0; lang < 2; ++lang) {
            SCOPED_TRACE(testing::Message() << "mode " << c.mode << (lang ? " zh" : " en"));
            g_bChinese = lang;
            page->SetAuxMode(c.mode);
            page->SendMessage(WM_INPUT_CHANNEL_SELECT, 0, c.lit);
            page->ApplyLanguage();
            const std::string name = "input_bar_mode" + std::to_string(c.mode) + (lang ? "_zh" : "_en");
            drawn[lang] = ctltest::Render(page->Bar(), name.c_str());
            int shown = 0;
            for (int id = 2704; id <= 2715; ++id)
                if (CBtnPng* b = page->Bar().Button(id); b && Shown(*b))
                    ++shown;
            EXPECT_EQ(shown, static_cast<int>(c.connectors.size()));
            for (size_t k = 0; k < c.connectors.size(); ++k) {
                CBtnPng* b = page->Bar().Button(c.connectors[k]);
                ASSERT_NE(b, nullptr);
                EXPECT_TRUE(Shown(*b)) << c.connectors[k];
                const CRect rc = ClientPlace(*b);
                EXPECT_GT(Ink(drawn[lang], rc), 20) << c.connectors[k];
                const int lit = ctltest::CountNear(drawn[lang], rc, litJack, 40);
                if (k == 0)
                    EXPECT_GT(lit, 10) << c.connectors[k] << " lit";
                else
                    EXPECT_EQ(lit, 0) << c.connectors[k] << " dark";
            }
        }
        // Only the Hi.Level connector's name is translated.
        for (int id : c.connectors) {
            const CRect rc = ClientPlace(*page->Bar().Button(id));
            EXPECT_EQ(Crop(drawn[0], rc) != Crop(drawn[1], rc), id == kBarHiLevel) << id;
        }
    }
}

TEST_F(InputPageRenderTest, RendersTheBassBoostAndNoisePanels) {
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
