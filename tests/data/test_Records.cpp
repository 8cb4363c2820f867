#include "data/Records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Names(const std::vector<TRecordFieldSpec>& fields) {
    std::string out;
    for (const auto& f : fields)
        out += std::string(f.Name) + (f.Required ? "*" : "") + " ";
    return out;
}

TEST(Records, FieldListsInOrderWithRequiredFlags) {
    EXPECT_EQ(Names(StaffelRecordFields()),
              "id Ueberschrift Klasse* Jahr* 10Klasse* Mannschaft 1A 1B 2A 2B 3A 3B 4A 4B 5A 5B "
              "1dat 2dat 3dat 4dat 5dat 6dat 7dat 8dat 4Adat 8Adat ");
    EXPECT_EQ(Names(SpieltageRecordFields()),
              "Jahr* 1dat 2dat 3dat 4dat 5dat 6dat 7dat 8dat 4Adat 8Adat ");
    EXPECT_EQ(Names(KopieRecordFields()),
              "id* Klasse* Jahr* 10Klasse* Mannschaft 1A 1B 2A 2B 3A 3B 4A 4B 5A 5B "
              "1dat 2dat 3dat 4dat 5dat 6dat 7dat 8dat 4Adat 8Adat Ueberschrift* ");
}

TEST(Records, TypesAndWidths) {
    struct TCase {
        const std::vector<TRecordFieldSpec>* Fields;
        std::string_view Name;
        TColumnType Type;
        int Width;
    };
    const TCase cases[] = {
        {&StaffelRecordFields(), "id", ctInteger, 0},
        {&StaffelRecordFields(), "Ueberschrift", ctText, 30},
        {&StaffelRecordFields(), "Klasse", ctText, 30},
        {&StaffelRecordFields(), "Jahr", ctInteger, 0},
        {&StaffelRecordFields(), "10Klasse", ctBoolean, 0},
        {&StaffelRecordFields(), "Mannschaft", ctText, 20},
        {&StaffelRecordFields(), "5B", ctText, 20},
        {&StaffelRecordFields(), "8Adat", ctDate, 0},
        {&SpieltageRecordFields(), "4Adat", ctDate, 0},
        {&KopieRecordFields(), "Ueberschrift", ctText, 30},
        {&KopieRecordFields(), "Klasse", ctText, 30},
    };
    for (const auto& c : cases) {
        bool found = false;
        for (const auto& f : *c.Fields) {
            if (f.Name != c.Name)
                continue;
            found = true;
            EXPECT_EQ(f.Type, c.Type) << c.Name;
            EXPECT_EQ(f.Width, c.Width) << c.Name;
        }
        EXPECT_TRUE(found) << c.Name;
    }
}

TEST(Records, SlotsAndMatchDays) {
    std::string slots;
    for (int s = 0; s < SlotCount; ++s)
        slots += std::string(SlotFieldName(static_cast<TSlotName>(s))) + " ";
    EXPECT_EQ(slots, "1A 1B 2A 2B 3A 3B 4A 4B 5A 5B ");

    std::string recordOrder, timeOrder;
    for (int k = 0; k < SpieltagCount; ++k)
        recordOrder += SpieltagDateFieldName(static_cast<TSpieltagKey>(k)) + " ";
    for (auto key : SpieltageInTimeOrder())
        timeOrder += std::string(SpieltagKeyName(key)) + " ";
    EXPECT_EQ(recordOrder, "1dat 2dat 3dat 4dat 5dat 6dat 7dat 8dat 4Adat 8Adat ");
    EXPECT_EQ(timeOrder, "1 2 3 4 4A 5 6 7 8 8A ");
}

TEST(Records, NewDivisionStartsWithHeadingAndEightTeams) {
    TRecordTable table("t_staffel");
    DefineFields(table, StaffelRecordFields());
    table.CreateEmpty();
    table.OnNewRecord = t_staffelNewRecord;
    table.Insert();
    EXPECT_EQ(table.Field("Ueberschrift").AsText(), "Badminton");
    EXPECT_FALSE(table.Field("10Klasse").IsNull());
    EXPECT_FALSE(table.Field("10klasse").AsBoolean());
    EXPECT_FALSE(table.Modified());
    for (int i = 0; i < table.FieldCount(); ++i) {
        const auto& name = table.FieldAt(i).Name();
        if (name != "Ueberschrift" && name != "10Klasse")
            EXPECT_TRUE(table.FieldAt(i).IsNull()) << name;
    }
}

TEST(Records, EightTeamDivisionKeepsTheExtraSlotsAndDays) {
    TRecordTable table("t_staffel");
    DefineFields(table, StaffelRecordFields());
    table.CreateEmpty();
    table.Append();
    table.Field("Jahr").SetAsInteger(2009);
    table.Field("Klasse").SetAsText("Kreisliga");
    table.Field("10Klasse").SetAsBoolean(false);
    table.Field("5A").SetAsText("Fuenfte");
    table.Field("Mannschaft").SetAsText("TSV Musterstadt von 1880 II");
    table.Field("1B").SetAsText("SG Beispielhausen-Nord 3");
    table.Field("8Adat").SetAsText("1.5.2010");
    table.Post();
    EXPECT_EQ(table.Field("5A").AsText(), "Fuenfte");
    EXPECT_EQ(table.Field("Mannschaft").AsText(), "TSV Musterstadt von"); // 20, blank dropped
    EXPECT_EQ(table.Field("1B").AsText(), "SG Beispielhausen-No");
    EXPECT_EQ(table.Field("8Adat").AsText(), "01.05.2010");
}

} // namespace
