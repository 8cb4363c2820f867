#include "season/SeasonFollower.h"

TFollowResult TSeasonFollower::Follow(const std::vector<TDivisionValues>& divisions,
                                      const std::vector<TClubValues>& clubs, std::int32_t year,
                                      const TRegionalSettings& settings) {
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
    std::vector<TDivisionValues> ofYear;
    ofYear.reserve(rows_.size());
    for (int r : rows_)
        ofYear.push_back(divisions[r]);
    year_ = year;
    clubs_ = clubs;
    season_ = std::make_unique<TSeason>(std::move(ofYear), TClubDirectory(clubs, settings));
    return frRebuilt;
}
