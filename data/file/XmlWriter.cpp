#include "data/file/XmlWriter.h"

#include "data/file/Cp1252.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

namespace {

constexpr std::string_view Declaration = "<?xml version=\"1.0\" standalone=\"yes\"?>  ";

// Replacement of each byte that an attribute value cannot carry as it is.
constexpr std::array<std::string_view, 256> MakeEscapes() {
    std::array<std::string_view, 256> escapes{};
    escapes['<'] = "&lt;";
    escapes['>'] = "&gt;";
    escapes['&'] = "&amp;";
    escapes['\''] = "&apos;";
    escapes['"'] = "&quot;";
    escapes['\r'] = "&#013;";
    escapes['\n'] = "&#010;";
    escapes['\t'] = "&#009;";
    escapes['\\'] = "&#092;";
    return escapes;
}
constexpr std::array<std::string_view, 256> Escapes = MakeEscapes();

void AppendEscaped(std::string& out, std::string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string_view escape = Escapes[static_cast<unsigned char>(text[i])];
        if (escape.empty())
            continue;
        out.append(text.data() + start, i - start);
        out.append(escape);
        start = i + 1;
    }
    out.append(text.data() + start, text.size() - start);
}

void AppendNumber(std::string& out, long long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendPadded(std::string& out, int value, int digits) {
    char buffer[16];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    for (auto n = end - buffer; n < digits; ++n)
        out += '0';
    out.append(buffer, end);
}

void AppendDate(std::string& out, TDaySerial day) {
    const TCivilDate date = CivilFromDay(day);
    if (date.Year < 0) {
        out += '-';
        AppendPadded(out, -date.Year, 4);
    } else {
        AppendPadded(out, date.Year, 4);
    }
    AppendPadded(out, static_cast<int>(date.Month), 2);
    AppendPadded(out, static_cast<int>(date.Day), 2);
}

void AppendAttribute(std::string& out, std::string_view name, std::string_view value) {
    out += ' ';
    AppendEscaped(out, name);
    out += "=\"";
    AppendEscaped(out, value);
    out += '"';
}

void AppendField(std::string& out, const TFieldDef& field) {
    out += "<FIELD";
    AppendAttribute(out, "attrname", field.Name);
    AppendAttribute(out, "fieldtype", FieldTypeName(field));
    if (field.ReadOnly)
        AppendAttribute(out, "readonly", "true");
    if (field.Required)
        AppendAttribute(out, "required", "true");
    if (field.Hidden)
        AppendAttribute(out, "hidden", "true");
    if (field.LinkField)
        AppendAttribute(out, "linkfield", "true");
    if (field.Type == ctText && (field.FileType.empty() || field.Width > 0)) {
        out += " WIDTH=\"";
        AppendNumber(out, field.Width);
        out += '"';
    }
    out += "/>";
}

void AppendChangeLog(std::string& out, const std::vector<TChangeEntry>& log) {
    if (log.empty()) {
        out += "<PARAMS/>";
        return;
    }
    out += "<PARAMS CHANGE_LOG=\"";
    bool first = true;
    for (const TChangeEntry& entry : log) {
        if (!first)
            out += ' ';
        first = false;
        AppendNumber(out, entry.Row);
        out += ' ';
        AppendNumber(out, entry.PreviousRow);
        out += ' ';
        AppendNumber(out, entry.Kind);
    }
    out += "\"/>";
}

// Attribute names as written (" name=\""), built once per save.
std::vector<std::string> RowAttributePrefixes(const std::vector<TFieldDef>& fields) {
    std::vector<std::string> prefixes;
    prefixes.reserve(fields.size());
    for (const TFieldDef& field : fields) {
        std::string prefix = " ";
        AppendEscaped(prefix, field.Name);
        prefix += "=\"";
        prefixes.push_back(std::move(prefix));
    }
    return prefixes;
}

// Serials of 01.01.0001 and 31.12.9999: the days written as eight digits.
constexpr TDaySerial FirstFourDigitDay = -693593;
constexpr TDaySerial LastFourDigitDay = 2958465;

// YYYYMMDD of a day of the years 1 to 9999, computed directly: saving
// spends much of its time on dates.
char* WriteDate(char* p, TDaySerial serial) {
    constexpr int UnixEpochSerial = 25569; // 01.01.1970
    const int z = serial - UnixEpochSerial + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(z - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const auto year = static_cast<unsigned>(static_cast<int>(yearOfEra) + era * 400 + (month <= 2));
    p[0] = static_cast<char>('0' + year / 1000);
    p[1] = static_cast<char>('0' + year / 100 % 10);
    p[2] = static_cast<char>('0' + year / 10 % 10);
    p[3] = static_cast<char>('0' + year % 10);
    p[4] = static_cast<char>('0' + month / 10);
    p[5] = static_cast<char>('0' + month % 10);
    p[6] = static_cast<char>('0' + day / 10);
    p[7] = static_cast<char>('0' + day % 10);
    return p + 8;
}

char* WriteEscaped(char* p, const std::string& text) {
    CheckWritableText(text); // a control byte would make the file unreadable
    for (char c : text) {
        const std::string_view escape = Escapes[static_cast<unsigned char>(c)];
        if (escape.empty()) {
            *p++ = c;
        } else {
            std::memcpy(p, escape.data(), escape.size());
            p += escape.size();
        }
    }
    return p;
}

// Most bytes one ROW can take, escapes and all.
std::size_t RowBound(const TPhysicalRow& row, const std::vector<std::string>& prefixes) {
    std::size_t bound = 32;
    const std::size_t count = std::min(prefixes.size(), row.Values.size());
    for (std::size_t i = 0; i < count; ++i) {
        bound += prefixes[i].size() + 24;
        if (const auto* text = std::get_if<std::string>(&row.Values[i]))
            bound += 6 * text->size();
    }
    return bound;
}

// The row goes into one buffer and then into the output in one piece.
void AppendRow(std::string& out, const TPhysicalRow& row, const std::vector<std::string>& prefixes,
               std::string& buffer) {
    const std::size_t bound = RowBound(row, prefixes);
    if (buffer.size() < bound)
        buffer.resize(std::max(bound, 2 * buffer.size()));
    char* const start = buffer.data();
    char* p = start;
    std::memcpy(p, "<ROW", 4);
    p += 4;
    if (row.Status != 0) {
        std::memcpy(p, " RowState=\"", 11);
        p = std::to_chars(p + 11, p + 16, row.Status).ptr;
        *p++ = '"';
    }
    const std::size_t count = std::min(prefixes.size(), row.Values.size());
    for (std::size_t i = 0; i < count; ++i) {
        const TValue& value = row.Values[i];
        if (std::holds_alternative<std::monostate>(value))
            continue;
        std::memcpy(p, prefixes[i].data(), prefixes[i].size());
        p += prefixes[i].size();
        if (const auto* text = std::get_if<std::string>(&value)) {
            p = WriteEscaped(p, *text);
        } else if (const auto* number = std::get_if<std::int32_t>(&value)) {
            p = std::to_chars(p, p + 12, *number).ptr;
        } else if (const auto* flag = std::get_if<bool>(&value)) {
            std::memcpy(p, *flag ? "TRUE" : "FALSE", *flag ? 4 : 5);
            p += *flag ? 4 : 5;
        } else if (const auto* date = std::get_if<TDateValue>(&value)) {
            if (date->Day >= FirstFourDigitDay && date->Day <= LastFourDigitDay) {
                p = WriteDate(p, date->Day);
            } else {
                std::string text;
                AppendDate(text, date->Day);
                std::memcpy(p, text.data(), std::min<std::size_t>(text.size(), 20));
                p += std::min<std::size_t>(text.size(), 20);
            }
        }
        *p++ = '"';
    }
    *p++ = '/';
    *p++ = '>';
    out.append(start, static_cast<std::size_t>(p - start));
}

} // namespace

std::string_view FieldTypeName(const TFieldDef& field) {
    if (!field.FileType.empty())
        return field.FileType;
    switch (field.Type) {
    case ctInteger:
        return "i4";
    case ctText:
        return "string";
    case ctBoolean:
        return "boolean";
    case ctDate:
        return "date";
    }
    return "string";
}

TDataPacketWriter::TDataPacketWriter(const std::vector<TFieldDef>& fields,
                                     const std::vector<TChangeEntry>& changeLog, std::string& out)
    : out_(out), prefixes_(RowAttributePrefixes(fields)) {
    out += Declaration;
    out += "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>";
    for (const TFieldDef& field : fields)
        AppendField(out, field);
    out += "</FIELDS>";
    AppendChangeLog(out, changeLog);
    out += "</METADATA><ROWDATA>";
}

void TDataPacketWriter::Row(const TPhysicalRow& row) {
    AppendRow(out_, row, prefixes_, buffer_);
}

void TDataPacketWriter::Finish() {
    out_ += "</ROWDATA></DATAPACKET>";
}

void WriteDataPacket(const TDataPacket& packet, std::string& out) {
    TDataPacketWriter writer(packet.Fields, packet.ChangeLog, out);
    for (const TPhysicalRow& row : packet.Rows)
        writer.Row(row);
    writer.Finish();
}

std::string WriteDataPacket(const TDataPacket& packet) {
    std::string out;
    // A division row takes about 500 bytes; reserving avoids most regrowth.
    out.reserve(1024 + packet.Fields.size() * 64 +
                packet.Rows.size() * (packet.Fields.size() * 20 + 16));
    WriteDataPacket(packet, out);
    return out;
}
