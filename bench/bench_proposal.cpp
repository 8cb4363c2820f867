// Slot proposals on generated seasons whose clubs share their halls: the
// exact proposal for one division against a season of 200 divisions, and
// the whole-season improvement of a district of 30 divisions and 40 clubs.
// Yardsticks measured in the same run: trying every placement of the
// division (for one division), one exact proposal per division (for the
// season). Targets: 10 teams 1 s, 8 teams 50 ms, the district 10 s.
#include "SeasonGenerator.h"
#include "season/SeasonOptimizer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <time.h>

namespace {

using TClock = std::chrono::steady_clock;

double MillisecondsSince(TClock::time_point start) {
    return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

// The thread's processor time: on a shared machine the slowest wall-clock
// run mostly measures the scheduler.
double ThreadCpuMilliseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The generated season with its divisions on `dayGroups` sets of dates
// only, so that a club's teams in different divisions meet in its hall,
// and every division's teams in a random order.
std::vector<TDivisionValues> SharedHallDivisions(const TSeasonSpec& spec, int dayGroups) {
    TGeneratedSeason generated = GenerateSeason(spec);
    std::mt19937 random(spec.Seed);
    std::vector<TDivisionValues>& divisions = generated.Divisions;
    for (std::size_t d = 0; d < divisions.size(); ++d) {
        const std::size_t model = (divisions[d].TenTeams ? divisions.size() / 2 : 0) +
                                  d % static_cast<std::size_t>(dayGroups);
        divisions[d].Dates = divisions[model].Dates;
        std::vector<TSlotName> slots = SlotsUsedBy(LayoutOf(divisions[d]));
        std::vector<TSlotName> shuffled = slots;
        std::shuffle(shuffled.begin(), shuffled.end(), random);
        TPlacement placement = IdentityPlacement();
        for (std::size_t i = 0; i < slots.size(); ++i)
            placement[static_cast<int>(slots[i])] = shuffled[i];
        divisions[d].Teams = PlacedTeams(divisions[d], placement);
    }
    return divisions;
}

// The yardstick: every placement of the division, counted one by one.
int EveryPlacement(const TPlacementContext& context) {
    std::vector<int> order(context.Slots);
    int best = 1 << 30;
    do {
        TPlacement placement = IdentityPlacement();
        for (std::size_t i = 0; i < order.size(); ++i)
            placement[context.Slots[i]] = static_cast<TSlotName>(order[i]);
        best = std::min(best, PlacementClashCount(context, placement));
    } while (std::next_permutation(order.begin(), order.end()));
    return best;
}

// One division of the 200 against the rest: state.range(0) teams,
// state.range(1) sets of dates in the season. Each iteration proposes for
// the next division of that size; max_cpu_ms is the slowest.
void BM_ProposalOneDivision(benchmark::State& state) {
    const bool tenTeams = state.range(0) == 10;
    const int dayGroups = static_cast<int>(state.range(1));
    const TSeasonSpec spec{.Divisions = 200, .Clubs = 300, .Seed = 7};
    const TSeason season(SharedHallDivisions(spec, dayGroups), TClubDirectory());
    std::vector<int> candidates;
    for (int d = 0; d < season.DivisionCount(); ++d)
        if (season.Division(d).TenTeams == tenTeams)
            candidates.push_back(d);

    std::size_t next = 0;
    double slowest = 0;
    std::int64_t nodes = 0, gained = 0;
    for (auto _ : state) {
        const int division = candidates[next++ % candidates.size()];
        const double start = ThreadCpuMilliseconds();
        const TSlotProposal proposal = ProposeSlots(MakeProposalInput(season, division));
        slowest = std::max(slowest, ThreadCpuMilliseconds() - start);
        nodes += proposal.Nodes;
        gained += proposal.ClashesBefore - proposal.ClashesAfter;
        benchmark::DoNotOptimize(proposal);
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["max_cpu_ms"] = slowest;
    state.counters["nodes"] = static_cast<double>(nodes) / iterations;
    state.counters["clashes_gained"] = static_cast<double>(gained) / iterations;
    state.counters["season_clashes"] = season.ClashCount();
    state.counters["target_ms"] = tenTeams ? 1000 : 50;
    state.counters["max/target"] = slowest / state.counters["target_ms"];

    // The yardstick, once, on the first division measured.
    const TPlacementContext context = MakePlacementContext(season, candidates[0]);
    const TClock::time_point start = TClock::now();
    const int everyBest = EveryPlacement(context);
    const double every = MillisecondsSince(start);
    const TClock::time_point searchStart = TClock::now();
    const int searchBest = SearchPlacement(context, {}).Clashes;
    const double search = MillisecondsSince(searchStart);
    if (everyBest != searchBest)
        state.SkipWithError("The proposal misses the best placement.");
    state.counters["every_placement_ms"] = every;
    state.counters["every_placement/proposal"] = every / std::max(search, 1e-6);
}
BENCHMARK(BM_ProposalOneDivision)
    ->ArgNames({"teams", "date_sets"})
    ->Args({10, 1})
    ->Args({10, 2})
    ->Args({10, 14})
    ->Args({8, 1})
    ->Args({8, 2})
    ->Args({8, 14})
    ->Unit(benchmark::kMillisecond);

// The district: 30 divisions, 40 clubs, state.range(0) sets of dates,
// every division scrambled.
void BM_ImproveDistrictSeason(benchmark::State& state) {
    const TSeasonSpec spec{.Divisions = 30, .Clubs = 40, .Seed = 3};
    const TSeason season(SharedHallDivisions(spec, static_cast<int>(state.range(0))),
                         TClubDirectory());
    TSeasonOptimization result;
    double optimizing = 0;
    for (auto _ : state) {
        const TClock::time_point start = TClock::now();
        result = OptimizeSeason(season);
        optimizing = MillisecondsSince(start);
        benchmark::DoNotOptimize(result);
    }
    state.counters["clashes_before"] = result.ClashesBefore;
    state.counters["clashes_after"] = result.ClashesAfter;
    state.counters["passes"] = result.Passes;
    state.counters["divisions_moved"] = static_cast<double>(result.Divisions.size());
    state.counters["target_ms"] = 10000;

    // The yardstick: one exact proposal per division, from the start.
    const TClock::time_point start = TClock::now();
    for (int d = 0; d < season.DivisionCount(); ++d)
        benchmark::DoNotOptimize(ProposeSlots(MakeProposalInput(season, d)));
    const double onePass = MillisecondsSince(start);
    state.counters["one_pass_ms"] = onePass;
    state.counters["whole/one_pass"] = optimizing / std::max(onePass, 1e-6);
    std::printf("district, %d date sets: clashes before %d, after %d, %d passes\n",
                static_cast<int>(state.range(0)), result.ClashesBefore, result.ClashesAfter,
                result.Passes);
}
BENCHMARK(BM_ImproveDistrictSeason)
    ->ArgName("date_sets")
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

BENCHMARK_MAIN();
