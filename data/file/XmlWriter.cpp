#include "data/file/XmlWriter.h"

#include "data/file/AtomicFile.h"
#include "data/file/Cp1252.h"
#include "data/file/FieldTypes.h"
#include "data/file/OrderedBlocks.h"
#include "data/table/RowCodec.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cstring>
#include <thread>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// The run ends above 0x1F, for the vector scan; held to the table above.
constexpr std::array<char, 6> PrintableRunEnds = {'<', '>', '&', '\'', '"', '\\'};
constexpr bool SameRunEnds() {
    for (int b = 0x20; b < 256; ++b) {
        bool listed = false;
        for (const char c : PrintableRunEnds)
            listed = listed || static_cast<unsigned char>(c) == b;
        if (listed != RunEnds[b])
            return false;
    }
    return true;
}
static_assert(SameRunEnds());

// Where the run of plain bytes from `from` ends: sixteen bytes a step where
// the processor allows, the byte scan was a save's hottest loop.
const char* PlainRunEnd(const char* from, const char* end) {
#ifdef __SSE2__
    const __m128i below20 = _mm_set1_epi8(0x1F);
    while (end - from >= 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
        __m128i hit = _mm_cmpeq_epi8(_mm_min_epu8(x, below20), x); // x <= 0x1F
        for (const char c : PrintableRunEnds)
            hit = _mm_or_si128(hit, _mm_cmpeq_epi8(x, _mm_set1_epi8(c)));
        if (const int mask = _mm_movemask_epi8(hit); mask != 0)
            return from + __builtin_ctz(static_cast<unsigned>(mask));
        from += 16;
    }
#endif
    while (from != end && !RunEnds[static_cast<unsigned char>(*from)])
        ++from;
    return from;
}

// A field's text into the row being written; room for every byte escaped
// was made before.
char* WriteEscaped(char* p, std::string_view text) {
    const char* from = text.data();
    const char* const end = from + text.size();
    while (from != end) {
        // Runs of plain bytes go in one piece.
        const char* run = PlainRunEnd(from, end);
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

// Room for any value but a text: an integer, "FALSE", a date of any year.
constexpr std::size_t LongestValue = 20;

// YYYYMMDD of a day of the years 1 to 9999.
char* WriteDate(char* p, TDaySerial serial) {
    const TCivilDate date = CivilOfSerial(serial);
    const auto year = static_cast<unsigned>(date.Year);
    const unsigned month = date.Month;
    const unsigned day = date.Day;
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
        if (day < FirstDaySerial || day > LastDaySerial) {
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
    TSink Sink; // none: the rows of a block collect in the chunk, which grows
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
            if (Sink) {
                Flush();
                if (bytes > Capacity) {
                    Chunk.reset(new char[bytes]);
                    Capacity = bytes;
                }
            } else {
                Grow(Used + bytes);
            }
        }
        return Chunk.get() + Used;
    }
    void Grow(std::size_t needed) {
        const std::size_t capacity = std::max(needed, 2 * Capacity);
        std::unique_ptr<char[]> grown(new char[capacity]);
        std::memcpy(grown.get(), Chunk.get(), Used);
        Chunk = std::move(grown);
        Capacity = capacity;
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
    // The same fields, own chunk and no sink: for a block of rows made on a
    // worker thread.
    std::unique_ptr<TState> ForBlock() const {
        auto block = std::make_unique<TState>();
        block->Columns = Columns;
        block->Prefixes = Prefixes;
        block->PrefixStart = PrefixStart;
        block->PrefixLength = PrefixLength;
        block->RowBound = RowBound;
        block->Capacity = Capacity;
        block->Chunk.reset(new char[Capacity]);
        return block;
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
        if (length <= PrefixBlock)
            std::memcpy(P, from, PrefixBlock); // one move, no call
        else
            std::memcpy(P, from, length);
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
    for (const TFieldTypeName& own : OwnFieldTypes)
        if (own.Type == field.Type)
            return own.Name;
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

namespace {

void WriteRow(TDataFileWriter::TState& s, const TStoredRow& row) {
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
}

// A block's rows make about one chunk of the file; a table of fewer than
// ParallelFrom rows is written on the calling thread alone.
constexpr std::size_t BlockRows = 2048;
constexpr std::size_t ParallelFrom = 4 * BlockRows;

std::size_t BlockWorkers() {
    return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 2, 4);
}

} // namespace

void TDataFileWriter::Row(const TStoredRow& row) {
    WriteRow(*state_, row);
    if (state_->Used >= ChunkSize)
        state_->Flush();
}

// A large table's rows are made in blocks on worker threads and go to the
// sink in file order, so that the making overlaps the writing.
void TDataFileWriter::Rows(const TRecordTable& table) {
    const std::size_t rows = table.RowsToSaveCount();
    if (rows < ParallelFrom || !RowsInBlocks(table, rows, BlockWorkers()))
        table.VisitRowsToSave(0, rows, [this](const TStoredRow& row) { Row(row); });
}

bool TDataFileWriter::RowsInBlocks(const TRecordTable& table, std::size_t rows,
                                   std::size_t workers) {
    TState& s = *state_;
    s.Flush();
    std::vector<std::unique_ptr<TState>> slots;
    for (std::size_t i = 0; i < 2 * workers; ++i)
        slots.push_back(s.ForBlock());
    return MakeInOrder(
        (rows + BlockRows - 1) / BlockRows, workers, slots.size(),
        [&](std::size_t slot, std::size_t block) {
            TState& made = *slots[slot];
            made.Used = 0;
            table.VisitRowsToSave(block * BlockRows, std::min(rows, (block + 1) * BlockRows),
                                  [&made](const TStoredRow& row) { WriteRow(made, row); });
        },
        [&](std::size_t slot) {
            s.Sink(std::string_view(slots[slot]->Chunk.get(), slots[slot]->Used));
        });
}

void TDataFileWriter::Finish() {
    state_->Put("</ROWDATA></DATAPACKET>");
    state_->Flush();
}

void WriteDataFile(const TRecordTable& table, const TDataFileWriter::TSink& sink) {
    TDataFileWriter writer(table.StoreFields(), table.ChangeLog(), sink);
    writer.Rows(table);
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
