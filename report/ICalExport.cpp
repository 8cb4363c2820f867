#include "report/ICalExport.h"

#include "data/StaffelError.h"
#include "data/file/Cp1252.h"
#include "report/Fixtures.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

constexpr std::size_t kMaxOctets = 75;

// Central European time with its EU switching rules since 1996.
constexpr std::string_view kTimeZone[] = {"BEGIN:VTIMEZONE",
                                          "TZID:Europe/Berlin",
                                          "BEGIN:DAYLIGHT",
                                          "TZOFFSETFROM:+0100",
                                          "TZOFFSETTO:+0200",
                                          "TZNAME:CEST",
                                          "DTSTART:19700329T020000",
                                          "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU",
                                          "END:DAYLIGHT",
                                          "BEGIN:STANDARD",
                                          "TZOFFSETFROM:+0200",
                                          "TZOFFSETTO:+0100",
                                          "TZNAME:CET",
                                          "DTSTART:19701025T030000",
                                          "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU",
                                          "END:STANDARD",
                                          "END:VTIMEZONE"};

// iCalendar years have four digits.
bool Representable(TDaySerial day) {
    const int year = CivilFromDay(day).Year;
    return year >= 1 && year <= 9999;
}

std::string LocalDateTime(TDaySerial day, int minutes) {
    day += minutes / (24 * 60);
    minutes %= 24 * 60;
    const TCivilDate date = CivilFromDay(day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02u%02uT%02d%02d00", date.Year, date.Month, date.Day,
                  minutes / 60, minutes % 60);
    return text;
}

std::string UtcStamp(std::int64_t seconds) {
    using namespace std::chrono;
    const sys_seconds time{std::chrono::seconds(seconds)};
    const auto day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{time - day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02u%02uT%02d%02d%02dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()));
    return text;
}

std::int64_t SequenceOf(std::int64_t stampUtc) {
    constexpr std::int64_t Year2000 = 946684800; // 2000-01-01 00:00:00 UTC
    return std::max<std::int64_t>(stampUtc - Year2000, 0);
}

// Letters and digits stay, every other octet of the UTF-8 text becomes %XX:
// no escaping needed and the same class always gives the same UID.
std::string UidPart(std::string_view utf8) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string part;
    for (unsigned char c : utf8) {
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            part += static_cast<char>(c);
        } else {
            part += '%';
            part += hex[c >> 4];
            part += hex[c & 15];
        }
    }
    return part;
}

std::string GameUid(const TDivisionValues& division, const TGame& game) {
    return UidPart(division.Jahr ? std::to_string(*division.Jahr) : std::string()) + "-" +
           UidPart(Cp1252ToUtf8(TrimmedTeam(division.Klasse))) + "-Spt" +
           std::string(SpieltagKeyName(game.Day)) + "-" + (game.Game == 1 ? "1500" : "1900") + "-" +
           std::string(SlotFieldName(game.Home)) + "-" + std::string(SlotFieldName(game.Away)) +
           "@staffelplan";
}

std::string Description(const TDivisionValues& division, const TGame& game, const TTieRecord* tie,
                        bool moved) {
    std::string text = "Staffel: " + Cp1252ToUtf8(TrimmedTeam(division.Klasse));
    if (division.Jahr)
        text += "\nJahr: " + std::to_string(*division.Jahr);
    text += "\nSpieltag: " + std::string(SpieltagKeyName(game.Day));
    text += game.Game == 1 ? "\n1. Spiel 15 Uhr" : "\n2. Spiel 19 Uhr";
    if (moved)
        text += "\nVerlegt";
    if (tie) {
        const std::string result =
            tie->Status == TTieState::Gespielt ? FormatResult(tie->Result) : TieResultText(*tie);
        if (!result.empty())
            text += "\nErgebnis: " + result;
        if (!tie->Bemerkung.empty())
            text += "\n" + Cp1252ToUtf8(tie->Bemerkung);
    }
    return text;
}

bool PlaysIn(const TDivisionValues& division, const TGame& game, const std::string& own) {
    return TrimmedTeam(division.Team(game.Home)) == own ||
           TrimmedTeam(division.Team(game.Away)) == own;
}

