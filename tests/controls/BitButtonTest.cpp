#include "controls/BitButton.h"

#include "SkinControlFixture.h"
#include "controls/ControlMessages.h"

using namespace skintest;

namespace {

constexpr int kId = 2836;

class BitButtonTest : public SkinControlTest {
protected:
    void SetUp() override {
        SkinControlTest::SetUp();
        AttachButton(button, kId, BS_PUSHBUTTON, CRect(10, 10, 70, 30), "PEQ");
        button.SetBitmaps(kBtnNormal, kBtnHover, kBtnPressed, kBtnChecked, kBtnCheckedHover,
                          kBtnCheckedPressed);
        button.SetDisabledBitmaps(kBtnDisabled, kBtnDisabledChecked);
        button.SetHotBitmaps(kBtnHot, kBtnHot);
        r9test::Pump();
        parent.Clear();
    }
    CBitButton button;
};

TEST_F(BitButtonTest, LookTableChoosesTheStateBitmap) {
    struct Case {
        BOOL disabled, checked, hover, pressed, hot;
        UINT look;
    };
    const Case cases[] = {
        {TRUE, TRUE, TRUE, TRUE, TRUE, kBtnDisabledChecked},
        {TRUE, FALSE, TRUE, TRUE, TRUE, kBtnDisabled},
        {FALSE, FALSE, TRUE, TRUE, FALSE, kBtnPressed},
        {FALSE, FALSE, TRUE, FALSE, TRUE, kBtnHover},
        {FALSE, FALSE, FALSE, TRUE, TRUE, kBtnHot},
        {FALSE, FALSE, FALSE, TRUE, FALSE, kBtnNormal},
        {FALSE, TRUE, TRUE, TRUE, FALSE, kBtnCheckedPressed},
        {FALSE, TRUE, TRUE, FALSE, TRUE, kBtnCheckedHover},
        {FALSE, TRUE, FALSE, FALSE, TRUE, kBtnHot},
        {FALSE, TRUE, FALSE, TRUE, FALSE, kBtnChecked},
    };
    for (const Case& c : cases) {
        button.SetCheck(c.checked);
        button.SetHoverLook(c.hover);
        button.SetHot(c.hot);
        if (c.pressed)
            r9test::Press(button.Widget(), QPoint(5, 5));
        EXPECT_EQ(button.LookBitmap(c.disabled), c.look)
            << c.disabled << c.checked << c.hover << c.pressed << c.hot;
        if (c.pressed)
            r9test::Release(button.Widget(), QPoint(500, 500));
    }
    // Zeros among the checked ids take the unchecked looks.
    button.SetHot(FALSE);
    button.SetBitmaps(kBtnNormal, kBtnHover, kBtnPressed, 0, 0, 0);
    button.SetCheck(1);
    button.SetHoverLook(FALSE);
    EXPECT_EQ(button.LookBitmap(FALSE), static_cast<UINT>(kBtnNormal));
    button.SetHoverLook(TRUE);
    EXPECT_EQ(button.LookBitmap(FALSE), static_cast<UINT>(kBtnHover));
    EXPECT_EQ(button.GetCheck(), 1);
    button.SetCheck(2);
    EXPECT_EQ(button.GetCheck(), 2); // stored unchanged
}

TEST_F(BitButtonTest, TakesTheSizeOfItsLookAndKeepsItForAMissingBitmap) {
    EXPECT_EQ(ClientRect(button).Size(), CSize(80, 28));
    button.SetBitmaps(kBtnNormal, kBtnBig, kBtnPressed);
    r9test::Move(button.Widget(), QPoint(3, 3));
    EXPECT_EQ(ClientRect(button).Size(), CSize(100, 40));
    button.SetBitmaps(kMissing, kMissing, kMissing);
    EXPECT_EQ(ClientRect(button).Size(), CSize(100, 40));
    const QImage img = Render(button, "bitbutton-missing");
    EXPECT_EQ(img.pixel(50, 2), Rgb(::GetSysColor(COLOR_BTNFACE)));
}

TEST_F(BitButtonTest, ClickReportsOnlyAndTheMouseDrivesHoverPressedAndNotifications) {
    button.EnableMoveNotify(TRUE);
    r9test::Move(button.Widget(), QPoint(5, 5));
    r9test::Move(button.Widget(), QPoint(5, 5));
    r9test::Move(button.Widget(), QPoint(6, 5));
    EXPECT_TRUE(button.IsHovered());
    auto notes = parent.Of(WM_CONTROL_MOUSEMOVE);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].lParam, kId);
    EXPECT_EQ(notes[0].wParam, 0u);
    r9test::Press(button.Widget(), QPoint(6, 5));
    EXPECT_EQ(button.LookBitmap(FALSE), static_cast<UINT>(kBtnPressed));
    // Held and moved off: leave, the normal look.
    r9test::Move(button.Widget(), QPoint(300, 5), Qt::LeftButton);
    EXPECT_FALSE(button.IsHovered());
    EXPECT_EQ(button.LookBitmap(FALSE), static_cast<UINT>(kBtnNormal));
    r9test::Release(button.Widget(), QPoint(300, 5));
    EXPECT_TRUE(parent.Codes(kId).empty());
    r9test::Move(button.Widget(), QPoint(5, 5));
    r9test::Click(button.Widget(), QPoint(5, 5));
    EXPECT_EQ(parent.Codes(kId), std::vector<UINT>{BN_CLICKED});
    EXPECT_EQ(button.GetCheck(), 0); // the page sets it
    notes = parent.Of(WM_CONTROL_MOUSEMOVE);
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[2].wParam, static_cast<WPARAM>(MK_LBUTTON)); // the move off while held
}

