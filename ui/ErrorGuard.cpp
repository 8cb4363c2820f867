#include "ui/ErrorGuard.h"

#include "ui/MessageBoxes.h"

#include <cstdio>

void ShowGuardedError(const std::string& message) noexcept {
    try {
        MessageBoxes().ShowError(message);
    } catch (...) {
        // The box itself failed; the message must not be lost.
        std::fprintf(stderr, "%s\n", message.c_str());
    }
}

void ShowGuardedError(const std::exception_ptr& error) noexcept {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        ShowGuardedError(std::string(e.what()));
    } catch (...) {
        ShowGuardedError(std::string("Unbekannter Fehler"));
    }
}

bool TGuardedApplication::notify(QObject* receiver, QEvent* event) {
    bool result = false;
    Guard([&] { result = QApplication::notify(receiver, event); });
    return result;
}
