#pragma once
// A division's ten slot fields before and after a proposal, and applying
// them to the division table all or nothing: every row posted, the file
// saved once, every row set back when anything fails. Undo is the same with
// before and after swapped.
#include "data/table/RecordTable.h"
#include "season/Placement.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

struct TSlotAssignment {
    int Row = -1;      // display index when read
    std::string Title; // "Bezirksliga 2026" (UTF-8), for messages
    // The row's key as read, so that a changed table is noticed.
    TValue Jahr;
    TValue Klasse;
    // Record order 1A .. 5B; values, not texts, so that an empty slot stays
    // as it was stored.
    std::array<TValue, SlotCount> Before;
    std::array<TValue, SlotCount> After;

    bool Changes() const { return Before != After; }
};

// Reads the row at displayIndex; After is Before.
TSlotAssignment AssignmentOf(TRecordTable& table, int displayIndex);
// After moves the team of slot s (in Before) to newSlot[s].
TSlotAssignment Placed(TSlotAssignment assignment, const TPlacement& newSlot);
TSlotAssignment Reversed(TSlotAssignment assignment);

// Writes the division table to its file (with the outside-change question);
// false when the version changed outside was loaded instead.
using TSaveDivisions = std::function<bool()>;

enum class TApplyOutcome {
    Saved,
    // Nothing applied: the table now holds the file's other version, the
    // program's went beside the file.
    OtherVersionLoaded
};
using TApplyAssignments = std::function<TApplyOutcome(const std::vector<TSlotAssignment>&)>;

// Checks every row first: when one no longer holds its key and Before,
// nothing changes and it fails naming the division. Then posts every row and
// saves once. A row that cannot be posted or a failed save sets every row
// back; when the file already holds the new rows (only its folder could not
// be synced), the old ones are saved again. The German failure says which.
// Ends on the row that was current.
TApplyOutcome ApplySlotAssignments(TRecordTable& table, const TSaveDivisions& save,
                                   const std::vector<TSlotAssignment>& assignments);