TEST_F(BitButtonTest, PartnersMirrorHoverWhileUncheckedAndAreForgottenWhenHidden) {
    CBitButton a, b;
    AttachButton(a, 3001, BS_PUSHBUTTON, CRect(10, 50, 90, 78));
    AttachButton(b, 3002, BS_PUSHBUTTON, CRect(10, 90, 90, 118));
    a.SetBitmaps(kBtnNormal, kBtnHover, kBtnPressed);
    b.SetBitmaps(kBtnNormal, kBtnHover, kBtnPressed);
    button.SetHoverPartners(&a, &b);
    r9test::Move(button.Widget(), QPoint(5, 5));
    EXPECT_TRUE(a.IsHovered());
    EXPECT_TRUE(b.IsHovered());
    r9test::Move(button.Widget(), QPoint(500, 5));
    button.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(a.IsHovered());
    // Checked: the partners are left alone; unchecking turns them off.
    button.SetCheck(1);
    r9test::Move(button.Widget(), QPoint(5, 5));
    EXPECT_FALSE(a.IsHovered());
    a.SetHoverLook(TRUE);
    button.SetCheck(0);
    EXPECT_FALSE(a.IsHovered());
    button.ShowWindow(SW_HIDE);
    button.ShowWindow(SW_SHOW);
    button.SendMessage(WM_MOUSELEAVE);
    r9test::Move(button.Widget(), QPoint(7, 5));
    EXPECT_FALSE(a.IsHovered());
}

TEST_F(BitButtonTest, KindComesFromTheLayoutType) {
    CBitButton check, radio, owner;
    AttachButton(check, 3011, BS_AUTOCHECKBOX, CRect(100, 10, 200, 30), "check");
    AttachButton(radio, 3012, BS_AUTORADIOBUTTON, CRect(100, 40, 200, 60), "radio");
    AttachButton(owner, 3013, BS_OWNERDRAW, CRect(100, 70, 200, 90), "owner");
    EXPECT_EQ(check.GetStyle() & 0xF, static_cast<DWORD>(BS_AUTOCHECKBOX)); // the system draws it
    EXPECT_EQ(radio.GetStyle() & 0xF, static_cast<DWORD>(BS_AUTORADIOBUTTON));
    EXPECT_EQ(button.GetStyle() & 0xF, static_cast<DWORD>(BS_OWNERDRAW));
    owner.SetBitmaps(kBtnNormal, kBtnHover, kBtnPressed);
    // An owner-drawn layout type counts as check-box kind: it draws nothing of its own.
    const QImage img = Render(owner, "bitbutton-ownerdraw-kind");
    CBitmap normal;
    ASSERT_TRUE(normal.LoadBitmap(kBtnNormal));
    EXPECT_NE(img.pixel(40, 14), normal.Image().pixel(40, 14));
}

TEST_F(BitButtonTest, RendersEveryStateAndTheDisabledLabel) {
    CBitmap art;
    struct Shot {
        const char* name;
        BOOL checked, hover, hot;
        UINT look;
    };
    const Shot shots[] = {
        {"bitbutton-normal", FALSE, FALSE, FALSE, kBtnNormal},
        {"bitbutton-hover", FALSE, TRUE, FALSE, kBtnHover},
        {"bitbutton-hot", FALSE, FALSE, TRUE, kBtnHot},
        {"bitbutton-checked", TRUE, FALSE, FALSE, kBtnChecked},
        {"bitbutton-checked-hover", TRUE, TRUE, FALSE, kBtnCheckedHover},
    };
    button.SetTextColors(RGB(230, 233, 239), RGB(255, 255, 255), RGB(200, 200, 200), RGB(255, 255, 255),
                         RGB(255, 255, 255), RGB(255, 255, 255));
    for (const Shot& s : shots) {
        button.SetCheck(s.checked);
        button.SetHoverLook(s.hover);
        button.SetHot(s.hot);
        button.SetWindowText("");
        const QImage img = Render(button, "");
        ASSERT_TRUE(art.LoadBitmap(s.look));
        EXPECT_EQ(img.convertToFormat(QImage::Format_RGB32),
                  art.Image().convertToFormat(QImage::Format_RGB32))
            << s.name;
        button.SetWindowText("PEQ");
        Render(button, s.name); // for looking
    }
    button.SetWindowText("PEQ");
    button.SetCheck(0);
    button.SetHoverLook(FALSE);
    button.SetHot(FALSE);
    Render(button, "bitbutton-text");
    r9test::Move(button.Widget(), QPoint(5, 5));
    r9test::Press(button.Widget(), QPoint(5, 5));
    Render(button, "bitbutton-pressed");
    r9test::Release(button.Widget(), QPoint(5, 5));
    // Disabled: the disabled bitmap and the disabled text at its offsets, hover ignored.
    button.SetWindowText("Preset 1");
    button.SetDisabledTextColor(RGB(255, 204, 74));
    button.SetDisabledTextAlign(DT_LEFT);
    button.SetDisabledTextLeft(6);
    button.EnableWindow(FALSE);
    const QImage off = Render(button, "bitbutton-disabled-label");
    int yellow = 0;
    for (int y = 0; y < off.height(); ++y)
        for (int x = 0; x < off.width(); ++x) {
            const QColor c = off.pixelColor(x, y);
            if (c.red() > 200 && c.green() > 150 && c.blue() < 120) {
                ++yellow;
                EXPECT_GE(x, 6);
                EXPECT_LT(x, 60); // left-aligned, not centred
            }
        }
    EXPECT_GT(yellow, 10);
}

} // namespace
