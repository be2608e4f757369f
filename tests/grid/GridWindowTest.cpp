// The grid window through its messages, offscreen: clicks with Shift and Ctrl, keys, Delete, double
// clicks, the right-click menu and its commands to the parent, the owner's notifications and posted
// commands, scroll bars, wheel and EnsureVisible, and renders of the preset grid and a scrolled one.
#include "GridFixture.h"

#include "model/Globals.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/ScrollBar.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QTimer>

#include <functional>

using namespace gridtest;

TEST_F(PresetGridTest, ClickOnTheNumberColumnFocusesAndSelectsTheNameAndPostsACommand) {
    Click(3, 0);
    EXPECT_EQ(grid.GetFocusCell(), GridCellId(3, 1));
    EXPECT_EQ(SelectedCells(), (std::vector<GridCellId>{{3, 1}}));
    EXPECT_EQ(owner->notices, (std::vector<Notice>{{GRIDN_FOCUS_CHANGED, 3, 1}}));
    ctltest::Pump();
    const auto commands = owner->Of(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(kGridId, 0));
    EXPECT_EQ(commands[0].lParam, reinterpret_cast<LPARAM>(grid.GetSafeHwnd()));

    Click(5, 1);
    EXPECT_EQ(SelectedCells(), (std::vector<GridCellId>{{5, 1}}));
    EXPECT_EQ(owner->notices.back(), (Notice{GRIDN_FOCUS_CHANGED, 5, 1}));
    EXPECT_EQ(owner->notices[1], (Notice{GRIDN_FOCUS_LEAVING, 3, 1}));
    EXPECT_EQ(Commands(), 2u);
}

TEST_F(PresetGridTest, PressesOnTheHeadingRowChangeNothingAndOpenNoMenu) {
    Click(2, 1);
    owner->notices.clear();
    int menus = 0;
    CMenu::SetTrackHook([&](CMenu&, int, int) {
        ++menus;
        return 0u;
    });
    Click(0, 1);
    RightPress(0, 0);
    EXPECT_EQ(grid.GetFocusCell(), GridCellId(2, 1));
    EXPECT_EQ(SelectedCells(), (std::vector<GridCellId>{{2, 1}}));
    EXPECT_TRUE(owner->notices.empty());
    EXPECT_EQ(menus, 0);
}

TEST_F(PresetGridTest, ShiftClickExtendsFromTheFocusAndCtrlClickKeepsOnlyWithoutSingleRowSelection) {
    Click(2, 1);
    Click(5, 0, Qt::ShiftModifier);
    EXPECT_EQ(SelectedCells(), (std::vector<GridCellId>{{2, 1}, {3, 1}, {4, 1}, {5, 1}}));
    EXPECT_EQ(grid.GetFocusCell(), GridCellId(5, 1));

    Click(1, 1);
    Click(4, 1, Qt::ControlModifier); // single-row selection drops the kept cell
    EXPECT_EQ(SelectedCells(), (std::vector<GridCellId>{{4, 1}}));

    grid.SetSingleRowSelection(FALSE);
    Click(1, 1);
    Click(4, 1, Qt::ControlModifier);
    EXPECT_EQ(SelectedCells(), (std::vector<GridCellId>{{1, 1}, {4, 1}}));
}

TEST_F(PresetGridTest, KeysMoveTheFocusWithWrapsPagesAndEnds) {
    struct Case {
        int from;
        int key;
        Qt::KeyboardModifiers mods;
        int to;
    };
    const Case cases[] = {
        {3, Qt::Key_Down, Qt::NoModifier, 4},   {6, Qt::Key_Down, Qt::NoModifier, 1},
        {1, Qt::Key_Up, Qt::NoModifier, 6},     {6, Qt::Key_Tab, Qt::NoModifier, 1},
        {4, Qt::Key_Tab, Qt::NoModifier, 5},    {4, Qt::Key_Backtab, Qt::ShiftModifier, 3},
        {4, Qt::Key_Home, Qt::NoModifier, 1},   {2, Qt::Key_End, Qt::NoModifier, 6},
        {4, Qt::Key_PageUp, Qt::NoModifier, 1}, {2, Qt::Key_PageDown, Qt::NoModifier, 6},
        {3, Qt::Key_Left, Qt::NoModifier, 3},   {3, Qt::Key_Right, Qt::NoModifier, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.from << " key " << std::hex << c.key);
        Click(c.from, 1);
        owner->notices.clear();
        Key(c.key, c.mods);
        EXPECT_EQ(grid.GetFocusCell(), GridCellId(c.to, 1));
        EXPECT_EQ(SelectedCells(), (std::vector<GridCellId>{{c.to, 1}}));
        if (c.to != c.from) {
            // The old cell is left; the new one is taken without a change notice.
            EXPECT_EQ(owner->notices, (std::vector<Notice>{{GRIDN_FOCUS_LEAVING, c.from, 1}}));
        }
    }
}

