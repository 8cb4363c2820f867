#include "app/ForcedEnd.h"

#include "ui/MessageBoxes.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

bool requested = false;
std::function<int()> exitSave;

// Registered after QApplication, so it runs before Qt's own statics go.
extern "C" void SaveOnExit() {
    if (!exitSave)
        return;
    const std::function<int()> save = std::move(exitSave);
    exitSave = nullptr;
    SetBoxesNonInteractive(true);
    const int status = save();
    if (status != 0) {
        std::fflush(nullptr);
        ::_exit(status);
    }
}

} // namespace

namespace ForcedEnd {

void Request() {
    requested = true;
    SetBoxesNonInteractive(true);
    // exit(), unlike quit(), ends every running event loop, nested ones too.
    QCoreApplication::exit(0);
}

bool Requested() {
    return requested;
}

void ArmExitSave(std::function<int()> save) {
    static const bool registered = std::atexit(SaveOnExit) == 0;
    (void)registered;
    exitSave = std::move(save);
}

void DisarmExitSave() {
    exitSave = nullptr;
}

int Report(const std::vector<std::string>& lines, bool rescued) {
    const std::string title = ApplicationTitle().toStdString();
    for (const std::string& line : lines)
        std::fprintf(stderr, "%s: %s\n", title.c_str(), line.c_str());
    std::fflush(stderr);
    return rescued ? 1 : 0;
}

} // namespace ForcedEnd
