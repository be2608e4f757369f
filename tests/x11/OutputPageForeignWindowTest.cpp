// The output page online against the emulator, on a real X server with another program's window
// lying over CH8's ON and Pol buttons: with the HPF slope list open, a click on that window only
// closes the list, and neither the program nor the device sees CH8 change; a click on CH7's Pol,
// which nothing covers, still flips it.
#include "ForeignWindowSteps.h"

#include "shell/OutputPageLinkFixture.h"

#include "controls/ComBoxBtn.h"
#include "controls/DropWnd.h"
#include "pages/output/OutRoute_Dlg.h"
#include "pages/output/XoverBlock.h"

namespace {

constexpr int kCH7 = 6, kCH8 = 7;

class OutputPageUnderForeignWindow : public OnlineOutputPageTest {
protected:
    void SetUp() override {
        OnlineOutputPageTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(server.Connected());
        ShowPageInFront(PAGE_OUTPUT);
        ASSERT_TRUE(r9test::WaitFor([&] { return r9test::ShownAndActive(server, *m_view); }))
            << "the main view mapped, shown and active";
    }

    CComBoxBtn& HpfSlope() { return m_page->Xover().Slope(CXoverBlock::HPF); }
    bool SlopeOpen() { return HpfSlope().GetDropWnd()->IsWindowVisible() != FALSE; }

    r9test::ServerWindows server;
};

TEST_F(OutputPageUnderForeignWindow, AClickOnItOverCH8OnlyClosesTheSlopeList) {
    COutRoute_Dlg* ch7 = m_page->GetStrip(kCH7);
    COutRoute_Dlg* ch8 = m_page->GetStrip(kCH8);
    ASSERT_TRUE(ch7 && ch8);
    CRect on, pol;
    ch8->m_btnOn.GetWindowRect(&on);
    ch8->m_btnPolarity.GetWindowRect(&pol);
    CRect covered;
    covered.UnionRect(on, pol);
    covered.InflateRect(6, 6);
    const auto cover = r9test::CoverWith(server, *m_view, covered);
    ASSERT_NE(cover, nullptr);

    const PresetImage before = m_dev.GetState().live;
    for (CWnd* under : {static_cast<CWnd*>(&ch8->m_btnPolarity), static_cast<CWnd*>(&ch8->m_btnOn)}) {
        HpfSlope().ShowDropList();
        ASSERT_TRUE(SlopeOpen());
        r9test::ClickWithListOpen(*m_view, r9test::Centre(*under));
        EXPECT_FALSE(SlopeOpen()) << "the click on the other window closed the list";
    }
    // CH7's Pol with the list open still acts; its frame follows anything the clicks above sent.
    HpfSlope().ShowDropList();
    ASSERT_TRUE(SlopeOpen());
    r9test::ClickWithListOpen(*m_view, r9test::Centre(ch7->m_btnPolarity));
    EXPECT_FALSE(SlopeOpen());
    ExpectDeviceChangedOnly(before, {R9_OUTPUT_SPAN(kCH7, polarity)});
    EXPECT_NE(m_dev.GetState().live.outputs[kCH7].polarity, before.outputs[kCH7].polarity);
    const PresetImage mine = ProgramImage();
    EXPECT_EQ(mine.outputs[kCH8].polarity, before.outputs[kCH8].polarity);
    EXPECT_EQ(mine.outputs[kCH8].on, before.outputs[kCH8].on);
}

} // namespace
