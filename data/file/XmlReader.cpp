#include "data/file/XmlReader.h"

#include "data/file/Cp1252.h"
#include "data/StaffelError.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>

namespace {

constexpr int MaxDepth = 63;
constexpr std::size_t MaxKeyFields = 16;

[[noreturn]] void Fail(std::string_view message) {
    throw TStaffelError(std::string(message));
}

bool IsBlank(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 1 && b <= 32;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

bool StartsWith(std::string_view s, std::size_t pos, std::string_view prefix) {
    return s.size() - pos >= prefix.size() && s.compare(pos, prefix.size(), prefix) == 0;
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

void AppendDecoded(std::string& out, std::string_view raw) {
    std::size_t copied = 0;
    // Team names hold "&amp;" often: memchr finds the next one fastest.
    for (std::size_t i = raw.find('&'); i != std::string_view::npos; i = raw.find('&', i + 1)) {
        out.append(raw.data() + copied, i - copied);
        copied = i + 1;
        // An ampersand that starts no known reference stays as it is.
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

// A whole number when a digit comes before any letter; else false. The
// hot conversions answer with a flag, not std::optional: its byte-wise
// return cost a store-forwarding stall for every value read.
bool LenientInteger(std::string_view text, std::int32_t& result) {
    std::size_t i = 0;
    while (i < text.size() && !IsDigit(text[i])) {
        if (IsLetter(text[i]))
            return false;
        ++i;
    }
    if (i == text.size())
        return false;
    const bool negative = i > 0 && text[i - 1] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL)
            return false;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX || value < INT32_MIN)
        return false;
    result = static_cast<std::int32_t>(value);
    return true;
}

// The day serial of a date; false when it is no real day. The same as
// DayFromCivil, computed directly: loading spends much of its time here.
bool SerialOfCivil(int year, unsigned month, unsigned day, TDaySerial& serial) {
    static constexpr unsigned char MonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    static constexpr unsigned short DaysBefore[] = {0,   31,  59,  90,  120, 151,
                                                    181, 212, 243, 273, 304, 334};
    if (year < 1 || month < 1 || month > 12 || day < 1)
        return false;
    const auto y = static_cast<unsigned>(year);
    const bool leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
    if (day > (month == 2 && leap ? 29u : MonthDays[month - 1]))
        return false;
    const unsigned before = y - 1; // whole years before this one
    const unsigned days = before * 365 + before / 4 - before / 100 + before / 400 +
                          DaysBefore[month - 1] + (leap && month > 2 ? 1 : 0) + day - 1;
    constexpr int FirstDaySerial = -693593; // 01.01.0001
    serial = FirstDaySerial + static_cast<int>(days);
    return true;
}

// Only the digits count: YYYYMMDD; anything that is no real day is false.
bool LenientDate(std::string_view text, TDaySerial& serial) {
    // The form the program writes: exactly eight digits.
    if (text.size() == 8 && std::all_of(text.begin(), text.end(), IsDigit)) {
        const auto digit = [&](int i) { return text[i] - '0'; };
        const int year = digit(0) * 1000 + digit(1) * 100 + digit(2) * 10 + digit(3);
        return SerialOfCivil(year, static_cast<unsigned>(digit(4) * 10 + digit(5)),
                             static_cast<unsigned>(digit(6) * 10 + digit(7)), serial);
    }
    int digits[8];
    int count = 0;
    for (char c : text) {
        if (IsDigit(c)) {
            digits[count++] = c - '0';
            if (count == 8)
                break;
        }
    }
    if (count < 8)
        return false;
    const int year = digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3];
    const unsigned month = static_cast<unsigned>(digits[4] * 10 + digits[5]);
    const unsigned day = static_cast<unsigned>(digits[6] * 10 + digits[7]);
    if (month > 12 || day > 31)
        return false;
    return SerialOfCivil(year, month, day, serial);
}

// "t..." or "f..." in any case; else false.
bool LenientBoolean(std::string_view text, bool& value) {
    if (text.empty() || (Lower(text[0]) != 't' && Lower(text[0]) != 'f'))
        return false;
    value = Lower(text[0]) == 't';
    return true;
}

// Numbers separated by blanks (key lists also by "," or ";").
std::vector<std::int32_t> NumberList(std::string_view text, bool allowListSeparators) {
    std::vector<std::int32_t> numbers;
    numbers.reserve(text.size() / 2);
    auto separates = [allowListSeparators](char c) {
        return IsBlank(c) || (allowListSeparators && (c == ',' || c == ';'));
    };
    std::size_t i = 0;
    while (i < text.size()) {
        if (separates(text[i])) {
            ++i;
            continue;
        }
        bool negative = false;
        if (text[i] == '+' || text[i] == '-')
            negative = text[i++] == '-';
        const std::size_t digits = i;
        std::int64_t value = 0;
        while (i < text.size() && IsDigit(text[i])) {
            value = value * 10 + (text[i++] - '0');
            if (value > 2147483648LL)
                Fail(MismatchInDatapacket);
        }
        if (i == digits || (i < text.size() && !separates(text[i])))
            Fail(MismatchInDatapacket);
        value = negative ? -value : value;
        if (value > INT32_MAX)
            Fail(MismatchInDatapacket);
        numbers.push_back(static_cast<std::int32_t>(value));
    }
    return numbers;
}

// A field's name must come back from its ROW attribute, which the writer
// escapes but cannot protect against blanks, "=" or "/".
bool UsableAsAttributeName(std::string_view name) {
    if (name.empty())
        return false;
    for (char c : name)
        if (IsBlank(c) || c == '=' || c == '/')
            return false;
    return true;
}

enum class TValueKind { Integer, Text, Boolean, Date };

struct TTypeName {
    std::string_view Name;
    TColumnType Type;
};
constexpr std::array<TTypeName, 4> OwnTypes = {
    {{"i4", ctInteger}, {"string", ctText}, {"boolean", ctBoolean}, {"date", ctDate}}};
// Types the program does not use: held as text, written back under their name.
constexpr std::array<std::string_view, 17> ForeignTypes = {
    "i1",   "i2",         "i8",      "ui1",      "ui2",      "ui4",
    "r8",   "r10",        "fixed",   "fixedFMT", "dateTime", "SQLdateTime",
    "time", "string.uni", "bin.hex", "IntArray", "UIntArray"};

// Position of the first quote or "&" from pos on, or s.size(). Values are
// short and many, so eight bytes are tested at a time.
std::size_t FindQuoteOrAmpersand(std::string_view s, std::size_t pos, char quote) {
    constexpr std::uint64_t Ones = 0x0101010101010101ULL;
    constexpr std::uint64_t Highs = 0x8080808080808080ULL;
    const std::uint64_t quotes = Ones * static_cast<unsigned char>(quote);
    const std::uint64_t ampersands = Ones * static_cast<unsigned char>('&');
    while (pos + 8 <= s.size()) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + pos, 8);
        const std::uint64_t a = word ^ quotes;
        const std::uint64_t b = word ^ ampersands;
        const std::uint64_t hits = ((a - Ones) & ~a & Highs) | ((b - Ones) & ~b & Highs);
        if (hits != 0)
            break; // the exact byte is found below
        pos += 8;
    }
    while (pos < s.size() && s[pos] != quote && s[pos] != '&')
        ++pos;
    return pos;
}