std::string OwnTeamOrFail(const TDivisionValues& division) {
    const std::string own = TrimmedTeam(division.Mannschaft);
    if (own.empty())
        throw TStaffelError("F\xC3\xBCr die Staffel ist keine eigene Mannschaft eingetragen.");
    for (TSlotName slot : SlotsUsedBy(LayoutOf(division)))
        if (TrimmedTeam(division.Team(slot)) == own)
            return own;
    throw TStaffelError("Die eigene Mannschaft \xE2\x80\x9E" + Cp1252ToUtf8(own) +
                        "\xE2\x80\x9C steht in keinem Platz der Staffel.");
}

} // namespace

std::string EscapeICalText(std::string_view utf8) {
    std::string text;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        switch (c) {
        case '\\':
        case ';':
        case ',':
            text += '\\';
            text += c;
            break;
        case '\r':
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
            text += "\\n";
            break;
        case '\n':
            text += "\\n";
            break;
        default:
            // Other control characters are not allowed in a TEXT value.
            if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)
                text += c;
        }
    }
    return text;
}

std::string FoldICalLine(std::string_view line) {
    std::string folded;
    std::size_t limit = kMaxOctets; // the first line has no leading blank
    while (line.size() > limit) {
        std::size_t cut = limit;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        if (cut == 0) // no UTF-8 here; cut by octets
            cut = limit;
        folded.append(line.substr(0, cut));
        folded += "\r\n ";
        line.remove_prefix(cut);
        limit = kMaxOctets - 1;
    }
    folded.append(line);
    folded += "\r\n";
    return folded;
}

void BeginCalendar(std::string& out, std::string_view nameUtf8) {
    const auto add = [&out](std::string_view line) { out += FoldICalLine(line); };
    add("BEGIN:VCALENDAR");
    add("VERSION:2.0");
    add("PRODID:-//Staffelplan//Spielplan//DE");
    add("CALSCALE:GREGORIAN");
    add("METHOD:PUBLISH");
    add("X-WR-CALNAME:" + EscapeICalText(nameUtf8));
    for (std::string_view line : kTimeZone)
        add(line);
}

void EndCalendar(std::string& out) {
    out += FoldICalLine("END:VCALENDAR");
}

bool AddGameEvent(std::string& out, const TDivisionValues& division, const TGame& game,
                  std::int64_t stampUtc, const TTieRecord* tie) {
    auto date = division.Date(game.Day);
    int start = LayoutClock(game.Game);
    bool moved = false;
    if (tie) {
        if (tie->Datum && tie->Datum != date) {
            date = tie->Datum;
            moved = true;
        }
        if (const auto clock = ParseClock(tie->Uhrzeit); clock && *clock != start) {
            start = *clock;
            moved = true;
        }
    }
    if (!date || !Representable(*date))
        return false;
    const auto add = [&out](std::string_view line) { out += FoldICalLine(line); };
    std::string summary =
        TeamLabelUtf8(division, game.Home) + " \xE2\x80\x93 " + TeamLabelUtf8(division, game.Away);
    if (tie)
        if (const std::string result = TieResultText(*tie); !result.empty())
            summary += " (" + result + ")";
    add("BEGIN:VEVENT");
    add("UID:" + GameUid(division, game));
    add("DTSTAMP:" + UtcStamp(stampUtc));
    add("SEQUENCE:" + std::to_string(SequenceOf(stampUtc)));
    add("DTSTART;TZID=Europe/Berlin:" + LocalDateTime(*date, start));
    add("DTEND;TZID=Europe/Berlin:" + LocalDateTime(*date, start + 2 * 60));
    add("SUMMARY:" + EscapeICalText(summary));
    add("DESCRIPTION:" + EscapeICalText(Description(division, game, tie, moved)));
    add("END:VEVENT");
    return true;
}

TCalendarExport MakeCalendar(const TDivisionValues& division, TCalendarScope scope,
                             std::int64_t stampUtc, const TTieLookup& ties) {
    const std::string own = scope == csOwnTeam ? OwnTeamOrFail(division) : std::string();
    TCalendarExport result;
    BeginCalendar(result.Text, DivisionTitleUtf8(division));
    for (const TGame& game : GamesOf(LayoutOf(division))) {
        if (scope == csOwnTeam && !PlaysIn(division, game, own))
            continue;
        if (IsByeSlot(division, game.Home) || IsByeSlot(division, game.Away))
            continue;
        const TTieRecord* tie = ties ? ties(game) : nullptr;
        if (tie && tie->Status == TTieState::Abgesetzt)
            continue;
        if (AddGameEvent(result.Text, division, game, stampUtc, tie))
            ++result.Events;
        else
            ++result.Undated;
    }
    EndCalendar(result.Text);
    return result;
}
