// The window core: synchronous sends, posts from other threads, focus order, timers by id,
// capture, hover and leave while a button is held, cursors, system colours.
#include "platform/ui/Brush.h"
#include "platform/ui/ResourceLoader.h"
#include "platform/ui/Wnd.h"
#include "support/LogWnd.h"
#include "support/TimeScale.h"
#include "support/UiEvents.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace {

using r9test::LogWnd;

constexpr UINT WM_TEST = WM_USER + 77;

// Records the focus messages of two siblings in one shared journal.
class FocusWnd : public CWnd {
public:
    explicit FocusWnd(std::vector<std::string>* journal, const char* name)
        : m_journal(journal), m_name(name) {}
    void OnSetFocus(CWnd* old) override {
        m_journal->push_back(m_name + " set");
        CWnd::OnSetFocus(old);
    }
    void OnKillFocus(CWnd* next) override {
        m_journal->push_back(m_name + " kill");
        CWnd::OnKillFocus(next);
    }
    std::vector<std::string>* m_journal;
    std::string m_name;
};

TEST(WndTest, KillFocusRunsInsideSetFocus) {
    LogWnd top;
    ASSERT_TRUE(top.CreateTop());
    std::vector<std::string> journal;
    FocusWnd a(&journal, "a"), b(&journal, "b");
    ASSERT_TRUE(a.Create("", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 20, 20), &top, 1));
    ASSERT_TRUE(b.Create("", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(30, 0, 50, 20), &top, 2));
    a.SetFocus();
    journal.clear();
    CWnd* old = b.SetFocus();
    // Everything happened before SetFocus returned, the old window's kill first.
    EXPECT_EQ(old, &a);
    EXPECT_EQ(journal, (std::vector<std::string>{"a kill", "b set"}));
    EXPECT_EQ(CWnd::GetFocus(), &b);
}

TEST(WndTest, SendRunsAtOncePostQueuesAndWorksFromAnotherThread) {
    LogWnd w;
    ASSERT_TRUE(w.CreateTop());
    EXPECT_EQ(w.SendMessage(WM_TEST, 1, 2), 0);
    ASSERT_EQ(w.Of(WM_TEST).size(), 1u);
    w.Clear();
    w.PostMessage(WM_TEST, 3, 4);
    EXPECT_TRUE(w.Of(WM_TEST).empty());
    r9test::Pump();
    ASSERT_EQ(w.Of(WM_TEST).size(), 1u);
    EXPECT_EQ(w.Of(WM_TEST)[0].lParam, 4);

    w.Clear();
    const HWND h = w.m_hWnd;
    std::thread worker([h] {
        for (int i = 0; i < 50; ++i)
            ::PostMessage(h, WM_TEST, static_cast<WPARAM>(i), 0);
    });
    worker.join();
    r9test::Pump();
    const auto got = w.Of(WM_TEST);
    ASSERT_EQ(got.size(), 50u);
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_EQ(got[i].wParam, i); // in order
}

TEST(WndTest, TimersByIdRestartAndKill) {
    LogWnd w;
    ASSERT_TRUE(w.CreateTop());
    EXPECT_EQ(w.SetTimer(550, 5), 550u);
    EXPECT_EQ(w.SetTimer(5, 5), 5u);
    EXPECT_EQ(w.SetTimer(5, 5), 5u); // restarting keeps one timer
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < r9test::Ms(200) && (w.Of(WM_TIMER).size() < 6))
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    std::set<WPARAM> ids;
    for (const auto& m : w.Of(WM_TIMER))
        ids.insert(m.wParam);
    EXPECT_EQ(ids, (std::set<WPARAM>{5, 550}));
    EXPECT_TRUE(w.KillTimer(550));
    EXPECT_TRUE(w.KillTimer(5));
    EXPECT_FALSE(w.KillTimer(5)); // a stopped id is harmless
    r9test::Pump();
    w.Clear();
    clock.restart();
    while (clock.elapsed() < 30)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    EXPECT_TRUE(w.Of(WM_TIMER).empty());
}

