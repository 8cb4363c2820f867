#pragma once
// How the proposal dialogs word a move, a clash count and what became of
// applying.
#include "season/SlotProposal.h"
#include "ui/exports/SlotAssignment.h"

#include <QString>

class QLabel;

// "TV Hude II: 1A → 3B"
QString MoveText(const TSlotMove& move);
// "1 Konflikt", "3 Konflikte", "keine Konflikte"
QString ClashCountText(int clashes);
// notDone ("Der Vorschlag wurde nicht übernommen") and why, when the save
// loaded the version changed outside instead.
QString OtherVersionLoadedText(const QString& notDone);
// Runs apply; a failure's message also stays in status after the error box.
TApplyOutcome ApplyTelling(const TApplyAssignments& apply,
                           const std::vector<TSlotAssignment>& assignments, QLabel& status);
