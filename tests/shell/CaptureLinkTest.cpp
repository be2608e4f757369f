// Drags in the real main view, online against the emulator, cut short by a box that takes the
// pointer: the link lost (the failure box) or a box raised another way while the button is held.
// After the box neither the release nor the next click moves the dragged control or sends
// anything, and the click does its own job (Connect connects).
#include "OutputPageLinkFixture.h"

#include "controls/BitmapSlider.h"
#include "pages/output/OutRoute_Dlg.h"
#include "pages/output/ZNStatic.h"
#include "platform/ui/Dialog.h"
#include "wire/LinkFrame.h"

#include <QWidget>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kFaderOut = 1; // CH2
constexpr int kBand = 12;    // a band of CH1 on the graph

class CaptureLink : public OnlineOutputPageTest {
protected:
    void SetUp() override {
        OnlineOutputPageTest::SetUp();
        if (HasFatalFailure())
            return;
        ShowPageInFront(PAGE_OUTPUT);
        // Boxes show for real: each is recorded with whether a capture outlived its opening, then
        // the test's hand acts in it.
        SetMessageBoxAnswer({});
        CDialog::SetModalHook([this](CDialog& box) {
            m_boxes.push_back(box.GetDlgItem(IDOK) ? "box" : "dialog");
            m_captureInBox = m_captureInBox || CWnd::GetCapture() != nullptr;
            if (m_inBox)
                m_inBox(box);
        });
    }
    void TearDown() override {
        CDialog::SetModalHook(nullptr);
        OnlineOutputPageTest::TearDown();
    }

    CBitmapSlider& Fader() { return m_page->GetStrip(kFaderOut)->m_fader; }
    int ProgramLevel() const { return m_doc->GetOut(kFaderOut)->GetLevel(); }
    int DeviceLevel() { return static_cast<int>(m_dev.GetState().live.outputs[kFaderOut].levelCode.Get()); }
    CFilter* Band() const { return m_doc->GetOut(0)->GetBand(kBand); }

    // A point of the view's title area that no control covers.
    QPoint TitlePoint() const {
        QWidget* view = m_view->Widget();
        for (int x = view->width() / 3; x < view->width(); x += 7)
            if (!view->childAt(QPoint(x, 8)))
                return QPoint(x, 8);
        ADD_FAILURE() << "no free title point";
        return QPoint(0, 0);
    }
    void ReleaseOnTitle() {
        r9test::WindowMouse(m_view->Widget(), QEvent::MouseButtonRelease, TitlePoint(), Qt::LeftButton,
                            Qt::NoButton);
        r9test::Pump();
    }

    // Presses CH2's fader on its thumb and drags it a little down, until the device has it.
    void DragFader() {
        CBitmapSlider& f = Fader();
        const int before = ProgramLevel();
        const QPoint thumb(f.Widget()->width() / 2, f.PixelOfPos(f.GetRawPos()));
        r9test::WindowMouse(f.Widget(), QEvent::MouseButtonPress, thumb, Qt::LeftButton, Qt::LeftButton);
        r9test::WindowMouse(f.Widget(), QEvent::MouseMove, thumb + QPoint(0, 14), Qt::NoButton,
                            Qt::LeftButton);
        ASSERT_TRUE(f.IsDragging());
        ASSERT_TRUE(Pump([&] { return ProgramLevel() != before && DeviceLevel() == ProgramLevel(); }))
            << "the drag never reached the device";
    }
    // Presses a band's handle on the graph and drags it up and right, until the device has it.
    void DragBand() {
        CZNStatic& graph = m_page->Graph();
        graph.Widget()->repaint();
        const CPoint c = Band()->m_rcHandle.CenterPoint();
        const QPoint start(c.x, c.y);
        const int freq = Band()->GetFreq();
        r9test::WindowMove(graph.Widget(), start);
        r9test::WindowMouse(graph.Widget(), QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        r9test::WindowMouse(graph.Widget(), QEvent::MouseMove, start + QPoint(30, -12), Qt::NoButton,
                            Qt::LeftButton);
        ASSERT_EQ(CWnd::GetCapture(), &graph);
        ASSERT_NE(Band()->GetFreq(), freq);
        ASSERT_TRUE(Pump([&] {
            const DeviceState dev = m_dev.GetState();
            return dev.live.outputs[0].bands[kBand].freq.Get() == Band()->GetFreq();
        })) << "the drag never reached the device";
    }

    // Writes of the outputs' records since the last ClearRequests (connecting writes other groups).
    long Writes() const {
        const auto frames = m_dev.GetRequests();
        return std::count_if(frames.begin(), frames.end(), [](const DevsimRequest& r) {
            return r.frame.size() > LinkFrame::OFS_GROUP && r.frame[LinkFrame::OFS_TYPE] == FRAME_WRITE &&
                   r.frame[LinkFrame::OFS_GROUP] == GROUP_OUTPUT;
        });
    }

    // Every request goes unanswered until the program gives the link up, its failure box (the test
    // presses OK in it) has closed and its link worker has ended: the view shows Connect.
    bool LoseTheLink() {
        m_dev.InjectFault({DevsimFaultKind::NoAnswer, -1, -1, -1, 1000000});
        const bool closed = Pump(
            [&] {
                return !m_boxes.empty() && CDialog::InnermostModal() == nullptr &&
                       !m_view->m_bLinkOpen.load() && g_nLinkState.load() == LINK_NONE &&
                       !m_view->m_bShownConnected && !m_view->m_worker.Exists();
            },
            30000);
        m_dev.ClearFaults();
        return closed;
    }
    static void PressOk(CDialog& box) {
        if (CWnd* ok = box.GetDlgItem(IDOK))
            r9test::WindowClick(ok->Widget());
    }

    std::vector<std::string> m_boxes;
    bool m_captureInBox = false;
    std::function<void(CDialog&)> m_inBox;
};

struct DragCut {
    const char* name;
    bool band;
    bool releaseInBox;
};

// One case each: every one loses and regains the link, which takes its time in a sanitizer build.
class CaptureLinkCut : public CaptureLink, public ::testing::WithParamInterface<DragCut> {};

} // namespace