struct TAttribute {
    std::string_view Name;
    std::string_view Raw;
    bool HasReference = false; // an "&" in Raw
};

// Bytes that end a name: blanks, "/", ">", "=".
constexpr std::array<bool, 256> MakeNameEnds() {
    std::array<bool, 256> ends{};
    for (int b = 1; b <= 32; ++b)
        ends[b] = true;
    ends['/'] = ends['>'] = ends['='] = true;
    return ends;
}
constexpr std::array<bool, 256> NameEnds = MakeNameEnds();

struct TTag {
    std::string_view Name;
    bool End = false;
    bool Empty = false; // written with "/>"
};

class TReader {
public:
    TReader(std::string_view text, TPacketSink& sink) : s_(text), sink_(sink) {}

    void Read() {
        SkipMisc();
        if (AtEnd() || s_[p_] != '<')
            Fail(MismatchInDatapacket);
        TTag root = StartTag();
        if (root.End || root.Name != "DATAPACKET")
            Fail(MismatchInDatapacket);
        if (root.Empty)
            Fail(NoMetaData);
        TTag tag = NextTag();
        if (tag.End) {
            ExpectEnd(tag, "DATAPACKET");
            Fail(NoMetaData);
        }
        if (tag.Name == "ROWDATA")
            Fail(NoMetaData);
        if (tag.Name != "METADATA" || tag.Empty)
            Fail(MismatchInDatapacket);
        ReadMetadata();
        sink_.Begin(packet_.Fields);
        tag = NextTag();
        if (!tag.End) {
            if (tag.Name != "ROWDATA")
                Fail(MismatchInDatapacket);
            if (!tag.Empty)
                ReadRows();
            tag = NextTag();
        }
        ExpectEnd(tag, "DATAPACKET");
        SkipMisc();
        if (!AtEnd())
            Fail(MismatchInDatapacket);
        CheckChangeLog();
        sink_.End(std::move(packet_.ChangeLog), std::move(packet_.KeyFields), packet_.UniqueKey);
    }

private:
    bool AtEnd() const { return p_ >= s_.size(); }

