#pragma once
// Where Windows-1252 field texts meet Qt: every widget and painter crossing
// goes through these two. File and folder names never do: they stay QString
// or std::filesystem::path in the system's encoding.
#include "data/file/Cp1252.h"

#include <QString>
#include <string>
#include <string_view>

inline QString ToQString(std::string_view cp1252) {
    return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

// Text on its way into a field. A character the data files cannot hold is
// refused with TStaffelError, never replaced.
inline std::string FromQString(const QString& text) {
    return FieldTextFromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                  static_cast<std::size_t>(text.size())));
}

// Messages (UTF-8) to Qt and back.
inline QString MessageToQString(const std::string& utf8) {
    return QString::fromStdString(utf8);
}
