#pragma once
// A field text quoted German style („…“) for a UTF-8 message.
#include "data/file/Cp1252.h"

#include <string>
#include <string_view>

inline std::string QuotedFieldText(std::string_view cp1252) {
    return "\xE2\x80\x9E" + Cp1252ToUtf8(cp1252) + "\xE2\x80\x9C";
}
