// The System dialog: what it shows of the model, what each field writes and where the linked
// outputs follow, the keys that never close it, and its look in both languages.
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/Music_InData.h"

#include "pages/output/CurSYSDlg.h"
#include "platform/ui/WinUser.h"
#include "support/RenderToPng.h"
#include "support/ResetGlobals.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>

namespace {

CString Text(CWnd& w) {
    CString s;
    w.GetWindowText(s);
    return s;
}

class CurSYSDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        m_doc = std::make_unique<CKTV_Data>();
        m_doc->InitLinkTable();
    }
    void TearDown() override {
        m_dlg.reset();
        m_doc.reset();
        r9test::ResetModelGlobals();
    }
    CCurSYSDlg& Open() {
        m_dlg = std::make_unique<CCurSYSDlg>();
        m_dlg->SetDocument(m_doc.get());
        EXPECT_TRUE(m_dlg->Create(IDD_CUR_SYS));
        m_dlg->ShowWindow(SW_SHOW);
        r9test::Pump();
        return *m_dlg;
    }
    // Types text into a field and ends it with Enter, as a user does.
    void TypeInto(CNumEdit& edit, const char* text) {
        edit.SetFocus();
        r9test::Pump();
        r9test::Type(edit.Widget(), QString::fromUtf8(text));
        r9test::Key(edit.Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
        r9test::Pump();
    }

    std::unique_ptr<CKTV_Data> m_doc;
    std::unique_ptr<CCurSYSDlg> m_dlg;
};

TEST_F(CurSYSDlgTest, ShowsTheModelAndStartsTheCompressorAtItsLowestValues) {
    CKTV_OutData* out = m_doc->GetOut(4);
    out->SetLimiter(235, 26, 250);
    out->SetMix2In7(41);
    m_doc->GetMusic(0)->SetNoiseGate(20);
    CCurSYSDlg& d = Open();
    CCurSYSDlg::Channel& c = d.m_ch[4];
    EXPECT_STREQ(Text(c.level).GetString(), "-6.5dBu");
    EXPECT_STREQ(Text(c.attack).GetString(), "20ms");
    EXPECT_STREQ(Text(c.release).GetString(), "300ms");
    EXPECT_STREQ(Text(c.ratio).GetString(), "5.0:1");
    EXPECT_EQ(c.levelSpin.GetPos(), 235);
    EXPECT_EQ(c.releaseSpin.GetPos(), 300);
    EXPECT_EQ(c.ratioSpin.GetPos(), 41);
    EXPECT_STREQ(Text(d.m_gate).GetString(), "-100.0dB");
    // The compressor fields start at their range minimum.
    for (int n = 0; n < NUM_OUTPUTS; ++n) {
        EXPECT_EQ(d.m_ch[n].compThresholdSpin.GetPos(), 0) << n;
        EXPECT_EQ(d.m_ch[n].compAttackSpin.GetPos(), 0) << n;
        EXPECT_EQ(d.m_ch[n].compReleaseSpin.GetPos(), 50) << n;
        EXPECT_STREQ(Text(d.m_ch[n].compRelease).GetString(), "50ms") << n;
        EXPECT_STREQ(Text(d.m_ch[n].compThreshold).GetString(), "-30.0dBu") << n;
        // Each curve shows its own output.
        EXPECT_EQ(d.m_ch[n].curve.GetOutput(), m_doc->GetOut(n)) << n;
        EXPECT_EQ(d.m_ch[n].curve.GetScaleMode(), CCOM_EXT_LIMStatic::kDrawMode) << n;
    }
    EXPECT_EQ(c.curve.GetKneeCode(), 235);
    // Every field has its range.
    int lo = 0, hi = 0;
    c.levelSpin.GetRange32(lo, hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 420);
    c.releaseSpin.GetRange32(lo, hi);
    EXPECT_EQ(lo, 50);
    EXPECT_EQ(hi, 5000);
    c.ratioSpin.GetRange32(lo, hi);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 191);
    c.compThresholdSpin.GetRange32(lo, hi);
    EXPECT_EQ(hi, 360);
    d.m_gateSpin.GetRange32(lo, hi);
    EXPECT_EQ(hi, 100);
    EXPECT_EQ(d.m_gate.GetLimitText(), 8u);
}

