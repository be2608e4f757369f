// The limiter transfer-curve control: geometry, the knee drag through mouse messages, what the
// drag changes with and without bound fields, and the drawing.
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"

#include "controls/NumEdit.h"
#include "controls/NumSpin.h"
#include "pages/output/COM_EXT_LIMStatic.h"
#include "platform/ui/Brush.h"
#include "platform/ui/WinUser.h"
#include "support/RenderToPng.h"
#include "support/ResetGlobals.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <cmath>
#include <memory>

namespace {

constexpr COLORREF kHostColour = RGB(27, 30, 36);

class Host : public CWnd {
public:
    Host() : m_brush(kHostColour) {
        m_hbrBackground = static_cast<HBRUSH>(m_brush.m_hObject);
        CreateEx(0, "", "host", WS_POPUP | WS_VISIBLE, CRect(40, 40, 440, 340), nullptr, 0);
    }
    ~Host() override { DestroyWindow(); }

private:
    CBrush m_brush;
};

void Pump() {
    for (int i = 0; i < 4; ++i)
        QApplication::processEvents();
}

void Mouse(CWnd& w, QEvent::Type type, CPoint pt, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPointF local(pt.x, pt.y);
    QMouseEvent e(type, local, w.Widget()->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(w.Widget(), &e);
}
void MoveTo(CWnd& w, CPoint pt, bool held) {
    Mouse(w, QEvent::MouseMove, pt, Qt::NoButton, held ? Qt::LeftButton : Qt::NoButton);
}
void Press(CWnd& w, CPoint pt) {
    Mouse(w, QEvent::MouseButtonPress, pt, Qt::LeftButton, Qt::LeftButton);
}
void Release(CWnd& w, CPoint pt) {
    Mouse(w, QEvent::MouseButtonRelease, pt, Qt::LeftButton, Qt::NoButton);
}

COLORREF Pixel(const QImage& img, int x, int y) {
    const QRgb p = img.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

// The level of a pointer row on a 300 x 200 curve (plot bottom 185, 180 rows for 420 codes).
int Level(int y) {
    return static_cast<int>((185 - y) / (180 / 420.0));
}

class LimiterCurveTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        m_doc = std::make_unique<CKTV_Data>();
        m_doc->InitLinkTable();
        m_host = std::make_unique<Host>();
    }
    void TearDown() override {
        m_host.reset();
        m_doc.reset();
        r9test::ResetModelGlobals();
    }

    // A curve of w x h at (10, 10) showing output n in the drawing mode.
    std::unique_ptr<CCOM_EXT_LIMStatic> MakeCurve(int n, int w = 300, int h = 200) {
        auto curve = std::make_unique<CCOM_EXT_LIMStatic>();
        EXPECT_TRUE(
            curve->Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + w, 10 + h), m_host.get(), 2513));
        curve->CalcPlotRect();
        curve->SetScaleMode(CCOM_EXT_LIMStatic::kDrawMode);
        curve->SetChannelArray(m_doc.get());
        curve->SelectOutput(n);
        return curve;
    }

    // A level field pair as the System dialog makes it.
    struct Pair {
        CNumEdit edit;
        CNumSpin spin;
    };
    std::unique_ptr<Pair> MakePair(int id, int y) {
        auto p = std::make_unique<Pair>();
        p->edit.Create(WS_CHILD | WS_VISIBLE, CRect(320, y, 380, y + 20), m_host.get(), id);
        p->spin.Create(WS_CHILD | WS_VISIBLE, CRect(380, y, 396, y + 20), m_host.get(), id + 30);
        p->spin.SetBuddy(&p->edit);
        p->edit.SetType(NUMTYPE_LEVEL_DBU_1DEC, "");
        p->edit.SetStep(0.1);
        p->edit.SetOffset(30.0);
        p->spin.SetRange32(0, 420);
        return p;
    }

    // Hovers the knee, presses, moves to each y and releases at the last one.
    static void DragKneeTo(CCOM_EXT_LIMStatic& c, std::initializer_list<int> ys) {
        const CPoint knee = c.GetKneeRect().CenterPoint();
        MoveTo(c, knee, false);
        Press(c, knee);
        CPoint last = knee;
        for (int y : ys) {
            last = CPoint(knee.x, y);
            MoveTo(c, last, true);
        }
        Release(c, last);
    }

    std::unique_ptr<CKTV_Data> m_doc;
    std::unique_ptr<Host> m_host;
};

