// The owner-drawn tab control: colour functions, tab colours by look flags, the main view's
// frame, the hand over selectable tabs, and the look of tabs in both languages.
#include "ControlFixture.h"

#include "controls/EnTabCtrl.h"
#include "platform/ui/DC.h"
#include "platform/ui/TabCtrl.h"

using namespace ctltest;

namespace {

constexpr COLORREF kViewBk = RGB(227, 228, 238);

TEST(TabColoursTest, DarkenAndLightenTruncateAndKeepTheirFactorsInRange) {
    struct Case {
        COLORREF in;
        float factor;
        bool lighten;
        COLORREF out;
    };
    const Case cases[] = {
        {RGB(255, 255, 255), 0.9f, false, RGB(229, 229, 229)},
        {kViewBk, 0.75f, false, RGB(170, 171, 178)},
        {RGB(127, 168, 222), 0.9f, false, RGB(114, 151, 199)},
        {kViewBk, 1.5f, true, RGB(255, 255, 255)},
        {RGB(100, 20, 0), 1.5f, true, RGB(150, 30, 0)},
        {RGB(10, 20, 30), 3.0f, false, RGB(10, 20, 30)}, // above 1 counts as 1
        {RGB(10, 20, 30), -1.0f, false, RGB(0, 0, 0)},   // below 0 counts as 0
        {RGB(10, 20, 30), 0.5f, true, RGB(10, 20, 30)},  // 1 or less counts as 1
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.lighten ? Lighten(c.in, c.factor) : Darken(c.in, c.factor), c.out) << c.factor;
}

struct TabFixture : ::testing::Test {
    RecordingParent parent{RGB(27, 30, 36), 420, 200};
    CEnTabCtrl tabs;
    void SetUp() override { CEnTabCtrl::SetLookFlags(TRUE, 31); }
    void TearDown() override { CEnTabCtrl::SetLookFlags(FALSE, 31); }
    void Bind() {
        parent.Attach<CTabCtrl>(tabs, 2000, CRect(10, 10, 410, 190), 0);
        // As the main view sets it up.
        tabs.SetBkColor(kViewBk);
        EXPECT_TRUE(tabs.SetDrawStyle(2));
    }
};

TEST_F(TabFixture, TabColoursOfTheMainViewFlags) {
    EXPECT_EQ(tabs.GetTabColor(TRUE), RGB(0, 0, 0));
    EXPECT_EQ(tabs.GetLastDrawnTab(), 3);
    EXPECT_EQ(tabs.GetTabColor(FALSE), kViewBk);
    EXPECT_EQ(tabs.GetTabTextColor(TRUE), RGB(229, 0, 0));
    EXPECT_EQ(tabs.GetTabTextColor(FALSE), RGB(229, 229, 229));
    CEnTabCtrl::SetLookFlags(TRUE, 1 | 4); // flat, own selection colour, no custom colours
    EXPECT_EQ(tabs.GetTabColor(TRUE), Lighten(GetSysColor(COLOR_BTNFACE), 1.4f));
    EXPECT_EQ(tabs.GetTabColor(FALSE), GetSysColor(COLOR_BTNFACE)); // background -1: button face
    CEnTabCtrl::SetLookFlags(FALSE, 31);
    EXPECT_EQ(CEnTabCtrl::GetLookFlags(), 0);
    EXPECT_EQ(tabs.GetTabColor(FALSE), Darken(GetSysColor(COLOR_BTNFACE), 0.9f));
}

TEST_F(TabFixture, DrawStyleSwitchesOwnerDrawingAndRefusesUnknownStyles) {
    Bind();
    EXPECT_TRUE(tabs.GetStyle() & TCS_OWNERDRAWFIXED);
    EXPECT_FALSE(tabs.SetDrawStyle(3));
    EXPECT_EQ(tabs.GetDrawStyle(), 2);
    EXPECT_TRUE(tabs.SetDrawStyle(0));
    EXPECT_FALSE(tabs.GetStyle() & TCS_OWNERDRAWFIXED);
    EXPECT_TRUE(tabs.SetDrawStyle(1));
    EXPECT_TRUE(tabs.GetStyle() & TCS_OWNERDRAWFIXED);
}

TEST_F(TabFixture, MainViewFrameWithoutTabs) {
    Bind();
    const QImage img = Render(parent, "controls-tab-main-view-frame");
    CRect client(10, 10, 410, 190);
    CRect page(0, 0, 400, 180);
    tabs.AdjustRect(FALSE, &page);
    const int top = 10 + page.top - 2;
    const int midY = (top + 190) / 2;
    EXPECT_EQ(Pixel(img, 10, midY), RGB(255, 255, 255));  // left edge
    EXPECT_EQ(Pixel(img, 200, top), RGB(255, 255, 255));  // top edge
    EXPECT_EQ(Pixel(img, 409, midY), RGB(170, 171, 178)); // right edge
    EXPECT_EQ(Pixel(img, 200, 189), RGB(170, 171, 178));  // bottom edge
    // The background strip is two pixels high along the top.
    EXPECT_EQ(Pixel(img, 200, 10), kViewBk);
    if (top > 11) {
        EXPECT_EQ(Pixel(img, 200, 11), kViewBk);
    }
    EXPECT_NE(Pixel(img, 200, 12), kViewBk);
}

TEST_F(TabFixture, HandOnlyOverTabsThatCanBeChosen) {
    Bind();
    for (const char* t : {"Output", "Input", "Level", "Lock", "Mixer"})
        tabs.InsertItem(tabs.GetItemCount(), t);
    tabs.SetCurSel(1);
    CRect r;
    auto centre = [&](int i) {
        tabs.GetItemRect(i, &r);
        return r.CenterPoint();
    };
    MoveTo(tabs, centre(0));
    EXPECT_TRUE(tabs.IsHandWanted());
    tabs.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(tabs.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_FALSE(tabs.IsHandWanted()); // shown once, then cleared
    MoveTo(tabs, centre(1));           // the selected tab
    EXPECT_FALSE(tabs.IsHandWanted());
    MoveTo(tabs, centre(3)); // tab 3 never
    EXPECT_FALSE(tabs.IsHandWanted());
    MoveTo(tabs, centre(4));
    EXPECT_TRUE(tabs.IsHandWanted());
}

TEST_F(TabFixture, TabsInBothLanguagesWithShortenedTexts) {
    Bind();
    tabs.SetItemSize(CSize(80, 26));
    tabs.InsertItem(0, "Output");
    tabs.InsertItem(1, "输入");
    tabs.InsertItem(2, "A very long tab caption");
    tabs.SetCurSel(0);
    const QImage img = Render(parent, "controls-tab-tabs");
    CRect selected, other;
    tabs.GetItemRect(0, &selected);
    tabs.GetItemRect(1, &other);
    selected.OffsetRect(10, 10);
    other.OffsetRect(10, 10);
    // The selected tab's face starts black (gradient to the button face), its text red.
    EXPECT_EQ(Pixel(img, selected.CenterPoint().x, selected.top - 1), RGB(0, 0, 0));
    EXPECT_GT(CountNear(img, selected, RGB(229, 0, 0), 60), 5);
    // The other tabs start in the tab colour and carry light text.
    EXPECT_GT(CountNear(img, other, RGB(229, 229, 229), 30), 5);

    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CString text = "A very long tab caption";
    const CSize size = FormatTabText(text, &dc, 60);
    EXPECT_LE(size.cx, 60);
    EXPECT_NE(text, CString("A very long tab caption"));
    EXPECT_TRUE(text.Right(3) == "..." || text.Right(3) == "\xE2\x80\xA6");
}

} // namespace
