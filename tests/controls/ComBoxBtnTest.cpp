// The combo button and its drop list: placement of the popup, picks, silent reverts, the wheel
// and key steps, the captions of disabled buttons, the move reports and the looks of each state.
// The model's headers come before any Qt header (Qt defines "slots").
#include "model/Globals.h"

#include "ControlFixture.h"

#include "controls/ComBoxBtn.h"
#include "controls/DropBtn.h"
#include "controls/DropListBox.h"
#include "controls/DropWnd.h"
#include "res/ResourceTable.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

using namespace ctltest;

namespace {

constexpr UINT kNormal = 9101, kHover = 9102, kDisabled = 9103;
constexpr UINT kListId = 0x5001;
constexpr int kButtonId = 2100;

void AddComboArt() {
    static const res::ArtSpec art[] = {
        {kNormal, false, 120, 24, "combo", 0, nullptr, 0},
        {kHover, false, 120, 24, "combo", 1, nullptr, 0},
        {kDisabled, false, 120, 24, "combo", 6, nullptr, 0},
    };
    res::RegisterArt(art);
}

CRect WorkArea() {
    CRect work;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

struct ComboFixture : ::testing::Test {
    std::unique_ptr<RecordingParent> parent;
    CComBoxBtn combo;

    void Make(int parentY = 100, int id = kButtonId) {
        AddComboArt();
        parent = std::make_unique<RecordingParent>(RGB(27, 30, 36), 300, 200);
        parent->MoveWindow(100, parentY, 300, 200, TRUE);
        parent->Attach<CButton>(combo, static_cast<UINT>(id), CRect(20, 20, 100, 40), BS_PUSHBUTTON, "");
        combo.SetBitmaps(kNormal, kHover);
        combo.SetDisabledBitmap(kDisabled);
        ASSERT_TRUE(combo.CreateDropList(parent.get(), kListId));
    }
    void Fill(int n) {
        static const char* names[] = {"AUX 1",    "AUX 2", "Optical", "Coaxial", "Bluetooth",
                                      "Hi.Level", "USB",   "Line 8",  "Line 9",  "Line 10"};
        for (int i = 0; i < n; ++i)
            combo.AddString(names[i]);
    }
    CDropListBox* List() { return combo.GetListBox(); }
    CString Caption() {
        CString s;
        combo.GetWindowText(s);
        return s;
    }
    std::vector<Recorded> Selects() {
        Pump();
        return parent->Of(WM_COMBO_SELECT);
    }
    void TearDown() override {
        if (combo.GetDropWnd())
            combo.HideDropList();
    }
};

TEST_F(ComboFixture, BindingMakesOwnerDrawnAndSizesToTheSkin) {
    Make();
    EXPECT_EQ(combo.GetDrawKind(), 0);
    EXPECT_EQ(combo.GetStyle() & BS_TYPEMASK, BS_OWNERDRAW);
    CRect rc;
    combo.GetClientRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 120, 24));
    // Check-box and radio kinds are not painted by the combo.
    CComBoxBtn check, radio;
    parent->Attach<CButton>(check, 2101, CRect(0, 60, 50, 80), BS_AUTOCHECKBOX, "x");
    parent->Attach<CButton>(radio, 2102, CRect(0, 90, 50, 110), BS_AUTORADIOBUTTON, "y");
    EXPECT_EQ(check.GetDrawKind(), 2);
    EXPECT_EQ(radio.GetDrawKind(), 4);
}

