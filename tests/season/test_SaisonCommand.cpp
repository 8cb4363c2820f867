// staffelplan-saison run as a program: what it prints and its exit status.
#include "CrlfLines.h"
#include "SeasonGenerator.h"
#include "SeasonSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

namespace {

using enum TSlotName;

struct TRun {
    int Status = -1;
    std::string Output; // standard output
};

// Runs the program with the arguments (already quoted for the shell);
// standard error goes to err.txt in the folder.
TRun RunSaison(const std::filesystem::path& folder, const std::string& arguments) {
    const std::string command = std::string("'") + STAFFEL_SAISON_PROGRAM + "' " + arguments +
                                " 2>'" + (folder / "err.txt").string() + "'";
    TRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer;
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        run.Output.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class SaisonCommand : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/staffel-saison-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    void WriteDivisions(const std::vector<TDivisionValues>& divisions) {
        TRecordTable table("t_staffel");
        FillDivisionTable(table, divisions);
        table.Save((folder_ / "Ligatafel.xml").string());
    }

    void WriteClubs(const std::vector<TClubValues>& clubs) {
        TRecordTable table("t_vereine");
        FillClubTable(table, clubs);
        table.Save((folder_ / "Vereine.xml").string());
    }

    std::string Folder() const { return "'" + folder_.string() + "'"; }
    std::string Errors() const { return ReadText(folder_ / "err.txt"); }

    std::filesystem::path folder_;
};

// Two divisions of 2026 where TV Hude is at home at once on every date of 1A.
std::vector<TDivisionValues> ClashingSeason() {
    TDivisionValues d0 = Division8("Nord"), d1 = Division8("Sued");
    SetTeam(d0, s1A, "TV Hude");
    SetTeam(d1, s1A, "TV Hude 2");
    TDivisionValues other = Division8("Alt");
    other.Jahr = 2025;
    return {d0, d1, other};
}

TEST_F(SaisonCommand, ExitStatusTellsWhetherThereAreClashes) {
    WriteDivisions(ClashingSeason());
    const TRun clashes = RunSaison(folder_, Folder());
    EXPECT_EQ(clashes.Status, 1) << Errors();
    EXPECT_EQ(clashes.Output.rfind("\xEF\xBB\xBF"
                                   "Datum;Uhrzeit;Verein;Art;",
                                   0),
              0u);
    EXPECT_NE(clashes.Output.find("05.09.2026;15:00;TV Hude;Halle;Nord 2026;1;TV Hude;Nord 1B"),
              std::string::npos)
        << clashes.Output;

    const TRun clean = RunSaison(folder_, "--jahr 2025 " + Folder());
    EXPECT_EQ(clean.Status, 0) << Errors();
    EXPECT_EQ(clean.Output, "\xEF\xBB\xBF"
                            "Datum;Uhrzeit;Verein;Art;Staffel;Spieltag;Heim;Gast\r\n");

    // The club table's capacity of 2 takes the clashes away.
    WriteClubs({{"TV Hude", 2, {}}});
    EXPECT_EQ(RunSaison(folder_, Folder()).Status, 0) << Errors();
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Ligatafel.xml.bak"));
}

TEST_F(SaisonCommand, ClubPlan) {
    WriteDivisions(ClashingSeason());
    const TRun plan = RunSaison(folder_, "--jahr=2026 --verein 'tv hude' " + Folder());
    EXPECT_EQ(plan.Status, 0) << Errors();
    EXPECT_EQ(plan.Output.rfind("\xEF\xBB\xBF"
                                "Datum;Uhrzeit;Staffel;Spieltag;Heim;Gast;Heimspiel;Ergebnis;"
                                "Verlegt\r\n"
                                "05.09.2026;15:00;Nord 2026;1;TV Hude;Nord 1B;ja;;\r\n",
                                0),
              0u)
        << plan.Output;
    const TRun unknown = RunSaison(folder_, "--verein 'BC Nirgendwo' " + Folder());
    EXPECT_EQ(unknown.Status, 2);
    EXPECT_NE(Errors().find("BC Nirgendwo"), std::string::npos);
}

TEST_F(SaisonCommand, UnreadableFilesAndBadArgumentsGiveTwo) {
    struct {
        const char* Ligatafel; // nullptr: no file
        const char* Arguments;
        const char* Message;
    } const cases[] = {
        {nullptr, "", "Ligatafel.xml"}, {"<DATAPACKET", "", "Ligatafel.xml"},
        {"", "", "Ligatafel.xml"},      {nullptr, "--jahr zwanzig", "zwanzig"},
        {nullptr, "--jahr", "--jahr"},  {nullptr, "--vorschlagen", "--vorschlagen"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(folder_ / "Ligatafel.xml");
        if (c.Ligatafel)
            std::ofstream(folder_ / "Ligatafel.xml") << c.Ligatafel;
        const TRun run = RunSaison(folder_, Folder() + " " + c.Arguments);
        EXPECT_EQ(run.Status, 2) << c.Arguments << " " << (c.Ligatafel ? c.Ligatafel : "-");
        EXPECT_NE(Errors().find(c.Message), std::string::npos) << Errors();
        EXPECT_EQ(run.Output, "") << c.Arguments;
    }
    // An unreadable club file is an unreadable file too.
    WriteDivisions(ClashingSeason());
    std::ofstream(folder_ / "Vereine.xml") << "kaputt";
    EXPECT_EQ(RunSaison(folder_, Folder()).Status, 2);
    EXPECT_NE(Errors().find("Vereine.xml"), std::string::npos) << Errors();
}

} // namespace

namespace {

TEST_F(SaisonCommand, ProposalForOneDivisionAndTheSeason) {
    WriteDivisions(ClashingSeason());
    // TV Hude of Nord goes to 4B, the one slot never at home with 1A.
    const std::string expected = "\xEF\xBB\xBF"
                                 "Staffel;Mannschaft;von;nach\r\n"
                                 "Nord 2026;TV Hude;1A;4B\r\n"
                                 "Nord 2026;Nord 4B;4B;1A\r\n";
    const TRun proposal = RunSaison(folder_, "--jahr 2026 --vorschlag nord " + Folder());
    EXPECT_EQ(proposal.Status, 0) << Errors();
    EXPECT_EQ(proposal.Output, expected);
    EXPECT_EQ(Errors(), "Konflikte vorher 7, nachher 0\n");

    const TRun season = RunSaison(folder_, "--optimieren " + Folder());
    EXPECT_EQ(season.Status, 0) << Errors();
    EXPECT_EQ(season.Output, expected);
    EXPECT_EQ(Errors(), "Konflikte vorher 7, nachher 0\n");

    // Nothing to gain: an empty proposal is a proposal.
    const TRun empty = RunSaison(folder_, "--vorschlag Alt " + Folder());
    EXPECT_EQ(empty.Status, 0) << Errors();
    EXPECT_EQ(empty.Output, "\xEF\xBB\xBF"
                            "Staffel;Mannschaft;von;nach\r\n");
    EXPECT_EQ(Errors(), "Konflikte vorher 0, nachher 0\n");
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Ligatafel.xml.bak"));
}

TEST_F(SaisonCommand, ProposalErrorsGiveTwo) {
    WriteDivisions(ClashingSeason());
    struct {
        const char* Arguments;
        const char* Message;
    } const cases[] = {
        {"--vorschlag Mitte", "Eine Staffel \xE2\x80\x9EMitte\xE2\x80\x9C gibt es nicht."},
        {"--jahr 2025 --vorschlag Nord", "gibt es im Jahr 2025 nicht."},
        {"--vorschlag Nord --optimieren", "Nur eine der Optionen"},
        {"--verein 'TV Hude' --optimieren", "Nur eine der Optionen"},
        {"--vorschlag", "--vorschlag braucht einen Wert"},
    };
    for (const auto& c : cases) {
        const TRun run = RunSaison(folder_, Folder() + " " + c.Arguments);
        EXPECT_EQ(run.Status, 2) << c.Arguments;
        EXPECT_NE(Errors().find(c.Message), std::string::npos) << c.Arguments << ": " << Errors();
        EXPECT_EQ(run.Output, "") << c.Arguments;
    }
}

} // namespace

namespace {

class SaisonTable : public SaisonCommand {
protected:
    void WriteTies(const std::vector<TTieRecord>& ties) {
        TRecordTable table("t_begegnungen");
        FillTieTable(table, ties);
        table.Save((folder_ / "Begegnungen.xml").string());
    }
};

TTieRecord NordTie(const char* home, const char* away, TScorePair spiele, TScorePair saetze) {
    TTieRecord tie;
    tie.Jahr = 2026;
    tie.Klasse = "Nord";
    tie.Heim = home;
    tie.Gast = away;
    tie.Status = TTieState::Gespielt;
    tie.Result = {spiele, saetze, {}};
    return tie;
}

TEST_F(SaisonTable, TableAsCsvAndPlansWithMovedTies) {
    WriteDivisions(ClashingSeason());
    TTieRecord moved = NordTie("TV Hude", "Nord 1B", {5, 3}, {10, 6});
    moved.Datum = Day(8, 9);
    moved.Uhrzeit = "17:30";
    WriteTies({moved, NordTie("Nord 2A", "Nord 2B", {4, 4}, {9, 9}),
               NordTie("Nord 3A", "Nord 3B", {4, 4}, {9, 9})});
    const TRun table = RunSaison(folder_, "--tabelle nord --jahr 2026 " + Folder());
    EXPECT_EQ(table.Status, 0) << Errors();
    const auto lines = CrlfLines(table.Output.substr(3));
    ASSERT_EQ(lines.size(), 9u) << table.Output;
    EXPECT_EQ(lines[0], "Platz;Mannschaft;Begegnungen;Siege;Unentschieden;Niederlagen;Punkte;"
                        "Spiele;Saetze;Ballpunkte");
    EXPECT_EQ(lines[1], "1;TV Hude;1;1;0;0;2:0;5:3;10:6;0:0");
    EXPECT_EQ(lines[2], "2;Nord 2A;1;0;1;0;1:1;4:4;9:9;0:0");
    EXPECT_EQ(lines[3], ";Nord 2B;1;0;1;0;1:1;4:4;9:9;0:0");
    EXPECT_EQ(lines[4], ";Nord 3A;1;0;1;0;1:1;4:4;9:9;0:0");

    const TRun plan = RunSaison(folder_, "--jahr 2026 --verein 'TV Hude' " + Folder());
    EXPECT_NE(plan.Output.find("\r\n08.09.2026;17:30;Nord 2026;1;TV Hude;Nord 1B;ja;5:3;ja\r\n"),
              std::string::npos)
        << plan.Output;
    // The clash on 05.09. at 15 Uhr went with the moved tie; others stay.
    const TRun clashes = RunSaison(folder_, "--jahr 2026 " + Folder());
    EXPECT_EQ(clashes.Status, 1);
    EXPECT_EQ(clashes.Output.find("05.09.2026;15:00"), std::string::npos) << clashes.Output;
}

TEST_F(SaisonTable, UnknownClassOrUnreadableTieFileGiveTwo) {
    WriteDivisions(ClashingSeason());
    const TRun unknown = RunSaison(folder_, "--tabelle Kreisliga " + Folder());
    EXPECT_EQ(unknown.Status, 2);
    EXPECT_NE(Errors().find("Kreisliga"), std::string::npos) << Errors();
    std::ofstream(folder_ / "Begegnungen.xml") << "<DATAPACKET";
    const TRun unreadable = RunSaison(folder_, "--tabelle Nord --jahr 2026 " + Folder());
    EXPECT_EQ(unreadable.Status, 2);
    EXPECT_NE(Errors().find("Begegnungen.xml"), std::string::npos) << Errors();
}

} // namespace
