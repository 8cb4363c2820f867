#pragma once
// The season of one year as the tables stand, brought up to date after each
// save with no more work than the change needs: one changed division is
// replaced on its own, anything larger rebuilds the season.
#include "season/Clashes.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

enum TFollowResult { frUnchanged, frReplaced, frRebuilt };

class TSeasonFollower {
public:
    // divisions: every division in the table's display order.
    TFollowResult Follow(const std::vector<TDivisionValues>& divisions,
                         const std::vector<TClubValues>& clubs, std::int32_t year,
                         const TRegionalSettings& settings);
    // The same with the tie records of every year (the tie table's order):
    // a division whose records changed has them replaced on its own.
    TFollowResult Follow(const std::vector<TDivisionValues>& divisions,
                         const std::vector<TClubValues>& clubs, std::int32_t year,
                         const TRegionalSettings& settings, const std::vector<TTieRecord>& ties);

    // One record saved or removed: only its division is recomputed. No
    // effect before the first Follow.
    void PutTie(const TTieRecord& record);
    void RemoveTie(const TTieRecord& key);

    // Nothing before the first Follow.
    const TSeason* Season() const { return season_.get(); }
    std::optional<std::int32_t> Year() const { return year_; }
    // The display row of a division of the season.
    int DisplayRow(int division) const { return rows_[division]; }

private:
    TFollowResult FollowDivisions(const std::vector<TDivisionValues>& divisions,
                                  const std::vector<TClubValues>& clubs, std::int32_t year,
                                  const TRegionalSettings& settings,
                                  const std::vector<TTieRecord>& ties);
    void Rebuild(const std::vector<TDivisionValues>& divisions,
                 const std::vector<TClubValues>& clubs, std::int32_t year,
                 const TRegionalSettings& settings);

    std::optional<std::int32_t> year_;
    std::vector<TClubValues> clubs_;
    std::vector<int> rows_;
    std::vector<TTieRecord> ties_; // of the year, as last followed
    std::unique_ptr<TSeason> season_;
};

// Changed divisions up to this many are replaced one by one.
inline constexpr int MaxReplacedDivisions = 4;
