#include "controls/BitmapSlider.h"
#include "controls/NumEdit.h"

#include "SkinControlFixture.h"
#include "controls/ControlMessages.h"
#include "model/Conversions.h"

using namespace skintest;

namespace {

constexpr int kId = 2571;

class BitmapSliderTest : public SkinControlTest {
protected:
    void SetUp() override {
        SkinControlTest::SetUp();
        AttachStatic(slider, kId, CRect(20, 20, 44, 180));
        ASSERT_TRUE(slider.SetChannelBitmaps(kChannelV, kChannelActiveV, FALSE, 0, 0, 0));
        ASSERT_TRUE(slider.SetThumbBitmaps(kThumbV, kThumbActiveV, FALSE, 0, 0, 0));
        slider.SetDisabledThumb(kThumbDisabledV);
        slider.SetRange(0, 240, TRUE);
        slider.SetValueMode(10);
        slider.SetMargins(1, 2, 1, 2);
        r9test::Pump();
        parent.Clear();
    }
    // Messages the slider posted, after running the queue.
    std::vector<r9test::LoggedMessage> Posted(UINT message) {
        r9test::Pump();
        return parent.Of(message);
    }
    QPoint ThumbCentre() const { return QPoint(12, slider.PixelOfPos(slider.GetRawPos())); }

