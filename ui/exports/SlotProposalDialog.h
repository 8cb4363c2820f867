#pragma once
// "Schlüsselzahlen vorschlagen": the exact search for the current division
// on a worker thread, pins per team, the clashes now and after, every move,
// why no placement is free of clashes, and apply and undo into the file.
// Nothing changes until the user applies.
#include "season/SlotProposal.h"
#include "ui/exports/SlotAssignment.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableWidget;
class TSearchWorker;

class TSlotProposalDialog : public QDialog {
    Q_OBJECT
public:
    // season: a copy with the division at index division; base: that
    // division's row as read from the table; pinned: the slots that start
    // pinned. Starts the search at once.
    TSlotProposalDialog(TSeason season, int division, TSlotAssignment base,
                        QWidget* parent = nullptr, TPinnedSlots pinned = {});
    ~TSlotProposalDialog() override;

    // Posts and saves; unset, nothing can be applied.
    TApplyAssignments Apply;
    // Read-only data folder: the proposal can be looked at, not applied.
    void SetReadOnly(bool readOnly);

    bool Searching() const;
    const std::optional<TSlotProposal>& Proposal() const { return proposal_; }
    // Record order; the slot's team keeps its slot.
    void SetPinned(TSlotName slot, bool pinned);
    // Starts the search again with the current pins (after a running one ends).
    void Search();

    void ApplyProposal();
    void UndoApply();

    QLabel* Label1 = nullptr;      // the division
    QTableWidget* Grid1 = nullptr; // Platz, Mannschaft, fest, Vorschlag
    QLabel* LabelNow = nullptr;    // clashes now
    QLabel* LabelAfter = nullptr;  // clashes with the proposal
    QLabel* LabelStatus = nullptr; // search running, done, cancelled, applied
    QProgressBar* Progress1 = nullptr;
    QListWidget* ListMoves = nullptr;
    QListWidget* ListReasons = nullptr;
    QPushButton* ButtonCancelSearch = nullptr; // "Suche abbrechen"
    QPushButton* ButtonApply = nullptr;        // "Übernehmen"
    QPushButton* ButtonUndo = nullptr;         // "Rückgängig"
    QPushButton* ButtonClose = nullptr;        // "Schließen"

protected:
    void reject() override;

private:
    void FillGrid();
    void PinChanged(int row);
    void Finished(TSlotProposal proposal);
    void ShowProposal();
    void ClearProposal(const QString& status);
    void UpdateButtons();
    void ReplaceDivisionTeams(const std::array<TValue, SlotCount>& values);

    TSeason season_;
    int division_;
    TSlotAssignment base_;
    std::vector<TSlotName> slots_; // the layout's, one grid row each
    TPinnedSlots pinned_{};
    std::optional<TSlotProposal> proposal_;
    std::optional<TSlotAssignment> applied_; // for Rückgängig
    bool readOnly_ = false;
    bool searchAgain_ = false;
    bool filling_ = false;
    TSearchWorker* worker_;
};
