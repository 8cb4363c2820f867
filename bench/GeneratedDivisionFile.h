#pragma once
// A division file of a given number of physical rows, written here from the
// file format alone and not by the program's writer, so that a load and a
// save must give back the same bytes. Every division is inserted, edited up
// to three times, every fifth deleted; team names carry umlauts (single
// Windows-1252 bytes) and ampersands. A row takes about 510 bytes.
#include <cstdio>
#include <string>
#include <vector>

namespace generated {

inline std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        case '\\':
            out += "&#092;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

struct TDay {
    int Year;
    int Month;
    int Day;
};

inline TDay Plus(TDay day, int days) {
    static const int Lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    while (days-- > 0) {
        const bool leap = day.Year % 4 == 0 && (day.Year % 100 != 0 || day.Year % 400 == 0);
        const int length = day.Month == 2 && leap ? 29 : Lengths[day.Month - 1];
        if (++day.Day > length) {
            day.Day = 1;
            if (++day.Month > 12) {
                day.Month = 1;
                ++day.Year;
            }
        }
    }
    return day;
}

inline std::string Digits(TDay day) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d", day.Year, day.Month, day.Day);
    return text;
}

// The attributes of one version of a division, in field order.
inline std::string Attributes(int division, int version) {
    const std::string n = std::to_string(division % 10000);
    std::string out = " Ueberschrift=\"Badminton\"";
    out += " Klasse=\"" +
           Escaped("Bezirksliga S\xFC"
                   "d " +
                   std::to_string(division)) +
           "\"";
    out += " Jahr=\"" + std::to_string(2000 + division % 20) + "\"";
    out += std::string(" 10Klasse=\"") + (division % 2 == 0 ? "TRUE" : "FALSE") + "\"";
    out += " Mannschaft=\"" +
           Escaped("TV S\xFC"
                   "d & Co " +
                   std::to_string(version)) +
           "\"";
    static const char* const Clubs[] = {"SC N\xF6rd & Co ", "TuS M\xFChle ", "BC Gr\xFCn-Wei\xDF ",
                                        "SV Bl\xE4"
                                        "u & Rot ",
                                        "TSV H\xF6he "};
    static const char* const Slots[] = {"1A", "1B", "2A", "2B", "3A", "3B", "4A", "4B", "5A", "5B"};
    for (int slot = 0; slot < 10; ++slot)
        out += std::string(" ") + Slots[slot] + "=\"" + Escaped(Clubs[slot % 5] + n) + "\"";
    static const char* const Dates[] = {"1dat", "2dat", "3dat", "4dat",  "5dat",
                                        "6dat", "7dat", "8dat", "4Adat", "8Adat"};
    const TDay first = Plus({2009, 7, 1}, division % 365);
    for (int day = 0; day < 10; ++day)
        out += std::string(" ") + Dates[day] + "=\"" + Digits(Plus(first, day * 14)) + "\"";
    return out;
}

} // namespace generated

inline std::string GeneratedDivisionFile(int physicalRows) {
    using namespace generated;
    struct TRow {
        int Status;
        std::string Attributes;
    };
    std::vector<TRow> rows;
    std::string log;
    auto logEntry = [&log](std::size_t row, std::size_t previous, int kind) {
        if (!log.empty())
            log += ' ';
        log += std::to_string(row) + ' ' + std::to_string(previous) + ' ' + std::to_string(kind);
    };
    for (int division = 0; static_cast<int>(rows.size()) < physicalRows; ++division) {
        rows.push_back({4, Attributes(division, 0)});
        std::size_t row = rows.size();
        logEntry(row, 0, 4);
        for (int edit = 1; edit <= division % 4 && static_cast<int>(row) < physicalRows; ++edit) {
            rows.back().Status |= 1;
            rows.push_back({12, Attributes(division, edit)});
            logEntry(rows.size(), row, 8);
            row = rows.size();
        }
        if (division % 5 == 3) {
            rows.back().Status |= 2;
            logEntry(row, 0, 2);
        }
    }
    std::string file = "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET Version=\"2.0\">"
                       "<METADATA><FIELDS><FIELD attrname=\"id\" fieldtype=\"i4\"/>"
                       "<FIELD attrname=\"Ueberschrift\" fieldtype=\"string\" WIDTH=\"30\"/>"
                       "<FIELD attrname=\"Klasse\" fieldtype=\"string\" required=\"true\" "
                       "WIDTH=\"30\"/><FIELD attrname=\"Jahr\" fieldtype=\"i4\" required=\"true\"/>"
                       "<FIELD attrname=\"10Klasse\" fieldtype=\"boolean\" required=\"true\"/>"
                       "<FIELD attrname=\"Mannschaft\" fieldtype=\"string\" WIDTH=\"20\"/>";
    for (const char* slot : {"1A", "1B", "2A", "2B", "3A", "3B", "4A", "4B", "5A", "5B"})
        file += std::string("<FIELD attrname=\"") + slot + "\" fieldtype=\"string\" WIDTH=\"20\"/>";
    for (const char* date :
         {"1dat", "2dat", "3dat", "4dat", "5dat", "6dat", "7dat", "8dat", "4Adat", "8Adat"})
        file += std::string("<FIELD attrname=\"") + date + "\" fieldtype=\"date\"/>";
    file += log.empty() ? "</FIELDS><PARAMS/>" : "</FIELDS><PARAMS CHANGE_LOG=\"" + log + "\"/>";
    file += "</METADATA><ROWDATA>";
    for (const TRow& row : rows)
        file += "<ROW RowState=\"" + std::to_string(row.Status) + "\"" + row.Attributes + "/>";
    file += "</ROWDATA></DATAPACKET>";
    return file;
}
