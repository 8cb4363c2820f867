#pragma once
// Tokenising a data file's text: blanks, instructions and comments between
// elements, tags with their attributes, quoted values, references, and the
// nesting depth. Every failure is "Mismatch in datapacket." at the offset
// where it was found. The parts every value of a large file passes through
// are inline.
#include "data/file/XmlReadError.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

inline bool IsXmlBlank(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 1 && b <= 32;
}

// ASCII letters in either case are equal.
bool EqualsNoCase(std::string_view a, std::string_view b);

// Bytes that end a name: blanks, "/", ">", "=".
inline constexpr std::array<bool, 256> XmlNameEnds = [] {
    std::array<bool, 256> ends{};
    for (int b = 1; b <= 32; ++b)
        ends[b] = true;
    ends['/'] = ends['>'] = ends['='] = true;
    return ends;
}();

inline bool IsXmlNameEnd(char c) {
    return XmlNameEnds[static_cast<unsigned char>(c)];
}

// An attribute value's text with its references replaced by their bytes;
// an ampersand that starts no known reference stays as it is.
void AppendDecoded(std::string& out, std::string_view raw);
std::string Decoded(std::string_view raw);

// encoding="UTF-8" in a leading declaration (name and value in any case).
bool DeclaresUtf8(std::string_view bytes);

struct TXmlAttribute {
    std::string_view Name;
    std::string_view Raw;      // between the quotes, references not yet replaced
    bool HasReference = false; // an "&" in Raw
};

struct TXmlTag {
    std::string_view Name;
    std::size_t Offset = 0; // of its "<"
    bool End = false;
    bool Empty = false; // written with "/>"
};

class TXmlTokenizer {
public:
    static constexpr int MaxDepth = 63;

    explicit TXmlTokenizer(std::string_view text) : s_(text) {}

    bool AtEnd() const { return p_ >= s_.size(); }
    std::size_t Offset() const { return p_; }
    // Offset of a view into the text.
    std::size_t OffsetOf(std::string_view part) const {
        return static_cast<std::size_t>(part.data() - s_.data());
    }
    bool At(std::string_view prefix) const {
        return s_.size() - p_ >= prefix.size() && s_.compare(p_, prefix.size(), prefix) == 0;
    }
    // Whether `prefix` stands at the cursor as a whole name.
    bool AtName(std::string_view prefix) const {
        return At(prefix) && p_ + prefix.size() < s_.size() && IsXmlNameEnd(s_[p_ + prefix.size()]);
    }
    void Advance(std::size_t bytes) { p_ += bytes; }
    // The next `bytes` bytes, passed.
    std::string_view Take(std::size_t bytes) {
        const std::string_view taken = s_.substr(p_, bytes);
        p_ += bytes;
        return taken;
    }

    [[noreturn]] void FailAt(std::size_t offset, std::string_view message) const;
    [[noreturn]] void Fail(std::string_view message = MismatchInDatapacket) const {
        FailAt(p_, message);
    }

    void SkipBlanks() {
        while (p_ < s_.size() && IsXmlBlank(s_[p_]))
            ++p_;
    }
    // Blanks, processing instructions (the declaration too) and comments.
    void SkipMisc();

    std::string_view Name() {
        const std::size_t start = p_;
        while (p_ < s_.size() && !IsXmlNameEnd(s_[p_]))
            ++p_;
        if (p_ == start)
            Fail();
        return s_.substr(start, p_ - start);
    }

    // After an attribute's name: blanks, "=", blanks, a quoted value.
    std::string_view AttributeValue(bool& hasReference) {
        SkipBlanks();
        if (AtEnd() || s_[p_] != '=')
            Fail();
        ++p_;
        SkipBlanks();
        if (AtEnd() || (s_[p_] != '"' && s_[p_] != '\''))
            Fail();
        const std::size_t open = p_;
        const char quote = s_[p_++];
        hasReference = false;
        for (;;) {
            p_ = FindQuoteOrAmpersand(p_, quote);
            if (p_ == s_.size())
                FailAt(open, MismatchInDatapacket); // never closed
            if (s_[p_] == quote)
                break;
            hasReference = true;
            ++p_;
        }
        return s_.substr(open + 1, p_++ - open - 1);
    }

