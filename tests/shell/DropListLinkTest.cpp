// The output page's drop lists inside the real main view, online against the emulator, driven
// through the top-level windows: a list left open never chooses for another output, a field typed
// after it goes out as typed, an output change closes it, and a pick applies to the output the list
// was opened for even when the output changes before the pick is handled.
#include "OutputPageLinkFixture.h"

#include "controls/DropListBox.h"
#include "controls/DropWnd.h"
#include "pages/output/OutRoute_Dlg.h"
#include "pages/output/XoverBlock.h"
#include "platform/ui/DropDownWnd.h"
#include "support/RenderToPng.h"

#include <functional>

namespace {

class DropListLink : public OnlineOutputPageTest {
protected:
    void SetUp() override {
        OnlineOutputPageTest::SetUp();
        ShowPageInFront(PAGE_OUTPUT);
        ASSERT_EQ(g_nCurOut.load(), 0);
    }

    CComBoxBtn& HpfSlope() { return m_page->Xover().Slope(CXoverBlock::HPF); }
    static bool Open(CComBoxBtn& list) { return list.GetDropWnd()->IsWindowVisible() != FALSE; }
    // Opens the list with a click and moves the pointer over item n without choosing it.
    void OpenAndHover(CComBoxBtn& list, int n) {
        r9test::WindowClick(list.Widget(), QPoint(10, 10));
        r9test::Pump();
        ASSERT_TRUE(Open(list));
        r9test::WindowMove(list.GetListBox()->Widget(), ItemCentre(list, n));
        ASSERT_EQ(list.GetCurSel(), n);
    }
    static QPoint ItemCentre(CComBoxBtn& list, int n) {
        CRect item;
        list.GetListBox()->GetItemRect(n, &item);
        return QPoint(item.CenterPoint().x, item.CenterPoint().y);
    }
    void SelectOutput(int output) {
        r9test::WindowClick(m_page->GetStrip(output)->m_btnSelect.Widget());
        ASSERT_TRUE(Pump([&] { return g_nCurOut.load() == output; }, 3000));
    }
    static ImageSpan Xover(int output, size_t at, size_t size) {
        const ImageSpan x = R9_OUTPUT_SPAN(output, xover);
        return ImageSpan{x.at + at, size};
    }
    static ImageSpan LpFreq(int output) {
        return Xover(output, offsetof(XoverRecord, lpFreq), sizeof(XoverRecord::lpFreq));
    }
    static ImageSpan HpSlope(int output) {
        return Xover(output, offsetof(XoverRecord, hpSlope), sizeof(XoverRecord::hpSlope));
    }
};

} // namespace

