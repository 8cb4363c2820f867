// The tie file through the store: created with its first record, its
// fields as other tools expect them, records refused by the rules, and
// records carried along when a team or the division is renamed.
#include "SeasonGenerator.h"
#include "SeasonSupport.h"

#include "season/TieCarry.h"
#include "season/TieTable.h"
#include "tests/data/test_StoreSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using enum TSlotName;

class TieStoreTest : public TStoreFolderTest {
protected:
    void SetUp() override {
        store_.FormCreate();
        AppendDivision(store_.t_staffel(), Nord());
        store_.SaveStaffel();
    }

    static TDivisionValues Nord() {
        TDivisionValues division = Division8("Nord");
        SetTeam(division, s1A, "TV Hude");
        return division;
    }

    TTieRecord Played(const std::string& home, const std::string& away) const {
        TTieRecord tie;
        tie.Jahr = 2026;
        tie.Klasse = "Nord";
        tie.Spieltag = "1";
        tie.Heim = home;
        tie.Gast = away;
        tie.Status = TTieState::Gespielt;
        tie.Result = {{5, 3}, {11, 7}, {386, 301}};
        return tie;
    }

    std::vector<TTieRecord> RecordsOnDisk() {
        TStore next(TRegionalSettings::German(), At140509);
        next.SetReadOnly(true);
        next.FormCreate();
        return TiesFromTable(next.t_begegnungen()).Ties;
    }
};

TEST_F(TieStoreTest, FileOnlyWithTheFirstRecordAndItsFieldsAsAgreed) {
    store_.SaveBegegnungen();
    store_.FormDestroy();
    EXPECT_EQ(FolderEntries(folder_.Path()),
              (std::vector<std::string>{"Ligatafel.xml", "Spieltage.xml"}));
    std::vector<std::string> told;
    store_.AfterSave.push_back([&](const std::string& name) { told.push_back(name); });
    SaveTieRecord(store_, Played("TV Hude", "Nord 1B"));
    EXPECT_EQ(told, std::vector<std::string>{BegegnungenFileName});
    const std::string file = ReadBytes(File(BegegnungenFileName));
    EXPECT_NE(
        file.find("<FIELDS><FIELD attrname=\"Jahr\" fieldtype=\"i4\" required=\"true\"/>"
                  "<FIELD attrname=\"Klasse\" fieldtype=\"string\" required=\"true\" WIDTH=\"30\""),
        std::string::npos)
        << file;
    for (const char* field : {"attrname=\"Spieltag\" fieldtype=\"string\" WIDTH=\"2\"",
                              "attrname=\"Gast\" fieldtype=\"string\" WIDTH=\"20\"",
                              "attrname=\"Datum\" fieldtype=\"date\"",
                              "attrname=\"Uhrzeit\" fieldtype=\"string\" WIDTH=\"5\"",
                              "attrname=\"Status\" fieldtype=\"string\" WIDTH=\"15\"",
                              "attrname=\"PunkteGast\" fieldtype=\"i4\"",
                              "attrname=\"Bemerkung\" fieldtype=\"string\" WIDTH=\"100\""})
        EXPECT_NE(file.find(field), std::string::npos) << field;
    EXPECT_EQ(RecordsOnDisk(), std::vector<TTieRecord>{Played("TV Hude", "Nord 1B")});
}

TEST_F(TieStoreTest, RecordFoundFoldedRefusedByTheRulesAndRemoved) {
    SaveTieRecord(store_, Played("TV Hude", "Nord 1B"));
    TTieRecord changed = Played("tv  hude", "NORD 1B");
    changed.Uhrzeit = "18:00";
    SaveTieRecord(store_, changed);
    EXPECT_EQ(RecordsOnDisk(), std::vector<TTieRecord>{changed}) << "one record, replaced";

    TTieRecord wrong = changed;
    wrong.Result.Spiele = {5, 4};
    try {
        SaveTieRecord(store_, wrong);
        ADD_FAILURE() << "refused";
    } catch (const TStaffelError& error) {
        EXPECT_NE(std::string(error.what()).find("h + a = 8"), std::string::npos) << error.what();
    }
    EXPECT_EQ(store_.t_begegnungen().State(), tsBrowse);
    EXPECT_EQ(*FindTieRecord(store_.t_begegnungen(), wrong), changed);
    EXPECT_TRUE(RemoveTieRecord(store_, wrong));
    EXPECT_FALSE(RemoveTieRecord(store_, wrong));
    EXPECT_TRUE(RecordsOnDisk().empty());
}

TEST_F(TieStoreTest, RenameCarriesRecordsAndBothFilesAreSaved) {
    SaveTieRecord(store_, Played("TV Hude", "Nord 1B"));
    SaveTieRecord(store_, Played("Nord 2A", "TV Hude"));
    SaveTieRecord(store_, Played("Nord 2A", "Nord 2B"));
    const TDivisionValues before = Nord();
    TRecordTable& staffel = store_.t_staffel();
    staffel.Edit();
    staffel.Field("Klasse").SetAsText("Nordost");
    staffel.Field("1A").SetAsText("TV Hude-W\xFC"
                                  "sting");
    staffel.Post();
    const TDivisionValues after = DivisionFromCurrentRow(staffel);
    EXPECT_TRUE(
        TiesLostByChange(before, after, TiesFromTable(store_.t_begegnungen()).Ties).empty());
    SaveDivisionWithTies(store_, before, after);

    std::vector<std::string> pairs;
    for (const TTieRecord& tie : RecordsOnDisk())
        pairs.push_back(tie.Klasse + ": " + tie.Heim + "-" + tie.Gast);
    std::sort(pairs.begin(), pairs.end());
    EXPECT_EQ(pairs, (std::vector<std::string>{"Nordost: Nord 2A-Nord 2B",
                                               "Nordost: Nord 2A-TV Hude-W\xFCsting",
                                               "Nordost: TV Hude-W\xFCsting-Nord 1B"}));
    TStore next(TRegionalSettings::German(), At140509);
    next.SetReadOnly(true);
    next.FormCreate();
    EXPECT_EQ(DivisionFromCurrentRow(next.t_staffel()).Klasse, "Nordost");
}

TEST_F(TieStoreTest, TiesLostByAChangeAreNamedFirst) {
    const TDivisionValues before = Nord();
    TDivisionValues after = before;
    // Each ordered pair meets once in the 8-team layout: swapped slots keep every tie.
    std::swap(after.Teams[0], after.Teams[2]);
    const std::vector<TTieRecord> records = {Played("TV Hude", "Nord 1B"),
                                             Played("Nord 2B", "Nord 3A")};
    EXPECT_TRUE(TiesLostByChange(before, after, records).empty());
    // A removed team loses its ties.
    after = before;
    SetTeam(after, s1A, "");
    EXPECT_EQ(TiesLostByChange(before, after, records).size(), 1u);
    // A renamed team in a slot keeps them.
    SetTeam(after, s1A, "TV Hude II");
    EXPECT_TRUE(TiesLostByChange(before, after, records).empty());
    EXPECT_EQ(CarriedTieRecord(before, after, records[0]).Heim, "TV Hude II");
}

} // namespace
