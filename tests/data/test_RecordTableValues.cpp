// Reading and writing field values through their four kinds.
#include "test_RecordTableSupport.h"

namespace {

void CreateTyped(TRecordTable& table) {
    table.DefineField("Zahl", ctInteger, 0, false);
    table.DefineField("Text", ctText, 30, false);
    table.DefineField("Flag", ctBoolean, 0, false);
    table.DefineField("Tag", ctDate, 0, false);
    table.DefineField("Tag2", ctDate, 0, false);
    table.CreateEmpty();
    table.Insert();
}

TEST(RecordTableValues, TextWrites) {
    struct TCase {
        const char* Field;
        const char* Text;
        const char* Stored; // as read back as text; "null" when empty
        const char* Error;
    };
    const TCase cases[] = {
        {"Text", "12345678901234567890123456789012345", "123456789012345678901234567890", ""},
        {"Text", "Kreisliga  ", "Kreisliga", ""},
        {"Text", "123456789012345678901234567   x", "123456789012345678901234567", ""},
        {"Text", "", "", ""},
        {"Text", "  vorn", "  vorn", ""},
        {"Zahl", "", "null", ""},
        {"Zahl", "2009", "2009", ""},
        {"Zahl", " -17 ", "-17", ""},
        {"Zahl", "+5", "5", ""},
        {"Zahl", "12a", "", "'12a' ist kein gültiger Integerwert für Feld 'Zahl'"},
        {"Zahl", "1.5", "", "'1.5' ist kein gültiger Integerwert für Feld 'Zahl'"},
        {"Zahl", "2147483648", "", "'2147483648' ist kein gültiger Integerwert für Feld 'Zahl'"},
        {"Zahl", "-2147483648", "-2147483648", ""},
        {"Tag", "", "null", ""},
        {"Tag", "5.9.2009", "05.09.2009", ""},
        {"Tag", "31.9.2009", "", "'31.9.2009' ist kein gültiges Datum"},
        {"Tag", "heute", "", "'heute' ist kein gültiges Datum"},
        {"Flag", "Wahr", "Wahr", ""},
        {"Flag", "falsch", "Falsch", ""},
        {"Flag", "", "null", ""},
        {"Flag", "vielleicht", "",
         "'vielleicht' ist kein gültiger Boolescher Wert für Feld 'Flag'"},
    };
    for (const auto& c : cases) {
        TRecordTable table("t");
        CreateTyped(table);
        TField& field = table.Field(c.Field);
        EXPECT_EQ(ErrorOf([&] { field.SetAsText(c.Text); }), c.Error) << c.Field << " " << c.Text;
        if (*c.Error)
            continue;
        EXPECT_EQ(field.IsNull() ? "null" : field.AsText(), std::string(c.Stored))
            << c.Field << " " << c.Text;
    }
}

TEST(RecordTableValues, EmptyFieldsRead) {
    TRecordTable table("t");
    CreateTyped(table);
    for (const char* name : {"Zahl", "Text", "Flag", "Tag"}) {
        TField& field = table.Field(name);
        EXPECT_TRUE(field.IsNull()) << name;
        EXPECT_EQ(field.AsText(), "") << name;
        EXPECT_EQ(field.AsInteger(), 0) << name;
        EXPECT_FALSE(field.AsBoolean()) << name;
        EXPECT_EQ(field.AsDateTime(), 0.0) << name;
    }
}

TEST(RecordTableValues, OtherKinds) {
    TRecordTable table("t");
    CreateTyped(table);
    // An empty date read as date-time is 0.0; written back it is 30.12.1899, a value.
    table.Field("Tag2").SetAsDateTime(table.Field("Tag").AsDateTime());
    EXPECT_FALSE(table.Field("Tag2").IsNull());
    EXPECT_EQ(table.Field("Tag2").AsText(), "30.12.1899");
    // A time of day is dropped.
    table.Field("Tag").SetAsDateTime(40068.75);
    EXPECT_EQ(table.Field("Tag").AsDateTime(), 40068.0);
    EXPECT_EQ(table.Field("Tag").AsText(), "12.09.2009");
    EXPECT_EQ(ErrorOf([&] { table.Field("Tag").SetAsDateTime(1e12); }),
              "'1e+12' ist kein gültiges Datum");
    table.Field("Text").SetAsInteger(-42);
    EXPECT_EQ(table.Field("Text").AsText(), "-42");
    EXPECT_EQ(table.Field("Text").AsInteger(), -42);
    table.Field("Zahl").SetAsInteger(7);
    EXPECT_EQ(table.Field("Zahl").AsText(), "7");
    table.Field("Flag").SetAsBoolean(true);
    EXPECT_EQ(table.Field("Flag").AsText(), "Wahr");
    EXPECT_TRUE(table.Field("flag").AsBoolean());
    table.Field("Flag").Clear();
    EXPECT_TRUE(table.Field("Flag").IsNull());
    table.Field("Text").SetAsText("x");
    EXPECT_EQ(ErrorOf([&] { table.Field("Text").AsInteger(); }),
              "'x' ist kein gültiger Integerwert für Feld 'Text'");
}

TEST(RecordTableValues, FieldByNameIgnoresCase) {
    TRecordTable table("t");
    CreateTyped(table);
    EXPECT_EQ(&table.Field("zahl"), &table.Field("ZAHL"));
    EXPECT_EQ(table.Field("tAg2").Name(), "Tag2");
    EXPECT_EQ(table.FindField("Zahl2"), nullptr);
    EXPECT_EQ(table.FieldCount(), 5);
    EXPECT_EQ(table.FieldAt(1).Name(), "Text");
}

TEST(RecordTableValues, GridText) {
    TRecordTable table("t");
    CreateTyped(table);
    table.Field("Flag").SetAsBoolean(false);
    table.Field("Tag").SetAsText("1.2.2010");
    EXPECT_EQ(table.DisplayText(0, 2), "Falsch");
    EXPECT_EQ(table.DisplayText(0, 3), "01.02.2010");
    EXPECT_EQ(table.DisplayText(0, 0), "");
    EXPECT_EQ(table.DisplayText(5, 0), "");  // no such row
    EXPECT_EQ(table.DisplayText(0, 99), ""); // no such field
}

} // namespace
