// The PNG image button, the XP-style button and the skinned region button.
// The model header comes before any Qt header (Qt defines "slots").
#include "model/Globals.h"

#include "controls/BitButton.h"
#include "controls/BitmapSlider.h"
#include "controls/BtnPng.h"
#include "controls/ComBoxBtn.h"
#include "controls/XPButton.h"
#include "controls/xSkinButton.h"

#include "SkinControlFixture.h"
#include "controls/ControlMessages.h"
#include "support/ResetGlobals.h"

#include <string>

using namespace skintest;

namespace {

enum PngId : UINT {
    kPngNormal = 47101,
    kPngHover,
    kPngPressed,
    kPngChecked,
    kPngCheckedHover,
    kPngCheckedPressed,
    kPngCn = 47111, // six Chinese looks from here
};

void RegisterPngArt() {
    static bool done = false;
    if (done)
        return;
    done = true;
    const char* en = "SUB";
    const char* cn = "低音";
    for (int i = 0; i < 6; ++i) {
        res::AddArt({kPngNormal + i, true, 64, 32, "button", i, en, 0});
        res::AddArt({kPngCn + i, true, 64, 32, "button", i, cn, 0x0000A5FF});
    }
}

class SkinButtonsTest : public SkinControlTest {
protected:
    void SetUp() override {
        SkinControlTest::SetUp();
        RegisterPngArt();
        r9test::ResetModelGlobals();
    }
    void TearDown() override {
        r9test::ResetModelGlobals();
        SkinControlTest::TearDown();
    }
};

TEST_F(SkinButtonsTest, PngButtonSizesToItsImageAndPicksTheLanguageSet) {
    CBtnPng png;
    AttachButton(png, 4001, BS_PUSHBUTTON, CRect(10, 10, 20, 20));
    png.SetPngImages(kPngNormal, kPngHover, kPngPressed);
    EXPECT_EQ(ClientRect(png).Size(), CSize(64, 32));
    png.SetCheckedPngImages(kPngChecked, kPngCheckedHover, kPngCheckedPressed);
    EXPECT_EQ(png.CurrentLook(FALSE), CBtnPng::kNormal);
    g_bChinese = 1;
    EXPECT_EQ(png.CurrentLook(FALSE), CBtnPng::kNormal); // no Chinese set: no effect
    png.SetChinesePngImages(kPngCn, kPngCn + 1, kPngCn + 2, kPngCn + 3, kPngCn + 4, kPngCn + 5);
    const QImage cn = Render(png, "btnpng-chinese");
    const int built = png.CachesBuilt();
    EXPECT_EQ(built, CBtnPng::kLooks);
    EXPECT_EQ(png.CurrentLook(FALSE), CBtnPng::kCnNormal);
    g_bChinese = 0;
    const QImage en = Render(png, "btnpng-normal");
    EXPECT_NE(cn, en);
    EXPECT_EQ(png.CachesBuilt(), built); // switched without rebuilding
    // Alpha: the rounded corner lets the parent through, the middle is the image.
    EXPECT_EQ(qAlpha(en.pixel(0, 0)) < 255 || en.pixel(0, 0) != en.pixel(32, 16), true);
    png.SetCheck(1);
    EXPECT_EQ(png.CurrentLook(FALSE), CBtnPng::kCheckedNormal);
    Render(png, "btnpng-checked");
    png.SetHoverLook(TRUE);
    EXPECT_EQ(png.CurrentLook(FALSE), CBtnPng::kCheckedHover);
    EXPECT_EQ(png.CurrentLook(TRUE), CBtnPng::kDisabledChecked);
    Render(png, "btnpng-checked-hover");
}

TEST_F(SkinButtonsTest, PngButtonHoversOnlyAfterTheHoverMessageAndHidingClearsIt) {
    CBtnPng png, partner;
    AttachButton(png, 4002, BS_PUSHBUTTON, CRect(10, 10, 20, 20));
    AttachButton(partner, 4003, BS_PUSHBUTTON, CRect(10, 60, 20, 70));
    png.SetPngImages(kPngNormal, kPngHover, kPngPressed);
    partner.SetPngImages(kPngNormal, kPngHover, kPngPressed);
    png.SetHoverPartners(&partner, nullptr);
    png.EnableMoveNotify(TRUE);
    r9test::Move(png.Widget(), QPoint(4, 4));
    EXPECT_FALSE(png.IsHovered()); // a move alone does not hover
    EXPECT_EQ(parent.Of(WM_CONTROL_MOUSEMOVE).size(), 1u);
    png.SendMessage(WM_MOUSEHOVER, 0, 0);
    EXPECT_TRUE(png.IsHovered());
    EXPECT_TRUE(partner.IsHovered());
    r9test::Press(png.Widget(), QPoint(4, 4));
    EXPECT_EQ(png.CurrentLook(FALSE), CBtnPng::kPressed);
    Render(png, "btnpng-pressed");
    png.ShowWindow(SW_HIDE);
    EXPECT_FALSE(png.IsHovered());
    EXPECT_FALSE(png.IsPressed());
    png.ShowWindow(SW_SHOW);
    png.SendMessage(WM_MOUSEHOVER, 0, 0);
    png.SendMessage(WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(partner.IsHovered()); // forgotten partners are not touched
    // Check and radio layout types are owner-drawn too but draw nothing.
    CBtnPng check;
    AttachButton(check, 4004, BS_AUTOCHECKBOX, CRect(100, 10, 110, 20));
    EXPECT_EQ(check.GetStyle() & 0xF, static_cast<DWORD>(BS_OWNERDRAW));
    check.SetPngImages(kPngNormal, kPngHover, kPngPressed);
    Render(check, "btnpng-checkbox-kind");
    EXPECT_EQ(check.CurrentLook(FALSE), CBtnPng::kNormal); // chosen, never drawn by this kind
    // A missing normal image sizes the button 0 x 0.
    CBtnPng empty;
    AttachButton(empty, 4005, BS_PUSHBUTTON, CRect(100, 40, 140, 60));
    empty.SetPngImages(kMissing, kMissing, kMissing);
    EXPECT_EQ(ClientRect(empty).Size(), CSize(0, 0));
}

TEST_F(SkinButtonsTest, XpButtonDrawsItsOnStateLooksAndNotifiesOncePerEntry) {
    CXPButton xp;
    AttachButton(xp, 1413, BS_OWNERDRAW, CRect(10, 10, 30, 30));
    EXPECT_EQ(xp.GetCheck(), 1);
    // On state 1 with only off-state bitmaps: nothing is drawn.
    xp.SetBitmaps(0, 0, 0, kBtnNormal, kBtnHover, kBtnPressed);
    EXPECT_EQ(xp.LookBitmap(), 0u);
    Render(xp, "xpbutton-nothing");
    xp.SetBitmaps(kBtnChecked, kBtnCheckedHover, kBtnCheckedPressed, kBtnNormal, kBtnHover, kBtnPressed);
    EXPECT_EQ(ClientRect(xp).Size(), CSize(80, 28));
    xp.EnableMoveNotify(TRUE);
    r9test::Move(xp.Widget(), QPoint(4, 4));
    r9test::Move(xp.Widget(), QPoint(5, 4));
    EXPECT_EQ(parent.Of(WM_CONTROL_MOUSEMOVE).size(), 1u);
    EXPECT_EQ(xp.LookBitmap(), static_cast<UINT>(kBtnCheckedHover));
    Render(xp, "xpbutton-on-hover");
    r9test::Press(xp.Widget(), QPoint(5, 4));
    EXPECT_EQ(xp.LookBitmap(), static_cast<UINT>(kBtnCheckedPressed));
    // Held after the mouse left: the normal look of the on state.
    r9test::Move(xp.Widget(), QPoint(300, 4), Qt::LeftButton);
    EXPECT_EQ(xp.LookBitmap(), static_cast<UINT>(kBtnChecked));
    r9test::Release(xp.Widget(), QPoint(300, 4));
    r9test::Move(xp.Widget(), QPoint(5, 4));
    EXPECT_EQ(parent.Of(WM_CONTROL_MOUSEMOVE).size(), 2u); // a new entry
    r9test::Click(xp.Widget(), QPoint(5, 4));
    EXPECT_EQ(parent.Codes(1413), std::vector<UINT>{BN_CLICKED});
    EXPECT_EQ(xp.GetCheck(), 1); // the page changes it
    xp.SetCheck(0);
    EXPECT_EQ(xp.LookBitmap(), static_cast<UINT>(kBtnHover));
    Render(xp, "xpbutton-off-hover");
    xp.SendMessage(WM_MOUSELEAVE);
    // The click gave it the focus; without it the look is the art alone.
    parent.SetFocus();
    r9test::Pump();
    const QImage off = Render(xp, "xpbutton-off");
    CBitmap art;
    ASSERT_TRUE(art.LoadBitmap(kBtnNormal));
    EXPECT_EQ(off.convertToFormat(QImage::Format_RGB32), art.Image().convertToFormat(QImage::Format_RGB32));
}

TEST_F(SkinButtonsTest, XpButtonRepeatCountsRestartPerPressAndTheBeepStandsInForTheClick) {
    CXPButton xp;
    AttachButton(xp, 1414, BS_OWNERDRAW, CRect(10, 10, 30, 30));
    xp.SetBitmaps(kBtnChecked, kBtnCheckedHover, kBtnCheckedPressed, kBtnNormal, kBtnHover, kBtnPressed);
    xp.EnableRepeat(TRUE);
    for (int press = 0; press < 2; ++press) {
        r9test::Press(xp.Widget(), QPoint(4, 4));
        xp.SendMessage(WM_TIMER, 7, 0);
        xp.SendMessage(WM_TIMER, 7, 0);
        r9test::Release(xp.Widget(), QPoint(4, 4));
    }
    r9test::Pump();
    const auto repeats = parent.Of(WM_XP_BUTTON_REPEAT);
    ASSERT_EQ(repeats.size(), 4u);
    EXPECT_EQ(repeats[0].lParam, 1);
    EXPECT_EQ(repeats[1].lParam, 2);
    EXPECT_EQ(repeats[2].lParam, 1);
    EXPECT_EQ(repeats[2].wParam, 1414u);
    EXPECT_FALSE(xp.PlayClickSound()); // sound off
    xp.SetSound(TRUE, "");
    EXPECT_TRUE(xp.PlayClickSound());
    xp.SetSound(TRUE, "click");
    EXPECT_FALSE(xp.PlayClickSound()); // no WAVE resource: nothing plays
    xp.SetAltBitmaps(kBtnHot, kBtnDisabled);
    xp.SetAltLook(TRUE);
    EXPECT_EQ(xp.LookBitmap(), static_cast<UINT>(kBtnHot));
    xp.SetDisabledBitmaps(kBtnDisabledChecked, kBtnDisabled);
    xp.SetDisabled(TRUE);
    EXPECT_FALSE(xp.IsWindowEnabled());
    EXPECT_EQ(xp.LookBitmap(), static_cast<UINT>(kBtnDisabledChecked));
}

// A repeating or holding press whose capture is taken away (its window disabled for a moment, as
// under a modal box) stops repeating, and the release of that press clicks nothing.
TEST_F(SkinButtonsTest, ARepeatingPressEndedByALostCaptureStopsAndItsReleaseClicksNothing) {
    CXPButton xp;
    AttachButton(xp, 1414, BS_OWNERDRAW, CRect(10, 10, 30, 30));
    xp.SetBitmaps(kBtnChecked, kBtnCheckedHover, kBtnCheckedPressed, kBtnNormal, kBtnHover, kBtnPressed);
    xp.EnableRepeat(TRUE);
    CxSkinButton hold;
    AttachButton(hold, 1415, BS_OWNERDRAW, CRect(40, 10, 60, 30));
    hold.EnableHoldTimer(3);
    struct Case {
        CButton& button;
        UINT_PTR timer;
        UINT repeat;
    };
    const Case cases[] = {{xp, 7, WM_XP_BUTTON_REPEAT}, {hold, 6, WM_SKIN_BUTTON_HOLD}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button.GetDlgCtrlID());
        r9test::Press(c.button.Widget(), QPoint(4, 4));
        ASSERT_EQ(CWnd::GetCapture(), &c.button);
        parent.EnableWindow(FALSE);
        parent.EnableWindow(TRUE);
        EXPECT_FALSE(c.button.KillTimer(c.timer)) << "the repeat stopped with the capture";
        EXPECT_FALSE(c.button.GetState() & BST_PUSHED);
        r9test::Pump();
        parent.Clear();
        r9test::Release(c.button.Widget(), QPoint(4, 4));
        r9test::Pump();
        EXPECT_TRUE(parent.Codes(c.button.GetDlgCtrlID()).empty());
        EXPECT_TRUE(parent.Of(c.repeat).empty());
    }
}

TEST_F(SkinButtonsTest, UnskinnedSkinButtonDrawsTheFaceWithBlackOrRedText) {
    CxSkinButton skin;
    AttachButton(skin, 5001, BS_PUSHBUTTON, CRect(10, 10, 110, 40), "Menu");
    const auto textColours = [](const QImage& img) {
        int black = 0, red = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                black += c.red() < 60 && c.green() < 60 && c.blue() < 60;
                red += c.red() > 180 && c.green() < 80 && c.blue() < 80;
            }
        return std::pair<int, int>(black, red);
    };
    const QImage normal = Render(skin, "xskinbutton-normal");
    EXPECT_EQ(normal.pixel(2, 2), Rgb(::GetSysColor(COLOR_BTNFACE)));
    auto [black, red] = textColours(normal);
    EXPECT_GT(black, 5);
    EXPECT_EQ(red, 0);
    r9test::Move(skin.Widget(), QPoint(5, 5));
    const QImage hover = Render(skin, "xskinbutton-hover");
    std::tie(black, red) = textColours(hover);
    EXPECT_GT(red, 5);
}

