// The main view's language switch (every button re-skinned, lists, menus, the view repainted with
// its children) and a page switch to the painted page; medians over repetitions.
#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "model/LinkDocument.h"
#include "platform/ui/WinUser.h"
#include "shell/TRV410View.h"
#include "support/UiApplication.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// One created, shown view for every benchmark of the program.
struct ViewUnderTest {
    ViewUnderTest() {
        doc.InitLinkTable();
        SetLinkDocument(&doc);
        view.CreateView();
        view.CreatePages();
        view.ToggleLanguage(FALSE);
        view.ShowSubPage(g_nCurPage, FALSE);
        view.ShowWindow(SW_SHOW);
        view.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        r9test::UiApplication::ProcessEvents();
    }
    ~ViewUnderTest() { SetLinkDocument(nullptr); }
    CKTV_Data doc;
    CTRV410View view;
};

// Made at the first benchmark that needs it and destroyed before the application object.
std::unique_ptr<ViewUnderTest> g_view;

ViewUnderTest& View() {
    if (!g_view)
        g_view = std::make_unique<ViewUnderTest>();
    return *g_view;
}

void BM_LanguageSwitch(benchmark::State& state) {
    CTRV410View& view = View().view;
    for (auto _ : state) {
        view.ToggleLanguage(TRUE);
        view.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    if (g_bChinese.load())
        view.ToggleLanguage(TRUE);
}
BENCHMARK(BM_LanguageSwitch)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

void BM_ShowSubPage(benchmark::State& state) {
    CTRV410View& view = View().view;
    int page = PAGE_OUTPUT;
    for (auto _ : state) {
        page = page == PAGE_OUTPUT ? PAGE_LEVEL : page == PAGE_LEVEL ? PAGE_INPUT : PAGE_OUTPUT;
        view.ShowSubPage(page, TRUE);
        if (CWnd* shown = view.PageWindow(page))
            shown->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    view.ShowSubPage(PAGE_OUTPUT, TRUE);
}
BENCHMARK(BM_ShowSubPage)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(60)
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
    g_view.reset();
    return 0;
}
