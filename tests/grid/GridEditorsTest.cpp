// In-place editing through the grid window: the plain editor, the option list, the title tip, and
// renders of an editing cell, the tip and the option-list grid.
#include "GridExtFixture.h"

#include "grid/InPlaceEdit.h"
#include "grid/InPlaceList.h"
#include "grid/TitleTip.h"
#include "platform/ui/DropDownWnd.h"
#include "platform/ui/ListBox.h"
#include "support/RenderToPng.h"

#include <QPainter>

using namespace gridext;

namespace {

CString TextOf(CWnd* wnd) {
    CString t;
    if (wnd)
        wnd->GetWindowText(t);
    return t;
}

class GridEditorTest : public GridExtTest {
protected:
    void SetUp() override {
        GridExtTest::SetUp();
        grid.SetFocus();
        grid.SetFocusCellAt(2, 1);
        r9test::Pump();
        parent.notes.clear();
    }
    // Types on the grid (the first key opens the editor), then into whatever has the focus.
    void Type(const char* text) {
        r9test::Type(grid.Widget(), QString::fromUtf8(text).left(1));
        r9test::Pump();
        if (CWnd* ed = Editor())
            r9test::Type(Focused(ed), QString::fromUtf8(text).mid(1));
        r9test::Pump();
    }
    QWidget* Focused(CWnd* editor) {
        if (auto* list = dynamic_cast<CInPlaceList*>(editor); list && list->GetEdit())
            return list->GetEdit()->Widget();
        return editor->Widget();
    }
    void KeyToEditor(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
        CWnd* ed = Editor();
        ASSERT_NE(ed, nullptr);
        r9test::Key(Focused(ed), key, mods, text);
        r9test::Pump();
    }
};

TEST_F(GridEditorTest, TypingOpensTheEditorAndEnterStores) {
    Type("7");
    CWnd* ed = Editor();
    ASSERT_NE(ed, nullptr);
    EXPECT_EQ(TextOf(ed), "7");
    EXPECT_EQ(parent.Codes(GRIDN_BEGIN_EDIT), (std::vector<Note>{{GRIDN_BEGIN_EDIT, 2, 1}}));
    r9test::Type(ed->Widget(), "12345678"); // one past the 8-character limit
    EXPECT_EQ(TextOf(ed), "71234567");
    KeyToEditor(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(grid.GetItemText(2, 1), "71234567");
    EXPECT_TRUE(grid.GetModified(2, 1));
    EXPECT_EQ(grid.GetFocusCell(), GridCellId(2, 1));
    EXPECT_EQ(parent.Codes(GRIDN_END_EDIT), (std::vector<Note>{{GRIDN_END_EDIT, 2, 1}}));
}

TEST_F(GridEditorTest, TheEditorWidensWithItsTextUpToTheGridsEdge) {
    grid.SetColumnWidth(1, 30);
    Type("W");
    CWnd* ed = Editor();
    ASSERT_NE(ed, nullptr);
    CRect before;
    ed->GetWindowRect(&before);
    EXPECT_LE(before.Width(), 30);
    r9test::Type(ed->Widget(), "WWWWWWW");
    CRect after;
    ed->GetWindowRect(&after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_GT(after.Width(), 60);
    CRect client;
    grid.GetClientRect(&client);
    grid.ClientToScreen(&client);
    EXPECT_LE(after.right, client.right);
}

TEST_F(GridEditorTest, FirstKeysTypeWhatTheyAre) {
    // A space or "!" starts the text like any other character; a character outside ASCII is refused.
    struct Case {
        const char* typed;
        const char* text;
    };
    const Case cases[] = {{" a", " a"}, {"!x", "!x"}, {"(", "("}, {"\xC3\xA9z", "z"}};
    for (const Case& c : cases) {
        grid.SetItemText(2, 1, "old");
        Type(c.typed);
        KeyToEditor(Qt::Key_Return, Qt::NoModifier, "\r");
        EXPECT_EQ(grid.GetItemText(2, 1), c.text) << c.typed;
    }
}

TEST_F(GridEditorTest, TabStoresAndEditsTheNextCellEscapeKeepsTheText) {
    Type("a");
    KeyToEditor(Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_EQ(grid.GetItemText(2, 1), "a");
    CWnd* next = Editor();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(grid.GetFocusCell(), GridCellId(2, 2));
    EXPECT_EQ(TextOf(next), "2,2");
    r9test::Type(next->Widget(), "zz");
    KeyToEditor(Qt::Key_Escape, Qt::NoModifier, "\x1b");
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(grid.GetItemText(2, 2), "2,2");
    EXPECT_FALSE(grid.GetModified(2, 2));
    EXPECT_EQ(parent.Codes(GRIDN_END_EDIT),
              (std::vector<Note>{{GRIDN_END_EDIT, 2, 1}, {GRIDN_END_EDIT, 2, 2}}));
}

TEST_F(GridEditorTest, ArrowsEndATypedEditButMoveTheCaretOfAMouseEdit) {
    Type("q");
    KeyToEditor(Qt::Key_Down);
    EXPECT_EQ(grid.GetItemText(2, 1), "q");
    EXPECT_EQ(grid.GetFocusCell(), GridCellId(3, 1));
    ASSERT_NE(Editor(), nullptr); // the edit goes on in the cell below
    KeyToEditor(Qt::Key_Escape, Qt::NoModifier, "\x1b");

    grid.EditCell(3, 2, VK_LBUTTON);
    r9test::Pump();
    ASSERT_NE(Editor(), nullptr);
    KeyToEditor(Qt::Key_Left);
    ASSERT_NE(Editor(), nullptr);
    CtrlKey(Editor()->Widget(), Qt::Key_Left);
    r9test::Pump();
    EXPECT_EQ(grid.GetFocusCell(), GridCellId(3, 1));
    auto* moved = dynamic_cast<CInPlaceEdit*>(Editor());
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->GetColumn(), 1);
}

TEST_F(GridEditorTest, ReadOnlyCellsAndLockedGridsOpenNoEditor) {
    grid.SetItemState(2, 1, grid.GetItemState(2, 1) | GRIDSTATE_READONLY);
    Type("5");
    EXPECT_EQ(Editor(), nullptr);
    grid.SetEditable(FALSE);
    grid.EditCell(3, 3, VK_LBUTTON);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_TRUE(parent.Codes(GRIDN_BEGIN_EDIT).empty());
}

TEST_F(GridEditorTest, EditingCellRender) {
    grid.SetItemText(2, 1, "Pop");
    grid.EditCell(2, 1, VK_LBUTTON);
    r9test::Pump();
    ASSERT_NE(Editor(), nullptr);
    r9test::Type(Editor()->Widget(), " Live");
    r9test::Pump();
    const QImage image = r9test::RenderToPng(parent.Widget(), "grid_editing_cell");
    EXPECT_FALSE(image.isNull());
}

class OptionGridTest : public GridEditorTest {
protected:
    void SetUp() override {
        GridEditorTest::SetUp();
        ASSERT_TRUE(grid.SetColumnOptions(1, {"Low", "Mid", "High"}));
        grid.SetItemText(2, 1, "Mid");
    }
};

TEST_F(OptionGridTest, OptionColumnsTakeOnlyTheirOptions) {
    EXPECT_FALSE(grid.SetColumnOptions(0, {"x"}));
    EXPECT_TRUE(grid.SetItemText(2, 1, "High"));
    EXPECT_FALSE(grid.SetItemText(2, 1, "high"));
    EXPECT_EQ(grid.GetItemText(2, 1), "High");
    EXPECT_TRUE(grid.SetItemText(0, 1, "Anything")); // fixed rows are free
    EXPECT_TRUE(grid.SetItemTextByIndex(3, 1, 0));
    EXPECT_EQ(grid.GetItemText(3, 1), "Low");
    EXPECT_FALSE(grid.SetItemTextByIndex(3, 1, 3));

    GridItem item;
    item.row = 3;
    item.col = 1;
    item.mask = GRIDMASK_TEXT | GRIDMASK_DATA;
    item.szText = "Other";
    item.lParam = 9;
    EXPECT_FALSE(grid.SetOptionItem(&item));
    EXPECT_EQ(grid.GetItemData(3, 1), 0); // all or nothing
    item.szText = "High";
    EXPECT_TRUE(grid.SetOptionItem(&item));
    EXPECT_EQ(grid.GetItemData(3, 1), 9);
}

TEST_F(OptionGridTest, TheOptionListEditsTheCell) {
    grid.EditCell(2, 1, VK_LBUTTON);
    r9test::Pump();
    auto* list = dynamic_cast<CInPlaceList*>(Editor());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetCount(), 3);
    EXPECT_EQ(list->GetCurSel(), 1);
    ASSERT_NE(list->GetEdit(), nullptr);
    EXPECT_EQ(TextOf(list->GetEdit()), "Mid");
    list->SetCurSel(2);
    list->GetEdit()->SetWindowText("High");
    KeyToEditor(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(grid.GetItemText(2, 1), "High");
    EXPECT_TRUE(grid.GetModified(2, 1));
    EXPECT_EQ(parent.Codes(GRIDN_END_EDIT).size(), 1u);

    // A typed text that is no option is refused: no change, no modified mark, no finished edit.
    grid.SetModified(FALSE);
    parent.notes.clear();
    Type("Zed");
    KeyToEditor(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(grid.GetItemText(2, 1), "High");
    EXPECT_FALSE(grid.GetModified(2, 1));
    EXPECT_TRUE(parent.Codes(GRIDN_END_EDIT).empty());

    // A cell text that is no option shows as the edit text.
    grid.SetItemText(0, 1, "Level");
    grid.SetRowCount(6);
    CGridCellItem* cell = grid.GetCell(4, 1);
    cell->szText = "Custom";
    grid.EditCell(4, 1, VK_LBUTTON);
    r9test::Pump();
    list = dynamic_cast<CInPlaceList*>(Editor());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetCurSel(), CB_ERR);
    EXPECT_EQ(TextOf(list->GetEdit()), "Custom");
}

// The option list's drop-down, driven through the window: a pick by click or key goes into the
// cell when the edit ends; a press elsewhere closes it choosing nothing, ends the edit with the
// cell unchanged and still acts on the grid, whose keys then go on there.
TEST_F(OptionGridTest, TheDropListCommitsItsPickAndAPressElsewhereCancelsIt) {
    QWidget* window = parent.Widget();
    for (const DWORD style : {DWORD(CBS_DROPDOWN), DWORD(CBS_DROPDOWNLIST)}) {
        SCOPED_TRACE(style == CBS_DROPDOWN ? "editable" : "list only");
        grid.SetListStyle(style);
        grid.SetItemText(2, 1, "Mid");
        grid.SetModified(FALSE);
        grid.SetFocusCellAt(2, 1);
        auto open = [&]() -> CInPlaceList* {
            grid.EditCell(2, 1, VK_LBUTTON);
            r9test::Pump();
            auto* list = dynamic_cast<CInPlaceList*>(Editor());
            if (!list)
                return nullptr;
            CRect rc;
            list->GetClientRect(&rc);
            r9test::WindowClick(list->Widget(), QPoint(rc.right - 4, rc.bottom / 2));
            r9test::Pump();
            return list->GetDroppedState() ? list : nullptr;
        };

        CInPlaceList* list = open();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(CWnd::GetFocus(), list->DropList());
        r9test::WindowKey(window, Qt::Key_Down); // highlights "High", chooses nothing
        EXPECT_EQ(list->GetCurSel(), 1);
        parent.notes.clear();
        r9test::WindowClick(grid.Widget(), CellPoint(4, 2));
        r9test::Pump();
        EXPECT_EQ(Editor(), nullptr) << "the edit ended with the press elsewhere";
        EXPECT_EQ(CDropDownWnd::GetOpen(), nullptr);
        EXPECT_EQ(grid.GetItemText(2, 1), "Mid");
        EXPECT_FALSE(grid.GetModified(2, 1));
        EXPECT_EQ(grid.GetFocusCell().row, 4) << "the press still chose its cell";
        EXPECT_EQ(grid.GetFocusCell().col, 2);
        r9test::WindowType(window, "7");
        r9test::WindowKey(window, Qt::Key_Return, Qt::NoModifier, "\r");
        r9test::Pump();
        EXPECT_EQ(grid.GetItemText(4, 2), "7") << "the keys went on to the grid";
        EXPECT_EQ(grid.GetItemText(2, 1), "Mid");

        // A click on an item picks it; Return then ends the edit with it.
        grid.SetFocusCellAt(2, 1);
        list = open();
        ASSERT_NE(list, nullptr);
        CRect item;
        list->DropList()->GetItemRect(2, &item);
        r9test::WindowClick(list->DropList()->Widget(), QPoint(item.left + 3, item.top + 3));
        r9test::Pump();
        ASSERT_EQ(Editor(), list) << "a pick keeps the edit going";
        EXPECT_FALSE(list->GetDroppedState());
        EXPECT_EQ(list->GetEditText(), "High");
        r9test::WindowKey(window, Qt::Key_Return, Qt::NoModifier, "\r");
        r9test::Pump();
        EXPECT_EQ(Editor(), nullptr);
        EXPECT_EQ(grid.GetItemText(2, 1), "High");
        EXPECT_TRUE(grid.GetModified(2, 1));

        // Return in the open list picks the highlighted item and ends the edit with it.
        grid.SetFocusCellAt(2, 1);
        list = open();
        ASSERT_NE(list, nullptr);
        r9test::WindowKey(window, Qt::Key_Up);
        r9test::WindowKey(window, Qt::Key_Up);
        r9test::WindowKey(window, Qt::Key_Return, Qt::NoModifier, "\r");
        r9test::Pump();
        EXPECT_EQ(Editor(), nullptr);
        EXPECT_EQ(grid.GetItemText(2, 1), "Low");
    }
}

TEST_F(OptionGridTest, OptionListGridRender) {
    grid.SetItemText(0, 1, "Level");
    grid.SetItemText(3, 1, "High");
    grid.SetItemText(4, 1, "Low");
    grid.EditCell(2, 1, VK_LBUTTON);
    r9test::Pump();
    auto* list = dynamic_cast<CInPlaceList*>(Editor());
    ASSERT_NE(list, nullptr);
    QImage image = r9test::RenderToPng(parent.Widget(), "");
    list->ShowDropDown(TRUE);
    r9test::Pump();
    ASSERT_EQ(Editor(), list); // opening the drop list keeps the edit going
    CListBox* drop = list->DropList();
    ASSERT_NE(drop, nullptr);
    // The drop list is a window of its own: put it where it opened, under the cell.
    const QImage dropImage = r9test::RenderToPng(drop->GetParent()->Widget(), "");
    CRect dropRect;
    drop->GetParent()->GetWindowRect(&dropRect);
    parent.ScreenToClient(&dropRect);
    QPainter painter(&image);
    painter.drawImage(QPoint(dropRect.left, dropRect.top), dropImage);
    painter.end();
    image.save(r9test::TestOutDir() + "/grid_option_list.png");
    list->ShowDropDown(FALSE);
    r9test::Pump();
    EXPECT_EQ(Editor(), list);
}

TEST_F(GridExtTest, TitleTipShowsALongTextOverItsCell) {
    grid.SetFocus();
    r9test::Pump();
    CTitleTip tip;
    ASSERT_TRUE(tip.Create(&grid));
    EXPECT_FALSE(tip.IsWindowVisible());
    CRect cell;
    grid.GetCellRect(2, 2, &cell);
    tip.Show(cell, "short");
    EXPECT_FALSE(tip.IsWindowVisible()); // fits its cell
    grid.SetItemText(2, 2, "A text far too long for its narrow cell");
    tip.Show(cell, grid.GetItemText(2, 2));
    ASSERT_TRUE(tip.IsWindowVisible());
    CRect rect;
    tip.GetWindowRect(&rect);
    grid.ClientToScreen(&cell);
    EXPECT_EQ(rect.left, cell.left);
    EXPECT_EQ(rect.top, cell.top);
    EXPECT_GT(rect.Width(), cell.Width());
    // The tip is a window of its own: put it over the grid where it shows.
    QImage image = r9test::RenderToPng(parent.Widget(), "");
    CRect tipRect = rect;
    parent.ScreenToClient(&tipRect);
    QPainter painter(&image);
    painter.drawImage(QPoint(tipRect.left, tipRect.top), r9test::RenderToPng(tip.Widget(), ""));
    painter.end();
    image.save(r9test::TestOutDir() + "/grid_title_tip.png");
    tip.Hide();
    EXPECT_FALSE(tip.IsWindowVisible());
}

} // namespace
