#include "season/ICalHolidays.h"

#include "data/StaffelError.h"
#include "data/file/Cp1252.h"
#include "season/QuotedText.h"

#include <libical/ical.h>

#include <memory>

namespace {

// An occurrence of a rule that would never reach the years asked is no holiday.
constexpr int MaxOccurrences = 5000;

struct TComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
struct TIteratorFree {
    void operator()(icalrecur_iterator* iterator) const { icalrecur_iterator_free(iterator); }
};

std::optional<TDaySerial> DayOf(const icaltimetype& time) {
    if (icaltime_is_null_time(time))
        return std::nullopt;
    return DayFromCivil(time.year, static_cast<unsigned>(time.month),
                        static_cast<unsigned>(time.day));
}

// The summary as a field text: refused, not altered, where a character
// cannot be stored.
std::string FieldName(const char* summary, const std::string& fileName) {
    std::string utf8 = summary && *summary ? summary : "Ferien";
    // A file not in UTF-8 is taken as Windows-1252, as such files are written.
    if (!IsValidUtf8(utf8))
        utf8 = Cp1252ToUtf8(utf8);
    std::size_t position = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::string character = utf8.substr(i, length);
        ++position;
        const std::string back = Cp1252ToUtf8(Utf8ToCp1252(character));
        char32_t codePoint = lead;
        if (length > 1) {
            codePoint = lead & (0xFF >> (length + 1));
            for (std::size_t k = 1; k < character.size(); ++k)
                codePoint = (codePoint << 6) | (static_cast<unsigned char>(character[k]) & 0x3F);
        }
        if (back != character || codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0))
            throw TStaffelError("Die Datei " + QuotedUtf8(fileName) + ": " +
                                UnstorableCharMessage({codePoint, position}, utf8) +
                                " Es wurde nichts importiert.");
        i += length;
    }
    return Utf8ToCp1252(utf8);
}

void AddOccurrences(std::vector<TSchoolHoliday>& holidays, icalcomponent* event,
                    const icaltimetype& start, int length, const TSchoolHoliday& model,
                    int firstYear, int lastYear) {
    icalproperty* rule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
    if (!rule) {
        TSchoolHoliday holiday = model;
        holiday.To = holiday.From + length - 1;
        holidays.push_back(std::move(holiday));
        return;
    }
    const std::unique_ptr<icalrecur_iterator, TIteratorFree> occurrences(
        icalrecur_iterator_new(icalproperty_get_rrule(rule), start));
    if (!occurrences)
        return;
    icaltimetype from = icaltime_null_date();
    from.year = firstYear;
    from.month = from.day = 1;
    if (icaltime_compare(from, start) > 0)
        icalrecur_iterator_set_start(occurrences.get(), from); // fails with COUNT: then counted
    for (int n = 0; n < MaxOccurrences; ++n) {
        const icaltimetype next = icalrecur_iterator_next(occurrences.get());
        if (icaltime_is_null_time(next) || next.year > lastYear)
            break;
        const auto day = DayOf(next);
        if (next.year < firstYear || !day)
            continue;
        TSchoolHoliday holiday = model;
        holiday.From = *day;
        holiday.To = *day + length - 1;
        holidays.push_back(std::move(holiday));
    }
}

} // namespace

std::vector<TSchoolHoliday> ReadICalHolidays(std::string_view bytes, const std::string& fileName,
                                             std::string_view source, int firstYear, int lastYear) {
    icalerror_set_errors_are_fatal(0);
    const std::string text(bytes.substr(0, bytes.find('\0')));
    const std::unique_ptr<icalcomponent, TComponentFree> calendar(
        icalparser_parse_string(text.c_str()));
    if (!calendar || icalcomponent_isa(calendar.get()) != ICAL_VCALENDAR_COMPONENT)
        throw TStaffelError("Die Datei " + QuotedUtf8(fileName) +
                            " ist keine iCalendar-Datei; es wurde nichts importiert.");
    std::vector<TSchoolHoliday> holidays;
    int allDay = 0;
    for (icalcomponent* event =
             icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
        const icaltimetype start = icalcomponent_get_dtstart(event);
        const auto first = DayOf(start);
        if (!start.is_date || !first)
            continue;
        // libical gives the exclusive end from DTEND or DURATION, or one day.
        const auto end = DayOf(icalcomponent_get_dtend(event));
        const int length = end && *end > *first ? *end - *first : 1;
        ++allDay;
        TSchoolHoliday model;
        model.From = *first;
        model.Name = FieldName(icalcomponent_get_summary(event), fileName);
        model.Source = std::string(source);
        AddOccurrences(holidays, event, start, length, model, firstYear, lastYear);
    }
    if (allDay == 0)
        throw TStaffelError("Die Datei " + QuotedUtf8(fileName) +
                            " enthält keine ganztägigen Termine; es wurde nichts importiert.");
    return holidays;
}
