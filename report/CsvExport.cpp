#include "report/CsvExport.h"

#include "report/Fixtures.h"

void AddCsvLine(std::string& out, std::initializer_list<std::string_view> fields) {
    bool first = true;
    for (std::string_view field : fields) {
        if (!first)
            out += ';';
        out += CsvField(field);
        first = false;
    }
    out += "\r\n";
}

std::string CsvField(std::string_view utf8) {
    std::string text;
    // A spreadsheet would run such a cell as a formula; the apostrophe
    // keeps it text.
    if (!utf8.empty() && std::string_view("=+-@\t\r").find(utf8.front()) != std::string_view::npos)
        text = "'";
    text += utf8;
    if (text.find_first_of(";\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string MakeFixtureCsv(const TDivisionValues& division, const TRegionalSettings& settings) {
    std::string out(CsvByteOrderMark);
    AddCsvLine(out, {"Spieltag", "Datum", "Uhrzeit", "Heim", "Gast"});
    for (const TGame& game : GamesOf(LayoutOf(division))) {
        const auto date = division.Date(game.Day);
        AddCsvLine(out, {SpieltagKeyName(game.Day),
                         date ? settings.FormatDate(*date) : std::string(), GameClock(game.Game),
                         TeamLabelUtf8(division, game.Home), TeamLabelUtf8(division, game.Away)});
    }
    return out;
}
