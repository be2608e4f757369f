// Looks of the numeric field, its spin and its companion, rendered to PNG files (test-out folder)
// for looking, with the colours the controls fix asserted on the pixels.
#include "model/Globals.h"

#include "controls/NumEdit.h"
#include "controls/NumSpin.h"
#include "NumFieldHost.h"
#include "platform/ui/Font.h"
#include "res/ResourceTable.h"
#include "support/RenderToPng.h"
#include "support/ResetGlobals.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kArt = 64810;

struct Extremes {
    QColor brightest;
    QColor darkest;
};

Extremes Scan(const QImage& img) {
    Extremes e{QColor(0, 0, 0), QColor(255, 255, 255)};
    int hi = -1, lo = 1000;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c(img.pixel(x, y));
            const int v = c.red() + c.green() + c.blue();
            if (v > hi) {
                hi = v;
                e.brightest = c;
            }
            if (v < lo) {
                lo = v;
                e.darkest = c;
            }
        }
    return e;
}

struct NumEditLook : ::testing::Test {
    NumFieldHost host;
    CFont font;
    void SetUp() override {
        for (int zone = 0; zone < 4; ++zone)
            res::AddArt({kArt + static_cast<UINT>(zone), false, 90, 22, "spin-zones", zone, nullptr, 0});
        ASSERT_TRUE(host.CreateTop(420, 200));
        font.CreateFont(-14, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    }
    void TearDown() override { r9test::ResetModelGlobals(); }
    void Make(CNumEdit& e, int x, int y, int id) {
        ASSERT_TRUE(e.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER, CRect(x, y, x + 90, y + 22),
                             &host, static_cast<UINT>(id)));
        e.SetFont(&font);
    }
    QImage Crop(const QImage& page, CWnd& w, const char* name) {
        CRect rc;
        w.GetWindowRect(&rc);
        host.ScreenToClient(&rc);
        const QImage img = page.copy(rc.left, rc.top, rc.Width(), rc.Height());
        img.save(r9test::TestOutDir() + "/" + name + ".png");
        return img;
    }
};

TEST_F(NumEditLook, FieldStatesInBothLanguages) {
    const QColor page(27, 30, 36);
    for (int zh : {0, 1}) {
        g_bChinese = zh;
        CNumEdit normal, fixed, lit, off, delay;
        Make(normal, 10, 10, 1700);
        Make(fixed, 110, 10, 1701);
        Make(lit, 210, 10, 1702);
        Make(off, 10, 50, 1703);
        Make(delay, 110, 50, 1704);
        for (CNumEdit* e : {&normal, &fixed, &lit}) {
            e->SetRange(20, 20000);
            e->SetType(NUMTYPE_FREQ, "");
            e->SetValue(1000);
        }
        fixed.EnableEdit(0);
        lit.SetHighlight(1);
        off.SetRange(0, 72);
        off.SetStep(1.0);
        off.SetOffset(60);
        off.SetType(NUMTYPE_LEVEL_DB, "");
        off.SetValue(0);
        delay.SetRange(0, 354);
        delay.SetType(NUMTYPE_DELAY_CM, "unit");
        delay.SetValue(354);

        const QString lang = zh ? "zh" : "en";
        const QImage shot = r9test::RenderToPng(host.Widget(), "numedit_page_" + lang);
        const QImage n = Crop(shot, normal, zh ? "numedit_normal_zh" : "numedit_normal_en");
        const QImage f = Crop(shot, fixed, zh ? "numedit_readonly_zh" : "numedit_readonly_en");
        const QImage l = Crop(shot, lit, zh ? "numedit_highlight_zh" : "numedit_highlight_en");
        const QImage o = Crop(shot, off, zh ? "numedit_off_zh" : "numedit_off_en");
        Crop(shot, delay, zh ? "numedit_delay_zh" : "numedit_delay_en");

        // Transparent over the page, white text while editable, light grey when not.
        EXPECT_EQ(QColor(n.pixel(1, 1)), page);
        EXPECT_EQ(Scan(n).brightest, QColor(255, 255, 255));
        EXPECT_EQ(QColor(f.pixel(1, 1)), page);
        EXPECT_EQ(Scan(f).brightest, QColor(200, 200, 200));
        // Highlight: black on steel blue 0xD1AC89.
        EXPECT_EQ(QColor(l.pixel(1, 1)), QColor(137, 172, 209));
        EXPECT_EQ(Scan(l).darkest, QColor(0, 0, 0));
        // The OFF text of the language is drawn.
        EXPECT_EQ(Scan(o).brightest, QColor(255, 255, 255));
        CString t;
        off.GetWindowText(t);
        EXPECT_STREQ(t, zh ? "关闭" : "OFF");
    }
}

TEST_F(NumEditLook, ReadOnlyFieldWithItsCompanionAndSpin) {
    CNumEdit edit;
    CNumSpin spin;
    Make(edit, 20, 20, 1710);
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, CRect(112, 20, 128, 42), &host, 1711));
    spin.SetBuddy(&edit);
    edit.SetType(NUMTYPE_DELAY_MS, "unit");
    spin.SetRange32(0, 354);
    edit.CreateSpinButton(1712);
    spin.SetPos(100);
    edit.SpinButton().SetBitmaps(kArt, kArt + 1, kArt + 2, kArt + 3);
    edit.BindSpinButton(1711, &spin);
    edit.SetReadOnly(TRUE);
    edit.EnableEdit(0);
    const QImage idle = Crop(r9test::RenderToPng(host.Widget(), ""), edit, "numedit_companion");
    EXPECT_EQ(Scan(idle).brightest, QColor(255, 255, 255)); // the field's text on the button
    edit.SetFocus();
    EXPECT_EQ(edit.SpinButton().GetHotZone(), 2);
    const QImage active = Crop(r9test::RenderToPng(host.Widget(), ""), edit, "numedit_companion_active");
    EXPECT_NE(active, idle);
    // The spin's arrows in the skin: accent arrows on a dark face, the held half framed in accent,
    // dim arrows while disabled.
    const QImage idleSpin = Crop(r9test::RenderToPng(host.Widget(), ""), spin, "numspin");
    EXPECT_EQ(QColor(idleSpin.pixel(3, 3)), QColor(0x30, 0x35, 0x3e));
    EXPECT_EQ(Scan(idleSpin).brightest, QColor(0x19, 0xb5, 0xfe));
    r9test::Press(spin.Widget(), {8, 3});
    const QImage held = Crop(r9test::RenderToPng(host.Widget(), ""), spin, "numspin_up_held");
    EXPECT_EQ(QColor(held.pixel(0, 0)), QColor(0x19, 0xb5, 0xfe));
    EXPECT_EQ(QColor(held.pixel(0, 21)), QColor(0x4a, 0x52, 0x60));
    r9test::Release(spin.Widget(), {8, 3});
    spin.EnableWindow(FALSE);
    const QImage off = Crop(r9test::RenderToPng(host.Widget(), ""), spin, "numspin_disabled");
    EXPECT_EQ(Scan(off).brightest, QColor(0x6b, 0x72, 0x80));
}

} // namespace
