// The table driven through its states; after each step the whole picture
// (state, cursor, flags, rows, statuses, change log) and the notices a link received.
#include "test_RecordTableSupport.h"

namespace {

struct TStep {
    const char* Name;
    std::function<void(TRecordTable&)> Action;
    const char* Picture;
    const char* Notices;
    const char* Error = "";
};

void RunSteps(const std::vector<TStep>& steps) {
    TRecordTable table("t");
    TRecordingLink link(&table);
    for (const auto& step : steps) {
        const std::string error = ErrorOf([&] { step.Action(table); });
        EXPECT_EQ(error, step.Error) << step.Name;
        EXPECT_EQ(Describe(table), step.Picture) << step.Name;
        EXPECT_EQ(link.Take(), step.Notices) << step.Name;
    }
}

auto Set(const char* field, const char* text) {
    return [=](TRecordTable& t) { t.Field(field).SetAsText(text); };
}

TEST(RecordTableStates, InsertEditPostDeleteUnkeyed) {
    RunSteps({
        {"create", [](TRecordTable& t) { CreateSimple(t); }, "browse cur=-1 bof eof | | |",
         "State Rows"},
        {"append", [](TRecordTable& t) { t.Append(); }, "insert cur=0 |  | |", "Leave State Rows"},
        {"type name", Set("Name", "b"), "insert cur=0 mod | b | |", "Field:Name"},
        {"type year", Set("Jahr", "2009"), "insert cur=0 mod | b | |", "Field:Jahr"},
        {"post", [](TRecordTable& t) { t.Post(); }, "browse cur=0 | b | b/4 | 1,0,4",
         "WriteBack Leave State Rows"},
        {"insert before", [](TRecordTable& t) { t.Insert(); }, "insert cur=0 |  b | b/4 | 1,0,4",
         "Leave State Rows"},
        {"type", Set("Name", "a"), "insert cur=0 mod | a b | b/4 | 1,0,4", "Field:Name"},
        {"post without year", [](TRecordTable& t) { t.Post(); },
         "insert cur=0 mod | a b | b/4 | 1,0,4", "WriteBack Leave Focus:Jahr",
         "Feld 'Jahr' muss einen Wert haben"},
        {"type year", Set("Jahr", "2010"), "insert cur=0 mod | a b | b/4 | 1,0,4", "Field:Jahr"},
        {"post", [](TRecordTable& t) { t.Post(); }, "browse cur=0 | a b | b/4 a/4 | 1,0,4 2,0,4",
         "WriteBack Leave State Rows"},
        {"last", [](TRecordTable& t) { t.Last(); },
         "browse cur=1 eof | a b | b/4 a/4 | 1,0,4 2,0,4", "Leave Rows"},
        {"next at eof", [](TRecordTable& t) { t.Next(); },
         "browse cur=1 eof | a b | b/4 a/4 | 1,0,4 2,0,4", "Leave"},
        {"first", [](TRecordTable& t) { t.First(); },
         "browse cur=0 bof | a b | b/4 a/4 | 1,0,4 2,0,4", "Leave Rows"},
        {"prior at bof", [](TRecordTable& t) { t.Prior(); },
         "browse cur=0 bof | a b | b/4 a/4 | 1,0,4 2,0,4", "Leave"},
        {"next", [](TRecordTable& t) { t.Next(); }, "browse cur=1 | a b | b/4 a/4 | 1,0,4 2,0,4",
         "Leave Rows"},
        {"next past last", [](TRecordTable& t) { t.Next(); },
         "browse cur=1 eof | a b | b/4 a/4 | 1,0,4 2,0,4", "Leave Rows"},
        {"edit", [](TRecordTable& t) { t.Edit(); }, "edit cur=1 eof | a b | b/4 a/4 | 1,0,4 2,0,4",
         "State EditStart"},
        {"edit again", [](TRecordTable& t) { t.Edit(); },
         "edit cur=1 eof | a b | b/4 a/4 | 1,0,4 2,0,4", ""},
        {"post unchanged", [](TRecordTable& t) { t.Post(); },
         "browse cur=1 | a b | b/4 a/4 | 1,0,4 2,0,4", "WriteBack Leave State Rows"},
        {"edit and type", [](TRecordTable& t) { t.Edit(), t.Field("name").SetAsText("c"); },
         "edit cur=1 mod | a c | b/4 a/4 | 1,0,4 2,0,4", "State EditStart Field:Name"},
        {"post", [](TRecordTable& t) { t.Post(); },
         "browse cur=1 | a c | b/5 a/4 c/12 | 1,0,4 2,0,4 3,1,8", "WriteBack Leave State Rows"},
        {"delete last row", [](TRecordTable& t) { t.Delete(); },
         "browse cur=0 | a | b/5 a/4 c/14 | 1,0,4 2,0,4 3,1,8 3,0,2", "Leave Rows"},
        {"edit", [](TRecordTable& t) { t.Edit(), t.Field("Name").SetAsText("x"); },
         "edit cur=0 mod | x | b/5 a/4 c/14 | 1,0,4 2,0,4 3,1,8 3,0,2",
         "State EditStart Field:Name"},
        {"delete while editing", [](TRecordTable& t) { t.Delete(); },
         "browse cur=-1 bof eof | | b/5 a/6 c/14 | 1,0,4 2,0,4 3,1,8 3,0,2 2,0,2",
         "Leave State Rows"},
        {"delete on empty", [](TRecordTable& t) { t.Delete(); },
         "browse cur=-1 bof eof | | b/5 a/6 c/14 | 1,0,4 2,0,4 3,1,8 3,0,2 2,0,2", "",
         "t: Operation bei leerer Datenmenge nicht ausführbar"},
        {"edit on empty inserts", [](TRecordTable& t) { t.Edit(); },
         "insert cur=0 |  | b/5 a/6 c/14 | 1,0,4 2,0,4 3,1,8 3,0,2 2,0,2", "Leave State Rows"},
        {"delete in insert cancels", [](TRecordTable& t) { t.Delete(); },
         "browse cur=-1 bof eof | | b/5 a/6 c/14 | 1,0,4 2,0,4 3,1,8 3,0,2 2,0,2",
         "Leave State Rows"},
        {"post in browse", [](TRecordTable& t) { t.Post(); },
         "browse cur=-1 bof eof | | b/5 a/6 c/14 | 1,0,4 2,0,4 3,1,8 3,0,2 2,0,2", "",
         "t: Datenmenge weder im Editier- noch im Einfügemodus"},
        {"close", [](TRecordTable& t) { t.Close(); },
         "inactive cur=-1 bof eof | | b/5 a/6 c/14 | 1,0,4 2,0,4 3,1,8 3,0,2 2,0,2", "State"},
        {"open", [](TRecordTable& t) { t.Open(); },
         "browse cur=-1 bof eof | | b/5 a/6 c/14 | 1,0,4 2,0,4 3,1,8 3,0,2 2,0,2", "State Rows"},
    });
}

TEST(RecordTableStates, CancelAndFinishEdit) {
    auto three = [](TRecordTable& t) {
        CreateSimple(t);
        AppendRow(t, 1, "a");
        AppendRow(t, 2, "b");
        AppendRow(t, 3, "c");
        t.First();
        t.Next();
    };
    RunSteps({
        {"three rows, second current", three,
         "browse cur=1 | a b c | a/4 b/4 c/4 | 1,0,4 2,0,4 3,0,4",
         "State Rows Leave State Rows Field:Jahr Field:Name WriteBack Leave State Rows Leave State "
         "Rows Field:Jahr Field:Name WriteBack Leave State Rows Leave State Rows Field:Jahr "
         "Field:Name WriteBack Leave State Rows Leave Rows Leave Rows"},
        {"insert in the middle", [](TRecordTable& t) { t.Insert(); },
         "insert cur=1 | a  b c | a/4 b/4 c/4 | 1,0,4 2,0,4 3,0,4", "Leave State Rows"},
        {"cancel", [](TRecordTable& t) { t.Cancel(); },
         "browse cur=1 | a b c | a/4 b/4 c/4 | 1,0,4 2,0,4 3,0,4", "Leave State Rows"},
        {"cancel in browse", [](TRecordTable& t) { t.Cancel(); },
         "browse cur=1 | a b c | a/4 b/4 c/4 | 1,0,4 2,0,4 3,0,4", ""},
        {"append and cancel", [](TRecordTable& t) { t.Append(), t.Cancel(); },
         "browse cur=2 eof | a b c | a/4 b/4 c/4 | 1,0,4 2,0,4 3,0,4",
         "Leave State Rows Leave State Rows"},
        {"edit, type, cancel", [](TRecordTable& t) { t.Edit(), Set("Name", "z")(t), t.Cancel(); },
         "browse cur=2 eof | a b c | a/4 b/4 c/4 | 1,0,4 2,0,4 3,0,4",
         "State EditStart Field:Name Leave State Rows"},
        {"insert untouched, then first", [](TRecordTable& t) { t.Insert(), t.First(); },
         "browse cur=0 bof | a b c | a/4 b/4 c/4 | 1,0,4 2,0,4 3,0,4",
         "Leave State Rows Leave WriteBack Leave State Rows Rows"},
        {"typed insert is posted by a movement",
         [](TRecordTable& t) { t.Insert(), Set("Jahr", "4")(t), Set("Name", "n")(t), t.Last(); },
         "browse cur=3 eof | n a b c | a/4 b/4 c/4 n/4 | 1,0,4 2,0,4 3,0,4 4,0,4",
         "Leave State Rows Field:Jahr Field:Name Leave WriteBack WriteBack Leave State Rows Rows"},
        {"a failing post stops the movement",
         [](TRecordTable& t) { t.Edit(), Set("Jahr", "")(t), t.First(); },
         "edit cur=3 eof mod | n a b c | a/4 b/4 c/4 n/4 | 1,0,4 2,0,4 3,0,4 4,0,4",
         "State EditStart Field:Jahr Leave WriteBack WriteBack Leave Focus:Jahr",
         "Feld 'Jahr' muss einen Wert haben"},
        {"finish edit cancels an unmodified edit",
         [](TRecordTable& t) { t.Cancel(), t.Edit(), t.FinishEdit(); },
         "browse cur=3 eof | n a b c | a/4 b/4 c/4 n/4 | 1,0,4 2,0,4 3,0,4 4,0,4",
         "Leave State Rows State EditStart Leave WriteBack Leave State Rows"},
    });
}

TEST(RecordTableStates, OnNewRecordDefaultsAreNoModification) {
    TRecordTable table("t");
    CreateSimple(table);
    table.OnNewRecord = [](TRecordTable& t) { t.Field("Name").SetAsText("neu"); };
    table.Insert();
    EXPECT_FALSE(table.Modified());
    EXPECT_EQ(table.Field("Name").AsText(), "neu");
    table.Last(); // discarded, not posted
    EXPECT_TRUE(table.IsEmpty());
    EXPECT_TRUE(table.ChangeLog().empty());

    table.OnNewRecord = [](TRecordTable&) { throw TStaffelError("kaputt"); };
    TRecordingLink link(&table);
    EXPECT_EQ(ErrorOf([&] { table.Append(); }), "kaputt");
    EXPECT_EQ(table.State(), tsBrowse);
    EXPECT_EQ(table.DisplayCount(), 0);
    EXPECT_EQ(link.Take(), "Leave State State");
}

TEST(RecordTableStates, CloseDiscardsPendingAndKeepsSnapshot) {
    TRecordTable table("t");
    CreateSimple(table, true);
    AppendRow(table, 1, "b");
    AppendRow(table, 2, "a");
    table.Insert();
    table.Field("Name").SetAsText("pending");
    table.Close();
    EXPECT_EQ(Describe(table), "inactive cur=-1 | | b/4 a/4 | 1,0,4 2,0,4");
    EXPECT_TRUE(table.Field("Name").IsNull());
    EXPECT_EQ(table.RowMark(), std::nullopt);
    table.Open();
    EXPECT_EQ(Describe(table), "browse cur=0 bof | a b | b/4 a/4 | 1,0,4 2,0,4");
    // The key lives on in the snapshot.
    EXPECT_EQ(ErrorOf([&] { AppendRow(table, 3, "a"); }), "Key violation.");
    table.Open(); // no effect when open
    EXPECT_EQ(table.State(), tsInsert);
}

} // namespace
