#pragma once
// Small tables for the control tests: a calendar-like table with a required
// year, a text, a date and a boolean field.
#include "data/table/RecordTable.h"
#include "ui/controls/DataSource.h"

#include <memory>
#include <vector>

struct TTestTable {
    TRecordTable Table{"t_test"};
    TDataSource Source;

    // Rows of years; the cursor ends on the first row.
    explicit TTestTable(const std::vector<int>& years = {}) {
        Table.DefineField("Jahr", ctInteger, 0, true);
        Table.DefineField("Klasse", ctText, 20, false);
        Table.DefineField("1dat", ctDate, 0, false);
        Table.DefineField("10Klasse", ctBoolean, 0, false);
        Table.CreateEmpty();
        for (int year : years) {
            Table.Append();
            Table.Field("Jahr").SetAsInteger(year);
            Table.Field("Klasse").SetAsText("K" + std::to_string(year));
            Table.Field("10Klasse").SetAsBoolean(year % 2 == 0);
            Table.Post();
        }
        Table.First();
        Source.SetDataSet(&Table);
        Source.SetAutoEdit(true);
    }
    int Year() { return Table.Field("Jahr").AsInteger(); }
};
