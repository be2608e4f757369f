// Numeric fields and their spins inside the real main view, online against the emulator over TCP:
// a level field given text without a number keeps its value and sends nothing; one click down on
// a frequency spin moves to the neighbouring grid point and goes out as one frame; one click on
// an EQ band's field takes typed text, and a second click places the caret.
#include "OutputPageLinkFixture.h"

#include "model/Conversions.h"
#include "model/Filter.h"

#include "pages/level/Level_Delay_Dlg.h"
#include "pages/output/BandRows.h"
#include "pages/output/XoverBlock.h"
#include "support/UiEvents.h"
#include "wire/LinkFrame.h"

#include <QApplication>

#include <algorithm>
#include <functional>

namespace {

class NumFieldLink : public OnlineOutputPageTest {
protected:
    // Waits until nothing is pending, then starts a fresh record of the frames.
    void Settle() {
        EXPECT_TRUE(WaitLinkIdle());
        m_dev.ClearRequests();
    }
    static bool IsWrite(const DevsimRequest& r) {
        return r.frame.size() > LinkFrame::OFS_CHUNK && r.frame[LinkFrame::OFS_TYPE] == FRAME_WRITE;
    }
    // Writes of output 0's chunk `chunk` (bands 0..30, the crossover 32) in the record so far.
    long OutputChunkWrites(int chunk) const {
        const auto frames = m_dev.GetRequests();
        return std::count_if(frames.begin(), frames.end(), [&](const DevsimRequest& r) {
            return IsWrite(r) && r.frame[LinkFrame::OFS_GROUP] == GROUP_OUTPUT &&
                   r.frame[LinkFrame::OFS_INDEX] == 0 && r.frame[LinkFrame::OFS_CHUNK] == chunk;
        });
    }
    // One click on the lower (down) arrow of a spin.
    static void ClickDown(CWnd& spin) {
        QWidget* w = spin.Widget();
        const QPoint at(w->width() / 2, w->height() - 4);
        r9test::Press(w, at);
        r9test::Release(w, at);
        r9test::Pump();
    }
    static int DeviceLowPass(const DeviceState& s) { return s.live.outputs[0].xover.lpFreq.Get(); }
};

TEST_F(NumFieldLink, LevelTextWithoutANumberLeavesTheMasterAtOffAndSendsNothing) {
    auto* level = dynamic_cast<CLevel_Delay_Dlg*>(m_view->PageWindow(PAGE_LEVEL));
    ASSERT_NE(level, nullptr);
    ShowPageInFront(PAGE_LEVEL);
    // The master at OFF (the bottom of its range), on the device as in the program.
    r9test::TypeInto(level->MasterEdit(), "OFF");
    ASSERT_TRUE(Pump([&] {
        std::lock_guard lock(g_linkLock);
        return m_dev.GetState().systemData.masterVolume.Get() == 0 && g_systemData.masterVolume.Get() == 0;
    }));
    CString text;
    level->MasterEdit().GetWindowText(text);
    ASSERT_STREQ(text, "OFF");
    for (const char* typed : {"abc", "", "  ", "dB"}) {
        SCOPED_TRACE(typed);
        Settle();
        const DeviceState before = m_dev.GetState();
        r9test::TypeInto(level->MasterEdit(), typed);
        EXPECT_TRUE(WaitLinkIdle());
        level->MasterEdit().GetWindowText(text);
        EXPECT_STREQ(text, "OFF");
        EXPECT_EQ(level->MasterSpin().GetPos(), 0);
        EXPECT_EQ(level->MasterFader().GetPos(), 0);
        {
            std::lock_guard lock(g_linkLock);
            EXPECT_EQ(g_systemData.masterVolume.Get(), 0);
        }
        const DeviceState after = m_dev.GetState();
        EXPECT_TRUE(after.systemData == before.systemData);
        EXPECT_TRUE(after.live == before.live);
        for (const DevsimRequest& r : m_dev.GetRequests())
            EXPECT_FALSE(IsWrite(r)) << "group " << int(r.frame[LinkFrame::OFS_GROUP]) << " index "
                                     << int(r.frame[LinkFrame::OFS_INDEX]);
    }
}

TEST_F(NumFieldLink, ADownClickOnAFrequencySpinSendsOneFrameForTheNeighbouringGridPoint) {
    ShowPageInFront(PAGE_OUTPUT);
    ASSERT_EQ(g_nCurOut.load(), 0);
    // The low-pass on a grid point (2000 Hz), reached by typing.
    CNumSpin& lowPass = m_page->Xover().Spin(CXoverBlock::LPF);
    auto* lowPassField = dynamic_cast<CNumEdit*>(lowPass.GetBuddy());
    ASSERT_NE(lowPassField, nullptr);
    r9test::TypeInto(*lowPassField, "2000");
    ASSERT_TRUE(Pump([&] { return DeviceLowPass(m_dev.GetState()) == 2000; }));
    for (int expect : {1943, 1888, 1834}) {
        SCOPED_TRACE(expect);
        Settle();
        ClickDown(lowPass);
        EXPECT_EQ(lowPass.GetPos(), expect);
        ASSERT_TRUE(Pump([&] { return DeviceLowPass(m_dev.GetState()) == expect; }));
        EXPECT_TRUE(WaitLinkIdle());
        EXPECT_EQ(OutputChunkWrites(CHUNK_OUT_XOVER), 1);
    }

    // An EQ band's frequency the same way. Its spin has no width on the page, so the step comes
    // as the up-down control reports one.
    constexpr int kBand = 4;
    CNumSpin& spin = m_page->Rows().FreqSpin(kBand);
    r9test::TypeInto(m_page->Rows().Freq(kBand), "76");
    ASSERT_TRUE(Pump([&] { return m_dev.GetState().live.outputs[0].bands[kBand].freq.Get() == 76; }));
    for (int expect : {74, 72, 70}) {
        SCOPED_TRACE(expect);
        Settle();
        NMUPDOWN nm{};
        nm.hdr.hwndFrom = spin.m_hWnd;
        nm.hdr.idFrom = static_cast<UINT_PTR>(spin.GetDlgCtrlID());
        nm.hdr.code = UDN_DELTAPOS;
        nm.iPos = spin.GetPos();
        nm.iDelta = -1;
        m_page->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
        EXPECT_EQ(spin.GetPos(), expect);
        ASSERT_TRUE(Pump([&] { return m_dev.GetState().live.outputs[0].bands[kBand].freq.Get() == expect; }));
        EXPECT_TRUE(WaitLinkIdle());
        EXPECT_EQ(OutputChunkWrites(kBand), 1);
    }
}

TEST_F(NumFieldLink, OneClickOnABandFieldTakesTypedTextAndReturnSendsTheBand) {
    ShowPageInFront(PAGE_OUTPUT);
    ASSERT_EQ(g_nCurOut.load(), 0);
    CBandRows& rows = m_page->Rows();
    struct Case {
        const char* name;
        int band;
        CNumEdit& field;
        const char* typed;
        std::function<int(CFilter&)> read;
        int expect;
    };
    const Case cases[] = {
        {"gain", 2, rows.Gain(2), "-2.5", [](CFilter& f) { return f.GetGainPos(); }, 175},
        {"frequency", 5, rows.Freq(5), "1000", [](CFilter& f) { return f.GetFreq(); }, 1000},
        {"Q", 8, rows.Q(8), "2", [](CFilter& f) { return f.GetBandwidthPos(); }, QToBandwidthIndex(2.0)},
        {"gain again", 9, rows.Gain(9), "3", [](CFilter& f) { return f.GetGainPos(); }, 230},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFilter* band = g_pOutData[0]->GetBand(c.band);
        ASSERT_NE(band, nullptr);
        ASSERT_NE(c.read(*band), c.expect);
        Settle();
        // One click (the pointer moving a little while the button is down), the text, Return:
        // all as the window system delivers them.
        QWidget* w = c.field.Widget();
        r9test::WindowHandClick(w, w->rect().center());
        r9test::Pump();
        ASSERT_EQ(CWnd::GetFocus(), &c.field);
        int start = -1, end = -1;
        c.field.GetSel(start, end);
        CString text;
        c.field.GetWindowText(text);
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, text.GetLength()) << "the whole text is selected for typing";
        r9test::WindowType(w, c.typed);
        c.field.GetWindowText(text);
        EXPECT_STREQ(text, c.typed);
        r9test::WindowKey(w, Qt::Key_Return, Qt::NoModifier, "\r");
        r9test::Pump();
        EXPECT_NE(CWnd::GetFocus(), &c.field) << "Return moves on";
        EXPECT_EQ(c.read(*band), c.expect);
        // The image takes a band's bytes only when its frame is built: equal images alone prove
        // nothing until the link has sent what was marked.
        ASSERT_TRUE(WaitLinkIdle());
        EXPECT_TRUE(m_dev.GetState().live.outputs[0].bands[c.band] ==
                    ProgramImage().outputs[0].bands[c.band]);
        // (A frequency far from the sent one goes out in steps.)
        EXPECT_GE(OutputChunkWrites(c.band), 1) << "the band's frame goes out";
    }

    // A second click into the field being edited places the caret instead of selecting again.
    QWidget* w = rows.Gain(12).Widget();
    r9test::WindowHandClick(w, w->rect().center());
    r9test::Pump();
    int start = -1, end = -1;
    rows.Gain(12).GetSel(start, end);
    ASSERT_EQ(start, 0);
    ASSERT_GT(end, 0);
    const QPoint right(w->width() - 3, w->height() / 2);
    r9test::WindowMouse(w, QEvent::MouseButtonPress, right, Qt::LeftButton, Qt::LeftButton);
    r9test::WindowMouse(w, QEvent::MouseButtonRelease, right, Qt::LeftButton, Qt::NoButton);
    r9test::Pump();
    EXPECT_EQ(CWnd::GetFocus(), &rows.Gain(12));
    rows.Gain(12).GetSel(start, end);
    CString text;
    rows.Gain(12).GetWindowText(text);
    EXPECT_EQ(start, end) << "no selection";
    EXPECT_EQ(end, text.GetLength()) << "the caret at the end of the text";
}

} // namespace
