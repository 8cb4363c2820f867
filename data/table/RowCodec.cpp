#include "data/table/RowCodec.h"

#include <cstring>

namespace {

// The values of a row as TValues, for a row's decoded form.
struct TValueCollector {
    std::vector<TValue>& Out;
    size_t Next = 0;
    void Null() { Out[Next++] = std::monostate{}; }
    void Integer(std::int32_t value) { Out[Next++] = value; }
    void Date(std::int32_t day) { Out[Next++] = TDateValue{day}; }
    void Boolean(bool value) { Out[Next++] = value; }
    void Text(std::string_view text) {
        // Assigned in place, so a reused row keeps its text buffers.
        if (auto* held = std::get_if<std::string>(&Out[Next]))
            held->assign(text);
        else
            Out[Next].emplace<std::string>(text);
        ++Next;
    }
};

} // namespace

// The stored form has one writer, TRowWriter, and one reader, VisitRow.
TStoredRow EncodeRow(const std::vector<TValue>& values, std::uint8_t status) {
    TRowWriter writer;
    for (const auto& value : values) {
        switch (value.index()) {
        case 1:
            writer.Integer(std::get<std::int32_t>(value));
            break;
        case 2:
            writer.Text(std::get<std::string>(value));
            break;
        case 3:
            writer.Boolean(std::get<bool>(value));
            break;
        case 4:
            writer.Date(std::get<TDateValue>(value).Day);
            break;
        default:
            writer.Null();
            break;
        }
    }
    return writer.Finish(status);
}

TStoredRow TRowWriter::Finish(std::uint8_t status) {
    TStoredRow row;
    row.Size = static_cast<std::uint32_t>(size_);
    row.Data.reset(new unsigned char[size_]);
    if (size_ != 0)
        std::memcpy(row.Data.get(), bytes_.data(), size_);
    row.Status = status;
    size_ = 0;
    return row;
}

void DecodeRow(const TStoredRow& row, size_t columns, std::vector<TValue>& out) {
    out.resize(columns);
    VisitRow(row, columns, TValueCollector{out});
}

std::vector<TValue> DecodeRow(const TStoredRow& row, size_t columns) {
    std::vector<TValue> values;
    DecodeRow(row, columns, values);
    return values;
}

TValue DecodeColumn(const TStoredRow& row, size_t column) {
    // Only the wanted value is made; the ones before it are passed over.
    struct TOne {
        size_t Wanted;
        size_t Next = 0;
        TValue Value;
        void Take(TValue value) {
            if (Next++ == Wanted)
                Value = std::move(value);
        }
        void Null() { ++Next; }
        void Integer(std::int32_t value) { Take(value); }
        void Date(std::int32_t day) { Take(TDateValue{day}); }
        void Boolean(bool value) { Take(value); }
        void Text(std::string_view text) {
            if (Next == Wanted)
                Value = std::string(text);
            ++Next;
        }
    } one{column, 0, {}};
    VisitRow(row, column + 1, one);
    return std::move(one.Value);
}

TStoredRow CopyRow(const TStoredRow& row) {
    TStoredRow copy;
    copy.Size = row.Size;
    copy.Status = row.Status;
    copy.Data.reset(new unsigned char[row.Size]);
    if (row.Size != 0)
        std::memcpy(copy.Data.get(), row.Data.get(), row.Size);
    return copy;
}
