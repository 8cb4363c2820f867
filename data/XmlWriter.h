#pragma once
// The data file's text, byte for byte, from the table's packet.
#include "data/RecordTable.h"

#include <string>

std::string WriteDataPacket(const TDataPacket& packet);
void WriteDataPacket(const TDataPacket& packet, std::string& out);

// The file's type name of a field ("i4", "string", ...).
std::string_view FieldTypeName(const TFieldDef& field);
