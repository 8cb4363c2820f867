// The grid view, marks, the net change count and the packet exchange.
#include "data/Records.h"
#include "data/table/TableContent.h"
#include "test_RecordTableSupport.h"

namespace {

void CreateThree(TRecordTable& table, bool keyed = false) {
    CreateSimple(table, keyed);
    AppendRow(table, 1, "a");
    AppendRow(table, 2, "b");
    AppendRow(table, 3, "c");
    table.First();
}

TEST(RecordTableRows, MoveToResolvesItsTargetBeforeFinishEdit) {
    TRecordTable table("t");
    CreateThree(table);
    TRecordingLink link(&table);
    table.MoveTo(2);
    EXPECT_EQ(Describe(table), "browse cur=2 | a b c | a/4 b/4 c/4 | 1,0,4 2,0,4 3,0,4");
    EXPECT_EQ(link.Take(), "Leave Rows");

    table.MoveTo(1);
    table.Insert(); // pending row shows at 1, "b" at 2, "c" at 3
    EXPECT_EQ(table.DisplayCount(), 4);
    EXPECT_EQ(table.DisplayIndex(), 1);
    link.Take();
    table.MoveTo(3); // the untouched insert is cancelled; "c" is still the target
    EXPECT_EQ(Describe(table), "browse cur=2 | a b c | a/4 b/4 c/4 | 1,0,4 2,0,4 3,0,4");
    EXPECT_EQ(link.Take(), "Leave WriteBack Leave State Rows Rows");

    table.Insert();
    table.Field("Name").SetAsText("n"); // no year: the post fails
    EXPECT_EQ(ErrorOf([&] { table.MoveTo(0); }), "Feld 'Jahr' muss einen Wert haben");
    EXPECT_EQ(table.State(), tsInsert);
    EXPECT_EQ(table.DisplayIndex(), 2);
    table.Field("Jahr").SetAsInteger(9);
    table.MoveTo(2); // the pending row itself: posted where it stands
    EXPECT_EQ(Describe(table),
              "browse cur=2 | a b n c | a/4 b/4 c/4 n/4 | 1,0,4 2,0,4 3,0,4 4,0,4");
    table.MoveTo(99); // no such row
    EXPECT_EQ(table.DisplayIndex(), 2);
}

TEST(RecordTableRows, MoveToAfterAnEditMovedTheRow) {
    TRecordTable table("t");
    CreateThree(table, true);
    table.Edit();
    table.Field("Name").SetAsText("z"); // a -> z: after the post it stands last
    table.MoveTo(1);                    // "b"
    EXPECT_EQ(Describe(table), "browse cur=0 | b c z | a/5 b/4 c/4 z/12 | 1,0,4 2,0,4 3,0,4 4,1,8");
    table.MoveTo(2);
    table.Edit();
    table.Field("Name").SetAsText("y");
    table.MoveTo(2); // the edited row itself, now at 1
    EXPECT_EQ(table.DisplayIndex(), 2);
    EXPECT_EQ(table.Field("Name").AsText(), "y");
}

TEST(RecordTableRows, MoveBy) {
    TRecordTable table("t");
    CreateThree(table);
    table.MoveBy(5);
    EXPECT_EQ(Describe(table), "browse cur=2 eof | a b c | a/4 b/4 c/4 | 1,0,4 2,0,4 3,0,4");
    table.MoveBy(-1);
    EXPECT_EQ(table.DisplayIndex(), 1);
    EXPECT_FALSE(table.Eof());
    table.MoveBy(-5);
    EXPECT_EQ(Describe(table), "browse cur=0 bof | a b c | a/4 b/4 c/4 | 1,0,4 2,0,4 3,0,4");
}

TEST(RecordTableRows, Marks) {
    TRecordTable table("t");
    EXPECT_EQ(table.RowMark(), std::nullopt); // closed
    CreateSimple(table);
    EXPECT_EQ(table.RowMark(), std::nullopt); // empty
    AppendRow(table, 1, "a");
    AppendRow(table, 2, "b");
    table.First();
    const auto mark = table.RowMark();
    ASSERT_TRUE(mark);
    table.Last();
    TRecordingLink link(&table);
    table.GoToMark(mark);
    EXPECT_EQ(table.Field("Name").AsText(), "a");
    EXPECT_EQ(link.Take(), "Leave Rows");
    table.GoToMark(std::nullopt);
    EXPECT_EQ(link.Take(), "");
    table.Insert();
    EXPECT_EQ(table.RowMark(), std::nullopt);
    table.Cancel();
    table.Edit(); // an edit pending keeps the mark of the edited row
    EXPECT_EQ(table.RowMark(), mark);
}

TEST(RecordTableRows, NetChangeCount) {
    struct TCase {
        const char* Name;
        std::function<void(TRecordTable&)> Action;
        int Count;
    };
    auto edit = [](TRecordTable& t, const char* name) {
        t.Edit();
        t.Field("Name").SetAsText(name);
        t.Post();
    };
    const std::vector<TCase> cases = {
        {"nothing", [](TRecordTable&) {}, 0},
        {"insert", [](TRecordTable& t) { AppendRow(t, 1, "x"); }, 1},
        {"insert, delete", [](TRecordTable& t) { AppendRow(t, 1, "x"), t.Delete(); }, 0},
        {"insert, edit", [&](TRecordTable& t) { AppendRow(t, 1, "x"), edit(t, "y"); }, 1},
        {"edit", [&](TRecordTable& t) { edit(t, "y"); }, 1},
        {"edit twice", [&](TRecordTable& t) { edit(t, "y"), edit(t, "z"); }, 1},
        {"edit and back", [&](TRecordTable& t) { edit(t, "y"), edit(t, "a"); }, 0},
        {"edit, delete", [&](TRecordTable& t) { edit(t, "y"), t.Delete(); }, 1},
        {"delete two", [](TRecordTable& t) { t.Delete(), t.Delete(); }, 2},
    };
    for (const auto& c : cases) {
        TRecordTable table("t");
        TDataPacket packet; // two rows as loaded from a file without changes
        packet.Fields = {{"Jahr", ctInteger, 0, true}, {"Name", ctText, 10, false}};
        packet.Rows = {{{1, std::string("a")}, 0}, {{2, std::string("b")}, 0}};
        table.OpenFromPacket(packet);
        c.Action(table);
        EXPECT_EQ(table.NetChangeCount(), c.Count) << c.Name;
    }
}

TEST(RecordTableRows, PacketRowsAsTheFileGetsThem) {
    TRecordTable table("t");
    TDataPacket packet;
    packet.Fields = {{"Jahr", ctInteger, 0, true}, {"Name", ctText, 10, false}};
    packet.Rows = {{{1, std::string("c")}, 0},
                   {{2, std::string("gone")}, rsDeleted},
                   {{3, std::string("a")}, rsInserted},
                   {{4, std::string("old")}, rsSuperseded}};
    packet.KeyFields = {1};
    TRecordingLink link(&table);
    table.OpenFromPacket(packet);
    EXPECT_EQ(link.Take(), "State Rows");
    EXPECT_EQ(Describe(table), "browse cur=0 bof | a c | c/0 gone/2 a/4 old/1 |");
    // Without change log: the visible rows in the default order, status as held.
    auto saved = table.PacketForSave();
    ASSERT_EQ(saved.Rows.size(), 2u);
    EXPECT_EQ(std::get<std::string>(saved.Rows[0].Values[1]), "a");
    EXPECT_EQ(saved.Rows[0].Status, rsInserted);
    EXPECT_EQ(saved.KeyFields, std::vector<int>{1});
    // With a change log: every physical row in physical order.
    table.Last();
    table.Delete();
    saved = table.PacketForSave();
    ASSERT_EQ(saved.Rows.size(), 4u);
    EXPECT_EQ(saved.Rows[0].Status, rsDeleted);
    EXPECT_EQ(saved.ChangeLog, (std::vector<TChangeEntry>{{1, 0, 2}}));
    // A packet without key fields lists its rows in physical order and takes equal keys.
    saved.KeyFields.clear();
    table.OpenFromPacket(saved);
    EXPECT_EQ(Describe(table), "browse cur=0 bof | a | c/2 gone/2 a/4 old/1 | 1,0,2");
    AppendRow(table, 5, "a");
    EXPECT_EQ(table.DisplayCount(), 2);
}

TEST(RecordTableRows, ContentTakenOverWhole) {
    TRecordTable table("t");
    TTableContent content;
    content.Columns = {{"Jahr", ctInteger, 0, true}, {"Name", ctText, 10, false}};
    content.Rows.push_back(EncodeRow({2009, std::string("a")}, 0));
    content.Rows.push_back(EncodeRow({2010}, 0)); // missing values are empty
    table.OpenOnContent(std::move(content));
    EXPECT_EQ(Describe(table), "browse cur=0 bof | a  | a/0 -/0 |");
}

TDataPacket StaffelPacket(bool mannschaftRequired = false) {
    TRecordTable staffel("t_staffel");
    DefineFields(staffel, StaffelRecordFields());
    staffel.CreateEmpty();
    staffel.Append();
    staffel.Field("Jahr").SetAsInteger(2009);
    staffel.Field("Klasse").SetAsText("Kreisliga");
    staffel.Field("10Klasse").SetAsBoolean(true);
    staffel.Field("Ueberschrift").SetAsText("Badminton");
    staffel.Post();
    auto packet = staffel.PacketForSave();
    packet.Fields[5].Required = mannschaftRequired; // Mannschaft
    packet.Fields.push_back({"Extra", ctText, 5, false});
    for (auto& row : packet.Rows)
        row.Values.push_back(std::string("x"));
    return packet;
}

TEST(RecordTableRows, FixedFieldListBindsByName) {
    TRecordTable kopie("table_kopie");
    kopie.SetFixedFieldList(true);
    DefineFields(kopie, KopieRecordFields());
    kopie.OpenFromPacket(StaffelPacket());
    ASSERT_EQ(kopie.FieldCount(), 26);
    EXPECT_EQ(kopie.FieldAt(1).Name(), "Klasse");
    EXPECT_EQ(kopie.FieldAt(25).Name(), "Ueberschrift");
    EXPECT_EQ(kopie.FieldAt(25).AsText(), "Badminton");
    EXPECT_EQ(kopie.Field("klasse").AsText(), "Kreisliga");
    EXPECT_EQ(kopie.FindField("Extra"), nullptr);
    EXPECT_EQ(kopie.DisplayText(0, 2), "2009");

    // The table check uses the fixed list's flags.
    kopie.Append();
    kopie.Field("Klasse").SetAsText("Bezirksliga");
    kopie.Field("Jahr").SetAsInteger(2009);
    kopie.Field("10Klasse").SetAsBoolean(false);
    EXPECT_EQ(ErrorOf([&] { kopie.Post(); }), "Feld 'id' muss einen Wert haben");
    kopie.Field("id").SetAsInteger(99);
    EXPECT_EQ(ErrorOf([&] { kopie.Post(); }), "Feld 'Ueberschrift' muss einen Wert haben");
    kopie.Field("Ueberschrift").SetAsText(""); // empty text passes both checks here
    EXPECT_EQ(ErrorOf([&] { kopie.Post(); }), "");
    // The store keeps the packet's columns, in the packet's order.
    const auto saved = kopie.PacketForSave();
    ASSERT_EQ(saved.Fields.size(), 27u);
    EXPECT_EQ(saved.Fields[1].Name, "Ueberschrift");
    EXPECT_EQ(saved.Fields[26].Name, "Extra");
    EXPECT_EQ(std::get<std::int32_t>(saved.Rows[1].Values[0]), 99);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(saved.Rows[1].Values[26]));
}

