#pragma once
// The reader's failures: its own English messages, and where in the text
// it found the fault, for the program's notice about a file it could not load.
#include "data/StaffelError.h"

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::string_view MismatchInDatapacket = "Mismatch in datapacket.";
inline constexpr std::string_view InvalidFieldType = "Invalid field type.";
inline constexpr std::string_view NoMetaData = "Datapacket contains no meta data.";

struct TTextPosition {
    int Line = 1;   // counted from 1
    int Column = 1; // counted from 1, one per character of the code page
    // A few characters from there on, up to the end of the line, control
    // characters as blanks (code page); empty at the end of the text.
    std::string Found;
};

// Where a byte offset of a text lies.
TTextPosition PositionIn(std::string_view text, std::size_t offset);

class TDataFileError : public TStaffelError {
public:
    TDataFileError(std::string_view message, TTextPosition where)
        : TStaffelError(std::string(message)), where_(std::move(where)) {}
    const TTextPosition& Where() const { return where_; }

private:
    TTextPosition where_;
};
