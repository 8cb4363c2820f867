// Any bytes as a data file: the reader either accepts them, and what it then
// writes reads back to the same text, or rejects them with one of its
// messages and leaves the table closed.
#include "data/Records.h"
#include "data/StaffelError.h"
#include "data/file/XmlReader.h"
#include "data/file/XmlWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool IsReaderMessage(const std::string& message) {
    return message == MismatchInDatapacket || message == InvalidFieldType ||
           message == NoMetaData || message == "t: Fehlender Daten-Provider oder Datenpaket";
}

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    TRecordTable table("t");
    DefineFields(table, SpieltageRecordFields());
    table.CreateEmpty();
    try {
        LoadTableFromContent(table, bytes);
    } catch (const TStaffelError& error) {
        Check(table.State() == tsInactive, "a rejected file left the table open");
        Check(IsReaderMessage(error.what()) || std::string(error.what()) == "Key violation.",
              "unexpected message");
        return 0;
    }
    Check(table.State() == tsBrowse, "an accepted file left the table closed");

    const std::string written = WriteDataPacket(ReadDataPacket(bytes));
    std::string again;
    try {
        again = WriteDataPacket(ReadDataPacket(written));
    } catch (const TStaffelError&) {
        Check(false, "the written file does not read back");
    }
    Check(again == written, "the written file reads back differently");

    // The table's own save of what it loaded must be readable too.
    const std::string saved = WriteDataPacket(table.PacketForSave());
    try {
        ReadDataPacket(saved);
    } catch (const TStaffelError&) {
        Check(false, "the table's save does not read back");
    }
    return 0;
}