TEST(RecordTableRows, FixedFieldListStoreCheckUsesThePacketsFlags) {
    TRecordTable kopie("table_kopie");
    kopie.SetFixedFieldList(true);
    DefineFields(kopie, KopieRecordFields());
    kopie.OpenFromPacket(StaffelPacket(true));
    kopie.Edit();
    kopie.Field("id").SetAsInteger(99);
    EXPECT_EQ(ErrorOf([&] { kopie.Post(); }), "Field value required."); // Mannschaft
    kopie.Field("Mannschaft").SetAsText("TSV");
    EXPECT_EQ(ErrorOf([&] { kopie.Post(); }), "");
}

TEST(RecordTableRows, FixedFieldWithoutColumnFailsNamed) {
    TRecordTable kopie("table_kopie");
    kopie.SetFixedFieldList(true);
    DefineFields(kopie, KopieRecordFields());
    auto packet = StaffelPacket();
    packet.Fields[1].Name = "Titel"; // no Ueberschrift any more
    EXPECT_EQ(ErrorOf([&] { kopie.OpenFromPacket(packet); }),
              "table_kopie: Das Feld 'Ueberschrift' wurde nicht gefunden");
    EXPECT_EQ(kopie.State(), tsInactive);
    EXPECT_EQ(ErrorOf([&] { kopie.Open(); }),
              "table_kopie: Fehlender Daten-Provider oder Datenpaket");
    EXPECT_TRUE(kopie.Field("Klasse").IsNull());
}

} // namespace