TEST_F(ComboFixture, ListItemHeightComesFromTheFontOnce) {
    Make();
    EXPECT_EQ(List()->GetItemHeight(0), 14);
    CFont other;
    other.CreateFont(30, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    List()->SetListFont(&other, TRUE);
    EXPECT_EQ(List()->GetItemHeight(0), 14);
    ASSERT_NE(List()->GetBoldFont(), nullptr);
    LOGFONT lf{};
    List()->GetBoldFont()->GetLogFont(&lf);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    // A fresh list starts at 16.
    CDropWnd popup;
    ASSERT_TRUE(popup.Create(&combo, 0));
    EXPECT_EQ(popup.GetListBox()->GetItemHeight(0), 16);
}

TEST_F(ComboFixture, PopupHeightFromItemCountBelowOrAboveTheButton) {
    Make();
    CRect button;
    combo.GetWindowRect(&button);
    struct Case {
        int items, height;
    };
    for (const Case c : {Case{0, 130}, Case{3, 42}, Case{10, 130}}) {
        combo.ResetContent();
        Fill(c.items);
        combo.ShowDropList();
        const CRect drop = combo.GetDropRect();
        EXPECT_EQ(drop.top, button.bottom - 1) << c.items;
        EXPECT_EQ(drop.bottom, button.bottom + c.height) << c.items;
        EXPECT_EQ(drop.Width(), 120) << c.items;
        EXPECT_TRUE(combo.GetDropWnd()->IsWindowVisible());
        CRect shown;
        combo.GetDropWnd()->GetWindowRect(&shown);
        EXPECT_EQ(shown, drop);
        combo.HideDropList();
        EXPECT_FALSE(combo.GetDropWnd()->IsWindowVisible());
    }
}

TEST_F(ComboFixture, PopupOpensAboveWhenTheWorkAreaEndsBelow) {
    Make(WorkArea().bottom - 60);
    Fill(3);
    CRect button;
    combo.GetWindowRect(&button);
    ASSERT_GT(button.bottom + 42, WorkArea().bottom);
    combo.ShowDropList();
    EXPECT_EQ(combo.GetDropRect(), CRect(button.left, button.top - 42, button.left + 120, button.top));
}

TEST_F(ComboFixture, PickPostsListIdAndIndexAndBecomesTheCaption) {
    Make();
    Fill(4);
    combo.SetCurSel(0);
    combo.ShowDropList();
    CDropWnd* popup = combo.GetDropWnd();
    CRect item;
    List()->GetItemRect(2, &item);
    CPoint inside = item.CenterPoint();
    CPoint screen = inside;
    List()->ClientToScreen(&screen);
    QCursor::setPos(screen.x, screen.y);
    MoveTo(*List(), inside);
    EXPECT_EQ(combo.GetCurSel(), 2); // follows the mouse, reports nothing
    EXPECT_TRUE(Selects().empty());
    Click(*List(), inside);
    const auto picks = Selects();
    ASSERT_EQ(picks.size(), 1u);
    EXPECT_EQ(picks[0].wParam, kListId);
    EXPECT_EQ(picks[0].lParam, 2);
    EXPECT_EQ(Caption(), CString("Optical"));
    EXPECT_EQ(List()->GetSavedSel(), 2);
    EXPECT_FALSE(popup->IsWindowVisible());
}

TEST_F(ComboFixture, SelectionChangeWithTheCursorOutsideRevertsSilently) {
    Make();
    Fill(4);
    List()->SetSavedSel(1);
    combo.SetCurSel(1);
    combo.ShowDropList();
    CRect drop = combo.GetDropRect();
    QCursor::setPos(drop.right + 50, drop.bottom + 50);
    List()->SetFocus();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(List()->Widget(), &down);
    EXPECT_FALSE(combo.GetDropWnd()->IsWindowVisible());
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_TRUE(Selects().empty());
    EXPECT_EQ(Caption(), CString("AUX 2"));
}

TEST_F(ComboFixture, HidingAHiddenPopupLeavesThePressOpeningIt) {
    Make();
    Fill(3);
    combo.HideDropList();
    combo.HideDropList();
    EXPECT_EQ(combo.GetDropWnd()->GetShowStatus(), 0u);
    Click(combo, CPoint(10, 10));
    EXPECT_TRUE(combo.GetDropWnd()->IsWindowVisible());
}

TEST_F(ComboFixture, WheelStepsByWholeNotchesAndReportsEvenAtTheEnds) {
    Make();
    Fill(3);
    combo.SetCurSel(1);
    Wheel(combo, CPoint(5, 5), -60); // half a notch: nothing yet
    EXPECT_TRUE(Selects().empty());
    Wheel(combo, CPoint(5, 5), -60);
    auto s = Selects();
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].lParam, 2);
    EXPECT_EQ(s[0].wParam, kListId);
    Wheel(combo, CPoint(5, 5), -120); // at the last item: stays, still reports
    s = Selects();
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[1].lParam, 2);
    Wheel(combo, CPoint(5, 5), 240); // limited to one notch
    s = Selects();
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[2].lParam, 1);
    EXPECT_EQ(Caption(), CString("AUX 2"));
    combo.StepByKey(VK_UP);
    combo.StepByKey(VK_UP);
    combo.StepByKey(VK_LEFT); // not a step key
    s = Selects();
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[3].lParam, 0);
    EXPECT_EQ(s[4].lParam, 0);
}

