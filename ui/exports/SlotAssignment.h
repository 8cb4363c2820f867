#pragma once
// A division's ten slot fields before and after a proposal, and applying
// them through the main window's editing cycle so that the file is saved and
// every window follows. Undo is the same with before and after swapped.
#include "data/table/RecordTable.h"
#include "season/Placement.h"
#include "ui/controls/MYDBNavTypes.h"

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

// Runs one navigator button (BeforeAction, the operation, OnClick).
using TNavClick = std::function<void(TMNavigateBtn)>;

// Checks every row first: when one no longer holds its key and Before,
// nothing changes and it fails naming the division. Then per division: to
// its row, edit, the ten fields, post. Ends on the row that was current.
void ApplySlotAssignments(TRecordTable& table, const TNavClick& click,
                          const std::vector<TSlotAssignment>& assignments);
