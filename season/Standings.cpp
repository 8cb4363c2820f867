#include "season/Standings.h"

#include "data/file/Cp1252.h"
#include "report/CsvExport.h"
#include "season/Clashes.h"
#include "season/TieRules.h"

#include <algorithm>
#include <numeric>

namespace {

struct TCountedGame {
    int Home = 0; // team indices
    int Away = 0;
    TCountedTie Score;
};

struct TTeamNote {
    int Team = 0;
    const TTieRecord* Record = nullptr;
};

// The four figures the order compares, differences first to last.
using TOrderKey = std::array<int, 4>;

struct TFigures {
    TStandingPair Points, Spiele, Saetze, Punkte;
    int Won = 0, Drawn = 0, Lost = 0;

    void Add(const TCountedTie& score, int side) {
        const int other = 1 - side;
        Spiele.For += score.Spiele[side];
        Spiele.Against += score.Spiele[other];
        Saetze.For += score.Saetze[side];
        Saetze.Against += score.Saetze[other];
        Punkte.For += score.Punkte[side];
        Punkte.Against += score.Punkte[other];
        const int mine = score.Spiele[side], theirs = score.Spiele[other];
        if (mine > theirs) {
            ++Won;
            Points.For += 2;
        } else if (mine < theirs) {
            ++Lost;
            Points.Against += 2;
        } else {
            ++Drawn;
            Points.For += 1;
            Points.Against += 1;
        }
    }
    TOrderKey Key() const {
        return {Points.Difference(), Spiele.Difference(), Saetze.Difference(), Punkte.Difference()};
    }
};

class TStandingsMaker {
public:
    TStandingsMaker(std::vector<std::string> teams, std::vector<TCountedGame> games,
                    std::vector<TTeamNote> notes)
        : teams_(std::move(teams)), games_(std::move(games)), notes_(std::move(notes)),
          withdrawn_(teams_.size(), false) {}

    TDivisionStandings Make() {
        TDivisionStandings result;
        std::vector<int> deduction(teams_.size(), 0);
        std::vector<const TTieRecord*> noteOf(teams_.size(), nullptr);
        for (const TTeamNote& note : notes_) {
            noteOf[note.Team] = note.Record;
            if (note.Record->Status == TTieState::Zurueckgezogen)
                withdrawn_[note.Team] = true;
            else
                deduction[note.Team] += note.Record->Result.Punkte.Home.value_or(0);
        }
        std::erase_if(games_, [this](const TCountedGame& g) {
            return withdrawn_[g.Home] || withdrawn_[g.Away];
        });
        figures_.assign(teams_.size(), {});
        for (const TCountedGame& game : games_) {
            figures_[game.Home].Add(game.Score, 0);
            figures_[game.Away].Add(game.Score, 1);
        }
        std::vector<int> ranked;
        for (int t = 0; t < static_cast<int>(teams_.size()); ++t) {
            figures_[t].Points.For -= deduction[t];
            if (!withdrawn_[t])
                ranked.push_back(t);
        }
        std::vector<std::vector<int>> places;
        Order(
            ranked, [this](int t) { return figures_[t].Key(); }, places, false);

        int position = 1;
        for (const std::vector<int>& place : places) {
            for (std::size_t i = 0; i < place.size(); ++i) {
                const int t = place[i];
                TStandingRow row = RowOf(t);
                row.Rank = position;
                row.SharedRank = i > 0;
                row.Deduction = deduction[t];
                if (deduction[t] != 0)
                    row.Footnote = AddFootnote(result, DeductionNote(t, *noteOf[t]));
                result.Rows.push_back(std::move(row));
            }
            position += static_cast<int>(place.size());
        }
        for (int t = 0; t < static_cast<int>(teams_.size()); ++t)
            if (withdrawn_[t]) {
                TStandingRow row;
                row.Team = teams_[t];
                row.Withdrawn = true;
                row.Footnote = AddFootnote(result, WithdrawalNote(t, *noteOf[t]));
                result.Rows.push_back(std::move(row));
            }
        return result;
    }

private:
    // Splits the group into places by the key, best first; a run still
    // level is ordered again by the ties among its teams alone.
    template <class KeyOf>
    void Order(std::vector<int> group, KeyOf key, std::vector<std::vector<int>>& places,
               bool direct) {
        std::stable_sort(group.begin(), group.end(), [&](int a, int b) { return key(a) > key(b); });
        for (std::size_t first = 0; first < group.size();) {
            std::size_t last = first + 1;
            while (last < group.size() && key(group[last]) == key(group[first]))
                ++last;
            std::vector<int> level(group.begin() + first, group.begin() + last);
            if (level.size() == 1 || (direct && level.size() == group.size()))
                places.push_back(std::move(level));
            else
                DirectComparison(std::move(level), places);
            first = last;
        }
    }

    void DirectComparison(std::vector<int> level, std::vector<std::vector<int>>& places) {
        std::vector<TFigures> among(teams_.size());
        const auto inLevel = [&level](int t) {
            return std::find(level.begin(), level.end(), t) != level.end();
        };
        for (const TCountedGame& game : games_)
            if (inLevel(game.Home) && inLevel(game.Away)) {
                among[game.Home].Add(game.Score, 0);
                among[game.Away].Add(game.Score, 1);
            }
        Order(
            std::move(level), [&among](int t) { return among[t].Key(); }, places, true);
    }

    TStandingRow RowOf(int t) const {
        const TFigures& f = figures_[t];
        TStandingRow row;
        row.Team = teams_[t];
        row.Won = f.Won;
        row.Drawn = f.Drawn;
        row.Lost = f.Lost;
        row.Played = f.Won + f.Drawn + f.Lost;
        row.Points = f.Points;
        row.Spiele = f.Spiele;
        row.Saetze = f.Saetze;
        row.Punkte = f.Punkte;
        return row;
    }