// The tester's road: a drag held while the link goes, released before or after the failure box
// closed; then a click on the title and one on Connect.
TEST_P(CaptureLinkCut, AFaderOrBandDragCutByTheFailureBoxMovesNothingAfterItAndConnectConnects) {
    {
        const DragCut& c = GetParam();
        m_boxes.clear();
        m_captureInBox = false;
        if (c.band)
            DragBand();
        else
            DragFader();
        if (HasFatalFailure())
            return;
        const int pos = Fader().GetRawPos(), level = ProgramLevel();
        const int freq = Band()->GetFreq(), gain = Band()->GetGainPos();
        m_inBox = [&](CDialog& box) {
            if (c.releaseInBox)
                r9test::WindowMouse(m_view->Widget(), QEvent::MouseButtonRelease, TitlePoint(),
                                    Qt::LeftButton, Qt::NoButton);
            PressOk(box);
        };
        ASSERT_TRUE(LoseTheLink());
        m_inBox = nullptr;
        EXPECT_FALSE(m_captureInBox) << "the box had the pointer";
        if (!c.releaseInBox)
            ReleaseOnTitle();
        r9test::WindowClick(m_view->Widget(), TitlePoint());
        r9test::Pump();
        EXPECT_EQ(Fader().GetRawPos(), pos);
        EXPECT_EQ(ProgramLevel(), level);
        EXPECT_EQ(Band()->GetFreq(), freq);
        EXPECT_EQ(Band()->GetGainPos(), gain);

        // Connect connects and sends no output's record; the fader reads back where the drag left it.
        m_dev.ClearRequests();
        r9test::WindowClick(m_view->m_btnConnect.Widget());
        ASSERT_TRUE(WaitOnline()) << "the click on Connect connected";
        ASSERT_TRUE(WaitLinkIdle());
        EXPECT_EQ(Writes(), 0) << "nothing was sent";
        EXPECT_EQ(Fader().GetRawPos(), pos);
        EXPECT_EQ(DeviceLevel(), level);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CaptureLinkCut,
                         ::testing::Values(DragCut{"FaderReleasedAfterTheBox", false, false},
                                           DragCut{"FaderReleasedWhileTheBoxIsUp", false, true},
                                           DragCut{"BandReleasedAfterTheBox", true, false},
                                           DragCut{"BandReleasedWhileTheBoxIsUp", true, true}),
                         [](const auto& p) { return std::string(p.param.name); });

// A timed box raised another way while the fader is held closes by itself; the release and a click
// on another strip afterwards leave the fader and the device alone, and the click selects its strip.
TEST_F(CaptureLink, AFaderDragCutByATimedBoxMovesAndSendsNothingAfterIt) {
    DragFader();
    if (HasFatalFailure())
        return;
    const int pos = Fader().GetRawPos(), level = ProgramLevel();
    m_view->ShowTimedMessage("Saved", "Saved", 2000);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_FALSE(m_captureInBox);
    // What the drag showed before the box has gone out.
    ASSERT_TRUE(WaitLinkIdle());
    m_dev.ClearRequests();
    ReleaseOnTitle();
    r9test::WindowClick(m_page->GetStrip(2)->m_btnSelect.Widget());
    ASSERT_TRUE(Pump([&] { return g_nCurOut.load() == 2; }, 3000)) << "the click selected CH3";
    ASSERT_TRUE(WaitLinkIdle());
    EXPECT_EQ(Fader().GetRawPos(), pos);
    EXPECT_EQ(ProgramLevel(), level);
    EXPECT_EQ(DeviceLevel(), level);
    EXPECT_EQ(Writes(), 0) << "nothing was sent";
}