TEST_F(SkinButtonsTest, RadioKindSkinButtonsClearTheirGroup) {
    CxSkinButton a, b, c;
    AttachButton(a, 5011, BS_AUTORADIOBUTTON | WS_GROUP, CRect(10, 10, 60, 30), "A");
    AttachButton(b, 5012, BS_AUTORADIOBUTTON, CRect(10, 40, 60, 60), "B");
    AttachButton(c, 5013, BS_AUTORADIOBUTTON, CRect(10, 70, 60, 90), "C");
    CButton next;
    ASSERT_TRUE(next.Create("x", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_PUSHBUTTON, CRect(10, 100, 60, 120),
                            &parent, 5014));
    EXPECT_EQ(a.Kind(), 4);
    b.SendMessage(BM_SETCHECK, 1);
    r9test::Pump();
    c.SendMessage(BM_SETCHECK, 1);
    r9test::Pump();
    EXPECT_FALSE(b.IsChecked());
    EXPECT_TRUE(c.IsChecked()); // not cleared by its own message
    // A click released over the button checks it; released elsewhere it stays unchecked.
    r9test::Press(a.Widget(), QPoint(5, 5));
    r9test::Move(a.Widget(), QPoint(200, 5), Qt::LeftButton);
    r9test::Release(a.Widget(), QPoint(200, 5));
    r9test::Pump();
    EXPECT_FALSE(a.IsChecked());
    r9test::Click(a.Widget(), QPoint(5, 5));
    r9test::Pump();
    EXPECT_TRUE(a.IsChecked());
    EXPECT_FALSE(c.IsChecked());
    EXPECT_EQ(a.SendMessage(BM_GETCHECK), 1);
    // Push kind never stays checked.
    CxSkinButton push;
    AttachButton(push, 5015, BS_PUSHBUTTON, CRect(100, 10, 160, 30), "P");
    push.SendMessage(BM_SETCHECK, 1);
    EXPECT_FALSE(push.IsChecked());
}

