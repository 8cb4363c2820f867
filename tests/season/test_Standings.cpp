// The division table: each tie-break step on a small division where exactly
// that step decides, the direct comparison, walkovers, cancelled ties,
// withdrawal, deduction and the CSV.
#include "season/Standings.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using enum TTieState;

// "A-B 5:3 10:6 300:200": a played tie; "A-B kampflos Heim" and the like: a
// tie in that state; "A zurückgezogen" / "A Punktabzug 2": a team's record.
TTieRecord Record(const std::string& line) {
    std::istringstream in(line);
    std::string pair;
    in >> pair;
    TTieRecord record;
    record.Jahr = 2026;
    record.Klasse = "Kreisliga";
    const std::size_t dash = pair.find('-');
    record.Heim = pair.substr(0, dash);
    if (dash != std::string::npos)
        record.Gast = pair.substr(dash + 1);
    std::string rest;
    std::getline(in, rest);
    rest = rest.empty() ? rest : rest.substr(1);
    if (rest.starts_with("Punktabzug")) {
        record.Status = Punktabzug;
        record.Result.Punkte.Home = std::stoi(rest.substr(11));
        record.Bemerkung = "Spielerin nicht gemeldet";
    } else if (const auto state = ParseTieState(rest); state && !rest.empty()) {
        record.Status = *state;
    } else {
        record.Status = Gespielt;
        std::istringstream scores(rest);
        for (TScorePair* target :
             {&record.Result.Spiele, &record.Result.Saetze, &record.Result.Punkte}) {
            std::string score;
            if (scores >> score)
                *target = *ParseScorePair(score);
        }
    }
    return record;
}

// "1 A, 2 B, 2 C, - D": rank (shared ones repeated), "-" for a withdrawn team.
std::string Order(const TDivisionStandings& standings) {
    std::string text;
    for (const TStandingRow& row : standings.Rows) {
        if (!text.empty())
            text += ", ";
        text += (row.Withdrawn ? "-" : std::to_string(row.Rank)) + " " + row.Team;
    }
    return text;
}

TDivisionStandings Table(const std::vector<std::string>& teams,
                         const std::vector<std::string>& lines) {
    std::vector<TTieRecord> records;
    for (const std::string& line : lines)
        records.push_back(Record(line));
    return MakeStandings(teams, records);
}

TEST(Standings, EachStepDecidesAlone) {
    struct {
        const char* Step;
        std::vector<std::string> Records;
        const char* Order;
    } const cases[] = {
        {"points", {"A-C 5:3 10:6", "C-B 4:4 9:9"}, "1 A, 2 B, 3 C"},
        {"matches", {"A-C 6:2 12:4", "B-C 5:3 10:6"}, "1 A, 2 B, 3 C"},
        {"games", {"A-C 5:3 10:6", "B-C 5:3 11:8"}, "1 A, 2 B, 3 C"},
        {"rally points", {"A-C 5:3 10:6 300:200", "B-C 5:3 10:6 300:250"}, "1 A, 2 B, 3 C"},
        // A and B level on all four; A won their tie. D first, C last.
        {"direct comparison",
         {"B-A 3:5 6:10 200:300", "D-A 5:3 10:6 300:200", "B-D 5:3 10:6 300:200",
          "D-C 5:3 10:6 300:200", "C-D 3:5 6:10 200:300"},
         "1 D, 2 A, 3 B, 4 C"},
        // Three level overall; among them A won twice, B once, C never.
        {"three-team direct comparison",
         {"A-B 5:3 10:6 300:200", "B-C 5:3 10:6 300:200", "A-C 5:3 10:6 300:200",
          "A-D 3:5 6:10 200:300", "D-A 5:3 10:6 300:200", "C-D 5:3 10:6 300:200",
          "D-C 3:5 6:10 200:300", "D-E 5:3 10:6 300:200", "E-D 3:5 6:10 200:300"},
         "1 D, 2 A, 3 B, 4 C, 5 E"},
        // Level overall and among themselves: the place is shared.
        {"shared", {"A-B 5:3 10:6", "B-C 5:3 10:6", "C-A 5:3 10:6"}, "1 A, 1 B, 1 C"},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> teams = {"A", "B", "C", "D", "E"};
        std::vector<std::string> used;
        for (const std::string& team : teams)
            for (const std::string& line : c.Records)
                if (line.find(team) != std::string::npos) {
                    used.push_back(team);
                    break;
                }
        EXPECT_EQ(Order(Table(used, c.Records)), c.Order) << c.Step;
    }
}