TEST_F(LimiterCurveTest, GeometryFollowsTheCodesAndTheScales) {
    CKTV_OutData* out = m_doc->GetOut(2);
    out->SetLimiter(300, 20, 3);
    auto c = MakeCurve(2);
    EXPECT_EQ(c->GetPlotRect(), CRect(20, 5, 290, 185));
    EXPECT_DOUBLE_EQ(c->GetVScale(), 180 / 420.0);
    EXPECT_DOUBLE_EQ(c->GetHScale(), 270 / 420.0);
    EXPECT_EQ(c->GetOutput(), out);
    EXPECT_EQ(c->GetKneeCode(), 300);
    EXPECT_EQ(c->GetLimiterCopy()[1], 20);
    EXPECT_EQ(c->GetLimiterCopy()[2], 3);
    EXPECT_EQ(c->GetCurveColor(), g_clrOutCurve[2]);
    const LimPointF k = c->GetKneePoint();
    EXPECT_DOUBLE_EQ(k.x, 20 + 300 * (270 / 420.0));
    EXPECT_DOUBLE_EQ(k.y, 185 - 300 * (180 / 420.0));
    EXPECT_DOUBLE_EQ(c->GetStartPoint().x, 20);
    EXPECT_DOUBLE_EQ(c->GetStartPoint().y, 183);
    EXPECT_DOUBLE_EQ(c->GetEndPoint().x, 290);
    EXPECT_DOUBLE_EQ(c->GetEndPoint().y, k.y);
    const CRect knee = c->GetKneeRect();
    EXPECT_EQ(knee, CRect(static_cast<int>(k.x - 3), static_cast<int>(k.y - 3), static_cast<int>(k.x - 3) + 6,
                          static_cast<int>(k.y - 3) + 6));
    // Mix row 2 is copied too (the ratio byte).
    out->SetMix2In7(41);
    c->RefreshCurve();
    EXPECT_EQ(c->GetMix2Copy()[6], 41);
    // A threshold from a device beyond the axes keeps the knee on the plot.
    out->SetLimiter(900, 20, 3);
    c->RefreshCurve();
    EXPECT_DOUBLE_EQ(c->GetKneePoint().y, 5);
    // Attack and release change nothing of the drawing.
    out->SetLimiter(300, 200, 5);
    c->RefreshCurve();
    EXPECT_DOUBLE_EQ(c->GetKneePoint().x, k.x);
    EXPECT_EQ(c->GetKneeRect(), knee);
}

TEST_F(LimiterCurveTest, KneeDragSetsTheThresholdOfTheOutputAndItsLinkGroupWhileAPairIsBound) {
    g_bOnline = 1;
    g_nOutLinkGroup[5] = 2; // output 6 linked with output 3
    auto limit = MakePair(5622, 20);
    auto mirror = MakePair(5623, 60);
    struct Case {
        const char* what;
        std::initializer_list<int> ys;
        int level;
    } cases[] = {
        {"near the 0 dBu line: whole pixel rows over the scale", {131, 134}, Level(134)},
        {"above the plot stops at +12 dBu", {100, 2, -40}, 420},
        {"below the plot stops at -30 dBu", {150, 199, 260}, 0},
        {"half way", {95}, Level(95)},
    };
    for (const Case& cs : cases) {
        auto c = MakeCurve(2);
        c->BindLimitCtrls(&limit->spin, &limit->edit);
        c->BindMirrorCtrls(&mirror->spin, &mirror->edit);
        limit->edit.SetHighlight(FALSE);
        mirror->edit.SetHighlight(FALSE);
        m_doc->GetOut(2)->SetLimiterChanged(0);
        DragKneeTo(*c, cs.ys);
        EXPECT_FALSE(c->IsDragging()) << cs.what;
        EXPECT_EQ(c->GetKneeCode(), cs.level) << cs.what;
        EXPECT_EQ(m_doc->GetOut(2)->GetLimThreshold(), cs.level) << cs.what;
        EXPECT_EQ(m_doc->GetOut(5)->GetLimThreshold(), cs.level) << cs.what << ": the linked output";
        EXPECT_EQ(m_doc->GetOut(4)->GetLimThreshold(), 420) << cs.what << ": not linked";
        EXPECT_TRUE(m_doc->GetOut(2)->GetLimiterChanged()) << cs.what;
        EXPECT_EQ(limit->spin.GetPos(), cs.level) << cs.what;
        EXPECT_EQ(mirror->spin.GetPos(), cs.level) << cs.what;
        EXPECT_TRUE(limit->edit.GetHighlight()) << cs.what;
        EXPECT_TRUE(mirror->edit.GetHighlight()) << cs.what;
        // The handle followed the knee.
        EXPECT_NEAR(c->GetKneeRect().CenterPoint().y, 185 - cs.level * 180 / 420.0, 1.0) << cs.what;
    }
}

