// The gradient progress bar: bands and colours, bar length and percentage, the clamp of SetPos,
// the look of every state, and positions set from a worker thread.
#include "ControlFixture.h"

#include "controls/GradientProgressCtrl.h"
#include "platform/ui/ProgressCtrl.h"

#include <atomic>
#include <thread>

using namespace ctltest;
using Fill = CGradientProgressCtrl::Fill;

namespace {

constexpr COLORREF kBk = RGB(128, 128, 128);

TEST(GradientProgressTest, BandsRunFromStartToEndColour) {
    // Red to blue: 255 bands of one pixel on a bar 255 pixels wide.
    auto fills = CGradientProgressCtrl::GradientFills(RGB(255, 0, 0), RGB(0, 0, 255), kBk,
                                                      CRect(0, 0, 255, 20), 255, false);
    ASSERT_EQ(fills.size(), 255u);
    for (int i : {0, 1, 100, 254}) {
        EXPECT_EQ(fills[i].rect, CRect(i, 0, i + 1, 21)) << i;
        EXPECT_EQ(fills[i].colour, RGB(255 - i, 0, i)) << i;
    }
    // Equal black colours: 255 black bands.
    fills = CGradientProgressCtrl::GradientFills(0, 0, kBk, CRect(0, 0, 510, 10), 510, false);
    ASSERT_EQ(fills.size(), 255u);
    for (const Fill& f : fills)
        EXPECT_EQ(f.colour, 0u);
    EXPECT_EQ(fills[1].rect, CRect(2, 0, 4, 11));
    // Equal colours RGB(100, 0, 0): 100 bands, red running from 100 to 199.
    fills = CGradientProgressCtrl::GradientFills(RGB(100, 0, 0), RGB(100, 0, 0), kBk, CRect(0, 0, 100, 10),
                                                 100, false);
    ASSERT_EQ(fills.size(), 100u);
    EXPECT_EQ(fills.front().colour, RGB(100, 0, 0));
    EXPECT_EQ(fills.back().colour, RGB(199, 0, 0));
}

TEST(GradientProgressTest, BarStopsAtTheFirstBandPastItsLengthAndFillsTheRest) {
    // Width 200, 255 bands of 200/255 pixels; bar length 150.
    const auto fills = CGradientProgressCtrl::GradientFills(RGB(255, 0, 0), RGB(0, 0, 255), kBk,
                                                            CRect(0, 0, 200, 16), 150, false);
    ASSERT_GE(fills.size(), 2u);
    const Fill& bk = fills.back();
    EXPECT_EQ(bk.colour, kBk);
    EXPECT_EQ(bk.rect.right, 200);
    EXPECT_EQ(bk.rect.top, 0);
    EXPECT_EQ(bk.rect.bottom, 16);
    EXPECT_GT(bk.rect.left, 150);
    EXPECT_EQ(bk.rect.left, fills[fills.size() - 2].rect.right);
    EXPECT_LE(fills[fills.size() - 2].rect.left, 150);
    // Vertical: the bands run down from the top.
    const auto down = CGradientProgressCtrl::GradientFills(RGB(255, 0, 0), RGB(0, 0, 255), kBk,
                                                           CRect(0, 0, 12, 255), 100, true);
    EXPECT_EQ(down[5].rect, CRect(0, 5, 13, 6));
    EXPECT_EQ(down.back().rect, CRect(0, 101, 12, 255));
}

TEST(GradientProgressTest, LengthAndPercentage) {
    struct Case {
        int lower, upper, pos, extent, length;
        const char* text;
    };
    const Case cases[] = {
        {10, 20, 15, 200, 150, "50.00 %"}, // the lower bound takes no part in the length
        {0, 100, 100, 200, 200, "100 %"},  {0, 100, 50, 200, 100, "50.00 %"}, {0, 110, 1, 300, 2, "0.91 %"},
        {-10, 0, -5, 100, 0, "50.00 %"}, // an upper bound of 0 never divides by zero
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CGradientProgressCtrl::BarLength(c.pos, c.upper, c.extent), c.length) << c.pos;
        EXPECT_EQ(CGradientProgressCtrl::PercentText(c.lower, c.upper, c.pos), CString(c.text)) << c.pos;
    }
}

TEST(GradientProgressTest, SetPosClampsToTheUpperBoundOnlyAndSetRangeRestarts) {
    CGradientProgressCtrl bar;
    EXPECT_EQ(bar.GetRangeMax(), 100);
    EXPECT_FALSE(bar.SetPos(40)); // no window: nothing to post to
    EXPECT_EQ(bar.GetPos(), 40);
    bar.SetPos(150);
    EXPECT_EQ(bar.GetPos(), 100);
    bar.SetPos(-5);
    EXPECT_EQ(bar.GetPos(), -5);
    bar.SetRange(3, 110);
    EXPECT_EQ(bar.GetPos(), 3);
    EXPECT_EQ(bar.GetRangeMax(), 110);
    bar.SetStep(7);
    bar.StepIt();
    EXPECT_EQ(bar.GetPos(), 10);
}

