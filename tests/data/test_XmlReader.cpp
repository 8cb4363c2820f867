#include "data/StaffelError.h"
#include "data/file/Cp1252.h"
#include "data/file/XmlReader.h"
#include "data/file/XmlWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

const std::string Fields = R"(<FIELD attrname="Jahr" fieldtype="i4" required="true"/>)"
                           R"(<FIELD attrname="Name" fieldtype="string" WIDTH="20"/>)"
                           R"(<FIELD attrname="10Klasse" fieldtype="boolean"/>)"
                           R"(<FIELD attrname="1dat" fieldtype="date"/>)";

std::string Packet(const std::string& params, const std::string& rows) {
    return R"(<?xml version="1.0" standalone="yes"?>  <DATAPACKET Version="2.0"><METADATA><FIELDS>)" +
           Fields + "</FIELDS>" + params + "</METADATA><ROWDATA>" + rows +
           "</ROWDATA></DATAPACKET>";
}

std::string MessageOf(const std::string& bytes) {
    try {
        ReadDataPacket(bytes);
    } catch (const TStaffelError& error) {
        return error.what();
    }
    return "accepted";
}

TValue OnlyValue(const std::string& rowAttributes, int field) {
    const TDataPacket packet = ReadDataPacket(Packet("<PARAMS/>", "<ROW " + rowAttributes + "/>"));
    return packet.Rows.at(0).Values.at(field);
}

// The same value as a load puts it into a table.
TValue LoadedValue(const std::string& rowAttributes, int field) {
    TRecordTable table("t");
    LoadTableFromContent(table, Packet("<PARAMS/>", "<ROW " + rowAttributes + "/>"));
    return table.PhysicalRows().at(0).Values.at(field);
}

TValue Day(int y, unsigned m, unsigned d) {
    return TDateValue{*DayFromCivil(y, m, d)};
}

} // namespace

