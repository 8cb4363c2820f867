#include "season/Impossibility.h"

#include "report/Fixtures.h"
#include "season/QuotedText.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <set>

// Clubs meet only in the slots they take: what one club costs depends on
// its own slots alone. So the least a club costs over every choice of its
// slots holds in every placement, and so does the least two clubs cost
// together; both are small enumerations (at most 252 slot sets a club).

namespace {

constexpr std::size_t ListedAtMost = 6;

struct TParts {
    int Total = 0;
    int Internal = 0; // the division's own teams together beyond capacity
    int Hall = 0;     // beyond capacity with the rest of the season
    int Blocked = 0;  // home games on blocked days
};

struct TClubCase {
    int Club = 0;                 // index into Context.Clubs
    std::vector<int> PinnedSlots; // record indices
    int FreeTeams = 0;
    TParts Least;
};

TParts PartsOf(const TPlacementContext& context, int club, const std::vector<int>& slots) {
    const TPlacementClub& c = context.Clubs[club];
    std::vector<int> homeGames(context.Occasions.size(), 0);
    for (int s : slots)
        for (int o : context.HomeOccasions[s])
            ++homeGames[o];
    TParts parts;
    for (std::size_t o = 0; o < homeGames.size(); ++o) {
        const int k = homeGames[o];
        if (k == 0)
            continue;
        const int rest = c.RestHomeGames[o];
        parts.Internal += std::max(0, k - c.Capacity);
        parts.Hall += std::max(0, rest + k - c.Capacity) - std::max(0, rest - c.Capacity);
        parts.Blocked += c.Blocked[o] ? k : 0;
    }
    parts.Total = parts.Hall + parts.Blocked;
    return parts;
}

// Calls visit with every choice of `count` of the candidates added to base.
void ForEachChoice(const std::vector<int>& candidates, int count, std::vector<int>& chosen,
                   const std::function<void(const std::vector<int>&)>& visit,
                   std::size_t from = 0) {
    if (count == 0) {
        visit(chosen);
        return;
    }
    for (std::size_t i = from; i + count <= candidates.size(); ++i) {
        chosen.push_back(candidates[i]);
        ForEachChoice(candidates, count - 1, chosen, visit, i + 1);
        chosen.pop_back();
    }
}

std::string Counted(int n, const char* one, const char* many) {
    return std::to_string(n) + ' ' + (n == 1 ? one : many);
}

// "a, b, c" or, beyond the first few, "a, b, c und 8 weiteren".
std::string Listed(const std::vector<std::string>& items,
                   std::size_t atMost = std::numeric_limits<std::size_t>::max()) {
    std::string text;
    for (std::size_t i = 0; i < items.size() && i < atMost; ++i)
        text += (i ? ", " : "") + items[i];
    if (items.size() > atMost)
        text += " und " + std::to_string(items.size() - atMost) + " weiteren";
    return text;
}

std::string OnlySlots(const std::vector<std::string>& slots) {
    return slots.empty() ? std::string("keiner") : Listed(slots);
}

class TExplainer {
public:
    explicit TExplainer(const TProposalInput& input) : input_(input), context_(input.Context) {
        for (int s : context_.Slots)
            if (!input.Pinned[s])
                freeSlots_.push_back(s);
    }

    std::vector<std::string> Explain(int minimum);

private:
    TClubCase CaseOf(int club) const;
    std::string ClubSentence(const TClubCase& c) const;
    int LeastTogether(const TClubCase& a, const TClubCase& b) const;
    std::vector<std::string> ClashFreeSlots(const TClubCase& c) const;
    std::vector<std::string> FullOccasions(int club) const;
    std::vector<std::string> BlockedDates(int club) const;

