#pragma once
// The club table's rows as plain values, read without trusting them.
#include "data/table/RecordTable.h"
#include "season/Clubs.h"

#include <string>
#include <string_view>
#include <vector>

struct TClubTableRead {
    std::vector<TClubValues> Clubs;
    std::vector<std::string> Problems; // German, UTF-8, one per bad value
};

// Every row in the table's order. A row without a name, or with the name of
// an earlier club, is left out; a capacity outside 1..9 is brought into it;
// a blocked date that is no date (ParseBlockedDates with the table's
// settings) is dropped. Each is reported.
TClubTableRead ClubsFromTable(TRecordTable& table);