TEST_F(ComboFixture, EmptyListTakesNoStep) {
    Make();
    Wheel(combo, CPoint(5, 5), -120);
    Wheel(combo, CPoint(5, 5), 120);
    combo.StepByKey(VK_DOWN);
    combo.StepByKey(VK_UP);
    EXPECT_TRUE(Selects().empty());
    EXPECT_EQ(combo.GetCurSel(), LB_ERR);
    EXPECT_EQ(Caption(), CString(""));
}

TEST_F(ComboFixture, DisabledCaptionIsNullAndComesBackOnlyWithTheFlag) {
    Make();
    Fill(3);
    combo.EnableWindow(FALSE);
    combo.SetCurSel(2);
    EXPECT_EQ(Caption(), CString("NULL"));
    combo.EnableWindow(TRUE);
    EXPECT_EQ(Caption(), CString("NULL"));
    combo.SetNullWhenDisabled(TRUE);
    combo.EnableWindow(FALSE);
    combo.EnableWindow(TRUE);
    EXPECT_EQ(Caption(), CString("Optical"));
}

TEST_F(ComboFixture, SourceMatchColoursOnlyTheInputTypeCombo) {
    Make(100, 2862);
    CComBoxBtn other;
    parent->Attach<CButton>(other, 2863, CRect(20, 60, 100, 80), BS_PUSHBUTTON, "");
    g_bSourceTypeMatch = 1;
    EXPECT_EQ(combo.StateTextColor(FALSE), RGB(255, 0, 0));
    EXPECT_EQ(other.StateTextColor(FALSE), RGB(255, 255, 255));
    EXPECT_EQ(combo.StateTextColor(TRUE), RGB(204, 204, 204));
    g_bSourceTypeMatch = 0;
    EXPECT_EQ(combo.StateTextColor(FALSE), RGB(255, 255, 255));
}

TEST_F(ComboFixture, MoveReportsFlagsOrOpenListAndGivesTheListFocus) {
    Make();
    Fill(3);
    combo.EnableMoveNotify(TRUE);
    MoveTo(combo, CPoint(5, 5));
    MoveTo(combo, CPoint(5, 5)); // same point: reported once
    auto moves = parent->Of(WM_CONTROL_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].wParam, 0u);
    EXPECT_EQ(moves[0].lParam, kButtonId);
    EXPECT_TRUE(combo.IsHovered());
    combo.ShowDropList();
    MoveTo(combo, CPoint(6, 5));
    moves = parent->Of(WM_CONTROL_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[1].wParam, 0xFFFFFFFFu);
    EXPECT_EQ(CWnd::GetFocus(), List());
    // The list losing the focus closes the popup.
    combo.SetFocus();
    EXPECT_FALSE(combo.GetDropWnd()->IsWindowVisible());
}

TEST_F(ComboFixture, LooksOfEveryState) {
    Make();
    for (const char* s : {"光纤", "蓝牙", "AUX"})
        combo.AddString(s);
    combo.SetCurSel(1);
    QImage img = Render(*parent, "controls-combo-normal-zh");
    EXPECT_GT(CountNear(img, CRect(20, 20, 140, 44), RGB(255, 255, 255), 40), 5); // white caption
    combo.ResetContent();
    Fill(5);
    combo.SetCurSel(2);
    img = Render(*parent, "controls-combo-normal");
    const COLORREF face = Pixel(img, 22, 30);
    MoveTo(combo, CPoint(5, 5));
    img = Render(*parent, "controls-combo-hover");
    EXPECT_NE(Pixel(img, 22, 30), face);
    combo.SendMessage(WM_MOUSELEAVE);
    combo.SetNullWhenDisabled(TRUE);
    combo.EnableWindow(FALSE);
    img = Render(*parent, "controls-combo-disabled");
    EXPECT_GT(CountNear(img, CRect(20, 20, 140, 44), RGB(204, 204, 204), 30), 5);
    combo.EnableWindow(TRUE);
    combo.SetPressed(TRUE);
    img = Render(*parent, "controls-combo-pressed");
    EXPECT_GT(CountNear(img, CRect(20, 20, 140, 44), RGB(255, 0, 0), 60), 5);
    combo.SetPressed(FALSE);

    // The open list with the item under the mouse highlighted.
    combo.ShowDropList();
    List()->SetCurSel(3);
    const QImage list = Render(*combo.GetDropWnd(), "controls-combo-list");
    CRect item;
    List()->GetItemRect(3, &item);
    EXPECT_EQ(Pixel(list, item.left + 2, item.CenterPoint().y), RGB(13, 133, 138));
    List()->GetItemRect(0, &item);
    EXPECT_EQ(Pixel(list, item.left + 2, item.CenterPoint().y), RGB(27, 34, 50));
}

