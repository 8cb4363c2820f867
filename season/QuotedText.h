#pragma once
// A text, or a field text, quoted German style („…“) for a UTF-8 message.
#include "data/file/Cp1252.h"

#include <string>
#include <string_view>

inline std::string QuotedUtf8(std::string_view utf8) {
    return "\xE2\x80\x9E" + std::string(utf8) + "\xE2\x80\x9C";
}

inline std::string QuotedFieldText(std::string_view cp1252) {
    return QuotedUtf8(Cp1252ToUtf8(cp1252));
}
