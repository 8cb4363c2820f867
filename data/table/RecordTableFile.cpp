// Loading and saving a table as its data file.
#include "data/file/AtomicFile.h"
#include "data/table/RecordTable.h"
#include "data/table/RecordTableImpl.h"
#include "data/StaffelError.h"
#include "data/file/XmlReader.h"
#include "data/file/XmlWriter.h"

namespace {

// Rows go into the table as they are read, so a load never holds all rows
// in their wide form.
class TTableSink : public TPacketSink {
public:
    explicit TTableSink(TRecordTable& table) : table_(table) {}
    void Begin(const std::vector<TFieldDef>& fields) override { table_.BeginPacket(fields); }
    void Row(const std::vector<TValue>& values, std::uint8_t status) override {
        table_.AddPacketRow(values, status);
    }
    bool TakesStoredRows() const override { return true; }
    void StoredRow(TStoredRow row) override { table_.AddStoredRow(std::move(row)); }
    void End(std::vector<TChangeEntry> changeLog, std::vector<int> keyFields,
             bool uniqueKey) override {
        table_.EndPacket(std::move(changeLog), std::move(keyFields), uniqueKey);
    }

private:
    TRecordTable& table_;
};

} // namespace

void LoadTableFromContent(TRecordTable& table, std::string_view content) {
    table.Close();
    if (content.empty())
        throw TStaffelError(table.NamedMessage("Fehlender Daten-Provider oder Datenpaket"));
    TTableSink sink(table);
    try {
        ReadDataPacket(content, sink);
    } catch (...) {
        table.Close(); // a reader failing after the rows began leaves the table closed
        throw;
    }
}

void TRecordTable::Load(const std::string& fileName) {
    Close();
    const TFileBytes content = ReadFileBytes(fileName);
    LoadTableFromContent(*this, content.View());
}

// Rows come one at a time, so a save never holds all rows in their wide form.
std::string DataFileContent(const TRecordTable& table) {
    const std::vector<TFieldDef>& fields = table.StoreFields();
    const std::vector<TChangeEntry>& changeLog = table.ChangeLog();
    // About 20 bytes a value; every logged change is a physical row.
    const std::size_t rows = changeLog.size() + static_cast<std::size_t>(table.DisplayCount());
    std::string out;
    out.reserve(1024 + fields.size() * 64 + rows * (fields.size() * 20 + 16));
    TDataPacketWriter writer(fields, changeLog, out);
    table.VisitRowsForSave([&writer](const TPhysicalRow& row) { writer.Row(row); });
    writer.Finish();
    return out;
}

void WriteDataFile(const TRecordTable& table, TAtomicWriter& writer) {
    writer.Write(DataFileContent(table));
}

// Every name gets the XML form; the program saves under no other.
void TRecordTable::Save(const std::string& fileName) {
    if (!Active())
        return;
    FinishEdit();
    TAtomicWriter writer(fileName);
    WriteDataFile(*this, writer);
    writer.Commit();
}

const std::vector<TFieldDef>& TRecordTable::StoreFields() const {
    return impl_->Columns;
}
