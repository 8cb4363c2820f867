#include "data/file/XmlWriter.h"

#include "data/file/AtomicFile.h"
#include "data/file/Cp1252.h"
#include "data/table/RowCodec.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
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
constexpr std::size_t LongestEscape = 6;

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

// Bytes that end a run of plain bytes: those with an escape, and the
// control bytes below 0x20, the only ones the writer's guard can refuse.
constexpr std::array<bool, 256> MakeRunEnds() {
    std::array<bool, 256> ends{};
    for (int b = 0; b < 256; ++b)
        ends[b] = !Escapes[b].empty() || b < 0x20;
    return ends;
}
constexpr std::array<bool, 256> RunEnds = MakeRunEnds();

// A field's text into the row being written; room for every byte escaped
// was made before.
char* WriteEscaped(char* p, std::string_view text) {
    const char* from = text.data();
    const char* const end = from + text.size();
    while (from != end) {
        // Runs of plain bytes go in one piece.
        const char* run = from;
        while (run != end && !RunEnds[static_cast<unsigned char>(*run)])
            ++run;
        std::memcpy(p, from, static_cast<std::size_t>(run - from));
        p += run - from;
        if (run == end)
            break;
        const std::string_view escape = Escapes[static_cast<unsigned char>(*run)];
        if (escape.empty()) {
            // Asked only here: scanning every text twice cost a save a third
            // of its time.
            CheckWritableText(text); // a control byte would make the file unreadable
            *p++ = *run;
        } else {
            std::memcpy(p, escape.data(), escape.size());
            p += escape.size();
        }
        from = run + 1;
    }
    return p;
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

// Serials of 01.01.0001 and 31.12.9999: the days written as eight digits.
constexpr TDaySerial FirstFourDigitDay = -693593;
constexpr TDaySerial LastFourDigitDay = 2958465;
// Room for any value but a text: an integer, "FALSE", a date of any year.
constexpr std::size_t LongestValue = 20;

// YYYYMMDD of a day of the years 1 to 9999, computed directly.
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

// The texts of the days written lately: a table's dates repeat (a season
// has few match days), and the calendar arithmetic was half a save's time.
class TDateTexts {
public:
    TDateTexts() { serials_.fill(INT32_MIN); }

    char* Write(char* p, TDaySerial day) {
        if (day < FirstFourDigitDay || day > LastFourDigitDay) {
            std::string text;
            AppendDate(text, day);
            const std::size_t length = std::min(text.size(), LongestValue);
            std::memcpy(p, text.data(), length);
            return p + length;
        }
        const std::size_t slot = static_cast<std::uint32_t>(day) % Slots;
        if (serials_[slot] != day) {
            WriteDate(texts_[slot].data(), day);
            serials_[slot] = day;
        }
        std::memcpy(p, texts_[slot].data(), 8);
        return p + 8;
    }

private:
    static constexpr std::size_t Slots = 1024;
    std::array<TDaySerial, Slots> serials_;
    std::array<std::array<char, 8>, Slots> texts_;
};

// Pieces of this size go from the atomic writer straight to the file.
constexpr std::size_t ChunkSize = std::size_t{1} << 20;
// Attribute-name prefixes are copied as one block of this size; the bytes
// beyond a prefix are overwritten by what follows it.
constexpr std::size_t PrefixBlock = 16;

} // namespace

struct TDataFileWriter::TState {
    TSink Sink;
    std::size_t Columns = 0;
    // " name=\"" of every field, end to end, padded for block copies.
    std::string Prefixes;
    std::vector<std::uint32_t> PrefixStart;
    std::vector<std::uint32_t> PrefixLength;
    std::size_t RowBound = 0; // at most a row takes, besides its texts' escapes
    std::unique_ptr<char[]> Chunk;
    std::size_t Capacity = 0;
    std::size_t Used = 0;
    TDateTexts Dates;

    char* Room(std::size_t bytes) {
        if (Used + bytes > Capacity) {
            Flush();
            if (bytes > Capacity) {
                Chunk.reset(new char[bytes]);
                Capacity = bytes;
            }
        }
        return Chunk.get() + Used;
    }
    void Flush() {
        if (Used != 0)
            Sink(std::string_view(Chunk.get(), Used));
        Used = 0;
    }
    void Put(std::string_view bytes) {
        std::memcpy(Room(bytes.size()), bytes.data(), bytes.size());
        Used += bytes.size();
    }
};

