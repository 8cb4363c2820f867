#include "data/table/RowCodec.h"

#include <cstring>

namespace {

// The tags by their names in this file.
constexpr unsigned char tagNull = rtNull, tagInteger = rtInteger, tagText = rtText,
                        tagFalse = rtFalse, tagTrue = rtTrue, tagDate = rtDate;

unsigned char* PutInt32(unsigned char* out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        *out++ = static_cast<unsigned char>(bits >> shift);
    return out;
}

std::int32_t GetInt32(const unsigned char* p) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    return static_cast<std::int32_t>(bits);
}

// Walks the values of a row from its first one.
class TReader {
public:
    explicit TReader(const TStoredRow& row) : p_(row.Data.get()), end_(p_ + row.Size) {}

    bool AtEnd() const { return p_ >= end_; }

    TValue Read() {
        const unsigned char tag = *p_++;
        switch (tag) {
        case tagInteger: {
            const auto value = GetInt32(p_);
            p_ += 4;
            return value;
        }
        case tagDate: {
            const auto day = GetInt32(p_);
            p_ += 4;
            return TDateValue{day};
        }
        case tagText: {
            const size_t length = ReadLength();
            std::string text(reinterpret_cast<const char*>(p_), length);
            p_ += length;
            return text;
        }
        case tagFalse:
            return false;
        case tagTrue:
            return true;
        default:
            return std::monostate{};
        }
    }

    void Skip() {
        const unsigned char tag = *p_++;
        if (tag == tagInteger || tag == tagDate)
            p_ += 4;
        else if (tag == tagText)
            p_ += ReadLength();
    }

private:
    size_t ReadLength() {
        size_t length = 0;
        for (int shift = 0;; shift += 7) {
            const unsigned char byte = *p_++;
            length |= static_cast<size_t>(byte & 0x7F) << shift;
            if ((byte & 0x80) == 0)
                return length;
        }
    }

    const unsigned char* p_;
    const unsigned char* end_;
};

// A text's length, 7 bits a byte, low bits first.
unsigned char* PutLength(unsigned char* out, size_t length) {
    do {
        const auto low = static_cast<unsigned char>(length & 0x7F);
        length >>= 7;
        *out++ = length ? (low | 0x80) : low;
    } while (length);
    return out;
}

// Bytes of a text's length prefix.
size_t LengthBytes(size_t length) {
    size_t bytes = 1;
    while (length >>= 7)
        ++bytes;
    return bytes;
}

} // namespace

// Sized first, then written once: a load encodes every row, and a growing
// buffer plus a copy cost as much as the reading.
TStoredRow EncodeRow(const std::vector<TValue>& values, std::uint8_t status) {
    size_t size = values.size();
    for (const auto& value : values) {
        if (value.index() == 1 || value.index() == 4) {
            size += 4;
        } else if (const auto* text = std::get_if<std::string>(&value)) {
            size += LengthBytes(text->size()) + text->size();
        }
    }
    TStoredRow row;
    row.Size = static_cast<std::uint32_t>(size);
    row.Data.reset(new unsigned char[size]);
    row.Status = status;
    unsigned char* out = row.Data.get();
    for (const auto& value : values) {
        switch (value.index()) {
        case 1:
            *out++ = tagInteger;
            out = PutInt32(out, std::get<std::int32_t>(value));
            break;
        case 2: {
            const auto& text = std::get<std::string>(value);
            *out++ = tagText;
            out = PutLength(out, text.size());
            if (!text.empty())
                std::memcpy(out, text.data(), text.size());
            out += text.size();
            break;
        }
        case 3:
            *out++ = std::get<bool>(value) ? tagTrue : tagFalse;
            break;
        case 4:
            *out++ = tagDate;
            out = PutInt32(out, std::get<TDateValue>(value).Day);
            break;
        default:
            *out++ = tagNull;
            break;
        }
    }
    return row;
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
    TReader reader(row);
    for (size_t c = 0; c < columns; ++c)
        out[c] = reader.AtEnd() ? TValue{} : reader.Read();
}

std::vector<TValue> DecodeRow(const TStoredRow& row, size_t columns) {
    std::vector<TValue> values;
    DecodeRow(row, columns, values);
    return values;
}

TValue DecodeColumn(const TStoredRow& row, size_t column) {
    TReader reader(row);
    for (size_t c = 0; c < column; ++c) {
        if (reader.AtEnd())
            return {};
        reader.Skip();
    }
    return reader.AtEnd() ? TValue{} : reader.Read();
}
