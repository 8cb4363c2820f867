#include "season/ClashText.h"

#include "data/file/Cp1252.h"

#include <algorithm>

namespace {

std::string Quoted(std::string_view utf8) {
    return "\xE2\x80\x9E" + std::string(utf8) + "\xE2\x80\x9C";
}

std::string GameText(const TSeason& season, const TSeasonGame& game) {
    const TDivisionValues& division = season.Division(game.Division);
    return DivisionTitleUtf8(division) + ", Spieltag " + std::string(SpieltagKeyName(game.Day)) +
           ": " + TeamLabelUtf8(division, game.Home) + " \xE2\x80\x93 " +
           TeamLabelUtf8(division, game.Away);
}

std::string HomeGames(std::size_t count) {
    return count == 1 ? "1 Heimspiel" : std::to_string(count) + " Heimspiele";
}

} // namespace

std::string ClashTextUtf8(const TSeason& season, const TClash& clash) {
    const TClubDirectory& clubs = season.Clubs();
    const std::string club =
        clash.Club == NoClub ? std::string() : Quoted(Cp1252ToUtf8(clubs.Club(clash.Club).Name));
    if (clash.Kind == ckDouble) {
        std::string text =
            "Doppelt eingetragen: " + Quoted(Cp1252ToUtf8(clash.Team)) + " steht in ";
        for (std::size_t i = 0; i < clash.Entries.size(); ++i) {
            const TTeamEntry& entry = clash.Entries[i];
            if (i > 0)
                text += i + 1 == clash.Entries.size() ? " und " : ", ";
            text += DivisionTitleUtf8(season.Division(entry.Division)) + " (Platz " +
                    std::string(SlotFieldName(entry.Slot)) + ")";
        }
        return text + ".";
    }
    if (clash.Kind == ckHoliday) {
        const TSeasonGame& game = clash.Games.front();
        return "Spieltag in den Ferien: " + DivisionTitleUtf8(season.Division(game.Division)) +
               ", Spieltag " + std::string(SpieltagKeyName(game.Day)) + " am " +
               clubs.Settings().FormatDate(clash.Date) + " (" + clash.Holiday + ").";
    }
    const std::string when =
        clubs.Settings().FormatDate(clash.Date) + " um " + std::string(GameClock(clash.Game));
    std::string text;
    if (clash.Kind == ckHall)
        text = "Hallenkonflikt: " + club + " hat am " + when + " " + HomeGames(clash.Games.size()) +
               " bei einer Kapazit\xC3\xA4t von " + std::to_string(clubs.Capacity(clash.Club));
    else
        text = "Gesperrter Termin: " + club + " hat am " + when + " " +
               HomeGames(clash.Games.size()) + ", die Halle ist an diesem Tag gesperrt";
    text += " \xE2\x80\x93 ";
    for (std::size_t i = 0; i < clash.Games.size(); ++i)
        text += (i > 0 ? "; " : "") + GameText(season, clash.Games[i]);
    return text + ".";
}

std::vector<TClash> ClashesOfDivision(const TSeason& season, int division) {
    std::vector<TClash> result;
    for (TClash& clash : season.Clashes()) {
        const bool involved =
            std::any_of(clash.Games.begin(), clash.Games.end(),
                        [&](const TSeasonGame& game) { return game.Division == division; }) ||
            std::any_of(clash.Entries.begin(), clash.Entries.end(),
                        [&](const TTeamEntry& entry) { return entry.Division == division; });
        if (involved)
            result.push_back(std::move(clash));
    }
    return result;
}
