#pragma once
#include "data/StaffelError.h"

#include <functional>
#include <string>

// The message a call fails with, or "" when it succeeds.
inline std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const TStaffelError& error) {
        return error.what();
    }
    return "";
}
