#pragma once
// Field names, layout names and flag words compare without regard to letter
// case, but only ASCII letters fold: a Windows-1252 byte such as 'Ä' stays
// itself whatever locale the process runs under.
#include <string>
#include <string_view>

inline char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

inline std::string AsciiLowered(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = AsciiLower(c);
    return result;
}
