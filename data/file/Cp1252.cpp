#include "data/file/Cp1252.h"

#include "data/StaffelError.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace {

// Code points of the bytes 0x80..0x9F. The five unassigned bytes map to the
// C1 control of the same value, so every byte survives a round trip.
constexpr std::array<char32_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char ByteFromCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t i = 0; i < HighControls.size(); ++i)
        if (HighControls[i] == cp)
            return static_cast<char>(0x80 + i);
    return '?';
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Length of the well-formed UTF-8 sequence at s[i] (and its code point), or 0.
std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t len;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (s.size() - i < len)
        return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

bool IsControl(char32_t cp) {
    return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F);
}

bool IsSurrogate(char32_t cp) {
    return cp >= 0xD800 && cp <= 0xDFFF;
}

// Characters a message box would show as nothing: controls, surrogates,
// and the invisible formatting marks that pasted text brings along.
bool Showable(char32_t cp) {
    return !IsControl(cp) && !IsSurrogate(cp) && !(cp >= 0x200B && cp <= 0x200F) &&
           !(cp >= 0x2028 && cp <= 0x202E) && !(cp >= 0x2060 && cp <= 0x206F) && cp != 0xFEFF &&
           !(cp >= 0xFFF0 && cp <= 0xFFFF);
}

// The code point at text[i] and how many UTF-16 units it takes; a lone
// surrogate stands for itself.
char32_t DecodeUtf16(std::u16string_view text, std::size_t i, std::size_t& units) {
    const char32_t first = text[i];
    units = 1;
    if (first >= 0xD800 && first <= 0xDBFF && i + 1 < text.size()) {
        const char32_t second = text[i + 1];
        if (second >= 0xDC00 && second <= 0xDFFF) {
            units = 2;
            return 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
        }
    }
    return first;
}

bool Storable(char32_t cp) {
    if (IsControl(cp) || IsSurrogate(cp))
        return false;
    return ByteFromCodePoint(cp) != '?' || cp == U'?';
}

bool Writable(unsigned char b) {
    return b >= 0x20 || b == '\t' || b == '\n' || b == '\r';
}

} // namespace

std::string Cp1252ToUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 8);
    for (char c : cp1252) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out += c;
        else if (b < 0xA0)
            AppendUtf8(out, HighControls[b - 0x80]);
        else
            AppendUtf8(out, b);
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        const std::size_t len = DecodeUtf8(utf8, i, cp);
        if (len == 0) {
            out += '?';
            ++i;
            continue;
        }
        out += ByteFromCodePoint(cp);
        i += len;
    }
    return out;
}

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        char32_t cp = 0;
        const std::size_t len = DecodeUtf8(bytes, i, cp);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

char Cp1252FromCodePoint(char32_t codePoint) {
    return ByteFromCodePoint(codePoint);
}

std::optional<TUnstorableChar> FindUnstorableChar(std::u16string_view text) {
    std::size_t position = 0;
    for (std::size_t i = 0, units = 0; i < text.size(); i += units) {
        ++position;
        const char32_t cp = DecodeUtf16(text, i, units);
        if (!Storable(cp))
            return TUnstorableChar{cp, position};
    }
    return std::nullopt;
}

std::string UnstorableCharMessage(const TUnstorableChar& refused, std::string_view context) {
    char codePoint[16];
    std::snprintf(codePoint, sizeof codePoint, "U+%04X", static_cast<unsigned>(refused.CodePoint));
    std::string shown;
    if (Showable(refused.CodePoint)) {
        shown = "\xC2\xBB"; // »
        AppendUtf8(shown, refused.CodePoint);
        shown += "\xC2\xAB (" + std::string(codePoint) + ")";
    } else {
        shown = codePoint;
    }
    std::string message = "Das Zeichen " + shown + " an Stelle " + std::to_string(refused.Position);
    if (!context.empty())
        message += " in \xC2\xBB" + std::string(context) + "\xC2\xAB";
    return message + " kann in den Staffeldaten nicht gespeichert werden.";
}

std::string FieldTextFromUtf16(std::u16string_view text) {
    if (const auto refused = FindUnstorableChar(text))
        throw TStaffelError(UnstorableCharMessage(*refused));
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0, units = 0; i < text.size(); i += units)
        out += ByteFromCodePoint(DecodeUtf16(text, i, units));
    return out;
}

std::optional<TUnstorableChar> FindUnwritableByte(std::string_view cp1252) {
    for (std::size_t i = 0; i < cp1252.size(); ++i) {
        const auto b = static_cast<unsigned char>(cp1252[i]);
        if (!Writable(b))
            return TUnstorableChar{b, i + 1};
    }
    return std::nullopt;
}

void CheckWritableText(std::string_view cp1252) {
    const auto refused = FindUnwritableByte(cp1252);
    if (!refused)
        return;
    // The quoted text shows every control as the replacement character.
    std::string context;
    for (char c : Cp1252ToUtf8(cp1252))
        if (static_cast<unsigned char>(c) < 0x20)
            context += "\xEF\xBF\xBD";
        else
            context += c;
    throw TStaffelError(UnstorableCharMessage(*refused, context));
}
