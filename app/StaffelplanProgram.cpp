#include "app/StaffelplanProgram.h"

#include "app/ForcedEnd.h"
#include "ui/ErrorGuard.h"
#include "ui/MessageBoxes.h"
#include "ui/controls/StaffelplanWidgets.h"
#include "ui/windows/AboutBox.h"
#include "ui/windows/Auswahl_Spt.h"
#include "ui/windows/Spieltage.h"
#include "ui/windows/Staffelplan.h"

#include <QTimer>

TStaffelplanProgram::TStaffelplanProgram(TRegionalSettings settings,
                                         std::function<TLocalTime()> clock, bool readOnly) {
    staffelplan_ = std::make_unique<TStaffelplan>(std::move(settings), std::move(clock), readOnly);
    TStaffelplan* main = staffelplan_.get();
    spieltage_ = std::make_unique<TSpieltage>(main->Store, main->d_spieltage, main);
    if (main->ReadOnly())
        spieltage_->SetReadOnly();
    auswahl_ = std::make_unique<TAuswahl_Spt>(main->d_spieltage, main);
    about_ = std::make_unique<TAboutBox>(main);
    main->Spieltage = spieltage_.get();
    main->Auswahl_Spt = auswahl_.get();
    main->AboutBox = about_.get();
}

TStaffelplanProgram::~TStaffelplanProgram() {
    about_.reset();
    auswahl_.reset();
    spieltage_.reset();
    staffelplan_.reset();
}

void TStaffelplanProgram::Show() {
    TStaffelplan* main = staffelplan_.get();
    CentreOnScreen(main);
    main->show();
    QTimer::singleShot(0, main, [main] {
        if (const auto notice = main->TakeStartupNotice())
            Guard([&] { MessageBoxes().Inform(*notice); });
    });
}

void TStaffelplanProgram::CommitSessionData() {
    TStaffelplan& main = *staffelplan_;
    const bool interactive = !BoxesNonInteractive();
    SetBoxesNonInteractive(true);
    const std::vector<std::string> lines = main.SaveForced();
    ForcedEnd::Report(lines, main.Store.RescueNeeded());
    SetBoxesNonInteractive(!interactive);
    // The pending rows were posted behind the editing cycles' backs; the
    // editors follow as after a save of the user's own.
    main.LockSavedEditors();
}
