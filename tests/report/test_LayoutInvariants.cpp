// The pairing tables of both layouts form a complete double round robin, and
// the cells of the pages show exactly those pairings.
#include "report/FixtureLayout.h"
#include "report/Fixtures.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <map>
#include <set>

namespace {

struct TInvariantCase {
    const TFixtureLayout* Layout;
    int Slots;
    int Games;
    int HomeGames;
};

std::string Name(TSlotName slot) {
    return std::string(SlotFieldName(slot));
}

class LayoutInvariants : public ::testing::TestWithParam<TInvariantCase> {};

TEST_P(LayoutInvariants, EveryOrderedPairOnceAndBalanced) {
    const TInvariantCase& c = GetParam();
    const std::vector<TGame> games = GamesOf(*c.Layout);
    ASSERT_EQ(static_cast<int>(games.size()), c.Games) << c.Layout->Name;

    std::set<std::pair<TSlotName, TSlotName>> pairs;
    std::map<TSlotName, int> home, away;
    for (const TGame& g : games) {
        EXPECT_NE(g.Home, g.Away) << c.Layout->Name;
        EXPECT_LT(static_cast<int>(g.Home), c.Slots) << Name(g.Home);
        EXPECT_LT(static_cast<int>(g.Away), c.Slots) << Name(g.Away);
        EXPECT_TRUE(pairs.insert({g.Home, g.Away}).second)
            << c.Layout->Name << " twice: " << Name(g.Home) << "-" << Name(g.Away);
        ++home[g.Home];
        ++away[g.Away];
    }
    EXPECT_EQ(static_cast<int>(pairs.size()), c.Slots * (c.Slots - 1));
    for (int s = 0; s < c.Slots; ++s) {
        const auto slot = static_cast<TSlotName>(s);
        EXPECT_EQ(home[slot], c.HomeGames) << c.Layout->Name << " " << Name(slot);
        EXPECT_EQ(away[slot], c.HomeGames) << c.Layout->Name << " " << Name(slot);
    }
}

TEST_P(LayoutInvariants, NoSlotTwiceAtOneTimeOfAMatchDay) {
    const TInvariantCase& c = GetParam();
    std::set<std::tuple<TSpieltagKey, int, TSlotName>> busy;
    for (const TGame& g : GamesOf(*c.Layout))
        for (TSlotName slot : {g.Home, g.Away})
            EXPECT_TRUE(busy.insert({g.Day, g.Game, slot}).second)
                << c.Layout->Name << " day " << SpieltagKeyName(g.Day) << " game " << g.Game
                << " slot " << Name(slot);
}

// The cells of the page items agree with the pairing tables: every slot data
// text stands at the place its row and game give, and nothing else does.
TEST_P(LayoutInvariants, PageCellsFollowThePairingTables) {
    const TInvariantCase& c = GetParam();
    const double rows[] = {0.51, 0.67, 0.83, 0.98, 1.14};
    std::multiset<std::tuple<int, long, long, std::string>> expected, found;
    auto key = [](double x) { return std::lround(x * 1000); };
    for (const TMatchDayPairings& day : c.Layout->MatchDays) {
        for (int game = 0; game < 2; ++game) {
            const auto& cells = game == 0 ? day.FirstGame : day.SecondGame;
            for (std::size_t r = 0; r < cells.size(); ++r) {
                if (!cells[r])
                    continue;
                const double top = day.Top + rows[r];
                auto lower = [](TSlotName s) {
                    std::string n = Name(s);
                    for (char& ch : n)
                        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
                    return n;
                };
                expected.insert(
                    {day.Page, key(game == 0 ? 0.50 : 4.25), key(top), lower(cells[r]->Home)});
                expected.insert(
                    {day.Page, key(game == 0 ? 2.29 : 6.04), key(top), lower(cells[r]->Away)});
            }
        }
    }
    for (std::size_t p = 0; p < c.Layout->Pages.size(); ++p)
        for (const TLayoutItem& item : c.Layout->Pages[p].Items)
            if (item.Kind == liDataText && item.Width == 1.67) {
                EXPECT_EQ(item.Font, (TPageFont{"Arial", 10, false})) << item.DataField;
                found.insert({static_cast<int>(p), key(item.Left), key(item.Top), item.DataField});
            }
    EXPECT_EQ(found, expected) << c.Layout->Name;
}

INSTANTIATE_TEST_SUITE_P(Layouts, LayoutInvariants,
                         ::testing::Values(TInvariantCase{&Klasse8Layout(), 8, 56, 7},
                                           TInvariantCase{&Klasse10Layout(), 10, 90, 9}),
                         [](const auto& info) { return info.param.Layout->Name; });

// The two slots of a pair meet on match days 1 and 5 of Klasse8 and in row 5
// of two match days of Klasse10.
TEST(LayoutPairs, PairSlotsMeet) {
    auto isPair = [](const TGame& g) {
        return static_cast<int>(g.Home) / 2 == static_cast<int>(g.Away) / 2;
    };
    std::set<TSpieltagKey> days8;
    for (const TGame& g : GamesOf(Klasse8Layout()))
        if (isPair(g))
            days8.insert(g.Day);
    EXPECT_EQ(days8, (std::set<TSpieltagKey>{TSpieltagKey::k1, TSpieltagKey::k5}));

    std::map<TSlotName, int> meetings10;
    for (const TGame& g : GamesOf(Klasse10Layout()))
        if (isPair(g)) {
            EXPECT_EQ(g.Row, 5) << SpieltagKeyName(g.Day);
            EXPECT_EQ(g.Game, 1) << SpieltagKeyName(g.Day);
            ++meetings10[static_cast<TSlotName>(static_cast<int>(g.Home) / 2 * 2)];
        }
    ASSERT_EQ(meetings10.size(), 5u);
    for (const auto& [slot, count] : meetings10)
        EXPECT_EQ(count, 2) << Name(slot);
}

// Second games keep the first game's home team, except on match day 4 of Klasse8.
TEST(LayoutPairs, SecondGameHomeTeam) {
    for (const TFixtureLayout* layout : {&Klasse8Layout(), &Klasse10Layout()})
        for (const TMatchDayPairings& day : layout->MatchDays)
            for (std::size_t r = 0; r < day.SecondGame.size(); ++r) {
                if (!day.SecondGame[r])
                    continue;
                const bool exception = layout == &Klasse8Layout() && day.Day == TSpieltagKey::k4;
                const bool same = day.SecondGame[r]->Home == day.FirstGame[r]->Home;
                EXPECT_EQ(same, !exception || r == 0)
                    << layout->Name << " day " << SpieltagKeyName(day.Day) << " row " << r + 1;
            }
    const TMatchDayPairings& day4 = Klasse8Layout().MatchDays[3];
    const std::pair<TSlotName, TSlotName> second[] = {{TSlotName::s2B, TSlotName::s1A},
                                                      {TSlotName::s2A, TSlotName::s1B},
                                                      {TSlotName::s4A, TSlotName::s3B}};
    for (int r = 1; r < 4; ++r) {
        EXPECT_EQ(day4.SecondGame[r]->Home, second[r - 1].first) << "row " << r + 1;
        EXPECT_EQ(day4.SecondGame[r]->Away, second[r - 1].second) << "row " << r + 1;
    }
}

TEST(LayoutLookup, NameIgnoresLetterCase) {
    const struct {
        const char* Name;
        const TFixtureLayout* Expected;
    } cases[] = {{"Klasse8", &Klasse8Layout()},
                 {"klasse8", &Klasse8Layout()},
                 {"KLASSE10", &Klasse10Layout()},
                 {"Klasse10", &Klasse10Layout()},
                 {"Report2", nullptr},
                 {"", nullptr},
                 {"Klasse8 ", nullptr},
                 {"Klasse1", nullptr}};
    for (const auto& c : cases)
        EXPECT_EQ(FindLayout(c.Name), c.Expected) << '"' << c.Name << '"';
}

} // namespace
