#pragma once
// TVereine, the club table: browse, add, change and delete the clubs with
// their hall capacity and blocked dates; a posted or deleted club is saved
// at once (the first one creates the club file).
#include "ui/controls/MYDBNavTypes.h"
#include "ui/windows/EditCycle.h"

#include <QDialog>

#include <memory>

class TDataSource;
class TDBEdit;
class TDBGrid;
class TMYDBNav;
class TStore;

class TVereine : public QDialog {
    Q_OBJECT
public:
    // Binds to the store's club table through a data source of its own.
    TVereine(TStore& store, QWidget* parent = nullptr);
    ~TVereine() override;

    TDataSource* d_vereine = nullptr;
    TDBEdit* DBEdit1 = nullptr; // Verein
    TDBEdit* DBEdit2 = nullptr; // Kapazitaet
    TDBEdit* DBEdit3 = nullptr; // Sperrtermine
    TDBGrid* DBGrid1 = nullptr;
    TMYDBNav* MYDBNav1 = nullptr;

    void DisableEditors();
    void EnableEditors();
    // The navigator's editing buttons and the editors off for good;
    // browsing and leaving work.
    void SetReadOnly();
    void MYDBNav1BeforeAction(TMYDBNav* Sender, TMNavigateBtn Button);
    void MYDBNav1Click(TMYDBNav* Sender, TMNavigateBtn Button);

private:
    void CreateControls();

    TStore& store_;
    std::unique_ptr<TEditCycle> cycle_;
};
