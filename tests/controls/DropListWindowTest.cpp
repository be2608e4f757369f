// Drop lists driven through the top-level windows, as the window system delivers input: the open
// list is a frameless popup that closes choosing nothing when the user presses elsewhere, presses
// Escape, activates another window, or its button is hidden or disabled; the press elsewhere still
// acts; the keys go to the open list and never to a closed one; one list is open at a time.
// The model's headers come before any Qt header (Qt defines "slots").
#include "model/Globals.h"

#include "ControlFixture.h"

#include "controls/ComBoxBtn.h"
#include "controls/DropListBox.h"
#include "controls/DropWnd.h"
#include "platform/ui/Button.h"
#include "res/ResourceTable.h"
#include "support/UiEvents.h"

#include <QWidget>
#include <functional>

using namespace ctltest;

namespace {

constexpr UINT kNormal = 9111, kHover = 9112;
constexpr UINT kListA = 0x5101, kListB = 0x5102;
constexpr UINT kOtherButton = 2303;

struct DropListWindows : ::testing::Test {
    std::unique_ptr<RecordingParent> parent;
    CComBoxBtn a, b;
    CButton other;

    void SetUp() override {
        static const res::ArtSpec art[] = {
            {kNormal, false, 120, 24, "combo", 0, nullptr, 0},
            {kHover, false, 120, 24, "combo", 1, nullptr, 0},
        };
        res::RegisterArt(art);
        parent = std::make_unique<RecordingParent>(RGB(27, 30, 36), 420, 260);
        parent->MoveWindow(100, 100, 420, 260, TRUE);
        int id = 2301;
        for (CComBoxBtn* combo : {&a, &b}) {
            const int x = 20 + (id - 2301) * 160;
            parent->Attach<CButton>(*combo, static_cast<UINT>(id), CRect(x, 20, x + 80, 40), BS_PUSHBUTTON,
                                    "");
            combo->SetBitmaps(kNormal, kHover);
            ASSERT_TRUE(combo->CreateDropList(parent.get(), combo == &a ? kListA : kListB));
            for (const char* name : {"6dB/Oct", "12dB/Oct", "18dB/Oct", "24dB/Oct"})
                combo->AddString(name);
            combo->SetCurSel(1);
            ++id;
        }
        other.CreateEx(0, "", "other", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(20, 200, 120, 230),
                       parent.get(), kOtherButton);
        parent->Widget()->activateWindow();
        QApplication::setActiveWindow(parent->Widget());
        Pump();
    }
    void TearDown() override { CDropDownWnd::CloseOpen(); }

