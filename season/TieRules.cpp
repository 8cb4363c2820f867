#include "season/TieRules.h"

#include <functional>

namespace {

using enum TTieState;

constexpr int MatchesPerTie = 8;
constexpr TCountedTie HomeWinByRule{{8, 0}, {16, 0}, {336, 0}};

bool HasResult(TTieState state) {
    return state == Gespielt || state == UmgewertetHeim || state == UmgewertetGast;
}

struct TRule {
    // Whether the record keeps the rule; only asked where Applies holds.
    std::function<bool(const TTieRecord&)> Applies;
    std::function<bool(const TTieRecord&)> Holds;
    const char* Message; // UTF-8
};

const TScorePair& Spiele(const TTieRecord& r) {
    return r.Result.Spiele;
}
const TScorePair& Saetze(const TTieRecord& r) {
    return r.Result.Saetze;
}

// The rules in the order they are checked; the first broken one is told.
const std::vector<TRule>& Rules() {
    static const std::vector<TRule> rules = {
        {[](const TTieRecord& r) { return IsTeamState(r.Status); },
         [](const TTieRecord& r) { return r.Gast.empty(); },
         "Zur\xC3\xBC"
         "ckziehen und Punktabzug gelten einer Mannschaft allein: Gast bleibt leer."},
        {[](const TTieRecord& r) { return !IsTeamState(r.Status); },
         [](const TTieRecord& r) { return !r.Gast.empty(); },
         "Eine Begegnung braucht eine Gastmannschaft."},
        {[](const TTieRecord& r) { return r.Status == Punktabzug; },
         [](const TTieRecord& r) { return r.Result.Punkte.Home.value_or(0) > 0; },
         "Ein Punktabzug braucht die Zahl der abgezogenen Punkte (mindestens 1)."},
        {[](const TTieRecord& r) { return !HasResult(r.Status) && !IsTeamState(r.Status); },
         [](const TTieRecord& r) { return r.Result.Empty(); },
         "Nur eine gespielte oder umgewertete Begegnung hat ein Ergebnis."},
        {[](const TTieRecord& r) {
             return r.Status == Gespielt || (HasResult(r.Status) && !r.Result.Empty());
         },
         [](const TTieRecord& r) { return Spiele(r).Complete() && Saetze(r).Complete(); },
         "Spiele und S\xC3\xA4tze m\xC3\xBCssen f\xC3\xBCr beide Seiten eingetragen sein."},
        {[](const TTieRecord& r) { return HasResult(r.Status) && Spiele(r).Complete(); },
         [](const TTieRecord& r) { return *Spiele(r).Home + *Spiele(r).Away == MatchesPerTie; },
         "Spiele: Heim und Gast zusammen m\xC3\xBCssen 8 ergeben (h + a = 8)."},
        {[](const TTieRecord& r) {
             return HasResult(r.Status) && Spiele(r).Complete() && Saetze(r).Complete();
         },
         [](const TTieRecord& r) {
             const int h = *Spiele(r).Home, a = *Spiele(r).Away, games = *Saetze(r).Home;
             return 2 * h <= games && games <= 2 * h + a;
         },
         "S\xC3\xA4tze Heim: mindestens zwei je gewonnenes Spiel und h\xC3\xB6"
         "chstens einer mehr je verlorenes (2h \xE2\x89\xA4 H \xE2\x89\xA4 2h + a)."},
        {[](const TTieRecord& r) {
             return HasResult(r.Status) && Spiele(r).Complete() && Saetze(r).Complete();
         },
         [](const TTieRecord& r) {
             const int h = *Spiele(r).Home, a = *Spiele(r).Away, games = *Saetze(r).Away;
             return 2 * a <= games && games <= 2 * a + h;
         },
         "S\xC3\xA4tze Gast: mindestens zwei je gewonnenes Spiel und h\xC3\xB6"
         "chstens einer mehr je verlorenes (2a \xE2\x89\xA4 A \xE2\x89\xA4 2a + h)."},
        {[](const TTieRecord& r) { return HasResult(r.Status); },
         [](const TTieRecord& r) { return r.Result.Punkte.Empty() || r.Result.Punkte.Complete(); },
         "Ballpunkte: beide Seiten leer oder beide eingetragen."},
    };
    return rules;
}

TCountedTie Swapped(TCountedTie tie) {
    std::swap(tie.Spiele[0], tie.Spiele[1]);
    std::swap(tie.Saetze[0], tie.Saetze[1]);
    std::swap(tie.Punkte[0], tie.Punkte[1]);
    return tie;
}

} // namespace

std::optional<std::string> TieRecordProblem(const TTieRecord& record) {
    // Negative figures cannot be typed as pairs but can stand in a file.
    for (const TScorePair* pair :
         {&record.Result.Spiele, &record.Result.Saetze, &record.Result.Punkte})
        if (pair->Home.value_or(0) < 0 || pair->Away.value_or(0) < 0)
            return "Ein Ergebnis ist nie negativ.";
    for (const TRule& rule : Rules())
        if (rule.Applies(record) && !rule.Holds(record))
            return std::string(rule.Message);
    return std::nullopt;
}

std::optional<TCountedTie> CountedScore(const TTieRecord& record) {
    switch (record.Status) {
    case Gespielt: {
        const TTieResult& r = record.Result;
        if (!r.Spiele.Complete() || !r.Saetze.Complete())
            return std::nullopt;
        return TCountedTie{{*r.Spiele.Home, *r.Spiele.Away},
                           {*r.Saetze.Home, *r.Saetze.Away},
                           {r.Punkte.Home.value_or(0), r.Punkte.Away.value_or(0)}};
    }
    case KampflosGast:   // the away side did not appear
    case UmgewertetHeim: // won by the home side
        return HomeWinByRule;
    case KampflosHeim:
    case UmgewertetGast:
        return Swapped(HomeWinByRule);
    default:
        return std::nullopt;
    }
}
