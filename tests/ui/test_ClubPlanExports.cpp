// Club plans: safe file names, every club's PDF in one folder, a club's PDF
// as real text, the plan through the report output's page source.
#include "data/StaffelError.h"
#include "report/qt/QtTextMeasure.h"
#include "tests/ui/FakeMessageBoxes.h"
#include "ui/exports/AllClubPdfs.h"
#include "ui/exports/ClubPlanExports.h"
#include "ui/exports/SafeFileName.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TDivisionValues Division(const std::string& klasse, const std::array<std::string, 8>& teams) {
    TDivisionValues division;
    division.Klasse = klasse;
    division.Jahr = 2026;
    for (int s = 0; s < 8; ++s)
        division.Teams[s] = teams[s];
    for (int d = 0; d < 8; ++d)
        division.Dates[d] = *DayFromCivil(2026, 9, 5) + 14 * d;
    return division;
}

// Club names no file system takes as they are (Windows-1252 bytes).
TSeason UnsafeSeason() {
    return TSeason({Division("Bezirksliga", {"A/B", "A:B", "..Versteckt", "CON", "x*y?z",
                                             "S\xFC\x64 <1>", "Nord|Ost", "Hude 2"}),
                    Division("Kreisliga", {"Hude 3", "a/b 2", "", "West", "", "", "", ""})},
                   TClubDirectory());
}

std::string PdfText(const QString& file) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        return "pdftotext failed";
    return process.readAllStandardOutput().toStdString();
}

TEST(SafeFileName, RefusedCharactersDotsAndDevices) {
    const struct {
        const char* title;
        const char* expected;
    } cases[] = {
        {"TV Hude 2026", "TV Hude 2026.pdf"},
        {"A/B\\C:D*E?F\"G<H>I|J", "A_B_C_D_E_F_G_H_I_J.pdf"},
        {"..versteckt", "versteckt.pdf"},
        {"  Punkt am Ende. ", "Punkt am Ende.pdf"},
        {"Tab\tNeu\nZeile", "Tab_Neu_Zeile.pdf"},
        {"CON", "CON_.pdf"},
        {"nul.txt", "nul.txt_.pdf"},
        {"com1", "com1_.pdf"},
        {"COM10", "COM10.pdf"},
        {"", "Verein.pdf"},
        {"...", "Verein.pdf"},
        {"Süd-Ost e.V.", "Süd-Ost e.V.pdf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SafeFileName(QString::fromUtf8(c.title), ".pdf", "Verein").toStdString(),
                  c.expected)
            << c.title;
}

TEST(SafeFileName, LengthInBytesAndUniqueWhateverTheCase) {
    const QString umlauts(200, QChar(0x00FC)); // two bytes each in UTF-8
    const QString cut = SafeFileName(umlauts, ".pdf", "Verein", 100);
    EXPECT_LE(cut.toUtf8().size(), 100);
    EXPECT_TRUE(cut.endsWith(".pdf"));
    const QString emoji = QString::fromUtf8("\xF0\x9F\x8F\xB8").repeated(40); // surrogate pairs
    const QString cutPairs = SafeFileName(emoji, ".pdf", "Verein", 50);
    EXPECT_LE(cutPairs.toUtf8().size(), 50);
    EXPECT_FALSE(cutPairs.toUtf8().contains("\xEF\xBF\xBD")) << "no half pair left";

    const QStringList names = UniqueSafeFileNames(
        {"A/B", "A:B", "a_b", "Hude", QString(300, 'x'), QString(300, 'x')}, ".pdf", "Verein", 60);
    EXPECT_EQ(names[0], "A_B.pdf");
    EXPECT_EQ(names[1], "A_B (2).pdf");
    EXPECT_EQ(names[2], "a_b (3).pdf");
    EXPECT_EQ(names[3], "Hude.pdf");
    EXPECT_LE(names[5].toUtf8().size(), 60);
    EXPECT_TRUE(names[5].endsWith(" (2).pdf")) << names[5].toStdString();
}

TEST(AllClubPdfs, OneRealPdfPerClubUnderSafeUniqueNames) {
    const TSeason season = UnsafeSeason();
    QTemporaryDir folder;
    const TQtTextMeasure measure;
    std::vector<std::pair<int, int>> steps;
    const TAllClubPdfs result =
        WriteAllClubPdfs(season, folder.path(), TRegionalSettings::German(),
                         *DayFromCivil(2026, 8, 1), measure, [&](int done, int total) {
                             steps.push_back({done, total});
                             return true;
                         });
    EXPECT_FALSE(result.Cancelled);
    EXPECT_TRUE(result.Errors.empty());
    const std::vector<TClubId> clubs = ClubsWithTeams(season);
    ASSERT_EQ(result.Clubs, static_cast<int>(clubs.size()));
    EXPECT_EQ(result.Clubs, 9) << "Hude 2 and Hude 3 are one club, a/b 2 is the club a/b = A/B";
    ASSERT_EQ(steps.size(), clubs.size() + 1);
    EXPECT_EQ(steps.back(), std::make_pair(result.Clubs, result.Clubs));

    QStringList files = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    QStringList written = result.Written;
    written.sort();
    EXPECT_EQ(files, written);
    for (const QString& name : files) {
        EXPECT_FALSE(name.startsWith('.')) << name.toStdString();
        for (QChar c : QStringLiteral("/\\:*?\"<>|"))
            EXPECT_FALSE(name.contains(c)) << name.toStdString();
    }
    EXPECT_TRUE(files.contains("A_B 2026.pdf"));
    EXPECT_TRUE(files.contains("A_B 2026 (2).pdf"));
    EXPECT_TRUE(files.contains("CON 2026.pdf"));
    EXPECT_TRUE(files.contains("Versteckt 2026.pdf"));
    EXPECT_TRUE(files.contains(QString::fromUtf8("Süd _1_ 2026.pdf")));

    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext missing";
    const std::string hude = PdfText(QDir(folder.path()).filePath("Hude 2026.pdf"));
    for (const char* part : {"Hude", "Spielplan der Saison:", "2026", "Bezirksliga", "Kreisliga",
                             "05.09.2026", "Seite 1 von 1", "Hude 2", "Hude 3"})
        EXPECT_NE(hude.find(part), std::string::npos) << part << "\n" << hude;
}

TEST(AllClubPdfs, CancelStopsBeforeTheNextClub) {
    const TSeason season = UnsafeSeason();
    QTemporaryDir folder;
    const TQtTextMeasure measure;
    const TAllClubPdfs result =
        WriteAllClubPdfs(season, folder.path(), TRegionalSettings::German(), 0, measure,
                         [](int done, int) { return done < 3; });
    EXPECT_TRUE(result.Cancelled);
    EXPECT_EQ(result.Written.size(), 3);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 3);
}

