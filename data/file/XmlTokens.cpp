#include "data/file/XmlTokens.h"

#include "data/file/Cp1252.h"

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// "&#...;" and "&#x...;" stand for the byte of that value; larger values
// take the code page's byte of that character.
bool DecodeNumericReference(std::string_view ref, char& out) {
    bool hex = false;
    std::size_t i = 0;
    if (!ref.empty() && (ref[0] == 'x' || ref[0] == 'X')) {
        hex = true;
        i = 1;
    }
    if (i == ref.size())
        return false;
    std::uint32_t value = 0;
    for (; i < ref.size(); ++i) {
        const char c = ref[i];
        int digit;
        if (IsDigit(c))
            digit = c - '0';
        else if (hex && Lower(c) >= 'a' && Lower(c) <= 'f')
            digit = Lower(c) - 'a' + 10;
        else
            return false;
        value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
        if (value > 0x10FFFF)
            return false;
    }
    out = value <= 0xFF ? static_cast<char>(value) : Cp1252FromCodePoint(value);
    return true;
}

} // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

TTextPosition PositionIn(std::string_view text, std::size_t offset) {
    constexpr std::size_t FoundLength = 24;
    offset = std::min(offset, text.size());
    TTextPosition where;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
            ++where.Line;
            lineStart = i + 1;
        }
    }
    where.Column = static_cast<int>(offset - lineStart) + 1;
    for (std::size_t i = offset; i < text.size() && where.Found.size() < FoundLength; ++i) {
        if (text[i] == '\n' || text[i] == '\r')
            break;
        where.Found += static_cast<unsigned char>(text[i]) < 32 ? ' ' : text[i];
    }
    return where;
}

void TXmlTokenizer::FailAt(std::size_t offset, std::string_view message) const {
    throw TDataFileError(message, PositionIn(s_, offset));
}

void TXmlTokenizer::SkipMisc() {
    for (;;) {
        SkipBlanks();
        if (At("<?")) {
            const std::size_t end = s_.find("?>", p_ + 2);
            if (end == std::string_view::npos)
                Fail(); // at the instruction that never ends
            p_ = end + 2;
        } else if (At("<!--")) {
            const std::size_t end = s_.find("-->", p_ + 4);
            if (end == std::string_view::npos)
                Fail();
            p_ = end + 3;
        } else {
            return;
        }
    }
}

TXmlTag TXmlTokenizer::NextTag() {
    SkipMisc();
    if (AtEnd() || s_[p_] != '<')
        Fail();
    TXmlTag tag = Tag();
    if (!tag.End && !tag.Empty)
        Enter(tag.Offset);
    return tag;
}

TXmlTag TXmlTokenizer::Tag() {
    TXmlTag tag;
    tag.Offset = p_++;
    if (p_ < s_.size() && s_[p_] == '/') {
        ++p_;
        tag.End = true;
        tag.Name = Name();
        SkipBlanks();
        if (AtEnd() || s_[p_] != '>')
            Fail();
        ++p_;
        return tag;
    }
    tag.Name = Name();
    attrs_.clear();
    for (;;) {
        SkipBlanks();
        if (TagCloses(tag.Empty))
            return tag;
        TXmlAttribute& attribute = attrs_.emplace_back();
        attribute.Name = Name();
        attribute.Raw = AttributeValue(attribute.HasReference);
    }
}

void TXmlTokenizer::SkipContent(std::string_view name) {
    std::vector<std::string_view> open{name};
    while (!open.empty()) {
        while (p_ < s_.size() && s_[p_] != '<')
            ++p_;
        SkipMisc();
        if (AtEnd())
            Fail();
        if (s_[p_] != '<')
            continue;
        const TXmlTag tag = Tag();
        if (tag.End) {
            if (tag.Name != open.back())
                FailAt(tag.Offset, MismatchInDatapacket);
            open.pop_back();
            --depth_;
        } else if (!tag.Empty) {
            Enter(tag.Offset);
            open.push_back(tag.Name);
        }
    }
}

void AppendDecoded(std::string& out, std::string_view raw) {
    std::size_t copied = 0;
    // Team names hold "&amp;" often: memchr finds the next one fastest.
    for (std::size_t i = raw.find('&'); i != std::string_view::npos; i = raw.find('&', i + 1)) {
        out.append(raw.data() + copied, i - copied);
        copied = i + 1;
        const std::size_t limit = std::min(raw.size(), i + 13);
        std::size_t semi = i + 1;
        while (semi < limit && raw[semi] != ';')
            ++semi;
        char c = '&';
        bool known = false;
        if (semi < limit) {
            const std::string_view name = raw.substr(i + 1, semi - i - 1);
            known = true;
            if (name == "amp")
                c = '&';
            else if (name == "lt")
                c = '<';
            else if (name == "gt")
                c = '>';
            else if (name == "quot")
                c = '"';
            else if (name == "apos")
                c = '\'';
            else if (name.size() > 1 && name[0] == '#')
                known = DecodeNumericReference(name.substr(1), c);
            else
                known = false;
        }
        out += c;
        if (known) {
            i = semi;
            copied = semi + 1;
        }
    }
    out.append(raw.data() + copied, raw.size() - copied);
}

std::string Decoded(std::string_view raw) {
    if (raw.find('&') == std::string_view::npos)
        return std::string(raw);
    std::string out;
    out.reserve(raw.size());
    AppendDecoded(out, raw);
    return out;
}

bool DeclaresUtf8(std::string_view bytes) {
    std::size_t p = 0;
    while (p < bytes.size() && IsXmlBlank(bytes[p]))
        ++p;
    if (bytes.substr(p, 5) != "<?xml" || p + 5 >= bytes.size() ||
        !(IsXmlBlank(bytes[p + 5]) || bytes[p + 5] == '?'))
        return false;
    const std::size_t end = bytes.find("?>", p);
    if (end == std::string_view::npos)
        return false;
    const std::string_view declaration = bytes.substr(p + 5, end - p - 5);
    std::size_t i = 0;
    while (i < declaration.size()) {
        while (i < declaration.size() && IsXmlBlank(declaration[i]))
            ++i;
        const std::size_t nameStart = i;
        while (i < declaration.size() && !IsXmlBlank(declaration[i]) && declaration[i] != '=')
            ++i;
        const std::string_view name = declaration.substr(nameStart, i - nameStart);
        while (i < declaration.size() && IsXmlBlank(declaration[i]))
            ++i;
        if (i >= declaration.size() || declaration[i] != '=')
            return false;
        ++i;
        while (i < declaration.size() && IsXmlBlank(declaration[i]))
            ++i;
        if (i >= declaration.size() || (declaration[i] != '"' && declaration[i] != '\''))
            return false;
        const char quote = declaration[i++];
        const std::size_t close = declaration.find(quote, i);
        if (close == std::string_view::npos)
            return false;
        if (EqualsNoCase(name, "encoding"))
            return EqualsNoCase(declaration.substr(i, close - i), "UTF-8");
        i = close + 1;
    }
    return false;
}