TEST_F(SkinButtonsTest, SkinSetUpClampsTheDrawModeAndBuildsRegionsFromMasks) {
    CxSkinButton skin;
    AttachButton(skin, 5021, BS_PUSHBUTTON, CRect(10, 10, 110, 40), "S");
    skin.SetSkin(kBtnNormal, kBtnPressed, kBtnHover, 0, 0, 0, 5, 0, -3);
    EXPECT_EQ(skin.DrawMode(), 2);
    skin.SetSkin(kBtnNormal, kBtnPressed, kBtnHover, 0, 0, 0, -1, 1, 0);
    EXPECT_EQ(skin.DrawMode(), 0);
    Render(skin, "xskinbutton-skinned");
    skin.SetToolTipText("Minimize");
    skin.SetToolTipColor(RGB(255, 255, 255), RGB(27, 30, 36));
    EXPECT_EQ(skin.ToolTipText(), CString("Minimize"));
    skin.SetToolTipText("Close");
    EXPECT_EQ(skin.ToolTipText(), CString("Close"));
    // Regions: runs of non-white pixels; an all-white mask gives an empty region.
    CBitmap mask;
    const BYTE bits[] = {0x3C, 0x00, 0xFF, 0x00, 0x00, 0x00}; // rows 0..2 of 8 pixels, 1 = white
    ASSERT_TRUE(mask.CreateBitmap(8, 3, 1, 1, bits));
    HRGN region = CxSkinButton::CreateRgnFromBitmap(&mask, RGB(255, 255, 255));
    ASSERT_NE(region, nullptr);
    CRgn* r = CRgn::FromHandle(region);
    EXPECT_TRUE(r->PtInRegion(0, 0));
    EXPECT_TRUE(r->PtInRegion(1, 0));
    EXPECT_FALSE(r->PtInRegion(2, 0));
    EXPECT_TRUE(r->PtInRegion(6, 0));
    EXPECT_FALSE(r->PtInRegion(3, 1)); // row 1 all white
    EXPECT_TRUE(r->PtInRegion(7, 2));
    CRect box;
    r->GetRgnBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 8, 3));
    ::DeleteObject(region);
    CBitmap white;
    const BYTE allWhite[] = {0xFF, 0x00, 0xFF, 0x00};
    ASSERT_TRUE(white.CreateBitmap(8, 2, 1, 1, allWhite));
    HRGN none = CxSkinButton::CreateRgnFromBitmap(&white, RGB(255, 255, 255));
    CRgn::FromHandle(none)->GetRgnBox(&box);
    EXPECT_TRUE(box.IsRectEmpty());
    ::DeleteObject(none);
}

