// Loading and saving a table as its data file.
#include "data/AtomicFile.h"
#include "data/RecordTable.h"
#include "data/StaffelError.h"
#include "data/XmlReader.h"
#include "data/XmlWriter.h"

void TRecordTable::Load(const std::string& fileName) {
    Close();
    const std::string content = ReadWholeFile(fileName);
    if (content.empty())
        throw TStaffelError(NamedMessage("Fehlender Daten-Provider oder Datenpaket"));
    OpenFromPacket(ReadDataPacket(content));
}

// Every name gets the XML form; the program saves under no other.
void TRecordTable::Save(const std::string& fileName) {
    if (!Active())
        return;
    FinishEdit();
    WriteFileAtomically(fileName, WriteDataPacket(PacketForSave()));
}
