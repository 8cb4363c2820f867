// Printing through a real CUPS queue (cups-pdf). Skips when the machine has
// no CUPS or no cups-pdf; tests/report_qt/cups_setup.sh prepares the queue.
#include "PageTestDivision.h"
#include "report/qt/ExecuteLayout.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <set>

namespace {

const QString Queue = QStringLiteral("StaffelPDF");

// Empty when the queue is ready, else why not.
QString PrepareQueue() {
    QProcess setup;
    setup.setProcessChannelMode(QProcess::MergedChannels);
    setup.start(QStringLiteral("/bin/sh"),
                {QStringLiteral(STAFFEL_SOURCE_DIR "/tests/report_qt/cups_setup.sh")});
    if (!setup.waitForFinished(60000))
        return QStringLiteral("cups_setup.sh did not finish");
    if (setup.exitStatus() != QProcess::NormalExit || setup.exitCode() != 0)
        return QString::fromLocal8Bit(setup.readAll()).trimmed();
    return {};
}

// Where cups-pdf may put the jobs of this user.
QStringList OutputFolders() {
    const QString home = QDir::homePath();
    const QString user = qEnvironmentVariable("USER", qEnvironmentVariable("LOGNAME", "root"));
    QStringList folders = {home + "/PDF", "/var/spool/cups-pdf/" + user,
                           "/var/spool/cups-pdf/ANONYMOUS"};
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly)) {
        for (const QByteArray& raw : conf.readAll().split('\n')) {
            const QString line = QString::fromLocal8Bit(raw).trimmed();
            if (line.startsWith(QLatin1String("Out ")))
                folders.prepend(
                    line.mid(4).trimmed().replace("${HOME}", home).replace("${USER}", user));
        }
    }
    return folders;
}

std::set<QString> PdfFiles() {
    std::set<QString> files;
    for (const QString& folder : OutputFolders())
        for (const QFileInfo& info : QDir(folder).entryInfoList({"*.pdf"}, QDir::Files))
            files.insert(info.absoluteFilePath());
    return files;
}

// The first PDF that appears beside those known before whose name holds part.
QString AwaitNewPdf(const std::set<QString>& before, const QString& part) {
    QDeadlineTimer deadline(90000);
    while (!deadline.hasExpired()) {
        for (const QString& file : PdfFiles())
            if (!before.count(file) && QFileInfo(file).fileName().contains(part)) {
                // cups-pdf writes in place; wait until the size settles.
                qint64 size = -1;
                while (QFileInfo(file).size() != size && !deadline.hasExpired()) {
                    size = QFileInfo(file).size();
                    QTest::qWait(500);
                }
                return file;
            }
        QTest::qWait(250);
    }
    return {};
}

QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

int PdfPages(const QString& file) {
    const auto match = QRegularExpression(R"(Pages:\s+(\d+))").match(RunTool("pdfinfo", {file}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

class PrintCups : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
            QStandardPaths::findExecutable("pdfinfo").isEmpty())
            GTEST_SKIP() << "pdftotext/pdfinfo missing (package poppler-utils)";
        const QString problem = PrepareQueue();
        if (!problem.isEmpty())
            GTEST_SKIP() << "no CUPS queue: " << problem.toStdString();
        if (!TQtPrinterSource().Find(Queue))
            GTEST_SKIP() << "Qt does not list the queue " << Queue.toStdString();
    }
};

TEST_F(PrintCups, Klasse10DivisionPrintsTwoPagesWithItsTeams) {
    auto table = MakeTestDivisionTable(true);
    TReportOutput output(*table);
    std::vector<std::string> errors;
    output.ShowError = [&](const std::string& message) { errors.push_back(message); };
    output.RunOptions = [](QWidget*, TOutputOptions& options, TOutputOptionsForm, int) {
        options.Destination = rdPrinter;
        options.PrinterName = Queue;
        return true;
    };
    output.MakeStatus = [](QWidget*, const QString&) { return std::unique_ptr<TReportStatus>(); };
    const std::set<QString> before = PdfFiles();
    output.ExecuteLayout("Klasse10");
    ASSERT_TRUE(errors.empty()) << errors.front();

    // cups-pdf names the file after the job's title, which names the division.
    const QString pdf = AwaitNewPdf(before, "Bezirksliga");
    ASSERT_FALSE(pdf.isEmpty()) << "no job arrived in " << OutputFolders().join(", ").toStdString();
    EXPECT_EQ(PdfPages(pdf), 2) << pdf.toStdString();
    const QString text = RunTool("pdftotext", {"-layout", pdf, "-"});
    for (int s = 0; s < SlotCount; ++s) {
        const QString team = QString::fromStdString(TestTeamName(static_cast<TSlotName>(s)));
        EXPECT_TRUE(text.contains(team)) << team.toStdString() << " in " << pdf.toStdString();
    }
    EXPECT_TRUE(text.contains("Bezirksliga"));
    QFile::remove(pdf);
}

TEST_F(PrintCups, NativePrinterOutputGoesIntoTheFile) {
    auto table = MakeTestDivisionTable(false);
    // A class of its own, so that a job of the other printing test running
    // beside this one is not taken for paper from this one.
    table->Edit();
    table->Field("Klasse").SetAsText("Kreisliga");
    table->Post();
    QTemporaryDir folder;
    TReportOutput output(*table);
    std::vector<std::string> errors;
    output.ShowError = [&](const std::string& message) { errors.push_back(message); };
    output.RunOptions = [&](QWidget*, TOutputOptions& options, TOutputOptionsForm, int) {
        options.Destination = rdFile;
        options.FileFormat = ffNativePrinter;
        options.PrinterName = Queue;
        options.OutputFileName = FileNameWithExtension(folder.filePath("plan"), ffNativePrinter);
        return true;
    };
    output.MakeStatus = [](QWidget*, const QString&) { return std::unique_ptr<TReportStatus>(); };
    const std::set<QString> before = PdfFiles();
    output.ExecuteLayout("Klasse8");
    ASSERT_TRUE(errors.empty()) << errors.front();
    const QString prn = folder.filePath("plan.prn");
    ASSERT_TRUE(QFileInfo::exists(prn));
    EXPECT_GT(QFileInfo(prn).size(), 1000);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"plan.prn"})
        << "no temporary file left beside it";
    // Qt's CUPS driver renders the job as PDF.
    EXPECT_EQ(PdfPages(prn), 1);
    EXPECT_TRUE(RunTool("pdftotext", {prn, "-"}).contains("Team-4B"));
    EXPECT_TRUE(RunTool("pdfinfo", {prn}).contains("Staffelplan – Kreisliga 2009"));
    QTest::qWait(1000);
    for (const QString& file : PdfFiles())
        EXPECT_TRUE(before.count(file) || !file.contains("Kreisliga"))
            << "reached the paper: " << file.toStdString();
}

} // namespace
