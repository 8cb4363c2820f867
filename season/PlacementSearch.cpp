#include "season/PlacementSearch.h"

#include <algorithm>
#include <limits>

// Teams of one club are interchangeable for the clash count, so the search
// places clubs ("groups"; empty slots form one more group) and picks the
// teams afterwards. The clashes a club adds at a date and game time grow by
// one per home game from its capacity on (and by one more on a blocked day):
// the added cost never shrinks as more teams are placed, so the cost of a
// group at a free slot under the present counts bounds every completion.

namespace {

constexpr int MaxOccasions = MaxPlacementOccasions;
constexpr int MaxGroups = SlotCount + 1;
constexpr int Never = std::numeric_limits<int>::max() / 2;

struct TScore {
    int Clashes = 0;
    int Moved = 0;
    int ClubPairs = 0;

    bool BetterThan(const TScore& other) const {
        if (Clashes != other.Clashes)
            return Clashes < other.Clashes;
        if (Moved != other.Moved)
            return Moved < other.Moved;
        return ClubPairs > other.ClubPairs;
    }
};

class TSearch {
public:
    TSearch(const TPlacementContext& context, const TPinnedSlots& pinned,
            const TSearchControl& control);
    TPlacementSearchResult Run();

private:
    int Assign(int group, int position);
    void Unassign(int group, int position, int added);
    TScore Score() const { return {current_, moved_, pairs_}; }
    // Lower bound of the clashes of any completion; sets the free position
    // to branch on next (the one whose cheapest group costs most).
    int Bound(int& next) const;
    bool Promising(int clashBound) const;
    void Descend(double from, double width, int depth);
    void ImproveBySwaps();
    bool Stopping();
    TPlacement PlacementOf(const std::array<int, SlotCount>& groups) const;

    const TPlacementContext& context_;
    const TSearchControl& control_;
    int n_ = 0;
    int groups_ = 0;
    int emptyGroup_ = 0;
    std::array<int, SlotCount> slot_{};      // position -> record index
    std::array<bool, SlotCount> pinned_{};   // per position
    std::array<int, SlotCount> oldGroup_{};  // per position
    std::array<int, SlotCount> partner_{};   // position of the pair partner, -1
    std::array<int, SlotCount> assigned_{};  // per position, -1 while free
    std::array<int, MaxGroups> remaining_{}; // per group: teams not placed
    std::array<int, MaxGroups> oldFree_{};   // per group: free positions it held
    std::array<std::array<int, SlotCount>, MaxGroups> cost_{};
    std::array<std::array<int, MaxOccasions>, MaxGroups> count_{};
    std::array<std::array<int, MaxOccasions>, MaxGroups> threshold_{};
    std::array<std::array<int, MaxOccasions>, MaxGroups> blocked_{};
    std::array<std::vector<int>, SlotCount> homeOccasions_; // per position
    std::array<std::vector<int>, MaxOccasions> occasionPositions_;
    int free_ = 0;
    int current_ = 0;
    int moved_ = 0;
    int pairs_ = 0;