struct BarFixture : ::testing::Test {
    RecordingParent parent{RGB(27, 30, 36), 260, 120};
    CGradientProgressCtrl bar;
    void SetUp() override {
        parent.Attach<CProgressCtrl>(bar, 1414, CRect(10, 10, 210, 26), 0);
        bar.SetBkColor(kBk);
    }
};

TEST_F(BarFixture, LooksOfEveryState) {
    struct Case {
        int pos;
        BOOL percent;
        const char* name;
    };
    const Case cases[] = {{0, FALSE, "empty"},
                          {-5, FALSE, "below-range"},
                          {50, FALSE, "half"},
                          {50, TRUE, "half-percent"},
                          {100, TRUE, "full-percent"}};
    for (const Case& c : cases) {
        bar.ShowPercent(c.percent);
        bar.SetPos(c.pos);
        const QImage img = Render(parent, (std::string("controls-progress-") + c.name).c_str());
        const CRect inside(10, 10, 210, 26);
        if (c.pos <= 0) {
            EXPECT_EQ(CountColour(img, inside, kBk), 200 * 16) << c.name; // nothing else, no text
            continue;
        }
        const int length = c.pos * 2;
        // Band 0 is empty at 200/255 pixels per band: the bar starts with band 1.
        EXPECT_EQ(Pixel(img, 10, 12), RGB(254, 0, 1)) << c.name;
        if (length < 200) {
            EXPECT_EQ(Pixel(img, 10 + length + 5, 12), kBk) << c.name;
            EXPECT_NE(Pixel(img, 10 + length - 5, 12), kBk) << c.name;
        } else {
            EXPECT_EQ(Pixel(img, 209, 12), RGB(1, 0, 254)) << c.name; // last band of 255
        }
        // The percentage is drawn in black over the middle.
        const int dark = CountNear(img, CRect(80, 10, 140, 26), RGB(0, 0, 0), 50);
        if (c.percent)
            EXPECT_GT(dark, 10) << c.name;
        else
            EXPECT_EQ(dark, 0) << c.name;
    }
}

TEST_F(BarFixture, VerticalBarGrowsFromTheTop) {
    RecordingParent p2(RGB(27, 30, 36), 60, 220);
    CGradientProgressCtrl vertical;
    p2.Attach<CProgressCtrl>(vertical, 1, CRect(10, 10, 30, 210), PBS_VERTICAL);
    vertical.SetBkColor(kBk);
    vertical.SetPos(25);
    const QImage img = Render(p2, "controls-progress-vertical");
    EXPECT_EQ(Pixel(img, 15, 10), RGB(254, 0, 1));
    EXPECT_NE(Pixel(img, 15, 50), kBk);
    EXPECT_EQ(Pixel(img, 15, 70), kBk);
}

// Notes the thread of every paint.
class ThreadCheckedBar : public CGradientProgressCtrl {
public:
    std::atomic<int> paints{0};
    std::atomic<int> foreignPaints{0};
    std::thread::id uiThread = std::this_thread::get_id();

protected:
    void OnPaint() override {
        ++paints;
        if (std::this_thread::get_id() != uiThread)
            ++foreignPaints;
        CGradientProgressCtrl::OnPaint();
    }
};

TEST(GradientProgressThreadTest, WorkerStoresAndPostsAndNeverOutlivesTheBar) {
    RecordingParent parent(RGB(27, 30, 36), 260, 60);
    auto bar = std::make_unique<ThreadCheckedBar>();
    parent.Attach<CProgressCtrl>(*bar, 1414, CRect(10, 10, 210, 26), 0);
    bar->SetRange(0, 110);
    Pump();
    const int paintsBefore = bar->paints;
    CGradientProgressCtrl::Remote remote = bar->GetRemote();
    std::atomic<int> posted{0};
    std::thread worker([&] {
        for (int i = 1; i <= 200; ++i)
            posted += remote.SetPos(i) ? 1 : 0;
        EXPECT_EQ(remote.GetRangeMax(), 110);
    });
    worker.join();
    EXPECT_EQ(posted, 200);
    EXPECT_EQ(bar->GetPos(), 110);        // clamped to the upper bound
    EXPECT_EQ(bar->paints, paintsBefore); // nothing painted until the UI thread runs the posts
    Pump();
    bar->UpdateWindow();
    Pump();
    EXPECT_GT(bar->paints, paintsBefore);
    EXPECT_EQ(bar->foreignPaints, 0);

    // The dialog goes away while the worker still holds the bar's remote.
    bar->DestroyWindow();
    bar.reset();
    std::thread late([&] { posted = remote.SetPos(5); });
    late.join();
    EXPECT_EQ(posted, 0);
    EXPECT_EQ(remote.GetPos(), 5);
    Pump();
}

} // namespace
