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
        // The reader's own rejections say where in the text they were found.
        if (const auto* fault = dynamic_cast<const TDataFileError*>(&error)) {
            const TTextPosition& where = fault->Where();
            Check(where.Line >= 1 && where.Column >= 1 &&
                      static_cast<std::size_t>(where.Line) <= size + 1 &&
                      static_cast<std::size_t>(where.Column) <= size + 1,
                  "a fault outside the text");
        } else {
            Check(error.what() != std::string(MismatchInDatapacket) &&
                      error.what() != std::string(InvalidFieldType) &&
                      error.what() != std::string(NoMetaData),
                  "a reader's message without its place");
        }
        return 0;
    }
    Check(table.State() == tsBrowse, "an accepted file left the table closed");

    // A text holding a control byte loads, but the writer refuses it rather
    // than write a file that is no XML.
    const auto refused = [](const TStaffelError& error) {
        return std::string(error.what()).find("kann in den Staffeldaten nicht gespeichert") !=
               std::string::npos;
    };
    std::string written;
    try {
        written = WriteDataPacket(ReadDataPacket(bytes));
    } catch (const TStaffelError& error) {
        Check(refused(error), "the writer fails with an unexpected message");
    }
    if (!written.empty()) {
        std::string again;
        try {
            again = WriteDataPacket(ReadDataPacket(written));
        } catch (const TStaffelError&) {
            Check(false, "the written file does not read back");
        }
        Check(again == written, "the written file reads back differently");
    }

    // The table's own save of what it loaded must be readable too.
    std::string saved;
    try {
        saved = DataFileContent(table);
    } catch (const TStaffelError& error) {
        Check(refused(error), "the table's save fails with an unexpected message");
        return 0;
    }
    try {
        ReadDataPacket(saved);
    } catch (const TStaffelError&) {
        Check(false, "the table's save does not read back");
    }
    return 0;
}
