#pragma once
// The one exception type of the program. The message is UTF-8 and is shown
// to the user as it stands.
#include <stdexcept>
#include <string>

class TStaffelError : public std::runtime_error {
public:
    explicit TStaffelError(const std::string& message) : std::runtime_error(message) {}
};
