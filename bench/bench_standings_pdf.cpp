// Workload: the generated season of 200 divisions (100 of 8, 100 of 10
// teams), every tie played and every tenth moved; all 200 tables as one PDF
// through the menu's routine. Budget: 2 s. Yardstick in the same run: one
// PDF of 200 pages with a single line each, what any such document costs.
#include "CpuTimeMeasure.h"
#include "QtBenchMain.h"
#include "SeasonGenerator.h"
#include "report/qt/PdfExportAll.h"
#include "ui/exports/StandingsExports.h"

#include <benchmark/benchmark.h>

namespace {

const TSeason& Season() {
    static const TSeason season = [] {
        TGeneratedSeason generated = GenerateSeason({});
        std::vector<TTieRecord> ties = PlayedTies(generated, 10);
        return TSeason(std::move(generated.Divisions), TClubDirectory(std::move(generated.Clubs)),
                       std::move(ties));
    }();
    return season;
}

double OneLinePagesMs(int pages) {
    TReportPage page;
    TPageItem line;
    line.Text = "Tabelle";
    line.Width = 3;
    page.Items.push_back(line);
    std::vector<TReportPages> sets(pages);
    for (TReportPages& set : sets)
        set.Pages.push_back(page);
    return MeasureMs([&] { benchmark::DoNotOptimize(PdfOfPageSets(sets, "Yardstick")); }, 2);
}

void BM_AllTablesPdf(benchmark::State& state) {
    const TSeason& season = Season();
    const auto work = [&] {
        benchmark::DoNotOptimize(AllStandingsPdf(season, TRegionalSettings::German(), 47000));
    };
    for (auto _ : state)
        work();
    Report(state, MeasureMs(work, 2), 2000, OneLinePagesMs(season.DivisionCount()));
    state.counters["pages"] = season.DivisionCount();
    state.SetLabel("200 tables as one PDF");
}
BENCHMARK(BM_AllTablesPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
