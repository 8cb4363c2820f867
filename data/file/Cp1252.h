#pragma once
// Field texts are Windows-1252 bytes; these are the only conversions to and
// from Unicode (UTF-8). A character Windows-1252 cannot hold becomes '?'.
#include <string>
#include <string_view>

std::string Cp1252ToUtf8(std::string_view cp1252);
std::string Utf8ToCp1252(std::string_view utf8);
bool IsValidUtf8(std::string_view bytes);
// The Windows-1252 byte of one Unicode code point, '?' when it has none.
char Cp1252FromCodePoint(char32_t codePoint);
