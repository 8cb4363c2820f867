#pragma once
// Where Windows-1252 field texts meet Qt. Every widget, painter and file
// name crossing goes through these two.
#include "data/file/Cp1252.h"

#include <QString>
#include <string>
#include <string_view>

inline QString ToQString(std::string_view cp1252) {
    return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

inline std::string FromQString(const QString& text) {
    return Utf8ToCp1252(text.toStdString());
}

// Messages (UTF-8) to Qt and back.
inline QString MessageToQString(const std::string& utf8) { return QString::fromStdString(utf8); }
