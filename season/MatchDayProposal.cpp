#include "season/MatchDayProposal.h"

#include "data/file/Cp1252.h"

#include <algorithm>
#include <array>
#include <climits>
#include <tuple>

namespace {

constexpr int Worst = INT_MAX / 4;

// What a partial set costs: blocked club days, then gaps of the size asked.
struct TScore {
    int Blocked = Worst;
    int Equal = Worst;
    bool Reachable() const { return Blocked != Worst; }
    friend bool operator==(const TScore&, const TScore&) = default;
    friend bool operator<(const TScore& a, const TScore& b) {
        return std::tie(a.Blocked, a.Equal) < std::tie(b.Blocked, b.Equal);
    }
};

struct TSearch {
    const std::vector<TDaySerial>& Days;
    const std::vector<int>& Cost;
    int Count;
    int FirstHalf;
    TDaySerial FirstHalfEnd;

    int Size() const { return static_cast<int>(Days.size()); }
    bool Allowed(int candidate, int position) const {
        return (position < FirstHalf) == (Days[candidate] <= FirstHalfEnd);
    }

    // best[p * n + i]: the best way to fill positions p.. with candidate i at
    // p, every gap at least gap days.
    std::vector<TScore> Completions(int gap) const {
        const int n = Size();
        std::vector<TScore> best(static_cast<std::size_t>(Count) * n);
        for (int p = Count - 1; p >= 0; --p)
            for (int i = 0; i < n; ++i) {
                if (!Allowed(i, p))
                    continue;
                TScore& here = best[p * n + i];
                if (p == Count - 1) {
                    here = {Cost[i], 0};
                    continue;
                }
                const auto from = std::lower_bound(Days.begin() + i + 1, Days.end(), Days[i] + gap);
                for (int j = static_cast<int>(from - Days.begin()); j < n; ++j) {
                    const TScore& rest = best[(p + 1) * n + j];
                    if (!rest.Reachable())
                        continue;
                    const TScore score{Cost[i] + rest.Blocked,
                                       rest.Equal + (Days[j] - Days[i] == gap ? 1 : 0)};
                    if (score < here)
                        here = score;
                }
            }
        return best;
    }

    TScore Best(const std::vector<TScore>& completions) const {
        TScore best;
        for (int i = 0; i < Size(); ++i)
            best = std::min(best, completions[i]);
        return best;
    }