    CBitmapSlider slider;
};

TEST_F(BitmapSliderTest, ValuesRunAgainstPositionsWithTheOffsetOfMode10) {
    EXPECT_EQ(ClientRect(slider).Size(), CSize(24, 160)); // sized to the channel
    slider.SetPos(80);
    EXPECT_EQ(slider.GetRawPos(), 240); // bottom
    EXPECT_EQ(slider.GetPos(), 80);
    slider.SetPos(320);
    EXPECT_EQ(slider.GetRawPos(), 0); // top
    EXPECT_EQ(slider.GetPos(), 320);
    slider.SetValueMode(0);
    slider.SetPos(40);
    EXPECT_EQ(slider.GetRawPos(), 200);
    EXPECT_EQ(slider.GetPos(), 40);
    // A positive minimum is only remembered: travel still starts at 0.
    slider.SetRange(10, 100);
    slider.SetRawPos(-5);
    EXPECT_EQ(slider.GetRawPos(), 0);
    slider.SetRawPos(500);
    EXPECT_EQ(slider.GetRawPos(), 100);
}

TEST_F(BitmapSliderTest, PixelsAndPositionsRoundHalfAwayFromZeroInsideTheMargins) {
    // Vertical: channel 160, margins 2 + 2, thumb 12: travel 144 pixels from pixel 2 + 6 = 8.
    struct Case {
        int max, from, to;
    };
    const Case pixelOf[] = {
        {240, 0, 8},
        {240, 240, 152},
        {240, 120, 80},
        {240, 1, 9} /* 0.6 -> 1 */,
        {240, 3, 10} /* 1.8 -> 2 */,
        {100, 50, 80},
        {100, 1, 9} /* 1.44 -> 1 */,
        {7, 1, 29} /* 20.57 -> 21 */,
        {288, 1, 9} /* 0.5 -> 1 */,
    };
    for (const Case& c : pixelOf) {
        slider.SetRange(0, c.max);
        EXPECT_EQ(slider.PixelOfPos(c.from), c.to) << c.max << "/" << c.from;
    }
    const Case posOf[] = {
        {240, 8, 0},
        {240, 152, 240},
        {240, 9, 2} /* 1.67 -> 2 */,
        {100, 9, 1} /* 0.69 -> 1 */,
        {100, 10, 1} /* 1.39 -> 1 */,
        {288, 9, 2},
        {7, 18, 0} /* 0.49 -> 0 */,
        {7, 29, 1},
        {96, 11, 2} /* 1.5 -> 2 */,
        {96, 5, -2} /* -1.5 -> -2 */,
    };
    for (const Case& c : posOf) {
        slider.SetRange(0, c.max);
        EXPECT_EQ(slider.PosOfPixel(c.from), c.to) << c.max << "/" << c.from;
    }
    slider.SetRange(0, 288);
    EXPECT_EQ(slider.PosOfPixel(7), -2); // (7 - 8) x 2 = -2
    slider.SetRange(0, 240);
    EXPECT_EQ(slider.PosOfPixel(8 + 3), 5); // 3 / 144 x 240 = 5.0
    // Horizontal uses the width, the left and right margins and the thumb width.
    slider.SetVertical(FALSE);
    ASSERT_TRUE(slider.SetChannelBitmaps(kChannelH, 0, FALSE, 0, 0, 0));
    ASSERT_TRUE(slider.SetThumbBitmaps(kThumbH, 0, FALSE, 0, 0, 0));
    slider.SetRange(0, 40);
    slider.SetMargins(1, 5, 1, -1);
    EXPECT_EQ(slider.PixelOfPos(0), 1 + 6);
    EXPECT_EQ(slider.PixelOfPos(40), 1 + 6 + 146);
    EXPECT_EQ(slider.PosOfPixel(7 + 73), 20);
}

TEST_F(BitmapSliderTest, DegenerateRangeOrTravelNeverDivides) {
    slider.SetRange(0, 0);
    EXPECT_EQ(slider.PixelOfPos(0), 8);
    EXPECT_EQ(slider.PosOfPixel(100), 0);
    slider.SetRange(0, 240);
    slider.SetMargins(0, 80, 0, 80); // travel 160 - 160 - 12 < 0
    EXPECT_EQ(slider.PixelOfPos(100), 86);
    EXPECT_EQ(slider.PosOfPixel(100), 0);
    r9test::Press(slider.Widget(), QPoint(12, 100));
    r9test::Release(slider.Widget(), QPoint(12, 100));
    EXPECT_EQ(slider.GetRawPos(), 0); // the target is held at the only thumb pixel
}

TEST_F(BitmapSliderTest, DraggingTheThumbReportsMovingPerTickAndMovedOnRelease) {
    slider.SetRawPos(120);
    const QPoint start = ThumbCentre() + QPoint(0, 3); // grabbed 3 pixels below the centre
    r9test::Press(slider.Widget(), start);
    EXPECT_TRUE(slider.IsDragging());
    EXPECT_EQ(slider.GetRawPos(), 120); // a press on the thumb does not step
    EXPECT_EQ(CWnd::GetFocus(), &slider);
    r9test::Pump(); // the focus gain posted its WM_SLIDER_MOVING
    parent.Clear();
    // No change yet: a tick posts nothing.
    slider.SendMessage(WM_TIMER, 5, 0);
    EXPECT_TRUE(Posted(WM_SLIDER_MOVING).empty());
    r9test::Move(slider.Widget(), start + QPoint(0, 30), Qt::LeftButton);
    r9test::Move(slider.Widget(), start + QPoint(0, 60), Qt::LeftButton);
    EXPECT_EQ(slider.PixelOfPos(slider.GetRawPos()), 80 + 60); // the grab offset is kept
    EXPECT_EQ(slider.GetRawPos(), 220);                        // (140 - 8) / 144 x 240
    slider.SendMessage(WM_TIMER, 5, 0);
    slider.SendMessage(WM_TIMER, 5, 0); // a second tick without a change posts nothing more
    const auto moving = Posted(WM_SLIDER_MOVING);
    ASSERT_EQ(moving.size(), 1u);
    EXPECT_EQ(moving[0].wParam, static_cast<WPARAM>(kId));
    EXPECT_EQ(moving[0].lParam, 220);
    // Past the end the target is held at the last thumb-centre pixel.
    r9test::Move(slider.Widget(), QPoint(12, 400), Qt::LeftButton);
    EXPECT_EQ(slider.GetRawPos(), 240);
    r9test::Release(slider.Widget(), QPoint(12, 400));
    EXPECT_FALSE(slider.IsDragging());
    const auto moved = Posted(WM_SLIDER_MOVED);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].lParam, 240);
    EXPECT_FALSE(slider.KillTimer(5)); // the tick timer ended with the release
}

TEST_F(BitmapSliderTest, APressBesideTheThumbStepsOnceTowardItWithoutDragging) {
    slider.SetRawPos(120);
    r9test::Press(slider.Widget(), QPoint(12, 20));
    EXPECT_EQ(slider.GetRawPos(), 119);
    EXPECT_FALSE(slider.IsDragging());
    r9test::Move(slider.Widget(), QPoint(12, 10), Qt::LeftButton);
    EXPECT_EQ(slider.GetRawPos(), 119);
    r9test::Release(slider.Widget(), QPoint(12, 10));
    r9test::Press(slider.Widget(), QPoint(12, 150));
    r9test::Release(slider.Widget(), QPoint(12, 150));
    EXPECT_EQ(slider.GetRawPos(), 120);
    EXPECT_EQ(Posted(WM_SLIDER_MOVED).size(), 2u);
}

