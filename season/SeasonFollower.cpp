#include "season/SeasonFollower.h"

#include "season/TieTable.h"

#include <algorithm>

TFollowResult TSeasonFollower::Follow(const std::vector<TDivisionValues>& divisions,
                                      const std::vector<TClubValues>& clubs, std::int32_t year,
                                      const TRegionalSettings& settings) {
    return Follow(divisions, clubs, year, settings, ties_);
}

TFollowResult TSeasonFollower::Follow(const std::vector<TDivisionValues>& divisions,
                                      const std::vector<TClubValues>& clubs, std::int32_t year,
                                      const TRegionalSettings& settings,
                                      const std::vector<TTieRecord>& ties) {
    std::vector<TTieRecord> ofYear;
    for (const TTieRecord& tie : ties)
        if (tie.Jahr == year)
            ofYear.push_back(tie);
    const TFollowResult divisionsFollowed =
        FollowDivisions(divisions, clubs, year, settings, ofYear);
    if (divisionsFollowed == frRebuilt || ofYear == ties_) {
        ties_ = std::move(ofYear);
        return divisionsFollowed;
    }
    // Only the divisions whose records differ take theirs anew.
    std::vector<std::vector<TTieRecord>> perDivision(season_->DivisionCount());
    std::vector<TTieRecord> orphans;
    for (TTieRecord& tie : ofYear) {
        const int d = season_->FindDivision(tie.Jahr, tie.Klasse);
        (d < 0 ? orphans : perDivision[d]).push_back(tie);
    }
    ties_ = std::move(ofYear);
    if (orphans != season_->OrphanTiesOfNoDivision()) {
        Rebuild(divisions, clubs, year, settings);
        return frRebuilt;
    }
    bool replaced = divisionsFollowed == frReplaced;
    for (int d = 0; d < season_->DivisionCount(); ++d)
        if (perDivision[d] != season_->TieRecords(d)) {
            season_->ReplaceTies(d, std::move(perDivision[d]));
            replaced = true;
        }
    return replaced ? frReplaced : frUnchanged;
}

TFollowResult TSeasonFollower::FollowDivisions(const std::vector<TDivisionValues>& divisions,
                                               const std::vector<TClubValues>& clubs,
                                               std::int32_t year, const TRegionalSettings& settings,
                                               const std::vector<TTieRecord>& ties) {
    std::vector<int> rows;
    for (int r = 0; r < static_cast<int>(divisions.size()); ++r)
        if (divisions[r].Jahr == year)
            rows.push_back(r);

    std::vector<int> changed;
    const bool comparable = season_ && year_ == year && clubs_ == clubs &&
                            static_cast<int>(rows.size()) == season_->DivisionCount();
    if (comparable)
        for (int d = 0; d < season_->DivisionCount(); ++d)
            if (!(season_->Division(d) == divisions[rows[d]]))
                changed.push_back(d);
    rows_ = std::move(rows);
    if (comparable && changed.empty())
        return frUnchanged;
    if (comparable && static_cast<int>(changed.size()) <= MaxReplacedDivisions) {
        for (int d : changed)
            season_->ReplaceDivision(d, divisions[rows_[d]]);
        return frReplaced;
    }
    ties_ = ties;
    Rebuild(divisions, clubs, year, settings);
    return frRebuilt;
}

void TSeasonFollower::Rebuild(const std::vector<TDivisionValues>& divisions,
                              const std::vector<TClubValues>& clubs, std::int32_t year,
                              const TRegionalSettings& settings) {
    std::vector<TDivisionValues> ofYear;
    ofYear.reserve(rows_.size());
    for (int r : rows_)
        ofYear.push_back(divisions[r]);
    year_ = year;
    clubs_ = clubs;
    season_ = std::make_unique<TSeason>(std::move(ofYear), TClubDirectory(clubs, settings), ties_);
}

void TSeasonFollower::PutTie(const TTieRecord& record) {
    if (!season_ || record.Jahr != year_)
        return;
    const auto found = std::find_if(ties_.begin(), ties_.end(),
                                    [&](const TTieRecord& tie) { return SameTieKey(tie, record); });
    if (found == ties_.end())
        ties_.push_back(record);
    else
        *found = record;
    season_->PutTie(record);
}

void TSeasonFollower::RemoveTie(const TTieRecord& key) {
    if (!season_ || key.Jahr != year_)
        return;
    std::erase_if(ties_, [&](const TTieRecord& tie) { return SameTieKey(tie, key); });
    season_->RemoveTie(key);
}
