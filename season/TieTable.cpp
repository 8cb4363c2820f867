#include "season/TieTable.h"

#include "data/StaffelError.h"
#include "season/TieRules.h"

bool SameTieKey(const TTieRecord& a, const TTieRecord& b) {
    return a.Jahr == b.Jahr && SameFoldedName(a.Heim, b.Heim) && SameFoldedName(a.Gast, b.Gast) &&
           SameFoldedName(a.Klasse, b.Klasse);
}

TTieRecord NewTieRecord(const TSeason& season, const TSeasonGame& game) {
    const TDivisionValues& division = season.Division(game.Division);
    TTieRecord record;
    record.Jahr = division.Jahr.value_or(0);
    record.Klasse = TrimmedTeam(division.Klasse);
    record.Spieltag = std::string(SpieltagKeyName(game.Day));
    record.Heim = game.HomeTeam;
    record.Gast = game.AwayTeam;
    return record;
}

TTieRecord NewTeamRecord(const TDivisionValues& division, std::string_view team, TTieState state) {
    TTieRecord record;
    record.Jahr = division.Jahr.value_or(0);
    record.Klasse = TrimmedTeam(division.Klasse);
    record.Heim = TrimmedTeam(team);
    record.Status = state;
    return record;
}

int FindTieRow(TRecordTable& ties, const TTieRecord& key) {
    if (!ties.Active())
        return -1;
    const TField *jahr = ties.FindField("Jahr"), *klasse = ties.FindField("Klasse"),
                 *heim = ties.FindField("Heim"), *gast = ties.FindField("Gast");
    if (!jahr || !klasse || !heim)
        return -1;
    const std::string wantedHeim = FoldClubName(key.Heim), wantedGast = FoldClubName(key.Gast),
                      wantedKlasse = FoldClubName(key.Klasse), year = std::to_string(key.Jahr);
    for (int r = 0; r < ties.DisplayCount(); ++r) {
        if (FoldClubName(ties.DisplayText(r, heim->Index())) != wantedHeim ||
            TrimmedTeam(ties.DisplayText(r, jahr->Index())) != year ||
            FoldClubName(gast ? ties.DisplayText(r, gast->Index()) : std::string()) != wantedGast ||
            FoldClubName(ties.DisplayText(r, klasse->Index())) != wantedKlasse)
            continue;
        return r;
    }
    return -1;
}

std::optional<TTieRecord> FindTieRecord(TRecordTable& ties, const TTieRecord& key) {
    const int row = FindTieRow(ties, key);
    if (row < 0)
        return std::nullopt;
    for (TTieRecord& record : TiesFromTable(ties).Ties)
        if (SameTieKey(record, key))
            return std::move(record);
    return std::nullopt;
}

void PutTieRecord(TRecordTable& ties, const TTieRecord& record) {
    if (const auto problem = TieRecordProblem(record))
        throw TStaffelError(*problem);
    ties.FinishEdit();
    const int row = FindTieRow(ties, record);
    if (row >= 0) {
        ties.MoveTo(row);
        ties.Edit();
    } else {
        ties.Append();
    }
    try {
        WriteTieFields(ties, record);
        ties.Post();
    } catch (...) {
        ties.Cancel();
        throw;
    }
}

bool DeleteTieRecord(TRecordTable& ties, const TTieRecord& key) {
    ties.FinishEdit();
    const int row = FindTieRow(ties, key);
    if (row < 0)
        return false;
    ties.MoveTo(row);
    ties.Delete();
    return true;
}

void SaveTieRecord(TStore& store, const TTieRecord& record) {
    PutTieRecord(store.t_begegnungen(), record);
    store.SaveBegegnungen();
}

bool RemoveTieRecord(TStore& store, const TTieRecord& key) {
    if (!DeleteTieRecord(store.t_begegnungen(), key))
        return false;
    store.SaveBegegnungen();
    return true;
}
