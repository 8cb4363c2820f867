// Match days proposed for a season of 300 clubs with ten blocked dates each,
// against trying every set of the same candidates (the yardstick, measured
// once in the same run); and one year's school holidays of all 16 states
// read from iCalendar, against libical's bare parse of the same bytes.
// Targets: proposal 50 ms, import 20 ms.
#include "season/ICalHolidays.h"
#include "season/MatchDayProposal.h"

#include <benchmark/benchmark.h>
#include <libical/ical.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

namespace {

using TClock = std::chrono::steady_clock;

double MillisecondsSince(TClock::time_point start) {
    return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

TDaySerial Date(unsigned day, unsigned month, int year) {
    return *DayFromCivil(year, month, day);
}

std::vector<TClubValues> Clubs(int count, TDaySerial from, TDaySerial to) {
    std::mt19937 random(24);
    std::vector<TClubValues> clubs;
    for (int c = 0; c < count; ++c) {
        TClubValues club{"Verein " + std::to_string(c), 1, {}};
        for (int b = 0; b < 10; ++b)
            club.Blocked.push_back(from + static_cast<TDaySerial>(random() % (to - from + 1)));
        std::sort(club.Blocked.begin(), club.Blocked.end());
        club.Blocked.erase(std::unique(club.Blocked.begin(), club.Blocked.end()),
                           club.Blocked.end());
        clubs.push_back(std::move(club));
    }
    return clubs;
}

const TDaysOff& LowerSaxony() {
    static const TDaysOff daysOff(TGermanState::NI,
                                  {{Date(13, 10, 2025), Date(25, 10, 2025), "Herbstferien", ""},
                                   {Date(22, 12, 2025), Date(5, 1, 2026), "Weihnachtsferien", ""},
                                   {Date(2, 2, 2026), Date(3, 2, 2026), "Winterferien", ""},
                                   {Date(23, 3, 2026), Date(7, 4, 2026), "Osterferien", ""}});
    return daysOff;
}

// The yardstick: every set of count candidates in turn, the best by the same order.
std::tuple<int, int, int> EverySet(const std::vector<TDaySerial>& days,
                                   const std::vector<int>& cost, int count, int firstHalf,
                                   TDaySerial halfEnd, int minGap) {
    const int n = static_cast<int>(days.size());
    std::vector<bool> chosen(n, false);
    std::fill(chosen.begin(), chosen.begin() + count, true);
    std::tuple<int, int, int> best{1 << 30, 0, 0};
    std::vector<int> picked;
    do {
        picked.clear();
        for (int i = 0; i < n; ++i)
            if (chosen[i])
                picked.push_back(i);
        int blocked = 0, smallest = 1 << 30, times = 0;
        bool valid = true;
        for (int k = 0; k < count && valid; ++k) {
            valid = (k < firstHalf) == (days[picked[k]] <= halfEnd);
            blocked += cost[picked[k]];
            if (k == 0)
                continue;
            const int gap = days[picked[k]] - days[picked[k - 1]];
            valid = valid && gap >= minGap;
            if (gap < smallest)
                smallest = gap, times = 1;
            else if (gap == smallest)
                ++times;
        }
        if (valid)
            best = std::min(best, std::tuple<int, int, int>{blocked, -smallest, times});
    } while (std::prev_permutation(chosen.begin(), chosen.end()));
    return best;
}

void BM_MatchDayProposal(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TMatchDayInputs inputs = DefaultMatchDayInputs(2025, count);
    const std::vector<TClubValues> clubs = Clubs(300, inputs.Earliest, inputs.Latest);
    double slowest = 0, total = 0;
    TMatchDayProposal proposal;
    for (auto _ : state) {
        const TClock::time_point start = TClock::now();
        proposal = ProposeMatchDays(inputs, LowerSaxony(), clubs);
        const double took = MillisecondsSince(start);
        slowest = std::max(slowest, took);
        total += took;
        benchmark::DoNotOptimize(proposal);
    }
    if (proposal.Dates.empty()) {
        state.SkipWithError("no proposal");
        return;
    }
    // The same candidates and costs, every set tried once.
    std::vector<TDaySerial> days;
    std::vector<int> cost;
    for (TDaySerial day = inputs.Earliest; day <= inputs.Latest; ++day) {
        if (WeekdayOf(day) != inputs.Weekday ||
            std::any_of(proposal.RuledOut.begin(), proposal.RuledOut.end(),
                        [day](const TRuledOutDay& out) { return out.Day == day; }))
            continue;
        days.push_back(day);
        int blocked = 0;
        for (const TClubValues& club : clubs)
            blocked += std::binary_search(club.Blocked.begin(), club.Blocked.end(), day);
        cost.push_back(blocked);
    }
    const TClock::time_point start = TClock::now();
    const auto every = EverySet(days, cost, count, count == 10 ? 5 : 4, inputs.FirstHalfEnd, 14);
    const double everyMs = MillisecondsSince(start);
    if (every != std::tuple<int, int, int>{proposal.BlockedClubDays, -proposal.SmallestGapDays,
                                           proposal.SmallestGapCount})
        state.SkipWithError("The proposal misses the best set.");
    const double mean = total / static_cast<double>(state.iterations());
    state.counters["candidates"] = static_cast<double>(days.size());
    state.counters["max_ms"] = slowest;
    state.counters["target_ms"] = 50;
    state.counters["max/target"] = slowest / 50;
    state.counters["every_set_ms"] = everyMs;
    state.counters["every_set/proposal"] = everyMs / std::max(mean, 1e-6);
}
BENCHMARK(BM_MatchDayProposal)->ArgName("days")->Arg(8)->Arg(10)->Unit(benchmark::kMillisecond);

// Six holidays a state, as the holiday sites publish a year: 96 events.
std::string AllStatesFile() {
    std::string file = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//DE\r\n";
    const char* names[] = {"Herbstferien", "Weihnachtsferien", "Winterferien",
                           "Osterferien",  "Pfingstferien",    "Sommerferien"};
    const TDaySerial starts[] = {Date(13, 10, 2025), Date(22, 12, 2025), Date(2, 2, 2026),
                                 Date(23, 3, 2026),  Date(26, 5, 2026),  Date(2, 7, 2026)};
    const int lengths[] = {13, 15, 2, 16, 1, 44};
    for (int s = 0; s < GermanStateCount; ++s)
        for (int h = 0; h < 6; ++h) {
            const auto dateText = [](TDaySerial day) {
                const TCivilDate d = CivilOfSerial(day);
                char text[16];
                std::snprintf(text, sizeof text, "%04d%02u%02u", d.Year, d.Month, d.Day);
                return std::string(text);
            };
            const TDaySerial from = starts[h] + s;
            file += "BEGIN:VEVENT\r\nUID:" + std::to_string(s) + "-" + std::to_string(h) +
                    "@bench\r\nSUMMARY:" + names[h] + " " +
                    std::string(StateName(static_cast<TGermanState>(s))) +
                    "\r\nDTSTART;VALUE=DATE:" + dateText(from) +
                    "\r\nDTEND;VALUE=DATE:" + dateText(from + lengths[h]) + "\r\nEND:VEVENT\r\n";
        }
    return file + "END:VCALENDAR\r\n";
}

void BM_HolidayImport(benchmark::State& state) {
    const std::string file = AllStatesFile();
    double slowest = 0, total = 0;
    for (auto _ : state) {
        const TClock::time_point start = TClock::now();
        auto holidays = ReadICalHolidays(file, "bench.ics", "bench.ics", 2025, 2026);
        const double took = MillisecondsSince(start);
        slowest = std::max(slowest, took);
        total += took;
        benchmark::DoNotOptimize(holidays);
    }
    // libical's parse alone, as many times.
    const TClock::time_point start = TClock::now();
    for (std::int64_t i = 0; i < state.iterations(); ++i)
        icalcomponent_free(icalparser_parse_string(file.c_str()));
    const double parseOnly = MillisecondsSince(start) / static_cast<double>(state.iterations());
    const double mean = total / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(file.size()) * state.iterations());
    state.counters["events"] = 96;
    state.counters["max_ms"] = slowest;
    state.counters["target_ms"] = 20;
    state.counters["max/target"] = slowest / 20;
    state.counters["import/libical_parse"] = mean / std::max(parseOnly, 1e-6);
}
BENCHMARK(BM_HolidayImport)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
