// Loading and saving a table as its data file.
#include "data/AtomicFile.h"
#include "data/RecordTable.h"
#include "data/StaffelError.h"
#include "data/XmlReader.h"
#include "data/XmlWriter.h"

void LoadTableFromContent(TRecordTable& table, std::string_view content) {
    table.Close();
    if (content.empty())
        throw TStaffelError(table.NamedMessage("Fehlender Daten-Provider oder Datenpaket"));
    table.OpenFromPacket(ReadDataPacket(content));
}

void TRecordTable::Load(const std::string& fileName) {
    Close();
    LoadTableFromContent(*this, ReadWholeFile(fileName));
}

// Every name gets the XML form; the program saves under no other.
void TRecordTable::Save(const std::string& fileName) {
    if (!Active())
        return;
    FinishEdit();
    WriteFileAtomically(fileName, WriteDataPacket(PacketForSave()));
}
