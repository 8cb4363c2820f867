// Opening the season overview for a generated season of 200 divisions (half
// 8, half 10 teams, about 16 000 games, 300 clubs): reading both tables,
// computing games and clashes, filling both models and showing the window.
// The budget is 200 ms; the yardstick is the season's computation alone
// from the same tables, measured in the same run.
#include "SeasonGenerator.h"

#include "data/Records.h"
#include "data/Store.h"
#include "season/ClubTable.h"
#include "ui/windows/Saisonuebersicht.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr double BudgetMs = 200.0;

struct TFilledStore {
    TStore Store;
    int Games = 0;
    TFilledStore() {
        const TGeneratedSeason season = GenerateSeason({});
        FillDivisionTable(Store.t_staffel(), season.Divisions);
        FillClubTable(Store.t_vereine(), season.Clubs);
        for (const TDivisionValues& division : season.Divisions)
            Games += static_cast<int>(GamesOfDivision(division, 0).size());
    }
};

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// The season from the same tables, as the overview computes it.
double YardstickMs(TStore& store) {
    constexpr int runs = 5;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) {
        const auto divisions = AllDivisions(store.t_staffel());
        const TSeason season(DivisionsOfYear(divisions, 2026),
                             TClubDirectory(ClubsFromTable(store.t_vereine()).Clubs));
        benchmark::DoNotOptimize(season.ClashCount());
    }
    return Milliseconds(std::chrono::steady_clock::now() - start) / runs;
}

void BM_OpenSeasonOverview(benchmark::State& state) {
    TFilledStore filled;
    const double yardstick = YardstickMs(filled.Store);
    std::chrono::steady_clock::duration open{};
    int opened = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto* overview = new TSaisonuebersicht(filled.Store);
        overview->ShowSeason(2026);
        overview->show();
        QApplication::processEvents();
        open += std::chrono::steady_clock::now() - start;
        ++opened;
        state.PauseTiming();
        delete overview;
        QApplication::processEvents();
        state.ResumeTiming();
    }
    const double openMs = Milliseconds(open) / opened;
    state.counters["games"] = filled.Games;
    state.counters["open_ms"] = openMs;
    state.counters["yardstick_ms"] = yardstick;
    state.counters["open/yardstick"] = openMs / yardstick;
    state.counters["open/budget"] = openMs / BudgetMs;
}
BENCHMARK(BM_OpenSeasonOverview)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A save of one changed division: the overview recomputes that division
// and refills its models.
void BM_OverviewFollowsOneDivision(benchmark::State& state) {
    TFilledStore filled;
    TSaisonuebersicht overview(filled.Store);
    overview.ShowSeason(2026);
    TRecordTable& table = filled.Store.t_staffel();
    table.MoveTo(17);
    const std::string team = table.Field("1A").AsText();
    bool renamed = false;
    for (auto _ : state) {
        table.Edit();
        table.Field("1A").SetAsText(renamed ? team : "Umbenannt 1");
        table.Post();
        renamed = !renamed;
        benchmark::DoNotOptimize(overview.Follow());
    }
}
BENCHMARK(BM_OverviewFollowsOneDivision)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
