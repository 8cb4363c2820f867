#pragma once
// File names made from titles (club and division names), safe on any file
// system the files may be copied to.
#include <QString>
#include <QStringList>

// Characters file systems refuse (/ \ : * ? " < > | and control characters)
// become '_'; blanks and points around are dropped (no hidden files, no
// trailing points); a reserved device name (CON, NUL, COM1, ...) gets a '_';
// the name is cut to maxBytes of UTF-8 with the suffix. fallback stands in
// for a title with nothing left.
QString SafeFileName(const QString& title, const QString& suffix, const QString& fallback,
                     int maxBytes = 120);

// One name per title, different even where letter case is not: later equal
// names get " (2)", " (3)", ... before the suffix.
QStringList UniqueSafeFileNames(const QStringList& titles, const QString& suffix,
                                const QString& fallback, int maxBytes = 120);