TEST_F(LimiterCurveTest, KneeDragWithoutABoundPairChangesOnlyTheControlsCopy) {
    g_bOnline = 1;
    auto c = MakeCurve(0);
    const LimPointF before = c->GetKneePoint();
    DragKneeTo(*c, {120});
    EXPECT_EQ(c->GetKneeCode(), Level(120));
    EXPECT_EQ(m_doc->GetOut(0)->GetLimThreshold(), 420);
    EXPECT_FALSE(m_doc->GetOut(0)->GetLimiterChanged());
    EXPECT_DOUBLE_EQ(c->GetKneePoint().y, before.y) << "not redrawn";
    // Only a mirror pair is not enough.
    auto mirror = MakePair(5623, 60);
    c->BindMirrorCtrls(&mirror->spin, &mirror->edit);
    c->DragKnee(CPoint(100, 60));
    EXPECT_EQ(m_doc->GetOut(0)->GetLimThreshold(), 420);
    EXPECT_EQ(mirror->spin.GetPos(), 0);
}

TEST_F(LimiterCurveTest, MouseOnlyDragsFromTheKneeAndOnlyInTheDrawingMode) {
    auto limit = MakePair(5620, 20);
    auto c = MakeCurve(0);
    c->BindLimitCtrls(&limit->spin, &limit->edit);
    const CPoint knee = c->GetKneeRect().CenterPoint();
    // A press beside the knee drags nothing.
    MoveTo(*c, CPoint(knee.x + 40, knee.y + 40), false);
    EXPECT_FALSE(c->IsHovering());
    Press(*c, CPoint(knee.x + 40, knee.y + 40));
    MoveTo(*c, CPoint(knee.x, 120), true);
    Release(*c, CPoint(knee.x, 120));
    EXPECT_EQ(m_doc->GetOut(0)->GetLimThreshold(), 420);
    EXPECT_EQ(GetCapture(), nullptr) << "capture released";
    // Over the knee the diagonal size cursor, elsewhere the arrow.
    MoveTo(*c, knee, false);
    ASSERT_TRUE(c->IsHovering());
    c->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(c->GetSafeHwnd()),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(c->Widget()->cursor().shape(), Qt::BitmapCursor);
    MoveTo(*c, CPoint(knee.x + 40, knee.y + 40), false);
    c->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(c->GetSafeHwnd()),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(c->Widget()->cursor().shape(), Qt::ArrowCursor);
    // Another scale mode ignores the mouse.
    c->SetScaleMode(0);
    MoveTo(*c, knee, false);
    EXPECT_FALSE(c->IsHovering());
    Press(*c, knee);
    EXPECT_FALSE(c->IsDragging());
    Release(*c, knee);
    EXPECT_EQ(m_doc->GetOut(0)->GetLimThreshold(), 420);
}

// A knee drag whose capture is taken away (its window disabled for a moment) ends: moving over
// the knee afterwards, with or without the button, drags nothing.
TEST_F(LimiterCurveTest, AKneeDragEndedByALostCaptureDragsNothingMore) {
    auto limit = MakePair(5620, 20);
    auto c = MakeCurve(0);
    c->BindLimitCtrls(&limit->spin, &limit->edit);
    const CPoint knee = c->GetKneeRect().CenterPoint();
    MoveTo(*c, knee, false);
    Press(*c, knee);
    ASSERT_TRUE(c->IsDragging());
    MoveTo(*c, CPoint(knee.x, knee.y + 10), true);
    const int threshold = m_doc->GetOut(0)->GetLimThreshold();
    c->GetParent()->EnableWindow(FALSE);
    c->GetParent()->EnableWindow(TRUE);
    EXPECT_FALSE(c->IsDragging());
    EXPECT_EQ(GetCapture(), nullptr);
    for (const bool held : {true, false})
        MoveTo(*c, CPoint(knee.x, 120), held);
    Release(*c, CPoint(knee.x, 120));
    MoveTo(*c, CPoint(knee.x, 60), false);
    EXPECT_EQ(m_doc->GetOut(0)->GetLimThreshold(), threshold);
}

