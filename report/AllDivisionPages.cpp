#include "report/AllDivisionPages.h"

#include "report/DivisionValues.h"
#include "report/PageGenerator.h"
#include "report/ReportBinding.h"

#include <algorithm>

namespace {

// A table of the same fields holding copies of the rows; no keys, no
// required fields, texts never cut.
void CopyRows(TRecordTable& from, TRecordTable& to) {
    const int fields = from.FieldCount();
    const int rows = from.DisplayCount();
    for (int f = 0; f < fields; ++f) {
        TField& field = from.FieldAt(f);
        int width = field.Width();
        for (int r = 0; r < rows; ++r)
            if (const auto* text = std::get_if<std::string>(&from.DisplayValue(r, f)))
                width = std::max(width, static_cast<int>(text->size()));
        to.DefineField(field.Name(), field.Type(), width, false);
    }
    to.CreateEmpty();
    for (int r = 0; r < rows; ++r) {
        to.Append();
        for (int f = 0; f < fields; ++f) {
            const TValue& value = from.DisplayValue(r, f);
            TField& target = to.FieldAt(f);
            if (const auto* number = std::get_if<std::int32_t>(&value))
                target.SetAsInteger(*number);
            else if (const auto* text = std::get_if<std::string>(&value))
                target.SetAsText(*text);
            else if (const auto* flag = std::get_if<bool>(&value))
                target.SetAsBoolean(*flag);
            else if (const auto* date = std::get_if<TDateValue>(&value))
                target.SetAsDateTime(date->Day);
        }
        to.Post();
    }
}

} // namespace

std::vector<TReportPages> GenerateAllDivisionPages(TRecordTable& table, TDaySerial outputDay,
                                                   const TTextMeasure& measure) {
    table.FinishEdit();
    std::vector<TReportPages> sets;
    if (!table.Active() || table.DisplayCount() == 0)
        return sets;
    TRecordTable copy(table.Name(), table.Settings());
    CopyRows(table, copy);
    for (int r = 0; r < copy.DisplayCount(); ++r) {
        copy.MoveTo(r);
        const TDivisionValues division = DivisionFromCurrentRow(copy);
        const TFixtureLayout& layout = LayoutOf(division);
        TReportBinding binding(copy, layout, copy.Settings());
        TGenerateResult result =
            GeneratePages(layout, binding, copy.Settings(), outputDay, measure);
        binding.End();
        result.Pages.Title = DivisionTitleUtf8(division);
        sets.push_back(std::move(result.Pages));
    }
    return sets;
}
