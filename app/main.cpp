// Start-up and end of Staffelplan.
#include "ui/ErrorGuard.h"
#include "ui/MessageBoxes.h"
#include "app/RegionalFromLocale.h"
#include "ui/windows/Staffelplan.h"
#include "app/StaffelplanProgram.h"
#include "app/StaffelplanSignalQuit.h"

#include <QSessionManager>

int main(int argc, char** argv) {
    TGuardedApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle());
    // Lets Wayland desktops match the window to the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.staffelplan.Staffelplan"));
    // The program ends by the main window's close box, its navigator's
    // Cancel with nothing pending, or a termination signal; never because a
    // message box was the last window.
    QApplication::setQuitOnLastWindowClosed(false);

    // A signal ends the program the normal way, so that the tables are saved.
    TSignalQuit termination;
    QObject::connect(&termination, &TSignalQuit::Received, &app, [] { QCoreApplication::quit(); });

    TStaffelplanProgram program(RegionalFromLocale(EffectiveTimeLocaleName()));

    // The session may end the process once its data is committed, so the
    // tables are saved then as at the end.
    QObject::connect(
        &app, &QGuiApplication::commitDataRequest, &program.Staffelplan(),
        [&program](QSessionManager&) { Guard([&] { program.Staffelplan().SaveTables(); }); });

    program.Show();
    return QApplication::exec();
    // The program object goes first: the main window's FormDestroy saves both tables.
}
