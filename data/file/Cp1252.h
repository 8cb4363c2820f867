#pragma once
// Field texts are Windows-1252 bytes; these are the only conversions to and
// from Unicode, and the one rule of which characters a field may hold.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

std::string Cp1252ToUtf8(std::string_view cp1252);
// Lossy: a character Windows-1252 cannot hold becomes '?'. For files read,
// never for what the user types (FieldTextFromUtf16).
std::string Utf8ToCp1252(std::string_view utf8);
bool IsValidUtf8(std::string_view bytes);
// The Windows-1252 byte of one Unicode code point, '?' when it has none.
char Cp1252FromCodePoint(char32_t codePoint);

// A character that cannot be stored, and where it stands: 1-based, counted
// in characters as the user sees them (a surrogate pair, an emoji, is one).
struct TUnstorableChar {
    char32_t CodePoint = 0;
    std::size_t Position = 0;
    friend bool operator==(const TUnstorableChar&, const TUnstorableChar&) = default;
};

// The first character of typed or pasted text that a field cannot hold: one
// Windows-1252 lacks, a control character (U+0000-U+001F, U+007F-U+009F, which
// covers the five code points Windows-1252 leaves undefined) or a lone
// surrogate.
std::optional<TUnstorableChar> FindUnstorableChar(std::u16string_view text);
// "Das Zeichen »ł« (U+0142) an Stelle 1 kann in den Staffeldaten nicht
// gespeichert werden." A character that cannot be shown appears by its code
// point alone. With a context (UTF-8) the text it stands in is quoted too.
std::string UnstorableCharMessage(const TUnstorableChar& refused, std::string_view context = {});
// Typed text as a field value; refuses (TStaffelError) rather than alter it.
std::string FieldTextFromUtf16(std::u16string_view text);

// The first byte of a field text that would leave the data file unreadable:
// a control byte that is no XML character (tab, line feed and carriage
// return are escaped by the writer and read back).
std::optional<TUnstorableChar> FindUnwritableByte(std::string_view cp1252);
// The writer's guard: throws TStaffelError naming the byte and the text.
void CheckWritableText(std::string_view cp1252);