TEST_F(CurSYSDlgTest, FieldEditsReachTheOutputAndItsLinkGroup) {
    g_bOnline = 1;
    g_nOutLinkGroup[6] = 2; // output 7 linked with output 3
    CCurSYSDlg& d = Open();
    CKTV_OutData* out = m_doc->GetOut(2);
    CKTV_OutData* linked = m_doc->GetOut(6);
    CKTV_OutData* other = m_doc->GetOut(3);
    CCurSYSDlg::Channel& c = d.m_ch[2];
    CCurSYSDlg::Channel& l = d.m_ch[6];
    struct Case {
        const char* what;
        CNumEdit& edit;
        const char* typed;
        std::function<int(CKTV_OutData*)> get;
        int code;
        CNumSpin& linkedSpin;
        int linkedShown;
    } cases[] = {
        {"limit level", c.level, "-6.5", [](CKTV_OutData* o) { return o->GetLimThreshold(); }, 235,
         l.levelSpin, 235},
        {"limiter attack", c.attack, "20", [](CKTV_OutData* o) { return o->GetLimAttack(); }, 26,
         l.attackSpin, 26},
        {"limiter release (shown + 50)", c.release, "300", [](CKTV_OutData* o) { return o->GetLimRelease(); },
         250, l.releaseSpin, 300},
    };
    for (const Case& cs : cases) {
        out->SetLimiterChanged(0);
        TypeInto(cs.edit, cs.typed);
        EXPECT_EQ(cs.get(out), cs.code) << cs.what;
        EXPECT_EQ(cs.get(linked), cs.code) << cs.what << ": linked output";
        EXPECT_EQ(cs.linkedSpin.GetPos(), cs.linkedShown) << cs.what << ": linked field";
        EXPECT_NE(cs.get(other), cs.code) << cs.what << ": not linked";
    }
    EXPECT_TRUE(out->GetLimiterChanged());
    // The limit level redrew both curves.
    EXPECT_EQ(c.curve.GetKneeCode(), 235);
    EXPECT_EQ(l.curve.GetKneeCode(), 235);
    // The ratio spin steps by 1 up to 10.
    c.ratioSpin.Step(1);
    r9test::Pump();
    EXPECT_EQ(out->GetMix2In7(), 2);
    EXPECT_EQ(linked->GetMix2In7(), 2);
    EXPECT_EQ(l.ratioSpin.GetPos(), 2);
    EXPECT_EQ(c.curve.GetMix2Copy()[6], 2);
    // A spin step of the limiter level.
    c.levelSpin.Step(-1);
    r9test::Pump();
    EXPECT_EQ(out->GetLimThreshold(), 234);
    EXPECT_EQ(linked->GetLimThreshold(), 234);
    // The noise gate of the first music input.
    TypeInto(d.m_gate, "-100");
    EXPECT_EQ(m_doc->GetMusic(0)->GetNoiseGate(), 20);
    EXPECT_TRUE(m_doc->GetMusic(0)->GetNoiseGateChanged());
    // Enter ended the typing and Escape ends it too; the dialog stays open.
    EXPECT_TRUE(d.IsWindowVisible());
    d.m_ch[0].attack.SetFocus();
    r9test::Type(d.m_ch[0].attack.Widget(), "3");
    r9test::Key(d.m_ch[0].attack.Widget(), Qt::Key_Escape, Qt::NoModifier, "\x1b");
    r9test::Pump();
    EXPECT_TRUE(d.IsWindowVisible());
    EXPECT_EQ(m_doc->GetOut(0)->GetLimAttack(), 9) << "the typed 3 ms was taken";
}

