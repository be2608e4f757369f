// The group box: what binding reads from the window, the caption gap by alignment, the frame in
// enabled and disabled colours, and the looks of every frame kind in both languages.
#include "ControlFixture.h"

#include "controls/SxGroupBox.h"
#include "platform/ui/Button.h"

using namespace ctltest;

namespace {

constexpr COLORREF kFill = RGB(167, 198, 239);
const COLORREF kShadow = GetSysColor(COLOR_BTNSHADOW);
const COLORREF kLight = GetSysColor(COLOR_BTNHIGHLIGHT);

// The row of the top line: the first row of the frame's left column in the first colour.
int TopLine(const QImage& img, int x, int from, int to, COLORREF colour) {
    for (int y = from; y < to; ++y)
        if (Pixel(img, x, y) == colour)
            return y;
    return -1;
}

TEST(SxGroupBoxTest, BindingReadsCaptionAlignmentKindAndFrame) {
    RecordingParent parent;
    const int cxEdge = GetSystemMetrics(SM_CXEDGE), cyEdge = GetSystemMetrics(SM_CYEDGE);
    const int cxBorder = GetSystemMetrics(SM_CXBORDER), cyBorder = GetSystemMetrics(SM_CYBORDER);
    struct Case {
        DWORD style, exStyle;
        int alignment, kind;
        CRect frame;
        BYTE hidden;
    };
    const Case cases[] = {
        {BS_GROUPBOX | BS_CENTER, 0, BS_CENTER, 1, CRect(0, 0, 200, 100), 0}, // the layouts' boxes
        {BS_GROUPBOX, 0, BS_LEFT, 1, CRect(0, 0, 200, 100), 0},
        {BS_GROUPBOX | BS_RIGHT | BS_FLAT, 0x40, BS_RIGHT, 0, CRect(0, 0, 200, 100), 1},
        {BS_GROUPBOX, WS_EX_DLGMODALFRAME | 0x80, BS_LEFT, 1,
         CRect(2 * cxEdge - 1, 2 * cyEdge, 200 - 2 * cxEdge, 100 - 2 * cyEdge), 1},
        {BS_GROUPBOX, WS_EX_CLIENTEDGE, BS_LEFT, 1,
         CRect(cxEdge + 1 - 1, cyEdge + 1, 200 - cxEdge - 1, 100 - cyEdge - 1), 0},
        {BS_GROUPBOX, WS_EX_STATICEDGE, BS_LEFT, 1,
         CRect(2 * cxBorder - 1, 2 * cyBorder, 200 - 2 * cxBorder, 100 - 2 * cyBorder), 0},
    };
    UINT id = 1889;
    for (const Case& c : cases) {
        CSxGroupBox box;
        parent.Attach<CButton>(box, id++, CRect(10, 10, 210, 110), c.style, "Update File", c.exStyle);
        EXPECT_EQ(box.GetCaption(), CString("Update File"));
        EXPECT_EQ(box.GetAlignment(), c.alignment) << std::hex << c.style;
        EXPECT_EQ(box.GetFrameKind(), c.kind) << std::hex << c.style;
        EXPECT_EQ(box.GetFrameRect(), c.frame) << std::hex << c.exStyle;
        EXPECT_EQ(box.IsCaptionHidden(), c.hidden) << std::hex << c.exStyle;
        box.DestroyWindow();
    }
}

TEST(SxGroupBoxTest, CaptionGapByAlignmentAndSettersKeepTheirRanges) {
    RecordingParent parent;
    CSxGroupBox box;
    parent.Attach<CButton>(box, 1889, CRect(10, 10, 210, 110), BS_GROUPBOX, "");
    int x1 = 0, x2 = 0;
    box.CaptionGap(50, x1, x2);
    EXPECT_EQ(x1, 8);
    EXPECT_EQ(x2, 58);
    box.SetAlignment(BS_RIGHT);
    box.CaptionGap(50, x1, x2);
    EXPECT_EQ(x1, 142);
    EXPECT_EQ(x2, 192);
    box.SetAlignment(BS_CENTER);
    box.CaptionGap(50, x1, x2);
    EXPECT_EQ(x1, 75);
    EXPECT_EQ(x2, 125);
    box.CaptionGap(0, x1, x2);
    EXPECT_EQ(x1, x2); // an empty caption leaves no gap
    box.SetAlignment(0x500);
    EXPECT_EQ(box.GetAlignment(), static_cast<int>(BS_LEFT));
    box.SetFrameKind(99);
    EXPECT_EQ(box.GetFrameKind(), CSxGroupBox::kFrameEtched);
    box.SetFrameKind(CSxGroupBox::kFrameFlat);
    EXPECT_EQ(box.GetFrameKind(), CSxGroupBox::kFrameFlat);
    // The caption font is 10-point bold Arial: 13 pixels at 96 DPI.
    LOGFONT lf{};
    box.GetCaptionFont()->GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -13);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
}