    // Skips blanks, processing instructions (the declaration too) and comments.
    void SkipMisc() {
        for (;;) {
            while (p_ < s_.size() && IsBlank(s_[p_]))
                ++p_;
            if (StartsWith(s_, p_, "<?")) {
                const std::size_t end = s_.find("?>", p_ + 2);
                if (end == std::string_view::npos)
                    Fail(MismatchInDatapacket);
                p_ = end + 2;
            } else if (StartsWith(s_, p_, "<!--")) {
                const std::size_t end = s_.find("-->", p_ + 4);
                if (end == std::string_view::npos)
                    Fail(MismatchInDatapacket);
                p_ = end + 3;
            } else {
                return;
            }
        }
    }

    void SkipBlanks() {
        while (p_ < s_.size() && IsBlank(s_[p_]))
            ++p_;
    }

    std::string_view Name() {
        const std::size_t start = p_;
        while (p_ < s_.size() && !NameEnds[static_cast<unsigned char>(s_[p_])])
            ++p_;
        if (p_ == start)
            Fail(MismatchInDatapacket);
        return s_.substr(start, p_ - start);
    }

    // The next element tag after blanks, comments and instructions.
    TTag NextTag() {
        SkipMisc();
        if (AtEnd() || s_[p_] != '<')
            Fail(MismatchInDatapacket);
        TTag tag = StartTag();
        if (!tag.End && !tag.Empty && ++depth_ > MaxDepth)
            Fail(MismatchInDatapacket);
        return tag;
    }

    void ExpectEnd(const TTag& tag, std::string_view name) {
        if (!tag.End || tag.Name != name)
            Fail(MismatchInDatapacket);
        --depth_;
    }

    // At "<": an end tag, or a start tag whose attributes land in attrs_.
    TTag StartTag() {
        TTag tag;
        ++p_;
        if (p_ < s_.size() && s_[p_] == '/') {
            ++p_;
            tag.End = true;
            tag.Name = Name();
            SkipBlanks();
            if (AtEnd() || s_[p_] != '>')
                Fail(MismatchInDatapacket);
            ++p_;
            return tag;
        }
        tag.Name = Name();
        attrs_.clear();
        for (;;) {
            SkipBlanks();
            if (AtEnd())
                Fail(MismatchInDatapacket);
            if (s_[p_] == '>') {
                ++p_;
                return tag;
            }
            if (s_[p_] == '/') {
                if (p_ + 1 >= s_.size() || s_[p_ + 1] != '>')
                    Fail(MismatchInDatapacket);
                p_ += 2;
                tag.Empty = true;
                return tag;
            }
            TAttribute& attribute = attrs_.emplace_back();
            attribute.Name = Name();
            attribute.Raw = AttributeValue(attribute.HasReference);
        }
    }

    // After a name: blanks, "=", blanks, a quoted value.
    std::string_view AttributeValue(bool& hasReference) {
        SkipBlanks();
        if (AtEnd() || s_[p_] != '=')
            Fail(MismatchInDatapacket);
        ++p_;
        SkipBlanks();
        if (AtEnd() || (s_[p_] != '"' && s_[p_] != '\''))
            Fail(MismatchInDatapacket);
        const char quote = s_[p_++];
        const std::size_t start = p_;
        hasReference = false;
        for (;;) {
            p_ = FindQuoteOrAmpersand(s_, p_, quote);
            if (p_ == s_.size())
                Fail(MismatchInDatapacket);
            if (s_[p_] == quote)
                break;
            hasReference = true;
            ++p_;
        }
        return s_.substr(start, p_++ - start);
    }

