#include "app/RegionalFromLocale.h"

#include <QLocale>
#include <QString>

#include <cstdlib>

namespace {

bool IsSeparator(QChar c) {
    return !c.isLetter() && c != u'\'';
}

// Our patterns and the date texts they produce are single-byte texts.
bool IsPlainAscii(const QString& text) {
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    return true;
}

// A run of one pattern letter, e.g. "dd" or "yyyy".
struct TRun {
    QChar Letter;
    int Length;
};

// Splits a Qt pattern into letter runs and separators; false when it holds a
// quoted literal, which our patterns cannot express.
bool SplitPattern(const QString& pattern, std::vector<TRun>& runs, std::vector<QString>& gaps) {
    QString gap;
    for (int i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == u'\'')
            return false;
        if (IsSeparator(c)) {
            gap += c;
            ++i;
            continue;
        }
        int j = i;
        while (j < pattern.size() && pattern[j] == c)
            ++j;
        gaps.push_back(gap);
        gap.clear();
        runs.push_back({c, j - i});
        i = j;
    }
    gaps.push_back(gap);
    return true;
}

// Qt's short date pattern as ours: exactly one day, month and year run,
// numeric only, the year widened to four digits.
std::optional<std::string> DatePattern(const QString& qtPattern) {
    std::vector<TRun> runs;
    std::vector<QString> gaps;
    if (!IsPlainAscii(qtPattern) || !SplitPattern(qtPattern, runs, gaps) || runs.size() != 3)
        return std::nullopt;
    QString result = gaps.front().trimmed();
    int seen = 0;
    for (size_t i = 0; i < runs.size(); ++i) {
        const TRun run = runs[i];
        int bit = 0;
        if (run.Letter == u'd' && run.Length <= 2)
            bit = 1;
        else if (run.Letter == u'M' && run.Length <= 2)
            bit = 2;
        else if (run.Letter == u'y')
            bit = 4;
        if (bit == 0 || (seen & bit))
            return std::nullopt;
        seen |= bit;
        result += QString(bit == 4 ? 4 : run.Length, run.Letter);
        const QString gap = i + 1 < runs.size() ? gaps[i + 1] : gaps[i + 1].trimmed();
        result += gap;
    }
    if (seen != 7)
        return std::nullopt;
    return result.toStdString();
}

// Qt's long time pattern as ours: hours, minutes, seconds and the AM/PM
// mark where the locale has one; the time zone is dropped.
std::optional<std::string> TimePattern(const QString& qtPattern) {
    if (!IsPlainAscii(qtPattern))
        return std::nullopt;
    QString result;
    QString gap;
    int seen = 0;
    for (int i = 0; i < qtPattern.size();) {
        const QChar c = qtPattern[i];
        if (c == u'\'')
            return std::nullopt;
        if (!c.isLetter()) {
            gap += c;
            ++i;
            continue;
        }
        int n = 1;
        while (i + n < qtPattern.size() && qtPattern[i + n] == c)
            ++n;
        QString token;
        int bit = 0;
        if ((c == u'h' || c == u'H') && n <= 2) {
            token = QString(n, u'h');
            bit = 1;
        } else if ((c == u'm' || c == u's') && n <= 2) {
            token = QString(n, c);
            bit = c == u'm' ? 2 : 4;
        } else if ((c == u'A' || c == u'a') && n == 1) {
            // "AP", "ap", "A" and "a" are Qt's AM/PM marks.
            if (i + 1 < qtPattern.size() && (qtPattern[i + 1] == u'P' || qtPattern[i + 1] == u'p'))
                ++n;
            token = c == u'A' ? "AM/PM" : "am/pm";
            bit = 8;
        } else if (c != u't') {
            return std::nullopt;
        }
        if (bit & seen)
            return std::nullopt;
        seen |= bit;
        if (!token.isEmpty()) {
            if (!result.isEmpty())
                result += gap;
            result += token;
        }
        gap.clear();
        i += n;
    }
    if ((seen & 7) != 7)
        return std::nullopt;
    return result.toStdString();
}

} // namespace

std::string EffectiveTimeLocaleName() {
    for (const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return value;
    }
    return {};
}

TRegionalSettings RegionalFromLocale(std::string_view localeName) {
    TRegionalSettings settings = TRegionalSettings::German();
    std::string name(localeName);
    if (const auto dot = name.find_first_of(".@"); dot != std::string::npos)
        name.erase(dot);
    if (name.empty() || name == "C" || name == "POSIX")
        return settings;
    const QLocale locale(QString::fromStdString(name));
    if (locale.language() == QLocale::C)
        return settings;
    // A form our patterns cannot express keeps the German one.
    if (const auto date = DatePattern(locale.dateFormat(QLocale::ShortFormat)))
        settings.ShortDateFormat = *date;
    if (const auto time = TimePattern(locale.timeFormat(QLocale::LongFormat)))
        settings.LongTimeFormat = *time;
    return settings;
}
