#include "season/Placement.h"

#include <algorithm>

namespace {

int OccasionIndex(std::vector<TPlacementOccasion>& occasions, TDaySerial date, int game) {
    for (int i = 0; i < static_cast<int>(occasions.size()); ++i)
        if (occasions[i].Date == date && occasions[i].Game == game)
            return i;
    occasions.push_back({date, game});
    return static_cast<int>(occasions.size()) - 1;
}

int Excess(int homeGames, int capacity) {
    return std::max(0, homeGames - capacity);
}

} // namespace

TPlacementContext MakePlacementContext(const TSeason& season, int division) {
    TPlacementContext context;
    context.Division = division;
    for (TSlotName slot : SlotsUsedBy(LayoutOf(season.Division(division))))
        context.Slots.push_back(static_cast<int>(slot));
    // As the season counts them: a tie at its own date and game time, a
    // cancelled one not at all.
    for (const TSeasonGame& game : season.Games(division))
        if (game.Date && !game.Cancelled())
            context.HomeOccasions[static_cast<int>(game.Home)].push_back(
                OccasionIndex(context.Occasions, *game.Date, game.HallGame));

    const auto& slotClubs = season.SlotClubs(division);
    const TClubDirectory& clubs = season.Clubs();
    context.ClubOfSlot.fill(-1);
    for (int s = 0; s < SlotCount; ++s) {
        const TClubId club = slotClubs[s];
        if (club == NoClub)
            continue;
        auto known = std::find_if(context.Clubs.begin(), context.Clubs.end(),
                                  [club](const TPlacementClub& c) { return c.Club == club; });
        if (known == context.Clubs.end()) {
            TPlacementClub entry{club, clubs.Capacity(club), {}, {}};
            for (const TPlacementOccasion& at : context.Occasions) {
                entry.RestHomeGames.push_back(season.HomeGames(club, at.Date, at.Game) -
                                              season.HomeGamesIn(division, club, at.Date, at.Game));
                entry.Blocked.push_back(clubs.IsBlocked(club, at.Date));
            }
            context.Clubs.push_back(std::move(entry));
            known = context.Clubs.end() - 1;
        }
        context.ClubOfSlot[s] = static_cast<int>(known - context.Clubs.begin());
    }

    // The division's share of the season's count, taken off.
    int own = 0;
    for (const TPlacementClub& club : context.Clubs)
        for (int o = 0; o < static_cast<int>(context.Occasions.size()); ++o) {
            const TPlacementOccasion& at = context.Occasions[o];
            const int all = season.HomeGames(club.Club, at.Date, at.Game);
            const int mine = all - club.RestHomeGames[o];
            own += Excess(all, club.Capacity) - Excess(club.RestHomeGames[o], club.Capacity);
            if (club.Blocked[o])
                own += mine;
        }
    context.RestClashCount = season.ClashCount() - own;
    return context;
}

int PlacementClashCount(const TPlacementContext& context, const TPlacement& newSlot) {
    // Home games per (division club, occasion); a division has at most ten
    // clubs. Only the part in use is cleared.
    int homeGames[SlotCount][MaxPlacementOccasions];
    const int occasions =
        std::min(static_cast<int>(context.Occasions.size()), MaxPlacementOccasions);
    for (int c = 0; c < static_cast<int>(context.Clubs.size()); ++c)
        std::fill_n(homeGames[c], occasions, 0);
    for (int s = 0; s < SlotCount; ++s) {
        const int club = context.ClubOfSlot[s];
        if (club < 0)
            continue;
        for (int o : context.HomeOccasions[static_cast<int>(newSlot[s])])
            if (o < occasions)
                ++homeGames[club][o];
    }
    int count = context.RestClashCount;
    for (int c = 0; c < static_cast<int>(context.Clubs.size()); ++c) {
        const TPlacementClub& club = context.Clubs[c];
        for (int o = 0; o < occasions; ++o) {
            const int mine = homeGames[c][o];
            if (mine == 0)
                continue;
            const int rest = club.RestHomeGames[o];
            count += Excess(rest + mine, club.Capacity) - Excess(rest, club.Capacity);
            if (club.Blocked[o])
                count += mine;
        }
    }
    return count;
}

TPlacement IdentityPlacement() {
    TPlacement placement;
    for (int s = 0; s < SlotCount; ++s)
        placement[s] = static_cast<TSlotName>(s);
    return placement;
}
