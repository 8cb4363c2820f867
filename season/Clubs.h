#pragma once
// Which club a team plays for, and what a club's hall allows.
#include "data/Dates.h"
#include "data/RegionalSettings.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

inline constexpr int DefaultCapacity = 1;
inline constexpr int MaxCapacity = 9;

struct TClubValues {
    std::string Name;                // Windows-1252
    int Capacity = DefaultCapacity;  // home games at one date and game time
    std::vector<TDaySerial> Blocked; // dates the hall is not available
    friend bool operator==(const TClubValues&, const TClubValues&) = default;
};

using TClubId = std::int32_t;
inline constexpr TClubId NoClub = -1;

// A name as club names are compared: letter case folded, blanks around it
// dropped, runs of blanks inside it made one.
std::string FoldClubName(std::string_view cp1252);
// FoldClubName(a) == FoldClubName(b), without making either.
bool SameFoldedName(std::string_view a, std::string_view b);

// The team name without its blanks around and a trailing team number (a
// blank, then 1..99 or I..XX, with or without a final point): "TV Hude II"
// gives "TV Hude", "1. BC Hafen" stays.
std::string StripTeamNumber(std::string_view team);

// The clubs of one season: those of the club table first (ids in table
// order), then those that only teams name, added as teams are asked about.
// Names are compared folded, as equal bytes, which is what the program's
// text comparison calls equal.
class TClubDirectory {
public:
    // A later table entry with the name of an earlier one is ignored.
    explicit TClubDirectory(std::vector<TClubValues> table = {},
                            TRegionalSettings settings = TRegionalSettings::German());

    // The club of a team: the longest table club whose name is the team
    // name or a prefix of it followed by a blank, else the team name
    // without its team number. NoClub for an empty name.
    TClubId ClubOfTeam(std::string_view team);
    // The club of that name (no team number stripped), NoClub when unknown.
    TClubId FindClub(std::string_view name) const;

    int ClubCount() const { return static_cast<int>(clubs_.size()); }
    const TClubValues& Club(TClubId club) const { return clubs_[club]; }
    int Capacity(TClubId club) const { return clubs_[club].Capacity; }
    bool IsBlocked(TClubId club, TDaySerial day) const;
    // Whether the club stands in the club table (else it has the defaults).
    bool InTable(TClubId club) const { return club < tableClubs_; }
    const TRegionalSettings& Settings() const { return settings_; }
    // All clubs by name in the program's text order.
    std::vector<TClubId> ClubsByName() const;

private:
    TClubId Add(TClubValues club);
    TClubId TableClubOf(const std::string& folded) const;

    TRegionalSettings settings_;
    std::vector<TClubValues> clubs_; // Blocked sorted
    int tableClubs_ = 0;
    std::unordered_map<std::string, TClubId> byFoldedName_;
    std::unordered_map<std::string, TClubId> byTeam_; // team text as given
};