TEST_F(BitmapSliderTest, KeysMoveThroughTheClampAndReportMoved) {
    struct Case {
        int key, from, to;
    };
    const Case cases[] = {
        {Qt::Key_PageUp, 100, 87}, {Qt::Key_PageDown, 100, 113}, {Qt::Key_PageUp, 5, 0},
        {Qt::Key_End, 100, 240},   {Qt::Key_Home, 100, 0},       {Qt::Key_Left, 100, 99},
        {Qt::Key_Up, 100, 99},     {Qt::Key_Right, 100, 101},    {Qt::Key_Down, 240, 240},
    };
    slider.SetFocus();
    for (const Case& c : cases) {
        slider.SetRawPos(c.from);
        parent.Clear();
        r9test::Key(slider.Widget(), c.key);
        EXPECT_EQ(slider.GetRawPos(), c.to) << c.key;
        const auto moved = Posted(WM_SLIDER_MOVED);
        ASSERT_EQ(moved.size(), 1u) << c.key;
        EXPECT_EQ(moved[0].lParam, c.to);
    }
    parent.Clear();
    r9test::Key(slider.Widget(), Qt::Key_A);
    EXPECT_TRUE(Posted(WM_SLIDER_MOVED).empty());
    // Disabled: keys are dropped.
    slider.EnableSlider(FALSE);
    slider.SetRawPos(100);
    r9test::Key(slider.Widget(), Qt::Key_Up);
    EXPECT_EQ(slider.GetRawPos(), 100);
    EXPECT_TRUE(Posted(WM_SLIDER_MOVED).empty());
    EXPECT_EQ(slider.SendMessage(WM_GETDLGCODE), static_cast<LRESULT>(DLGC_WANTALLKEYS));
}

TEST_F(BitmapSliderTest, WheelStepsOnlyOnWholeNotchesAndNotWhileDisabled) {
    struct Case {
        BOOL vertical;
        int delta, to;
    };
    const Case cases[] = {{TRUE, 120, 99},   {TRUE, -120, 101}, {FALSE, 120, 101},
                          {FALSE, -120, 99}, {TRUE, 240, 100},  {TRUE, 60, 100}};
    for (const Case& c : cases) {
        slider.SetVertical(c.vertical);
        slider.SetRawPos(100);
        parent.Clear();
        r9test::Wheel(slider.Widget(), QPoint(12, 50), c.delta);
        EXPECT_EQ(slider.GetRawPos(), c.to) << c.delta;
        EXPECT_EQ(Posted(WM_SLIDER_MOVED).size(), 1u) << c.delta;
    }
    // A disabled fader must not change: the page would apply the posted position.
    slider.SetVertical(TRUE);
    slider.EnableSlider(FALSE);
    parent.Clear();
    r9test::Wheel(slider.Widget(), QPoint(12, 50), 120);
    EXPECT_EQ(slider.GetRawPos(), 100);
    EXPECT_TRUE(Posted(WM_SLIDER_MOVED).empty());
}