namespace {

// One row's attributes, written value by value as VisitRow reads them.
struct TRowText {
    TDataFileWriter::TState& State;
    char* P;
    std::size_t Column = 0;

    void Prefix() {
        const char* from = State.Prefixes.data() + State.PrefixStart[Column];
        const std::uint32_t length = State.PrefixLength[Column];
        std::memcpy(P, from, length <= PrefixBlock ? PrefixBlock : length);
        P += length;
        ++Column;
    }
    void Null() { ++Column; }
    void Integer(std::int32_t value) {
        Prefix();
        P = std::to_chars(P, P + LongestValue, value).ptr;
        *P++ = '"';
    }
    void Date(TDaySerial day) {
        Prefix();
        P = State.Dates.Write(P, day);
        *P++ = '"';
    }
    void Boolean(bool value) {
        Prefix();
        std::memcpy(P, value ? "TRUE\"" : "FALSE\"", value ? 5 : 6);
        P += value ? 5 : 6;
    }
    void Text(std::string_view text) {
        Prefix();
        P = WriteEscaped(P, text);
        *P++ = '"';
    }
};

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

TDataFileWriter::TDataFileWriter(const std::vector<TFieldDef>& fields,
                                 const std::vector<TChangeEntry>& changeLog, TSink sink)
    : state_(std::make_unique<TState>()) {
    TState& s = *state_;
    s.Sink = std::move(sink);
    s.Columns = fields.size();
    s.RowBound = 32; // "<ROW", RowState, "/>"
    for (const TFieldDef& field : fields) {
        s.PrefixStart.push_back(static_cast<std::uint32_t>(s.Prefixes.size()));
        s.Prefixes += ' ';
        AppendEscaped(s.Prefixes, field.Name);
        s.Prefixes += "=\"";
        const std::size_t length = s.Prefixes.size() - s.PrefixStart.back();
        s.PrefixLength.push_back(static_cast<std::uint32_t>(length));
        s.RowBound += std::max(length, PrefixBlock) + LongestValue + 1;
    }
    s.Prefixes.append(PrefixBlock, '\0');
    s.Capacity = ChunkSize + std::max<std::size_t>(ChunkSize / 8, s.RowBound);
    s.Chunk.reset(new char[s.Capacity]);

    std::string head(Declaration);
    head += "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>";
    for (const TFieldDef& field : fields)
        AppendField(head, field);
    head += "</FIELDS>";
    AppendChangeLog(head, changeLog);
    head += "</METADATA><ROWDATA>";
    s.Put(head);
}

TDataFileWriter::~TDataFileWriter() = default;

void TDataFileWriter::Row(const TStoredRow& row) {
    TState& s = *state_;
    char* const start = s.Room(s.RowBound + LongestEscape * row.Size);
    TRowText text{s, start};
    std::memcpy(text.P, "<ROW", 4);
    text.P += 4;
    if (row.Status != 0) {
        std::memcpy(text.P, " RowState=\"", 11);
        text.P = std::to_chars(text.P + 11, text.P + 16, row.Status).ptr;
        *text.P++ = '"';
    }
    VisitRow(row, s.Columns, text);
    *text.P++ = '/';
    *text.P++ = '>';
    s.Used += static_cast<std::size_t>(text.P - start);
    if (s.Used >= ChunkSize)
        s.Flush();
}

void TDataFileWriter::Finish() {
    state_->Put("</ROWDATA></DATAPACKET>");
    state_->Flush();
}

void WriteDataFile(const TRecordTable& table, const TDataFileWriter::TSink& sink) {
    TDataFileWriter writer(table.StoreFields(), table.ChangeLog(), sink);
    table.VisitRowsToSave([&writer](const TStoredRow& row) { writer.Row(row); });
    writer.Finish();
}

void WriteDataFile(const TRecordTable& table, TAtomicWriter& writer) {
    WriteDataFile(table, [&writer](std::string_view bytes) { writer.Write(bytes); });
}

std::string DataFileContent(const TRecordTable& table) {
    std::string out;
    WriteDataFile(table, [&out](std::string_view bytes) { out += bytes; });
    return out;
}

std::string WriteDataPacket(const TDataPacket& packet) {
    std::string out;
    TDataFileWriter writer(packet.Fields, packet.ChangeLog,
                           [&out](std::string_view bytes) { out += bytes; });
    for (const TPhysicalRow& row : packet.Rows)
        writer.Row(EncodeRow(row.Values, row.Status));
    writer.Finish();
    return out;
}
