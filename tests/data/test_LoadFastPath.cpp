// Load writes rows straight into the table's stored form; the packet reader
// converts them value by value. Both must give the same rows.
#include "data/StaffelError.h"
#include "data/file/XmlReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string Packet(const std::string& rows) {
    return R"(<?xml version="1.0" standalone="yes"?>  <DATAPACKET Version="2.0"><METADATA><FIELDS>)"
           R"(<FIELD attrname="Jahr" fieldtype="i4" required="true"/>)"
           R"(<FIELD attrname="Name" fieldtype="string" WIDTH="20"/>)"
           R"(<FIELD attrname="10Klasse" fieldtype="boolean"/>)"
           R"(<FIELD attrname="1dat" fieldtype="date"/>)"
           R"(<FIELD attrname="Wert" fieldtype="r8"/>)"
           R"(</FIELDS><PARAMS/></METADATA><ROWDATA>)" +
           rows + "</ROWDATA></DATAPACKET>";
}

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ExpectSameRows(const std::string& bytes, const std::string& label) {
    const TDataPacket packet = ReadDataPacket(bytes);
    TRecordTable table("t_staffel");
    LoadTableFromContent(table, bytes);
    const std::vector<TPhysicalRow> rows = table.PhysicalRows();
    ASSERT_EQ(rows.size(), packet.Rows.size()) << label;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        EXPECT_EQ(rows[r].Status, packet.Rows[r].Status) << label << " row " << r + 1;
        EXPECT_EQ(rows[r].Values, packet.Rows[r].Values) << label << " row " << r + 1;
    }
}

} // namespace

TEST(LoadFastPath, GivesTheRowsOfThePacketReader) {
    const std::vector<std::string> rows = {
        R"(<ROW Jahr="2009" Name="TV S&#252;d &amp; Co" 10Klasse="TRUE" 1dat="20090926"/>)",
        R"(<ROW Jahr="&#50;&#48;09" Name="" 10Klasse="f" 1dat="2009-02-31"/>)",
        R"(<ROW RowState="5" 1dat="20091231" Jahr="-7" Jahr="12" Unbekannt="x"/>)",
        R"(<ROW Name="Eine viel zu lange Mannschaftsbezeichnung" Wert="1.5e3" 10Klasse="x"/>)",
        R"(<ROW Jahr="abc12" 1dat="2009"/>)",
        R"(<ROW/>)",
    };
    std::string all;
    for (const std::string& row : rows) {
        ExpectSameRows(Packet(row), row);
        all += row;
    }
    ExpectSameRows(Packet(all), "all rows");
}

TEST(LoadFastPath, GivesTheRowsOfThePacketReaderForFixtures) {
    for (const auto& entry : std::filesystem::directory_iterator(STAFFEL_FIXTURES)) {
        if (entry.path().extension() != ".xml")
            continue;
        ExpectSameRows(FileBytes(entry.path()), entry.path().filename().string());
    }
}
