// The result rules of a tie record, what each state counts, and the texts a
// volunteer types.
#include "season/TieRules.h"

#include <gtest/gtest.h>

namespace {

using enum TTieState;

// "386:" gives a pair with the away side missing.
TScorePair Pair(std::string_view text) {
    const auto side = [](std::string_view number) -> std::optional<std::int32_t> {
        if (number.empty())
            return std::nullopt;
        return std::stoi(std::string(number));
    };
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return {};
    return {side(text.substr(0, colon)), side(text.substr(colon + 1))};
}

TTieRecord Tie(TTieState state, const char* spiele, const char* saetze, const char* punkte = "") {
    TTieRecord tie;
    tie.Jahr = 2026;
    tie.Klasse = "Bezirksliga";
    tie.Heim = "TV Hude";
    tie.Gast = "SC Nord";
    tie.Status = state;
    tie.Result = {Pair(spiele), Pair(saetze), Pair(punkte)};
    return tie;
}

TEST(TieRules, AllowedAndRefusedResults) {
    struct {
        TTieState State;
        const char* Spiele;
        const char* Saetze;
        const char* Punkte;
        const char* Refusal; // a word of the message; nullptr: allowed
    } const cases[] = {
        {Gespielt, "5:3", "11:7", "386:301", nullptr},
        {Gespielt, "4:4", "9:9", "", nullptr},       // a draw, rally points left out
        {Gespielt, "8:0", "16:0", "336:0", nullptr}, // straight games everywhere
        {Gespielt, "8:0", "16:8", "", nullptr},      // the loser took a game in every match
        {Gespielt, "5:3", "10:6", "", nullptr},      // the fewest games
        {Gespielt, "5:3", "13:11", "", nullptr},     // the most games: 2h + a, 2a + h
        {Gespielt, "5:4", "11:9", "", "8"},          // h + a = 8
        {Gespielt, "5:3", "9:7", "", "2h"},          // home games below 2h
        {Gespielt, "5:3", "14:7", "", "2h"},         // above 2h + a
        {Gespielt, "5:3", "11:5", "", "2a"},         // away games below 2a
        {Gespielt, "5:3", "11:12", "", "2a"},        // above 2a + h
        {Gespielt, "5:3", "11:7", "386:", "Ballpunkte"},
        {Gespielt, "5:3", "", "", "S\xC3\xA4tze"}, // games required
        {Gespielt, "", "", "", "Spiele"},          // a played tie needs its result
        {Offen, "5:3", "11:7", "", "gespielte"},   // no result while open
        {Abgesetzt, "5:3", "11:7", "", "gespielte"},
        {KampflosHeim, "", "", "", nullptr},
        {KampflosGast, "0:8", "0:16", "", "gespielte"},
        {UmgewertetHeim, "3:5", "7:11", "", nullptr}, // the result as played stays
        {UmgewertetGast, "", "", "", nullptr},
        {UmgewertetHeim, "3:6", "7:12", "", "8"},
    };
    for (const auto& c : cases) {
        const TTieRecord tie = Tie(c.State, c.Spiele, c.Saetze, c.Punkte);
        const std::string input =
            std::string(TieStateName(c.State)) + " " + c.Spiele + " " + c.Saetze + " " + c.Punkte;
        const auto problem = TieRecordProblem(tie);
        if (!c.Refusal) {
            EXPECT_FALSE(problem) << input << ": " << problem.value_or("");
        } else {
            ASSERT_TRUE(problem) << input;
            EXPECT_NE(problem->find(c.Refusal), std::string::npos) << input << ": " << *problem;
        }
    }
}

TEST(TieRules, TeamRecords) {
    TTieRecord withdrawn = Tie(Zurueckgezogen, "", "");
    EXPECT_TRUE(TieRecordProblem(withdrawn)) << "a team record has no away team";
    withdrawn.Gast.clear();
    EXPECT_FALSE(TieRecordProblem(withdrawn));
    TTieRecord deduction = withdrawn;
    deduction.Status = Punktabzug;
    EXPECT_TRUE(TieRecordProblem(deduction)) << "no points given";
    deduction.Result.Punkte.Home = 2;
    EXPECT_FALSE(TieRecordProblem(deduction));
    TTieRecord tie = Tie(Offen, "", "");
    tie.Gast.clear();
    EXPECT_TRUE(TieRecordProblem(tie)) << "a tie needs its away team";
}

TEST(TieRules, WhatEachStateCounts) {
    struct {
        TTieState State;
        bool Counts;
        std::array<int, 2> Spiele, Saetze, Punkte;
        const char* Text;
    } const cases[] = {
        {Offen, false, {}, {}, {}, ""},
        {Abgesetzt, false, {}, {}, {}, "abgesetzt"},
        {Gespielt, true, {3, 5}, {7, 11}, {0, 0}, "3:5"},
        {KampflosHeim, true, {0, 8}, {0, 16}, {0, 336}, "0:8 kampflos"},
        {KampflosGast, true, {8, 0}, {16, 0}, {336, 0}, "8:0 kampflos"},
        {UmgewertetHeim, true, {8, 0}, {16, 0}, {336, 0}, "8:0 umgewertet (3:5)"},
        {UmgewertetGast, true, {0, 8}, {0, 16}, {0, 336}, "0:8 umgewertet (3:5)"},
    };
    for (const auto& c : cases) {
        TTieRecord tie = Tie(c.State, "3:5", "7:11");
        const auto counted = CountedScore(tie);
        const std::string input(TieStateName(c.State));
        ASSERT_EQ(counted.has_value(), c.Counts) << input;
        if (c.Counts) {
            EXPECT_EQ(counted->Spiele, c.Spiele) << input;
            EXPECT_EQ(counted->Saetze, c.Saetze) << input;
            EXPECT_EQ(counted->Punkte, c.Punkte) << input;
        }
        EXPECT_EQ(TieResultText(tie), c.Text) << input;
    }
}

TEST(TieValues, TypedTexts) {
    EXPECT_EQ(ParseScorePair(" 5 : 3 "), (TScorePair{5, 3}));
    EXPECT_EQ(ParseScorePair(""), TScorePair{});
    for (const char* bad : {"5", "5:", ":3", "5:3:1", "-1:9", "a:b", "5;3"})
        EXPECT_FALSE(ParseScorePair(bad)) << bad;
    EXPECT_EQ(ParseClock("9:05"), 9 * 60 + 5);
    EXPECT_EQ(ParseClock("19:30"), 19 * 60 + 30);
    for (const char* bad : {"", "24:00", "19:60", "1930", "19:3", "x9:30"})
        EXPECT_FALSE(ParseClock(bad)) << bad;
    EXPECT_EQ(FormatClock(9 * 60 + 5), "09:05");
    for (int s = 0; s <= static_cast<int>(Punktabzug); ++s) {
        const auto state = static_cast<TTieState>(s);
        std::string upper(TieStateName(state));
        for (char& c : upper)
            c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        EXPECT_EQ(ParseTieState(upper), state) << upper;
    }
    EXPECT_EQ(ParseTieState("  kampflos   heim "), KampflosHeim);
    EXPECT_EQ(ParseTieState(""), Offen);
    EXPECT_FALSE(ParseTieState("verschoben"));
}

} // namespace
