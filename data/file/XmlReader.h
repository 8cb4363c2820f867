#pragma once
// Reads a data file's bytes. The tokens (XmlTokens.h), the structure rules
// (here) and the conversion of values (XmlValues.h) each have their file;
// every row goes through the one conversion into the table's stored form,
// and the wide packet form is decoded from that. A file the reader cannot
// accept fails with a TDataFileError: one of the messages of
// XmlReadError.h and the place where the fault was found.
#include "data/file/XmlReadError.h"
#include "data/table/TableContent.h"

#include <functional>
#include <string_view>
#include <vector>

// Sees the file's fields before any row is read, and may fail.
using TColumnsCheck = std::function<void(const std::vector<TFieldDef>&)>;

TTableContent ReadDataFile(std::string_view bytes, const TColumnsCheck& checkColumns = {});
TDataPacket ReadDataPacket(std::string_view bytes);

// Load's work once the file's bytes are read: closes the table, reads the
// content and opens the table on it. A table that fails stays closed.
void LoadTableFromContent(TRecordTable& table, std::string_view content);