// Asks for leave tracking on every move, as the skinned buttons do.
class Tracker : public LogWnd {
public:
    void OnMouseMove(UINT flags, CPoint p) override {
        TRACKMOUSEEVENT t{sizeof(TRACKMOUSEEVENT), TME_LEAVE | TME_HOVER, m_hWnd, 1};
        ::TrackMouseEvent(&t);
        CWnd::OnMouseMove(flags, p);
    }
    void OnLButtonDown(UINT flags, CPoint p) override {
        SetCapture();
        CWnd::OnLButtonDown(flags, p);
    }
    void OnLButtonUp(UINT flags, CPoint p) override {
        ::ReleaseCapture();
        CWnd::OnLButtonUp(flags, p);
    }
};

TEST(WndTest, LeaveWhileHeldAndHoverAfterItsTime) {
    LogWnd top;
    ASSERT_TRUE(top.CreateTop());
    Tracker t;
    ASSERT_TRUE(t.CreateEx(0, "", "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 40), &top, 9));
    // The platform's own enter and leave events of the new windows first: a late leave would end
    // the hover tracking the move starts.
    r9test::Pump();
    r9test::Move(t.Widget(), {5, 5});
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < r9test::Ms(200) && t.Of(WM_MOUSEHOVER).empty())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    EXPECT_EQ(t.Of(WM_MOUSEHOVER).size(), 1u);

    r9test::Press(t.Widget(), {5, 5});
    EXPECT_EQ(CWnd::GetCapture(), &t);
    t.Clear();
    r9test::Move(t.Widget(), {80, 5}, Qt::LeftButton); // outside while held
    EXPECT_EQ(t.Of(WM_MOUSELEAVE).size(), 1u);
    ASSERT_FALSE(t.Of(WM_MOUSEMOVE).empty());
    EXPECT_EQ(t.Of(WM_MOUSEMOVE).back().wParam & MK_LBUTTON, MK_LBUTTON);
    EXPECT_EQ(GET_X_LPARAM(t.Of(WM_MOUSEMOVE).back().lParam), 80);
    r9test::Release(t.Widget(), {80, 5});
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST(WndTest, HandCursorAndSystemColours) {
    HCURSOR hand = ::LoadCursor(AfxGetResourceHandle(), 213);
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(::LoadCursor(AfxGetResourceHandle(), 213), hand); // loaded once
    QCursor c;
    ASSERT_TRUE(ResourceLoader::LoadCursor(213, &c));
    EXPECT_EQ(c.hotSpot(), QPoint(5, 0));
    EXPECT_EQ(c.pixmap().size(), QSize(32, 32));
    HCURSOR copy = ::CopyIcon(hand);
    EXPECT_NE(copy, hand);
    EXPECT_TRUE(::DestroyCursor(copy));
    EXPECT_FALSE(::DestroyCursor(hand)); // shared ones stay
    EXPECT_NE(::LoadCursor(nullptr, IDC_ARROW), nullptr);

    struct Case {
        int index;
        COLORREF colour;
    } cases[] = {
        {COLOR_BTNFACE, RGB(240, 240, 240)},      {COLOR_BTNSHADOW, RGB(160, 160, 160)},
        {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)}, {COLOR_GRAYTEXT, RGB(109, 109, 109)},
        {COLOR_WINDOW, RGB(255, 255, 255)},       {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(GetSysColor(k.index), k.colour) << k.index;
        LOGBRUSH lb{};
        CBrush::FromHandle(GetSysColorBrush(k.index))->GetLogBrush(&lb);
        EXPECT_EQ(lb.lbColor, k.colour);
    }
    EXPECT_TRUE(MessageBeep(0xFFFFFFFF));
}

TEST(WndTest, WheelGoesToTheWindowUnderThePointerWithScreenCoordinates) {
    LogWnd top;
    ASSERT_TRUE(top.CreateTop());
    LogWnd child;
    ASSERT_TRUE(child.CreateEx(0, "", "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 40), &top, 3));
    r9test::Wheel(child.Widget(), {4, 5}, -120);
    const auto wheel = child.Of(WM_MOUSEWHEEL);
    ASSERT_EQ(wheel.size(), 1u);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[0].wParam), -120);
    const QPoint g = child.Widget()->mapToGlobal(QPoint(4, 5));
    EXPECT_EQ(GET_X_LPARAM(wheel[0].lParam), g.x());
    EXPECT_EQ(GET_Y_LPARAM(wheel[0].lParam), g.y());
}

} // namespace
