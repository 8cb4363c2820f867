#pragma once
// Every entry point from the event loop runs inside Guard: a failure ends the
// handler, its message goes to the error box, and the program carries on.
// Qt never sees an exception.
#include "report/qt/GuardCore.h"

#include <QApplication>
#include <exception>
#include <string>
#include <type_traits>
#include <utility>

// The application's error box as a sink.
const TErrorSink& ErrorBox();

// Shows the message in the error box; never throws.
void ShowGuardedError(const std::string& message) noexcept;
void ShowGuardedError(const std::exception_ptr& error) noexcept;

// Runs handler; returns false when it failed (the failure has been shown).
template <class F> bool Guard(F&& handler) noexcept {
    return GuardWith(ErrorBox(), std::forward<F>(handler));
}

// Wraps a handler for QObject::connect: the slot runs guarded. A handler
// that takes no arguments ignores the signal's.
template <class F> auto Guarded(F handler) {
    return [handler = std::move(handler)](auto&&... args) mutable {
        Guard([&] {
            if constexpr (std::is_invocable_v<F&, decltype(args)...>)
                handler(std::forward<decltype(args)>(args)...);
            else
                handler();
        });
    };
}

// The application object: an exception that still reaches the event
// dispatch is shown instead of ending the program.
class TGuardedApplication : public QApplication {
public:
    TGuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};
