// Companion button of the numeric field: zones, tracking, zone steps, keys, wheel and its looks.
#include "model/Globals.h"

#include "controls/NumEdit.h"
#include "controls/NumSpin.h"
#include "NumFieldHost.h"
#include "res/ResourceTable.h"
#include "support/RenderToPng.h"
#include "support/ResetGlobals.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <vector>

namespace {

// The states stacked and enlarged four times, for looking at small controls.
void SaveGallery(const std::vector<QImage>& images, const QString& name) {
    int w = 0, h = 0;
    for (const QImage& i : images) {
        w = std::max(w, i.width());
        h += i.height() + 4;
    }
    QImage sheet(w, h, QImage::Format_ARGB32);
    sheet.fill(QColor(27, 30, 36));
    QPainter p(&sheet);
    int y = 0;
    for (const QImage& i : images) {
        p.drawImage(0, y, i);
        y += i.height() + 4;
    }
    p.end();
    sheet.scaled(w * 4, h * 4).save(r9test::TestOutDir() + "/" + name + ".png");
}

constexpr UINT kArt = 64800; // normal, left, middle, right lit; disabled
constexpr int kW = 66;
constexpr int kH = 22;

void RegisterZoneArt() {
    for (int zone = 0; zone < 4; ++zone)
        res::AddArt({kArt + static_cast<UINT>(zone), false, kW, kH, "spin-zones", zone, nullptr, 0});
    res::AddArt({kArt + 4, false, kW, kH, "spin-zones", 6, nullptr, 0});
}

struct SpinBtnFixture : ::testing::Test {
    NumFieldHost host;
    CNumEdit edit;
    CNumSpin spin;
    CSpinBtn btn;
    void SetUp() override {
        r9test::ResetModelGlobals();
        RegisterZoneArt();
        ASSERT_TRUE(host.CreateTop(300, 120));
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 60, 110, 82), &host, 1500));
        ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, CRect(112, 60, 128, 82), &host, 1501));
        spin.SetBuddy(&edit);
        edit.SetType(NUMTYPE_INT, "");
        spin.SetRange32(0, 100);
        spin.SetPos(50);
        ASSERT_TRUE(btn.Create("", WS_CHILD | WS_VISIBLE | BS_TOP, CRect(10, 10, 110, 30), &host, 1502));
        btn.SetBitmaps(kArt, kArt + 1, kArt + 2, kArt + 3);
        host.Clear();
    }
    void Leave() {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(btn.Widget(), &e);
    }
};

TEST_F(SpinBtnFixture, OwnerDrawnAndSizedToItsBitmapWithZonesAtAFifthAndAHalf) {
    EXPECT_EQ(btn.GetKind(), 0);
    EXPECT_EQ(btn.GetStyle() & BS_TYPEMASK, BS_OWNERDRAW);
    CRect rc;
    btn.GetClientRect(&rc);
    EXPECT_EQ(rc.Width(), kW);
    EXPECT_EQ(rc.Height(), kH);
    // 66 / 5.5 = 12.
    EXPECT_EQ(btn.GetZone(1), CRect(0, 0, 12, kH));
    EXPECT_EQ(btn.GetZone(2), CRect(12, 0, 54, kH));
    EXPECT_EQ(btn.GetZone(3), CRect(54, 0, 66, kH));
    // A width that does not divide: 60 / 5.5 = 10.9, cut toward zero on both sides.
    CSpinBtn narrow;
    ASSERT_TRUE(narrow.Create("", WS_CHILD | BS_TOP, CRect(0, 0, 60, 20), &host, 1503));
    narrow.SetBitmaps(0, 0, 0, 0);
    EXPECT_EQ(narrow.GetZone(1), CRect(0, 0, 10, 20));
    EXPECT_EQ(narrow.GetZone(2), CRect(10, 0, 49, 20));
    EXPECT_EQ(narrow.GetZone(3), CRect(49, 0, 60, 20));
    // A bitmap id that does not load keeps the size (drawn as a face fill).
    narrow.SetBitmaps(64999, 0, 0, 0);
    narrow.GetClientRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 60, 20));
}

TEST_F(SpinBtnFixture, TrackingLightsTheZoneUnderTheMouse) {
    QWidget* w = btn.Widget();
    r9test::Move(w, {5, 5});
    EXPECT_EQ(btn.GetHotZone(), 0); // tracking off
    btn.SetActive(1);
    EXPECT_EQ(btn.GetHotZone(), 2);
    EXPECT_EQ(btn.CurrentBitmap(), kArt + 2);
    const struct {
        int x;
        int zone;
    } moves[] = {{0, 1}, {11, 1}, {12, 2}, {53, 2}, {54, 3}, {65, 3}, {30, 2}, {2, 1}};
    for (const auto& m : moves) {
        r9test::Move(w, {m.x, 10});
        EXPECT_EQ(btn.GetHotZone(), m.zone) << m.x;
        EXPECT_EQ(btn.CurrentBitmap(), kArt + static_cast<UINT>(m.zone));
    }
    Leave();
    EXPECT_EQ(btn.GetHotZone(), 2);
    btn.SetActive(0);
    EXPECT_EQ(btn.GetHotZone(), 0);
    EXPECT_EQ(btn.CurrentBitmap(), kArt);
}

