// One tag byte per value, then its payload: 4 bytes for an integer or a day,
// a length (7 bits a byte) and the bytes for a text; booleans live in the tag.
#include "data/RowCodec.h"

#include <cstring>

namespace {

enum : unsigned char { tagNull, tagInteger, tagText, tagFalse, tagTrue, tagDate };

void PutInt32(std::vector<unsigned char>& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<unsigned char>(bits >> shift));
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

} // namespace

TStoredRow EncodeRow(const std::vector<TValue>& values, std::uint8_t status) {
    std::vector<unsigned char> bytes;
    bytes.reserve(values.size() * 4);
    for (const auto& value : values) {
        switch (value.index()) {
        case 1:
            bytes.push_back(tagInteger);
            PutInt32(bytes, std::get<std::int32_t>(value));
            break;
        case 2: {
            const auto& text = std::get<std::string>(value);
            bytes.push_back(tagText);
            size_t length = text.size();
            do {
                const auto low = static_cast<unsigned char>(length & 0x7F);
                length >>= 7;
                bytes.push_back(length ? (low | 0x80) : low);
            } while (length);
            bytes.insert(bytes.end(), text.begin(), text.end());
            break;
        }
        case 3:
            bytes.push_back(std::get<bool>(value) ? tagTrue : tagFalse);
            break;
        case 4:
            bytes.push_back(tagDate);
            PutInt32(bytes, std::get<TDateValue>(value).Day);
            break;
        default:
            bytes.push_back(tagNull);
            break;
        }
    }
    TStoredRow row;
    row.Size = static_cast<std::uint32_t>(bytes.size());
    row.Data.reset(new unsigned char[bytes.size()]);
    if (!bytes.empty())
        std::memcpy(row.Data.get(), bytes.data(), bytes.size());
    row.Status = status;
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