    const TAttribute* Find(std::string_view name) const {
        for (const TAttribute& attribute : attrs_)
            if (attribute.Name == name)
                return &attribute;
        return nullptr;
    }

    // Rows name their fields in field order, leaving out a few: the field
    // whose name stands at the cursor, among the next few from `from`, or -1.
    int PredictField(int from) const {
        constexpr int Lookahead = 6;
        const std::size_t left = s_.size() - p_;
        const char* at = s_.data() + p_;
        if (at[0] == 'R' && StartsWith(s_, p_, "RowState"))
            return -1;
        const int count = std::min(static_cast<int>(names_.size()), from + Lookahead);
        for (int k = from; k < count; ++k) {
            const std::string_view name = names_[k];
            if (name.size() >= left || name[0] != at[0] ||
                !NameEnds[static_cast<unsigned char>(at[name.size()])])
                continue;
            std::size_t i = 1;
            while (i < name.size() && name[i] == at[i])
                ++i;
            if (i == name.size())
                return k;
        }
        return -1;
    }

    // Whatever an element we do not read holds, up to its end tag.
    void SkipContent(std::string_view name) {
        std::vector<std::string_view> open{name};
        while (!open.empty()) {
            while (p_ < s_.size() && s_[p_] != '<')
                ++p_;
            SkipMisc();
            if (AtEnd())
                Fail(MismatchInDatapacket);
            if (s_[p_] != '<')
                continue;
            const TTag tag = StartTag();
            if (tag.End) {
                if (tag.Name != open.back())
                    Fail(MismatchInDatapacket);
                open.pop_back();
                --depth_;
            } else if (!tag.Empty) {
                if (++depth_ > MaxDepth)
                    Fail(MismatchInDatapacket);
                open.push_back(tag.Name);
            }
        }
    }

    void ReadMetadata() {
        TTag tag = NextTag();
        if (tag.End || tag.Name != "FIELDS")
            Fail(MismatchInDatapacket);
        if (!tag.Empty) {
            for (;;) {
                tag = NextTag();
                if (tag.End) {
                    ExpectEnd(tag, "FIELDS");
                    break;
                }
                if (tag.Name != "FIELD")
                    Fail(MismatchInDatapacket);
                ReadField();
                if (!tag.Empty)
                    SkipContent(tag.Name);
            }
        }
        tag = NextTag();
        if (!tag.End && tag.Name == "PARAMS") {
            ReadParams();
            if (!tag.Empty)
                SkipContent(tag.Name);
            tag = NextTag();
        }
        ExpectEnd(tag, "METADATA");
        PrepareFieldLookup();
    }

    void ReadField() {
        const TAttribute* attrName = Find("attrname");
        const TAttribute* tagName = Find("tagname");
        if (attrName == nullptr && tagName == nullptr)
            Fail(MismatchInDatapacket);
        const TAttribute* fieldName = Find("fieldname");
        TFieldDef field;
        field.Name = Decoded((fieldName ? fieldName : attrName ? attrName : tagName)->Raw);
        if (!UsableAsAttributeName(field.Name))
            Fail(MismatchInDatapacket);

        const TAttribute* typeAttribute = Find("fieldtype");
        if (typeAttribute == nullptr)
            Fail(InvalidFieldType);
        const std::string typeName = Decoded(typeAttribute->Raw);
        bool known = false;
        for (const TTypeName& own : OwnTypes) {
            if (EqualsNoCase(typeName, own.Name)) {
                field.Type = own.Type;
                known = true;
            }
        }
        for (std::string_view foreign : ForeignTypes) {
            if (!known && EqualsNoCase(typeName, foreign)) {
                field.Type = ctText;
                field.FileType = typeName;
                known = true;
            }
        }
        if (!known)
            Fail(InvalidFieldType);
        if (const TAttribute* width = Find("WIDTH"); width != nullptr && field.Type == ctText) {
            std::int32_t number = 0;
            LenientInteger(Decoded(width->Raw), number);
            field.Width = std::max(0, number);
        }
        auto flag = [this](std::string_view name) {
            const TAttribute* attribute = Find(name);
            return attribute != nullptr && EqualsNoCase(Decoded(attribute->Raw), "true");
        };
        field.ReadOnly = flag("readonly");
        field.Required = flag("required");
        field.Hidden = flag("hidden");
        field.LinkField = flag("linkfield");
        packet_.Fields.push_back(std::move(field));
    }

