// School holidays from iCalendar text: ends, durations, folded lines, rules,
// and the files that are refused.
#include "data/StaffelError.h"
#include "season/ICalHolidays.h"

#include <gtest/gtest.h>

namespace {

TDaySerial Date(unsigned day, unsigned month, int year) {
    return *DayFromCivil(year, month, day);
}

std::string Calendar(const std::string& events) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//DE\r\n" + events +
           "END:VCALENDAR\r\n";
}

std::string Event(const std::string& lines) {
    return "BEGIN:VEVENT\r\n" + lines + "END:VEVENT\r\n";
}

std::vector<TSchoolHoliday> Read(const std::string& text) {
    return ReadICalHolidays(text, "ferien.ics", "ferien.ics", 2025, 2026);
}

std::string Refusal(const std::string& text) {
    try {
        Read(text);
    } catch (const TStaffelError& error) {
        return error.what();
    }
    return "(angenommen)";
}

TEST(ICalHolidays, EndsDurationsFoldsAndRules) {
    const std::string file = Calendar(
        Event("SUMMARY:Herbst\r\n ferien Niedersachsen\r\nDTSTART;VALUE=DATE:20251013\r\n"
              "DTEND;VALUE=DATE:20251026\r\n") +
        Event("SUMMARY:Weihnachtsferien\r\nDTSTART;VALUE=DATE:20251222\r\n"
              "DTEND;VALUE=DATE:20260106\r\n") +
        Event("SUMMARY:Winterferien\r\nDTSTART;VALUE=DATE:20260202\r\nDURATION:P2D\r\n") +
        Event("SUMMARY:Br\xC3\xBC"
              "ckentag\r\nDTSTART;VALUE=DATE:20260515\r\n") +
        Event("SUMMARY:Br\xC3\xBC"
              "ckentag\r\nDTSTART;VALUE=DATE:20251003\r\n") +
        Event("SUMMARY:Neujahr\r\nDTSTART;VALUE=DATE:20180101\r\nRRULE:FREQ=YEARLY\r\n") +
        Event("SUMMARY:Elternabend\r\nDTSTART:20251020T190000\r\nDTEND:20251020T210000\r\n"));
    const std::vector<TSchoolHoliday> expected = {
        {Date(13, 10, 2025), Date(25, 10, 2025), "Herbstferien Niedersachsen", "ferien.ics"},
        {Date(22, 12, 2025), Date(5, 1, 2026), "Weihnachtsferien", "ferien.ics"},
        {Date(2, 2, 2026), Date(3, 2, 2026), "Winterferien", "ferien.ics"},
        {Date(15, 5, 2026), Date(15, 5, 2026),
         "Br\xFC"
         "ckentag",
         "ferien.ics"},
        {Date(3, 10, 2025), Date(3, 10, 2025),
         "Br\xFC"
         "ckentag",
         "ferien.ics"},
        {Date(1, 1, 2025), Date(1, 1, 2025), "Neujahr", "ferien.ics"},
        {Date(1, 1, 2026), Date(1, 1, 2026), "Neujahr", "ferien.ics"},
    };
    EXPECT_EQ(Read(file), expected);
}

TEST(ICalHolidays, RefusedFiles) {
    const struct {
        std::string Text;
        const char* Expected;
    } cases[] = {
        {"Von;Bis;Name\r\n13.10.2025;25.10.2025;Herbstferien\r\n",
         "Die Datei \xE2\x80\x9E"
         "ferien.ics\xE2\x80\x9C ist keine iCalendar-Datei; es wurde nichts importiert."},
        {"", "ist keine iCalendar-Datei"},
        {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20251013\r\n",
         "ist keine iCalendar-Datei"},
        {Calendar(Event("SUMMARY:Elternabend\r\nDTSTART:20251020T190000\r\n")),
         "enth\xC3\xA4lt keine ganzt\xC3\xA4gigen Termine; es wurde nichts importiert."},
        {Calendar(Event("SUMMARY:Ferien \xC5\x82\r\nDTSTART;VALUE=DATE:20251013\r\n")),
         "(U+0142) an Stelle 8"},
    };
    for (const auto& c : cases)
        EXPECT_NE(Refusal(c.Text).find(c.Expected), std::string::npos) << c.Text << "\n"
                                                                       << Refusal(c.Text);
}

} // namespace
