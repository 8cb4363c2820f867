// The results window's row as typed: which record it stands for, which
// texts are refused, and the state buttons' effect on the result.
#include "SeasonSupport.h"
#include "data/StaffelError.h"
#include "season/TieEntry.h"
#include "season/TieTable.h"

#include <gtest/gtest.h>

namespace {

// The first game of the 8-team sample division: match day 1, 15:00.
struct TFirstGame {
    TSeason Season{{Division8("Nord")}, TClubDirectory({}, TRegionalSettings::German())};
    const TSeasonGame& Game() const { return Season.Games(0).front(); }
};

TTieRecord Stored(const TFirstGame& first, TTieState state, TTieResult result = {}) {
    TTieRecord record = NewTieRecord(first.Season, first.Game());
    record.Status = state;
    record.Result = result;
    return record;
}

const TTieResult Played53{{5, 3}, {11, 7}, {}};

} // namespace

TEST(TieEntry, TypedRowBecomesItsRecord) {
    const TRegionalSettings german = TRegionalSettings::German();
    struct TCase {
        const char* Name;
        std::optional<TTieState> StoredState; // nothing: no record yet
        TTypedTie Typed;
        TTieState State;
        std::optional<TDaySerial> Datum;
        std::string Uhrzeit;
        TTieResult Result;
    };
    const TCase cases[] = {
        {"result",
         {},
         {"", "", "5:3", "11:7", "386:301", ""},
         TTieState::Gespielt,
         {},
         "",
         {{5, 3}, {11, 7}, {386, 301}}},
        {"match day's date and time are no move",
         {},
         {"05.09.2026", "15:00", "", "", "", ""},
         TTieState::Offen,
         {},
         "",
         {}},
        {"moved, still open",
         {},
         {"20.9.2026", "19:30", "", "", "", "Halle belegt"},
         TTieState::Offen,
         Day(20, 9),
         "19:30",
         {}},
        {"played emptied is open",
         TTieState::Gespielt,
         {"", "", "", "", "", ""},
         TTieState::Offen,
         {},
         "",
         {}},
        {"walkover kept without result",
         TTieState::KampflosHeim,
         {"", "", "", "", "", ""},
         TTieState::KampflosHeim,
         {},
         "",
         {}},
        {"walkover with a result is played",
         TTieState::KampflosGast,
         {"", "", "4:4", "9:9", "", ""},
         TTieState::Gespielt,
         {},
         "",
         {{4, 4}, {9, 9}, {}}},
        {"re-scored keeps the state",
         TTieState::UmgewertetGast,
         {"", "", "5:3", "11:7", "", ""},
         TTieState::UmgewertetGast,
         {},
         "",
         Played53},
    };
    for (const TCase& c : cases) {
        TFirstGame first;
        if (c.StoredState)
            first.Season.PutTie(Stored(first, *c.StoredState));
        const TTieRecord record = TypedTieRecord(first.Season, first.Game(), c.Typed, german);
        EXPECT_EQ(record.Status, c.State) << c.Name;
        EXPECT_EQ(record.Datum, c.Datum) << c.Name;
        EXPECT_EQ(record.Uhrzeit, c.Uhrzeit) << c.Name;
        EXPECT_EQ(record.Result, c.Result) << c.Name;
        EXPECT_EQ(record.Heim, first.Game().HomeTeam) << c.Name;
    }
}

TEST(TieEntry, TextsThatAreNoValueAreRefusedNamingThem) {
    const struct {
        TTypedTie Typed;
        const char* Message;
    } cases[] = {
        {{"", "", "5-3", "", "", ""}, "\"5-3\" ist kein Ergebnis f\xC3\xBCr die Spiele"},
        {{"", "", "5:3", "elf:7", "", ""},
         "\"elf:7\" ist kein Ergebnis f\xC3\xBCr die S\xC3\xA4tze"},
        {{"32.13.2026", "", "", "", "", ""}, "\"32.13.2026\" ist kein Datum im Format dd.MM.yyyy"},
        {{"", "25:99", "", "", "", ""}, "\"25:99\" ist keine Uhrzeit"},
    };
    for (const auto& c : cases) {
        TFirstGame first;
        try {
            TypedTieRecord(first.Season, first.Game(), c.Typed, TRegionalSettings::German());
            ADD_FAILURE() << c.Message;
        } catch (const TStaffelError& error) {
            EXPECT_NE(std::string(error.what()).find(c.Message), std::string::npos) << error.what();
        }
    }
}

TEST(TieEntry, StateButtonsClearOrKeepTheResult) {
    const struct {
        TTieState State;
        bool KeepsResult;
    } cases[] = {{TTieState::Offen, false},         {TTieState::KampflosHeim, false},
                 {TTieState::KampflosGast, false},  {TTieState::Abgesetzt, false},
                 {TTieState::UmgewertetHeim, true}, {TTieState::UmgewertetGast, true}};
    for (const auto& c : cases) {
        TFirstGame first;
        const TTieRecord record =
            WithTieState(Stored(first, TTieState::Gespielt, Played53), c.State);
        EXPECT_EQ(record.Status, c.State);
        EXPECT_EQ(record.Result, c.KeepsResult ? Played53 : TTieResult{}) << TieStateName(c.State);
    }
}
