// The capture mode of a press through real windows: whatever takes the pointer from the window
// holding the capture (a modal dialog, a popup menu, a drop list, disabling, hiding or destroying
// it or a window it sits in, the application losing the activation) ends it with WM_CANCELMODE,
// the release and WM_CAPTURECHANGED; the press's release and the clicks after it go where they
// belong, never to the window that held the capture.
#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DropDownWnd.h"
#include "platform/ui/Menu.h"
#include "platform/ui/ResourceLoader.h"
#include "platform/ui/ScrollBar.h"
#include "res/ResourceTable.h"
#include "support/LogWnd.h"
#include "support/UiEvents.h"

#include <QGuiApplication>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

using r9test::LogWnd;

constexpr UINT kBoxDlg = 64530;
const res::DialogItemSpec kBoxItems[] = {
    {IDOK, "Button", 10, 10, 60, 22, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, "OK", "确定"},
};
const res::DialogSpec kBoxDialogs[] = {
    {kBoxDlg, 100, 50, WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, "Box", "Box", "Arial", -12, kBoxItems},
};

// Drags while it holds the capture; a release it holds the capture for ends the drag.
class Dragger : public LogWnd {
public:
    int moves = 0;
    int ends = 0;
    void OnLButtonDown(UINT flags, CPoint p) override {
        SetCapture();
        CWnd::OnLButtonDown(flags, p);
    }
    void OnMouseMove(UINT flags, CPoint p) override {
        if (GetCapture() == this)
            ++moves;
        CWnd::OnMouseMove(flags, p);
    }
    void OnLButtonUp(UINT flags, CPoint p) override {
        if (GetCapture() == this) {
            ++ends;
            ::ReleaseCapture();
        }
        CWnd::OnLButtonUp(flags, p);
    }
    // Index of the first message of a kind in the log, or -1.
    long First(UINT message) const {
        const auto it =
            std::find_if(log.begin(), log.end(), [&](const auto& m) { return m.message == message; });
        return it == log.end() ? -1 : static_cast<long>(it - log.begin());
    }
};

// The main window with a panel holding the dragger, and a button beside the panel.
struct Scene {
    static constexpr int kButton = 77;
    LogWnd top;
    LogWnd panel;
    Dragger dragger;
    CButton button;
    Scene() {
        EXPECT_TRUE(top.CreateTop(400, 300));
        EXPECT_TRUE(panel.CreateEx(0, "", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 180, 300), &top, 1));
        EXPECT_TRUE(dragger.CreateEx(0, "", "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 50, 250), &panel, 2));
        EXPECT_TRUE(button.Create("Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(200, 200, 300, 240),
                                  &top, kButton));
        AfxSetMainWnd(&top);
        r9test::Pump();
    }
    ~Scene() { AfxSetMainWnd(nullptr); }
    size_t Clicks() const { return top.Codes(kButton).size(); }
};

struct Cause {
    const char* what;
    std::function<void(Scene&)> act;
};

class CaptureModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        res::RegisterDialogs(kBoxDialogs);
        ResourceLoader::SetChinese(FALSE);
    }
    void TearDown() override {
        CDialog::SetModalHook(nullptr);
        CMenu::SetTrackHook(nullptr);
        if (GetCapture())
            ::ReleaseCapture();
    }

    // A press on the dragger and a drag a little down, through the window.
    static void PressAndDrag(Scene& s) {
        r9test::WindowMouse(s.dragger.Widget(), QEvent::MouseButtonPress, {20, 100}, Qt::LeftButton,
                            Qt::LeftButton);
        r9test::WindowMouse(s.dragger.Widget(), QEvent::MouseMove, {20, 110}, Qt::NoButton, Qt::LeftButton);
    }
};

// A dialog whose loop the modal hook ends at once.
class BoxDialog : public CDialog {
public:
    BoxDialog() : CDialog(kBoxDlg, nullptr) {}
};