TEST_F(CurSYSDlgTest, CompressorFieldsKeepTheirValuesAndTheThresholdStaysBelowTheLimit) {
    CCurSYSDlg& d = Open();
    CKTV_OutData* out = m_doc->GetOut(1);
    CCurSYSDlg::Channel& c = d.m_ch[1];
    TypeInto(c.level, "-10");
    EXPECT_EQ(out->GetLimThreshold(), 200);
    // A threshold above the limit comes down to it.
    TypeInto(c.compThreshold, "0");
    EXPECT_EQ(c.compThresholdSpin.GetPos(), 200);
    EXPECT_EQ(d.m_nCompThreshold[1], 200);
    EXPECT_STREQ(Text(c.compThreshold).GetString(), "-10.0dBu");
    // The limit is never raised to the compressor: the output keeps no compressor threshold.
    TypeInto(c.level, "-20");
    EXPECT_EQ(out->GetLimThreshold(), 100);
    TypeInto(c.compAttack, "5");
    TypeInto(c.compRelease, "120");
    EXPECT_EQ(d.m_nCompAttack[1], 11);
    EXPECT_EQ(d.m_nCompReleaseCode[1], 70);
    // They come back when the values are loaded again, and the limiter is untouched by them.
    d.LoadValues();
    EXPECT_EQ(c.compThresholdSpin.GetPos(), 200);
    EXPECT_EQ(c.compAttackSpin.GetPos(), 11);
    EXPECT_EQ(c.compReleaseSpin.GetPos(), 120);
    EXPECT_EQ(out->GetLimAttack(), 56);
    EXPECT_EQ(out->GetLimRelease(), 100);
}

TEST_F(CurSYSDlgTest, HiddenInputListsSwitchTheInputs) {
    CCurSYSDlg& d = Open();
    CKTV_OutData* out = m_doc->GetOut(3);
    struct Case {
        int sel, lOff, rOff;
    } cases[] = {{0, 0, 1}, {1, 1, 0}, {2, 0, 0}};
    for (const Case& cs : cases) {
        d.m_inputOff[3].SetCurSel(cs.sel);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(CCurSYSDlg::IDC_INPUT_OFF + 3, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(d.m_inputOff[3].GetSafeHwnd()));
        EXPECT_EQ(out->GetInLOff(), cs.lOff) << cs.sel;
        EXPECT_EQ(out->GetInROff(), cs.rOff) << cs.sel;
    }
    EXPECT_FALSE(d.m_inputOff[3].IsWindowVisible());
}

TEST_F(CurSYSDlgTest, WithoutADocumentNothingIsWritten) {
    m_dlg = std::make_unique<CCurSYSDlg>();
    ASSERT_TRUE(m_dlg->Create(IDD_CUR_SYS));
    for (int n = 0; n < NUM_OUTPUTS; ++n) {
        m_dlg->OnLimLevel(n);
        m_dlg->OnRatio(n);
        EXPECT_EQ(m_dlg->m_ch[n].curve.GetOutput(), nullptr);
    }
    m_dlg->OnNoiseGate();
    EXPECT_EQ(m_doc->GetOut(0)->GetLimThreshold(), 420);
}

TEST_F(CurSYSDlgTest, RendersInBothLanguages) {
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        m_doc->GetOut(0)->SetLimiter(300, 56, 100);
        m_doc->GetOut(5)->SetLimiter(120, 10, 400);
        m_doc->GetOut(6)->SetMix2In7(21);
        CCurSYSDlg& d = Open();
        EXPECT_STREQ(Text(d).GetString(), chinese ? "系统" : "System");
        EXPECT_STREQ(d.m_ch[0].group.GetCaption().GetString(), "CH1  Limiter &&Compression");
        EXPECT_STREQ(d.m_ch[7].group.GetCaption().GetString(), "CH8  Limiter && Compression");
        EXPECT_STREQ(Text(d.m_labels[0]).GetString(), "Level");
        EXPECT_STREQ(Text(d.m_ratioLabels[1]).GetString(), "Ratio");
        EXPECT_EQ(d.m_labels[0].GetFontSize(), 15);
        EXPECT_TRUE(d.m_labels[0].IsLeftAligned());
        d.Invalidate(TRUE);
        r9test::Pump();
        const QImage img = r9test::RenderToPng(d.Widget(), chinese ? "system_dialog_zh" : "system_dialog_en");
        ASSERT_FALSE(img.isNull());
        // The dark skin: the page, the group panels and the source list.
        const QRgb page = img.pixel(4, 640), panel = img.pixel(90, 300), list = img.pixel(170, 16);
        EXPECT_EQ(page, qRgb(27, 30, 36));
        EXPECT_EQ(panel, qRgb(34, 38, 46));
        EXPECT_EQ(list, qRgb(34, 38, 46));
        m_dlg.reset();
    }
}

} // namespace
