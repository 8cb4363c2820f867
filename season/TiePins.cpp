#include "season/TiePins.h"

#include "season/Clubs.h"

TPinnedSlots SlotsWithResults(const TSeason& season, int division) {
    TPinnedSlots pinned{};
    const TDivisionValues& values = season.Division(division);
    for (const TTieRecord& record : season.TieRecords(division)) {
        if (record.Status == TTieState::Offen)
            continue;
        const std::string home = FoldClubName(record.Heim), away = FoldClubName(record.Gast);
        for (int s = 0; s < SlotCount; ++s) {
            const std::string team = FoldClubName(values.Teams[s]);
            if (!team.empty() && (team == home || team == away))
                pinned[s] = true;
        }
    }
    return pinned;
}
