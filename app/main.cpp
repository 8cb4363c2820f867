// Start-up and end of Staffelplan.
#include "app/DataFolderAccess.h"
#include "app/DataFolderLock.h"
#include "app/ForcedEnd.h"
#include "app/RegionalFromLocale.h"
#include "app/StaffelplanProgram.h"
#include "app/StaffelplanSignalQuit.h"
#include "ui/ErrorGuard.h"
#include "ui/MessageBoxes.h"
#include "ui/windows/Staffelplan.h"

#include <QDir>
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

    // A signal ends the program like its close box, also from inside a
    // dialog or a box, and without waiting on any box.
    TSignalQuit termination;
    QObject::connect(&termination, &TSignalQuit::Received, &app, [] { ForcedEnd::Request(); });

    // Held until the program ends: one writer per data folder.
    TDataFolderLock lock(QDir::currentPath());
    const TFolderAccess access = OpenDataFolder(lock, MessageBoxes());
    if (access == faQuit || ForcedEnd::Requested())
        return 0;

    TStaffelplanProgram program(RegionalFromLocale(EffectiveTimeLocaleName()), LocalNow,
                                access == faReadOnly);
    TStaffelplan& staffelplan = program.Staffelplan();
    // A data file the system would not let be read has made the start
    // read-only before anything was written; the user may rather end.
    if (const auto unreadable = staffelplan.Store.UnreadableNotice())
        if (AskAboutUnreadableFiles(*unreadable, MessageBoxes()) == faQuit ||
            ForcedEnd::Requested())
            return 0;
    const auto endForced = [&staffelplan] {
        const std::vector<std::string> lines = staffelplan.EndForced();
        return ForcedEnd::Report(lines, staffelplan.Store.RescueNeeded());
    };
    ForcedEnd::ArmExitSave(endForced);

    // The session may end the process once its data is committed, without
    // anybody left to answer a box; the program may also go on afterwards.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &staffelplan,
                     [&program](QSessionManager&) { program.CommitSessionData(); });

    // A signal during a start-up box has ended that box; the main loop would
    // forget it.
    if (!ForcedEnd::Requested()) {
        program.Show();
        QApplication::exec();
    }
    // A signal during the normal end's error box makes it a forced end
    // after all, which retries and rescues.
    if (!ForcedEnd::Requested())
        staffelplan.EndNormally();
    const int status = ForcedEnd::Requested() ? endForced() : 0;
    ForcedEnd::DisarmExitSave();
    return status;
    // The program object goes before the lock.
}
