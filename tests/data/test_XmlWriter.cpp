#include "data/StaffelError.h"
#include "data/file/XmlReader.h"
#include "data/file/XmlWriter.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

TFieldDef Def(std::string name, TColumnType type, int width = 0, bool required = false) {
    TFieldDef def;
    def.Name = std::move(name);
    def.Type = type;
    def.Width = width;
    def.Required = required;
    return def;
}

std::string RowsPart(const std::string& file) {
    const auto start = file.find("<ROWDATA>") + 9;
    return file.substr(start, file.find("</ROWDATA>") - start);
}

} // namespace

TEST(XmlWriter, EscapesEveryListedCharacter) {
    const struct {
        std::string Text;
        std::string Written;
    } cases[] = {
        {"<>&'\"", "&lt;&gt;&amp;&apos;&quot;"},
        {"a\r\n\tb\\", "a&#013;&#010;&#009;b&#092;"},
        {"S\xFC"
         "d &amp;",
         "S\xFC"
         "d &amp;amp;"},
        {"", ""},
        {"\x7F\x81\x9D", "\x7F\x81\x9D"}, // XML characters, read back as they are
    };
    for (const auto& c : cases) {
        TDataPacket packet;
        packet.Fields = {Def("T", ctText, 20)};
        packet.Rows.push_back({{c.Text}, 0});
        EXPECT_EQ(RowsPart(WriteDataPacket(packet)), "<ROW T=\"" + c.Written + "\"/>")
            << "text: " << c.Text;
        EXPECT_EQ(ReadDataPacket(WriteDataPacket(packet)).Rows.at(0).Values.at(0), TValue(c.Text))
            << "text: " << c.Text;
    }
}

// Long texts are scanned sixteen bytes a step: a special byte is found at
// every position, before, inside and after such a step, also as the last
// byte and beside high bytes.
TEST(XmlWriter, FindsSpecialBytesAtEveryPositionOfALongText) {
    const std::pair<char, std::string> escaped[] = {
        {'<', "&lt;"},     {'>', "&gt;"},     {'&', "&amp;"},    {'\'', "&apos;"}, {'"', "&quot;"},
        {'\\', "&#092;"}, {'\t', "&#009;"}, {'\n', "&#010;"}, {'\r', "&#013;"}};
    constexpr std::size_t Length = 40;
    for (std::size_t at = 0; at < Length; ++at) {
        for (const auto& [special, escape] : escaped) {
            std::string text(Length, '\xE4');
            text[at] = special;
            TDataPacket packet;
            packet.Fields = {Def("T", ctText, 60)};
            packet.Rows.push_back({{text}, 0});
            EXPECT_EQ(RowsPart(WriteDataPacket(packet)),
                      "<ROW T=\"" + std::string(at, '\xE4') + escape +
                          std::string(Length - at - 1, '\xE4') + "\"/>")
                << "at " << at << ": " << escape;
        }
        std::string control(Length, 'a');
        control[at] = '\x1F';
        TDataPacket packet;
        packet.Fields = {Def("T", ctText, 60)};
        packet.Rows.push_back({{control}, 0});
        EXPECT_THROW(WriteDataPacket(packet), TStaffelError) << "at " << at;
    }
}

TEST(XmlWriter, RefusesAControlByteRatherThanWriteAFileThatIsNoXml) {
    for (const std::string& text :
         {std::string("nul\0x", 5), std::string("\x01"), std::string("a\x1B[0m")}) {
        TDataPacket packet;
        packet.Fields = {Def("T", ctText, 20)};
        packet.Rows.push_back({{text}, 0});
        try {
            WriteDataPacket(packet);
            ADD_FAILURE() << "written: " << text;
        } catch (const TStaffelError& error) {
            EXPECT_NE(std::string(error.what()).find("kann in den Staffeldaten nicht gespeichert"),
                      std::string::npos)
                << error.what();
        }
    }
}

TEST(XmlWriter, WritesValuesInTheirForms) {
    const struct {
        TFieldDef Field;
        TValue Value;
        std::string Row;
    } cases[] = {
        {Def("i", ctInteger), std::int32_t{2009}, "<ROW i=\"2009\"/>"},
        {Def("i", ctInteger), std::int32_t{-7}, "<ROW i=\"-7\"/>"},
        {Def("i", ctInteger), std::monostate{}, "<ROW/>"},
        {Def("b", ctBoolean), true, "<ROW b=\"TRUE\"/>"},
        {Def("b", ctBoolean), false, "<ROW b=\"FALSE\"/>"},
        {Def("d", ctDate), TDateValue{*DayFromCivil(2009, 9, 26)}, "<ROW d=\"20090926\"/>"},
        {Def("d", ctDate), TDateValue{0}, "<ROW d=\"18991230\"/>"},
        {Def("d", ctDate), TDateValue{*DayFromCivil(33, 1, 2)}, "<ROW d=\"00330102\"/>"},
        {Def("a&b", ctText, 5), std::string("x"), "<ROW a&amp;b=\"x\"/>"},
    };
    for (const auto& c : cases) {
        TDataPacket packet;
        packet.Fields = {c.Field};
        packet.Rows.push_back({{c.Value}, 0});
        EXPECT_EQ(RowsPart(WriteDataPacket(packet)), c.Row) << c.Row;
    }
}