    static QWidget* W(CWnd& wnd) { return wnd.Widget(); }
    static bool Open(CComBoxBtn& combo) { return combo.GetDropWnd()->IsWindowVisible() != FALSE; }
    // Opens the list with a click on its button and moves the pointer over item n.
    void OpenAndHover(CComBoxBtn& combo, int n) {
        r9test::WindowClick(W(combo), QPoint(10, 10));
        Pump();
        ASSERT_TRUE(Open(combo));
        CRect item;
        combo.GetListBox()->GetItemRect(n, &item);
        r9test::WindowMove(W(*combo.GetListBox()), QPoint(item.CenterPoint().x, item.CenterPoint().y));
        ASSERT_EQ(combo.GetCurSel(), n) << "the highlight follows the pointer";
    }
    std::vector<Recorded> Picks() {
        Pump();
        return parent->Of(WM_COMBO_SELECT);
    }
    CString Caption(CComBoxBtn& combo) {
        CString s;
        combo.GetWindowText(s);
        return s;
    }
    int OtherClicks() const {
        int n = 0;
        for (const Recorded& r : parent->Of(WM_COMMAND))
            if (LOWORD(r.wParam) == kOtherButton && HIWORD(r.wParam) == BN_CLICKED)
                ++n;
        return n;
    }
};

TEST_F(DropListWindows, APressElsewhereClosesChoosingNothingAndTheKeysGoOnElsewhere) {
    r9test::WindowClick(W(a), QPoint(10, 10));
    Pump();
    ASSERT_TRUE(Open(a));
    QWidget* popup = W(*a.GetDropWnd());
    EXPECT_EQ(popup->windowType(), Qt::Popup) << "outside the window manager, no frame";
    EXPECT_TRUE(popup->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(CWnd::GetFocus(), a.GetListBox()) << "the open list has the keys";

    CRect item;
    a.GetListBox()->GetItemRect(3, &item);
    r9test::WindowMove(W(*a.GetListBox()), QPoint(item.CenterPoint().x, item.CenterPoint().y));
    EXPECT_EQ(a.GetCurSel(), 3);
    r9test::WindowClick(W(other));
    Pump();
    EXPECT_FALSE(Open(a));
    EXPECT_EQ(OtherClicks(), 1) << "the press that closed the list still clicked what it hit";
    EXPECT_EQ(a.GetCurSel(), 1) << "the highlight went back";
    EXPECT_EQ(Caption(a), CString("12dB/Oct"));

    // Keys typed afterwards reach the window, never the closed list.
    EXPECT_NE(CWnd::GetFocus(), a.GetListBox());
    for (int key : {Qt::Key_End, Qt::Key_Down, Qt::Key_Return})
        r9test::WindowKey(W(*parent), key);
    EXPECT_TRUE(Picks().empty());
    EXPECT_EQ(a.GetCurSel(), 1);
    EXPECT_FALSE(Open(a));
}

TEST_F(DropListWindows, OneListIsOpenAtATimeAndAPressOnItsButtonOnlyClosesIt) {
    OpenAndHover(a, 2);
    r9test::WindowClick(W(b), QPoint(10, 10));
    Pump();
    EXPECT_FALSE(Open(a)) << "the press on the other list's button closed this one";
    EXPECT_TRUE(Open(b)) << "and opened that one";
    EXPECT_EQ(CDropDownWnd::GetOpen(), b.GetDropWnd());
    a.ShowDropList(); // opened by the program
    EXPECT_TRUE(Open(a));
    EXPECT_FALSE(Open(b));

    r9test::WindowClick(W(a), QPoint(10, 10));
    Pump();
    EXPECT_FALSE(Open(a)) << "its own button closes it without opening it again";
    EXPECT_EQ(CDropDownWnd::GetOpen(), nullptr);
    EXPECT_TRUE(Picks().empty());
    EXPECT_EQ(a.GetCurSel(), 1);
    EXPECT_EQ(b.GetCurSel(), 1);
}

TEST_F(DropListWindows, ItClosesChoosingNothingWhenItsWindowOrButtonGoes) {
    RecordingParent elsewhere(RGB(0, 0, 0), 100, 60);
    elsewhere.MoveWindow(600, 100, 100, 60, TRUE);
    parent->Widget()->activateWindow();
    QApplication::setActiveWindow(parent->Widget());
    Pump();
    struct Case {
        const char* what;
        std::function<void()> act, undo;
    };
    const Case cases[] = {
        {"Escape", [&] { r9test::WindowKey(W(*parent), Qt::Key_Escape); }, [] {}},
        {"another window takes the activation",
         [&] {
             elsewhere.Widget()->activateWindow();
             QApplication::setActiveWindow(elsewhere.Widget());
         },
         [&] {
             parent->Widget()->activateWindow();
             QApplication::setActiveWindow(parent->Widget());
         }},
        {"the page holding the button is hidden", [&] { parent->ShowWindow(SW_HIDE); },
         [&] { parent->ShowWindow(SW_SHOW); }},
        {"the button is disabled", [&] { a.EnableWindow(FALSE); }, [&] { a.EnableWindow(TRUE); }},
        {"the program closes it (output change)", [] { CDropDownWnd::CloseOpen(); }, [] {}},
    };
    for (const Case& c : cases) {
        OpenAndHover(a, 3);
        c.act();
        Pump();
        EXPECT_FALSE(Open(a)) << c.what;
        EXPECT_EQ(CDropDownWnd::GetOpen(), nullptr) << c.what;
        EXPECT_EQ(a.GetCurSel(), 1) << c.what;
        EXPECT_NE(CWnd::GetFocus(), a.GetListBox()) << c.what;
        c.undo();
        Pump();
    }
    EXPECT_TRUE(Picks().empty());
}

TEST_F(DropListWindows, APickChoosesTheItemUnderThePointerByClickOrKey) {
    OpenAndHover(a, 2);
    CRect item;
    a.GetListBox()->GetItemRect(2, &item);
    r9test::WindowClick(W(*a.GetListBox()), QPoint(item.CenterPoint().x, item.CenterPoint().y));
    auto picks = Picks();
    ASSERT_EQ(picks.size(), 1u);
    EXPECT_EQ(picks[0].wParam, kListA);
    EXPECT_EQ(picks[0].lParam, 2);
    EXPECT_FALSE(Open(a));
    EXPECT_EQ(a.GetCurSel(), 2);
    EXPECT_EQ(Caption(a), CString("18dB/Oct"));

    // A key with the pointer on the list picks the item it moves to; the keys went to the list,
    // though they were typed into the window.
    OpenAndHover(a, 0);
    r9test::WindowKey(W(*parent), Qt::Key_Down);
    picks = Picks();
    ASSERT_EQ(picks.size(), 2u);
    EXPECT_EQ(picks[1].lParam, 1);
    EXPECT_EQ(a.GetCurSel(), 1);
    EXPECT_FALSE(Open(a));
}

} // namespace
