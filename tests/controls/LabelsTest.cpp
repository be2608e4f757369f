// Labels: the font label's style flags, alignment and blink, the transparent label's text rule
// and its worker-thread hand-over, the two-state label and the hyperlink.
#include "ControlFixture.h"

#include "controls/FontStatic.h"
#include "controls/MuteStatic.h"
#include "controls/TransparentStatic.h"
#include "platform/ui/Static.h"

#include <thread>

using namespace ctltest;

namespace {

constexpr COLORREF kPage = RGB(27, 30, 36);

TEST(FontStaticTest, StyleFlagsSetAlignmentOnlyWithANewColour) {
    struct Case {
        UINT flags;
        BOOL centre, left, right;
        BYTE markers[5];
    };
    const Case cases[] = {
        {1, FALSE, FALSE, FALSE, {0, 0, 0, 0, 0}},            // no alignment bit: all clear, paints centred
        {33, TRUE, FALSE, FALSE, {0, 0, 0, 0, 0}},            // the progress dialog's flags
        {32 | 64 | 128, TRUE, FALSE, FALSE, {1, 0, 0, 0, 0}}, // centre wins
        {64 | 128, FALSE, FALSE, TRUE, {1, 0, 0, 0, 0}},      // right before left
        {64 | 2 | 16, FALSE, TRUE, FALSE, {1, 1, 0, 0, 1}},
        {4 | 8, FALSE, FALSE, FALSE, {1, 0, 1, 1, 0}},
    };
    for (const Case& c : cases) {
        CFontStatic label;
        label.SetFontStyle("", 16, RGB(255, 0, 0), c.flags);
        EXPECT_EQ(label.IsCentered(), c.centre) << c.flags;
        EXPECT_EQ(label.IsLeftAligned(), c.left) << c.flags;
        EXPECT_EQ(label.IsRightAligned(), c.right) << c.flags;
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(label.GetStyleMarker(i), c.markers[i]) << c.flags << " marker " << i;
        // Only the face and height change with the colour the label already has.
        label.SetFontStyle("Tahoma", 18, RGB(255, 0, 0), 64);
        EXPECT_EQ(label.GetFaceName(), CString("Tahoma"));
        EXPECT_EQ(label.GetFontSize(), 18);
        EXPECT_EQ(label.IsLeftAligned(), c.left) << c.flags;
        EXPECT_EQ(label.IsRightAligned(), c.right) << c.flags;
    }
}

TEST(FontStaticTest, TextFormatFollowsTheAlignmentFlags) {
    CFontStatic label;
    EXPECT_EQ(label.TextFormat(), DT_NOCLIP | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    label.SetRightAlign(TRUE);
    EXPECT_EQ(label.TextFormat(), DT_NOCLIP | DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    label.SetLeftAlign(TRUE); // left wins over right
    EXPECT_EQ(label.TextFormat(), DT_NOCLIP | DT_SINGLELINE | DT_VCENTER);
}

TEST(FontStaticTest, PaintsCentredLeftAndRightWithBackground) {
    RecordingParent parent(kPage, 420, 140);
    CFontStatic centred, left, right;
    parent.Attach<CStatic>(centred, 1001, CRect(10, 10, 210, 40), SS_LEFT, "Gain");
    parent.Attach<CStatic>(left, 1002, CRect(10, 50, 210, 80), SS_LEFT, "Gain");
    parent.Attach<CStatic>(right, 1003, CRect(10, 90, 210, 120), SS_LEFT, "Gain");
    EXPECT_TRUE(centred.GetStyle() & SS_NOTIFY);
    const COLORREF bk = RGB(230, 230, 230);
    for (CFontStatic* l : {&centred, &left, &right}) {
        l->SetBkColor(bk);
        l->SetFontStyle("", 18, RGB(128, 0, 0), 33);
    }
    left.SetFontStyle("", 18, RGB(0, 0, 0), 64);
    right.SetFontStyle("", 18, RGB(0, 0, 0), 128);
    const QImage img = Render(parent, "controls-label-font-alignments");
    // Background filled over the whole label.
    EXPECT_EQ(Pixel(img, 11, 11), bk);
    EXPECT_EQ(Pixel(img, 208, 38), bk);
    const CRect c = BoxNot(img, CRect(10, 10, 210, 40), bk);
    ASSERT_FALSE(c.IsRectEmpty());
    EXPECT_NEAR((c.left + c.right) / 2, 110, 2);
    EXPECT_NEAR((c.top + c.bottom) / 2, 25, 3);
    const CRect l = BoxNot(img, CRect(10, 50, 210, 80), bk);
    EXPECT_LE(l.left, 12);
    const CRect r = BoxNot(img, CRect(10, 90, 210, 120), bk);
    EXPECT_GE(r.right, 207);
}

TEST(FontStaticTest, BlinkAlternatesRedAndWhiteOnItsTimerOnly) {
    RecordingParent parent;
    CFontStatic label;
    parent.Attach<CStatic>(label, 1001, CRect(10, 10, 110, 30), SS_LEFT, "Busy");
    label.SetTextColor(RGB(0, 0, 128));
    label.StartBlink();
    EXPECT_EQ(label.PaintTextColor(), RGB(255, 0, 0));
    label.SendMessage(WM_TIMER, 1001);
    EXPECT_EQ(label.PaintTextColor(), RGB(250, 250, 250));
    label.SendMessage(WM_TIMER, 7); // another timer id changes nothing
    EXPECT_EQ(label.PaintTextColor(), RGB(250, 250, 250));
    label.SendMessage(WM_TIMER, 1001);
    EXPECT_EQ(label.PaintTextColor(), RGB(255, 0, 0));
    label.StopBlink();
    EXPECT_FALSE(label.IsBlinking());
    EXPECT_EQ(label.PaintTextColor(), RGB(0, 0, 128));
}

TEST(FontStaticTest, ShowValueWritesTheOffsetValueAndSuffix) {
    RecordingParent parent;
    CFontStatic label;
    parent.Attach<CStatic>(label, 1001, CRect(10, 10, 110, 30), SS_LEFT, "");
    label.SetValueFormat(0, 0, 20, "dB");
    label.ShowValue(26);
    CString text;
    label.GetWindowText(text);
    EXPECT_EQ(text, CString("6dB"));
}

TEST(TransparentStaticTest, TextFormatFromStaticStyles) {
    struct Case {
        DWORD style;
        UINT format;
    };
    const Case cases[] = {
        {SS_LEFT, DT_WORDBREAK},
        {SS_RIGHT, DT_RIGHT | DT_WORDBREAK},
        {SS_CENTER, DT_CENTER | DT_WORDBREAK},
        {SS_CENTERIMAGE, DT_VCENTER | DT_SINGLELINE},
        {SS_NOPREFIX, DT_NOPREFIX | DT_WORDBREAK},
        {0xC /* SS_LEFTNOWORDWRAP */, 0},
        {SS_ENDELLIPSIS, DT_WORD_ELLIPSIS | DT_END_ELLIPSIS},
        {SS_PATHELLIPSIS, DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS},
        {SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CTransparentStatic::TextFormatFromStyle(c.style), c.format) << std::hex << c.style;
}

// Counts the WM_SETTEXT messages that reach the label.
class CountingStatic : public CTransparentStatic {
public:
    int setTexts = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SETTEXT)
            ++setTexts;
        return CTransparentStatic::WindowProc(message, wParam, lParam);
    }
};

TEST(TransparentStaticTest, SetsOnlyChangedTextAndCanEmptyATemplateCaption) {
    RecordingParent parent;
    CountingStatic label;
    parent.Attach<CStatic>(label, 1886, CRect(10, 10, 210, 30), SS_LEFT, "Ready to update");
    CString text;
    // The first call with an empty text empties the caption of the layout.
    label.SetWindowText("");
    label.GetWindowText(text);
    EXPECT_EQ(text, CString(""));
    EXPECT_EQ(label.setTexts, 1);
    label.SetWindowText("");
    EXPECT_EQ(label.setTexts, 1);
    label.SetWindowText("Step 1");
    label.SetWindowText("Step 1");
    EXPECT_EQ(label.setTexts, 2);
    label.SetWindowText("step 1"); // case-sensitive
    EXPECT_EQ(label.setTexts, 3);
}

TEST(TransparentStaticTest, PaintsOnlyTheTextOverTheParent) {
    RecordingParent parent(kPage, 240, 60);
    CTransparentStatic label;
    parent.Attach<CStatic>(label, 1886, CRect(10, 10, 230, 50), SS_CENTER | SS_CENTERIMAGE, "Update File");
    label.SetTextColor(RGB(255, 255, 255));
    const QImage img = Render(parent, "controls-label-transparent");
    EXPECT_EQ(Pixel(img, 12, 12), kPage);
    const CRect box = BoxNot(img, CRect(10, 10, 230, 50), kPage);
    ASSERT_FALSE(box.IsRectEmpty());
    EXPECT_NEAR((box.left + box.right) / 2, 120, 2);
    EXPECT_GT(CountNear(img, box, RGB(255, 255, 255)), 5);
}

TEST(TransparentStaticTest, WorkerHandsTextOverAndOutlivesTheLabel) {
    RecordingParent parent;
    auto label = std::make_unique<CTransparentStatic>();
    parent.Attach<CStatic>(*label, 1886, CRect(10, 10, 210, 30), SS_LEFT, "");
    CTransparentStatic::Remote remote = label->GetRemote();
    BOOL posted = FALSE;
    std::thread worker([&] { posted = remote.SetWindowText("Erasing flash..."); });
    worker.join();
    EXPECT_TRUE(posted);
    CString text;
    label->GetWindowText(text);
    EXPECT_EQ(text, CString("")); // nothing touched the window off the UI thread
    Pump();
    label->GetWindowText(text);
    EXPECT_EQ(text, CString("Erasing flash..."));

    label->DestroyWindow();
    label.reset();
    std::thread late([&] { posted = remote.SetWindowText("too late"); });
    late.join();
    EXPECT_FALSE(posted);
    Pump();
}

TEST(MuteStaticTest, TwoStatesTwoSchemesAndClicksReportedNotApplied) {
    RecordingParent parent(kPage, 200, 60);
    CMuteStatic on, off;
    parent.Attach<CStatic>(on, 3001, CRect(10, 10, 90, 40), SS_LEFT, "");
    parent.Attach<CStatic>(off, 3002, CRect(100, 10, 180, 40), SS_LEFT, "");
    off.SetState(FALSE);
    const QImage img = Render(parent, "controls-label-mute-on-off");
    EXPECT_EQ(Pixel(img, 11, 11), RGB(100, 105, 109));
    EXPECT_EQ(Pixel(img, 101, 11), RGB(200, 201, 205));
    EXPECT_GT(CountNear(img, CRect(10, 10, 90, 40), RGB(255, 255, 255)), 5);
    EXPECT_GT(CountNear(img, CRect(100, 10, 180, 40), RGB(255, 0, 0)), 5);

    Click(on, CPoint(20, 10));
    const auto clicks = parent.Of(WM_COMMAND);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].wParam, MAKEWPARAM(3001, STN_CLICKED));
    EXPECT_TRUE(on.GetState()); // the page decides

    on.SetTexts("Mute", "Live");
    on.SetMode(3);
    EXPECT_EQ(on.GetOnText(), CString("On"));
    EXPECT_EQ(on.GetOffText(), CString("OFF"));
}

} // namespace
