// Drop-down list combo, driven through its top-level window as the window system delivers input:
// the open list is a frameless popup with the keys; a release on an item or Return picks, any other
// close (a press elsewhere, which still acts, Escape, another window active, the combo hidden or
// disabled, the program) chooses nothing; one list is open at a time. Keys on the closed combo and
// silent program selection.
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/DropDownWnd.h"
#include "platform/ui/ListBox.h"
#include "support/LogWnd.h"
#include "support/RenderToPng.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int kComboA = 6001, kComboB = 6002, kOther = 6003;

struct ComboBoxWindows : ::testing::Test {
    r9test::LogWnd parent;
    CComboBox a, b;
    CButton other;

    void SetUp() override {
        ASSERT_TRUE(parent.CreateTop(400, 260));
        int x = 10;
        for (CComboBox* combo : {&a, &b}) {
            ASSERT_TRUE(combo->Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST,
                                      CRect(x, 10, x + 120, 32), &parent, combo == &a ? kComboA : kComboB));
            for (const char* s : {"USB", "Network", "COM1", "COM2"})
                combo->AddString(s);
            combo->SetCurSel(1);
            x += 160;
        }
        ASSERT_TRUE(other.Create("other", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 200, 110, 230),
                                 &parent, kOther));
        r9test::Pump();
        parent.Clear();
    }
    void TearDown() override { CDropDownWnd::CloseOpen(); }

    static bool Open(const CComboBox& combo) { return combo.GetDroppedState() != FALSE; }
    void OpenByClick(CComboBox& combo) {
        r9test::WindowClick(combo.Widget(), QPoint(5, 5));
        r9test::Pump();
        ASSERT_TRUE(Open(combo));
    }
    QPoint ItemPoint(CComboBox& combo, int n) {
        CRect item;
        combo.DropList()->GetItemRect(n, &item);
        return QPoint(item.left + 3, item.top + 3);
    }
    std::vector<UINT> Codes(int id) {
        r9test::Pump();
        std::vector<UINT> out;
        for (UINT c : parent.Codes(id))
            if (c != CBN_SETFOCUS && c != CBN_KILLFOCUS)
                out.push_back(c);
        return out;
    }
    int OtherClicks() const {
        int n = 0;
        for (UINT c : parent.Codes(kOther))
            n += c == BN_CLICKED;
        return n;
    }
};

const std::vector<UINT> kCancelled{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP};

TEST_F(ComboBoxWindows, APressElsewhereClosesChoosingNothingAndTheKeysGoOnElsewhere) {
    OpenByClick(a);
    QWidget* popup = a.DropList()->GetParent()->Widget();
    EXPECT_EQ(popup->windowType(), Qt::Popup) << "outside the window manager, no frame";
    EXPECT_TRUE(popup->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(CWnd::GetFocus(), a.DropList()) << "the open list has the keys";
    CListBox* list = a.DropList();

    // Keys typed into the window move the open list's highlight, and choose nothing yet.
    r9test::WindowKey(parent.Widget(), Qt::Key_Down);
    r9test::WindowKey(parent.Widget(), Qt::Key_Down);
    EXPECT_EQ(list->GetCurSel(), 3);
    EXPECT_EQ(a.GetCurSel(), 1);

    r9test::WindowClick(other.Widget());
    r9test::Pump();
    EXPECT_FALSE(Open(a));
    EXPECT_FALSE(list->GetParent()->IsWindowVisible());
    EXPECT_EQ(OtherClicks(), 1) << "the press that closed the list still clicked what it hit";
    EXPECT_EQ(a.GetCurSel(), 1);
    EXPECT_EQ(Codes(kComboA), kCancelled);

    // Keys typed afterwards never reach the hidden list, and a later Return chooses nothing.
    EXPECT_NE(CWnd::GetFocus(), list);
    for (int key : {Qt::Key_End, Qt::Key_Return})
        r9test::WindowKey(parent.Widget(), key);
    EXPECT_EQ(a.GetCurSel(), 1);
    EXPECT_EQ(Codes(kComboA), kCancelled);
}

TEST_F(ComboBoxWindows, OneListIsOpenAtATimeAndAPressOnTheComboOnlyClosesIt) {
    OpenByClick(a);
    r9test::WindowClick(b.Widget(), QPoint(5, 5));
    r9test::Pump();
    EXPECT_FALSE(Open(a)) << "the press on the other combo closed this list";
    EXPECT_TRUE(Open(b)) << "and opened that one";
    a.ShowDropDown(TRUE); // opened by the program
    EXPECT_TRUE(Open(a));
    EXPECT_FALSE(Open(b));

    r9test::WindowClick(a.Widget(), QPoint(5, 5));
    r9test::Pump();
    EXPECT_FALSE(Open(a)) << "its own combo closes it without opening it again";
    EXPECT_EQ(CDropDownWnd::GetOpen(), nullptr);
    EXPECT_EQ(Codes(kComboA), (std::vector<UINT>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_DROPDOWN,
                                                 CBN_SELENDCANCEL, CBN_CLOSEUP}));
    EXPECT_EQ(Codes(kComboB), kCancelled);
    EXPECT_EQ(a.GetCurSel(), 1);
    EXPECT_EQ(b.GetCurSel(), 1);
}

