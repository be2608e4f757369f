// Test support of the grid window: an owner that records the grid's WM_NOTIFY records and its
// WM_COMMAND messages, and the preset-shaped grid (7 x 2, one fixed row and column, column 1
// 262 px, not editable, single-row selection, grid lines RGB(51, 153, 255), every cell 0x8025,
// Arial 16).
#pragma once

#include "controls/ControlFixture.h"
#include "grid/GridCtrl.h"
#include "platform/ui/Font.h"
#include "support/ResetGlobals.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace gridtest {

constexpr UINT kGridId = 2724;

struct Notice {
    int code;
    int row;
    int col;
    bool operator==(const Notice&) const = default;
};

inline void PrintTo(const Notice& n, std::ostream* os) {
    *os << "{" << n.code << ", " << n.row << ", " << n.col << "}";
}

class GridOwner : public ctltest::RecordingParent {
public:
    GridOwner(int width, int height) : RecordingParent(RGB(27, 30, 36), width, height) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NOTIFY) {
            const auto* n = reinterpret_cast<const GridNotify*>(lParam);
            if (n->hdr.idFrom == kGridId)
                notices.push_back({static_cast<int>(n->hdr.code), n->iRow, n->iColumn});
        }
        return RecordingParent::WindowProc(message, wParam, lParam);
    }
    std::vector<Notice> notices;
};

inline const char* const kPresetNames[6] = {"Rock", "Pop Vocal",   "Jazz Club",
                                            "",     "Night Drive", "Bass Heavy"};

// Sets a grid up as the machine-preset dialog does.
inline void SetUpPresetGrid(CGridCtrl& grid, CFont& font) {
    font.CreateFont(16, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    grid.SetFont(&font);
    grid.SetEditable(FALSE);
    grid.SetRowResize(FALSE);
    grid.SetSingleRowSelection(TRUE);
    grid.SetGridColour(RGB(51, 153, 255));
    grid.SetRowCount(7);
    grid.SetColumnCount(2);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetColumnWidth(1, 262);
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 2; ++c)
            grid.SetItemFormat(r, c, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    grid.SetItemText(0, 0, "No.");
    grid.SetItemText(0, 1, "Name");
    for (int n = 1; n <= 6; ++n) {
        CString number;
        number.Format("%d", n);
        grid.SetItemText(n, 0, number);
        grid.SetItemText(n, 1, kPresetNames[n - 1]);
    }
    grid.ResetScrollBars();
}

class PresetGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        owner = std::make_unique<GridOwner>(400, 200);
        ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 10 + 372, 10 + 172),
                                owner.get(), kGridId));
        SetUpPresetGrid(grid, font);
        ctltest::Pump();
        owner->messages.clear();
        owner->notices.clear();
    }
    void TearDown() override {
        CMenu::SetTrackHook(nullptr);
        grid.DestroyWindow();
        owner.reset();
        r9test::ResetModelGlobals();
    }
    // Centre of a cell in client coordinates.
    CPoint At(int row, int col) {
        CRect rc;
        EXPECT_TRUE(grid.GetCellRect(row, col, &rc));
        return rc.CenterPoint();
    }
    QWidget* W() { return grid.Widget(); }
    void Click(int row, int col, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        const CPoint p = At(row, col);
        r9test::Press(W(), QPoint(p.x, p.y), mods);
        r9test::Release(W(), QPoint(p.x, p.y), mods);
    }
    void RightPress(int row, int col) {
        const CPoint p = At(row, col);
        r9test::Mouse(W(), QEvent::MouseButtonPress, QPoint(p.x, p.y), Qt::RightButton, Qt::RightButton);
        r9test::Mouse(W(), QEvent::MouseButtonRelease, QPoint(p.x, p.y), Qt::RightButton, Qt::NoButton);
    }
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) { r9test::Key(W(), key, mods); }
    bool Selected(int row, int col) { return grid.GetItemState(row, col) & GRIDSTATE_SELECTED; }
    // The selected cells, row by row.
    std::vector<GridCellId> SelectedCells() {
        std::vector<GridCellId> out;
        for (int r = 0; r < grid.GetRowCount(); ++r)
            for (int c = 0; c < grid.GetColumnCount(); ++c)
                if (Selected(r, c))
                    out.push_back({r, c});
        return out;
    }
    size_t Commands() {
        ctltest::Pump();
        return owner->Of(WM_COMMAND).size();
    }

    std::unique_ptr<GridOwner> owner;
    CGridCtrl grid;
    CFont font;
};

} // namespace gridtest
