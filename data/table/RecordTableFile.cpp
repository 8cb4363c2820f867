// Loading and saving a table as its data file.
#include "data/StaffelError.h"
#include "data/file/AtomicFile.h"
#include "data/file/XmlReader.h"
#include "data/file/XmlWriter.h"
#include "data/table/RecordTable.h"
#include "data/table/RecordTableImpl.h"
#include "data/table/TableContent.h"

// The reader builds the whole content in its own object; the table takes
// it over only once the file was read to its end.
void LoadTableFromContent(TRecordTable& table, std::string_view content) {
    table.Close();
    if (content.empty())
        throw TStaffelError(table.NamedMessage("Fehlender Daten-Provider oder Datenpaket"));
    table.OpenOnContent(ReadDataFile(
        content, [&table](const std::vector<TFieldDef>& columns) { table.CheckColumns(columns); }));
}

void TRecordTable::Load(const std::string& fileName) {
    Close();
    const TFileBytes content = ReadFileBytes(fileName);
    LoadTableFromContent(*this, content.View());
}

// Every name gets the XML form; the program saves under no other. The rows
// go from their stored form straight into the temporary file.
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