TEST_F(ComboBoxWindows, ItClosesChoosingNothingWhenItsWindowOrComboGoes) {
    r9test::LogWnd elsewhere;
    ASSERT_TRUE(elsewhere.CreateTop(100, 60));
    elsewhere.MoveWindow(600, 100, 100, 60, TRUE);
    auto activate = [](CWnd& w) {
        w.Widget()->activateWindow();
        QApplication::setActiveWindow(w.Widget());
    };
    activate(parent);
    r9test::Pump();
    struct Case {
        const char* what;
        std::function<void()> act, undo;
    };
    const Case cases[] = {
        {"Escape", [&] { r9test::WindowKey(parent.Widget(), Qt::Key_Escape); }, [] {}},
        {"another window takes the activation", [&] { activate(elsewhere); }, [&] { activate(parent); }},
        {"the combo is hidden", [&] { a.ShowWindow(SW_HIDE); }, [&] { a.ShowWindow(SW_SHOW); }},
        {"the combo is disabled", [&] { a.EnableWindow(FALSE); }, [&] { a.EnableWindow(TRUE); }},
        {"the program closes it", [&] { a.ShowDropDown(FALSE); }, [] {}},
    };
    for (const Case& c : cases) {
        parent.Clear();
        OpenByClick(a);
        CListBox* list = a.DropList();
        r9test::WindowKey(parent.Widget(), Qt::Key_Down);
        c.act();
        r9test::Pump();
        EXPECT_FALSE(Open(a)) << c.what;
        EXPECT_EQ(CDropDownWnd::GetOpen(), nullptr) << c.what;
        EXPECT_EQ(a.GetCurSel(), 1) << c.what;
        EXPECT_NE(CWnd::GetFocus(), list) << c.what;
        EXPECT_EQ(Codes(kComboA), kCancelled) << c.what;
        c.undo();
        r9test::Pump();
    }
}

TEST_F(ComboBoxWindows, APickByClickOrReturnChooses) {
    OpenByClick(a);
    r9test::WindowClick(a.DropList()->Widget(), ItemPoint(a, 2));
    EXPECT_FALSE(Open(a));
    EXPECT_EQ(a.GetCurSel(), 2);
    EXPECT_EQ(Codes(kComboA), (std::vector<UINT>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_EQ(CWnd::GetFocus(), &a) << "the keys are back with the combo";

    // Alt+Down opens it from the keyboard; the arrows move, Return picks.
    parent.Clear();
    r9test::WindowKey(parent.Widget(), Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Open(a));
    r9test::WindowKey(parent.Widget(), Qt::Key_Up);
    r9test::WindowKey(parent.Widget(), Qt::Key_Up);
    r9test::WindowKey(parent.Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_FALSE(Open(a));
    EXPECT_EQ(a.GetCurSel(), 0);
    EXPECT_EQ(Codes(kComboA), (std::vector<UINT>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));

    // Return on the item already chosen confirms it without a change.
    parent.Clear();
    OpenByClick(a);
    r9test::WindowKey(parent.Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(a.GetCurSel(), 0);
    EXPECT_EQ(Codes(kComboA), (std::vector<UINT>{CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP}));
    r9test::RenderToPng(a.Widget(), "platform_ui_combo");
}

TEST_F(ComboBoxWindows, AComboEndingWhileOpenTakesItsListAlong) {
    for (const bool windowFirst : {true, false}) {
        auto combo = std::make_unique<CComboBox>();
        ASSERT_TRUE(
            combo->Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 60, 130, 82), &parent, 6010));
        combo->AddString("one");
        combo->ShowDropDown(TRUE);
        ASSERT_NE(CDropDownWnd::GetOpen(), nullptr);
        if (windowFirst)
            combo->DestroyWindow();
        combo.reset();
        r9test::Pump();
        EXPECT_EQ(CDropDownWnd::GetOpen(), nullptr);
    }
    // The keys and the pointer work on in the window.
    OpenByClick(a);
    r9test::WindowKey(parent.Widget(), Qt::Key_Down);
    r9test::WindowKey(parent.Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(a.GetCurSel(), 2);
}

TEST_F(ComboBoxWindows, KeysOnTheClosedComboAndProgramSelection) {
    a.SetCurSel(0);
    EXPECT_TRUE(Codes(kComboA).empty()) << "the program's selection is silent";
    a.SetFocus();
    r9test::Key(a.Widget(), Qt::Key_Down);
    EXPECT_EQ(a.GetCurSel(), 1);
    r9test::Key(a.Widget(), Qt::Key_Home);
    r9test::Key(a.Widget(), Qt::Key_Home); // no change: silent
    EXPECT_EQ(Codes(kComboA), (std::vector<UINT>{CBN_SELCHANGE, CBN_SELCHANGE}));
    EXPECT_FALSE(Open(a));
    CString text;
    a.GetLBText(a.GetCurSel(), text);
    EXPECT_EQ(text, CString("USB"));
    EXPECT_EQ(a.FindStringExact(-1, "com1"), 2);
}

} // namespace
