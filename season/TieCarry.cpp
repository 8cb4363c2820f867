#include "season/TieCarry.h"

#include "season/Clubs.h"
#include "season/TieTable.h"

#include <algorithm>

namespace {

bool SameClass(const TDivisionValues& division, const TTieRecord& record) {
    return division.Jahr == record.Jahr &&
           FoldClubName(division.Klasse) == FoldClubName(record.Klasse);
}

// The slot a team stands in among those the layout uses, -1 none.
int SlotOf(const TDivisionValues& division, std::string_view team) {
    const std::string name = FoldClubName(team);
    if (name.empty())
        return -1;
    for (TSlotName slot : SlotsUsedBy(LayoutOf(division)))
        if (!IsByeSlot(division, slot) && FoldClubName(division.Team(slot)) == name)
            return static_cast<int>(slot);
    return -1;
}

std::string RenamedTeam(const TDivisionValues& before, const TDivisionValues& after,
                        const std::string& team) {
    const int slot = SlotOf(before, team);
    if (slot < 0)
        return team;
    const std::string& renamed = after.Teams[slot];
    if (FoldClubName(renamed).empty() || IsBye(renamed) ||
        FoldClubName(renamed) == FoldClubName(team))
        return team;
    if (SlotOf(after, team) >= 0 || SlotOf(before, renamed) >= 0)
        return team; // moved between slots, not renamed
    return TrimmedTeam(renamed);
}

} // namespace

TTieRecord CarriedTieRecord(const TDivisionValues& before, const TDivisionValues& after,
                            TTieRecord record) {
    if (!SameClass(before, record))
        return record;
    record.Heim = RenamedTeam(before, after, record.Heim);
    if (!record.Gast.empty())
        record.Gast = RenamedTeam(before, after, record.Gast);
    if (after.Jahr != before.Jahr || TrimmedTeam(after.Klasse) != TrimmedTeam(before.Klasse)) {
        record.Jahr = after.Jahr.value_or(record.Jahr);
        record.Klasse = TrimmedTeam(after.Klasse);
    }
    return record;
}

bool HasTieIn(const TDivisionValues& division, const TTieRecord& record) {
    if (!SameClass(division, record))
        return false;
    const int home = SlotOf(division, record.Heim);
    if (IsTeamState(record.Status))
        return home >= 0;
    const int away = SlotOf(division, record.Gast);
    if (home < 0 || away < 0)
        return false;
    const auto games = GamesOf(LayoutOf(division));
    return std::any_of(games.begin(), games.end(), [&](const TGame& game) {
        return static_cast<int>(game.Home) == home && static_cast<int>(game.Away) == away;
    });
}

std::vector<TTieRecord> TiesLostByChange(const TDivisionValues& before,
                                         const TDivisionValues& after,
                                         const std::vector<TTieRecord>& records) {
    std::vector<TTieRecord> lost;
    for (const TTieRecord& record : records)
        if (HasTieIn(before, record) && !HasTieIn(after, CarriedTieRecord(before, after, record)))
            lost.push_back(record);
    return lost;
}

int CarryTieRecords(TRecordTable& ties, const TDivisionValues& before,
                    const TDivisionValues& after) {
    if (!ties.Active())
        return 0;
    ties.FinishEdit();
    std::vector<std::pair<TTieRecord, TTieRecord>> changes;
    for (const TTieRecord& record : TiesFromTable(ties).Ties) {
        TTieRecord carried = CarriedTieRecord(before, after, record);
        if (!(carried == record))
            changes.emplace_back(record, std::move(carried));
    }
    // Found again by key each time: a post moves the row in the order.
    for (const auto& [from, to] : changes) {
        const int row = FindTieRow(ties, from);
        if (row < 0)
            continue;
        ties.MoveTo(row);
        ties.Edit();
        try {
            ties.Field("Jahr").SetAsInteger(to.Jahr);
            ties.Field("Klasse").SetAsText(to.Klasse);
            ties.Field("Heim").SetAsText(to.Heim);
            ties.Field("Gast").SetAsText(to.Gast);
            ties.Post();
        } catch (...) {
            ties.Cancel();
            throw;
        }
    }
    return static_cast<int>(changes.size());
}

void SaveDivisionWithTies(TStore& store, const TDivisionValues& before,
                          const TDivisionValues& after) {
    CarryTieRecords(store.t_begegnungen(), before, after);
    store.SaveStaffel();
    store.SaveBegegnungen();
}
