// The calendar export: event counts against the pairing tables, the event
// content, folding, escaping and stable UIDs.
#include "DivisionSamples.h"
#include "data/StaffelError.h"
#include "report/ICalExport.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace {

using enum TSlotName;
using enum TSpieltagKey;

constexpr std::int64_t kStamp = 1796803200; // 2026-12-09 08:00:00 UTC

// The physical lines, CRLF removed; fails the test on a bare LF.
std::vector<std::string> PhysicalLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "last line without CRLF";
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(start, end - start));
        EXPECT_EQ(lines.back().find('\n'), std::string::npos) << lines.back();
        start = end + 2;
    }
    return lines;
}

// Content lines with their folding undone.
std::vector<std::string> Unfolded(const std::string& text) {
    std::vector<std::string> lines;
    for (const std::string& line : PhysicalLines(text))
        if (!line.empty() && line[0] == ' ' && !lines.empty())
            lines.back() += line.substr(1);
        else
            lines.push_back(line);
    return lines;
}

std::vector<std::string> Values(const std::string& text, const std::string& name) {
    std::vector<std::string> values;
    for (const std::string& line : Unfolded(text))
        if (line.rfind(name + ":", 0) == 0 || line.rfind(name + ";", 0) == 0)
            values.push_back(line.substr(line.find(':') + 1));
    return values;
}

TEST(ICalExport, EventCountsFollowThePairingTables) {
    struct {
        bool TenTeams;
        TCalendarScope Scope;
        std::optional<TSpieltagKey> UndatedDay;
        int Events, Undated;
    } const cases[] = {
        {false, csDivision, {}, 56, 0},
        {false, csOwnTeam, {}, 14, 0},
        {true, csDivision, {}, 90, 0},
        {true, csOwnTeam, {}, 18, 0},
        // Match day 1 of Klasse8 has four games, one of them the own team's.
        {false, csDivision, k1, 52, 4},
        {false, csOwnTeam, k1, 13, 1},
        // Match day 2 of Klasse10: nine games, two of the own team.
        {true, csDivision, k2, 81, 9},
        {true, csOwnTeam, k2, 16, 2},
    };
    for (const auto& c : cases) {
        TDivisionValues division = SampleDivision(c.TenTeams);
        if (c.UndatedDay)
            SetDate(division, *c.UndatedDay, std::nullopt);
        const TCalendarExport result = MakeCalendar(division, c.Scope, kStamp);
        const std::string input =
            std::string(c.TenTeams ? "10" : "8") + " teams, scope " + std::to_string(c.Scope) +
            ", undated " + (c.UndatedDay ? std::string(SpieltagKeyName(*c.UndatedDay)) : "-");
        EXPECT_EQ(result.Events, c.Events) << input;
        EXPECT_EQ(result.Undated, c.Undated) << input;
        const auto uids = Values(result.Text, "UID");
        EXPECT_EQ(std::set<std::string>(uids.begin(), uids.end()).size(), uids.size()) << input;
    }
}

TEST(ICalExport, FirstGameEventOfMatchDayFourA) {
    TDivisionValues division = SampleDivision(true);
    SetDate(division, k4A, *DayFromCivil(2026, 10, 3));
    const std::string text = MakeCalendar(division, csDivision, kStamp).Text;
    const auto lines = Unfolded(text);
    const auto uid = std::find(lines.begin(), lines.end(),
                               "UID:2026-Bezirksliga%20Nord-Spt4A-1500-1A-5A@staffelplan");
    ASSERT_NE(uid, lines.end()) << text;
    const std::vector<std::string> event(uid, uid + 7);
    const std::vector<std::string> expected = {
        "UID:2026-Bezirksliga%20Nord-Spt4A-1500-1A-5A@staffelplan",
        "DTSTAMP:20261209T080000Z",
        "SEQUENCE:850118400",
        "DTSTART;TZID=Europe/Berlin:20261003T150000",
        "DTEND;TZID=Europe/Berlin:20261003T170000",
        "SUMMARY:Team 1A \xE2\x80\x93 Team 5A",
        "DESCRIPTION:Staffel: Bezirksliga Nord\\nJahr: 2026\\nSpieltag: 4A\\n1. Spiel 15 Uhr"};
    EXPECT_EQ(event, expected);
}

