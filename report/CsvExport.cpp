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

std::string MakeFixtureCsv(const TDivisionValues& division, const TRegionalSettings& settings,
                           const TTieLookup& ties) {
    std::string out(CsvByteOrderMark);
    AddCsvLine(out, {"Spieltag", "Datum", "Uhrzeit", "Heim", "Gast"});
    for (const TGame& game : GamesOf(LayoutOf(division))) {
        if (IsByeSlot(division, game.Home) || IsByeSlot(division, game.Away))
            continue;
        auto date = division.Date(game.Day);
        int clock = LayoutClock(game.Game);
        if (const TTieRecord* tie = ties ? ties(game) : nullptr) {
            date = tie->Datum ? tie->Datum : date;
            clock = ParseClock(tie->Uhrzeit).value_or(clock);
        }
        AddCsvLine(out, {SpieltagKeyName(game.Day),
                         date ? settings.FormatDate(*date) : std::string(), FormatClock(clock),
                         TeamLabelUtf8(division, game.Home), TeamLabelUtf8(division, game.Away)});
    }
    return out;
}
