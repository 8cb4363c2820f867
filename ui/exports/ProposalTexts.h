#pragma once
// How the proposal dialogs word a move and a clash count.
#include "season/SlotProposal.h"

#include <QString>

// "TV Hude II: 1A → 3B"
QString MoveText(const TSlotMove& move);
// "1 Konflikt", "3 Konflikte", "keine Konflikte"
QString ClashCountText(int clashes);
