#pragma once
// The holiday table (Ferien.xml) as plain values, read without trusting
// it, and imported holidays added to it.
#include "data/table/RecordTable.h"
#include "season/DaysOff.h"

#include <string>
#include <vector>

struct THolidayTableRead {
    std::vector<TSchoolHoliday> Holidays;
    std::vector<std::string> Problems; // German, UTF-8, one per row left out
};

// Every row in the table's order; a row without both dates, or ending
// before it begins, is left out and reported.
THolidayTableRead HolidaysFromTable(TRecordTable& table);

// The holidays not yet in the table (same dates and name), in their order.
std::vector<TSchoolHoliday> NewHolidays(const std::vector<TSchoolHoliday>& table,
                                        const std::vector<TSchoolHoliday>& imported);

// Appends and posts one row per holiday; the caller saves the table.
void AddHolidays(TRecordTable& table, const std::vector<TSchoolHoliday>& holidays);
