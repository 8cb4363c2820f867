#include "season/TieEntry.h"

#include "data/StaffelError.h"
#include "season/TieTable.h"

#include <algorithm>

namespace {

TScorePair TypedPair(const std::string& text, const char* what) {
    if (const auto pair = ParseScorePair(text))
        return *pair;
    throw TStaffelError(std::string("\"") + text + "\" ist kein Ergebnis f\xC3\xBCr die " + what +
                        "; bitte wie 5:3 eingeben.");
}

std::optional<TDaySerial> TypedDate(const std::string& text, std::optional<TDaySerial> matchDay,
                                    const TRegionalSettings& settings) {
    if (TrimmedTeam(text).empty())
        return std::nullopt;
    const auto day = settings.ParseDate(text);
    if (!day)
        throw TStaffelError("\"" + text + "\" ist kein Datum im Format " +
                            settings.ShortDateFormat + ".");
    return day == matchDay ? std::nullopt : day;
}

std::string TypedClock(const std::string& text, int layoutGame) {
    if (TrimmedTeam(text).empty())
        return {};
    const auto minutes = ParseClock(text);
    if (!minutes)
        throw TStaffelError("\"" + text + "\" ist keine Uhrzeit wie 19:30.");
    return *minutes == LayoutClock(layoutGame) ? std::string() : FormatClock(*minutes);
}

bool TakesResultAsPlayed(TTieState state) {
    return state == TTieState::UmgewertetHeim || state == TTieState::UmgewertetGast;
}

} // namespace

TTypedTie ShownTie(const TSeason& season, const TSeasonGame& game,
                   const TRegionalSettings& settings) {
    TTypedTie shown;
    if (game.Date)
        shown.Datum = settings.FormatDate(*game.Date);
    shown.Uhrzeit = FormatClock(game.Clock);
    if (const TTieRecord* record = season.Tie(game)) {
        shown.Spiele = FormatScorePair(record->Result.Spiele);
        shown.Saetze = FormatScorePair(record->Result.Saetze);
        shown.Punkte = FormatScorePair(record->Result.Punkte);
        shown.Bemerkung = record->Bemerkung;
    }
    return shown;
}

TTieRecord TypedTieRecord(const TSeason& season, const TSeasonGame& game, const TTypedTie& typed,
                          const TRegionalSettings& settings) {
    if (game.HomeTeam.empty() || game.AwayTeam.empty())
        throw TStaffelError("Dieser Begegnung fehlt eine Mannschaft; bitte zuerst beide "
                            "Mannschaften in der Staffel eintragen.");
    const TTieRecord* stored = season.Tie(game);
    TTieRecord record = stored ? *stored : NewTieRecord(season, game);
    const TDivisionValues& division = season.Division(game.Division);
    record.Datum = TypedDate(typed.Datum, division.Date(game.Day), settings);
    record.Uhrzeit = TypedClock(typed.Uhrzeit, game.Game);
    record.Result.Spiele = TypedPair(typed.Spiele, "Spiele");
    record.Result.Saetze = TypedPair(typed.Saetze, "S\xC3\xA4tze");
    record.Result.Punkte = TypedPair(typed.Punkte, "Punkte");
    record.Bemerkung = TrimmedTeam(typed.Bemerkung);
    if (!record.Result.Empty() && !TakesResultAsPlayed(record.Status))
        record.Status = TTieState::Gespielt;
    else if (record.Result.Empty() && record.Status == TTieState::Gespielt)
        record.Status = TTieState::Offen;
    return record;
}

TTieRecord WithTieState(TTieRecord record, TTieState state) {
    record.Status = state;
    if (!TakesResultAsPlayed(state) && state != TTieState::Gespielt)
        record.Result = {};
    return record;
}

std::vector<int> TiesInTimeOrder(const TSeason& season, int division) {
    const auto& games = season.Games(division);
    std::vector<int> order(games.size());
    for (int g = 0; g < static_cast<int>(order.size()); ++g)
        order[g] = g;
    std::stable_sort(order.begin(), order.end(),
                     [&games](int a, int b) { return GameTimeOrderLess(games[a], games[b]); });
    return order;
}

std::string TieRecordLine(const TTieRecord& record) {
    if (IsTeamState(record.Status)) {
        std::string line =
            record.Klasse + ", " + record.Heim + ": " + std::string(TieStateName(record.Status));
        if (record.Status == TTieState::Punktabzug && record.Result.Punkte.Home)
            line += " " + std::to_string(*record.Result.Punkte.Home);
        return line;
    }
    std::string line = record.Klasse + ", ";
    if (!record.Spieltag.empty())
        line += record.Spieltag + ". Spieltag: ";
    line += record.Heim + " - " + record.Gast;
    if (const std::string result = TieResultText(record); !result.empty())
        line += " (" + result + ")";
    else if (record.Datum || !record.Uhrzeit.empty())
        line += " (verlegt)";
    return line;
}