    void ReadParams() {
        if (const TAttribute* log = Find("CHANGE_LOG")) {
            const std::vector<std::int32_t> numbers = log->HasReference
                                                          ? NumberList(Decoded(log->Raw), false)
                                                          : NumberList(log->Raw, false);
            if (numbers.size() % 3 != 0)
                Fail(MismatchInDatapacket);
            packet_.ChangeLog.reserve(numbers.size() / 3);
            for (std::size_t i = 0; i < numbers.size(); i += 3)
                packet_.ChangeLog.push_back({numbers[i], numbers[i + 1], numbers[i + 2]});
        }
        const std::pair<std::string_view, bool> keys[] = {
            {"PRIMARY_KEY", true}, {"UNIQUE_KEY", true}, {"DEFAULT_ORDER", false}};
        for (const auto& [name, unique] : keys) {
            const TAttribute* attribute = Find(name);
            if (attribute == nullptr)
                continue;
            std::vector<std::int32_t> numbers = NumberList(Decoded(attribute->Raw), true);
            if (numbers.size() > MaxKeyFields)
                numbers.resize(MaxKeyFields);
            for (std::int32_t number : numbers) {
                if (number < 1 || number > static_cast<std::int64_t>(packet_.Fields.size()))
                    Fail(MismatchInDatapacket);
                packet_.KeyFields.push_back(number - 1);
            }
            if (!numbers.empty()) {
                packet_.UniqueKey = unique;
                break;
            }
        }
    }

    void PrepareFieldLookup() {
        const std::size_t count = packet_.Fields.size();
        kinds_.resize(count);
        names_.assign(count, std::string_view());
        row_.assign(count, TValue());
        seen_.assign(count, false);
        slots_.assign(count, TSlot());
        storedRows_ = sink_.TakesStoredRows();
        for (std::size_t i = 0; i < count; ++i) {
            const TFieldDef& field = packet_.Fields[i];
            names_[i] = field.Name;
            kinds_[i] = field.Type == ctInteger   ? TValueKind::Integer
                        : field.Type == ctBoolean ? TValueKind::Boolean
                        : field.Type == ctDate    ? TValueKind::Date
                                                  : TValueKind::Text;
            // Two fields of one name would share their row attribute.
            if (!byName_.try_emplace(field.Name, static_cast<int>(i)).second)
                Fail(MismatchInDatapacket);
        }
    }

    // The field with that name, or -1. Rows name their fields in field
    // order, so the field after the last match is tried first.
    int FieldIndex(std::string_view name, int guess) const {
        if (guess >= 0 && guess < static_cast<int>(packet_.Fields.size()) &&
            packet_.Fields[guess].Name == name)
            return guess;
        const auto it = byName_.find(name);
        return it == byName_.end() ? -1 : it->second;
    }

    void ReadRows() {
        for (;;) {
            SkipMisc();
            // The common case, "<ROW" and its attributes, is read in one pass.
            if (StartsWith(s_, p_, "<ROW") && p_ + 4 < s_.size() &&
                NameEnds[static_cast<unsigned char>(s_[p_ + 4])]) {
                p_ += 4;
                if (!ReadRow()) {
                    if (++depth_ > MaxDepth)
                        Fail(MismatchInDatapacket);
                    SkipContent("ROW");
                }
                continue;
            }
            const TTag tag = NextTag();
            if (!tag.End)
                Fail(MismatchInDatapacket);
            ExpectEnd(tag, "ROWDATA");
            return;
        }
    }

