// Every message of the table's failure table, with its exact text.
#include "data/Records.h"
#include "test_RecordTableSupport.h"

namespace {

void CreateStaffel(TRecordTable& table, bool keyed) {
    table.Close();
    table.ClearDefinitions();
    DefineFields(table, StaffelRecordFields());
    table.CreateEmpty();
    if (keyed)
        table.DefineIndex("", "Jahr;Klasse", true);
    table.Close();
    table.Open();
}

TEST(RecordTableMessages, EveryFailureWithItsText) {
    struct TCase {
        const char* Situation;
        std::function<void(TRecordTable&)> Action;
        const char* Message;
    };
    const std::vector<TCase> cases = {
        {"required field never typed",
         [](TRecordTable& t) { t.Insert(), t.Field("Jahr").SetAsInteger(2009), t.Post(); },
         "Feld 'Klasse' muss einen Wert haben"},
        {"required text typed and erased",
         [](TRecordTable& t) {
             t.Insert(), t.Field("Jahr").SetAsInteger(2009), t.Field("10Klasse").SetAsBoolean(true);
             t.Field("Klasse").SetAsText("Kreisliga"), t.Field("Klasse").SetAsText(""), t.Post();
         },
         "Field value required."},
        {"second division, same year and class",
         [](TRecordTable& t) {
             for (int i = 0; i < 2; ++i) {
                 t.Append(), t.Field("Jahr").SetAsInteger(2009);
                 t.Field("Klasse").SetAsText("Kreisliga"), t.Field("10Klasse").SetAsBoolean(false);
                 t.Post();
             }
         },
         "Key violation."},
        {"post in browse", [](TRecordTable& t) { t.Post(); },
         "t_staffel: Datenmenge weder im Editier- noch im Einfügemodus"},
        {"field written in browse", [](TRecordTable& t) { t.Field("Jahr").SetAsInteger(1); },
         "t_staffel: Datenmenge weder im Editier- noch im Einfügemodus"},
        {"delete on empty", [](TRecordTable& t) { t.Delete(); },
         "t_staffel: Operation bei leerer Datenmenge nicht ausführbar"},
        {"refresh with net changes",
         [](TRecordTable& t) {
             t.Append(), t.Field("Jahr").SetAsInteger(2009), t.Field("Klasse").SetAsText("K");
             t.Field("10Klasse").SetAsBoolean(false), t.Refresh();
         },
         "t_staffel: Die Änderungen müssen vor der Aktualisierung der Daten übernommen werden"},
        {"refresh without net changes", [](TRecordTable& t) { t.Refresh(); },
         "t_staffel: Fehlender Daten-Provider oder Datenpaket"},
        {"open without content", [](TRecordTable& t) { t.Close(), t.ClearDefinitions(), t.Open(); },
         "t_staffel: Fehlender Daten-Provider oder Datenpaket"},
        {"unknown field", [](TRecordTable& t) { t.Field("Liga"); },
         "t_staffel: Das Feld 'Liga' wurde nicht gefunden"},
        {"mark of a deleted row",
         [](TRecordTable& t) {
             t.Append(), t.Field("Jahr").SetAsInteger(2009), t.Field("Klasse").SetAsText("K");
             t.Field("10Klasse").SetAsBoolean(false), t.Post();
             const auto mark = t.RowMark();
             t.Delete();
             t.GoToMark(mark);
         },
         "t_staffel: Datensatz nicht gefunden"},
        {"year 12a", [](TRecordTable& t) { t.Insert(), t.Field("Jahr").SetAsText("12a"); },
         "'12a' ist kein gültiger Integerwert für Feld 'Jahr'"},
        {"year with umlaut",
         [](TRecordTable& t) { t.Insert(), t.Field("Jahr").SetAsText("12\xE4"); },
         "'12ä' ist kein gültiger Integerwert für Feld 'Jahr'"},
        {"no date", [](TRecordTable& t) { t.Insert(), t.Field("1dat").SetAsText("32.1.2009"); },
         "'32.1.2009' ist kein gültiges Datum"},
        {"no fields", [](TRecordTable& t) { t.ClearDefinitions(), t.CreateEmpty(); },
         "Es wurden keine Felder definiert.  Datenmenge kann nicht erzeugt werden"},
        {"default order redefined", [](TRecordTable& t) { t.DefineIndex("", "Klasse", false); },
         "Index is being used to order table."},
    };
    for (const auto& c : cases) {
        TRecordTable table("t_staffel");
        CreateStaffel(table, true);
        EXPECT_EQ(ErrorOf([&] { c.Action(table); }), c.Message) << c.Situation;
    }
}

TEST(RecordTableMessages, MissingRequiredFieldsReportedInFieldOrder) {
    TRecordTable table("t_staffel");
    CreateStaffel(table, false);
    TRecordingLink link(&table);
    table.Insert();
    link.Take();
    EXPECT_EQ(ErrorOf([&] { table.Post(); }), "Feld 'Klasse' muss einen Wert haben");
    EXPECT_EQ(link.Take(), "WriteBack Leave Focus:Klasse");
    EXPECT_EQ(table.State(), tsInsert);
    table.Field("Klasse").SetAsText("K");
    EXPECT_EQ(ErrorOf([&] { table.Post(); }), "Feld 'Jahr' muss einen Wert haben");
}

TEST(RecordTableMessages, KeyViolationStoresNothing) {
    TRecordTable table("t_staffel");
    CreateStaffel(table, true);
    table.OnNewRecord = t_staffelNewRecord;
    auto add = [&](int year, const char* klasse) {
        table.Append();
        table.Field("Jahr").SetAsInteger(year);
        table.Field("Klasse").SetAsText(klasse);
        table.Post();
    };
    add(2010, "Bezirksliga");
    add(2009, "Kreisliga");
    add(2009, "Bezirksliga");
    add(2010, "Kreisliga"); // same class, another year
    auto listed = [&] {
        std::string out;
        for (int i = 0; i < table.DisplayCount(); ++i)
            out += table.DisplayText(i, 3) + " " + table.DisplayText(i, 2) + "; ";
        return out;
    };
    EXPECT_EQ(listed(), "2009 Bezirksliga; 2009 Kreisliga; 2010 Bezirksliga; 2010 Kreisliga; ");
    const auto rowsBefore = table.PhysicalRows().size();
    const auto logBefore = table.ChangeLog();

    EXPECT_EQ(ErrorOf([&] { add(2009, "Kreisliga"); }), "Key violation.");
    EXPECT_EQ(table.State(), tsInsert);
    EXPECT_TRUE(table.Modified());
    EXPECT_EQ(table.PhysicalRows().size(), rowsBefore);
    EXPECT_EQ(table.ChangeLog(), logBefore);
    table.Cancel();

    // An edit into another row's key is refused too; a legal one moves the row.
    table.First();
    table.Edit();
    table.Field("Klasse").SetAsText("Kreisliga");
    EXPECT_EQ(ErrorOf([&] { table.Post(); }), "Key violation.");
    EXPECT_EQ(table.PhysicalRows().size(), rowsBefore);
    table.Field("Jahr").SetAsInteger(2011);
    table.Post();
    EXPECT_EQ(listed(), "2009 Kreisliga; 2010 Bezirksliga; 2010 Kreisliga; 2011 Kreisliga; ");
    EXPECT_EQ(table.DisplayIndex(), 3);

    // Loaded again without its key, the table keeps physical order and takes equal keys.
    auto packet = table.PacketForSave();
    packet.KeyFields.clear();
    table.OpenFromPacket(std::move(packet));
    EXPECT_EQ(listed(), "2010 Bezirksliga; 2009 Kreisliga; 2010 Kreisliga; 2011 Kreisliga; ");
    add(2009, "Kreisliga");
    EXPECT_EQ(table.DisplayCount(), 5);
    EXPECT_EQ(table.DisplayIndex(), 4);
}

TEST(RecordTableMessages, CalendarTableRefusesSecondYearUntilLoaded) {
    TRecordTable table("t_spieltage");
    DefineFields(table, SpieltageRecordFields());
    table.CreateEmpty();
    table.DefineIndex("", "Jahr", true);
    table.Close();
    table.Open();
    auto add = [&] {
        table.Append();
        table.Field("jahr").SetAsInteger(2009);
        table.Post();
    };
    add();
    EXPECT_EQ(ErrorOf(add), "Key violation.");
    table.Cancel();
    EXPECT_EQ(ErrorOf([&] { table.Refresh(); }),
              "t_spieltage: Die Änderungen müssen vor der Aktualisierung der Daten übernommen "
              "werden");
    table.OpenFromPacket([&] {
        auto p = table.PacketForSave();
        p.KeyFields.clear();
        return p;
    }());
    EXPECT_EQ(ErrorOf(add), "");
    EXPECT_EQ(table.DisplayCount(), 2);
}

TEST(RecordTableMessages, IndexWithDuplicatesIsRefused) {
    TRecordTable table("t");
    CreateSimple(table);
    AppendRow(table, 1, "a");
    AppendRow(table, 2, "a");
    EXPECT_EQ(ErrorOf([&] { table.DefineIndex("", "Name", true); }), "Key violation.");
    EXPECT_EQ(ErrorOf([&] { table.DefineIndex("", "Name;Jahr", true); }), "");
    EXPECT_EQ(ErrorOf([&] { table.DefineIndex("", "Jahr", false); }),
              "Index is being used to order table.");
    EXPECT_EQ(ErrorOf([&] { table.DefineIndex("", "Liga", false); }),
              "Index is being used to order table.");
    TRecordTable other("t2");
    CreateSimple(other);
    EXPECT_EQ(ErrorOf([&] { other.DefineIndex("", "Liga", false); }),
              "t2: Das Feld 'Liga' wurde nicht gefunden");
    EXPECT_EQ(ErrorOf([&] { other.DefineIndex("named", "Liga", false); }), "");
}

} // namespace
