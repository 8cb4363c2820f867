// The club table's check before a post: what it refuses, what it tidies.
#include "data/Records.h"
#include "data/StaffelError.h"
#include "season/ClubRowCheck.h"

#include <gtest/gtest.h>

namespace {

struct TClubTable {
    TRecordTable Table;
    explicit TClubTable(TRegionalSettings settings = TRegionalSettings::German())
        : Table("t_vereine", std::move(settings)) {
        DefineFields(Table, VereineRecordFields());
        Table.CreateEmpty();
        Table.OnNewRecord = t_vereineNewRecord;
        Table.BeforePost = CheckClubRow;
        Add("TV Hude", "1", "");
    }
    // Appends and posts; returns the post's message, empty when it went through.
    std::string Add(const char* name, const char* capacity, const char* blocked) {
        Table.Append();
        Table.Field("Verein").SetAsText(name);
        if (*capacity)
            Table.Field("Kapazitaet").SetAsInteger(std::stoi(capacity));
        else
            Table.Field("Kapazitaet").Clear();
        Table.Field("Sperrtermine").SetAsText(blocked);
        try {
            Table.Post();
        } catch (const TStaffelError& error) {
            return error.what();
        }
        return {};
    }
};

TEST(ClubRowCheck, RefusesWhatTheSeasonCouldNotUse) {
    struct {
        const char* Name;
        const char* Capacity;
        const char* Blocked;
        const char* Message; // empty: posted
        const char* StoredCapacity;
        const char* StoredBlocked;
    } const cases[] = {
        {"SC Nord", "", "", "", "1", ""},
        {"SC Nord", "9", "3.10.2009 24.12.2009", "", "9", "2009-10-03; 2009-12-24"},
        {"SC Nord", "2", "24.12.2009;3.10.2009;3.10.2009", "", "2", "2009-10-03; 2009-12-24"},
        {"SC Nord", "0", "", "Die Kapazität muss zwischen 1 und 9 liegen, nicht 0.", "", ""},
        {"SC Nord", "10", "", "Die Kapazität muss zwischen 1 und 9 liegen, nicht 10.", "", ""},
        {"SC Nord", "1", "03.10.2009; Ostern",
         "„Ostern“ ist kein gültiges Datum. Sperrtermine werden als Datum eingegeben (etwa "
         "03.10.2009), getrennt durch Semikolon.",
         "", ""},
        {"  tv   HUDE ", "1", "", "Den Verein „TV Hude“ gibt es schon.", "", ""},
        {"   ", "1", "", "Der Verein braucht einen Namen.", "", ""},
    };
    for (const auto& c : cases) {
        TClubTable clubs;
        const std::string input = std::string(c.Name) + " / " + c.Capacity + " / " + c.Blocked;
        EXPECT_EQ(clubs.Add(c.Name, c.Capacity, c.Blocked), c.Message) << input;
        if (*c.Message) {
            EXPECT_EQ(clubs.Table.State(), tsInsert) << input;
            continue;
        }
        EXPECT_EQ(clubs.Table.Field("Kapazitaet").AsText(), c.StoredCapacity) << input;
        EXPECT_EQ(clubs.Table.Field("Sperrtermine").AsText(), c.StoredBlocked) << input;
    }
}

TEST(ClubRowCheck, BlockedDatesTypedInTheUsersFormatAreStoredInOneForm) {
    const auto withFormat = [](const char* shortDate) {
        TRegionalSettings settings = TRegionalSettings::German();
        settings.ShortDateFormat = shortDate;
        return settings;
    };
    // 22 dates fit the field as typed (1.1.2026;) but not as stored.
    std::string many;
    for (int day = 1; day <= 22; ++day)
        many += std::to_string(day) + ".1.2026;";
    struct {
        const char* Format;
        std::string Typed;
        const char* Message; // empty: posted
        const char* Stored;
    } const cases[] = {
        {"dd.MM.yyyy", "24.12.2009; 3.10.2009", "", "2009-10-03; 2009-12-24"},
        {"dd/MM/yyyy", "24/12/2009; 3/10/2009", "", "2009-10-03; 2009-12-24"},
        {"M/d/yyyy", "12/24/2009 10/3/2009", "", "2009-10-03; 2009-12-24"},
        {"dd-MM-yy", "24-12-09; 03-10-09", "", "2009-10-03; 2009-12-24"},
        // The stored form and the German one are taken under any settings.
        {"M/d/yyyy", "2009-12-24; 03.10.2009", "", "2009-10-03; 2009-12-24"},
        {"dd/MM/yyyy", "2009-10-03; 2009-12-24", "", "2009-10-03; 2009-12-24"},
        {"dd/MM/yyyy", "03/10/2009; Ostern",
         "„Ostern“ ist kein gültiges Datum. Sperrtermine werden als Datum eingegeben (etwa "
         "03/10/2009), getrennt durch Semikolon.",
         ""},
        {"dd.MM.yyyy", many,
         "Zu viele Sperrtermine: gespeichert brauchen sie 262 Zeichen, das Feld fasst 250.", ""},
    };
    for (const auto& c : cases) {
        TClubTable clubs(withFormat(c.Format));
        const std::string input = c.Typed + " under " + c.Format;
        EXPECT_EQ(clubs.Add("SC Nord", "1", c.Typed.c_str()), c.Message) << input;
        if (*c.Message) {
            EXPECT_EQ(clubs.Table.State(), tsInsert) << input;
        } else {
            EXPECT_EQ(clubs.Table.Field("Sperrtermine").AsText(), c.Stored) << input;
        }
    }
}

TEST(ClubRowCheck, AClubMayKeepItsOwnName) {
    TClubTable clubs;
    clubs.Table.First();
    clubs.Table.Edit();
    clubs.Table.Field("Verein").SetAsText("TV  HUDE");
    EXPECT_NO_THROW(clubs.Table.Post());
    EXPECT_EQ(clubs.Table.Field("Verein").AsText(), "TV  HUDE");
}

} // namespace