TEST_F(PresetGridTest, KeysDoNothingWithoutAFocusCellOrAfterARightPressUntilALeftRelease) {
    Key(Qt::Key_Down);
    EXPECT_FALSE(grid.IsValid(grid.GetFocusCell()));
    EXPECT_TRUE(SelectedCells().empty());

    CMenu::SetTrackHook([](CMenu&, int, int) { return 0u; });
    Click(2, 1);
    RightPress(2, 1); // on the focus cell: the focus stays
    Key(Qt::Key_Down);
    EXPECT_EQ(grid.GetFocusCell(), GridCellId(2, 1));
    r9test::Release(W(), QPoint(At(2, 1).x, At(2, 1).y));
    Key(Qt::Key_Down);
    EXPECT_EQ(grid.GetFocusCell(), GridCellId(3, 1));
}

TEST_F(PresetGridTest, DeleteReportsTheKeyKeepsTheNameAndRefusesReadOnlyCells) {
    Click(2, 1);
    owner->notices.clear();
    Key(Qt::Key_Delete);
    EXPECT_EQ(owner->notices, (std::vector<Notice>{{GRIDN_CELL_CLEARED, 2, 1}}));
    EXPECT_EQ(grid.GetItemText(2, 1), CString("Pop Vocal")); // the dialog empties it after its question
    EXPECT_FALSE(grid.GetModified());

    grid.SetItemState(3, 1, GRIDSTATE_READONLY);
    Click(3, 1);
    EXPECT_TRUE(grid.GetItemState(3, 1) & GRIDSTATE_READONLY); // a click keeps the mark
    owner->notices.clear();
    Key(Qt::Key_Delete);
    EXPECT_TRUE(owner->notices.empty());

    grid.SetEditable(TRUE);
    Click(4, 1);
    owner->notices.clear();
    Key(Qt::Key_Delete);
    EXPECT_EQ(grid.GetItemText(4, 1), CString());
    EXPECT_TRUE(grid.GetModified(4, 1));
    EXPECT_EQ(owner->notices, (std::vector<Notice>{{GRIDN_CELL_CLEARED, 4, 1}}));
}

TEST_F(PresetGridTest, DoubleClickSendsDblClkForTheCellButNothingOnTheHeadingRow) {
    const CPoint p = At(4, 1);
    r9test::Press(W(), QPoint(p.x, p.y));
    r9test::Release(W(), QPoint(p.x, p.y));
    r9test::DoubleClick(W(), QPoint(p.x, p.y));
    r9test::Release(W(), QPoint(p.x, p.y));
    EXPECT_EQ(owner->notices.back(), (Notice{static_cast<int>(NM_DBLCLK), 4, 1}));
    EXPECT_EQ(grid.GetItemText(4, 1), CString(kPresetNames[3]));
    EXPECT_EQ(CWnd::GetFocus(), &grid); // no editor took the focus

    owner->notices.clear();
    const CPoint h = At(0, 1);
    r9test::Press(W(), QPoint(h.x, h.y));
    r9test::Release(W(), QPoint(h.x, h.y));
    r9test::DoubleClick(W(), QPoint(h.x, h.y));
    r9test::Release(W(), QPoint(h.x, h.y));
    EXPECT_TRUE(owner->notices.empty());
}