TEST_F(BitmapSliderTest, DisablingAPressedFaderEndsItsCaptureAndTimer) {
    // A press on the thumb drags; a press beside it steps once and holds the capture and the
    // timer without dragging. Disabling ends both kinds of press.
    struct Case {
        const char* what;
        bool onThumb;
    };
    const Case cases[] = {{"drag", true}, {"press beside the thumb", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        slider.EnableSlider(TRUE);
        slider.SetRawPos(120);
        if (c.onThumb) {
            r9test::Press(slider.Widget(), ThumbCentre());
            r9test::Move(slider.Widget(), ThumbCentre() + QPoint(0, 20), Qt::LeftButton);
            ASSERT_TRUE(slider.IsDragging());
        } else {
            r9test::Press(slider.Widget(), QPoint(12, 20));
            ASSERT_FALSE(slider.IsDragging());
            ASSERT_EQ(CWnd::GetCapture(), &slider);
        }
        r9test::Pump();
        parent.Clear();
        const int pos = slider.GetRawPos();
        slider.EnableSlider(FALSE);
        EXPECT_FALSE(slider.IsDragging());
        EXPECT_NE(CWnd::GetCapture(), &slider);
        EXPECT_FALSE(slider.KillTimer(5));  // already stopped
        slider.SendMessage(WM_TIMER, 5, 0); // a stale tick reports nothing
        r9test::Move(slider.Widget(), QPoint(12, 150), Qt::LeftButton);
        r9test::Release(slider.Widget(), QPoint(12, 100));
        EXPECT_EQ(slider.GetRawPos(), pos);
        EXPECT_TRUE(Posted(WM_SLIDER_MOVING).empty());
        EXPECT_TRUE(Posted(WM_SLIDER_MOVED).empty());
    }
}

// A drag whose capture is taken away (here: its window is disabled for a moment, as under a modal
// box) ends where it is: the position it shows reaches the parent once, then neither the moves nor
// the release of that press move the fader or report anything, and no end of drag is reported.
TEST_F(BitmapSliderTest, ADragEndedByALostCaptureMovesAndReportsNothingMore) {
    slider.SetRawPos(120);
    r9test::Press(slider.Widget(), ThumbCentre());
    r9test::Pump();
    parent.Clear();
    r9test::Move(slider.Widget(), ThumbCentre() + QPoint(0, 30), Qt::LeftButton);
    const int pos = slider.GetRawPos();
    ASSERT_NE(pos, 120);
    parent.EnableWindow(FALSE);
    parent.EnableWindow(TRUE);
    EXPECT_FALSE(slider.IsDragging());
    EXPECT_NE(CWnd::GetCapture(), &slider);
    EXPECT_FALSE(slider.KillTimer(5)) << "the tick timer ended with the drag";
    const auto moving = Posted(WM_SLIDER_MOVING);
    ASSERT_EQ(moving.size(), 1u);
    EXPECT_EQ(moving[0].lParam, pos);
    parent.Clear();
    r9test::Move(slider.Widget(), QPoint(12, 170), Qt::LeftButton);
    r9test::Release(slider.Widget(), QPoint(12, 170));
    r9test::Move(slider.Widget(), QPoint(12, 30));
    EXPECT_EQ(slider.GetRawPos(), pos);
    EXPECT_TRUE(Posted(WM_SLIDER_MOVING).empty());
    EXPECT_TRUE(Posted(WM_SLIDER_MOVED).empty());
    // The next press drags again.
    r9test::Press(slider.Widget(), ThumbCentre());
    EXPECT_TRUE(slider.IsDragging());
    r9test::Release(slider.Widget(), ThumbCentre());
    EXPECT_EQ(Posted(WM_SLIDER_MOVED).size(), 1u);
}

TEST_F(BitmapSliderTest, FocusPostsMovingAndLightsTheThumbAndTheBoundEdit) {
    CNumEdit edit; // no window needed for its highlight flag
    slider.SetBuddyEdit(&edit);
    parent.Clear();
    slider.SetFocus();
    EXPECT_TRUE(slider.IsActive());
    EXPECT_EQ(edit.GetHighlight(), 1);
    const auto moving = Posted(WM_SLIDER_MOVING);
    ASSERT_EQ(moving.size(), 1u);
    EXPECT_EQ(moving[0].wParam, static_cast<WPARAM>(kId));
    parent.SetFocus();
    EXPECT_FALSE(slider.IsActive());
    EXPECT_EQ(edit.GetHighlight(), 0);
    slider.SetBuddyEdit(nullptr);
    slider.SetActive(TRUE);
    EXPECT_TRUE(slider.IsActive());
}

TEST_F(BitmapSliderTest, MovesNotifyTheParentOncePerPointWhileNotDragging) {
    slider.EnableMoveNotify(TRUE);
    r9test::Move(slider.Widget(), QPoint(5, 5));
    r9test::Move(slider.Widget(), QPoint(5, 5));
    r9test::Move(slider.Widget(), QPoint(6, 5));
    const auto notes = parent.Of(WM_CONTROL_MOUSEMOVE);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].lParam, kId);
}

TEST_F(BitmapSliderTest, FrequencyModesMapTheGridAndClampTheIndex) {
    slider.SetRange(0, 240);
    slider.SetValueMode(1);
    slider.SetPosFromFreq(1000);
    EXPECT_EQ(slider.GetRawPos(), 240 - FreqToGridIndex(1000));
    EXPECT_EQ(slider.GetFreqFromPos(), static_cast<int>(g_eqFreqGrid[FreqToGridIndex(1000)]));
    slider.SetValueMode(2);
    slider.SetRange(0, 48);
    slider.SetPosFromFreq(20000);
    EXPECT_EQ(slider.GetRawPos(), 0); // 48 + 192 - 240
    slider.SetPosFromFreq(20);
    EXPECT_EQ(slider.GetRawPos(), 48); // clamped
    slider.SetRawPos(0);
    EXPECT_EQ(slider.GetFreqFromPos(), static_cast<int>(g_eqFreqGrid[240]));
    slider.SetValueMode(0);
    slider.SetRange(0, 400); // index 400 would read past the grid
    slider.SetRawPos(0);
    EXPECT_EQ(slider.GetFreqFromPos(), static_cast<int>(g_eqFreqGrid[240]));
    slider.SetValueMode(10);
    slider.SetRawPos(7);
    slider.SetPosFromFreq(1000);
    EXPECT_EQ(slider.GetRawPos(), 7);
}