TEST(XmlWriter, LaysOutFieldsParamsAndRowStates) {
    TDataPacket packet;
    packet.Fields = {Def("Jahr", ctInteger, 0, true), Def("K", ctText, 30, true),
                     Def("x", ctBoolean)};
    packet.Fields[2].ReadOnly = true;
    TFieldDef foreign = Def("big", ctText);
    foreign.FileType = "i8";
    packet.Fields.push_back(foreign);
    packet.Rows.push_back(
        {{std::int32_t{1}, std::string("a"), std::monostate{}, std::string("9")}, 5});
    packet.Rows.push_back({{std::int32_t{2}, std::monostate{}, true, std::monostate{}}, 12});
    packet.ChangeLog = {{1, 0, 4}, {2, 1, 8}};
    packet.KeyFields = {0};
    packet.UniqueKey = true;
    EXPECT_EQ(WriteDataPacket(packet),
              "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET Version=\"2.0\"><METADATA>"
              "<FIELDS><FIELD attrname=\"Jahr\" fieldtype=\"i4\" required=\"true\"/>"
              "<FIELD attrname=\"K\" fieldtype=\"string\" required=\"true\" WIDTH=\"30\"/>"
              "<FIELD attrname=\"x\" fieldtype=\"boolean\" readonly=\"true\"/>"
              "<FIELD attrname=\"big\" fieldtype=\"i8\"/></FIELDS>"
              "<PARAMS CHANGE_LOG=\"1 0 4 2 1 8\"/></METADATA><ROWDATA>"
              "<ROW RowState=\"5\" Jahr=\"1\" K=\"a\" big=\"9\"/><ROW RowState=\"12\" Jahr=\"2\" "
              "x=\"TRUE\"/></ROWDATA></DATAPACKET>");
}

TEST(XmlWriter, WhatItWritesReadsBackUnchanged) {
    TDataPacket packet;
    packet.Fields = {Def("id", ctInteger), Def("T<&\\>", ctText, 20, true),
                     Def("10Klasse", ctBoolean), Def("4Adat", ctDate)};
    packet.Rows.push_back({{std::int32_t{INT32_MIN}, std::string("\t<&>\x7F\xFF"), false,
                            TDateValue{*DayFromCivil(9999, 12, 31)}},
                           6});
    packet.Rows.push_back({{std::monostate{}, std::string(), std::monostate{}, TDateValue{0}}, 0});
    packet.ChangeLog = {{1, 0, 4}, {1, 0, 2}};
    const TDataPacket back = ReadDataPacket(WriteDataPacket(packet));
    ASSERT_EQ(back.Rows.size(), 2u);
    for (std::size_t r = 0; r < 2; ++r) {
        EXPECT_EQ(back.Rows[r].Values, packet.Rows[r].Values) << "row " << r;
        EXPECT_EQ(back.Rows[r].Status, packet.Rows[r].Status) << "row " << r;
    }
    EXPECT_EQ(back.ChangeLog, packet.ChangeLog);
    EXPECT_EQ(WriteDataPacket(back), WriteDataPacket(packet));
}

TEST(XmlWriter, DatesAgreeWithTheCalendarOverFourDigitYears) {
    std::vector<TDaySerial> days = {
        *DayFromCivil(1, 1, 1), *DayFromCivil(9999, 12, 31), -1, 0, 1, 59, 60, 61};
    for (TDaySerial day = *DayFromCivil(1, 1, 1); day <= *DayFromCivil(9999, 12, 31); day += 997)
        days.push_back(day);
    for (TDaySerial day = *DayFromCivil(1999, 12, 1); day <= *DayFromCivil(2001, 3, 31); ++day)
        days.push_back(day);
    TDataPacket packet;
    packet.Fields = {Def("d", ctDate)};
    for (TDaySerial day : days) {
        packet.Rows = {{{TDateValue{day}}, 0}};
        const TCivilDate date = CivilFromDay(day);
        char expected[16];
        std::snprintf(expected, sizeof expected, "%04d%02u%02u", date.Year, date.Month, date.Day);
        EXPECT_EQ(RowsPart(WriteDataPacket(packet)), "<ROW d=\"" + std::string(expected) + "\"/>")
            << "serial " << day;
    }
}