TEST_F(SkinButtonsTest, EveryHandControlShowsTheProgramHandOverItself) {
    CBitButton bit;
    CBitmapSlider fader;
    CBtnPng png;
    CXPButton xp;
    CxSkinButton skin;
    AttachButton(bit, 6001, BS_PUSHBUTTON, CRect(10, 10, 60, 30));
    AttachStatic(fader, 6002, CRect(70, 10, 94, 170));
    AttachButton(png, 6003, BS_PUSHBUTTON, CRect(100, 10, 160, 30));
    AttachButton(xp, 6004, BS_OWNERDRAW, CRect(170, 10, 230, 30));
    AttachButton(skin, 6005, BS_PUSHBUTTON, CRect(240, 10, 300, 30));
    png.SetPngImages(kPngNormal, kPngHover, kPngPressed);
    for (CWnd* w : std::initializer_list<CWnd*>{&bit, &fader, &png, &xp, &skin}) {
        r9test::Move(w->Widget(), QPoint(3, 3));
        EXPECT_EQ(w->Widget()->cursor().shape(), Qt::BitmapCursor) << w->GetDlgCtrlID();
        EXPECT_EQ(w->Widget()->cursor().hotSpot(), QPoint(5, 0)) << w->GetDlgCtrlID();
    }
}

