#pragma once
// A division row whose slots hold "Team-1A" ... "Team-5B", for page tests.
#include "data/Records.h"

#include <memory>
#include <string>

inline std::string TestTeamName(TSlotName slot) {
    return "Team-" + std::string(SlotFieldName(slot));
}

inline std::unique_ptr<TRecordTable> MakeTestDivisionTable(bool tenTeams) {
    auto table = std::make_unique<TRecordTable>("t_staffel");
    DefineFields(*table, StaffelRecordFields());
    table->CreateEmpty();
    table->Append();
    table->Field("Ueberschrift")
        .SetAsText("Badminton S\xFC"
                   "d");
    table->Field("Klasse").SetAsText("Bezirksliga");
    table->Field("Jahr").SetAsInteger(2009);
    table->Field("10Klasse").SetAsBoolean(tenTeams);
    table->Field("Mannschaft").SetAsText("TV Musterstadt");
    for (int s = 0; s < SlotCount; ++s) {
        const auto slot = static_cast<TSlotName>(s);
        table->Field(std::string(SlotFieldName(slot))).SetAsText(TestTeamName(slot));
    }
    for (int d = 0; d < SpieltagCount; ++d)
        table->Field(SpieltagDateFieldName(static_cast<TSpieltagKey>(d)))
            .SetAsDateTime(*DayFromCivil(2009, 9, 1 + d));
    table->Post();
    return table;
}
