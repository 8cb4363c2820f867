#include "report/TieValues.h"

#include "data/AsciiCase.h"
#include "report/DivisionValues.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace {

constexpr std::array<std::string_view, 9> StateNames = {"offen",
                                                        "gespielt",
                                                        "kampflos Heim",
                                                        "kampflos Gast",
                                                        "abgesetzt",
                                                        "umgewertet Heim",
                                                        "umgewertet Gast",
                                                        "zur\xFC"
                                                        "ckgezogen",
                                                        "Punktabzug"};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::optional<std::int32_t> Number(std::string_view text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> IntegerField(TRecordTable& table, const TField* field, int row) {
    if (!field)
        return std::nullopt;
    const TValue& value = table.DisplayValue(row, field->Index());
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return *number;
    if (const auto* text = std::get_if<std::string>(&value))
        return Number(TrimmedTeam(*text));
    return std::nullopt;
}

std::string TextField(TRecordTable& table, const TField* field, int row) {
    return field ? TrimmedTeam(table.DisplayText(row, field->Index())) : std::string();
}

void SetInteger(TRecordTable& table, std::string_view name, std::optional<std::int32_t> value) {
    TField& field = table.Field(name);
    if (value)
        field.SetAsInteger(*value);
    else
        field.Clear();
}

} // namespace

std::string_view TieStateName(TTieState state) {
    return StateNames[static_cast<std::size_t>(state)];
}

std::optional<TTieState> ParseTieState(std::string_view cp1252) {
    const std::string text = TrimmedTeam(cp1252);
    if (text.empty())
        return TTieState::Offen;
    // One blank between the words, whatever was typed.
    std::string words;
    for (char c : text)
        if (!IsBlank(c) || (!words.empty() && words.back() != ' '))
            words += IsBlank(c) ? ' ' : c;
    for (std::size_t s = 0; s < StateNames.size(); ++s)
        if (EqualsIgnoringCase(words, StateNames[s]))
            return static_cast<TTieState>(s);
    if (EqualsIgnoringCase(words, "zurueckgezogen"))
        return TTieState::Zurueckgezogen;
    return std::nullopt;
}

bool IsTeamState(TTieState state) {
    return state == TTieState::Zurueckgezogen || state == TTieState::Punktabzug;
}

std::optional<TScorePair> ParseScorePair(std::string_view text) {
    std::string compact;
    for (char c : text)
        if (!IsBlank(c))
            compact += c;
    if (compact.empty())
        return TScorePair{};
    const std::size_t colon = compact.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    const auto home = Number(std::string_view(compact).substr(0, colon));
    const auto away = Number(std::string_view(compact).substr(colon + 1));
    if (!home || !away)
        return std::nullopt;
    return TScorePair{home, away};
}

std::string FormatScorePair(const TScorePair& pair) {
    if (!pair.Complete())
        return {};
    return std::to_string(*pair.Home) + ":" + std::to_string(*pair.Away);
}

std::string FormatResult(const TTieResult& result) {
    std::string text;
    for (const TScorePair* pair : {&result.Spiele, &result.Saetze, &result.Punkte}) {
        const std::string one = FormatScorePair(*pair);
        if (one.empty())
            continue;
        if (!text.empty())
            text += ' ';
        text += one;
    }
    return text;
}

std::string TieResultText(const TTieRecord& record) {
    const std::string played = FormatScorePair(record.Result.Spiele);
    switch (record.Status) {
    case TTieState::Gespielt:
        return played;
    case TTieState::KampflosHeim:
        return "0:8 kampflos";
    case TTieState::KampflosGast:
        return "8:0 kampflos";
    case TTieState::UmgewertetHeim:
    case TTieState::UmgewertetGast: {
        std::string text = record.Status == TTieState::UmgewertetHeim ? "8:0" : "0:8";
        text += " umgewertet";
        if (!played.empty())
            text += " (" + played + ")";
        return text;
    }
    case TTieState::Abgesetzt:
        return "abgesetzt";
    default:
        return {};
    }
}

std::optional<int> ParseClock(std::string_view text) {
    const std::string trimmed = TrimmedTeam(text);
    const std::size_t colon = trimmed.find(':');
    if (colon == std::string::npos || colon == 0 || colon > 2 || trimmed.size() != colon + 3)
        return std::nullopt;
    const auto hour = Number(std::string_view(trimmed).substr(0, colon));
    const auto minute = Number(std::string_view(trimmed).substr(colon + 1));
    if (!hour || !minute || *hour > 23 || *minute > 59)
        return std::nullopt;
    return *hour * 60 + *minute;
}