TEST(SxGroupBoxTest, EtchedFrameWithCaptionGapAndContinuousLineWithoutCaption) {
    RecordingParent parent(RGB(27, 30, 36), 460, 140);
    CSxGroupBox titled, empty;
    parent.Attach<CButton>(titled, 1889, CRect(10, 10, 210, 110), BS_GROUPBOX | BS_CENTER, "Update File");
    parent.Attach<CButton>(empty, 1890, CRect(240, 10, 440, 110), BS_GROUPBOX, "");
    const QImage img = Render(parent, "controls-groupbox-etched");
    EXPECT_EQ(Pixel(img, 100, 80), kFill);
    const int y = TopLine(img, 13, 10, 60, kShadow);
    ASSERT_GE(y, 10);
    EXPECT_EQ(Pixel(img, 14, y + 1), kLight); // the etched second line
    // Right: the dark line on the last column; the light one lies outside the window.
    EXPECT_EQ(Pixel(img, 209, 60), kShadow);
    EXPECT_EQ(Pixel(img, 208, 60), kFill);
    // The caption interrupts the top line in the middle, in black text.
    EXPECT_NE(Pixel(img, 110, y), kShadow);
    EXPECT_GT(CountNear(img, CRect(60, 10, 160, y + 8), RGB(0, 0, 0), 60), 10);
    // Without a caption the top line runs through.
    const int y2 = TopLine(img, 243, 10, 60, kShadow);
    ASSERT_GE(y2, 10);
    for (int x = 250; x < 430; x += 10)
        EXPECT_EQ(Pixel(img, x, y2), kShadow) << x;
}

TEST(SxGroupBoxTest, DisabledBoxUsesDisabledColoursAndShowsNoCaption) {
    RecordingParent parent(RGB(27, 30, 36), 240, 140);
    CSxGroupBox box;
    parent.Attach<CButton>(box, 1889, CRect(10, 10, 210, 110), BS_GROUPBOX | BS_CENTER, "通信接口");
    box.SetColors(RGB(0, 0, 160), RGB(0, 160, 0), FALSE);
    QImage img = Render(parent, "controls-groupbox-zh");
    int y = TopLine(img, 13, 10, 60, RGB(0, 0, 160));
    ASSERT_GE(y, 10);
    EXPECT_GT(CountNear(img, CRect(60, 10, 160, y + 8), RGB(0, 0, 0), 60), 10);
    box.EnableWindow(FALSE);
    img = Render(parent, "controls-groupbox-disabled");
    y = TopLine(img, 13, 10, 60, kShadow);
    ASSERT_GE(y, 10);
    EXPECT_EQ(CountColour(img, CRect(10, 10, 210, 110), RGB(0, 0, 160)), 0);
    EXPECT_EQ(CountNear(img, CRect(60, 10, 160, y + 8), RGB(0, 0, 0), 60), 0);
}

TEST(SxGroupBoxTest, SetTextWithoutRedrawAndTheOtherFrameKinds) {
    RecordingParent parent(RGB(27, 30, 36), 460, 140);
    CSxGroupBox flat, twice;
    parent.Attach<CButton>(flat, 1889, CRect(10, 10, 210, 110), BS_GROUPBOX, "");
    parent.Attach<CButton>(twice, 1890, CRect(240, 10, 440, 110), BS_GROUPBOX | BS_RIGHT, "");
    flat.SetText("Communication interface", FALSE);
    EXPECT_EQ(flat.GetCaption(), CString("Communication interface"));
    CString text;
    flat.GetWindowText(text);
    EXPECT_EQ(text, CString("Communication interface"));
    flat.SetFrameKind(CSxGroupBox::kFrameFlat);
    twice.SetText("Update File", TRUE);
    twice.SetFrameKind(CSxGroupBox::kFrameDouble);
    twice.SetColors(RGB(0, 0, 160), RGB(0, 160, 0), TRUE);
    const QImage img = Render(parent, "controls-groupbox-flat-double");
    const int y = TopLine(img, 13, 10, 60, kShadow);
    ASSERT_GE(y, 10);
    EXPECT_EQ(Pixel(img, 10, 80), kShadow); // the flat frame runs on the frame's left edge
    EXPECT_EQ(Pixel(img, 240, 80), RGB(0, 0, 160));
    // The double frame's second line runs one pixel outside; only its top part is inside.
    const int y2 = TopLine(img, 243, 10, 60, RGB(0, 0, 160));
    ASSERT_GT(y2, 10);
    EXPECT_EQ(Pixel(img, 250, y2 - 1), RGB(0, 160, 0));
}

} // namespace
