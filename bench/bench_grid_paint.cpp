// The cell grid: a full repaint of a 1000 x 20 grid scrolled to its middle (fixed cells, normal
// cells, a selection and grid lines into the off-screen buffer, copied once).
#include "grid/GridCtrl.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Font.h"
#include "platform/ui/ScrollBar.h"
#include "support/UiApplication.h"

#include <benchmark/benchmark.h>

namespace {

struct GridBench {
    GridBench() {
        owner.CreateEx(0, "", "bench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1280, 720), nullptr, 0);
        grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 1280, 720), &owner, 2724);
        font.CreateFont(16, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
        grid.SetFont(&font);
        grid.SetRowCount(1000);
        grid.SetColumnCount(20);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        for (int r = 0; r < 1000; ++r)
            for (int c = 0; c < 20; ++c) {
                CString text;
                if (r == 0)
                    text.Format("Column %d", c);
                else
                    text.Format(c == 0 ? "%d" : "Cell %d.%d", r, c);
                grid.SetItemText(r, c, text);
                grid.SetItemFormat(r, c, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
            }
        for (int c = 0; c < 20; ++c)
            grid.SetColumnWidth(c, 90);
        grid.ResetScrollBars();
        grid.SetFocusCellAt(500, 5);
        grid.SetSelectedRange(500, 1, 505, 19);
        grid.SendMessage(WM_VSCROLL, SB_THUMBPOSITION); // track position 0: a first settle
        grid.SetScrollPos32(SB_VERT, grid.GetVScrollMax() / 2);
        grid.SetScrollPos32(SB_HORZ, grid.GetHScrollMax() / 2);
        r9test::UiApplication::ProcessEvents();
    }
    ~GridBench() {
        grid.DestroyWindow();
        owner.DestroyWindow();
    }
    CWnd owner;
    CGridCtrl grid;
    CFont font;
};

void BM_GridRepaintScrolledToTheMiddle(benchmark::State& state) {
    GridBench b;
    const int top = b.grid.GetTopLeftNonFixedCell().row;
    for (auto _ : state) {
        b.grid.Invalidate(FALSE);
        b.grid.UpdateWindow();
    }
    if (top < 400 || top > 600)
        state.SkipWithError("the grid is not scrolled to its middle");
}
// The grid's own drawing alone (the seven steps into an off-screen bitmap of the window's size),
// without the toolkit's paint event and backing store flush.
void BM_GridDrawScrolledToTheMiddle(benchmark::State& state) {
    GridBench b;
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 1280, 720);
    CBitmap* old = dc.SelectObject(&bitmap);
    for (auto _ : state)
        b.grid.OnDraw(&dc);
    dc.SelectObject(old);
}
BENCHMARK(BM_GridDrawScrolledToTheMiddle)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

BENCHMARK(BM_GridRepaintScrolledToTheMiddle)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    r9test::UiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