TEST(ICalExport, TeamNamesAreEscapedAndConverted) {
    TDivisionValues division = SampleDivision(false);
    SetTeam(division, s1A, "SG Nord; Ost,\\ M\xFCnster"); // Windows-1252 ü
    SetTeam(division, s1B, "");
    const std::string text = MakeCalendar(division, csDivision, kStamp).Text;
    const auto summaries = Values(text, "SUMMARY");
    EXPECT_EQ(summaries.front(), "SG Nord\\; Ost\\,\\\\ M\xC3\xBCnster \xE2\x80\x93 Platz 1B");
    EXPECT_EQ(EscapeICalText("a\r\nb\nc\x01"), "a\\nb\\nc");
}

TEST(ICalExport, LongLinesFoldWithoutSplittingUtf8) {
    struct {
        std::string Line;
        std::vector<std::size_t> Lengths; // octets of each physical line without CRLF
    } const cases[] = {
        {std::string(75, 'x'), {75}},
        {std::string(76, 'x'), {75, 2}},
        {std::string(75 + 74 + 1, 'x'), {75, 75, 2}},
        // "ü" (2 octets) at octets 74 and 75: the whole character moves on.
        {std::string(74, 'x') + "\xC3\xBC" + "y", {74, 4}},
        // "–" (3 octets) at 73 .. 75 moves on; at 72 .. 74 it fits.
        {std::string(73, 'x') + "\xE2\x80\x93" + "yz", {73, 6}},
        {std::string(72, 'x') + "\xE2\x80\x93" + "yz", {75, 3}},
    };
    for (const auto& c : cases) {
        const std::string folded = FoldICalLine(c.Line);
        std::vector<std::size_t> lengths;
        std::string rejoined;
        for (const std::string& line : PhysicalLines(folded)) {
            lengths.push_back(line.size());
            rejoined += lengths.size() == 1 ? line : line.substr(1);
            EXPECT_LE(line.size(), 75u) << c.Line;
            if (lengths.size() > 1)
                EXPECT_EQ(line[0], ' ') << c.Line;
            EXPECT_NE(static_cast<unsigned char>(line[lengths.size() > 1 ? 1 : 0]) & 0xC0, 0x80u)
                << c.Line;
        }
        EXPECT_EQ(lengths, c.Lengths) << c.Line;
        EXPECT_EQ(rejoined, c.Line);
    }
}

TEST(ICalExport, UidsStayWhenNamesAndDatesChange) {
    TDivisionValues before = SampleDivision(true);
    TDivisionValues after = before;
    SetTeam(after, s3B, "Umbenannt");
    SetDate(after, k5, *before.Date(k5) + 1);
    const auto first = Values(MakeCalendar(before, csDivision, kStamp).Text, "UID");
    const auto second = Values(MakeCalendar(after, csDivision, kStamp + 3600).Text, "UID");
    EXPECT_EQ(first, second);

    after.Klasse = "Bezirksliga S\xFC"
                   "d"; // another division: other UIDs
    const auto other = Values(MakeCalendar(after, csDivision, kStamp).Text, "UID");
    EXPECT_NE(other.front(), first.front());
    EXPECT_EQ(other.front(), "2026-Bezirksliga%20S%C3%BCd-Spt1-1500-1A-3A@staffelplan");
}

TEST(ICalExport, SequenceGrowsWithEveryExportSoThatMovedDatesAreUpdates) {
    const TDivisionValues division = SampleDivision(true);
    const struct {
        std::int64_t Stamp;
        std::string Sequence;
    } cases[] = {
        {kStamp, "850118400"},
        {kStamp + 1, "850118401"},
        {946684800, "0"}, // 2000-01-01 00:00:00 UTC
        {946684799, "0"}, // a clock before 2000 does not go negative
    };
    for (const auto& c : cases) {
        const auto text = MakeCalendar(division, csDivision, c.Stamp).Text;
        const auto sequences = Values(text, "SEQUENCE");
        EXPECT_EQ(sequences.size(), Values(text, "UID").size()) << c.Stamp;
        EXPECT_EQ(std::set<std::string>(sequences.begin(), sequences.end()),
                  std::set<std::string>{c.Sequence})
            << c.Stamp;
    }
}

TEST(ICalExport, OwnTeamExportNeedsTheOwnTeamInASlot) {
    TDivisionValues division = SampleDivision(false);
    for (const char* own : {"Team 5A", " "}) { // 5A is not played with eight teams
        division.Mannschaft = own;
        EXPECT_THROW(MakeCalendar(division, csOwnTeam, kStamp), TStaffelError) << own;
    }
}

} // namespace