    static int AddFootnote(TDivisionStandings& result, std::string text) {
        result.Footnotes.push_back(std::to_string(result.Footnotes.size() + 1) + ") " +
                                   std::move(text));
        return static_cast<int>(result.Footnotes.size());
    }

    std::string DeductionNote(int t, const TTieRecord& record) const {
        const int points = record.Result.Punkte.Home.value_or(0);
        std::string text = Cp1252ToUtf8(teams_[t]) + ": " + std::to_string(points) +
                           (points == 1 ? " Punkt" : " Punkte") + " abgezogen";
        if (!record.Bemerkung.empty())
            text += " \xE2\x80\x93 " + Cp1252ToUtf8(record.Bemerkung);
        return text;
    }

    std::string WithdrawalNote(int t, const TTieRecord& record) const {
        std::string text = Cp1252ToUtf8(teams_[t]) +
                           ": zur\xC3\xBC"
                           "ckgezogen, ihre Begegnungen z\xC3\xA4hlen nicht";
        if (!record.Bemerkung.empty())
            text += " \xE2\x80\x93 " + Cp1252ToUtf8(record.Bemerkung);
        return text;
    }

    std::vector<std::string> teams_;
    std::vector<TCountedGame> games_;
    std::vector<TTeamNote> notes_;
    std::vector<bool> withdrawn_;
    std::vector<TFigures> figures_;
};

int TeamIndex(const std::vector<std::string>& folded, std::string_view team) {
    const std::string name = FoldClubName(team);
    const auto found = std::find(folded.begin(), folded.end(), name);
    return name.empty() || found == folded.end() ? -1 : static_cast<int>(found - folded.begin());
}

void AddRecord(std::vector<TCountedGame>& games, std::vector<TTeamNote>& notes,
               const TTieRecord& record, int home, int away) {
    if (IsTeamState(record.Status)) {
        if (home >= 0)
            notes.push_back({home, &record});
        return;
    }
    if (home < 0 || away < 0 || home == away)
        return;
    if (const auto score = CountedScore(record))
        games.push_back({home, away, *score});
}

} // namespace

TDivisionStandings MakeStandings(const std::vector<std::string>& teams,
                                 const std::vector<TTieRecord>& records) {
    std::vector<std::string> names, folded;
    for (const std::string& team : teams) {
        std::string name = FoldClubName(team);
        if (name.empty() || IsBye(team) ||
            std::find(folded.begin(), folded.end(), name) != folded.end())
            continue;
        folded.push_back(std::move(name));
        names.push_back(TrimmedTeam(team));
    }
    std::vector<TCountedGame> games;
    std::vector<TTeamNote> notes;
    for (const TTieRecord& record : records)
        AddRecord(games, notes, record, TeamIndex(folded, record.Heim),
                  TeamIndex(folded, record.Gast));
    return TStandingsMaker(std::move(names), std::move(games), std::move(notes)).Make();
}

TDivisionStandings MakeStandings(const TSeason& season, int division) {
    const TDivisionValues& values = season.Division(division);
    std::vector<std::string> names, folded;
    std::array<int, SlotCount> teamOfSlot;
    teamOfSlot.fill(-1);
    for (TSlotName slot : SlotsUsedBy(LayoutOf(values))) {
        if (IsByeSlot(values, slot))
            continue;
        std::string name = FoldClubName(values.Team(slot));
        if (name.empty())
            continue;
        const auto found = std::find(folded.begin(), folded.end(), name);
        teamOfSlot[static_cast<int>(slot)] = static_cast<int>(found - folded.begin());
        if (found == folded.end()) {
            folded.push_back(std::move(name));
            names.push_back(TrimmedTeam(values.Team(slot)));
        }
    }
    std::vector<TCountedGame> games;
    std::vector<TTeamNote> notes;
    for (const TSeasonGame& game : season.Games(division))
        if (const TTieRecord* record = season.Tie(game))
            AddRecord(games, notes, *record, teamOfSlot[static_cast<int>(game.Home)],
                      teamOfSlot[static_cast<int>(game.Away)]);
    for (const TTieRecord& record : season.TieRecords(division))
        if (IsTeamState(record.Status))
            AddRecord(games, notes, record, TeamIndex(folded, record.Heim), -1);
    return TStandingsMaker(std::move(names), std::move(games), std::move(notes)).Make();
}

std::string MakeStandingsCsv(const TDivisionStandings& standings) {
    std::string out(CsvByteOrderMark);
    AddCsvLine(out, {"Platz", "Mannschaft", "Begegnungen", "Siege", "Unentschieden", "Niederlagen",
                     "Punkte", "Spiele", "Saetze", "Ballpunkte"});
    const auto pair = [](const TStandingPair& p) {
        return std::to_string(p.For) + ":" + std::to_string(p.Against);
    };
    for (const TStandingRow& row : standings.Rows) {
        const std::string team = Cp1252ToUtf8(row.Team);
        if (row.Withdrawn) {
            AddCsvLine(out, {"",
                             team + " (zur\xC3\xBC"
                                    "ckgezogen)",
                             "", "", "", "", "", "", "", ""});
            continue;
        }
        AddCsvLine(out, {row.SharedRank ? std::string() : std::to_string(row.Rank), team,
                         std::to_string(row.Played), std::to_string(row.Won),
                         std::to_string(row.Drawn), std::to_string(row.Lost), pair(row.Points),
                         pair(row.Spiele), pair(row.Saetze), pair(row.Punkte)});
    }
    return out;
}
