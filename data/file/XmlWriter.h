#pragma once
// The data file's text, byte for byte, from the table's packet.
#include "data/table/RecordTable.h"

#include <string>

// Writes the file piece by piece: the head with fields and change log at
// construction, then each row, then Finish.
class TDataPacketWriter {
public:
    TDataPacketWriter(const std::vector<TFieldDef>& fields,
                      const std::vector<TChangeEntry>& changeLog, std::string& out);
    void Row(const TPhysicalRow& row);
    void Finish();

private:
    std::string& out_;
    std::vector<std::string> prefixes_; // " name=\"" per field
    std::string buffer_;                // one row at a time
};

std::string WriteDataPacket(const TDataPacket& packet);

// The whole data file of a table, produced before the file is touched.
std::string DataFileContent(const TRecordTable& table);
// The table's data file into a writer; committing it is the caller's.
class TAtomicWriter;
void WriteDataFile(const TRecordTable& table, TAtomicWriter& writer);
void WriteDataPacket(const TDataPacket& packet, std::string& out);

// The file's type name of a field ("i4", "string", ...).
std::string_view FieldTypeName(const TFieldDef& field);
