// An open drop-down list (the platform's own and the combo box's) against another program's window
// lying over ours, on a real X server: the press the popup takes there only closes the list, and
// never reaches our control under that window; a press on our window where nothing covers it still
// acts. Our window stands alone on the server, or inside another program's frame as a reparenting
// window manager puts it.
#include "ForeignWindowSteps.h"

#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/DropDownWnd.h"
#include "platform/ui/InputState.h"
#include "support/LogWnd.h"

#include <functional>

namespace {

using r9test::Centre;
using r9test::WaitFor;

constexpr int kCovered = 7001, kFree = 7002, kOpener = 7003, kCombo = 7004;
constexpr QPoint kOrigin(100, 100); // our window's place on the screen

class ForeignWindowOverOurs : public ::testing::Test {
protected:
    r9test::ServerWindows server;
    r9test::LogWnd parent;
    CButton covered, uncovered, opener;
    CDropDownWnd drop;
    CComboBox combo;
    std::unique_ptr<r9test::ForeignWindow> frame, cover;

    void SetUp() override {
        ASSERT_TRUE(server.Connected());
        ASSERT_TRUE(parent.CreateTop(400, 260));
        parent.MoveWindow(kOrigin.x(), kOrigin.y(), 400, 260, FALSE);
        const DWORD button = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
        ASSERT_TRUE(covered.Create("covered", button, CRect(20, 170, 140, 200), &parent, kCovered));
        ASSERT_TRUE(uncovered.Create("free", button, CRect(240, 170, 360, 200), &parent, kFree));
        ASSERT_TRUE(opener.Create("open", button, CRect(20, 10, 140, 32), &parent, kOpener));
        ASSERT_TRUE(drop.CreateDropDown(&opener, "DropDown"));
        CRect below;
        opener.GetWindowRect(&below);
        drop.MoveWindow(below.left, below.bottom, below.Width(), 80, FALSE);
        ASSERT_TRUE(
            combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(240, 10, 360, 32), &parent, kCombo));
        for (const char* s : {"USB", "Network", "COM1", "COM2"})
            combo.AddString(s);
        combo.SetCurSel(1);
        ASSERT_TRUE(WaitFor([&] { return Shown(); })) << "our window mapped, shown and active";
    }
    void TearDown() override { CDropDownWnd::CloseOpen(); }

    bool Shown() { return r9test::ShownAndActive(server, parent); }
    // Another program puts our window into a frame of its own, as a window manager does.
    void Frame() {
        frame = std::make_unique<r9test::ForeignWindow>(
            QStringList{"frame", QString::number(r9test::XId(parent))});
        ASSERT_NE(frame->Id(), 0u);
        ASSERT_TRUE(WaitFor([&] { return server.Parent(r9test::XId(parent)) == frame->Id() && Shown(); }))
            << "our window mapped in the frame, shown and active again";
    }
    // Another program's window over our "covered" button.
    void Cover() {
        CRect r;
        covered.GetWindowRect(&r);
        r.InflateRect(10, 10);
        cover = r9test::CoverWith(server, parent, r);
        ASSERT_NE(cover, nullptr);
    }
    int Clicks(int id) const {
        int n = 0;
        for (UINT c : parent.Codes(id))
            n += c == BN_CLICKED;
        return n;
    }

    // For each popup: a click on the other program's window over our button closes it and does
    // nothing else; a click on our free button closes it and clicks that button.
    void ExpectOnlyOurWindowActs() {
        struct Popup {
            const char* name;
            std::function<void()> open;
            std::function<bool()> isOpen;
        };
        const Popup popups[] = {
            {"drop-down list", [&] { drop.ShowWindow(SW_SHOW); },
             [&] { return CDropDownWnd::GetOpen() == &drop; }},
            {"combo box list", [&] { combo.ShowDropDown(TRUE); },
             [&] { return combo.GetDroppedState() != FALSE; }},
        };
        int freeClicks = 0;
        for (const Popup& p : popups) {
            p.open();
            ASSERT_TRUE(p.isOpen()) << p.name;
            r9test::ClickWithListOpen(parent, Centre(covered));
            EXPECT_FALSE(p.isOpen()) << p.name << ": the press on the other window closed it";
            EXPECT_EQ(CInputState::Capture(), nullptr) << p.name << ": no control took the pointer";
            EXPECT_FALSE(covered.GetState() & BST_PUSHED) << p.name;

            p.open();
            ASSERT_TRUE(p.isOpen()) << p.name;
            r9test::ClickWithListOpen(parent, Centre(uncovered));
            EXPECT_FALSE(p.isOpen()) << p.name;
            ++freeClicks;
            // The free button's click came after the covered one's press and release.
            EXPECT_TRUE(WaitFor([&] { return Clicks(kFree) == freeClicks; }))
                << p.name << ": the press on our window still acts";
            EXPECT_EQ(Clicks(kCovered), 0) << p.name << ": the control under the other window did nothing";
        }
        EXPECT_EQ(combo.GetCurSel(), 1) << "nothing was chosen";
    }
};

TEST_F(ForeignWindowOverOurs, ItsPressOnlyClosesTheListAndOursStillActs) {
    Cover();
    ExpectOnlyOurWindowActs();
}

TEST_F(ForeignWindowOverOurs, TheSameWithOurWindowInsideAWindowManagersFrame) {
    Frame();
    Cover();
    ExpectOnlyOurWindowActs();
}

} // namespace
