#include "report/PlanCheck.h"

#include "data/file/Cp1252.h"

#include <map>

namespace {

std::string KeyName(TSpieltagKey key) {
    return std::string(SpieltagKeyName(key));
}

std::string Quoted(const std::string& cp1252) {
    return "\xE2\x80\x9E" + Cp1252ToUtf8(cp1252) + "\xE2\x80\x9C"; // „…“
}

// "1A, 2B und 3A"
template <class T, class F> std::string Enumeration(const std::vector<T>& items, F name) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? " und " : ", ";
        text += name(items[i]);
    }
    return text;
}

class TChecker {
public:
    TChecker(const TDivisionValues& division, const TRegionalSettings& settings)
        : division_(division), settings_(settings), layout_(LayoutOf(division)) {}

    std::vector<TPlanFinding> Run() {
        CheckTeams();
        CheckOwnTeam();
        CheckDates();
        return std::move(findings_);
    }

private:
    void Add(TPlanFindingKind kind, std::string text) {
        findings_.push_back({kind, std::move(text)});
    }

    std::string DayWithDate(TSpieltagKey key, TDaySerial day) const {
        return "Spieltag " + KeyName(key) + " (" + settings_.FormatDate(day) + ")";
    }

    void CheckTeams() {
        std::map<std::string, std::vector<TSlotName>> slotsOfTeam;
        std::vector<std::string> order;
        for (TSlotName slot : SlotsUsedBy(layout_)) {
            const std::string team = TrimmedTeam(division_.Team(slot));
            if (IsBye(team))
                continue; // free on purpose, however many
            if (team.empty()) {
                Add(pfSlotWithoutTeam,
                    "Platz " + std::string(SlotFieldName(slot)) + " hat keinen Mannschaftsnamen.");
                continue;
            }
            auto& slots = slotsOfTeam[team];
            if (slots.empty())
                order.push_back(team);
            slots.push_back(slot);
        }
        for (const std::string& team : order) {
            const auto& slots = slotsOfTeam[team];
            if (slots.size() > 1)
                Add(pfTeamInTwoSlots,
                    "Die Mannschaft " + Quoted(team) + " steht in den Pl\xC3\xA4tzen " +
                        Enumeration(slots,
                                    [](TSlotName s) { return std::string(SlotFieldName(s)); }) +
                        ".");
        }
    }

    void CheckOwnTeam() {
        const std::string own = TrimmedTeam(division_.Mannschaft);
        if (own.empty()) {
            Add(pfOwnTeamMissing, "Es ist keine eigene Mannschaft eingetragen.");
            return;
        }
        for (TSlotName slot : SlotsUsedBy(layout_))
            if (TrimmedTeam(division_.Team(slot)) == own)
                return;
        Add(pfOwnTeamMissing,
            "Die eigene Mannschaft " + Quoted(own) + " steht in keinem Platz der Staffel.");
    }

    void CheckDates() {
        std::map<TDaySerial, std::vector<TSpieltagKey>> daysOnDate;
        std::optional<TSpieltagKey> previous;
        for (TSpieltagKey key : MatchDaysUsedBy(layout_)) {
            const auto date = division_.Date(key);
            if (!date) {
                Add(pfDayWithoutDate, "Spieltag " + KeyName(key) + " hat kein Datum.");
                continue;
            }
            if (previous && *date < *division_.Date(*previous))
                Add(pfDateOrder, DayWithDate(key, *date) + " liegt nicht nach " +
                                     DayWithDate(*previous, *division_.Date(*previous)) + ".");
            previous = key;
            daysOnDate[*date].push_back(key);
            CheckSeason(key, *date);
        }
        for (const auto& [date, keys] : daysOnDate)
            if (keys.size() > 1)
                Add(pfSameDate, "Die Spieltage " + Enumeration(keys, KeyName) +
                                    " liegen auf demselben Tag (" + settings_.FormatDate(date) +
                                    ").");
    }

    // A season starts in its year and ends in the next one.
    void CheckSeason(TSpieltagKey key, TDaySerial date) {
        if (!division_.Jahr)
            return;
        const int year = CivilFromDay(date).Year;
        const std::string season = std::to_string(*division_.Jahr);
        if (year < *division_.Jahr)
            Add(pfDateOutsideSeason,
                DayWithDate(key, date) + " liegt vor dem Jahr " + season + ".");
        else if (year > static_cast<long long>(*division_.Jahr) + 1)
            Add(pfDateOutsideSeason,
                DayWithDate(key, date) + " liegt mehr als ein Jahr nach dem Jahr " + season + ".");
    }

    const TDivisionValues& division_;
    const TRegionalSettings& settings_;
    const TFixtureLayout& layout_;
    std::vector<TPlanFinding> findings_;
};

} // namespace

std::vector<TPlanFinding> CheckPlan(const TDivisionValues& division,
                                    const TRegionalSettings& settings) {
    return TChecker(division, settings).Run();
}
