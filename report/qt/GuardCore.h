#pragma once
// The core of the one guard around every entry point from the event loop: a
// failure ends the handler and its message goes to a sink, so Qt never sees
// an exception. ui/ErrorGuard.h points it at the application's error box;
// report/ knows no message boxes and is handed its sink.
#include <exception>
#include <functional>
#include <string>
#include <utility>

// Where the errors go: the application's error box.
using TErrorSink = std::function<void(const std::string& message)>;

// The text of a caught failure; "Unbekannter Fehler" for one that carries none.
std::string MessageOf(const std::exception_ptr& error) noexcept;
// Hands the message to the sink; never throws. Without a sink, or when the
// sink itself fails, the message goes to stderr rather than being lost.
void ShowThrough(const TErrorSink& sink, const std::string& message) noexcept;

// Runs handler; returns false when it failed (the failure has been shown).
template <class F> bool GuardWith(const TErrorSink& sink, F&& handler) noexcept {
    try {
        std::forward<F>(handler)();
        return true;
    } catch (...) {
        ShowThrough(sink, MessageOf(std::current_exception()));
        return false;
    }
}