TEST(XmlReader, RejectsWhatIsNoDataPacket) {
    const std::string m = std::string(MismatchInDatapacket);
    const std::string valid = Packet("<PARAMS/>", "<ROW Jahr=\"1\"/>");
    std::string deep; // with DATAPACKET, ROWDATA and ROW: 65 levels
    for (int i = 0; i < 62; ++i)
        deep = "<a>" + deep + "</a>";
    const struct {
        std::string Input;
        std::string Message;
    } cases[] = {
        {"x<DATAPACKET>", m},
        {"   ", m},
        {"<?xml version=\"1.0\"", m},
        {"<!-- open <DATAPACKET></DATAPACKET>", m},
        {valid.substr(0, valid.size() / 2), m},
        {valid.substr(0, valid.size() - 1), m},
        {"<DATAPACKET><METADATA><PARAMS/></METADATA></DATAPACKET>", m},
        {"<DATAPACKET><METADATA/></DATAPACKET>", m},
        {"<DATAPACKET><METADATA><FIELDS><FIELD fieldtype=\"i4\"/></FIELDS></METADATA></DATAPACKET>",
         m},
        {"<DATAPACKET><METADATA><FIELDS><FIELD fieldname=\"a\" fieldtype=\"i4\"/></FIELDS>"
         "</METADATA></DATAPACKET>",
         m},
        {"<DATAPACKET><METADATA><FIELDS></FIELD></METADATA></DATAPACKET>", m},
        {"<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"a b\" fieldtype=\"i4\"/></FIELDS>"
         "</METADATA></DATAPACKET>",
         m},
        {"<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"a\" fieldtype=\"i4\"/><FIELD "
         "tagname=\"a\" fieldtype=\"string\"/></FIELDS></METADATA></DATAPACKET>",
         m},
        {"<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"\" fieldtype=\"i4\"/></FIELDS>"
         "</METADATA></DATAPACKET>",
         m},
        {Packet("<PARAMS/>", "<ROW/><OTHER/>"), m},
        {"<DATAPACKET><OTHER/></DATAPACKET>", m},
        {"<ROOT><METADATA><FIELDS/></METADATA></ROOT>", m},
        {Packet("<PARAMS/>", "") + "<DATAPACKET/>", m},
        {Packet("<PARAMS/>", "") + "trailing", m},
        {Packet("<PARAMS/>", "<ROW Jahr=1/>"), m},
        {Packet("<PARAMS/>", "<ROW Jahr=\"1/>"), m},
        {Packet("<PARAMS CHANGE_LOG=\"1 0\"/>", "<ROW/>"), m},
        {Packet("<PARAMS CHANGE_LOG=\"1 0 4 x 0 4\"/>", "<ROW/>"), m},
        {Packet("<PARAMS CHANGE_LOG=\"2 0 4\"/>", "<ROW/>"), m},
        {Packet("<PARAMS CHANGE_LOG=\"1 3 8\"/>", "<ROW/>"), m},
        {Packet("<PARAMS CHANGE_LOG=\"1 0 7\"/>", "<ROW/>"), m},
        {Packet("<PARAMS CHANGE_LOG=\"0 0 4\"/>", "<ROW/>"), m},
        {Packet("<PARAMS PRIMARY_KEY=\"5\"/>", ""), m},
        {Packet("<PARAMS/>", "<ROW>" + deep + "</ROW>"), m},
        {"<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"a\" fieldtype=\"int\"/></FIELDS>"
         "</METADATA></DATAPACKET>",
         std::string(InvalidFieldType)},
        {"<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"a\"/></FIELDS></METADATA></DATAPACKET>",
         std::string(InvalidFieldType)},
        {"<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"a\" fieldtype=\"nested\"/></FIELDS>"
         "</METADATA></DATAPACKET>",
         std::string(InvalidFieldType)},
        {"<DATAPACKET><ROWDATA><ROW/></ROWDATA></DATAPACKET>", std::string(NoMetaData)},
        {"<DATAPACKET></DATAPACKET>", std::string(NoMetaData)},
        {"<DATAPACKET/>", std::string(NoMetaData)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageOf(c.Input), c.Message) << "input: " << c.Input;
}

TEST(XmlReader, SkipsDeclarationInstructionsCommentsAndBlanks) {
    const std::string input = "\x01\t <?xml version=\"1.0\"?>\r\n<!-- a > b --><?pi x?>"
                              "<DATAPACKET a=\"b\">\n <METADATA> <FIELDS> <FIELD  attrname = "
                              "\"Jahr\" fieldtype=\"I4\" />\n</FIELDS><!--c--></METADATA>"
                              "<ROWDATA> <ROW Jahr=\"7\"/> </ROWDATA></DATAPACKET> <!--end-->\n";
    const TDataPacket packet = ReadDataPacket(input);
    ASSERT_EQ(packet.Fields.size(), 1u);
    EXPECT_EQ(packet.Fields[0].Type, ctInteger);
    ASSERT_EQ(packet.Rows.size(), 1u);
    EXPECT_EQ(packet.Rows[0].Values[0], TValue(std::int32_t{7}));
}

TEST(XmlReader, ReadsValuesLeniently) {
    const struct {
        std::string Row;
        int Field;
        TValue Expected;
    } cases[] = {
        {"Jahr=\"2009\"", 0, std::int32_t{2009}},
        {"Jahr=\"-12\"", 0, std::int32_t{-12}},
        {"Jahr=\" +5\"", 0, std::int32_t{5}},
        {"Jahr=\"12a\"", 0, std::int32_t{12}},
        {"Jahr=\"a12\"", 0, std::monostate{}},
        {"Jahr=\"\"", 0, std::monostate{}},
        {"Jahr=\"99999999999\"", 0, std::monostate{}},
        {"Jahr=\"-2147483648\"", 0, std::int32_t{INT32_MIN}},
        {"Name=\"\"", 1, std::string()},
        {"Name=\"A &amp; B &lt;&gt;&quot;&apos;\"", 1, std::string("A & B <>\"'")},
        {"Name=\"S&#252;d&#xFC;&#8364;&#x10FFFF;\"", 1,
         std::string("S\xFC"
                     "d\xFC\x80?")},
        {"Name=\"a & b &bogus; &#;\"", 1, std::string("a & b &bogus; &#;")},
        {"10Klasse=\"TRUE\"", 2, true},
        {"10Klasse=\"true\"", 2, true},
        {"10Klasse=\"false\"", 2, false},
        {"10Klasse=\"Falsch\"", 2, false},
        {"10Klasse=\"yes\"", 2, std::monostate{}},
        {"1dat=\"20090926\"", 3, Day(2009, 9, 26)},
        {"1dat=\"2009-09-26\"", 3, Day(2009, 9, 26)},
        {"1dat=\"18991230\"", 3, TValue(TDateValue{0})},
        {"1dat=\"20090231\"", 3, std::monostate{}},
        {"1dat=\"20091301\"", 3, std::monostate{}},
        {"1dat=\"20090132\"", 3, std::monostate{}},
        {"1dat=\"2009092\"", 3, std::monostate{}},
        {"1dat=\"00000101\"", 3, std::monostate{}},
        {"1dat=\"00010101\"", 3, Day(1, 1, 1)},
        {"1dat=\"16000229\"", 3, Day(1600, 2, 29)},
        {"1dat=\"17000229\"", 3, std::monostate{}},
        {"1dat=\"20000229\"", 3, Day(2000, 2, 29)},
        {"1dat=\"20240229\"", 3, Day(2024, 2, 29)},
        {"1dat=\"19000301\"", 3, Day(1900, 3, 1)},
        {"1dat=\"19700101\"", 3, Day(1970, 1, 1)},
        {"1dat=\"99991231\"", 3, Day(9999, 12, 31)},
        {"1dat=\"20091100\"", 3, std::monostate{}},
        {"Other=\"1\"", 0, std::monostate{}},
        // Converted after the references are replaced.
        {"Jahr=\"&#50;0&#x30;9\"", 0, std::int32_t{2009}},
        {"Jahr=\"&#97;12\"", 0, std::monostate{}},
        {"10Klasse=\"&#84;\"", 2, true},
        {"1dat=\"2009&#48;926\"", 3, Day(2009, 9, 26)},
        {"Jahr=\"1\" Jahr=\"2\"", 0, std::int32_t{2}},
    };
    // Every read of a row takes the one conversion: the packet reader's and
    // the load's values must both be the expected ones.
    for (const auto& c : cases) {
        EXPECT_EQ(OnlyValue(c.Row, c.Field), c.Expected) << "packet, row: " << c.Row;
        EXPECT_EQ(LoadedValue(c.Row, c.Field), c.Expected) << "load, row: " << c.Row;
    }
}

TEST(XmlReader, ReadsFieldDefinitionsAndFlags) {
    const std::string input =
        "<DATAPACKET><METADATA><FIELDS>"
        "<FIELD fieldname=\"Shown\" attrname=\"a\" fieldtype=\"STRING\" WIDTH=\"12\" "
        "readonly=\"TRUE\" hidden=\"true\" linkfield=\"true\" required=\"no\"/>"
        "<FIELD tagname=\"t\" fieldtype=\"Date\"/>"
        "<FIELD attrname=\"big\" fieldtype=\"i8\" required=\"true\"/>"
        "</FIELDS><PARAMS UNIQUE_KEY=\"3 1\" LCID=\"1031\"/></METADATA>"
        "<ROWDATA><ROW Shown=\"x\" a=\"ignored\" t=\"20000101\" big=\" 0012 \"/></ROWDATA>"
        "</DATAPACKET>";
    const TDataPacket packet = ReadDataPacket(input);
    ASSERT_EQ(packet.Fields.size(), 3u);
    EXPECT_EQ(packet.Fields[0].Name, "Shown");
    EXPECT_EQ(packet.Fields[0].Width, 12);
    EXPECT_TRUE(packet.Fields[0].ReadOnly && packet.Fields[0].Hidden && packet.Fields[0].LinkField);
    EXPECT_FALSE(packet.Fields[0].Required);
    EXPECT_EQ(packet.Fields[1].Name, "t");
    EXPECT_EQ(packet.Fields[1].Type, ctDate);
    EXPECT_EQ(packet.Fields[2].Type, ctText);
    EXPECT_EQ(packet.Fields[2].FileType, "i8");
    EXPECT_TRUE(packet.Fields[2].Required);
    EXPECT_EQ(packet.KeyFields, (std::vector<int>{2, 0}));
    EXPECT_TRUE(packet.UniqueKey);
    EXPECT_EQ(packet.Rows[0].Values[0], TValue(std::string("x")));
    EXPECT_EQ(packet.Rows[0].Values[2], TValue(std::string(" 0012 ")));
}

TEST(XmlReader, DefaultOrderGivesKeyWithoutUniqueness) {
    const TDataPacket packet = ReadDataPacket(Packet("<PARAMS DEFAULT_ORDER=\"2\"/>", ""));
    EXPECT_EQ(packet.KeyFields, std::vector<int>{1});
    EXPECT_FALSE(packet.UniqueKey);
}

TEST(XmlReader, ForeignTypeColumnSurvivesWritingBack) {
    const std::string input =
        "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
        "<FIELD attrname=\"f\" fieldtype=\"fixedFMT\" WIDTH=\"8\"/><FIELD attrname=\"n\" "
        "fieldtype=\"r8\"/></FIELDS><PARAMS/></METADATA><ROWDATA><ROW f=\"1.50\" n=\"2.5E3\"/>"
        "</ROWDATA></DATAPACKET>";
    EXPECT_EQ(WriteDataPacket(ReadDataPacket(input)), input);
}

TEST(XmlReader, RowStatusAndChangeLog) {
    const TDataPacket packet = ReadDataPacket(
        Packet("<PARAMS CHANGE_LOG=\"1 0 4  2 1 8\t2 0 2\"/>",
               "<ROW RowState=\"5\" Jahr=\"1\"/><ROW RowState=\"14\" Jahr=\"2\"/><ROW/>"));
    ASSERT_EQ(packet.Rows.size(), 3u);
    EXPECT_EQ(packet.Rows[0].Status, 5);
    EXPECT_EQ(packet.Rows[1].Status, 14);
    EXPECT_EQ(packet.Rows[2].Status, 0);
    EXPECT_EQ(packet.ChangeLog, (std::vector<TChangeEntry>{{1, 0, 4}, {2, 1, 8}, {2, 0, 2}}));
}

TEST(XmlReader, Utf8FilesAreConvertedToTheCodePage) {
    const std::string body = "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"N\" "
                             "fieldtype=\"string\" WIDTH=\"20\"/></FIELDS></METADATA>"
                             "<ROWDATA><ROW N=\"S\xC3\xBC"
                             "d \xE2\x82\xAC \xE4\xB8\x80\"/>"
                             "</ROWDATA></DATAPACKET>";
    const struct {
        std::string Input;
        std::string Expected;
    } cases[] = {
        {"\xEF\xBB\xBF" + body, "S\xFC"
                                "d \x80 ?"},
        {"<?xml version=\"1.0\" Encoding='utf-8'?>" + body, "S\xFC"
                                                            "d \x80 ?"},
        {"<?xml version=\"1.0\"?>" + body, "S\xC3\xBC"
                                           "d \xE2\x82\xAC \xE4\xB8\x80"},
        // Declared UTF-8, but not valid UTF-8: read byte for byte.
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + body.substr(0, body.find("S\xC3")) +
             "\xFC\xC3\xBC\"/></ROWDATA></DATAPACKET>",
         "\xFC\xC3\xBC"},
    };
    for (const auto& c : cases) {
        const TDataPacket packet = ReadDataPacket(c.Input);
        EXPECT_EQ(packet.Rows.at(0).Values.at(0), TValue(c.Expected)) << c.Input;
    }
}

