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
    if (utf8.find_first_of(";\"\r\n") == std::string_view::npos)
        return std::string(utf8);
    std::string quoted = "\"";
    for (char c : utf8) {
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