std::string FormatClock(int minutes) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", (minutes / 60) % 100, minutes % 60);
    return text;
}

TTieTableRead TiesFromTable(TRecordTable& table) {
    TTieTableRead read;
    if (!table.Active())
        return read;
    const auto field = [&table](std::string_view name) { return table.FindField(name); };
    const TField *jahr = field("Jahr"), *klasse = field("Klasse"), *spieltag = field("Spieltag"),
                 *heim = field("Heim"), *gast = field("Gast"), *datum = field("Datum"),
                 *uhrzeit = field("Uhrzeit"), *status = field("Status"),
                 *bemerkung = field("Bemerkung");
    const TField* figures[6] = {field("SpieleHeim"), field("SpieleGast"), field("SaetzeHeim"),
                                field("SaetzeGast"), field("PunkteHeim"), field("PunkteGast")};
    read.Ties.reserve(table.DisplayCount());
    for (int r = 0; r < table.DisplayCount(); ++r) {
        const std::string row = "Begegnung in Zeile " + std::to_string(r + 1);
        TTieRecord tie;
        const auto year = IntegerField(table, jahr, r);
        tie.Klasse = TextField(table, klasse, r);
        tie.Heim = TextField(table, heim, r);
        if (!year || tie.Klasse.empty() || tie.Heim.empty()) {
            read.Problems.push_back(row + " hat kein Jahr, keine Klasse oder keine "
                                          "Heimmannschaft und bleibt unbeachtet.");
            continue;
        }
        tie.Jahr = *year;
        tie.Spieltag = TextField(table, spieltag, r);
        tie.Gast = TextField(table, gast, r);
        if (datum)
            if (const auto* date = std::get_if<TDateValue>(&table.DisplayValue(r, datum->Index())))
                tie.Datum = date->Day;
        tie.Uhrzeit = TextField(table, uhrzeit, r);
        if (!tie.Uhrzeit.empty() && !ParseClock(tie.Uhrzeit)) {
            read.Problems.push_back(row + ": Die Uhrzeit ist keine Uhrzeit (HH:MM) und bleibt "
                                          "unbeachtet.");
            tie.Uhrzeit.clear();
        }
        const std::string state = TextField(table, status, r);
        if (const auto parsed = ParseTieState(state)) {
            tie.Status = *parsed;
        } else {
            read.Problems.push_back(row + ": Der Status ist unbekannt; sie gilt als offen.");
        }
        TScorePair* pairs[3] = {&tie.Result.Spiele, &tie.Result.Saetze, &tie.Result.Punkte};
        for (int p = 0; p < 3; ++p) {
            pairs[p]->Home = IntegerField(table, figures[2 * p], r);
            pairs[p]->Away = IntegerField(table, figures[2 * p + 1], r);
        }
        tie.Bemerkung = TextField(table, bemerkung, r);
        read.Ties.push_back(std::move(tie));
    }
    return read;
}

void WriteTieFields(TRecordTable& table, const TTieRecord& record) {
    table.Field("Jahr").SetAsInteger(record.Jahr);
    table.Field("Klasse").SetAsText(record.Klasse);
    table.Field("Spieltag").SetAsText(record.Spieltag);
    table.Field("Heim").SetAsText(record.Heim);
    table.Field("Gast").SetAsText(record.Gast);
    if (record.Datum)
        table.Field("Datum").SetAsDateTime(*record.Datum);
    else
        table.Field("Datum").Clear();
    table.Field("Uhrzeit").SetAsText(record.Uhrzeit);
    table.Field("Status").SetAsText(TieStateName(record.Status));
    SetInteger(table, "SpieleHeim", record.Result.Spiele.Home);
    SetInteger(table, "SpieleGast", record.Result.Spiele.Away);
    SetInteger(table, "SaetzeHeim", record.Result.Saetze.Home);
    SetInteger(table, "SaetzeGast", record.Result.Saetze.Away);
    SetInteger(table, "PunkteHeim", record.Result.Punkte.Home);
    SetInteger(table, "PunkteGast", record.Result.Punkte.Away);
    table.Field("Bemerkung").SetAsText(record.Bemerkung);
}