TEST_F(SkinButtonsTest, EverySkinnedButtonMarksTheKeyboardFocusInTheSkinsAccent) {
    CBitButton bit;
    CBtnPng png;
    CXPButton xp;
    CxSkinButton skin;
    CComBoxBtn combo;
    CButton other;
    AttachButton(bit, 6001, BS_PUSHBUTTON, CRect(10, 10, 90, 38));
    bit.SetBitmaps(kBtnNormal, kBtnHover, kBtnPressed, kBtnChecked, kBtnCheckedHover, kBtnCheckedPressed);
    AttachButton(png, 6002, BS_PUSHBUTTON, CRect(10, 50, 74, 82));
    png.SetPngImages(kPngNormal, kPngHover, kPngPressed);
    AttachButton(xp, 6003, BS_OWNERDRAW, CRect(10, 90, 90, 118));
    xp.SetBitmaps(kBtnNormal, kBtnHover, kBtnPressed, kBtnNormal, kBtnHover, kBtnPressed);
    AttachButton(skin, 6004, BS_PUSHBUTTON, CRect(10, 130, 110, 160), "Menu");
    AttachButton(combo, 6006, BS_PUSHBUTTON, CRect(10, 170, 130, 194), "Hi_Level");
    combo.SetBitmaps(kBtnNormal, kBtnHover);
    ASSERT_TRUE(other.Create("", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(200, 10, 260, 30),
                             &parent, 6005));
    const QRgb accent = qRgb(0x19, 0xb5, 0xfe);
    struct Case {
        const char* name;
        CWnd& button;
    } cases[] = {
        {"bitbutton", bit}, {"btnpng", png}, {"xpbutton", xp}, {"xskinbutton", skin}, {"comboxbtn", combo}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        other.SetFocus();
        r9test::Pump();
        const QImage plain = Render(c.button, (std::string(c.name) + "-unfocused").c_str())
                                 .convertToFormat(QImage::Format_RGB32);
        c.button.SetFocus();
        r9test::Pump();
        ASSERT_EQ(CWnd::GetFocus(), &c.button);
        const QImage marked = Render(c.button, (std::string(c.name) + "-focused").c_str())
                                  .convertToFormat(QImage::Format_RGB32);
        // The ring runs along the edge, on every side.
        const int w = marked.width(), h = marked.height();
        for (const QPoint p :
             {QPoint(w / 2, 0), QPoint(w / 2, h - 1), QPoint(0, h / 2), QPoint(w - 1, h / 2)}) {
            EXPECT_EQ(marked.pixel(p), accent) << p.x() << "," << p.y();
            EXPECT_NE(plain.pixel(p), accent) << p.x() << "," << p.y();
        }
        // It goes with the focus.
        other.SetFocus();
        r9test::Pump();
        EXPECT_EQ(Render(c.button, c.name).convertToFormat(QImage::Format_RGB32), plain);
    }
}

} // namespace
