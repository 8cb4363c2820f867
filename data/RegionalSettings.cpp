// Short date format, long time format and text comparison as one value.
#include "data/RegionalSettings.h"

#include <cctype>
#include <vector>

TRegionalSettings TRegionalSettings::German() {
    TRegionalSettings settings;
    settings.ShortDateFormat = "dd.MM.yyyy";
    settings.LongTimeFormat = "hh:mm:ss";
    settings.CompareText = CompareGermanText;
    return settings;
}

int TRegionalSettings::Compare(std::string_view a, std::string_view b) const {
    return CompareText ? CompareText(a, b) : CompareGermanText(a, b);
}

namespace {

bool IsPatternLetter(char c) {
    return c == 'd' || c == 'M' || c == 'y';
}

void AppendNumber(std::string& out, long long value, int minDigits) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, minDigits - digits.size(), '0');
    if (value < 0)
        out += '-';
    out += digits;
}

} // namespace

std::string TRegionalSettings::FormatDate(TDaySerial day) const {
    const TCivilDate date = CivilFromDay(day);
    std::string out;
    const std::string& pattern = ShortDateFormat;
    for (size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        size_t run = 1;
        while (IsPatternLetter(c) && i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        if (c == 'd')
            AppendNumber(out, date.Day, run >= 2 ? 2 : 1);
        else if (c == 'M')
            AppendNumber(out, date.Month, run >= 2 ? 2 : 1);
        else if (c == 'y')
            AppendNumber(out, run <= 2 ? date.Year % 100 : date.Year, run <= 2 ? 2 : 4);
        else
            out += c;
        i += run;
    }
    return out;
}

// Day and month may be typed with one or two digits whatever the pattern
// says; a year with four digits stands as typed, one with one or two digits
// falls into 1950..2049; three digits are no year.
std::optional<TDaySerial> TRegionalSettings::ParseDate(std::string_view text) const {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    int day = -1, month = -1, year = -1;
    size_t pos = 0;
    const std::string& pattern = ShortDateFormat;
    for (size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        size_t run = 1;
        while (IsPatternLetter(c) && i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        i += run;
        if (!IsPatternLetter(c)) {
            if (pos >= text.size() || text[pos] != c)
                return std::nullopt;
            ++pos;
            continue;
        }
        const size_t maxDigits = c == 'y' ? 4 : 2;
        size_t digits = 0;
        int value = 0;
        while (pos < text.size() && digits < maxDigits &&
               std::isdigit(static_cast<unsigned char>(text[pos]))) {
            value = value * 10 + (text[pos] - '0');
            ++pos;
            ++digits;
        }
        if (digits == 0)
            return std::nullopt;
        if (c == 'd')
            day = value;
        else if (c == 'M')
            month = value;
        else if (digits == 4)
            year = value;
        else if (digits <= 2)
            year = value < 50 ? 2000 + value : 1900 + value;
        else
            return std::nullopt;
    }
    if (pos != text.size() || day < 0 || month < 0 || year < 0)
        return std::nullopt;
    return DayFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
}

namespace {

// One collation element of a Windows-1252 character: its base letter (or
// the character itself), whether it carries an accent, whether it is upper case.
struct TElement {
    int Primary;
    int Accent;
    int Upper;
};

// Base letters of the accented letters 0xC0..0xFF ('*' marks the two-letter ones).
constexpr char AccentBase[64 + 1] =
    "AAAAAA*CEEEEIIIIDNOOOOO OUUUUY**aaaaaa*ceeeeiiiidnooooo ouuuuy*y";

void AppendElements(unsigned char c, std::vector<TElement>& out) {
    auto letter = [&](char base, int accent, bool upper) {
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(base)));
        out.push_back({1000 + (lower - 'a'), accent, upper ? 1 : 0});
    };
    if (c >= 'a' && c <= 'z')
        return letter(static_cast<char>(c), 0, false);
    if (c >= 'A' && c <= 'Z')
        return letter(static_cast<char>(c), 0, true);
    if (c >= '0' && c <= '9')
        return out.push_back({900 + (c - '0'), 0, 0});
    switch (c) {
    case 0x8A:
        return letter('s', 1, true); // Š
    case 0x9A:
        return letter('s', 1, false); // š
    case 0x8E:
        return letter('z', 1, true); // Ž
    case 0x9E:
        return letter('z', 1, false); // ž
    case 0x9F:
        return letter('y', 1, true); // Ÿ
    case 0x8C:
        letter('o', 1, true);
        return letter('e', 1, true); // Œ
    case 0x9C:
        letter('o', 1, false);
        return letter('e', 1, false); // œ
    case 0xC6:
        letter('a', 1, true);
        return letter('e', 1, true); // Æ
    case 0xE6:
        letter('a', 1, false);
        return letter('e', 1, false); // æ
    case 0xDE:
        letter('t', 1, true);
        return letter('h', 1, true); // Þ
    case 0xFE:
        letter('t', 1, false);
        return letter('h', 1, false); // þ
    case 0xDF:
        letter('s', 1, false);
        return letter('s', 1, false); // ß
    default:
        break;
    }
    if (c >= 0xC0 && AccentBase[c - 0xC0] != ' ' && AccentBase[c - 0xC0] != '*')
        return letter(AccentBase[c - 0xC0], 1 + (c & 0x1F), c < 0xE0);
    out.push_back({c, 0, 0}); // blanks and signs before digits and letters
}

std::vector<TElement> Elements(std::string_view text) {
    std::vector<TElement> out;
    out.reserve(text.size());
    for (char c : text)
        AppendElements(static_cast<unsigned char>(c), out);
    return out;
}

template <typename Key>
int CompareLevel(const std::vector<TElement>& a, const std::vector<TElement>& b, Key key) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i)
        if (key(a[i]) != key(b[i]))
            return key(a[i]) < key(b[i]) ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

int CompareGermanText(std::string_view a, std::string_view b) {
    const auto ea = Elements(a), eb = Elements(b);
    if (int r = CompareLevel(ea, eb, [](const TElement& e) { return e.Primary; }))
        return r;
    if (int r = CompareLevel(ea, eb, [](const TElement& e) { return e.Accent; }))
        return r;
    if (int r = CompareLevel(ea, eb, [](const TElement& e) { return e.Upper; }))
        return r;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}
