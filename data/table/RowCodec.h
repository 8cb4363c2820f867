#pragma once
// Stored rows are kept as one compact byte string each; a table of 100 000
// rows must stay well below three times its data file in memory.
#include "data/table/RecordTable.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

struct TStoredRow {
    std::unique_ptr<unsigned char[]> Data;
    std::uint32_t Size = 0;
    std::uint8_t Status = 0; // TRowStatus bits
};

TStoredRow EncodeRow(const std::vector<TValue>& values, std::uint8_t status);
// Fills `out` with `columns` values (empty ones beyond what the row holds).
void DecodeRow(const TStoredRow& row, size_t columns, std::vector<TValue>& out);
std::vector<TValue> DecodeRow(const TStoredRow& row, size_t columns);
TValue DecodeColumn(const TStoredRow& row, size_t column);
TStoredRow CopyRow(const TStoredRow& row);

// One tag byte per value, then its payload: 4 bytes (low first) for an
// integer or a day, a length (7 bits a byte) and the bytes for a text;
// booleans live in the tag.
enum TRowTag : unsigned char { rtNull, rtInteger, rtText, rtFalse, rtTrue, rtDate };

// Writes a row value by value in column order, the same bytes EncodeRow
// makes; a reader uses it to skip building a TValue for every value read.
// Inline and with its buffer kept between rows: it runs for every value of
// a large file.
class TRowWriter {
public:
    void Null() { *Room(1) = rtNull; }
    void Integer(std::int32_t value) { Tagged(rtInteger, value); }
    void Date(std::int32_t day) { Tagged(rtDate, day); }
    void Boolean(bool value) { *Room(1) = value ? rtTrue : rtFalse; }
    void Text(std::string_view text) {
        size_t lengthBytes = 1;
        for (size_t rest = text.size() >> 7; rest != 0; rest >>= 7)
            ++lengthBytes;
        unsigned char* out = Room(1 + lengthBytes + text.size());
        *out++ = rtText;
        size_t length = text.size();
        do {
            const auto low = static_cast<unsigned char>(length & 0x7F);
            length >>= 7;
            *out++ = length ? (low | 0x80) : low;
        } while (length);
        if (!text.empty())
            std::memcpy(out, text.data(), text.size());
    }
    // The row written since the last Finish.
    TStoredRow Finish(std::uint8_t status);

private:
    unsigned char* Room(size_t bytes) {
        if (bytes_.size() - size_ < bytes)
            bytes_.resize(std::max(bytes_.size() * 2, size_ + bytes));
        unsigned char* at = bytes_.data() + size_;
        size_ += bytes;
        return at;
    }
    void Tagged(TRowTag tag, std::int32_t value) {
        unsigned char* out = Room(5);
        out[0] = tag;
        const auto bits = static_cast<std::uint32_t>(value);
        for (int i = 0; i < 4; ++i)
            out[1 + i] = static_cast<unsigned char>(bits >> (8 * i));
    }

    std::vector<unsigned char> bytes_; // only grows; size_ bytes are the row
    size_t size_ = 0;
};

// Reads a row value by value in column order, the reading half of
// TRowWriter: calls the visitor's Null, Integer, Text, Boolean or Date for
// each of `columns` values (empty ones beyond what the row holds). Inline:
// a save runs it for every value of the table.
template <class TVisitor> void VisitRow(const TStoredRow& row, size_t columns, TVisitor&& visitor) {
    const unsigned char* p = row.Data.get();
    const unsigned char* const end = p + row.Size;
    const auto int32At = [](const unsigned char* at) {
        std::uint32_t bits = 0;
        for (int i = 0; i < 4; ++i)
            bits |= static_cast<std::uint32_t>(at[i]) << (8 * i);
        return static_cast<std::int32_t>(bits);
    };
    for (size_t c = 0; c < columns; ++c) {
        if (p >= end) {
            visitor.Null();
            continue;
        }
        switch (*p++) {
        case rtInteger:
            visitor.Integer(int32At(p));
            p += 4;
            break;
        case rtDate:
            visitor.Date(int32At(p));
            p += 4;
            break;
        case rtText: {
            size_t length = 0;
            for (int shift = 0;; shift += 7) {
                const unsigned char byte = *p++;
                length |= static_cast<size_t>(byte & 0x7F) << shift;
                if ((byte & 0x80) == 0)
                    break;
            }
            visitor.Text(std::string_view(reinterpret_cast<const char*>(p), length));
            p += length;
            break;
        }
        case rtFalse:
            visitor.Boolean(false);
            break;
        case rtTrue:
            visitor.Boolean(true);
            break;
        default:
            visitor.Null();
            break;
        }
    }
}
