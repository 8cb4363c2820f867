#include "ui/exports/SeasonMenu.h"

#include "season/TiePins.h"
#include "ui/exports/ClubPlanDialog.h"
#include "ui/exports/CurrentSeason.h"
#include "ui/exports/DivisionContextMenu.h"
#include "ui/exports/SeasonOptimizeDialog.h"
#include "ui/exports/SlotProposalDialog.h"

#include <QAction>
#include <QMenu>

TSeasonMenu::TSeasonMenu(TDivisionContextMenu& menu, TRecordTable& t_staffel,
                         TSeasonMenuHooks hooks)
    : QObject(&menu), Exports(menu.Menu()->parentWidget()->window()), table_(t_staffel),
      hooks_(std::move(hooks)), window_(menu.Menu()->parentWidget()->window()) {
    Exports.RunPages = hooks_.RunPages;
    // Beside the plan check: they look at the same division.
    const QList<QAction*> actions = menu.Menu()->actions();
    const qsizetype check = actions.indexOf(menu.CheckPlanAction);
    QAction* afterCheck = check >= 0 && check + 1 < actions.size() ? actions[check + 1] : nullptr;
    ProposeAction = menu.AddAction(
        QStringLiteral("Schlüsselzahlen vorschlagen …"), [this] { ProposeSlots(); }, afterCheck);
    OptimizeAction = menu.AddAction(
        QStringLiteral("Alle Staffeln der Saison optimieren …"), [this] { OptimizeSeason(); },
        afterCheck);
    menu.Menu()->addSeparator();
    ClubPlanAction =
        menu.AddAction(QStringLiteral("Plan eines Vereins …"), [this] { ShowClubPlan(); });
    AllClubsAction = menu.AddAction(QStringLiteral("Pläne aller Vereine als PDF speichern …"),
                                    [this] { SaveAllClubPdfs(); });
}

std::vector<TClubValues> TSeasonMenu::Clubs() const {
    return hooks_.Clubs ? hooks_.Clubs() : std::vector<TClubValues>{};
}

bool TSeasonMenu::ReadOnly() const {
    return hooks_.ReadOnly && hooks_.ReadOnly();
}

int TSeasonMenu::Show(QDialog& dialog) const {
    return hooks_.ShowModal ? hooks_.ShowModal(dialog) : dialog.exec();
}

TApplyAssignments TSeasonMenu::Apply() {
    if (!hooks_.SaveDivisions)
        return {};
    return [this](const std::vector<TSlotAssignment>& assignments) {
        return ApplySlotAssignments(table_, hooks_.SaveDivisions, assignments);
    };
}

void TSeasonMenu::ProposeSlots() {
    TCurrentSeason current =
        CurrentSeason(table_, Clubs(), TieRecords ? TieRecords() : std::vector<TTieRecord>{});
    TSlotAssignment base = AssignmentOf(table_, current.Rows[current.Division]);
    const TPinnedSlots pinned = SlotsWithResults(current.Season, current.Division);
    TSlotProposalDialog dialog(std::move(current.Season), current.Division, std::move(base),
                               window_, pinned);
    dialog.Apply = Apply();
    dialog.SetReadOnly(ReadOnly());
    Show(dialog);
}

void TSeasonMenu::OptimizeSeason() {
    TCurrentSeason current =
        CurrentSeason(table_, Clubs(), TieRecords ? TieRecords() : std::vector<TTieRecord>{});
    std::vector<TSlotAssignment> bases;
    std::vector<TPinnedSlots> pinned;
    for (int d = 0; d < current.Season.DivisionCount(); ++d) {
        bases.push_back(AssignmentOf(table_, current.Rows[d]));
        pinned.push_back(SlotsWithResults(current.Season, d));
    }
    TSeasonOptimizeDialog dialog(std::move(current.Season), std::move(bases), window_, pinned);
    dialog.Apply = Apply();
    dialog.SetReadOnly(ReadOnly());
    Show(dialog);
}

void TSeasonMenu::ShowClubPlan() {
    const TCurrentSeason current = CurrentSeason(table_, Clubs());
    // The club of the division's own team, else its first club, is the likeliest choice.
    const TDivisionValues& division = current.Season.Division(current.Division);
    const auto& clubs = current.Season.SlotClubs(current.Division);
    const std::string own = TrimmedTeam(division.Mannschaft);
    TClubId chosen = NoClub;
    for (int s = 0; s < SlotCount; ++s) {
        if (clubs[s] == NoClub)
            continue;
        if (chosen == NoClub)
            chosen = clubs[s];
        if (!own.empty() && TrimmedTeam(division.Teams[s]) == own) {
            chosen = clubs[s];
            break;
        }
    }
    ShowClubPlan(current.Season, chosen, window_);
}

void TSeasonMenu::ShowClubPlan(const TSeason& season, TClubId chosen, QWidget* parent) {
    TClubPlanDialog dialog(season, Exports, parent ? parent : window_);
    dialog.SelectClub(chosen);
    Show(dialog);
}

void TSeasonMenu::SaveAllClubPdfs() {
    SaveAllClubPdfs(CurrentSeason(table_, Clubs()).Season);
}

void TSeasonMenu::SaveAllClubPdfs(const TSeason& season) {
    Exports.SaveAllPdfs(season);
}