TEST_F(PresetGridTest, RightPressSelectsTheRowStoresTheCellAndTheChosenCommandReachesTheParent) {
    Click(1, 1);
    std::vector<CString> texts;
    CMenu::SetTrackHook([&](CMenu& menu, int, int) {
        texts.clear();
        for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
            CString t;
            menu.GetMenuString(static_cast<UINT>(i), t, MF_BYPOSITION);
            texts.push_back(t);
        }
        return ID_GRID_LOAD_MACHINE_PRESET;
    });
    RightPress(5, 1);
    EXPECT_EQ(grid.GetRightClickCell(), GridCellId(5, 1));
    EXPECT_EQ(SelectedCells(), (std::vector<GridCellId>{{5, 1}})); // rows from the pressed cell itself
    EXPECT_FALSE(grid.IsValid(grid.GetFocusCell()));
    EXPECT_EQ(texts, (std::vector<CString>{"Load Machine Preset(&E)", "Save As Machine Preset(&I)",
                                           "Delete Machine Preset(&D)"}));
    ctltest::Pump();
    const auto commands = owner->Of(WM_COMMAND);
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(LOWORD(commands.back().wParam), ID_GRID_LOAD_MACHINE_PRESET);

    // Item 715 follows a change of language at the next press; the others keep the grid's first.
    g_bChinese = 1;
    RightPress(2, 1);
    EXPECT_EQ(texts, (std::vector<CString>{"Load Machine Preset(&E)", "Save As Machine Preset(&I)",
                                           "删除 机器预置场景(&D)"}));
}

TEST(GridMenu, AGridMadeInChineseShowsChineseItems) {
    r9test::ResetModelGlobals();
    g_bChinese = 1;
    CGridCtrl grid;
    std::vector<CString> texts;
    for (int i = 0; i < 2; ++i) {
        CString t;
        grid.GetPopupMenu().GetMenuString(static_cast<UINT>(i), t, MF_BYPOSITION);
        texts.push_back(t);
    }
    EXPECT_EQ(texts, (std::vector<CString>{"加载 机器预置场景(&E)", "另存为 机器预置场景(&I)"}));
    r9test::ResetModelGlobals();
}

TEST_F(PresetGridTest, CtrlAChoosesEveryNonFixedCell) {
    Click(2, 1);
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(SelectedCells().size(), 6u);
    EXPECT_EQ(grid.GetSelectedCellRange(), GridCellRange(1, 1, 6, 1));
}

namespace {

// A grid larger than its window: 40 rows x 8 columns of 20 x 60 px below a 24 px heading row and
// beside a 40 px number column.
class LargeGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        owner = std::make_unique<GridOwner>(360, 240);
        ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), owner.get(), kGridId));
        font.CreateFont(14, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
        grid.SetFont(&font);
        grid.SetRowCount(40);
        grid.SetColumnCount(8);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        for (int r = 0; r < 40; ++r) {
            grid.SetRowHeight(r, r == 0 ? 24 : 20);
            for (int c = 0; c < 8; ++c) {
                CString t;
                if (r == 0)
                    t.Format(c == 0 ? "#" : "Col %d", c);
                else
                    t.Format(c == 0 ? "%d" : "R%dC%d", r, c);
                grid.SetItemText(r, c, t);
                grid.SetItemFormat(r, c, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
            }
        }
        for (int c = 0; c < 8; ++c)
            grid.SetColumnWidth(c, c == 0 ? 40 : 60);
        grid.ResetScrollBars();
        ctltest::Pump();
    }
    void TearDown() override {
        grid.DestroyWindow();
        owner.reset();
    }
    int Top() { return grid.GetTopLeftNonFixedCell().row; }

    std::unique_ptr<GridOwner> owner;
    CGridCtrl grid;
    CFont font;
};

} // namespace

TEST_F(LargeGridTest, ScrollBarsCountThePixelsOfTheNonFixedPart) {
    CRect client;
    grid.GetClientRect(&client);
    EXPECT_EQ(client,
              CRect(0, 0, 300 - GetSystemMetrics(SM_CXVSCROLL), 200 - GetSystemMetrics(SM_CYHSCROLL)));
    EXPECT_EQ(grid.GetVScrollMax(), 39 * 20 - 1);
    EXPECT_EQ(grid.GetHScrollMax(), 7 * 60 - 1);

    grid.SendMessage(WM_VSCROLL, SB_BOTTOM);
    const int bottom = grid.GetScrollPos32(SB_VERT);
    EXPECT_EQ(bottom, 39 * 20 - (client.Height() - 24)); // clamped to max - page + 1
    const int top = Top();
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(grid.GetScrollPos32(SB_VERT), bottom);
    EXPECT_EQ(Top(), top);
    grid.SendMessage(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(Top(), 1);

    // Everything fits: no ranges, no line steps.
    grid.SetRowCount(3);
    grid.SetColumnCount(2);
    EXPECT_EQ(grid.GetVScrollMax(), 0);
    EXPECT_EQ(grid.GetHScrollMax(), 0);
    grid.SendMessage(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(grid.GetScrollPos32(SB_HORZ), 0);
    grid.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 300, 200));
}

