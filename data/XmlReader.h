#pragma once
// Reads a data file's bytes into a packet. A file the reader cannot accept
// fails with one of the three messages below.
#include "data/RecordTable.h"

#include <string_view>

inline constexpr std::string_view MismatchInDatapacket = "Mismatch in datapacket.";
inline constexpr std::string_view InvalidFieldType = "Invalid field type.";
inline constexpr std::string_view NoMetaData = "Datapacket contains no meta data.";

TDataPacket ReadDataPacket(std::string_view bytes);

// Load's work once the file's bytes are read: closes the table, reads the
// content and opens the table on it. A table that fails stays closed.
void LoadTableFromContent(TRecordTable& table, std::string_view content);