TEST_F(DropListLink, AListLeftOpenChoosesNothingAndTheFieldTypedAfterItGoesOut) {
    constexpr int kOut = 6;
    const PresetImage before = m_dev.GetState().live;
    const BYTE slopes[2] = {before.outputs[0].xover.hpSlope, before.outputs[kOut].xover.hpSlope};
    // CH1's high-pass slope list open; End with the pointer off the list closes it unchosen.
    OpenAndHover(HpfSlope(), 0);
    r9test::WindowMove(m_page->Widget(), QPoint(5, 5));
    r9test::WindowKey(m_page->Widget(), Qt::Key_End);
    EXPECT_FALSE(Open(HpfSlope()));
    // Open again with the last slope under the pointer, left open.
    OpenAndHover(HpfSlope(), 3);
    SelectOutput(kOut); // the press that closes the list selects CH7
    EXPECT_FALSE(Open(HpfSlope()));
    EXPECT_EQ(CDropDownWnd::GetOpen(), nullptr);

    CNumEdit& lowPass = m_page->Xover().Freq(CXoverBlock::LPF);
    r9test::WindowClick(lowPass.Widget());
    r9test::Pump();
    ASSERT_EQ(CWnd::GetFocus(), &lowPass) << "the keys go to the field clicked, not to a list";
    lowPass.SetSel(0, -1);
    r9test::WindowType(lowPass.Widget(), "80");
    r9test::WindowKey(lowPass.Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
    ExpectDeviceChangedOnly(before, {LpFreq(kOut)});
    const PresetImage after = m_dev.GetState().live;
    EXPECT_EQ(after.outputs[kOut].xover.lpFreq.Get(), 80);
    EXPECT_EQ(after.outputs[0].xover.hpSlope, slopes[0]);
    EXPECT_EQ(after.outputs[kOut].xover.hpSlope, slopes[1]);
    r9test::RenderToPng(m_view->Widget(), "droplist_online_after_typed_field");
}

TEST_F(DropListLink, AnOutputChangeClosesTheListAndAPickGoesToTheOutputItWasOpenedFor) {
    constexpr int kOut = 6;
    PresetImage before = m_dev.GetState().live;
    // The strips select an output with a posted message: it closes the open list unchosen.
    OpenAndHover(HpfSlope(), 3);
    m_page->SendMessage(WM_OUTPUT_SELECT, kOut, 0);
    EXPECT_FALSE(Open(HpfSlope()));
    EXPECT_EQ(g_nCurOut.load(), kOut);
    r9test::WindowKey(m_page->Widget(), Qt::Key_Return);
    ExpectDeviceMatchesOnly(before, {});
    EXPECT_EQ(HpfSlope().GetCurSel(), m_doc->GetOut(kOut)->GetHPF()->GetSlope());

    // Back on CH1: a pick whose notice is still queued when the output changes goes to CH1.
    m_page->SendMessage(WM_OUTPUT_SELECT, 0, 0);
    ASSERT_NE(m_doc->GetOut(0)->GetHPF()->GetSlope(), 3);
    const int slope7 = m_doc->GetOut(kOut)->GetHPF()->GetSlope();
    OpenAndHover(HpfSlope(), 3);
    r9test::WindowClick(HpfSlope().GetListBox()->Widget(), ItemCentre(HpfSlope(), 3));
    EXPECT_FALSE(Open(HpfSlope()));
    m_page->SendMessage(WM_OUTPUT_SELECT, kOut, 0); // before the pick's notice ran
    EXPECT_EQ(m_doc->GetOut(0)->GetHPF()->GetSlope(), 3);
    EXPECT_EQ(m_doc->GetOut(kOut)->GetHPF()->GetSlope(), slope7);
    ExpectDeviceChangedOnly(before, {HpSlope(0)});
    EXPECT_EQ(m_dev.GetState().live.outputs[0].xover.hpSlope, 3);
    EXPECT_EQ(m_dev.GetState().live.outputs[kOut].xover.hpSlope, before.outputs[kOut].xover.hpSlope);
}

TEST_F(DropListLink, TheViewsListsCloseWhenAnotherOpensOrThePageChanges) {
    const DeviceState device = m_dev.GetState();
    const PresetImage before = device.live;
    CComBoxBtn& input = m_view->m_btnInputType;
    CComBoxBtn& phone = m_view->m_btnPhone;
    const int inputSel = input.GetCurSel(), phoneSel = phone.GetCurSel();
    OpenAndHover(phone, phoneSel == 0 ? 1 : 0);
    r9test::WindowClick(input.Widget(), QPoint(10, 10));
    r9test::Pump();
    EXPECT_FALSE(Open(phone));
    ASSERT_TRUE(Open(input)) << "the press on the other list opened it";
    r9test::WindowMove(input.GetListBox()->Widget(), ItemCentre(input, inputSel == 0 ? 1 : 0));
    m_view->ShowSubPage(PAGE_LEVEL, TRUE);
    EXPECT_FALSE(Open(input));
    EXPECT_EQ(CDropDownWnd::GetOpen(), nullptr);
    r9test::WindowKey(m_view->Widget(), Qt::Key_Return);
    EXPECT_EQ(input.GetCurSel(), inputSel);
    EXPECT_EQ(phone.GetCurSel(), phoneSel);
    ExpectDeviceMatchesOnly(before, {});
    EXPECT_EQ(m_dev.GetState().sourceSet, device.sourceSet);
    EXPECT_EQ(m_dev.GetState().bootSource, device.bootSource);
}

// The device's own control changes the input while the input list is open: the button follows,
// and the list, however it closes, opens again on the item the button shows.
TEST_F(DropListLink, AListReopenedAfterTheDeviceChangedItsValueHighlightsTheNewValue) {
    CComBoxBtn& input = m_view->m_btnInputType;
    constexpr int kHiLevel = 1, kAux = 3;
    const auto buttonReads = [&](int type) {
        CString text;
        input.GetWindowText(text);
        CString item;
        input.GetListBox()->GetText(InputTypeToItem(type), item);
        return text == item;
    };
    const struct {
        const char* what;
        std::function<void()> close; // null: the list stays open until the button reads AUX
        std::function<void()> closeLate;
    } cases[] = {
        {"Escape", nullptr, [&] { r9test::WindowKey(input.GetListBox()->Widget(), Qt::Key_Escape); }},
        {"a press outside", nullptr, [&] { r9test::WindowClick(m_view->Widget(), QPoint(600, 12)); }},
        {"closed before the change", [&] { r9test::WindowKey(input.GetListBox()->Widget(), Qt::Key_Escape); },
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // The user's choice first, Hi_Level; then the device's reports count again.
        m_view->SendMessage(WM_COMBO_SELECT, IDC_INPUT_TYPE_DROP, InputTypeToItem(kHiLevel));
        ASSERT_TRUE(Pump([&] { return m_dev.GetState().sourceSet.inputType == kHiLevel; }));
        m_view->OnTimer(TIMER_INPUT_TYPE_BUSY);
        ASSERT_TRUE(buttonReads(kHiLevel));

        // Open, the pointer on another item.
        OpenAndHover(input, InputTypeToItem(0));
        if (c.close) {
            c.close();
            ASSERT_FALSE(Open(input));
        }
        m_dev.ModifyState([](DeviceState& s) { s.sourceSet.inputType = kAux; });
        ASSERT_TRUE(Pump([&] { return buttonReads(kAux); })) << "the device's report reached the button";
        if (c.closeLate) {
            c.closeLate();
            ASSERT_TRUE(Pump([&] { return !Open(input); }));
        }
        EXPECT_EQ(input.GetCurSel(), InputTypeToItem(kAux)) << "closed, the list keeps what the button shows";

        r9test::WindowClick(input.Widget(), QPoint(10, 10));
        ASSERT_TRUE(Pump([&] { return Open(input); }));
        EXPECT_EQ(input.GetCurSel(), InputTypeToItem(kAux)) << "reopened, it highlights AUX";
        r9test::RenderToPng(m_view->Widget(), "droplist_reopened_after_device_change");
        r9test::WindowKey(input.GetListBox()->Widget(), Qt::Key_Escape);
        ASSERT_TRUE(Pump([&] { return !Open(input); }));
        EXPECT_TRUE(buttonReads(kAux));
        EXPECT_EQ(m_dev.GetState().sourceSet.inputType, kAux) << "nothing was chosen";
    }
}