    // The earliest set that scores best.
    std::vector<int> Earliest(const std::vector<TScore>& best, int gap) const {
        const int n = Size();
        std::vector<int> chosen;
        const TScore target = Best(best);
        int i = 0;
        while (best[i] != target)
            ++i;
        chosen.push_back(i);
        for (int p = 0; p + 1 < Count; ++p) {
            const TScore here = best[p * n + i];
            for (int j = i + 1; j < n; ++j) {
                const TScore& rest = best[(p + 1) * n + j];
                if (Days[j] - Days[i] < gap || !rest.Reachable())
                    continue;
                if (TScore{Cost[i] + rest.Blocked,
                           rest.Equal + (Days[j] - Days[i] == gap ? 1 : 0)} == here) {
                    i = j;
                    break;
                }
            }
            chosen.push_back(i);
        }
        return chosen;
    }
};

std::string FreeDays(int count, int weekday) {
    const std::string name(WeekdayName(weekday));
    if (count == 0)
        return "keine freien " + std::string(WeekdayPlural(weekday));
    if (count == 1)
        return "nur einen freien " + name;
    return "nur " + std::to_string(count) + " freie " + std::string(WeekdayPlural(weekday));
}

std::string Weeks(int weeks) {
    return weeks == 1 ? "1 Woche Abstand" : std::to_string(weeks) + " Wochen Abstand";
}

// As many as fit from the first on, each at least gap after the one before.
int MostThatFit(const std::vector<TDaySerial>& days, TDaySerial from, TDaySerial to, int gap) {
    int count = 0;
    std::optional<TDaySerial> last;
    for (TDaySerial day : days)
        if (day >= from && day <= to && (!last || day - *last >= gap)) {
            ++count;
            last = day;
        }
    return count;
}

std::string WhyNoSet(const TMatchDayInputs& inputs, const std::vector<TDaySerial>& days,
                     int firstHalf) {
    const int gap = inputs.MinWeeks * 7;
    const int secondHalf = inputs.Count - firstHalf;
    const auto between = [&](TDaySerial from, TDaySerial to, int found) {
        return "Zwischen " + DayAndMonth(from) + " und " + DayAndMonth(to) + " gibt es " +
               FreeDays(found, inputs.Weekday) + " mit " + Weeks(inputs.MinWeeks) + ".";
    };
    const int first = MostThatFit(days, inputs.Earliest, inputs.FirstHalfEnd, gap);
    if (first < firstHalf)
        return between(inputs.Earliest, inputs.FirstHalfEnd, first);
    const int second = MostThatFit(days, inputs.FirstHalfEnd + 1, inputs.Latest, gap);
    if (second < secondHalf)
        return between(inputs.FirstHalfEnd + 1, inputs.Latest, second);
    return "Zwischen " + DayAndMonth(inputs.Earliest) + " und " + DayAndMonth(inputs.Latest) +
           " lassen sich " + std::to_string(firstHalf) + " freie " +
           std::string(WeekdayPlural(inputs.Weekday)) + " bis zum " +
           DayAndMonth(inputs.FirstHalfEnd) + " und " + std::to_string(secondHalf) +
           " danach nicht mit " + Weeks(inputs.MinWeeks) + " legen.";
}

std::string InputProblem(const TMatchDayInputs& inputs) {
    if (inputs.Count != 8 && inputs.Count != 10)
        return "Es können nur 8 oder 10 Spieltage vorgeschlagen werden.";
    if (inputs.Weekday < 0 || inputs.Weekday > 6)
        return "Der Wochentag ist ungültig.";
    if (inputs.MinWeeks < 1)
        return "Zwischen zwei Spieltagen muss mindestens eine Woche liegen.";
    if (inputs.Earliest > inputs.Latest)
        return "Der früheste Tag liegt nach dem spätesten.";
    if (inputs.FirstHalfEnd < inputs.Earliest || inputs.FirstHalfEnd >= inputs.Latest)
        return "Das Ende der Hinrunde muss zwischen dem frühesten und dem spätesten Tag liegen.";
    return {};
}

// Why a date of the weekday cannot be a match day; empty when it can.
std::string RuledOutBecause(const TMatchDayInputs& inputs, const TDaysOff& daysOff,
                            TDaySerial day) {
    if (const TSchoolHoliday* holiday = daysOff.SchoolHolidayOn(day))
        return Cp1252ToUtf8(holiday->Name);
    if (const auto holiday = daysOff.PublicHolidayOn(day))
        return std::string(holiday->Name);
    if (!inputs.NeighbourHolidays)
        return {};
    const int weekday = WeekdayOf(day);
    const int back = (weekday - 4 + 7) % 7, ahead = (7 - weekday) % 7;
    if (const auto holiday = daysOff.PublicHolidayOn(day - (back == 0 ? 7 : back)))
        return std::string(holiday->Name) + " am Freitag davor";
    if (const auto holiday = daysOff.PublicHolidayOn(day + (ahead == 0 ? 7 : ahead)))
        return std::string(holiday->Name) + " am Montag danach";
    return {};
}

int BlockedClubs(const std::vector<TClubValues>& clubs, TDaySerial day) {
    int count = 0;
    for (const TClubValues& club : clubs)
        if (std::binary_search(club.Blocked.begin(), club.Blocked.end(), day))
            ++count;
    return count;
}

} // namespace

std::string_view WeekdayName(int weekday) {
    static constexpr std::array<std::string_view, 7> names = {
        "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"};
    return names[static_cast<std::size_t>(weekday) % 7];
}

std::string_view WeekdayPlural(int weekday) {
    static constexpr std::array<std::string_view, 7> names = {
        "Montage", "Dienstage", "Mittwoche", "Donnerstage", "Freitage", "Samstage", "Sonntage"};
    return names[static_cast<std::size_t>(weekday) % 7];
}

// Serial 0, 30.12.1899, was a Saturday.
int WeekdayOf(TDaySerial day) {
    return ((day % 7) + 7 + 5) % 7;
}

int DefaultSeasonYear(TDaySerial today) {
    const TCivilDate date = CivilOfSerial(today);
    return date.Month >= 9 ? date.Year + 1 : date.Year;
}

TMatchDayInputs DefaultMatchDayInputs(int year, int count) {
    TMatchDayInputs inputs;
    inputs.Year = year;
    inputs.Count = count;
    SerialOfCivil(year, 9, 1, inputs.Earliest);
    SerialOfCivil(year + 1, 3, 31, inputs.Latest);
    SerialOfCivil(year, 12, 20, inputs.FirstHalfEnd);
    return inputs;
}