TEST(DropListBoxTest, GroupsHeadersAndDeletion) {
    RecordingParent parent;
    CDropWnd popup;
    ASSERT_TRUE(popup.Create(&parent, 0));
    CDropListBox* list = popup.GetListBox();
    EXPECT_EQ(list->InsertItem(2, "too far", 0, 0), -1);
    EXPECT_EQ(list->InsertItem(1, "Inputs", RGB(255, 200, 0), RGB(255, 255, 255)), 0);
    list->InsertItem(1, "AUX", RGB(255, 255, 255), RGB(0, 0, 0));
    list->InsertItem(2, "Outputs", RGB(255, 200, 0), RGB(255, 255, 255));
    list->InsertItem(2, "Front", RGB(255, 255, 255), RGB(0, 0, 0));
    list->InsertItem(2, "Rear", RGB(255, 255, 255), RGB(0, 0, 0));
    EXPECT_EQ(list->GetGroupCount(), 2);
    EXPECT_EQ(list->GetRecord(0)->header, 1);
    EXPECT_EQ(list->GetRecord(1)->header, 0);
    EXPECT_EQ(list->GetRecord(2)->header, 1);
    EXPECT_EQ(list->DeleteItem(9), -1);
    list->DeleteItem(2); // a header takes its group along
    EXPECT_EQ(list->GetCount(), 2);
    EXPECT_EQ(list->GetGroupCount(), 1);
    list->DeleteItem(1);
    EXPECT_EQ(list->GetCount(), 1);
    list->ResetContent();
    EXPECT_EQ(list->GetGroupCount(), 0);
    EXPECT_EQ(list->GetSavedSel(), 0);
}

TEST(DropBtnTest, PickPostsAndShowsTheItemAndTheLookIsDrawn) {
    RecordingParent parent(RGB(27, 30, 36), 240, 160);
    CDropBtn drop;
    parent.Attach<CButton>(drop, 2200, CRect(20, 20, 160, 44), BS_OWNERDRAW, "Mode");
    ASSERT_TRUE(drop.Create("", CRect(), &parent, 0x5002, static_cast<COLORREF>(-1), 0,
                            static_cast<COLORREF>(-1), static_cast<COLORREF>(-1), nullptr));
    EXPECT_EQ(drop.GetHighlightColor(), RGB(0, 255, 0));
    drop.GetListBox()->AddString("PEQ");
    drop.GetListBox()->AddString("GEQ");
    const QImage img = Render(parent, "controls-dropbtn");
    EXPECT_EQ(Pixel(img, 22, 22), RGB(255, 217, 205));
    EXPECT_GT(CountNear(img, CRect(120, 20, 160, 44), RGB(0, 255, 0), 30), 10); // the arrow
    drop.ShowList();
    CRect button;
    drop.GetWindowRect(&button);
    EXPECT_EQ(drop.GetDropRect(), CRect(button.left, button.bottom - 1, button.left + 140,
                                        button.bottom + 2 * drop.GetListBox()->GetItemHeight(0)));
    EXPECT_EQ(drop.SendMessage(WM_COMBO_SELECT, 1, 0), 1);
    Pump();
    const auto picks = parent.Of(WM_COMBO_SELECT);
    ASSERT_EQ(picks.size(), 1u);
    EXPECT_EQ(picks[0].wParam, 0x5002u);
    EXPECT_EQ(picks[0].lParam, 1);
    CString caption;
    drop.GetWindowText(caption);
    EXPECT_EQ(caption, CString("GEQ"));
    drop.GetDropWnd()->ShowWindow(SW_HIDE);
}

} // namespace