TEST_F(BitmapSliderTest, SameThumbIdIsNotReloaded) {
    EXPECT_TRUE(slider.SetThumbBitmaps(kThumbV, kMissing, FALSE, 0, 0, 0)); // same id: nothing to do
    EXPECT_FALSE(slider.SetThumbBitmaps(kThumbActiveV, kMissing, FALSE, 0, 0, 0));
    EXPECT_FALSE(slider.SetChannelBitmaps(kMissing, 0, FALSE, 0, 0, 0));
    EXPECT_TRUE(slider.SetThumbBitmaps(0, 0, FALSE, 0, 0, 0));
}

TEST_F(BitmapSliderTest, PaintsChannelSplitAtTheThumbAndTheStateThumbs) {
    slider.SetRawPos(120);
    const QImage normal = Render(slider, "fader-normal");
    ASSERT_EQ(normal.size(), QSize(24, 160));
    // The thumb sits at x = left margin, y = P - 6.
    const QImage thumb = Render(slider, "fader-normal").copy(1, 80 - 6, 22, 12);
    QImage art;
    {
        CBitmap b;
        ASSERT_TRUE(b.LoadBitmap(kThumbV));
        art = b.Image().convertToFormat(QImage::Format_RGB32);
    }
    EXPECT_EQ(thumb.convertToFormat(QImage::Format_RGB32), art);
    slider.SetFocus();
    r9test::Pump();
    const QImage active = Render(slider, "fader-active");
    {
        CBitmap b;
        ASSERT_TRUE(b.LoadBitmap(kThumbActiveV));
        EXPECT_EQ(active.copy(1, 74, 22, 12).convertToFormat(QImage::Format_RGB32),
                  b.Image().convertToFormat(QImage::Format_RGB32));
        // Above the thumb centre the lit channel, below it the plain one.
        CBitmap lit, plain;
        ASSERT_TRUE(lit.LoadBitmap(kChannelActiveV));
        ASSERT_TRUE(plain.LoadBitmap(kChannelV));
        EXPECT_EQ(active.pixel(12, 20), lit.Image().pixel(12, 20));
        EXPECT_EQ(active.pixel(12, 120), plain.Image().pixel(12, 120));
    }
    slider.EnableSlider(FALSE);
    const QImage disabled = Render(slider, "fader-disabled");
    // The disabled thumb, its key-colour pixels (the top-left one's) blackened for the mask.
    CBitmap off;
    ASSERT_TRUE(off.LoadBitmap(kThumbDisabledV));
    const QImage o = off.Image();
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 22; ++x) {
            const bool key = (o.pixel(x, y) & 0xFFFFFF) == (o.pixel(0, 0) & 0xFFFFFF);
            ASSERT_EQ(disabled.pixel(1 + x, 74 + y) & 0xFFFFFF, key ? 0u : (o.pixel(x, y) & 0xFFFFFF))
                << x << "," << y;
        }
}

TEST_F(BitmapSliderTest, TransparentThumbLetsTheChannelThroughItsKeyColour) {
    // Key colour from the thumb's top-left pixel: the corner pixels show the channel.
    ASSERT_TRUE(slider.SetThumbBitmaps(kThumbActiveV, 0, TRUE, 0xFF000000, 0, 0));
    slider.SetRawPos(120);
    const QImage img = Render(slider, "fader-transparent-thumb");
    CBitmap thumb, channel;
    ASSERT_TRUE(thumb.LoadBitmap(kThumbActiveV));
    ASSERT_TRUE(channel.LoadBitmap(kChannelV));
    const QImage t = thumb.Image();
    const QRgb key = t.pixel(0, 0);
    int keyed = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 22; ++x) {
            const QRgb want = (t.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF)
                                  ? channel.Image().pixel(1 + x, 74 + y)
                                  : t.pixel(x, y);
            keyed += (t.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF);
            ASSERT_EQ(img.pixel(1 + x, 74 + y) & 0xFFFFFF, want & 0xFFFFFF) << x << "," << y;
        }
    EXPECT_GT(keyed, 0);
    // Horizontal, for looking.
    slider.SetVertical(FALSE);
    ASSERT_TRUE(slider.SetChannelBitmaps(kChannelH, 0, FALSE, 0, 0, 0));
    ASSERT_TRUE(slider.SetThumbBitmaps(kThumbH, 0, FALSE, 0, 0, 0));
    slider.SetRange(0, 40);
    slider.SetRawPos(10);
    const QImage h = Render(slider, "fader-horizontal");
    EXPECT_EQ(h.size(), QSize(160, 24));
}

} // namespace
