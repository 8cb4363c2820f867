#include "report/SnapshotFile.h"

#include "data/StaffelError.h"
#include "data/file/AtomicFile.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>

// Layout (little-endian): magic "SPPAGES\x1A", u16 format version, title,
// u32 page count, pages, u32 CRC-32 of everything before it.
// Page: f64 width, f64 height, i32 paper size, u32 item count, items.
// Item: u8 kind, f64 left, top, width, height, text, face, i32 size, u8 bold,
// u8 justify, i32 line width, u8 line style, u8 fill style, 3 x u8 colour.
// Texts: u32 length, bytes.

namespace {

constexpr std::array<char, 8> kMagic = {'S', 'P', 'P', 'A', 'G', 'E', 'S', '\x1A'};
constexpr std::uint16_t kVersion = 1;
constexpr std::size_t kMaxPages = 9999;
// Far above any real fixture list; keeps a wrong choice of file from filling memory.
constexpr std::size_t kMaxFileBytes = 64u << 20;
constexpr std::size_t kMinItemBytes = 1 + 4 * 8 + 4 + 4 + 4 + 1 + 1 + 4 + 1 + 1 + 3;
constexpr std::size_t kMinPageBytes = 8 + 8 + 4 + 4;

std::uint32_t Crc32(std::string_view bytes) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes)
        crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

class TWriter {
public:
    void U8(std::uint8_t v) { out_.push_back(static_cast<char>(v)); }
    void U16(std::uint16_t v) { Bytes(v, 2); }
    void U32(std::uint32_t v) { Bytes(v, 4); }
    void I32(std::int32_t v) { Bytes(static_cast<std::uint32_t>(v), 4); }
    void F64(double v) { Bytes(std::bit_cast<std::uint64_t>(v), 8); }
    void Text(std::string_view s) {
        U32(static_cast<std::uint32_t>(s.size()));
        out_.append(s);
    }
    void Raw(std::string_view s) { out_.append(s); }
    std::string& Out() { return out_; }

private:
    void Bytes(std::uint64_t v, int count) {
        for (int i = 0; i < count; ++i)
            out_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    std::string out_;
};

[[noreturn]] void Fail(const std::string& why) {
    throw TStaffelError("The page-snapshot file is damaged: " + why + ".");
}

class TReader {
public:
    explicit TReader(std::string_view in) : in_(in) {}
    std::size_t Left() const { return in_.size() - pos_; }
    std::uint8_t U8() { return static_cast<std::uint8_t>(Bytes(1)); }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Bytes(2)); }
    std::uint32_t U32() { return static_cast<std::uint32_t>(Bytes(4)); }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    double F64() { return std::bit_cast<double>(Bytes(8)); }
    std::string Text(std::size_t maxLength) {
        const std::uint32_t length = U32();
        if (length > maxLength)
            Fail("a text is too long");
        Need(length);
        std::string s(in_.substr(pos_, length));
        pos_ += length;
        return s;
    }
    void Need(std::size_t count) const {
        if (count > Left())
            throw TStaffelError("The page-snapshot file is truncated.");
    }

private:
    std::uint64_t Bytes(int count) {
        Need(static_cast<std::size_t>(count));
        std::uint64_t v = 0;
        for (int i = 0; i < count; ++i)
            v |= static_cast<std::uint64_t>(static_cast<unsigned char>(in_[pos_ + i])) << (8 * i);
        pos_ += static_cast<std::size_t>(count);
        return v;
    }
    std::string_view in_;
    std::size_t pos_ = 0;
};

// Positions and sizes stay on or near the sheet, so painting them is safe.
double Coordinate(TReader& in) {
    const double v = in.F64();
    if (!std::isfinite(v) || v < -100.0 || v > 100.0)
        Fail("a position or size is out of range");
    return v;
}

template <typename E> E Enum(TReader& in, int count) {
    const std::uint8_t v = in.U8();
    if (v >= count)
        Fail("an unknown item property");
    return static_cast<E>(v);
}

void WriteItem(TWriter& out, const TPageItem& item) {
    out.U8(item.Kind);
    out.F64(item.Left);
    out.F64(item.Top);
    out.F64(item.Width);
    out.F64(item.Height);
    out.Text(item.Text);
    out.Text(item.Font.Face);
    out.I32(item.Font.Size);
    out.U8(item.Font.Bold ? 1 : 0);
    out.U8(item.Justify);
    out.I32(item.LineWidth);
    out.U8(item.LineStyle);
    out.U8(item.FillStyle);
    out.U8(item.FillColor.Red);
    out.U8(item.FillColor.Green);
    out.U8(item.FillColor.Blue);
}