    TScore best_;
    std::array<int, SlotCount> bestGroups_{};
    std::int64_t nodes_ = 0;
    bool stopped_ = false;
};

TSearch::TSearch(const TPlacementContext& context, const TPinnedSlots& pinned,
                 const TSearchControl& control)
    : context_(context), control_(control) {
    n_ = static_cast<int>(context.Slots.size());
    groups_ = static_cast<int>(context.Clubs.size()) + 1;
    emptyGroup_ = groups_ - 1;
    const int occasions = std::min(static_cast<int>(context.Occasions.size()), MaxOccasions);
    std::array<int, SlotCount> positionOf;
    positionOf.fill(-1);
    for (int p = 0; p < n_; ++p) {
        slot_[p] = context.Slots[p];
        positionOf[slot_[p]] = p;
        pinned_[p] = pinned[slot_[p]];
        const int club = context.ClubOfSlot[slot_[p]];
        oldGroup_[p] = club < 0 ? emptyGroup_ : club;
        for (int o : context.HomeOccasions[slot_[p]])
            if (o < occasions) {
                homeOccasions_[p].push_back(o);
                occasionPositions_[o].push_back(p);
            }
    }
    for (int p = 0; p < n_; ++p)
        partner_[p] = positionOf[slot_[p] ^ 1];
    for (int g = 0; g < groups_; ++g)
        for (int o = 0; o < MaxOccasions; ++o) {
            const bool real = g != emptyGroup_ && o < occasions;
            threshold_[g][o] =
                real ? context.Clubs[g].Capacity - context.Clubs[g].RestHomeGames[o] : Never;
            blocked_[g][o] = real && context.Clubs[g].Blocked[o] ? 1 : 0;
        }
    for (int g = 0; g < groups_; ++g)
        for (int p = 0; p < n_; ++p)
            for (int o : homeOccasions_[p])
                cost_[g][p] += (0 >= threshold_[g][o]) + blocked_[g][o];
    assigned_.fill(-1);
    free_ = n_;
    current_ = context.RestClashCount;
    for (int p = 0; p < n_; ++p) {
        ++remaining_[oldGroup_[p]];
        ++oldFree_[oldGroup_[p]];
    }
}

int TSearch::Assign(int group, int position) {
    assigned_[position] = group;
    --remaining_[group];
    --oldFree_[oldGroup_[position]];
    --free_;
    int added = 0;
    for (int o : homeOccasions_[position]) {
        const int k = count_[group][o]++;
        added += (k >= threshold_[group][o]) + blocked_[group][o];
        if (k + 1 == threshold_[group][o])
            for (int q : occasionPositions_[o])
                ++cost_[group][q];
    }
    current_ += added;
    if (oldGroup_[position] != emptyGroup_ && group != oldGroup_[position])
        ++moved_;
    const int partner = partner_[position];
    if (group != emptyGroup_ && partner >= 0 && assigned_[partner] == group)
        ++pairs_;
    return added;
}

void TSearch::Unassign(int group, int position, int added) {
    const int partner = partner_[position];
    if (group != emptyGroup_ && partner >= 0 && assigned_[partner] == group)
        --pairs_;
    if (oldGroup_[position] != emptyGroup_ && group != oldGroup_[position])
        --moved_;
    current_ -= added;
    for (int o : homeOccasions_[position]) {
        const int k = --count_[group][o];
        if (k + 1 == threshold_[group][o])
            for (int q : occasionPositions_[o])
                --cost_[group][q];
    }
    ++free_;
    ++oldFree_[oldGroup_[position]];
    ++remaining_[group];
    assigned_[position] = -1;
}

int TSearch::Bound(int& next) const {
    // Each free slot gets at least its cheapest group, and each group's
    // remaining teams at least their cheapest free slots: the larger of the
    // two sums bounds what is still to come.
    int bySlot = 0, mostNeeded = -1;
    next = -1;
    for (int p = 0; p < n_; ++p) {
        if (assigned_[p] >= 0)
            continue;
        int cheapest = Never;
        for (int g = 0; g < groups_; ++g)
            if (remaining_[g] > 0)
                cheapest = std::min(cheapest, cost_[g][p]);
        bySlot += cheapest;
        if (cheapest > mostNeeded) {
            mostNeeded = cheapest;
            next = p;
        }
    }
    int byGroup = 0;
    std::array<int, SlotCount> costs;
    for (int g = 0; g < groups_; ++g) {
        if (remaining_[g] == 0)
            continue;
        int m = 0;
        for (int p = 0; p < n_; ++p)
            if (assigned_[p] < 0)
                costs[m++] = cost_[g][p];
        std::partial_sort(costs.begin(), costs.begin() + remaining_[g], costs.begin() + m);
        for (int i = 0; i < remaining_[g]; ++i)
            byGroup += costs[i];
    }
    return current_ + std::max(bySlot, byGroup);
}

bool TSearch::Promising(int clashBound) const {
    if (clashBound != best_.Clashes)
        return clashBound < best_.Clashes;
    // A free slot keeps its team only while its club has teams left.
    int moved = moved_;
    for (int g = 0; g < groups_; ++g)
        if (g != emptyGroup_)
            moved += std::max(0, oldFree_[g] - remaining_[g]);
    if (moved != best_.Moved)
        return moved < best_.Moved;
    int half = 0, open = 0, couples = 0;
    for (int p = 0; p < n_; ++p) {
        const int q = partner_[p];
        if (q < 0 || (assigned_[p] >= 0 && assigned_[q] >= 0))
            continue;
        if (assigned_[p] < 0 && assigned_[q] < 0) {
            open += p < q;
            continue;
        }
        const int g = assigned_[p] >= 0 ? assigned_[p] : assigned_[q];
        half += assigned_[p] >= 0 && g != emptyGroup_ && remaining_[g] > 0;
    }
    for (int g = 0; g < groups_; ++g)
        if (g != emptyGroup_)
            couples += remaining_[g] / 2;
    return pairs_ + half + std::min(open, couples) > best_.ClubPairs;
}

bool TSearch::Stopping() {
    if (stopped_)
        return true;
    ++nodes_;
    if ((control_.NodeLimit > 0 && nodes_ >= control_.NodeLimit) ||
        ((nodes_ & 1023) == 0 && control_.Cancelled()))
        stopped_ = true;
    return stopped_;
}

void TSearch::Descend(double from, double width, int depth) {
    if (Stopping())
        return;
    if (free_ == 0) {
        if (Score().BetterThan(best_)) {
            best_ = Score();
            bestGroups_ = assigned_;
        }
        return;
    }
    int position = -1;
    if (!Promising(Bound(position)))
        return;
    // The club that stands there first, then the cheapest.
    std::array<int, MaxGroups> order;
    int candidates = 0;
    for (int g = 0; g < groups_; ++g)
        if (remaining_[g] > 0)
            order[candidates++] = g;
    const int stay = oldGroup_[position];
    std::stable_sort(order.begin(), order.begin() + candidates, [&](int a, int b) {
        if ((a == stay) != (b == stay))
            return a == stay;
        return cost_[a][position] < cost_[b][position];
    });
    const double share = width / candidates;
    for (int i = 0; i < candidates && !stopped_; ++i) {
        const int group = order[i];
        const int added = Assign(group, position);
        Descend(from + i * share, share, depth + 1);
        Unassign(group, position, added);
        if (depth < 3 && control_.Progress && !stopped_)
            control_.Progress({from + (i + 1) * share, 1, context_.Division, best_.Clashes});
    }
}

void TSearch::ImproveBySwaps() {
    // A quick first answer makes the bound bite from the start.
    std::array<int, SlotCount> groups = bestGroups_;
    const auto scoreOf = [&](const std::array<int, SlotCount>& candidate) {
        std::array<int, SlotCount> added;
        for (int p = 0; p < n_; ++p)
            added[p] = Assign(candidate[p], p);
        const TScore score = Score();
        for (int p = n_ - 1; p >= 0; --p)
            Unassign(candidate[p], p, added[p]);
        return score;
    };
    for (bool improved = true; improved;) {
        improved = false;
        for (int a = 0; a < n_; ++a)
            for (int b = a + 1; b < n_; ++b) {
                if (pinned_[a] || pinned_[b] || groups[a] == groups[b])
                    continue;
                std::swap(groups[a], groups[b]);
                const TScore score = scoreOf(groups);
                if (score.BetterThan(best_)) {
                    best_ = score;
                    bestGroups_ = groups;
                    improved = true;
                } else {
                    std::swap(groups[a], groups[b]);
                }
            }
    }
}

TPlacementSearchResult TSearch::Run() {
    for (int p = 0; p < n_; ++p)
        bestGroups_[p] = oldGroup_[p];
    {
        std::array<int, SlotCount> added;
        for (int p = 0; p < n_; ++p)
            added[p] = Assign(oldGroup_[p], p);
        best_ = Score();
        for (int p = n_ - 1; p >= 0; --p)
            Unassign(oldGroup_[p], p, added[p]);
    }
    ImproveBySwaps();
    for (int p = 0; p < n_; ++p)
        if (pinned_[p])
            Assign(oldGroup_[p], p);
    Descend(0, 1, 0);
    if (!stopped_ && control_.Progress)
        control_.Progress({1.0, 1, context_.Division, best_.Clashes});

    TPlacementSearchResult result;
    result.Placement = PlacementOf(bestGroups_);
    result.Clashes = best_.Clashes;
    result.Moved = best_.Moved;
    result.ClubPairs = best_.ClubPairs;
    result.Complete = !stopped_;
    result.Nodes = nodes_;
    return result;
}

TPlacement TSearch::PlacementOf(const std::array<int, SlotCount>& groups) const {
    // Teams whose club keeps the slot stay; the others of a club fill its
    // new slots in slot order.
    TPlacement placement = IdentityPlacement();
    std::array<bool, SlotCount> placed{}, filled{};
    for (int p = 0; p < n_; ++p)
        if (groups[p] == oldGroup_[p])
            placed[p] = filled[p] = true;
    for (int p = 0; p < n_; ++p) {
        if (filled[p])
            continue;
        for (int q = 0; q < n_; ++q)
            if (!placed[q] && oldGroup_[q] == groups[p]) {
                placement[slot_[q]] = static_cast<TSlotName>(slot_[p]);
                placed[q] = true;
                break;
            }
    }
    return placement;
}

} // namespace

TPlacementSearchResult SearchPlacement(const TPlacementContext& context, const TPinnedSlots& pinned,
                                       const TSearchControl& control) {
    return TSearch(context, pinned, control).Run();
}

int ClubPairCount(const TPlacementContext& context, const TPlacement& newSlot) {
    std::array<int, SlotCount> clubAt;
    clubAt.fill(-1);
    std::array<bool, SlotCount> used{};
    for (int s : context.Slots)
        used[s] = true;
    for (int s : context.Slots)
        clubAt[static_cast<int>(newSlot[s])] = context.ClubOfSlot[s];
    int pairs = 0;
    for (int s = 0; s + 1 < SlotCount; s += 2)
        pairs += used[s] && used[s + 1] && clubAt[s] >= 0 && clubAt[s] == clubAt[s + 1];
    return pairs;
}
