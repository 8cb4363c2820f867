#include "ui/exports/SafeFileName.h"

#include <QSet>

namespace {

bool Refused(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("/\\:*?\"<>|").contains(c);
}

// Windows keeps these names for devices, with any extension.
bool ReservedName(const QString& name) {
    static const QSet<QString> reserved = [] {
        QSet<QString> names{"CON", "PRN", "AUX", "NUL"};
        for (int i = 1; i <= 9; ++i) {
            names.insert(QStringLiteral("COM%1").arg(i));
            names.insert(QStringLiteral("LPT%1").arg(i));
        }
        return names;
    }();
    return reserved.contains(name.section(QLatin1Char('.'), 0, 0).trimmed().toUpper());
}

QString Trimmed(QString name) {
    qsizetype first = 0;
    while (first < name.size() && (name[first] == QLatin1Char('.') || name[first].isSpace()))
        ++first;
    qsizetype last = name.size();
    while (last > first && (name[last - 1] == QLatin1Char('.') || name[last - 1].isSpace()))
        --last;
    return name.mid(first, last - first);
}

// Cuts whole characters (never half a surrogate pair) until the UTF-8 fits.
QString CutToBytes(QString name, int maxBytes) {
    while (!name.isEmpty() && name.toUtf8().size() > maxBytes)
        name.chop(name.size() > 1 && name.back().isLowSurrogate() ? 2 : 1);
    return name;
}

} // namespace

QString SafeFileName(const QString& title, const QString& suffix, const QString& fallback,
                     int maxBytes) {
    QString name = title;
    for (QChar& c : name)
        if (Refused(c))
            c = QLatin1Char('_');
    name = Trimmed(name);
    if (name.isEmpty())
        name = fallback;
    if (ReservedName(name))
        name += QLatin1Char('_');
    name = Trimmed(CutToBytes(name, maxBytes - static_cast<int>(suffix.toUtf8().size())));
    if (name.isEmpty())
        name = fallback;
    return name + suffix;
}

QStringList UniqueSafeFileNames(const QStringList& titles, const QString& suffix,
                                const QString& fallback, int maxBytes) {
    QStringList names;
    QSet<QString> taken;
    for (const QString& title : titles) {
        QString name = SafeFileName(title, suffix, fallback, maxBytes);
        for (int n = 2; taken.contains(name.toCaseFolded()); ++n) {
            const QString number = QStringLiteral(" (%1)").arg(n);
            name = SafeFileName(title, number + suffix, fallback, maxBytes);
            // The number belongs after the name, not inside the cut.
            if (!name.endsWith(number + suffix))
                name = SafeFileName(title, QString(), fallback, maxBytes) + number + suffix;
        }
        taken.insert(name.toCaseFolded());
        names.push_back(name);
    }
    return names;
}
