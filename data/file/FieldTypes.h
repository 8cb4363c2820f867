#pragma once
// The type names of a data file's FIELD elements, for the reader and the
// writer alike: the program's own four, and those of other writers that the
// program holds as text and writes back under their own name.
#include "data/table/RecordTable.h"

#include <array>
#include <string_view>

struct TFieldTypeName {
    std::string_view Name;
    TColumnType Type;
};

inline constexpr std::array<TFieldTypeName, 4> OwnFieldTypes = {
    {{"i4", ctInteger}, {"string", ctText}, {"boolean", ctBoolean}, {"date", ctDate}}};

inline constexpr std::array<std::string_view, 17> ForeignFieldTypes = {
    "i1",   "i2",         "i8",      "ui1",      "ui2",      "ui4",
    "r8",   "r10",        "fixed",   "fixedFMT", "dateTime", "SQLdateTime",
    "time", "string.uni", "bin.hex", "IntArray", "UIntArray"};