TEST(ClubPlanExports, FolderSummaryAndUnwritableFolder) {
    TFakeMessageBoxes boxes;
    const TSeason season = UnsafeSeason();
    QTemporaryDir folder;
    TClubPlanExports exports(nullptr);
    exports.AskFolder = [&](QWidget*, const QString&) { return folder.path(); };
    exports.Progress = [](int, int) { return true; };
    exports.SaveAllPdfs(season);
    ASSERT_EQ(boxes.Notices().size(), 1u);
    EXPECT_NE(boxes.Notices()[0].find("9 von 9 Plänen wurden nach"), std::string::npos)
        << boxes.Notices()[0];

    // Again: the files are there, the user is asked before they are replaced.
    boxes.Answer(caDecline);
    exports.SaveAllPdfs(season);
    EXPECT_EQ(boxes.Questions().size(), 1u);
    EXPECT_EQ(boxes.Questions()[0], "9 Dateien gibt es in diesem Ordner schon. Ersetzen?");
    EXPECT_EQ(boxes.Notices().size(), 1u);

    boxes.Clear();
    exports.AskFolder = [&](QWidget*, const QString&) {
        return folder.filePath("fehlt/gar/nicht"); // a folder that does not exist
    };
    exports.SaveAllPdfs(season);
    ASSERT_EQ(boxes.Errors().size(), 1u);
    EXPECT_NE(boxes.Errors()[0].find("0 von 9 Plänen"), std::string::npos) << boxes.Errors()[0];
    EXPECT_NE(boxes.Errors()[0].find("kann nicht erstellt werden"), std::string::npos)
        << boxes.Errors()[0];
}

TEST(ClubPlanExports, PlanGoesToTheReportOutputAsPages) {
    const TSeason season = UnsafeSeason();
    TClubPlanExports exports(nullptr);
    TGenerateResult generated;
    std::vector<int> pagesAsked;
    exports.RunPages = [&](const TPageSource& source) {
        const TQtTextMeasure measure;
        generated = source(measure, *DayFromCivil(2026, 8, 1), [&](int page) {
            pagesAsked.push_back(page);
            return true;
        });
    };
    TClubDirectory clubs;
    const TClubId west = season.Clubs().FindClub("West");
    ASSERT_NE(west, NoClub);
    exports.Print(season, west);
    EXPECT_FALSE(generated.Cancelled);
    ASSERT_EQ(generated.Pages.Pages.size(), 1u);
    EXPECT_EQ(generated.Pages.Title, "Spielplan West 2026");
    EXPECT_EQ(pagesAsked, std::vector<int>{1});

    // A club without games is refused before anything is run.
    TSeason empty({Division("Leer", {"", "", "", "", "", "", "", ""})}, TClubDirectory());
    generated = {};
    EXPECT_THROW(exports.Print(empty, NoClub), TStaffelError);
    EXPECT_TRUE(generated.Pages.Pages.empty());
}

} // namespace
