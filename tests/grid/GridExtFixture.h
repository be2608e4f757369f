// A grid in a top-level test window that records the grid's notifications (code, row, column).
#pragma once

#include "grid/ComboGridCtrl.h"
#include "grid/GridTypes.h"
#include "platform/ui/Font.h"
#include "support/LogWnd.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

#include <vector>

namespace gridext {

struct Note {
    int code;
    int row;
    int col;
    bool operator==(const Note&) const = default;
};

class NotifyWnd : public r9test::LogWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NOTIFY && lParam) {
            const auto* n = reinterpret_cast<const GridNotify*>(lParam);
            notes.push_back({static_cast<int>(n->hdr.code), n->iRow, n->iColumn});
        }
        return LogWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<Note> Codes(int code) const {
        std::vector<Note> out;
        for (const Note& n : notes)
            if (n.code == code)
                out.push_back(n);
        return out;
    }
    std::vector<Note> notes;
};

constexpr UINT kGridId = 2724;

// A 6 x 4 editable grid with one fixed row and column, 100 x 24 px cells, texts "r,c".
class GridExtTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.CreateTop(520, 260));
        ASSERT_TRUE(
            grid.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 510, 250), &parent, kGridId));
        font.CreatePointFont(100, "Arial");
        grid.SetFont(&font);
        Shape(grid, 6, 4);
        r9test::Pump();
        parent.notes.clear();
    }
    static void Shape(CGridCtrl& g, int rows, int cols) {
        g.SetRowCount(rows);
        g.SetColumnCount(cols);
        g.SetFixedRowCount(1);
        g.SetFixedColumnCount(1);
        for (int r = 0; r < rows; ++r) {
            g.SetRowHeight(r, 24);
            for (int c = 0; c < cols; ++c) {
                CString t;
                t.Format("%d,%d", r, c);
                g.SetItemText(r, c, t);
            }
        }
        for (int c = 0; c < cols; ++c)
            g.SetColumnWidth(c, 100);
        g.ResetScrollBars();
    }
    // Centre of a cell in grid client coordinates.
    QPoint CellPoint(int row, int col) {
        CRect rc;
        grid.GetCellRect(row, col, &rc);
        return QPoint(rc.CenterPoint().x, rc.CenterPoint().y);
    }
    CWnd* Editor() { return grid.GetDlgItem(GRID_EDITOR_ID); }
    // A key with Ctrl held the way a user holds it: Ctrl goes down first.
    static void CtrlKey(QWidget* w, int key) {
        r9test::KeyDown(w, Qt::Key_Control, Qt::ControlModifier);
        r9test::Key(w, key, Qt::ControlModifier);
        r9test::KeyUp(w, Qt::Key_Control);
    }

    NotifyWnd parent;
    CComboGridCtrl grid;
    CFont font;
};

} // namespace gridext