TEST_F(SpinBtnFixture, DoubleClickStepsTheBoundSpinOnceWhileTracking) {
    QWidget* w = btn.Widget();
    // Unbound: nothing to step, nothing breaks.
    btn.SetActive(1);
    r9test::Move(w, {60, 10});
    r9test::DoubleClick(w, {60, 10});
    EXPECT_EQ(spin.GetPos(), 50);

    btn.BindSpin(1501, &spin);
    r9test::Move(w, {60, 10});
    r9test::DoubleClick(w, {60, 10});
    EXPECT_EQ(spin.GetPos(), 51);
    EXPECT_EQ(host.Commands(1501), 1);
    r9test::Move(w, {3, 10});
    r9test::DoubleClick(w, {3, 10});
    EXPECT_EQ(spin.GetPos(), 50);
    // The middle steps nothing; with tracking off no zone steps.
    r9test::Move(w, {30, 10});
    r9test::DoubleClick(w, {30, 10});
    EXPECT_EQ(spin.GetPos(), 50);
    btn.SetActive(0);
    r9test::Move(w, {60, 10});
    r9test::DoubleClick(w, {60, 10});
    EXPECT_EQ(spin.GetPos(), 50);
}

TEST_F(SpinBtnFixture, PressPostsAButtonDownToTheParentAndTheWheelStepsNothing) {
    btn.BindSpin(1501, &spin);
    btn.SetActive(1);
    QWidget* w = btn.Widget();
    r9test::Press(w, {60, 10});
    EXPECT_EQ(CWnd::GetFocus(), &btn);
    host.Flush();
    const auto downs = host.Of(WM_LBUTTONDOWN);
    ASSERT_FALSE(downs.empty());
    EXPECT_EQ(downs.back().wParam, 0u);
    EXPECT_EQ(downs.back().lParam, 0);
    r9test::Release(w, {60, 10});
    for (int delta : {120, 120, -120, 60, 60, -240})
        r9test::Wheel(w, {60, 10}, delta);
    EXPECT_EQ(spin.GetPos(), 50);
}

TEST_F(SpinBtnFixture, UpAndRightGiveTheFocusToTheField) {
    edit.CreateSpinButton(1510);
    CSpinBtn& companion = edit.SpinButton();
    edit.SetReadOnly(TRUE);
    for (int key : {Qt::Key_Left, Qt::Key_Down}) {
        companion.SetFocus();
        r9test::Key(companion.Widget(), key);
        EXPECT_EQ(CWnd::GetFocus(), &companion) << key;
    }
    for (int key : {Qt::Key_Up, Qt::Key_Right}) {
        companion.SetFocus();
        r9test::Key(companion.Widget(), key);
        EXPECT_EQ(CWnd::GetFocus(), &edit) << key;
    }
}

TEST_F(SpinBtnFixture, LooksPerZoneAndDisabled) {
    btn.SetWindowText("");
    QImage base = r9test::RenderToPng(btn.Widget(), "spinbtn_zone0");
    std::vector<QImage> gallery{base};
    btn.SetActive(1);
    for (int zone : {1, 2, 3}) {
        r9test::Move(btn.Widget(), {zone == 1 ? 3 : zone == 2 ? 30 : 60, 10});
        const QImage img = r9test::RenderToPng(btn.Widget(), QString("spinbtn_zone%1").arg(zone));
        ASSERT_EQ(img.size(), QSize(kW, kH));
        gallery.push_back(img);
        // Only the lit zone differs from the unlit look.
        const CRect lit = btn.GetZone(zone);
        bool insideDiffers = false, outsideDiffers = false;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                const bool differs = img.pixel(x, y) != base.pixel(x, y);
                if (lit.PtInRect(CPoint(x, y)))
                    insideDiffers |= differs;
                else
                    outsideDiffers |= differs && x != lit.left - 1 && x != lit.right;
            }
        EXPECT_TRUE(insideDiffers) << zone;
        EXPECT_FALSE(outsideDiffers) << zone;
    }
    // An enabled button without text draws only its bitmap: no white text pixels.
    bool white = false;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            white |= QColor(base.pixel(x, y)) == QColor(Qt::white);
    EXPECT_FALSE(white);

    // Disabled without a disabled bitmap: a button-face fill and the text in grey 0x9B9B9B.
    btn.SetWindowText("12.5");
    btn.EnableWindow(FALSE);
    QImage off = r9test::RenderToPng(btn.Widget(), "spinbtn_disabled_fill");
    gallery.push_back(off);
    EXPECT_EQ(QColor(off.pixel(1, 1)), QColor(240, 240, 240));
    bool grey = false;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            grey |= QColor(off.pixel(x, y)) == QColor(155, 155, 155);
    EXPECT_TRUE(grey);
    // With the disabled bitmap it is drawn instead of the fill.
    btn.SetDisabledBitmap(kArt + 4);
    off = r9test::RenderToPng(btn.Widget(), "spinbtn_disabled");
    gallery.push_back(off);
    EXPECT_NE(QColor(off.pixel(1, 1)), QColor(240, 240, 240));
    btn.EnableWindow(TRUE);
    btn.SetActive(0);
    gallery.push_back(r9test::RenderToPng(btn.Widget(), "spinbtn_text"));
    SaveGallery(gallery, "spinbtn_gallery");
}

} // namespace