    // After "<ROW": its attributes, up to "/>" (true) or ">" (false).
    bool ReadRow() {
        ++rowCount_;
        std::uint8_t status = 0;
        std::fill(seen_.begin(), seen_.end(), false);
        int predicted = 0;
        bool empty = false;
        for (;;) {
            SkipBlanks();
            if (AtEnd())
                Fail(MismatchInDatapacket);
            if (s_[p_] == '>') {
                ++p_;
                break;
            }
            if (s_[p_] == '/') {
                if (p_ + 1 >= s_.size() || s_[p_ + 1] != '>')
                    Fail(MismatchInDatapacket);
                p_ += 2;
                empty = true;
                break;
            }
            int first = PredictField(predicted);
            std::string_view name;
            if (first >= 0) {
                name = s_.substr(p_, names_[first].size());
                p_ += name.size();
            } else {
                name = Name();
            }
            bool hasReference = false;
            const std::string_view raw = AttributeValue(hasReference);
            if (first < 0 && name == "RowState") {
                const std::string decodedState = hasReference ? Decoded(raw) : std::string();
                const std::string_view text = hasReference ? decodedState : raw;
                std::int32_t number = 0;
                LenientInteger(text, number);
                status = static_cast<std::uint8_t>(number & 0x0F);
                continue;
            }
            if (first < 0)
                first = FieldIndex(name, predicted);
            if (first < 0 && name.find('&') != std::string_view::npos) {
                nameScratch_.clear();
                AppendDecoded(nameScratch_, name);
                first = FieldIndex(nameScratch_, predicted);
            }
            if (first < 0)
                continue;
            predicted = first + 1;
            if (storedRows_) {
                seen_[first] = true;
                slots_[first] = {raw, hasReference};
            } else {
                TakeValue(first, raw, hasReference);
            }
        }
        if (storedRows_) {
            sink_.StoredRow(StoredRow(status));
            return empty;
        }
        for (std::size_t i = 0; i < row_.size(); ++i)
            if (!seen_[i])
                row_[i] = std::monostate{};
        sink_.Row(row_, status);
        return empty;
    }

    void TakeValue(int index, std::string_view raw, bool hasReference) {
        seen_[index] = true;
        if (!hasReference) {
            Assign(row_[index], kinds_[index], raw);
        } else if (kinds_[index] == TValueKind::Text) {
            // Decoded straight into the row's own text.
            std::string* held = std::get_if<std::string>(&row_[index]);
            if (held == nullptr)
                held = &row_[index].emplace<std::string>();
            held->clear();
            AppendDecoded(*held, raw);
        } else {
            scratch_.clear();
            AppendDecoded(scratch_, raw);
            Assign(row_[index], kinds_[index], scratch_);
        }
    }

    // The row's values from their attributes, in column order, converted as
    // Assign converts them.
    TStoredRow StoredRow(std::uint8_t status) {
        for (std::size_t i = 0; i < slots_.size(); ++i) {
            if (!seen_[i]) {
                writer_.Null();
                continue;
            }
            std::string_view text = slots_[i].Raw;
            if (slots_[i].HasReference) {
                scratch_.clear();
                AppendDecoded(scratch_, text);
                text = scratch_;
            }
            switch (kinds_[i]) {
            case TValueKind::Text:
                writer_.Text(text);
                break;
            case TValueKind::Integer:
                if (std::int32_t number; LenientInteger(text, number))
                    writer_.Integer(number);
                else
                    writer_.Null();
                break;
            case TValueKind::Boolean:
                if (bool value; LenientBoolean(text, value))
                    writer_.Boolean(value);
                else
                    writer_.Null();
                break;
            case TValueKind::Date:
                if (TDaySerial day; LenientDate(text, day))
                    writer_.Date(day);
                else
                    writer_.Null();
                break;
            }
        }
        return writer_.Finish(status);
    }

    // Texts are assigned in place, so a row's buffers serve the next row too.
    static void Assign(TValue& target, TValueKind kind, std::string_view text) {
        switch (kind) {
        case TValueKind::Text:
            if (auto* held = std::get_if<std::string>(&target))
                held->assign(text);
            else
                target.emplace<std::string>(text);
            return;
        case TValueKind::Integer:
            if (std::int32_t number; LenientInteger(text, number))
                target = number;
            else
                target = std::monostate{};
            return;
        case TValueKind::Boolean:
            if (bool value; LenientBoolean(text, value))
                target = value;
            else
                target = std::monostate{};
            return;
        case TValueKind::Date:
            if (TDaySerial day; LenientDate(text, day))
                target = TDateValue{day};
            else
                target = std::monostate{};
            return;
        }
    }

