#include "report/qt/GuardCore.h"

#include <cstdio>

std::string MessageOf(const std::exception_ptr& error) noexcept {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unbekannter Fehler";
    }
}

void ShowThrough(const TErrorSink& sink, const std::string& message) noexcept {
    try {
        if (sink) {
            sink(message);
            return;
        }
    } catch (...) {
    }
    std::fprintf(stderr, "%s\n", message.c_str());
}
