// Links: attach order, safe detaching in every order, suspension.
#include "test_RecordTableSupport.h"

#include <memory>

namespace {

TEST(RecordTableLinks, NotifiedInAttachOrder) {
    TRecordTable table("t");
    std::vector<std::string> order;
    TRecordingLink a(&table, "a"), b(&table, "b");
    b.OnNotify = [&](TTableNotice, TField*) { order.push_back("b"); };
    a.OnNotify = [&](TTableNotice, TField*) { order.push_back("a"); };
    CreateSimple(table);
    EXPECT_EQ(order, (std::vector<std::string>{"a", "b", "a", "b"}));
    EXPECT_EQ(a.Take(), "aState aRows");
    EXPECT_EQ(b.Take(), "bState bRows");
    a.SetTable(&table); // re-attaching puts it last
    order.clear();
    table.First();
    EXPECT_EQ(order, (std::vector<std::string>{"b", "a", "b", "a"}));
}

TEST(RecordTableLinks, NothingDanglesWhateverTheOrder) {
    auto link = std::make_unique<TRecordingLink>();
    {
        TRecordTable table("t");
        link->SetTable(&table);
        auto shortLived = std::make_unique<TRecordingLink>(&table);
        shortLived.reset(); // detaches itself
        CreateSimple(table);
    }
    EXPECT_EQ(link->Table(), nullptr);
    link.reset(); // the table is gone; nothing to detach from
}

TEST(RecordTableLinks, LinksMayDetachAndAttachWhileNotified) {
    TRecordTable table("t");
    CreateSimple(table);
    auto second = std::make_unique<TRecordingLink>(&table, "2");
    std::unique_ptr<TRecordingLink> late;
    TRecordingLink first(&table, "1");
    // Reordered: second is attached before first.
    first.OnNotify = [&](TTableNotice notice, TField*) {
        if (notice == tnLeaveEdit) {
            late = std::make_unique<TRecordingLink>(&table, "3");
        }
    };
    second->OnNotify = [&](TTableNotice notice, TField*) {
        if (notice == tnRowsChange)
            second.reset(); // destroys itself in its own notification
    };
    table.First();
    EXPECT_EQ(first.Take(), "1Leave 1Rows");
    ASSERT_TRUE(late);
    EXPECT_EQ(late->Take(), "3Rows"); // attached during a notice: gets the next ones
    EXPECT_EQ(second, nullptr);
    first.OnNotify = nullptr;
    table.Last();
    EXPECT_EQ(late->Take(), "3Leave 3Rows");
}

TEST(RecordTableLinks, WriteBackFailureStopsThePost) {
    TRecordTable table("t");
    CreateSimple(table);
    TRecordingLink editor(&table);
    editor.OnNotify = [&](TTableNotice notice, TField*) {
        if (notice == tnWriteBack)
            table.Field("Jahr").SetAsText("20x9");
    };
    table.Append();
    table.Field("Name").SetAsText("a");
    editor.Take();
    EXPECT_EQ(ErrorOf([&] { table.Post(); }),
              "'20x9' ist kein gültiger Integerwert für Feld 'Jahr'");
    EXPECT_EQ(editor.Take(), "WriteBack");
    EXPECT_EQ(table.State(), tsInsert);
    EXPECT_TRUE(table.ChangeLog().empty());
    // Input written back at post is stored.
    editor.OnNotify = [&](TTableNotice notice, TField*) {
        if (notice == tnWriteBack)
            table.Field("Jahr").SetAsText("2009");
    };
    table.Post();
    EXPECT_EQ(table.Field("Jahr").AsInteger(), 2009);
}

TEST(RecordTableLinks, FinishEditPostsWhatALinkWritesBack) {
    TRecordTable table("t");
    CreateSimple(table);
    TRecordingLink editor(&table);
    table.Append();
    editor.OnNotify = [&](TTableNotice notice, TField*) {
        if (notice == tnWriteBack && table.Field("Jahr").IsNull())
            table.Field("Jahr").SetAsText("2009");
    };
    editor.Take();
    table.FinishEdit(); // unmodified until the write-back: now posted
    EXPECT_EQ(editor.Take(), "Leave WriteBack Field:Jahr WriteBack Leave State Rows");
    EXPECT_EQ(table.DisplayCount(), 1);
}

TEST(RecordTableLinks, SuspendNests) {
    TRecordTable table("t");
    CreateSimple(table);
    AppendRow(table, 1, "a");
    AppendRow(table, 2, "b");
    TRecordingLink link(&table);
    table.SuspendLinks();
    table.SuspendLinks();
    table.First();
    table.Edit();
    table.ResumeLinks();
    EXPECT_EQ(link.Take(), "");
    table.Cancel();
    table.Close(); // open/closed changes still reach the links
    EXPECT_EQ(link.Take(), "State");
    table.Open();
    EXPECT_EQ(link.Take(), "State");
    table.Edit();
    table.ResumeLinks(); // edit now, browse at the first suspension
    EXPECT_EQ(link.Take(), "State Rows");
    table.ResumeLinks(); // unmatched: ignored
    table.Cancel();
    EXPECT_EQ(link.Take(), "Leave State Rows");

    table.SuspendLinks();
    table.Close();
    EXPECT_EQ(link.Take(), "State");
    table.ResumeLinks(); // closed at the end: no rows notice
    EXPECT_EQ(link.Take(), "State");
}

} // namespace