TEST_F(LargeGridTest, NoWholeCellLeavesNoStaleRanges) {
    grid.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    grid.DeleteAllItems();
    EXPECT_EQ(grid.GetVScrollMax(), 0);
    EXPECT_EQ(grid.GetHScrollMax(), 0);
    EXPECT_EQ(grid.GetScrollPos32(SB_VERT), 0);

    // A client smaller than the fixed cells sets no ranges either.
    grid.SetRowCount(40);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetRowHeight(0, 400);
    grid.ResetScrollBars();
    EXPECT_EQ(grid.GetVScrollMax(), 0);
}

TEST_F(LargeGridTest, EnsureVisibleOnTheCutLastRowScrollsOneLineAndLineStepsAreWholeRows) {
    const GridCellRange visible = grid.GetVisibleNonFixedCellRange();
    const int cut = visible.GetMaxRow();
    ASSERT_GT(cut, grid.GetUnobstructedNonFixedCellRange().GetMaxRow()) << "the last shown row is cut";
    grid.EnsureVisible(cut, 1);
    EXPECT_EQ(Top(), 2);
    EXPECT_EQ(grid.GetScrollPos32(SB_VERT), 20);
    EXPECT_TRUE(grid.IsCellVisible(cut, 1));

    grid.EnsureVisible(30, 7);
    EXPECT_TRUE(grid.IsCellVisible(30, 7));
    CRect rc, client;
    grid.GetCellRect(30, 7, &rc);
    grid.GetClientRect(&client);
    EXPECT_LE(rc.bottom, client.bottom);
    EXPECT_LE(rc.right, client.right);
}

TEST_F(LargeGridTest, WheelPostsLineStepsAndSmallDeltasAddUp) {
    const CPoint p(100, 100);
    ctltest::Wheel(grid, p, -120);
    ctltest::Pump();
    EXPECT_EQ(Top(), 1 + 3 * CGridCtrl::GetWheelScrollLines() / 3);
    for (int i = 0; i < 3; ++i)
        ctltest::Wheel(grid, p, 40); // a touchpad's thirds of a notch
    ctltest::Pump();
    EXPECT_EQ(Top(), 1);
}

TEST_F(LargeGridTest, DownAtTheBottomEdgeScrollsTheNewFocusIntoView) {
    const int cut = grid.GetVisibleNonFixedCellRange().GetMaxRow();
    grid.SetFocusCellAt(cut - 1, 1);
    r9test::Key(grid.Widget(), Qt::Key_Down); // onto the cut row: it is shown, nothing scrolls
    EXPECT_EQ(grid.GetFocusCell(), GridCellId(cut, 1));
    EXPECT_EQ(Top(), 1);
    r9test::Key(grid.Widget(), Qt::Key_Down); // below it: brought in, then one line more
    EXPECT_EQ(grid.GetFocusCell(), GridCellId(cut + 1, 1));
    EXPECT_TRUE(grid.IsCellVisible(cut + 1, 1));
    EXPECT_EQ(Top(), 4);
}

TEST_F(LargeGridTest, TheScrollBarsOwnActionsScrollTheGrid) {
    CScrollBar* bar = nullptr;
    for (CWnd* child : grid.Children())
        if (auto* b = dynamic_cast<CScrollBar*>(child); b && (b->GetStyle() & SBS_VERT))
            bar = b;
    ASSERT_NE(bar, nullptr);
    bar->Scroll(SB_LINEDOWN);
    EXPECT_EQ(Top(), 2);
    bar->Scroll(SB_THUMBTRACK, 205); // snaps to the first whole row at or after the position
    EXPECT_EQ(grid.GetScrollPos32(SB_VERT), 205);
    EXPECT_EQ(Top(), 12);
    bar->Scroll(SB_PAGEUP);
    EXPECT_LT(Top(), 12);
}

TEST_F(LargeGridTest, DividerDragSetsTheWidthFromTheCellOrigin) {
    CRect heading;
    grid.GetCellRect(0, 2, &heading);
    ASSERT_TRUE(grid.BeginDividerDrag(CPoint(heading.right, 10)));
    EXPECT_EQ(grid.GetMouseMode(), GRIDMODE_COLUMN_SIZING);
    r9test::Release(grid.Widget(), QPoint(heading.right + 25, 10));
    EXPECT_EQ(grid.GetColumnWidth(2), 59 + 25); // from the origin to the release point
    EXPECT_EQ(grid.GetMouseMode(), GRIDMODE_IDLE);
    EXPECT_FALSE(grid.BeginDividerDrag(CPoint(heading.CenterPoint().x, 10)));
    // A plain press never starts one: it leaves the idle mode first.
    r9test::Press(grid.Widget(), QPoint(heading.right, 10));
    EXPECT_NE(grid.GetMouseMode(), GRIDMODE_COLUMN_SIZING);
}

