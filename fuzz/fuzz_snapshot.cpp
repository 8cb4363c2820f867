// Page-snapshot reader: any bytes give pages or a TStaffelError, and what it
// accepts survives a write and a second read unchanged.
#include "data/StaffelError.h"
#include "report/SnapshotFile.h"

#include <cstdint>
#include <string>

namespace {

// The reader checks a trailing CRC-32 first; mutated inputs get a second try
// with a matching checksum so the fuzzer reaches the item decoder.
std::uint32_t Crc32(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
}

void Check(std::string_view bytes) {
    try {
        const TReportPages pages = DecodeSnapshot(bytes);
        if (DecodeSnapshot(EncodeSnapshot(pages)) != pages)
            __builtin_trap();
    } catch (const TStaffelError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Check(bytes);
    if (size >= 4) {
        std::string fixed(bytes.substr(0, size - 4));
        const std::uint32_t crc = Crc32(fixed);
        for (int i = 0; i < 4; ++i)
            fixed.push_back(static_cast<char>((crc >> (8 * i)) & 0xFF));
        Check(fixed);
    }
    return 0;
}