TEST_F(LimiterCurveTest, APlotWithoutHeightIgnoresTheDrag) {
    auto limit = MakePair(5620, 20);
    for (int h : {20, 12}) {
        auto c = MakeCurve(0, 200, h);
        c->BindLimitCtrls(&limit->spin, &limit->edit);
        EXPECT_LE(c->GetVScale(), 0.0) << h;
        c->DragKnee(CPoint(50, 3));
        c->DragCompThreshold(CPoint(50, 3));
        c->DragRatio(CPoint(150, 1));
        EXPECT_EQ(m_doc->GetOut(0)->GetLimThreshold(), 420) << h;
        EXPECT_EQ(m_doc->GetOut(0)->GetMix2In7(), 1) << h;
    }
}

TEST_F(LimiterCurveTest, TheUnusedDragsKeepTheirLimits) {
    auto c = MakeCurve(1);
    m_doc->GetOut(1)->SetLimiter(200, 56, 0);
    c->RefreshCurve();
    // The compressor threshold never rises above the knee.
    c->DragCompThreshold(CPoint(100, 6));
    EXPECT_EQ(c->GetCompThresholdCode(), 200);
    c->DragCompThreshold(CPoint(100, 143));
    EXPECT_EQ(c->GetCompThresholdCode(), Level(143));
    // The ratio: 2 dB in for 1 dB out above the knee is 2:1 (code 11), stored in mix row 2.
    const LimPointF k = c->GetKneePoint();
    const double hs = c->GetHScale(), vs = c->GetVScale();
    c->DragRatio(CPoint(static_cast<int>(k.x + 100 * hs + 0.5), static_cast<int>(k.y - 50 * vs - 0.5)));
    EXPECT_NEAR(m_doc->GetOut(1)->GetMix2In7(), 11, 1);
    EXPECT_EQ(c->GetMix2Copy()[6], m_doc->GetOut(1)->GetMix2In7());
}

TEST_F(LimiterCurveTest, DrawsFrameGridCurveAndKnee) {
    m_doc->GetOut(3)->SetLimiter(300, 56, 0);
    auto c = MakeCurve(3);
    Pump();
    c->Invalidate(TRUE);
    // The axes carry numbers only: the same in both languages.
    g_bChinese = 1;
    c->Invalidate(TRUE);
    const QImage zh = r9test::RenderToPng(c->Widget(), "limiter_curve_zh");
    g_bChinese = 0;
    c->Invalidate(TRUE);
    const QImage img = r9test::RenderToPng(c->Widget(), "limiter_curve_en");
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(zh, img);
    const CRect p = c->GetPlotRect();
    EXPECT_EQ(Pixel(img, p.left, (p.top + p.bottom) / 2), RGB(0, 180, 0)) << "frame";
    EXPECT_EQ(Pixel(img, p.right - 1, p.top + 3), RGB(0, 180, 0)) << "frame";
    const int gridY = static_cast<int>(220 * c->GetVScale()) + 5;
    EXPECT_EQ(Pixel(img, p.right - 6, gridY), RGB(21, 100, 21)) << "grid";
    const int gridX = static_cast<int>(100 * c->GetHScale()) + 20;
    EXPECT_EQ(Pixel(img, gridX, p.bottom - 4), RGB(21, 100, 21)) << "grid";
    const CPoint knee = c->GetKneeRect().CenterPoint();
    EXPECT_EQ(Pixel(img, knee.x, knee.y), RGB(255, 255, 0)) << "knee";
    // The flat part in the output's colour, right of the knee.
    const ArgbColor clr = g_clrOutCurve[3];
    const int flatY = static_cast<int>(std::lround(c->GetKneePoint().y));
    bool found = false;
    for (int dy = -1; dy <= 1 && !found; ++dy)
        found = Pixel(img, (knee.x + p.right) / 2, flatY + dy) == RGB(clr.r, clr.g, clr.b);
    EXPECT_TRUE(found) << "flat line";
    EXPECT_EQ(Pixel(img, 2, 2), RGB(0, 0, 0)) << "black background";
    // Another scale mode draws nothing of the graph.
    c->SetScaleMode(0);
    c->Invalidate(TRUE);
    const QImage none = r9test::RenderToPng(c->Widget(), "");
    EXPECT_NE(Pixel(none, p.left, (p.top + p.bottom) / 2), RGB(0, 180, 0));
    EXPECT_NE(Pixel(none, knee.x, knee.y), RGB(255, 255, 0));
}

} // namespace
