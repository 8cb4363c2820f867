// Start-up and end of Staffelplan: the main window first (it loads or
// creates both tables), then the calendar window, the chooser and the about
// box, hidden; the end destroys them, and the main window saves both tables.
#include "SignalQuit.h"

#include "ui/AboutBox.h"
#include "ui/Auswahl_Spt.h"
#include "ui/ErrorGuard.h"
#include "ui/MessageBoxes.h"
#include "ui/RegionalFromLocale.h"
#include "ui/Spieltage.h"
#include "ui/Staffelplan.h"
#include "ui/StaffelplanWidgets.h"

#include <QSessionManager>
#include <QTimer>

#include <memory>

int main(int argc, char** argv) {
    TGuardedApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle());
    // The program ends by the main window's close box, its navigator's
    // Cancel with nothing pending, or a termination signal; never because a
    // message box was the last window.
    QApplication::setQuitOnLastWindowClosed(false);

    TSignalQuit termination;
    QObject::connect(&termination, &TSignalQuit::Received, &app, [] { QCoreApplication::quit(); });

    auto Staffelplan =
        std::make_unique<TStaffelplan>(RegionalFromLocale(EffectiveTimeLocaleName()));
    auto Spieltage = std::make_unique<TSpieltage>(Staffelplan->Store, Staffelplan->d_spieltage,
                                                  Staffelplan.get());
    auto Auswahl_Spt = std::make_unique<TAuswahl_Spt>(Staffelplan->d_spieltage, Staffelplan.get());
    auto AboutBox = std::make_unique<TAboutBox>(Staffelplan.get());
    Staffelplan->Spieltage = Spieltage.get();
    Staffelplan->Auswahl_Spt = Auswahl_Spt.get();
    Staffelplan->AboutBox = AboutBox.get();

    // The session may end the process once its data is committed, so the
    // tables are saved then as at the end.
    QObject::connect(
        &app, &QGuiApplication::commitDataRequest, Staffelplan.get(),
        [&Staffelplan](QSessionManager&) { Guard([&] { Staffelplan->SaveTables(); }); });

    CentreOnScreen(Staffelplan.get());
    Staffelplan->show();
    QTimer::singleShot(0, Staffelplan.get(), [&Staffelplan] {
        if (const auto notice = Staffelplan->TakeStartupNotice())
            Guard([&] { MessageBoxes().Inform(*notice); });
    });

    const int result = QApplication::exec();

    AboutBox.reset();
    Auswahl_Spt.reset();
    Spieltage.reset();
    Staffelplan.reset(); // FormDestroy saves both tables
    return result;
}