TPageItem ReadItem(TReader& in) {
    TPageItem item;
    item.Kind = Enum<TPageItemKind>(in, 4);
    item.Left = Coordinate(in);
    item.Top = Coordinate(in);
    item.Width = Coordinate(in);
    item.Height = Coordinate(in);
    item.Text = in.Text(1024);
    item.Font.Face = in.Text(64);
    item.Font.Size = in.I32();
    if (item.Font.Size < 1 || item.Font.Size > 200)
        Fail("a font size is out of range");
    const std::uint8_t bold = in.U8();
    if (bold > 1)
        Fail("an unknown item property");
    item.Font.Bold = bold == 1;
    item.Justify = Enum<TFontJustify>(in, 3);
    item.LineWidth = in.I32();
    if (item.LineWidth < 0 || item.LineWidth > 100)
        Fail("a line width is out of range");
    item.LineStyle = Enum<TLineStyle>(in, 2);
    item.FillStyle = Enum<TFillStyle>(in, 2);
    item.FillColor.Red = in.U8();
    item.FillColor.Green = in.U8();
    item.FillColor.Blue = in.U8();
    return item;
}

} // namespace

std::string EncodeSnapshot(const TReportPages& pages) {
    TWriter out;
    out.Raw(std::string_view(kMagic.data(), kMagic.size()));
    out.U16(kVersion);
    out.Text(pages.Title);
    out.U32(static_cast<std::uint32_t>(pages.Pages.size()));
    for (const TReportPage& page : pages.Pages) {
        out.F64(page.Width);
        out.F64(page.Height);
        out.I32(page.PaperSize);
        out.U32(static_cast<std::uint32_t>(page.Items.size()));
        for (const TPageItem& item : page.Items)
            WriteItem(out, item);
    }
    out.U32(Crc32(out.Out()));
    return std::move(out.Out());
}

TReportPages DecodeSnapshot(std::string_view bytes) {
    if (bytes.size() < kMagic.size() ||
        bytes.substr(0, kMagic.size()) != std::string_view(kMagic.data(), kMagic.size()))
        throw TStaffelError("The file is not a page-snapshot file.");
    TReader in(bytes.substr(kMagic.size()));
    const std::uint16_t version = in.U16();
    if (version != kVersion)
        throw TStaffelError("The page-snapshot file has format version " + std::to_string(version) +
                            "; this program reads version " + std::to_string(kVersion) + ".");
    if (bytes.size() < kMagic.size() + 2 + 4 + 4 + 4)
        throw TStaffelError("The page-snapshot file is truncated.");
    const std::string_view body = bytes.substr(0, bytes.size() - 4);
    TReader crcReader(bytes.substr(bytes.size() - 4));
    if (crcReader.U32() != Crc32(body))
        throw TStaffelError("The page-snapshot file is truncated or damaged (checksum mismatch).");

    TReader reader(body.substr(kMagic.size() + 2));
    TReportPages pages;
    pages.Title = reader.Text(1024);
    const std::uint32_t pageCount = reader.U32();
    if (pageCount > kMaxPages || pageCount > reader.Left() / kMinPageBytes)
        Fail("the page count is out of range");
    for (std::uint32_t p = 0; p < pageCount; ++p) {
        TReportPage page;
        page.Width = Coordinate(reader);
        page.Height = Coordinate(reader);
        if (page.Width <= 0 || page.Height <= 0)
            Fail("a page has no size");
        page.PaperSize = reader.I32();
        const std::uint32_t itemCount = reader.U32();
        if (itemCount > reader.Left() / kMinItemBytes)
            Fail("the item count is out of range");
        page.Items.reserve(itemCount);
        for (std::uint32_t i = 0; i < itemCount; ++i)
            page.Items.push_back(ReadItem(reader));
        pages.Pages.push_back(std::move(page));
    }
    if (reader.Left() != 0)
        Fail("unexpected bytes after the last page");
    return pages;
}

void WriteSnapshotFile(const std::string& fileName, const TReportPages& pages) {
    WriteFileAtomically(fileName, EncodeSnapshot(pages));
}

// A FIFO or device under the name fails at once instead of blocking.
TReportPages ReadSnapshotFile(const std::string& fileName) {
    if (const auto state = FileStateOf(fileName); state && state->Size > kMaxFileBytes)
        throw TStaffelError("\"" + FullPath(fileName) +
                            "\": The file is too large to be a page-snapshot file.");
    const TFileBytes content = ReadFileBytes(fileName);
    try {
        return DecodeSnapshot(content.View());
    } catch (const TStaffelError& e) {
        throw TStaffelError("\"" + FullPath(fileName) + "\": " + e.what());
    }
}