std::optional<TMatchDayChoice> ChooseMatchDays(const std::vector<TDaySerial>& candidates,
                                               const std::vector<int>& cost, int count,
                                               int firstHalf, TDaySerial firstHalfEnd, int minGap) {
    const TSearch search{candidates, cost, count, firstHalf, firstHalfEnd};
    if (count <= 0 || search.Size() < count)
        return std::nullopt;
    std::vector<TScore> best = search.Completions(minGap);
    const TScore least = search.Best(best);
    if (!least.Reachable())
        return std::nullopt;
    // The fewest blocked club days grow with the least gap demanded: the
    // largest gap that still reaches the fewest is found by halving.
    std::vector<int> gaps;
    for (std::size_t i = 0; i < candidates.size(); ++i)
        for (std::size_t j = i + 1; j < candidates.size(); ++j)
            if (candidates[j] - candidates[i] > minGap)
                gaps.push_back(candidates[j] - candidates[i]);
    std::sort(gaps.begin(), gaps.end());
    gaps.erase(std::unique(gaps.begin(), gaps.end()), gaps.end());
    int gap = minGap;
    if (count > 1) {
        std::size_t low = 0, high = gaps.size(); // gaps[0, low) reach it; gaps[high, end) do not
        while (low < high) {
            const std::size_t middle = (low + high) / 2;
            std::vector<TScore> tried = search.Completions(gaps[middle]);
            if (search.Best(tried).Blocked == least.Blocked) {
                low = middle + 1;
                gap = gaps[middle];
                best = std::move(tried);
            } else {
                high = middle;
            }
        }
    }
    TMatchDayChoice choice;
    choice.Chosen = search.Earliest(best, gap);
    for (std::size_t k = 0; k < choice.Chosen.size(); ++k) {
        choice.Blocked += cost[choice.Chosen[k]];
        if (k == 0)
            continue;
        const int between = candidates[choice.Chosen[k]] - candidates[choice.Chosen[k - 1]];
        if (choice.SmallestGapCount == 0 || between < choice.SmallestGap) {
            choice.SmallestGap = between;
            choice.SmallestGapCount = 1;
        } else if (between == choice.SmallestGap) {
            ++choice.SmallestGapCount;
        }
    }
    return choice;
}

TMatchDayProposal ProposeMatchDays(const TMatchDayInputs& inputs, const TDaysOff& daysOff,
                                   const std::vector<TClubValues>& clubs) {
    TMatchDayProposal proposal;
    proposal.Impossible = InputProblem(inputs);
    if (!proposal.Impossible.empty())
        return proposal;
    std::vector<TDaySerial> candidates;
    std::vector<int> cost;
    TDaySerial day = inputs.Earliest + (inputs.Weekday - WeekdayOf(inputs.Earliest) + 7) % 7;
    for (; day <= inputs.Latest; day += 7) {
        std::string reason = RuledOutBecause(inputs, daysOff, day);
        if (!reason.empty()) {
            proposal.RuledOut.push_back({day, std::move(reason)});
            continue;
        }
        candidates.push_back(day);
        cost.push_back(BlockedClubs(clubs, day));
    }
    proposal.CandidateCount = static_cast<int>(candidates.size());
    const int firstHalf = inputs.Count == 10 ? 5 : 4;
    const auto choice = ChooseMatchDays(candidates, cost, inputs.Count, firstHalf,
                                        inputs.FirstHalfEnd, inputs.MinWeeks * 7);
    if (!choice) {
        proposal.Impossible = WhyNoSet(inputs, candidates, firstHalf);
        return proposal;
    }
    for (int index : choice->Chosen) {
        proposal.Dates.push_back(candidates[index]);
        proposal.BlockedClubs.push_back(cost[index]);
    }
    proposal.BlockedClubDays = choice->Blocked;
    proposal.SmallestGapDays = choice->SmallestGap;
    proposal.SmallestGapCount = choice->SmallestGapCount;
    return proposal;
}

std::string MatchDaySummary(const TMatchDayProposal& proposal) {
    std::string text = "Gesperrte Vereinstermine: " + std::to_string(proposal.BlockedClubDays);
    if (proposal.SmallestGapCount > 0) {
        const int weeks = proposal.SmallestGapDays / 7;
        text +=
            "; kleinster Abstand " + std::to_string(weeks) + (weeks == 1 ? " Woche" : " Wochen");
        text += proposal.SmallestGapCount == 1
                    ? " (einmal)"
                    : " (" + std::to_string(proposal.SmallestGapCount) + "-mal)";
    }
    return text;
}

std::vector<TSpieltagKey> MatchDayKeys(int count) {
    std::vector<TSpieltagKey> keys;
    for (TSpieltagKey key : SpieltageInTimeOrder())
        if (count == 10 || (key != TSpieltagKey::k4A && key != TSpieltagKey::k8A))
            keys.push_back(key);
    return keys;
}