    // At ">" or "/>", which it passes (true; `empty` tells which), or at
    // something else, an attribute (false). Fails at the end of the text.
    bool TagCloses(bool& empty) {
        if (AtEnd())
            Fail();
        if (s_[p_] == '>') {
            ++p_;
            empty = false;
            return true;
        }
        if (s_[p_] == '/') {
            if (p_ + 1 >= s_.size() || s_[p_ + 1] != '>')
                Fail();
            p_ += 2;
            empty = true;
            return true;
        }
        return false;
    }

    // Which of names[from], names[from + 1], ... (a few) stands at the cursor
    // as a whole name, or -1. Rows name their fields in field order, leaving
    // out a few, so this is tried before any lookup.
    int NameAmong(const std::vector<std::string_view>& names, int from) const {
        constexpr int Lookahead = 6;
        const std::size_t left = s_.size() - p_;
        const char* at = s_.data() + p_;
        const int count = std::min(static_cast<int>(names.size()), from + Lookahead);
        for (int k = from; k < count; ++k) {
            const std::string_view name = names[k];
            if (name.size() >= left || name[0] != at[0] || !IsXmlNameEnd(at[name.size()]))
                continue;
            std::size_t i = 1;
            while (i < name.size() && name[i] == at[i])
                ++i;
            if (i == name.size())
                return k;
        }
        return -1;
    }

    // The next tag after blanks, comments and instructions; a start tag's
    // attributes are then in Attributes(). Depth counts open elements.
    TXmlTag NextTag();
    TXmlTag Tag(); // at "<"
    const std::vector<TXmlAttribute>& Attributes() const { return attrs_; }
    const TXmlAttribute* Find(std::string_view name) const {
        for (const TXmlAttribute& attribute : attrs_)
            if (attribute.Name == name)
                return &attribute;
        return nullptr;
    }
    // An element was opened whose start tag was not read by NextTag.
    void Enter(std::size_t offset) {
        if (++depth_ > MaxDepth)
            FailAt(offset, MismatchInDatapacket);
    }
    // The end tag of the element `name`.
    void ExpectEnd(const TXmlTag& tag, std::string_view name) {
        if (!tag.End || tag.Name != name)
            FailAt(tag.Offset, MismatchInDatapacket);
        --depth_;
    }
    // Whatever an element we do not read holds, up to its end tag.
    void SkipContent(std::string_view name);

private:
    // Position of the first quote or "&" from pos on, or the text's size.
    // Values are short and many, so eight bytes are tested at a time.
    std::size_t FindQuoteOrAmpersand(std::size_t pos, char quote) const {
        constexpr std::uint64_t Ones = 0x0101010101010101ULL;
        constexpr std::uint64_t Highs = 0x8080808080808080ULL;
        const std::uint64_t quotes = Ones * static_cast<unsigned char>(quote);
        const std::uint64_t ampersands = Ones * static_cast<unsigned char>('&');
        while (pos + 8 <= s_.size()) {
            std::uint64_t word;
            std::memcpy(&word, s_.data() + pos, 8);
            const std::uint64_t a = word ^ quotes;
            const std::uint64_t b = word ^ ampersands;
            const std::uint64_t hits = ((a - Ones) & ~a & Highs) | ((b - Ones) & ~b & Highs);
            if (hits != 0)
                break; // the exact byte is found below
            pos += 8;
        }
        while (pos < s_.size() && s_[pos] != quote && s_[pos] != '&')
            ++pos;
        return pos;
    }

    std::string_view s_;
    std::size_t p_ = 0;
    int depth_ = 0;
    std::vector<TXmlAttribute> attrs_;
};
