#pragma once
// Reads a data file's bytes into a packet. A file the reader cannot accept
// fails with one of the three messages below.
#include "data/table/RecordTable.h"
#include "data/table/RowCodec.h"

#include <string_view>

inline constexpr std::string_view MismatchInDatapacket = "Mismatch in datapacket.";
inline constexpr std::string_view InvalidFieldType = "Invalid field type.";
inline constexpr std::string_view NoMetaData = "Datapacket contains no meta data.";

TDataPacket ReadDataPacket(std::string_view bytes);

// The same, handing the content over as it is read: the fields once the
// metadata is read, every row as it comes (the values are reused for the
// next row), then the change log and key. Nothing comes after a failure.
class TPacketSink {
public:
    virtual ~TPacketSink() = default;
    virtual void Begin(const std::vector<TFieldDef>& fields) = 0;
    virtual void Row(const std::vector<TValue>& values, std::uint8_t status) = 0;
    // A sink that keeps rows in their stored form may take them so instead
    // of Row: converting every value into a TValue first costs a large
    // file's load a good part of its time.
    virtual bool TakesStoredRows() const { return false; }
    virtual void StoredRow(TStoredRow /*row*/) {}
    virtual void End(std::vector<TChangeEntry> changeLog, std::vector<int> keyFields,
                     bool uniqueKey) = 0;
};
void ReadDataPacket(std::string_view bytes, TPacketSink& sink);

// Load's work once the file's bytes are read: closes the table, reads the
// content and opens the table on it. A table that fails stays closed.
void LoadTableFromContent(TRecordTable& table, std::string_view content);
