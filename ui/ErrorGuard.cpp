#include "ui/ErrorGuard.h"

#include "ui/MessageBoxes.h"

const TErrorSink& ErrorBox() {
    static const TErrorSink sink = [](const std::string& message) {
        MessageBoxes().ShowError(message);
    };
    return sink;
}

void ShowGuardedError(const std::string& message) noexcept {
    ShowThrough(ErrorBox(), message);
}

void ShowGuardedError(const std::exception_ptr& error) noexcept {
    ShowGuardedError(MessageOf(error));
}

bool TGuardedApplication::notify(QObject* receiver, QEvent* event) {
    bool result = false;
    Guard([&] { result = QApplication::notify(receiver, event); });
    return result;
}
