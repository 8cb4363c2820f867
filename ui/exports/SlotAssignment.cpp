#include "ui/exports/SlotAssignment.h"

#include "data/Records.h"
#include "data/StaffelError.h"
#include "data/file/AtomicFile.h"
#include "report/DivisionValues.h"

namespace {

const TValue& RowValue(TRecordTable& table, int row, std::string_view field) {
    return table.DisplayValue(row, table.Field(field).Index());
}

std::string_view SlotField(int slot) {
    return SlotFieldName(static_cast<TSlotName>(slot));
}

bool Holds(TRecordTable& table, int row, const TSlotAssignment& assignment,
           const std::array<TValue, SlotCount>& values) {
    if (row < 0 || row >= table.DisplayCount())
        return false;
    if (RowValue(table, row, "Jahr") != assignment.Jahr ||
        RowValue(table, row, "Klasse") != assignment.Klasse)
        return false;
    for (int s = 0; s < SlotCount; ++s)
        if (RowValue(table, row, SlotField(s)) != values[s])
            return false;
    return true;
}

bool StillHolds(TRecordTable& table, const TSlotAssignment& assignment) {
    return Holds(table, assignment.Row, assignment, assignment.Before);
}

// A post may move a row where the table has no key; the key finds it again.
int RowHolding(TRecordTable& table, const TSlotAssignment& assignment,
               const std::array<TValue, SlotCount>& values) {
    if (Holds(table, assignment.Row, assignment, values))
        return assignment.Row;
    for (int row = 0; row < table.DisplayCount(); ++row)
        if (Holds(table, row, assignment, values))
            return row;
    return -1;
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

namespace {

void PostSlots(TRecordTable& table, const TSlotAssignment& assignment,
               const std::array<TValue, SlotCount>& from, const std::array<TValue, SlotCount>& to) {
    const int row = RowHolding(table, assignment, from);
    if (row < 0)
        throw TStaffelError("Die Staffel " + assignment.Title + " ist nicht mehr da.");
    table.MoveTo(row);
    table.Edit();
    try {
        WriteSlots(table, to);
        table.Post();
    } catch (...) {
        table.Cancel();
        throw;
    }
}

// The rows done so far get their Before back, last first; the table then
// holds what it held before the apply.
void SetBack(TRecordTable& table, const std::vector<TSlotAssignment>& done, int current) {
    if (table.State() != tsBrowse)
        table.Cancel();
    for (auto it = done.rbegin(); it != done.rend(); ++it)
        PostSlots(table, *it, it->After, it->Before);
    if (current >= 0 && current < table.DisplayCount())
        table.MoveTo(current);
}

const std::string Unchanged =
    " Es wurde nichts geändert; die Staffeln und die Datei sind wie vorher.";

} // namespace

TApplyOutcome ApplySlotAssignments(TRecordTable& table, const TSaveDivisions& save,
                                   const std::vector<TSlotAssignment>& assignments) {
    table.FinishEdit();
    for (const TSlotAssignment& assignment : assignments)
        if (!StillHolds(table, assignment))
            throw TStaffelError("Die Staffel " + assignment.Title +
                                " wurde inzwischen geändert; es wurde nichts übernommen.");
    const int current = table.DisplayIndex();
    std::vector<TSlotAssignment> done;
    for (const TSlotAssignment& assignment : assignments) {
        if (!assignment.Changes())
            continue;
        try {
            PostSlots(table, assignment, assignment.Before, assignment.After);
        } catch (const std::exception& error) {
            SetBack(table, done, current);
            throw TStaffelError("Die Schlüsselzahlen der Staffel " + assignment.Title +
                                " können nicht eingetragen werden (" + error.what() + ")." +
                                Unchanged);
        }
        done.push_back(assignment);
    }
    bool saved = false;
    try {
        saved = save();
    } catch (const TFolderSyncError& error) {
        // The file holds the new rows already: the old ones go back into it.
        SetBack(table, done, current);
        const std::string failed = "Die Schlüsselzahlen konnten nicht sicher gespeichert werden (" +
                                   std::string(error.what()) +
                                   "). Die vorherige Verteilung wurde wiederhergestellt";
        bool savedAgain = true;
        try {
            savedAgain = save();
        } catch (const TFolderSyncError&) {
            // in place all the same
        } catch (const std::exception& again) {
            throw TStaffelError(failed + ", konnte aber nicht gespeichert werden (" + again.what() +
                                "); die Datei enthält noch die neue Verteilung.");
        }
        if (!savedAgain)
            throw TStaffelError(failed + "; die Datei war außerhalb des Programms geändert "
                                         "worden, und diese Fassung wurde geladen.");
        throw TStaffelError(failed + " und gespeichert.");
    } catch (const std::exception& error) {
        SetBack(table, done, current);
        throw TStaffelError("Die Schlüsselzahlen konnten nicht gespeichert werden (" +
                            std::string(error.what()) + ")." + Unchanged);
    }
    if (!saved)
        return TApplyOutcome::OtherVersionLoaded;
    if (current >= 0 && current < table.DisplayCount())
        table.MoveTo(current);
    return TApplyOutcome::Saved;
}