TEST(Standings, FiguresOfWalkoverReScoredAndCancelled) {
    const auto standings =
        Table({"A", "B", "C"}, {"A-B kampflos Heim", "A-C abgesetzt", "B-C umgewertet Gast"});
    // B won by walkover (8:0) and lost the re-scored tie (0:8): level with C
    // on points, but C's 8:0 against B's 8:8 in matches puts C first.
    ASSERT_EQ(Order(standings), "1 C, 2 B, 3 A");
    const TStandingRow& c = standings.Rows[0];
    EXPECT_EQ(c.Played, 1);
    EXPECT_EQ(c.Points, (TStandingPair{2, 0}));
    EXPECT_EQ(c.Spiele, (TStandingPair{8, 0}));
    EXPECT_EQ(c.Saetze, (TStandingPair{16, 0}));
    EXPECT_EQ(c.Punkte, (TStandingPair{336, 0}));
    const TStandingRow& a = standings.Rows[2];
    EXPECT_EQ(a.Played, 1) << "the cancelled tie counts nothing";
    EXPECT_EQ(a.Lost, 1);
    EXPECT_EQ(a.Spiele, (TStandingPair{0, 8}));
}

TEST(Standings, WithdrawnTeamCountsForNobodyAndStandsLast) {
    const auto standings = Table({"A", "B", "C"}, {"A-B 8:0 16:0", "B-C 5:3 10:6",
                                                   "A zur\xFC"
                                                   "ckgezogen"});
    EXPECT_EQ(Order(standings), "1 B, 2 C, - A");
    const TStandingRow& b = standings.Rows[0];
    EXPECT_EQ(b.Played, 1);
    EXPECT_EQ(b.Spiele, (TStandingPair{5, 3}));
    const TStandingRow& a = standings.Rows[2];
    EXPECT_EQ(a.Played, 0);
    EXPECT_EQ(a.Footnote, 1);
    ASSERT_EQ(standings.Footnotes.size(), 1u);
    EXPECT_EQ(standings.Footnotes[0].substr(0, 6), "1) A: ");
}

TEST(Standings, DeductionTakesPointsOffWithAFootnote) {
    const auto standings =
        Table({"A", "B", "C"}, {"A-C 5:3 10:6", "B-C 5:3 10:6", "A Punktabzug 2"});
    EXPECT_EQ(Order(standings), "1 B, 2 A, 3 C");
    const TStandingRow& a = standings.Rows[1];
    EXPECT_EQ(a.Points, (TStandingPair{0, 0}));
    EXPECT_EQ(a.Deduction, 2);
    EXPECT_EQ(a.Footnote, 1);
    ASSERT_EQ(standings.Footnotes.size(), 1u);
    EXPECT_EQ(standings.Footnotes[0],
              "1) A: 2 Punkte abgezogen \xE2\x80\x93 Spielerin nicht gemeldet");
}

TEST(Standings, TeamsFoldedAsTeamNamesAndRecordsOfOthersIgnored) {
    std::vector<TTieRecord> records = {Record("X-Y 5:3 10:6")};
    records[0].Heim = "tv  HUDE";
    records[0].Gast = " SC Nord";
    const auto folded = MakeStandings({"TV Hude", "SC Nord", "spielfrei"}, records);
    EXPECT_EQ(Order(folded), "1 TV Hude, 2 SC Nord");
}

TEST(StandingsCsv, SharedRankEmptyAfterTheFirstWithdrawnWithoutFigures) {
    const auto standings =
        Table({"A", "B", "C", "D"},
              {"A-B 5:3 10:6 300:200", "B-C 5:3 10:6 300:200", "C-A 5:3 10:6 300:200",
               "D zur\xFC"
               "ckgezogen"});
    EXPECT_EQ(MakeStandingsCsv(standings),
              "\xEF\xBB\xBF"
              "Platz;Mannschaft;Begegnungen;Siege;Unentschieden;Niederlagen;Punkte;Spiele;Saetze;"
              "Ballpunkte\r\n"
              "1;A;2;1;0;1;2:2;8:8;16:16;500:500\r\n"
              ";B;2;1;0;1;2:2;8:8;16:16;500:500\r\n"
              ";C;2;1;0;1;2:2;8:8;16:16;500:500\r\n"
              ";D (zur\xC3\xBC"
              "ckgezogen);;;;;;;;\r\n");
}

} // namespace
