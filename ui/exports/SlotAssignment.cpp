#include "ui/exports/SlotAssignment.h"

#include "data/Records.h"
#include "data/StaffelError.h"
#include "report/DivisionValues.h"

namespace {

const TValue& RowValue(TRecordTable& table, int row, std::string_view field) {
    return table.DisplayValue(row, table.Field(field).Index());
}

std::string_view SlotField(int slot) {
    return SlotFieldName(static_cast<TSlotName>(slot));
}

bool StillHolds(TRecordTable& table, const TSlotAssignment& assignment) {
    if (assignment.Row < 0 || assignment.Row >= table.DisplayCount())
        return false;
    if (RowValue(table, assignment.Row, "Jahr") != assignment.Jahr ||
        RowValue(table, assignment.Row, "Klasse") != assignment.Klasse)
        return false;
    for (int s = 0; s < SlotCount; ++s)
        if (RowValue(table, assignment.Row, SlotField(s)) != assignment.Before[s])
            return false;
    return true;
}

void WriteSlots(TRecordTable& table, const std::array<TValue, SlotCount>& values) {
    for (int s = 0; s < SlotCount; ++s) {
        TField& field = table.Field(SlotField(s));
        if (const auto* text = std::get_if<std::string>(&values[s]))
            field.SetAsText(*text);
        else
            field.Clear();
    }
}

} // namespace

TSlotAssignment AssignmentOf(TRecordTable& table, int displayIndex) {
    TSlotAssignment assignment;
    assignment.Row = displayIndex;
    assignment.Jahr = RowValue(table, displayIndex, "Jahr");
    assignment.Klasse = RowValue(table, displayIndex, "Klasse");
    for (int s = 0; s < SlotCount; ++s)
        assignment.Before[s] = RowValue(table, displayIndex, SlotField(s));
    assignment.After = assignment.Before;
    TDivisionValues title;
    if (const auto* year = std::get_if<std::int32_t>(&assignment.Jahr))
        title.Jahr = *year;
    if (const auto* klasse = std::get_if<std::string>(&assignment.Klasse))
        title.Klasse = *klasse;
    assignment.Title = DivisionTitleUtf8(title);
    return assignment;
}

TSlotAssignment Placed(TSlotAssignment assignment, const TPlacement& newSlot) {
    for (int s = 0; s < SlotCount; ++s)
        assignment.After[static_cast<int>(newSlot[s])] = assignment.Before[s];
    return assignment;
}

TSlotAssignment Reversed(TSlotAssignment assignment) {
    std::swap(assignment.Before, assignment.After);
    return assignment;
}

void ApplySlotAssignments(TRecordTable& table, const TNavClick& click,
                          const std::vector<TSlotAssignment>& assignments) {
    table.FinishEdit();
    for (const TSlotAssignment& assignment : assignments)
        if (!StillHolds(table, assignment))
            throw TStaffelError("Die Staffel " + assignment.Title +
                                " wurde inzwischen geändert; es wurde nichts übernommen.");
    const int current = table.DisplayIndex();
    for (const TSlotAssignment& assignment : assignments) {
        if (!assignment.Changes())
            continue;
        // A save may reorder the rows; never write into another division.
        if (!StillHolds(table, assignment))
            throw TStaffelError("Die Staffel " + assignment.Title +
                                " wurde inzwischen geändert; sie wurde nicht geändert.");
        table.MoveTo(assignment.Row);
        click(nbEdit);
        WriteSlots(table, assignment.After);
        click(nbPost);
        // The navigator has shown why the post failed; the row stays pending.
        if (table.State() != tsBrowse)
            throw TStaffelError("Die Schlüsselzahlen der Staffel " + assignment.Title +
                                " konnten nicht gespeichert werden.");
    }
    if (current >= 0 && current < table.DisplayCount())
        table.MoveTo(current);
}
