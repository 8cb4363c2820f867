#pragma once
// "Alle Staffeln der Saison optimieren": the whole-season improvement on a
// worker thread with progress and cancel, the proposed moves per division,
// applied only on "Übernehmen", all divisions or none, with one undo.
#include "season/SeasonOptimizer.h"
#include "ui/exports/SlotAssignment.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class TSearchWorker;

class TSeasonOptimizeDialog : public QDialog {
    Q_OBJECT
public:
    // season: a copy; bases: per season division, its row as read from the
    // table. Starts the improvement at once.
    // pinned: per division, the slots that keep their team.
    TSeasonOptimizeDialog(TSeason season, std::vector<TSlotAssignment> bases,
                          QWidget* parent = nullptr, std::vector<TPinnedSlots> pinned = {});
    ~TSeasonOptimizeDialog() override;

    // Unset: nothing can be applied.
    TApplyAssignments Apply;
    void SetReadOnly(bool readOnly);

    bool Searching() const;
    const std::optional<TSeasonOptimization>& Result() const { return result_; }
    void CancelSearch();
    void ApplyResult();
    void UndoApply();

    QLabel* Label1 = nullptr; // season and clash counts
    QProgressBar* Progress1 = nullptr;
    QLabel* LabelStatus = nullptr; // pass and division while running, the outcome after
    QTreeWidget* Tree1 = nullptr;  // division, then its moves
    QPushButton* ButtonCancelSearch = nullptr;
    QPushButton* ButtonApply = nullptr;
    QPushButton* ButtonUndo = nullptr;
    QPushButton* ButtonClose = nullptr;

protected:
    void reject() override;

private:
    void Finished(TSeasonOptimization result);
    void UpdateButtons();

    TSeason season_;
    std::vector<TSlotAssignment> bases_;
    std::vector<TPinnedSlots> pinned_;
    std::optional<TSeasonOptimization> result_;
    std::vector<TSlotAssignment> applied_; // for Rückgängig
    bool readOnly_ = false;
    TSearchWorker* worker_;
};