// A divider or selection drag whose capture is taken away (the grid's window disabled for a
// moment, as under a modal box) ends where it is: the release of that press resizes nothing,
// selects nothing more and reports no click.
TEST_F(LargeGridTest, ADragEndedByALostCaptureResizesSelectsAndReportsNothingMore) {
    CRect heading;
    grid.GetCellRect(0, 2, &heading);
    const int width = grid.GetColumnWidth(2);
    CRect from, to, beyond;
    grid.GetCellRect(2, 2, &from);
    grid.GetCellRect(4, 3, &to);
    grid.GetCellRect(6, 4, &beyond);
    struct Case {
        const char* what;
        std::function<void()> start;
        QPoint release;
    };
    const Case cases[] = {
        {"divider", [&] { ASSERT_TRUE(grid.BeginDividerDrag(CPoint(heading.right, 10))); },
         QPoint(heading.right + 25, 10)},
        {"selection",
         [&] {
             r9test::Press(grid.Widget(), QPoint(from.CenterPoint().x, from.CenterPoint().y));
             r9test::Move(grid.Widget(), QPoint(to.CenterPoint().x, to.CenterPoint().y), Qt::LeftButton);
         },
         QPoint(beyond.CenterPoint().x, beyond.CenterPoint().y)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.start();
        ASSERT_EQ(CWnd::GetCapture(), &grid);
        const GridCellRange selected = grid.GetSelectedCellRange();
        owner->EnableWindow(FALSE);
        owner->EnableWindow(TRUE);
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        EXPECT_EQ(grid.GetMouseMode(), GRIDMODE_IDLE);
        ctltest::Pump();
        owner->messages.clear();
        r9test::Move(grid.Widget(), c.release, Qt::LeftButton);
        r9test::Release(grid.Widget(), c.release);
        ctltest::Pump();
        EXPECT_EQ(grid.GetColumnWidth(2), width);
        EXPECT_EQ(grid.GetSelectedCellRange(), selected);
        EXPECT_TRUE(owner->Of(WM_COMMAND).empty());
    }
}

TEST_F(LargeGridTest, AutoScrollBelowTheCellsScrollsAndExtendsTheSelectionToTheBottomEdge) {
    const int cut = grid.GetVisibleNonFixedCellRange().GetMaxRow();
    grid.SetFocusCellAt(cut, 2);
    grid.SetSelectionStartCell(GridCellId(cut, 2));
    grid.SetMouseMode(GRIDMODE_SELECT_CELLS);
    CRect client;
    grid.GetClientRect(&client);
    grid.AutoScrollTo(CPoint(100, client.bottom + 30));
    EXPECT_GT(Top(), 1);
    EXPECT_EQ(grid.GetFocusCell(), GridCellId(cut, 2)); // the keys do not move it while selecting
    const GridCellRange sel = grid.GetSelectedCellRange();
    EXPECT_EQ(sel.GetMinRow(), cut);
    EXPECT_EQ(sel.GetMaxRow(), grid.GetCellFromPt(CPoint(100, client.bottom - 1)).row);
    EXPECT_GT(sel.GetMaxRow(), cut);
    grid.SetMouseMode(GRIDMODE_IDLE);
}

// --- renders ------------------------------------------------------------------------------------

namespace {

QImage RenderOwner(CWnd& wnd, const char* name) {
    return ctltest::Render(wnd, name);
}

// Renders the grid's popup menu as it opens and picks the item with the given command.
QImage RenderMenu(CGridCtrl& grid, int row, const char* name) {
    QImage shot;
    QTimer::singleShot(0, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            shot = r9test::RenderToPng(menu, QString::fromUtf8(name));
            menu->close();
        }
    });
    CRect rc;
    grid.GetCellRect(row, 1, &rc);
    const CPoint p = rc.CenterPoint();
    r9test::Mouse(grid.Widget(), QEvent::MouseButtonPress, QPoint(p.x, p.y), Qt::RightButton,
                  Qt::RightButton);
    r9test::Mouse(grid.Widget(), QEvent::MouseButtonRelease, QPoint(p.x, p.y), Qt::RightButton, Qt::NoButton);
    return shot;
}

} // namespace