TEST(Cp1252, RoundTripsEveryByteThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
    EXPECT_EQ(Cp1252ToUtf8("\x80\xFC"), "\xE2\x82\xAC\xC3\xBC");
    const std::string invalid[] = {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82"};
    for (const std::string& bytes : invalid) {
        EXPECT_FALSE(IsValidUtf8(bytes)) << bytes;
        EXPECT_EQ(Utf8ToCp1252(bytes), std::string(bytes.size(), '?')) << bytes;
    }
}

TEST(XmlReader, NestingUpTo63LevelsIsAccepted) {
    std::string deep;
    for (int i = 0; i < 60; ++i)
        deep = "<a x=\"1\">text" + deep + "</a>";
    EXPECT_EQ(ReadDataPacket(Packet("<PARAMS/>", "<ROW Jahr=\"3\">" + deep + "</ROW>")).Rows.size(),
              1u);
}

// Inputs the fuzzer once found: what the reader accepts, written and read
// again, gives the same text.
TEST(XmlReader, FuzzFindingsRoundTrip) {
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(STAFFEL_FIXTURES) / "fuzz")) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        std::string written;
        try {
            written = WriteDataPacket(ReadDataPacket(bytes));
        } catch (const TStaffelError&) {
            continue; // a rejection is fine; only what is accepted must round-trip
        }
        EXPECT_EQ(WriteDataPacket(ReadDataPacket(written)), written) << entry.path();
    }
}

