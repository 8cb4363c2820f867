#pragma once
// Converting a data file's attribute texts into values. The rules are
// lenient: a text that does not read as a value of its column leaves the
// field empty. This is the one conversion every read of a row goes
// through, whether it ends in the table or in a packet; inline, since it
// runs for every value of a large file.
#include "data/Dates.h"
#include "data/table/RecordTable.h"
#include "data/table/RowCodec.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace xml_values {

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

inline bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The day serial of a date; false when it is no real day. The same as
// DayFromCivil, computed directly: loading spends much of its time here.
inline bool SerialOfCivil(int year, unsigned month, unsigned day, TDaySerial& serial) {
    static constexpr unsigned char MonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    static constexpr unsigned short DaysBefore[] = {0,   31,  59,  90,  120, 151,
                                                    181, 212, 243, 273, 304, 334};
    if (year < 1 || month < 1 || month > 12 || day < 1)
        return false;
    const auto y = static_cast<unsigned>(year);
    const bool leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
    if (day > (month == 2 && leap ? 29u : MonthDays[month - 1]))
        return false;
    const unsigned before = y - 1; // whole years before this one
    const unsigned days = before * 365 + before / 4 - before / 100 + before / 400 +
                          DaysBefore[month - 1] + (leap && month > 2 ? 1 : 0) + day - 1;
    constexpr int FirstDaySerial = -693593; // 01.01.0001
    serial = FirstDaySerial + static_cast<int>(days);
    return true;
}

} // namespace xml_values

// A whole number when a digit comes before any letter; else false. The
// conversions answer with a flag, not std::optional: its byte-wise return
// cost a store-forwarding stall for every value read.
inline bool LenientInteger(std::string_view text, std::int32_t& result) {
    using namespace xml_values;
    std::size_t i = 0;
    while (i < text.size() && !IsDigit(text[i])) {
        if (IsLetter(text[i]))
            return false;
        ++i;
    }
    if (i == text.size())
        return false;
    const bool negative = i > 0 && text[i - 1] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL)
            return false;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX || value < INT32_MIN)
        return false;
    result = static_cast<std::int32_t>(value);
    return true;
}

// Only the digits count: YYYYMMDD; anything that is no real day is false.
inline bool LenientDate(std::string_view text, TDaySerial& serial) {
    using namespace xml_values;
    // The form the program writes: exactly eight digits.
    if (text.size() == 8 && std::all_of(text.begin(), text.end(), IsDigit)) {
        const auto digit = [&](int i) { return text[i] - '0'; };
        const int year = digit(0) * 1000 + digit(1) * 100 + digit(2) * 10 + digit(3);
        return SerialOfCivil(year, static_cast<unsigned>(digit(4) * 10 + digit(5)),
                             static_cast<unsigned>(digit(6) * 10 + digit(7)), serial);
    }
    int digits[8];
    int count = 0;
    for (char c : text) {
        if (IsDigit(c)) {
            digits[count++] = c - '0';
            if (count == 8)
                break;
        }
    }
    if (count < 8)
        return false;
    const int year = digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3];
    const auto month = static_cast<unsigned>(digits[4] * 10 + digits[5]);
    const auto day = static_cast<unsigned>(digits[6] * 10 + digits[7]);
    if (month > 12 || day > 31)
        return false;
    return SerialOfCivil(year, month, day, serial);
}

// "t..." or "f..." in any case; else false.
inline bool LenientBoolean(std::string_view text, bool& value) {
    if (text.empty())
        return false;
    const char first = static_cast<char>(text[0] | 0x20);
    if (first != 't' && first != 'f')
        return false;
    value = first == 't';
    return true;
}

// The value of a column's attribute text, appended to a row being written.
inline void WriteLenientValue(TColumnType type, std::string_view text, TRowWriter& row) {
    switch (type) {
    case ctText:
        row.Text(text);
        return;
    case ctInteger:
        if (std::int32_t number; LenientInteger(text, number))
            row.Integer(number);
        else
            row.Null();
        return;
    case ctBoolean:
        if (bool value; LenientBoolean(text, value))
            row.Boolean(value);
        else
            row.Null();
        return;
    case ctDate:
        if (TDaySerial day; LenientDate(text, day))
            row.Date(day);
        else
            row.Null();
        return;
    }
    row.Null();
}

// Whole numbers separated by blanks (key lists also by "," or ";"). On a
// text that is not such a list: nothing, and `fault` the index where it
// goes wrong.
std::optional<std::vector<std::int32_t>> NumberList(std::string_view text, bool allowListSeparators,
                                                    std::size_t& fault);
