// Workload: a generated season of 200 divisions (100 of 8, 100 of 10 teams,
// 14 600 games), 300 clubs with up to 14 teams each, 10 planted clashes of
// each kind. Budgets: all games and clashes from the tables 20 ms, after one
// changed division 2 ms, one club's plan as PDF 100 ms. Each benchmark prints
// its time against its budget and against a yardstick measured in the same
// run: for the whole season one pass that sorts every game by date and time,
// for one changed division the whole season computed anew.
#include "CpuTimeMeasure.h"
#include "QtBenchMain.h"
#include "SeasonGenerator.h"
#include "report/qt/PdfExport.h"
#include "report/qt/QtTextMeasure.h"
#include "season/ClubPlanPages.h"
#include "season/ClubTable.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>

namespace {

const TGeneratedSeason& Generated() {
    static const TGeneratedSeason generated = [] {
        TSeasonSpec spec;
        spec.HallClashes = 10;
        spec.BlockedClashes = 10;
        spec.DoubleEntries = 10;
        return GenerateSeason(spec);
    }();
    return generated;
}

// The generated season as the program holds it: two record tables.
struct TTables {
    TRecordTable Staffel{"t_staffel"};
    TRecordTable Vereine{"t_vereine"};
};

std::unique_ptr<TTables> MakeTables() {
    auto tables = std::make_unique<TTables>();
    FillDivisionTable(tables->Staffel, Generated().Divisions);
    FillClubTable(tables->Vereine, Generated().Clubs);
    return tables;
}

std::unique_ptr<TSeason> SeasonFromTables(TTables& tables) {
    return std::make_unique<TSeason>(AllDivisions(tables.Staffel),
                                     TClubDirectory(ClubsFromTable(tables.Vereine).Clubs));
}

// One pass that any clash check must at least make: every game, sorted by
// date and game time.
void SortAllGames(const std::vector<TDivisionValues>& divisions) {
    std::vector<std::uint64_t> keys;
    keys.reserve(16000);
    for (const TDivisionValues& division : divisions)
        for (const TGame& game : GamesOf(LayoutOf(division)))
            if (const auto date = division.Date(game.Day))
                keys.push_back((static_cast<std::uint64_t>(*date) << 8) | (game.Game << 4) |
                               static_cast<unsigned>(game.Home));
    std::sort(keys.begin(), keys.end());
    benchmark::DoNotOptimize(keys.data());
}

void BM_SeasonFromTables(benchmark::State& state) {
    auto tables = MakeTables();
    std::size_t clashes = 0;
    const auto work = [&] {
        auto season = SeasonFromTables(*tables);
        clashes = season->Clashes().size();
        benchmark::DoNotOptimize(season->HomeGamesPerDate());
    };
    for (auto _ : state)
        work();
    const std::vector<TDivisionValues> divisions = AllDivisions(tables->Staffel);
    Report(state, MeasureMs(work), 20, MeasureMs([&] { SortAllGames(divisions); }));
    state.counters["clashes"] = static_cast<double>(clashes);
    state.SetLabel("200 divisions, games, clubs, clashes, home games per date");
}
BENCHMARK(BM_SeasonFromTables)->Unit(benchmark::kMillisecond);

// The same without reading the tables: what the season computation itself costs.
void BM_SeasonFromValues(benchmark::State& state) {
    const TGeneratedSeason& generated = Generated();
    const auto work = [&] {
        TSeason season(generated.Divisions, TClubDirectory(generated.Clubs));
        benchmark::DoNotOptimize(season.Clashes());
        benchmark::DoNotOptimize(season.HomeGamesPerDate());
    };
    for (auto _ : state)
        work();
    Report(state, MeasureMs(work), 20, MeasureMs([&] { SortAllGames(generated.Divisions); }));
    state.SetLabel("200 divisions from plain values");
}
BENCHMARK(BM_SeasonFromValues)->Unit(benchmark::kMillisecond);

void BM_SeasonOneDivisionChanged(benchmark::State& state) {
    auto tables = MakeTables();
    auto season = SeasonFromTables(*tables);
    // Two teams of one division swap slots, and back: a real change each time.
    int next = 0;
    const auto work = [&] {
        const int d = next++ % season->DivisionCount();
        TDivisionValues division = season->Division(d);
        std::swap(division.Teams[0], division.Teams[3]);
        season->ReplaceDivision(d, std::move(division));
        benchmark::DoNotOptimize(season->ClashCount());
        benchmark::DoNotOptimize(season->Clashes());
    };
    for (auto _ : state)
        work();
    Report(state, MeasureMs(work, 200), 2,
           MeasureMs([&] { benchmark::DoNotOptimize(SeasonFromTables(*tables)->Clashes()); }));
    state.SetLabel("replace one division, clash count and clash list");
}
BENCHMARK(BM_SeasonOneDivisionChanged)->Unit(benchmark::kMicrosecond);

void BM_ClubPlanPdf(benchmark::State& state) {
    auto tables = MakeTables();
    auto season = SeasonFromTables(*tables);
    // The club with the most teams.
    std::vector<int> teams(season->Clubs().ClubCount());
    for (int d = 0; d < season->DivisionCount(); ++d)
        for (TClubId club : season->SlotClubs(d))
            if (club != NoClub)
                ++teams[club];
    const TClubId club =
        static_cast<TClubId>(std::max_element(teams.begin(), teams.end()) - teams.begin());
    TQtTextMeasure measure;
    QTemporaryDir dir;
    const QString file = dir.filePath("plan.pdf");
    const auto work = [&] {
        const TClubPlan plan = MakeClubPlan(*season, club);
        ExportPdf(MakeClubPlanPages(*season, plan, TRegionalSettings::German(), 47000, measure),
                  file);
    };
    for (auto _ : state)
        work();
    Report(state, MeasureMs(work, 5), 100, MeasureMs([&] { MakeClubPlan(*season, club); }, 5));
    state.counters["teams"] = teams[club];
    state.SetLabel("the club with the most teams, plan to PDF");
}
BENCHMARK(BM_ClubPlanPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
