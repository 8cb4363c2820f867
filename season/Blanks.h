#pragma once
// Blanks, tabs and line ends around a field text, as typed or as a file holds it.
#include <string_view>

inline std::string_view TrimmedBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}