TEST_F(CaptureModeTest, EveryCauseEndsTheDragAndTheReleaseAndNextClickGoWhereTheyBelong) {
    const Cause causes[] = {
        {"a modal dialog opens",
         [](Scene&) {
             CDialog::SetModalHook([](CDialog& d) { d.EndDialog(IDOK); });
             BoxDialog box;
             EXPECT_EQ(box.DoModal(), IDOK);
         }},
        {"a popup menu takes the pointer",
         [](Scene& s) {
             CMenu::SetTrackHook([](CMenu&, int, int) { return 0u; });
             CMenu menu;
             ASSERT_TRUE(menu.CreatePopupMenu());
             menu.AppendMenu(MF_STRING, 900, "One");
             menu.TrackPopupMenu(TPM_LEFTALIGN, 10, 10, &s.top);
         }},
        {"a drop list opens",
         [](Scene& s) {
             CDropDownWnd list;
             ASSERT_TRUE(list.CreateDropDown(&s.button, ""));
             list.MoveWindow(400, 400, 80, 60, FALSE);
             list.ShowWindow(SW_SHOWNA);
             list.ShowWindow(SW_HIDE);
         }},
        {"the window is disabled", [](Scene& s) { s.dragger.EnableWindow(FALSE); }},
        {"the window it sits in is disabled", [](Scene& s) { s.panel.EnableWindow(FALSE); }},
        {"the main window is disabled",
         [](Scene& s) {
             s.top.EnableWindow(FALSE);
             s.top.EnableWindow(TRUE);
         }},
        {"the window is hidden", [](Scene& s) { s.dragger.ShowWindow(SW_HIDE); }},
        {"the window it sits in is hidden", [](Scene& s) { s.panel.ShowWindow(SW_HIDE); }},
        {"the window is destroyed", [](Scene& s) { s.dragger.DestroyWindow(); }},
        {"the window it sits in is destroyed", [](Scene& s) { s.panel.DestroyWindow(); }},
        // The toolkit's word that another program took the activation.
        {"the application loses the activation",
         [](Scene&) { Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationInactive); }},
    };
    for (const Cause& c : causes) {
        SCOPED_TRACE(c.what);
        Scene s;
        PressAndDrag(s);
        ASSERT_EQ(GetCapture(), s.dragger.m_hWnd);
        ASSERT_EQ(s.dragger.moves, 1);
        s.dragger.Clear();
        c.act(s);
        EXPECT_EQ(GetCapture(), nullptr);
        const long cancel = s.dragger.First(WM_CANCELMODE), changed = s.dragger.First(WM_CAPTURECHANGED);
        EXPECT_GE(cancel, 0) << "the holder is told to cancel its mode";
        EXPECT_GT(changed, cancel) << "and loses the capture after that";
        // The button is released over the other button, then that button is clicked.
        r9test::WindowMouse(s.top.Widget(), QEvent::MouseMove, {30, 160}, Qt::NoButton, Qt::LeftButton);
        r9test::WindowMouse(s.button.Widget(), QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton,
                            Qt::NoButton);
        EXPECT_EQ(s.Clicks(), 0u) << "a release alone clicks nothing";
        r9test::WindowClick(s.button.Widget());
        r9test::Pump();
        EXPECT_EQ(s.dragger.moves, 1) << "nothing dragged after the cancel";
        EXPECT_EQ(s.dragger.ends, 0);
        EXPECT_EQ(s.Clicks(), 1u) << "the click did its own job";
        EXPECT_EQ(GetKeyState(VK_LBUTTON), 0);
        CMenu::SetTrackHook(nullptr);
        CDialog::SetModalHook(nullptr);
    }
}

// A window that keeps its mode on WM_CANCELMODE loses the capture all the same; a capture held in
// another window than the one disabled, hidden or destroyed stays.
TEST_F(CaptureModeTest, OnlyTheHolderOrAWindowItSitsInEndsTheModeAndAStubbornHolderLosesItAnyway) {
    struct Stubborn : Dragger {
        void OnCancelMode() override {} // keeps the capture
    };
    Scene s;
    Stubborn stubborn;
    ASSERT_TRUE(stubborn.CreateEx(0, "", "", WS_CHILD | WS_VISIBLE, CRect(60, 10, 100, 250), &s.panel, 3));
    r9test::WindowMouse(stubborn.Widget(), QEvent::MouseButtonPress, {20, 100}, Qt::LeftButton,
                        Qt::LeftButton);
    ASSERT_EQ(GetCapture(), stubborn.m_hWnd);
    for (const auto& act : std::vector<std::function<void()>>{
             [&] { s.dragger.EnableWindow(FALSE); }, [&] { s.dragger.ShowWindow(SW_HIDE); },
             [&] { s.button.EnableWindow(FALSE); }, [&] { s.dragger.DestroyWindow(); }}) {
        act();
        EXPECT_EQ(GetCapture(), stubborn.m_hWnd);
    }
    EXPECT_TRUE(stubborn.Of(WM_CANCELMODE).empty());
    stubborn.Clear();
    s.panel.EnableWindow(FALSE);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(stubborn.Of(WM_CANCELMODE).size(), 1u);
    EXPECT_EQ(stubborn.Of(WM_CAPTURECHANGED).size(), 1u);
}

// A thumb drag of a scroll bar whose capture mode ends stops where it is: the parent, which
// followed the thumb all along, hears the end of the scroll and no position, and the moves and
// release of that press scroll nothing.
TEST_F(CaptureModeTest, AScrollBarThumbDragEndsWithoutAPosition) {
    Scene s;
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(360, 10, 380, 210), &s.top, 88));
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 45, 0};
    bar.SetScrollInfo(&info);
    r9test::Pump();
    const QPoint middle(10, 100);
    r9test::WindowMouse(bar.Widget(), QEvent::MouseButtonPress, middle, Qt::LeftButton, Qt::LeftButton);
    r9test::WindowMouse(bar.Widget(), QEvent::MouseMove, middle + QPoint(0, 30), Qt::NoButton,
                        Qt::LeftButton);
    ASSERT_EQ(GetCapture(), bar.m_hWnd);
    auto codes = [&] {
        std::vector<UINT> out;
        for (const auto& m : s.top.Of(WM_VSCROLL))
            out.push_back(LOWORD(m.wParam));
        return out;
    };
    ASSERT_FALSE(codes().empty());
    ASSERT_EQ(codes().back(), SB_THUMBTRACK) << "the thumb is dragged";
    s.top.Clear();
    s.top.EnableWindow(FALSE);
    s.top.EnableWindow(TRUE);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(static_cast<QScrollBar*>(bar.Widget())->isSliderDown());
    EXPECT_EQ(codes(), std::vector<UINT>{SB_ENDSCROLL});
    s.top.Clear();
    r9test::WindowMouse(s.top.Widget(), QEvent::MouseMove, QPoint(370, 180), Qt::NoButton, Qt::LeftButton);
    r9test::WindowMouse(s.top.Widget(), QEvent::MouseButtonRelease, QPoint(370, 180), Qt::LeftButton,
                        Qt::NoButton);
    EXPECT_TRUE(codes().empty());
}

} // namespace
