#include "season/HolidayTable.h"

#include "season/QuotedText.h"

#include <algorithm>

namespace {

std::optional<TDaySerial> DayAt(TRecordTable& table, int row, const TField* field) {
    if (!field)
        return std::nullopt;
    if (const auto* day = std::get_if<TDateValue>(&table.DisplayValue(row, field->Index())))
        return day->Day;
    return std::nullopt;
}

std::string TextAt(TRecordTable& table, int row, const TField* field) {
    return field ? table.DisplayText(row, field->Index()) : std::string();
}

} // namespace

THolidayTableRead HolidaysFromTable(TRecordTable& table) {
    THolidayTableRead read;
    if (!table.Active())
        return read;
    const TField* from = table.FindField("Von");
    const TField* to = table.FindField("Bis");
    const TField* name = table.FindField("Name");
    const TField* source = table.FindField("Quelle");
    for (int r = 0; r < table.DisplayCount(); ++r) {
        const auto first = DayAt(table, r, from), last = DayAt(table, r, to);
        TSchoolHoliday holiday;
        holiday.Name = TextAt(table, r, name);
        holiday.Source = TextAt(table, r, source);
        const std::string label =
            "Ferien in Zeile " + std::to_string(r + 1) +
            (holiday.Name.empty() ? std::string() : " (" + QuotedFieldText(holiday.Name) + ")");
        if (!first || !last) {
            read.Problems.push_back(label + " haben nicht beide Daten und bleiben unbeachtet.");
            continue;
        }
        if (*last < *first) {
            read.Problems.push_back(label + " enden vor ihrem Beginn und bleiben unbeachtet.");
            continue;
        }
        holiday.From = *first;
        holiday.To = *last;
        read.Holidays.push_back(std::move(holiday));
    }
    return read;
}

std::vector<TSchoolHoliday> NewHolidays(const std::vector<TSchoolHoliday>& table,
                                        const std::vector<TSchoolHoliday>& imported) {
    const auto same = [](const TSchoolHoliday& a, const TSchoolHoliday& b) {
        return a.From == b.From && a.To == b.To && a.Name == b.Name;
    };
    std::vector<TSchoolHoliday> fresh;
    for (const TSchoolHoliday& holiday : imported) {
        const auto known = [&](const TSchoolHoliday& other) { return same(other, holiday); };
        if (std::none_of(table.begin(), table.end(), known) &&
            std::none_of(fresh.begin(), fresh.end(), known))
            fresh.push_back(holiday);
    }
    return fresh;
}

void AddHolidays(TRecordTable& table, const std::vector<TSchoolHoliday>& holidays) {
    for (const TSchoolHoliday& holiday : holidays) {
        table.Append();
        table.Field("Von").SetAsDateTime(holiday.From);
        table.Field("Bis").SetAsDateTime(holiday.To);
        table.Field("Name").SetAsText(holiday.Name);
        table.Field("Quelle").SetAsText(holiday.Source);
        table.Post();
    }
}
