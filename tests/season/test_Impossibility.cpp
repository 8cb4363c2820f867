// Divisions that cannot be free of clashes, and the reasons given.
#include "ProposalSupport.h"
#include "season/Impossibility.h"

#include <gtest/gtest.h>

namespace {

using enum TSlotName;

std::vector<TDaySerial> MatchDates(const TDivisionValues& division) {
    std::vector<TDaySerial> dates;
    for (const auto& date : division.Dates)
        if (date)
            dates.push_back(*date);
    return dates;
}

TEST(Impossibility, ReasonsNameTheClubAndWhatForcesTheClashes) {
    struct TCase {
        const char* Name;
        std::vector<TDivisionValues> Divisions; // the proposal is for division 0
        std::vector<TClubValues> Clubs;
        int Minimum;
        std::vector<std::string> Fragments; // each in some reason (UTF-8)
    };
    std::vector<TCase> cases;
    {
        TDivisionValues d = Division8("N");
        for (TSlotName slot : {s1A, s1B, s2A, s2B, s3A})
            SetTeam(d, slot, "TV Hude " + std::string(SlotFieldName(slot)).substr(0, 1));
        cases.push_back({"five teams of one club",
                         {d},
                         {{"TV Hude", 1, {}}},
                         -1,
                         {"\xE2\x80\x9ETV Hude\xE2\x80\x9C (5 Mannschaften, Kapazit\xC3\xA4t 1)",
                          "mehr Heimspiele, als die Halle fasst"}});
    }
    {
        TDivisionValues d = Division8("N");
        SetTeam(d, s3A,
                "SC S\xFC"
                "d");
        cases.push_back({"blocked on every match day",
                         {d},
                         {{"SC S\xFC"
                           "d",
                           1, MatchDates(d)}},
                         7,
                         {"\xE2\x80\x9ESC S\xC3\xBC"
                          "d\xE2\x80\x9C (1 Mannschaft, Kapazit\xC3\xA4t 1) hat in jeder "
                          "Verteilung mindestens 7 Konflikte",
                          "gesperrt am 05.09.2026, 12.09.2026"}});
    }
    {
        // Another division has TV Hude at home at every date and time.
        TDivisionValues d = Division8("N"), other = Division8("O");
        SetTeam(d, s2B, "TV Hude");
        SetTeam(other, s1A, "TV Hude 2");
        SetTeam(other, s4B, "TV Hude 3");
        cases.push_back({"hall full by another division",
                         {d, other},
                         {},
                         7,
                         {"TV Hude\xE2\x80\x9C (1 Mannschaft, Kapazit\xC3\xA4t 1)",
                          "durch andere Staffeln schon belegt am 05.09.2026 15:00, "
                          "12.09.2026 15:00, 12.09.2026 19:00"}});
    }
    {
        // Both clubs are blocked on match days 1, 2, 7 and 8; only 4B has no
        // home game then.
        TDivisionValues d = Division8("N");
        SetTeam(d, s1A, "BC Ost");
        SetTeam(d, s2A, "BC West");
        const std::vector<TDaySerial> all = MatchDates(d);
        const std::vector<TDaySerial> blocked = {all[0], all[1], all[6], all[7]};
        cases.push_back({"two clubs want the same slot",
                         {d},
                         {{"BC Ost", 1, blocked}, {"BC West", 1, blocked}},
                         1,
                         {"\xE2\x80\x9E"
                          "BC Ost\xE2\x80\x9C und \xE2\x80\x9E"
                          "BC West\xE2\x80\x9C finden nicht beide Pl\xC3\xA4tze ohne Konflikt",
                          "f\xC3\xBCr \xE2\x80\x9E"
                          "BC Ost\xE2\x80\x9C: 4B; f\xC3\xBCr \xE2\x80\x9E"
                          "BC West\xE2\x80\x9C: 4B",
                          "zusammen mindestens 1 Konflikt."}});
    }
    for (const TCase& c : cases) {
        const TSeason season(c.Divisions, TClubDirectory(c.Clubs));
        const TSlotProposal proposal = ProposeSlots(MakeProposalInput(season, 0));
        if (c.Minimum >= 0)
            EXPECT_EQ(proposal.DivisionClashesAfter, c.Minimum) << c.Name;
        ASSERT_FALSE(proposal.Reasons.empty()) << c.Name;
        EXPECT_EQ(proposal.Reasons[0],
                  "In jeder Verteilung dieser Staffel bleiben mindestens " +
                      std::to_string(proposal.DivisionClashesAfter) +
                      (proposal.DivisionClashesAfter == 1 ? " Konflikt." : " Konflikte."))
            << c.Name;
        std::string all;
        for (const std::string& reason : proposal.Reasons)
            all += reason + "\n";
        for (const std::string& fragment : c.Fragments)
            EXPECT_NE(all.find(fragment), std::string::npos) << c.Name << ":\n" << all;
    }
}

TEST(Impossibility, PinnedTeamsCountAsFixed) {
    TDivisionValues d = Division8("N");
    SetTeam(d, s1A, "TV Hude");
    SetTeam(d, s2A, "TV Hude II");
    const TSeason season({d}, TClubDirectory());
    TPinnedSlots pinned{};
    pinned[static_cast<int>(s1A)] = pinned[static_cast<int>(s2A)] = true;
    const std::vector<std::string> reasons =
        ExplainClashes(MakeProposalInput(season, 0, pinned), 5);
    ASSERT_EQ(reasons.size(), 2u);
    EXPECT_EQ(reasons[1], "\xE2\x80\x9ETV Hude\xE2\x80\x9C (2 Mannschaften, davon 2 festgesetzt, "
                          "Kapazit\xC3\xA4t 1) hat in jeder Verteilung mindestens 5 Konflikte: "
                          "seine Mannschaften dieser Staffel haben zur selben Zeit zusammen mehr "
                          "Heimspiele, als die Halle fasst (mindestens 5 zu viel).");
    // Unpinned the two teams find their place.
    EXPECT_TRUE(ProposeSlots(MakeProposalInput(season, 0)).Reasons.empty());
}

} // namespace