    const TProposalInput& input_;
    const TPlacementContext& context_;
    std::vector<int> freeSlots_;
    const TRegionalSettings german_ = TRegionalSettings::German();
};

TClubCase TExplainer::CaseOf(int club) const {
    TClubCase c;
    c.Club = club;
    for (int s : context_.Slots)
        if (context_.ClubOfSlot[s] == club) {
            if (input_.Pinned[s])
                c.PinnedSlots.push_back(s);
            else
                ++c.FreeTeams;
        }
    c.Least = {1 << 20, 1 << 20, 1 << 20, 1 << 20};
    std::vector<int> chosen = c.PinnedSlots;
    ForEachChoice(freeSlots_, c.FreeTeams, chosen, [&](const std::vector<int>& slots) {
        const TParts parts = PartsOf(context_, club, slots);
        c.Least.Total = std::min(c.Least.Total, parts.Total);
        c.Least.Internal = std::min(c.Least.Internal, parts.Internal);
        c.Least.Hall = std::min(c.Least.Hall, parts.Hall);
        c.Least.Blocked = std::min(c.Least.Blocked, parts.Blocked);
    });
    return c;
}

int TExplainer::LeastTogether(const TClubCase& a, const TClubCase& b) const {
    int least = 1 << 20;
    std::vector<int> chosenA = a.PinnedSlots;
    ForEachChoice(freeSlots_, a.FreeTeams, chosenA, [&](const std::vector<int>& slotsA) {
        const int costA = PartsOf(context_, a.Club, slotsA).Total;
        if (costA >= least)
            return;
        std::vector<int> rest;
        for (int s : freeSlots_)
            if (std::find(slotsA.begin(), slotsA.end(), s) == slotsA.end())
                rest.push_back(s);
        std::vector<int> chosenB = b.PinnedSlots;
        ForEachChoice(rest, b.FreeTeams, chosenB, [&](const std::vector<int>& slotsB) {
            least = std::min(least, costA + PartsOf(context_, b.Club, slotsB).Total);
        });
    });
    return least;
}

std::vector<std::string> TExplainer::ClashFreeSlots(const TClubCase& c) const {
    std::vector<std::string> slots;
    for (int s : freeSlots_)
        if (PartsOf(context_, c.Club, {s}).Total == 0)
            slots.emplace_back(SlotFieldName(static_cast<TSlotName>(s)));
    return slots;
}

std::vector<std::string> TExplainer::FullOccasions(int club) const {
    const TPlacementClub& c = context_.Clubs[club];
    std::vector<std::pair<TDaySerial, int>> full;
    for (std::size_t o = 0; o < context_.Occasions.size(); ++o)
        if (c.RestHomeGames[o] >= c.Capacity)
            full.emplace_back(context_.Occasions[o].Date, context_.Occasions[o].Game);
    std::sort(full.begin(), full.end());
    std::vector<std::string> texts;
    for (const auto& [date, game] : full)
        texts.push_back(german_.FormatDate(date) + ' ' + std::string(GameClock(game)));
    return texts;
}

std::vector<std::string> TExplainer::BlockedDates(int club) const {
    const TPlacementClub& c = context_.Clubs[club];
    std::set<TDaySerial> dates;
    for (std::size_t o = 0; o < context_.Occasions.size(); ++o)
        if (c.Blocked[o])
            dates.insert(context_.Occasions[o].Date);
    std::vector<std::string> texts;
    for (TDaySerial date : dates)
        texts.push_back(german_.FormatDate(date));
    return texts;
}

std::string TExplainer::ClubSentence(const TClubCase& c) const {
    const TClubValues& club = input_.Clubs[c.Club];
    const int teams = c.FreeTeams + static_cast<int>(c.PinnedSlots.size());
    std::string text =
        QuotedFieldText(club.Name) + " (" + Counted(teams, "Mannschaft", "Mannschaften");
    if (!c.PinnedSlots.empty())
        text += ", davon " + std::to_string(c.PinnedSlots.size()) + " festgesetzt";
    text += ", Kapazität " + std::to_string(context_.Clubs[c.Club].Capacity) +
            ") hat in jeder Verteilung mindestens " +
            Counted(c.Least.Total, "Konflikt", "Konflikte") + ": ";
    std::vector<std::string> causes;
    if (c.Least.Internal > 0)
        causes.push_back("seine Mannschaften dieser Staffel haben zur selben Zeit zusammen mehr "
                         "Heimspiele, als die Halle fasst (mindestens " +
                         std::to_string(c.Least.Internal) + " zu viel)");
    const std::vector<std::string> full = FullOccasions(c.Club);
    const std::vector<std::string> blocked = BlockedDates(c.Club);
    if (c.Least.Hall > c.Least.Internal && !full.empty())
        causes.push_back("die Halle ist durch andere Staffeln schon belegt am " +
                         Listed(full, ListedAtMost));
    if (c.Least.Blocked > 0 && !blocked.empty())
        causes.push_back("die Halle ist gesperrt am " + Listed(blocked, ListedAtMost));
    if (causes.empty()) {
        std::string both = "jeder freie Platz bringt ein Heimspiel";
        if (!blocked.empty())
            both += " an einem gesperrten Tag (" + Listed(blocked, ListedAtMost) + ")";
        if (!blocked.empty() && !full.empty())
            both += " oder";
        if (!full.empty())
            both += " zu einer schon belegten Zeit (" + Listed(full, ListedAtMost) + ")";
        causes.push_back(both);
    }
    for (std::size_t i = 0; i < causes.size(); ++i)
        text += (i ? "; " : "") + causes[i];
    return text + '.';
}

std::vector<std::string> TExplainer::Explain(int minimum) {
    std::vector<std::string> reasons{"In jeder Verteilung dieser Staffel bleiben mindestens " +
                                     Counted(minimum, "Konflikt.", "Konflikte.")};
    std::vector<TClubCase> cases;
    for (int club = 0; club < static_cast<int>(context_.Clubs.size()); ++club) {
        TClubCase c = CaseOf(club);
        if (c.FreeTeams > 0 || !c.PinnedSlots.empty())
            cases.push_back(std::move(c));
    }
    std::sort(cases.begin(), cases.end(), [&](const TClubCase& a, const TClubCase& b) {
        return german_.Compare(input_.Clubs[a.Club].Name, input_.Clubs[b.Club].Name) < 0;
    });
    int alone = 0;
    for (const TClubCase& c : cases)
        if (c.Least.Total > 0) {
            reasons.push_back(ClubSentence(c));
            alone += c.Least.Total;
        }
    if (alone >= minimum)
        return reasons;
    bool competing = false;
    for (std::size_t i = 0; i < cases.size(); ++i)
        for (std::size_t j = i + 1; j < cases.size(); ++j) {
            const TClubCase &a = cases[i], &b = cases[j];
            if (a.FreeTeams == 0 || b.FreeTeams == 0)
                continue;
            const int together = LeastTogether(a, b);
            if (together <= a.Least.Total + b.Least.Total)
                continue;
            competing = true;
            const std::string nameA = QuotedFieldText(input_.Clubs[a.Club].Name);
            const std::string nameB = QuotedFieldText(input_.Clubs[b.Club].Name);
            reasons.push_back(
                nameA + " und " + nameB +
                " finden nicht beide Plätze ohne Konflikt (Plätze ohne Konflikt für " + nameA +
                ": " + OnlySlots(ClashFreeSlots(a)) + "; für " + nameB + ": " +
                OnlySlots(ClashFreeSlots(b)) + "): zusammen mindestens " +
                Counted(together, "Konflikt.", "Konflikte."));
        }
    if (!competing)
        reasons.push_back("Kein Verein erzwingt diese Konflikte allein: erst zusammen finden die "
                          "Mannschaften nicht genug Plätze ohne Konflikt.");
    return reasons;
}

} // namespace

std::vector<std::string> ExplainClashes(const TProposalInput& input, int minimumDivisionClashes) {
    return TExplainer(input).Explain(minimumDivisionClashes);
}
