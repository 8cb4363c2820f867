#pragma once
// Stored rows are kept as one compact byte string each; a table of 100 000
// rows must stay well below three times its data file in memory.
#include "data/RecordTable.h"

#include <cstdint>
#include <memory>
#include <vector>

struct TStoredRow {
    std::unique_ptr<unsigned char[]> Data;
    std::uint32_t Size = 0;
    std::uint8_t Status = 0; // TRowStatus bits
};

TStoredRow EncodeRow(const std::vector<TValue>& values, std::uint8_t status);
// Fills `out` with `columns` values (empty ones beyond what the row holds).
void DecodeRow(const TStoredRow& row, size_t columns, std::vector<TValue>& out);
std::vector<TValue> DecodeRow(const TStoredRow& row, size_t columns);
TValue DecodeColumn(const TStoredRow& row, size_t column);