// Where a rejected file went wrong: line and column of the fault (columns
// count characters, also in a UTF-8 file) and what stands there.
TEST(XmlReader, FailuresNameTheirPlace) {
    const std::string m = std::string(MismatchInDatapacket);
    const std::string head = "<DATAPACKET><METADATA><FIELDS>";
    std::string deep;
    for (int i = 0; i < 62; ++i)
        deep += "<a>";
    const struct {
        std::string Input;
        std::string Expected; // message, line:column, what was found
    } cases[] = {
        {"x<DATAPACKET>", m + " 1:1 [x<DATAPACKET>]"},
        {"<DATAPACKET>\n <METADATA>\n  <FIELDS><FIELD fieldtype=\"i4\"/></FIELDS>",
         m + " 3:11 [<FIELD fieldtype=\"i4\"/><]"},
        {"<DATAPACKET><METADATA>", m + " 1:23 []"},
        {head + "</FIELD></METADATA>", m + " 1:31 [</FIELD></METADATA>]"},
        {"<DATAPACKET>\r\n<ROWDATA/></DATAPACKET>",
         std::string(NoMetaData) + " 2:1 [<ROWDATA/></DATAPACKET>]"},
        {head + "<FIELD attrname=\"a\" fieldtype=\"int\"/>",
         std::string(InvalidFieldType) + " 1:62 [int\"/>]"},
        {Packet("<PARAMS/>", "\n<ROW Jahr=\"1/>"), m + " 2:11 [\"1/></ROWDATA></DATAPACK]"},
        {Packet("<PARAMS/>", "<ROW/>\n<OTHER/>"), m + " 2:1 [<OTHER/></ROWDATA></DATA]"},
        {Packet("\n<PARAMS CHANGE_LOG=\"1 0 4 x 0 4\"/>", "<ROW/>"),
         m + " 2:27 [x 0 4\"/></METADATA><ROWD]"},
        {Packet("\n<PARAMS CHANGE_LOG=\"2 0 4\"/>", "<ROW/>"),
         m + " 2:9 [CHANGE_LOG=\"2 0 4\"/></ME]"},
        {Packet("<PARAMS/>", "<ROW>\n" + deep), m + " 2:181 [<a><a></ROWDATA></DATAPA]"},
        {"\xEF\xBB\xBF<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"S\xC3\xBC\" "
         "fieldtype=\"i4\"/>\n<FIELD attrname=\"\xC3\xBC\xC3\xBC\" fieldtype=\"x\xC3\xBC\"/>",
         std::string(InvalidFieldType) + " 2:33 [x\xFC\"/>]"},
        {"\x01\x02\t<X/>", m + " 1:4 [<X/>]"},
        {"<DATAPACKET> \x01\x02 <X/>", m + " 1:17 [<X/>]"},
        {"\x01\x02<DATAPACKET><DATA\x02/>", m + " 1:15 [<DATA />]"},
    };
    for (const auto& c : cases) {
        std::string got = "accepted";
        try {
            ReadDataPacket(c.Input);
        } catch (const TDataFileError& error) {
            const TTextPosition& where = error.Where();
            got = std::string(error.what()) + " " + std::to_string(where.Line) + ":" +
                  std::to_string(where.Column) + " [" + where.Found + "]";
        }
        EXPECT_EQ(got, c.Expected) << "input: " << c.Input;
    }
}
