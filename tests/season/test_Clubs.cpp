// The club of a team: the club table's longest prefix, else the team name
// without its team number.
#include "season/Clubs.h"

#include <gtest/gtest.h>

namespace {

TEST(Clubs, TeamNumbersAreStripped) {
    struct {
        const char* Team;
        const char* Club;
    } const cases[] = {
        {"TV Hude", "TV Hude"},
        {"TV Hude 2", "TV Hude"},
        {"TV Hude 2.", "TV Hude"},
        {"TV Hude II", "TV Hude"},
        {"TV Hude II.", "TV Hude"},
        {"TV Hude xiv", "TV Hude"},
        {"TV Hude XX", "TV Hude"},
        {"TV Hude 99", "TV Hude"},
        {"  TV   Hude   3  ", "TV Hude"},
        {"TV Hude XXI", "TV Hude XXI"}, // beyond XX
        {"TV Hude IIII", "TV Hude IIII"},
        {"TV Hude 100", "TV Hude 100"},
        {"TV Hude 0", "TV Hude 0"},
        {"TV Hude 02", "TV Hude 02"},
        {"TV Hude 2a", "TV Hude 2a"},
        {"TV Hude .", "TV Hude ."},
        {"1. BC Hafen", "1. BC Hafen"},
        {"1. BC Hafen 2", "1. BC Hafen"},
        {"BC 1860", "BC 1860"},
        {"II", "II"}, // no blank before the number: a name of its own
        {"7", "7"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StripTeamNumber(c.Team), c.Club) << c.Team;
}

TEST(Clubs, NamesFoldLetterCaseAndBlanks) {
    struct {
        const char* A;
        const char* B;
        bool Same;
    } const cases[] = {
        {"TV Hude", "tv hude", true},
        {"TV Hude", "TV  Hude ", true},
        {"\xC4hlen SV", "\xE4HLEN sv", true}, // Ä / ä
        {"\xC4hlen SV", "Ahlen SV", false},   // an umlaut is no plain letter
        {"TV Hude", "TVHude", false},
        {"\x8A"
         "ibenik",
         "\x9A"
         "IBENIK",
         true}, // Š / š
    };
    for (const auto& c : cases)
        EXPECT_EQ(FoldClubName(c.A) == FoldClubName(c.B), c.Same) << c.A << " | " << c.B;
}

TEST(Clubs, ClubOfTeamPrefersTheLongestTableClub) {
    TClubDirectory clubs({{"TV Hude", 2, {}},
                          {"TV Hude Nord", 1, {}},
                          {"SG", 1, {}},
                          {"1. BC Hafen", 1, {}},
                          {"tv hude", 5, {}} /* ignored: a repeat */});
    struct {
        const char* Team;
        const char* Club;
        bool InTable;
    } const cases[] = {
        {"TV Hude", "TV Hude", true},
        {"tv hude ii", "TV Hude", true},
        {"TV Hude Nord 2", "TV Hude Nord", true},
        {"TV Hude Nordost", "TV Hude", true}, // "TV Hude Nord" is no prefix followed by a blank
        {"TV Hudewald", "TV Hudewald", false},
        {"SG Nord/Ost II", "SG", true},
        {"SGN 2", "SGN", false},
        {"1. BC Hafen III", "1. BC Hafen", true},
        {"BC Wiesmoor 2", "BC Wiesmoor", false},
        {"bc wiesmoor", "BC Wiesmoor", false}, // the first spelling names the club
    };
    for (const auto& c : cases) {
        const TClubId club = clubs.ClubOfTeam(c.Team);
        ASSERT_NE(club, NoClub) << c.Team;
        EXPECT_EQ(clubs.Club(club).Name, c.Club) << c.Team;
        EXPECT_EQ(clubs.InTable(club), c.InTable) << c.Team;
    }
    EXPECT_EQ(clubs.ClubOfTeam(""), NoClub);
    EXPECT_EQ(clubs.ClubOfTeam("   "), NoClub);
    EXPECT_EQ(clubs.Capacity(clubs.FindClub("TV HUDE")), 2);
    EXPECT_EQ(clubs.Capacity(clubs.FindClub("BC Wiesmoor")), DefaultCapacity);
}

TEST(Clubs, CapacityAndBlockedDates) {
    TClubDirectory clubs({{"A", 0, {30, 10, 30}}, {"B", 12, {}}});
    EXPECT_EQ(clubs.Capacity(clubs.FindClub("A")), 1);
    EXPECT_EQ(clubs.Capacity(clubs.FindClub("B")), MaxCapacity);
    for (TDaySerial day : {10, 30})
        EXPECT_TRUE(clubs.IsBlocked(clubs.FindClub("A"), day)) << day;
    EXPECT_FALSE(clubs.IsBlocked(clubs.FindClub("A"), 20));
    EXPECT_FALSE(clubs.IsBlocked(clubs.FindClub("B"), 10));
}

TEST(Clubs, ClubsByNameFollowTheTextOrder) {
    TClubDirectory clubs({{"Zug", 1, {}}, {"\xC4hlen", 1, {}}, {"Bad Ems", 1, {}}});
    clubs.ClubOfTeam("Aurich 2");
    std::vector<std::string> names;
    for (TClubId id : clubs.ClubsByName())
        names.push_back(clubs.Club(id).Name);
    EXPECT_EQ(names, (std::vector<std::string>{"\xC4hlen", "Aurich", "Bad Ems", "Zug"}));
}

} // namespace
