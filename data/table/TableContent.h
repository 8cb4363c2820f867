#pragma once
// A table's whole stored content as a data file gives it and a save takes
// it: the store's columns, the physical rows in their compact form, the
// change log and a default order's key. The reader builds one in its own
// object and the table takes it over whole, so a half-read file never
// touches the table.
#include "data/table/RecordTable.h"
#include "data/table/RowCodec.h"

#include <vector>

struct TTableContent {
    std::vector<TFieldDef> Columns;
    std::vector<TStoredRow> Rows;
    std::vector<TChangeEntry> Log;
    std::vector<int> KeyColumns; // 0-based; empty: no key
    bool UniqueKey = false;
};
