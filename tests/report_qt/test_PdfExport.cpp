// A PDF of each layout, read back with pdftotext: the match-day titles in
// order and the team names where the pairing tables put them.
#include "PageTestDivision.h"
#include "data/StaffelError.h"
#include "report/Fixtures.h"
#include "report/PageGenerator.h"
#include "report/qt/PdfExport.h"
#include "report/qt/QtTextMeasure.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace {

QString RunTool(const QString& tool, const QStringList& args) {
    QProcess process;
    process.start(tool, args);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

std::string Expected(const std::optional<TPairing>& pairing, bool home) {
    return TestTeamName(home ? pairing->Home : pairing->Away);
}

class PdfExport : public ::testing::TestWithParam<bool> {};

TEST_P(PdfExport, TitlesAndTeamsReadBack) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const bool ten = GetParam();
    const TFixtureLayout& layout = ten ? Klasse10Layout() : Klasse8Layout();
    auto table = MakeTestDivisionTable(ten);
    TReportBinding binding(*table, layout, TRegionalSettings::German());
    TQtTextMeasure measure;
    const TGenerateResult result = GeneratePages(layout, binding, TRegionalSettings::German(),
                                                 *DayFromCivil(2026, 12, 9), measure);
    binding.End();

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath("plan.pdf");
    ExportPdf(result.Pages, pdf);
    const std::string text = RunTool("pdftotext", {"-layout", pdf, "-"}).toStdString();

    std::vector<std::string> pages;
    std::stringstream split(text);
    for (std::string page; std::getline(split, page, '\f');)
        if (!page.empty())
            pages.push_back(page);
    ASSERT_EQ(pages.size(), layout.Pages.size()) << text;
    EXPECT_NE(pages[0].find("Badminton S\xC3\xBC"
                            "d"),
              std::string::npos);
    EXPECT_NE(pages[0].find("09.12.2026"), std::string::npos);
    if (ten)
        EXPECT_EQ(pages[1].find("Badminton"), std::string::npos) << "page 2 has no head";

    // Walk the lines: a title, then the "heim" label line, then the rows.
    std::vector<std::string> lines;
    for (const std::string& page : pages) {
        std::istringstream in(page);
        for (std::string line; std::getline(in, line);)
            if (line.find_first_not_of(' ') != std::string::npos)
                lines.push_back(line);
    }
    const std::regex title(R"(^\s*(\d+a?)\. Spieltag\s+(\S+))");
    std::size_t day = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::smatch m;
        if (!std::regex_search(lines[i], m, title))
            continue;
        ASSERT_LT(day, layout.MatchDays.size()) << lines[i];
        const TMatchDayPairings& block = layout.MatchDays[day++];
        std::string key(SpieltagKeyName(block.Day));
        if (key.back() == 'A')
            key.back() = 'a';
        EXPECT_EQ(m[1].str(), key) << lines[i];
        std::size_t row = i + 1;
        while (row < lines.size() && lines[row].find("heim") == std::string::npos)
            ++row;
        for (std::size_t r = 0; r < block.FirstGame.size(); ++r) {
            ASSERT_LT(row + 1 + r, lines.size());
            std::vector<std::string> want = {Expected(block.FirstGame[r], true),
                                             Expected(block.FirstGame[r], false)};
            if (block.SecondGame[r]) {
                want.push_back(Expected(block.SecondGame[r], true));
                want.push_back(Expected(block.SecondGame[r], false));
            }
            EXPECT_EQ(Words(lines[row + 1 + r]), want)
                << layout.Name << " day " << key << " row " << r + 1;
        }
    }
    EXPECT_EQ(day, layout.MatchDays.size()) << text;
}

TEST_P(PdfExport, A4WithEmbeddedFonts) {
    if (QStandardPaths::findExecutable("pdffonts").isEmpty() ||
        QStandardPaths::findExecutable("pdfinfo").isEmpty())
        GTEST_SKIP() << "pdffonts/pdfinfo (poppler-utils) are not installed";
    const TFixtureLayout& layout = GetParam() ? Klasse10Layout() : Klasse8Layout();
    auto table = MakeTestDivisionTable(GetParam());
    TReportBinding binding(*table, layout, TRegionalSettings::German());
    TQtTextMeasure measure;
    const TGenerateResult result = GeneratePages(layout, binding, TRegionalSettings::German(),
                                                 *DayFromCivil(2026, 12, 9), measure);
    binding.End();
    QTemporaryDir dir;
    const QString pdf = dir.filePath("plan.pdf");
    ExportPdf(result.Pages, pdf);
    const QString info = RunTool("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains("(A4)")) << info.toStdString();
    EXPECT_TRUE(info.contains(
        QRegularExpression(QStringLiteral("Title: +Staffelplan – Bezirksliga 2009\n"))))
        << info.toStdString();
    const QStringList fonts = RunTool("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(fonts.size(), 2) << "no fonts listed";
    for (qsizetype i = 2; i < fonts.size(); ++i)
        EXPECT_TRUE(fonts[i].contains(" yes ")) << "not embedded: " << fonts[i].toStdString();
}

INSTANTIATE_TEST_SUITE_P(Layouts, PdfExport, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Klasse10" : "Klasse8"; });

TEST(PdfExportFile, UnwritableFolderFailsWithThePath) {
    QTemporaryDir dir;
    const QString name = dir.filePath("no/such/folder/plan.pdf");
    try {
        ExportPdf(TReportPages{}, name);
        ADD_FAILURE() << "no error";
    } catch (const TStaffelError& e) {
        EXPECT_NE(std::string(e.what()).find("plan.pdf"), std::string::npos) << e.what();
    }
}

} // namespace
