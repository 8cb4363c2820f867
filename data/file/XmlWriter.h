#pragma once
// The data file's text, byte for byte, written straight from the table's
// stored rows: one pass over each row's bytes into a chunk that goes to a
// sink (the atomic writer's temporary file, or a string) when it is full.
// A large table is made in blocks on several threads, written in order.
#include "data/table/RecordTable.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TDataFileWriter {
public:
    using TSink = std::function<void(std::string_view)>;

    // Starts with the head: declaration, fields and change log.
    TDataFileWriter(const std::vector<TFieldDef>& fields,
                    const std::vector<TChangeEntry>& changeLog, TSink sink);
    ~TDataFileWriter();
    TDataFileWriter(const TDataFileWriter&) = delete;
    TDataFileWriter& operator=(const TDataFileWriter&) = delete;

    void Row(const TStoredRow& row);
    // Every row a save of the table writes.
    void Rows(const TRecordTable& table);
    // The end tags; everything written is then in the sink.
    void Finish();

    struct TState;

private:
    // False when no worker thread could be started; nothing was written then.
    bool RowsInBlocks(const TRecordTable& table, std::size_t rows, std::size_t workers);
    std::unique_ptr<TState> state_;
};

// A table's whole file (every physical row when the change log has
// entries, else the visible rows in the default order).
void WriteDataFile(const TRecordTable& table, const TDataFileWriter::TSink& sink);
std::string DataFileContent(const TRecordTable& table);
// The same into the atomic writer of the file; committing it is the caller's.
class TAtomicWriter;
void WriteDataFile(const TRecordTable& table, TAtomicWriter& writer);

// The file of a packet in the wide value form.
std::string WriteDataPacket(const TDataPacket& packet);

// The file's type name of a field ("i4", "string", ...).
std::string_view FieldTypeName(const TFieldDef& field);
