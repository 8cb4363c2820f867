// The match-day proposal: the search against trying every set, the dates
// ruled out and why, and the reasons when no set exists.
#include "season/MatchDayProposal.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

namespace {

TDaySerial Date(unsigned day, unsigned month, int year) {
    return *DayFromCivil(year, month, day);
}

// Every set of count candidates, the best by the stated order, the earliest of equals.
std::optional<TMatchDayChoice> EverySet(const std::vector<TDaySerial>& days,
                                        const std::vector<int>& cost, int count, int firstHalf,
                                        TDaySerial firstHalfEnd, int minGap) {
    const int n = static_cast<int>(days.size());
    std::optional<TMatchDayChoice> best;
    for (unsigned mask = 0; mask < (1u << n); ++mask) {
        if (__builtin_popcount(mask) != count)
            continue;
        TMatchDayChoice choice;
        for (int i = 0; i < n; ++i)
            if (mask & (1u << i))
                choice.Chosen.push_back(i);
        bool valid = true;
        for (int k = 0; k < count && valid; ++k) {
            const TDaySerial day = days[choice.Chosen[k]];
            valid = (k < firstHalf) == (day <= firstHalfEnd);
            choice.Blocked += cost[choice.Chosen[k]];
            if (k == 0 || !valid)
                continue;
            const int gap = day - days[choice.Chosen[k - 1]];
            valid = gap >= minGap;
            if (choice.SmallestGapCount == 0 || gap < choice.SmallestGap)
                choice.SmallestGap = gap, choice.SmallestGapCount = 1;
            else if (gap == choice.SmallestGap)
                ++choice.SmallestGapCount;
        }
        if (!valid)
            continue;
        const auto key = [](const TMatchDayChoice& c) {
            return std::make_tuple(c.Blocked, -c.SmallestGap, c.SmallestGapCount, c.Chosen);
        };
        if (!best || key(choice) < key(*best))
            best = choice;
    }
    return best;
}

TEST(MatchDayProposal, SameAsEverySetOnSmallRanges) {
    std::mt19937 random(24);
    int impossible = 0;
    for (int round = 0; round < 400; ++round) {
        const int weeks = 8 + static_cast<int>(random() % 9);
        std::vector<TDaySerial> days;
        std::vector<int> cost;
        const TDaySerial start = Date(6, 9, 2025);
        for (int w = 0; w < weeks; ++w)
            if (random() % 4 != 0) {
                days.push_back(start + 7 * w);
                cost.push_back(static_cast<int>(random() % 3));
            }
        const int count = 3 + static_cast<int>(random() % 3);
        const int firstHalf = 1 + static_cast<int>(random() % (count - 1));
        const TDaySerial halfEnd = start + 7 * static_cast<int>(random() % weeks);
        const int minGap = 7 * (1 + static_cast<int>(random() % 2));
        const auto expected = EverySet(days, cost, count, firstHalf, halfEnd, minGap);
        const auto found = ChooseMatchDays(days, cost, count, firstHalf, halfEnd, minGap);
        ASSERT_EQ(found.has_value(), expected.has_value()) << "round " << round;
        if (!expected) {
            ++impossible;
            continue;
        }
        EXPECT_EQ(found->Chosen, expected->Chosen) << "round " << round;
        EXPECT_EQ(found->Blocked, expected->Blocked) << "round " << round;
        EXPECT_EQ(found->SmallestGap, expected->SmallestGap) << "round " << round;
        EXPECT_EQ(found->SmallestGapCount, expected->SmallestGapCount) << "round " << round;
    }
    EXPECT_GT(impossible, 0);
    EXPECT_LT(impossible, 400);
}

TEST(MatchDayProposal, RulesOutHolidaysAndTheirNeighbours) {
    const TDaysOff daysOff(TGermanState::NI,
                           {{Date(13, 10, 2025), Date(25, 10, 2025), "Herbstferien", "ni.ics"},
                            {Date(22, 12, 2025), Date(5, 1, 2026), "Weihnachtsferien", "ni.ics"}});
    // The earliest dates of the first weeks are blocked for two clubs: the proposal avoids them.
    const std::vector<TClubValues> clubs = {{"TV Hude", 1, {Date(6, 9, 2025)}},
                                            {"SC Nord", 1, {Date(6, 9, 2025), Date(20, 9, 2025)}}};
    const TMatchDayProposal proposal =
        ProposeMatchDays(DefaultMatchDayInputs(2025, 10), daysOff, clubs);
    ASSERT_EQ(proposal.Dates.size(), 10u) << proposal.Impossible;
    EXPECT_EQ(proposal.BlockedClubDays, 0);
    for (std::size_t k = 0; k < 10; ++k) {
        EXPECT_EQ(WeekdayOf(proposal.Dates[k]), 5);
        EXPECT_EQ(proposal.Dates[k] <= Date(20, 12, 2025), k < 5);
        if (k > 0) {
            EXPECT_GE(proposal.Dates[k] - proposal.Dates[k - 1], proposal.SmallestGapDays);
        }
    }
    EXPECT_GE(proposal.SmallestGapDays, 14);
    const std::vector<std::pair<TDaySerial, std::string>> expected = {
        {Date(4, 10, 2025), "Tag der Deutschen Einheit am Freitag davor"},
        {Date(18, 10, 2025), "Herbstferien"},
        {Date(25, 10, 2025), "Herbstferien"},
        {Date(1, 11, 2025), "Reformationstag am Freitag davor"},
        {Date(27, 12, 2025), "Weihnachtsferien"},
        {Date(3, 1, 2026), "Weihnachtsferien"},
    };
    std::vector<std::pair<TDaySerial, std::string>> ruledOut;
    for (const TRuledOutDay& day : proposal.RuledOut)
        ruledOut.emplace_back(day.Day, day.Reason);
    EXPECT_EQ(ruledOut, expected);
}

TEST(MatchDayProposal, SaysWhyNoSetExists) {
    const TMatchDayInputs inputs = DefaultMatchDayInputs(2025);
    const struct {
        std::vector<TSchoolHoliday> Holidays;
        TMatchDayInputs Inputs;
        const char* Expected;
    } cases[] = {
        {{{Date(1, 9, 2025), Date(10, 11, 2025), "Lange Ferien", ""}},
         inputs,
         "Zwischen 01.09. und 20.12. gibt es nur 3 freie Samstage mit 2 Wochen Abstand."},
        {{{Date(21, 12, 2025), Date(28, 2, 2026), "Lange Ferien", ""}},
         inputs,
         "Zwischen 21.12. und 31.03. gibt es nur 2 freie Samstage mit 2 Wochen Abstand."},
        {{{Date(1, 9, 2025), Date(20, 12, 2025), "Lange Ferien", ""}},
         inputs,
         "Zwischen 01.09. und 20.12. gibt es keine freien Samstage mit 2 Wochen Abstand."},
        {{},
         [&] {
             TMatchDayInputs late = inputs;
             late.Latest = inputs.Earliest - 1;
             return late;
         }(),
         "Der fr\xC3\xBCheste Tag liegt nach dem sp\xC3\xA4testen."},
    };
    for (const auto& c : cases) {
        const TMatchDayProposal proposal =
            ProposeMatchDays(c.Inputs, TDaysOff(TGermanState::NI, c.Holidays), {});
        EXPECT_TRUE(proposal.Dates.empty());
        EXPECT_EQ(proposal.Impossible, c.Expected);
    }
}

} // namespace
