// Copy, cut and paste through the grid window and the desktop clipboard; drops refused while drag
// and drop is off.
#include "GridExtFixture.h"

#include "platform/ui/Clipboard.h"
#include "platform/ui/OleDropTarget.h"

#include <QDragEnterEvent>
#include <QMimeData>

using namespace gridext;

namespace {

TEST_F(GridExtTest, CopyPutsTheSelectionOnTheClipboard) {
    grid.SetItemText(2, 2, "");
    grid.SetSelectedRange(1, 1, 2, 2);
    grid.SetItemState(1, 2, grid.GetItemState(1, 2) & ~GRIDSTATE_SELECTED);
    CClipboard::SetText("old");
    grid.OnEditCopy();
    EXPECT_EQ(CClipboard::GetText(), CString("1,1\t\n2,1\t "));

    // Ctrl+A, Ctrl+C from the keyboard on a grid that is not editable.
    grid.SetEditable(FALSE);
    grid.SetFocusCellAt(1, 1);
    grid.SetFocus();
    CtrlKey(grid.Widget(), Qt::Key_A);
    CtrlKey(grid.Widget(), Qt::Key_C);
    const CString all = CClipboard::GetText();
    EXPECT_EQ(all.Left(16), CString("1,1\t1,2\t1,3\n2,1\t")); // the non-fixed cells
    EXPECT_NE(all.Find("5,3"), -1);
}

TEST_F(GridExtTest, PasteSpreadsTokensFromTheAnchorAndSkipsReadOnlyCells) {
    grid.SetItemState(3, 2, GRIDSTATE_READONLY);
    EXPECT_TRUE(grid.PasteText(2, 1, "x, y ,\t w\nz,q\r\n\n"));
    EXPECT_EQ(grid.GetItemText(2, 1), "x");
    EXPECT_EQ(grid.GetItemText(2, 2), "y");
    EXPECT_EQ(grid.GetItemText(2, 3), "w");
    EXPECT_EQ(grid.GetItemText(3, 1), "z");
    EXPECT_EQ(grid.GetItemText(3, 2), "3,2"); // read-only
    EXPECT_EQ(grid.GetItemText(4, 1), "");    // an empty line empties its first cell
    EXPECT_EQ(grid.GetItemText(4, 2), "4,2");
    EXPECT_TRUE(grid.GetModified());
    EXPECT_EQ(parent.Codes(GRIDN_BEGIN_EDIT).size(), 5u);
    EXPECT_EQ(parent.Codes(GRIDN_END_EDIT), (std::vector<Note>{{GRIDN_END_EDIT, 2, 1},
                                                               {GRIDN_END_EDIT, 2, 2},
                                                               {GRIDN_END_EDIT, 2, 3},
                                                               {GRIDN_END_EDIT, 3, 1},
                                                               {GRIDN_END_EDIT, 4, 1}}));
    // Cells beyond the grid are skipped; a read-only anchor refuses the whole paste.
    EXPECT_TRUE(grid.PasteText(5, 3, "a,b,c\nd"));
    EXPECT_EQ(grid.GetItemText(5, 3), "a");
    EXPECT_FALSE(grid.PasteText(3, 2, "v"));

    // Ctrl+V pastes the clipboard at the focus cell.
    CClipboard::SetText("k\tl");
    grid.SetFocusCellAt(1, 1);
    grid.SetFocus();
    EXPECT_TRUE(grid.OnUpdateEditPaste());
    CtrlKey(grid.Widget(), Qt::Key_V);
    EXPECT_EQ(grid.GetItemText(1, 1), "k");
    EXPECT_EQ(grid.GetItemText(1, 2), "l");

    grid.SetEditable(FALSE);
    EXPECT_FALSE(grid.PasteText(1, 1, "v"));
    CClipboard::SetText("v");
    grid.SetFocusCellAt(1, 1);
    grid.OnEditPaste();
    EXPECT_EQ(grid.GetItemText(1, 1), "k"); // a grid that is not editable takes no paste
    EXPECT_FALSE(grid.OnUpdateEditPaste());
}

TEST_F(GridExtTest, CutClearsOnlyEditableSelectedCells) {
    grid.SetItemState(1, 2, GRIDSTATE_READONLY);
    grid.SetSelectedRange(1, 1, 1, 2);
    EXPECT_TRUE(grid.OnUpdateEditCut());
    grid.OnEditCut();
    EXPECT_EQ(CClipboard::GetText(), CString("1,1\t1,2"));
    EXPECT_EQ(grid.GetItemText(1, 1), "");
    EXPECT_EQ(grid.GetItemText(1, 2), "1,2");
    EXPECT_EQ(parent.Codes(GRIDN_END_EDIT), (std::vector<Note>{{GRIDN_END_EDIT, 1, 1}}));

    grid.SetEditable(FALSE);
    grid.SetSelectedRange(2, 1, 2, 1);
    EXPECT_FALSE(grid.OnUpdateEditCut());
    grid.OnEditCut();
    EXPECT_EQ(grid.GetItemText(2, 1), "2,1");
}

TEST_F(GridExtTest, DropsAreRefusedWhileDragAndDropIsOff) {
    const CString text("x,y");
    const QPoint at = CellPoint(2, 2);
    EXPECT_EQ(grid.OnDragEnter(&text, 0, CPoint(at.x(), at.y())), DROPEFFECT_NONE);

    QMimeData data;
    data.setText("dropped");
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid.Widget(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid.Widget(), &drop);
    EXPECT_EQ(grid.GetItemText(2, 2), "2,2");
}

TEST_F(GridExtTest, DropsPasteAtTheHighlightedCellWithDragAndDropOn) {
    grid.EnableDragAndDrop(TRUE);
    const QPoint at = CellPoint(2, 2);
    QMimeData data;
    data.setText("p,q");
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(grid.Widget(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    EXPECT_TRUE(grid.GetItemState(2, 2) & GRIDSTATE_DROPHILITED);
    // Over a fixed cell the highlight goes and the drop is refused.
    const CString text("p,q");
    const QPoint fixed = CellPoint(0, 2);
    EXPECT_EQ(grid.OnDragOver(&text, 0, CPoint(fixed.x(), fixed.y())), DROPEFFECT_NONE);
    EXPECT_FALSE(grid.GetItemState(2, 2) & GRIDSTATE_DROPHILITED);
    EXPECT_EQ(grid.OnDragOver(&text, 0, CPoint(at.x(), at.y())), DROPEFFECT_MOVE);
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid.Widget(), &drop);
    EXPECT_EQ(grid.GetItemText(2, 2), "p");
    EXPECT_EQ(grid.GetItemText(2, 3), "q");
    EXPECT_FALSE(grid.GetItemState(2, 2) & GRIDSTATE_DROPHILITED);
}

} // namespace
