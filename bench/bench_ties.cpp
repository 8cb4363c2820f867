// Workload: the generated season of 200 divisions (100 of 8, 100 of 10
// teams, 14 600 ties), every tie played and every tenth moved, 300 clubs.
// Budgets: all 200 tables 5 ms; one result saved to the tie table, then the
// season followed, its table, clash list and the overview's lists 10 ms;
// the tie file read from disk and the season built with it 100 ms. Each
// prints its ratio to a yardstick measured in the same run: for the tables
// one pass that scores every record, for the result the season's clash
// list alone, for the load the season built without its ties.
#include "CpuTimeMeasure.h"
#include "SeasonGenerator.h"

#include "data/Dates.h"
#include "season/SeasonFollower.h"
#include "season/Standings.h"
#include "season/TieLists.h"
#include "season/TieRules.h"
#include "season/TieTable.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <unistd.h>

namespace {

struct TPlayedSeason {
    TGeneratedSeason Generated = GenerateSeason({});
    std::vector<TTieRecord> Ties = PlayedTies(Generated, 10);
};

const TPlayedSeason& Played() {
    static const TPlayedSeason played;
    return played;
}

TSeason MakeSeason() {
    const TPlayedSeason& played = Played();
    return TSeason(played.Generated.Divisions, TClubDirectory(played.Generated.Clubs), played.Ties);
}

void BM_AllTables(benchmark::State& state) {
    const TSeason season = MakeSeason();
    const auto work = [&] {
        for (int d = 0; d < season.DivisionCount(); ++d)
            benchmark::DoNotOptimize(MakeStandings(season, d));
    };
    for (auto _ : state)
        work();
    Report(state, MeasureMs(work), 5, MeasureMs([&] {
               int matches = 0;
               for (const TTieRecord& tie : Played().Ties)
                   if (const auto counted = CountedScore(tie))
                       matches += counted->Spiele[0];
               benchmark::DoNotOptimize(matches);
           }));
    state.counters["ties"] = static_cast<double>(Played().Ties.size());
    state.SetLabel("200 tables from the season's records");
}
BENCHMARK(BM_AllTables)->Unit(benchmark::kMillisecond);

void BM_OneResultTableAndOverview(benchmark::State& state) {
    const TPlayedSeason& played = Played();
    TRecordTable ties("t_begegnungen");
    FillTieTable(ties, played.Ties);
    TSeasonFollower follower;
    follower.Follow(played.Generated.Divisions, played.Generated.Clubs, 2026,
                    TRegionalSettings::German(), played.Ties);
    TTieRecord record = played.Ties[4321];
    const int division = follower.Season()->FindDivision(record.Jahr, record.Klasse);
    int next = 0;
    const auto work = [&] {
        // Another valid result each time: 5:3 or 3:5.
        const bool homeWins = next++ % 2 == 0;
        record.Result = {{homeWins ? 5 : 3, homeWins ? 3 : 5},
                         {homeWins ? 10 : 6, homeWins ? 6 : 10},
                         {300, 280}};
        PutTieRecord(ties, record);
        follower.PutTie(record);
        const TSeason& season = *follower.Season();
        benchmark::DoNotOptimize(MakeStandings(season, division));
        benchmark::DoNotOptimize(season.Clashes());
        benchmark::DoNotOptimize(MovedTies(season));
        benchmark::DoNotOptimize(TiesWithoutResult(season, 47000));
    };
    for (auto _ : state)
        work();
    Report(state, MeasureMs(work), 10,
           MeasureMs([&] { benchmark::DoNotOptimize(follower.Season()->Clashes()); }));
    state.SetLabel("post one result, follow, its table, clashes, lists");
}
BENCHMARK(BM_OneResultTableAndOverview)->Unit(benchmark::kMillisecond);

void BM_SeasonWithTieFileLoaded(benchmark::State& state) {
    const TPlayedSeason& played = Played();
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("staffel-bench-ties-" + std::to_string(::getpid()) + ".xml");
    {
        TRecordTable ties("t_begegnungen");
        FillTieTable(ties, played.Ties);
        ties.Save(file.string());
    }
    const auto work = [&] {
        TRecordTable ties("t_begegnungen");
        ties.Load(file.string());
        TSeason season(played.Generated.Divisions, TClubDirectory(played.Generated.Clubs),
                       TiesFromTable(ties).Ties);
        benchmark::DoNotOptimize(season.ClashCount());
    };
    for (auto _ : state)
        work();
    Report(state, MeasureMs(work, 5), 100,
           MeasureMs(
               [&] {
                   TSeason season(played.Generated.Divisions,
                                  TClubDirectory(played.Generated.Clubs));
                   benchmark::DoNotOptimize(season.ClashCount());
               },
               5));
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(file));
    std::filesystem::remove(file);
    state.SetLabel("read Begegnungen.xml, records, season with ties");
}
BENCHMARK(BM_SeasonWithTieFileLoaded)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