    // Every entry must name rows the file has.
    void CheckChangeLog() const {
        const auto rows = rowCount_;
        for (const TChangeEntry& entry : packet_.ChangeLog) {
            const bool rowOk = entry.Row >= 1 && entry.Row <= rows;
            bool previousOk = false;
            if (entry.Kind == 8)
                previousOk = entry.PreviousRow >= 1 && entry.PreviousRow <= rows;
            else if (entry.Kind == 4 || entry.Kind == 2)
                previousOk = entry.PreviousRow >= 0 && entry.PreviousRow <= rows;
            if (!rowOk || !previousOk)
                Fail(MismatchInDatapacket);
        }
    }

    std::string_view s_;
    std::size_t p_ = 0;
    int depth_ = 1;
    std::vector<TAttribute> attrs_;
    TPacketSink& sink_;
    TDataPacket packet_; // fields and parameters; rows go to the sink
    std::int64_t rowCount_ = 0;
    std::vector<TValue> row_;
    std::vector<char> seen_;
    // For a sink taking stored rows: each field's attribute text in the row.
    struct TSlot {
        std::string_view Raw;
        bool HasReference = false;
    };
    bool storedRows_ = false;
    std::vector<TSlot> slots_;
    TRowWriter writer_;
    std::vector<TValueKind> kinds_;
    // The fields' names side by side: every attribute of every row is
    // matched against them.
    std::vector<std::string_view> names_;
    std::unordered_map<std::string_view, int> byName_;
    std::string scratch_;
    std::string nameScratch_;
};

// encoding="UTF-8" in a leading declaration (name and value in any case).
bool DeclaresUtf8(std::string_view bytes) {
    std::size_t p = 0;
    while (p < bytes.size() && IsBlank(bytes[p]))
        ++p;
    if (!StartsWith(bytes, p, "<?xml") || p + 5 >= bytes.size() ||
        !(IsBlank(bytes[p + 5]) || bytes[p + 5] == '?'))
        return false;
    const std::size_t end = bytes.find("?>", p);
    if (end == std::string_view::npos)
        return false;
    const std::string_view declaration = bytes.substr(p + 5, end - p - 5);
    std::size_t i = 0;
    while (i < declaration.size()) {
        while (i < declaration.size() && IsBlank(declaration[i]))
            ++i;
        const std::size_t nameStart = i;
        while (i < declaration.size() && !IsBlank(declaration[i]) && declaration[i] != '=')
            ++i;
        const std::string_view name = declaration.substr(nameStart, i - nameStart);
        while (i < declaration.size() && IsBlank(declaration[i]))
            ++i;
        if (i >= declaration.size() || declaration[i] != '=')
            return false;
        ++i;
        while (i < declaration.size() && IsBlank(declaration[i]))
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

} // namespace

void ReadDataPacket(std::string_view bytes, TPacketSink& sink) {
    std::string converted;
    if (StartsWith(bytes, 0, "\xEF\xBB\xBF")) {
        converted = Utf8ToCp1252(bytes.substr(3));
        bytes = converted;
    } else if (DeclaresUtf8(bytes) && IsValidUtf8(bytes)) {
        converted = Utf8ToCp1252(bytes);
        bytes = converted;
    }
    TReader(bytes, sink).Read();
}

TDataPacket ReadDataPacket(std::string_view bytes) {
    struct TCollect : TPacketSink {
        TDataPacket Packet;
        void Begin(const std::vector<TFieldDef>& fields) override { Packet.Fields = fields; }
        void Row(const std::vector<TValue>& values, std::uint8_t status) override {
            Packet.Rows.push_back({values, status});
        }
        void End(std::vector<TChangeEntry> changeLog, std::vector<int> keyFields,
                 bool uniqueKey) override {
            Packet.ChangeLog = std::move(changeLog);
            Packet.KeyFields = std::move(keyFields);
            Packet.UniqueKey = uniqueKey;
        }
    } collect;
    ReadDataPacket(bytes, collect);
    return std::move(collect.Packet);
}
