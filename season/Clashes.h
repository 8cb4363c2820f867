#pragma once
// A season's games and clashes, kept per division so that a changed
// division is recomputed on its own.
#include "season/Clubs.h"
#include "season/Games.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

enum TClashKind : std::uint8_t { ckHall, ckBlocked, ckDouble };

// Where a team stands: division and slot.
struct TTeamEntry {
    int Division = 0;
    TSlotName Slot = TSlotName::s1A;
};

struct TClash {
    TClashKind Kind = ckHall;
    TClubId Club = NoClub;
    // Hall and blocked: the date and game time (1: 15 Uhr, 2: 19 Uhr) and
    // every game involved, in division order.
    TDaySerial Date = 0;
    int Game = 1;
    std::vector<TSeasonGame> Games;
    // Double entry: the team (Windows-1252, as its first division spells
    // it) and one entry per division it stands in.
    std::string Team;
    std::vector<TTeamEntry> Entries;
};

struct THomeGamesOnDate {
    TClubId Club = NoClub;
    TDaySerial Date = 0;
    int HomeGames = 0;
};

// (club, date, game time) of a home game, packed for hashing.
using TOccasionKey = std::uint64_t;
inline TOccasionKey OccasionKey(TClubId club, TDaySerial date, int game) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(club)) << 33) |
           (static_cast<std::uint64_t>(static_cast<std::uint32_t>(date)) << 1) |
           static_cast<std::uint64_t>(game == 2);
}

// A home game by its place in the season: division and index in that
// division's games.
struct TGameRef {
    int Division = 0;
    int Index = 0;
    friend bool operator==(const TGameRef&, const TGameRef&) = default;
};

class TSeason {
public:
    // The divisions of one season (one Jahr); their indices are their
    // positions here.
    TSeason(std::vector<TDivisionValues> divisions, TClubDirectory clubs);

    // ties: every tie and team record of the season's year; those of no
    // division, or of no tie of theirs, are kept as lost (OrphanTies).
    TSeason(std::vector<TDivisionValues> divisions, TClubDirectory clubs,
            std::vector<TTieRecord> ties);

    // Recomputes only what that division contributes; its records stay with
    // it while its year and class stay.
    void ReplaceDivision(int index, TDivisionValues division);

    // The division of that year and class (folded as team names), -1 none.
    int FindDivision(std::int32_t jahr, std::string_view klasse) const;
    // The records of a division in their given order: ties, matched or not,
    // and records of teams alone.
    const std::vector<TTieRecord>& TieRecords(int division) const {
        return divisions_[division].Ties;
    }
    // The record of a game, nullptr when it has none.
    const TTieRecord* Tie(const TSeasonGame& game) const {
        return game.Tie < 0 ? nullptr : &divisions_[game.Division].Ties[game.Tie];
    }
    // Puts one record in place of the one with its key (Jahr, Klasse, Heim,
    // Gast, folded), or adds it; recomputes its division only.
    void PutTie(TTieRecord record);
    // Takes out the record with that key.
    void RemoveTie(const TTieRecord& key);
    // Replaces all records of a division.
    void ReplaceTies(int division, std::vector<TTieRecord> records);
    // Records that lost their tie: no division of the season has their
    // class, or none of its ties (or teams) their teams; in the order kept.
    std::vector<TTieRecord> OrphanTies() const;
    // Those of them whose class no division has.
    const std::vector<TTieRecord>& OrphanTiesOfNoDivision() const { return orphans_; }

    int DivisionCount() const { return static_cast<int>(divisions_.size()); }
    const TDivisionValues& Division(int index) const { return divisions_[index].Values; }
    const std::vector<TSeasonGame>& Games(int division) const { return divisions_[division].Games; }
    const TSeasonGame& Game(TGameRef ref) const {
        return divisions_[ref.Division].Games[ref.Index];
    }
    // The club of each slot, record order; NoClub for an empty slot.
    const std::array<TClubId, SlotCount>& SlotClubs(int division) const {
        return divisions_[division].Clubs;
    }
    TClubId HomeClub(const TSeasonGame& game) const {
        return SlotClubs(game.Division)[Slot(game.Home)];
    }
    TClubId AwayClub(const TSeasonGame& game) const {
        return SlotClubs(game.Division)[Slot(game.Away)];
    }
    const TClubDirectory& Clubs() const { return clubs_; }

    // Hall clashes and blocked dates in date and game-time order (hall
    // before blocked, then by club name), double entries last (by team).
    std::vector<TClash> Clashes() const;
    // Home games beyond capacity at each date and game time, plus one per
    // home game on a blocked date. Kept up to date: no work on a call.
    int ClashCount() const { return hallExcess_ + blockedGames_; }
    int UnscheduledCount() const { return unscheduled_; }
    // Per club (by name) and date, the home games on that date.
    std::vector<THomeGamesOnDate> HomeGamesPerDate() const;

    // Home games of a club at one date and game time, in the whole season
    // and in one division only; the rest of the season is the difference.
    int HomeGames(TClubId club, TDaySerial date, int game) const;
    int HomeGamesIn(int division, TClubId club, TDaySerial date, int game) const;
    // The club's home games at that date and game time.
    const std::vector<TGameRef>* HomeGameRefs(TClubId club, TDaySerial date, int game) const;

private:
    struct TDivisionPart {
        TDivisionValues Values;
        std::array<TClubId, SlotCount> Clubs{};
        std::vector<TSeasonGame> Games;
        std::vector<int> BlockedGames;  // indices into Games
        std::vector<std::string> Teams; // folded team names, one per distinct team
        int Unscheduled = 0;
        std::vector<TTieRecord> Ties;
        std::vector<int> Unattached; // indices into Ties: no tie, no team of theirs
    };
    struct TOccasion {
        TClubId Club = NoClub;
        TDaySerial Date = 0;
        int Game = 1;
        std::vector<TGameRef> Games;
    };

    static int Slot(TSlotName slot) { return static_cast<int>(slot); }
    int Excess(TClubId club, int homeGames) const;
    void Add(int index);
    void Remove(int index);
    void AttachTies(TDivisionPart& part);
    void IndexClasses();

    TClubDirectory clubs_;
    std::vector<TDivisionPart> divisions_;
    std::unordered_map<TOccasionKey, TOccasion> occasions_;
    // Folded team name -> the divisions it stands in (with its slot).
    std::unordered_map<std::string, std::vector<TTeamEntry>> teams_;
    int hallExcess_ = 0;
    int blockedGames_ = 0;
    int unscheduled_ = 0;
    std::vector<TTieRecord> orphans_; // of no division
    // Jahr and folded class -> division index (the first of that name).
    std::unordered_map<std::string, int> byClass_;
};

// The distinct years of the divisions, ascending; divisions without a year
// belong to no season.
std::vector<std::int32_t> SeasonYears(const std::vector<TDivisionValues>& divisions);
// The divisions of one year, in their given order.
std::vector<TDivisionValues> DivisionsOfYear(const std::vector<TDivisionValues>& divisions,
                                             std::int32_t year);
