// The plan check: each finding on its own, and none on a clean division.
#include "DivisionSamples.h"
#include "report/PlanCheck.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using enum TSlotName;
using enum TSpieltagKey;

std::string Describe(const std::vector<TPlanFinding>& findings) {
    std::string text;
    for (const auto& finding : findings)
        text += "\n  [" + std::to_string(finding.Kind) + "] " + finding.Text;
    return text.empty() ? "\n  (none)" : text;
}

TDaySerial Day(int year, unsigned month, unsigned day) {
    return *DayFromCivil(year, month, day);
}

struct TCheckCase {
    const char* Name;
    bool TenTeams;
    std::function<void(TDivisionValues&)> Change;
    std::vector<TPlanFinding> Expected;
};

TEST(PlanCheck, ReportsEachFinding) {
    const TCheckCase cases[] = {
        {"clean 8 teams", false, [](TDivisionValues&) {}, {}},
        {"clean 10 teams", true, [](TDivisionValues&) {}, {}},
        {"8 teams ignore 5A, 5B, 4A, 8A",
         false,
         [](TDivisionValues& d) {
             SetTeam(d, s5A, "Team 1A");
             SetDate(d, k4A, Day(1999, 1, 1));
         },
         {}},
        {"blank slot",
         true,
         [](TDivisionValues& d) { SetTeam(d, s5B, "   "); },
         {{pfSlotWithoutTeam, "Platz 5B hat keinen Mannschaftsnamen."}}},
        {"team twice, blanks ignored",
         false,
         [](TDivisionValues& d) {
             SetTeam(d, s1B, "Team 1A ");
             SetTeam(d, s4A, "Team 1A");
         },
         {{pfTeamInTwoSlots,
           "Die Mannschaft \xE2\x80\x9ETeam 1A\xE2\x80\x9C steht in den Pl\xC3\xA4tzen 1A, 1B "
           "und 4A."}}},
        {"own team in no slot",
         false,
         [](TDivisionValues& d) { d.Mannschaft = "Team 5A"; },
         {{pfOwnTeamMissing, "Die eigene Mannschaft \xE2\x80\x9ETeam 5A\xE2\x80\x9C steht in "
                             "keinem Platz der Staffel."}}},
        {"no own team",
         true,
         [](TDivisionValues& d) { d.Mannschaft.clear(); },
         {{pfOwnTeamMissing, "Es ist keine eigene Mannschaft eingetragen."}}},
        {"umlaut team (Windows-1252)",
         false,
         [](TDivisionValues& d) {
             d.Mannschaft = "M\xFCnster";
             SetTeam(d, s3A, "M\xFCnster");
         },
         {}},
        {"missing date",
         true,
         [](TDivisionValues& d) { SetDate(d, k8A, std::nullopt); },
         {{pfDayWithoutDate, "Spieltag 8A hat kein Datum."}}},
        {"4A after 5",
         true,
         [](TDivisionValues& d) { SetDate(d, k4A, *d.Date(k5) + 1); },
         {{pfDateOrder, "Spieltag 5 (10.10.2026) liegt nicht nach Spieltag 4A (11.10.2026)."}}},
        {"order skips an undated day",
         false,
         [](TDivisionValues& d) {
             SetDate(d, k4, std::nullopt);
             SetDate(d, k5, *d.Date(k3) - 1);
         },
         {{pfDayWithoutDate, "Spieltag 4 hat kein Datum."},
          {pfDateOrder, "Spieltag 5 (18.09.2026) liegt nicht nach Spieltag 3 (19.09.2026)."}}},
        {"three on one date",
         true,
         [](TDivisionValues& d) {
             SetDate(d, k4, d.Date(k3));
             SetDate(d, k4A, d.Date(k3));
         },
         {{pfSameDate, "Die Spieltage 3, 4 und 4A liegen auf demselben Tag (19.09.2026)."}}},
        {"before the season year",
         false,
         [](TDivisionValues& d) {
             for (auto& date : d.Dates)
                 if (date)
                     *date -= 365;
             SetDate(d, k8, Day(2026, 1, 2));
         },
         {{pfDateOutsideSeason, "Spieltag 1 (05.09.2025) liegt vor dem Jahr 2026."},
          {pfDateOutsideSeason, "Spieltag 2 (12.09.2025) liegt vor dem Jahr 2026."},
          {pfDateOutsideSeason, "Spieltag 3 (19.09.2025) liegt vor dem Jahr 2026."},
          {pfDateOutsideSeason, "Spieltag 4 (26.09.2025) liegt vor dem Jahr 2026."},
          {pfDateOutsideSeason, "Spieltag 5 (03.10.2025) liegt vor dem Jahr 2026."},
          {pfDateOutsideSeason, "Spieltag 6 (10.10.2025) liegt vor dem Jahr 2026."},
          {pfDateOutsideSeason, "Spieltag 7 (17.10.2025) liegt vor dem Jahr 2026."}}},
        {"next year is still the season, the one after not",
         true,
         [](TDivisionValues& d) {
             SetDate(d, k8, Day(2027, 12, 31));
             SetDate(d, k8A, Day(2028, 1, 1));
         },
         {{pfDateOutsideSeason, "Spieltag 8A (01.01.2028) liegt mehr als ein Jahr nach dem "
                                "Jahr 2026."}}},
        {"no year: no season check", false, [](TDivisionValues& d) { d.Jahr.reset(); }, {}},
    };
    for (const TCheckCase& c : cases) {
        TDivisionValues division = SampleDivision(c.TenTeams);
        c.Change(division);
        const auto findings = CheckPlan(division, TRegionalSettings::German());
        bool same = findings.size() == c.Expected.size();
        for (std::size_t i = 0; same && i < findings.size(); ++i)
            same = findings[i].Kind == c.Expected[i].Kind && findings[i].Text == c.Expected[i].Text;
        EXPECT_TRUE(same) << c.Name << "\nfound:" << Describe(findings)
                          << "\nexpected:" << Describe(c.Expected);
    }
}

TEST(PlanCheck, EmptyDivisionReportsEverySlotAndDay) {
    TDivisionValues empty;
    empty.TenTeams = true;
    EXPECT_EQ(CheckPlan(empty, TRegionalSettings::German()).size(), 21u); // 10 + 10 + own team
}

} // namespace