TEST_F(PresetGridTest, RenderShowsFixedCellsRaisedTheFocusHeadingsSunkenAndTheSelection) {
    Click(3, 1);
    const QImage img = RenderOwner(*owner, "grid_preset_focus");
    ASSERT_FALSE(img.isNull());
    CRect sel, plain;
    grid.GetCellRect(3, 1, &sel);
    grid.GetCellRect(5, 1, &plain);
    sel.OffsetRect(10, 10);
    plain.OffsetRect(10, 10);
    EXPECT_GT(ctltest::CountColour(img, sel, GetSysColor(COLOR_HIGHLIGHT)), sel.Width() * sel.Height() / 2);
    EXPECT_EQ(ctltest::CountColour(img, plain, GetSysColor(COLOR_HIGHLIGHT)), 0);
    // Grid lines in the dialog's blue under the name cells.
    EXPECT_EQ(ctltest::Pixel(img, plain.CenterPoint().x, plain.bottom), RGB(51, 153, 255));
    // The number heading of the focus row is sunken (dark top edge), the others raised (light).
    CRect focusHead, otherHead;
    grid.GetCellRect(3, 0, &focusHead);
    grid.GetCellRect(5, 0, &otherHead);
    EXPECT_NE(ctltest::Pixel(img, focusHead.CenterPoint().x + 10, focusHead.top + 10),
              GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ctltest::Pixel(img, otherHead.CenterPoint().x + 10, otherHead.top + 10),
              GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(PresetGridTest, RenderTheRightClickMenuInBothLanguages) {
    const QImage en = RenderMenu(grid, 2, "grid_menu_en");
    EXPECT_FALSE(en.isNull());
    g_bChinese = 1;
    CGridCtrl zhGrid;
    ASSERT_TRUE(zhGrid.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 382, 182), owner.get(), kGridId + 1));
    CFont zhFont;
    SetUpPresetGrid(zhGrid, zhFont);
    const QImage zh = RenderMenu(zhGrid, 2, "grid_menu_zh");
    EXPECT_FALSE(zh.isNull());
    zhGrid.DestroyWindow();
}

TEST_F(LargeGridTest, RenderAScrolledGrid) {
    grid.SetFocusCellAt(14, 3);
    grid.SetSelectedRange(14, 1, 15, 4);
    grid.SendMessage(WM_VSCROLL, SB_THUMBPOSITION);
    grid.EnsureVisible(14, 6);
    const QImage img = RenderOwner(*owner, "grid_large_scrolled");
    ASSERT_FALSE(img.isNull());
    EXPECT_GT(Top(), 1);
    EXPECT_GT(grid.GetTopLeftNonFixedCell().col, 1);
}

TEST(GridAttach, DataExchangeTakesOverTheDialogsPlaceholderOnLoadOnly) {
    r9test::ResetModelGlobals();
    GridOwner owner(400, 220);
    auto placeholder = std::make_unique<CWnd>();
    ASSERT_TRUE(
        placeholder->CreateEx(0, "", "", WS_CHILD | WS_VISIBLE, CRect(12, 14, 312, 194), &owner, kGridId));
    CGridCtrl grid;
    CDataExchange save(&owner, TRUE);
    DDX_GridControl(&save, kGridId, grid);
    EXPECT_EQ(grid.GetSafeHwnd(), nullptr);
    CDataExchange load(&owner, FALSE);
    DDX_GridControl(&load, kGridId, grid);
    ASSERT_NE(grid.GetSafeHwnd(), nullptr);
    EXPECT_EQ(owner.GetDlgItem(kGridId), &grid);
    CRect rc;
    grid.GetWindowRect(&rc);
    owner.ScreenToClient(&rc);
    EXPECT_EQ(rc, CRect(12, 14, 312, 194));
    EXPECT_GT(grid.GetMargin(), 0); // the grid font is applied at the take-over
    const HWND first = grid.GetSafeHwnd();
    DDX_GridControl(&load, kGridId, grid); // a second exchange leaves it alone
    EXPECT_EQ(grid.GetSafeHwnd(), first);

    grid.SetRowCount(3);
    grid.SetColumnCount(2);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    CRect cell;
    grid.GetCellRect(2, 1, &cell);
    r9test::Press(grid.Widget(), QPoint(cell.CenterPoint().x, cell.CenterPoint().y));
    EXPECT_EQ(owner.notices, (std::vector<Notice>{{GRIDN_FOCUS_CHANGED, 2, 1}}));
    grid.DestroyWindow();
}
