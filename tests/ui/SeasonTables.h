#pragma once
// The main window's division table made anew with hand-built divisions.
#include "SeasonGenerator.h"

inline void RefillDivisionTable(TRecordTable& table,
                                const std::vector<TDivisionValues>& divisions) {
    table.Close();
    table.ClearDefinitions();
    FillDivisionTable(table, divisions);
}
