// A whole run of ExecuteLayout with scripted dialogs: the steps, the fresh
// options, cancelling, the page file, errors and the row the table ends on.
#include "data/Records.h"
#include "data/StaffelError.h"
#include "report/SnapshotFile.h"
#include "report/qt/ExecuteLayout.h"
#include "test_OutputFakePrinters.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

void AppendDivision(TRecordTable& table, const std::string& klasse, bool tenTeams) {
    table.Append();
    table.Field("Klasse").SetAsText(klasse);
    table.Field("Jahr").SetAsInteger(2009);
    table.Field("10Klasse").SetAsBoolean(tenTeams);
    table.Field("1A").SetAsText("Team " + klasse);
    table.Post();
}

class TScriptedStatus : public TReportStatus {
public:
    TScriptedStatus(std::vector<std::string>& log, int cancelAt) : log_(log), cancelAt_(cancelAt) {}
    void Start() override { log_.push_back("status start"); }
    bool PageStarted(int page) override {
        log_.push_back("page " + std::to_string(page));
        return page != cancelAt_;
    }
    void Finish() override { log_.push_back("status finish"); }

private:
    std::vector<std::string>& log_;
    int cancelAt_;
};

bool PageShows(const TReportPages& pages, const std::string& text) {
    for (const TReportPage& page : pages.Pages)
        for (const TPageItem& item : page.Items)
            if (item.Kind == piText && item.Text == text)
                return true;
    return false;
}

struct TRun : ::testing::Test {
    TRun() : output(table) {
        DefineFields(table, StaffelRecordFields());
        table.CreateEmpty();
        table.OnNewRecord = t_staffelNewRecord;
        output.Printers = std::make_shared<TFakePrinters>(
            std::vector<TPrinterDescription>{{"StaffelPDF", "cups-pdf:/"}});
        output.TemporaryFolder = temporary.path();
        output.OutputDay = [] { return *DayFromCivil(2026, 12, 9); };
        output.RunOptions = [this](QWidget*, TOutputOptions& options, TOutputOptionsForm form,
                                   int) {
            EXPECT_EQ(form, ofDestination);
            seen.push_back(options);
            log.push_back("dialog");
            if (!answer)
                return false;
            answer(options);
            return true;
        };
        output.MakeStatus = [this](QWidget*, const QString& title) {
            EXPECT_EQ(title, "Report Status");
            return std::make_unique<TScriptedStatus>(log, cancelAt);
        };
        output.ShowPreview = [this](QWidget*, const TReportPages& pages, const TOutputOptions&) {
            log.push_back("preview");
            delivered = pages;
            pageFilesDuringDelivery = PageFiles();
        };
        output.Print = [this](const TReportPages& pages, const TOutputOptions& options) {
            log.push_back("print " + std::to_string(options.Copies));
            delivered = pages;
            if (printFails)
                throw TStaffelError("Printer on fire.");
        };
        output.PrintToFile = [this](const TReportPages& pages, const TOutputOptions&,
                                    const QString& name) {
            log.push_back("prn " + name.toStdString());
            delivered = pages;
        };
        output.ShowError = [this](const std::string& message) { errors.push_back(message); };
    }
    int PageFiles() const {
        return static_cast<int>(QDir(temporary.path()).entryList(QDir::Files).size());
    }
    std::string Current() { return table.Field("Klasse").AsText(); }

    TRecordTable table{"t_staffel"};
    TReportOutput output;
    QTemporaryDir temporary;
    std::function<void(TOutputOptions&)> answer = [](TOutputOptions&) {};
    int cancelAt = 0;
    bool printFails = false;
    std::vector<TOutputOptions> seen;
    std::vector<std::string> log;
    std::vector<std::string> errors;
    TReportPages delivered;
    int pageFilesDuringDelivery = -1;
};

TEST_F(TRun, NamesFindLayoutsWithoutRegardToCase) {
    AppendDivision(table, "A-Klasse", true);
    const struct {
        const char* name;
        int pages; // 0: no run at all
    } cases[] = {{"Klasse8", 1}, {"KLASSE8", 1}, {"klasse10", 2}, {"Klasse10", 2},
                 {"Report2", 0}, {"", 0},        {"Klasse 8", 0}};
    for (const auto& c : cases) {
        log.clear();
        delivered = {};
        output.ExecuteLayout(c.name);
        if (c.pages == 0) {
            EXPECT_TRUE(log.empty()) << c.name;
            continue;
        }
        EXPECT_EQ(delivered.Pages.size(), static_cast<std::size_t>(c.pages)) << c.name;
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(TRun, StepsInOrderAndPageFileGone) {
    AppendDivision(table, "A-Klasse", true);
    output.ExecuteLayout("Klasse10");
    const std::vector<std::string> expected = {"dialog", "status start",  "page 1",
                                               "page 2", "status finish", "preview"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(pageFilesDuringDelivery, 1);
    EXPECT_EQ(PageFiles(), 0);
    EXPECT_TRUE(PageShows(delivered, "A-Klasse"));
    EXPECT_TRUE(PageShows(delivered, "09.12.2026")) << "the day of output";
}

TEST_F(TRun, EveryRunStartsFresh) {
    AppendDivision(table, "A-Klasse", false);
    answer = [](TOutputOptions& options) {
        options.Destination = rdPrinter;
        options.Copies = 3;
        options.Collate = true;
        options.Duplex = true;
    };
    output.ExecuteLayout("Klasse8");
    output.ExecuteLayout("Klasse8");
    ASSERT_EQ(seen.size(), 2u);
    for (const TOutputOptions& options : seen) {
        EXPECT_EQ(options.Destination, rdPreview);
        EXPECT_EQ(options.Copies, 1);
        EXPECT_FALSE(options.Collate);
        EXPECT_FALSE(options.Duplex);
        EXPECT_EQ(options.PrinterName, "StaffelPDF");
        EXPECT_TRUE(options.OutputFileName.isEmpty());
    }
    EXPECT_EQ(std::count(log.begin(), log.end(), "print 3"), 2);
}

TEST_F(TRun, CancelInTheDialogLeavesTheTableAlone) {
    AppendDivision(table, "A-Klasse", false);
    AppendDivision(table, "B-Klasse", false);
    table.First();
    table.Edit();
    table.Field("Mannschaft").SetAsText("Offen");
    answer = nullptr;
    output.ExecuteLayout("Klasse8");
    EXPECT_EQ(log, std::vector<std::string>{"dialog"});
    EXPECT_EQ(table.State(), tsEdit);
    EXPECT_EQ(table.Field("Mannschaft").AsText(), "Offen");
    EXPECT_EQ(PageFiles(), 0);
    EXPECT_TRUE(errors.empty());
}

TEST_F(TRun, CancelInTheStatusWindowDeliversNothing) {
    AppendDivision(table, "A-Klasse", true);
    AppendDivision(table, "B-Klasse", true);
    table.Last();
    table.Edit();
    table.Field("Mannschaft").SetAsText("Neu");
    cancelAt = 2;
    output.ExecuteLayout("Klasse10");
    const std::vector<std::string> expected = {"dialog", "status start", "page 1", "page 2",
                                               "status finish"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(PageFiles(), 0);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(table.State(), tsBrowse) << "the binding ends also after a cancel";
    EXPECT_EQ(Current(), "B-Klasse");
}

TEST_F(TRun, RowAfterTheRun) {
    enum TSetup { Second, EditChanged, EditUnchanged, InsertTyped, InsertUntouched, Empty };
    const struct {
        TSetup setup;
        const char* label;
        std::string printed; // a Klasse the pages show; empty: none
        std::string current; // Klasse of the row the table ends on
        int rows;
    } cases[] = {
        {Second, "second division", "B-Klasse", "B-Klasse", 3},
        {EditChanged, "open edit, changed", "B-Edit", "B-Edit", 3},
        {EditUnchanged, "open edit, unchanged", "B-Klasse", "B-Klasse", 3},
        {InsertTyped, "open insert, typed", "Neu", "A-Klasse", 4},
        {InsertUntouched, "open insert, untouched", "", "A-Klasse", 3},
        {Empty, "empty table", "", "", 0},
    };
    for (const auto& c : cases) {
        TRecordTable fresh("t_staffel");
        DefineFields(fresh, StaffelRecordFields());
        fresh.CreateEmpty();
        fresh.OnNewRecord = t_staffelNewRecord;
        if (c.setup != Empty)
            for (const char* klasse : {"A-Klasse", "B-Klasse", "C-Klasse"})
                AppendDivision(fresh, klasse, false);
        fresh.First();
        if (c.setup != Empty)
            fresh.Next();
        if (c.setup == EditChanged) {
            fresh.Edit();
            fresh.Field("Klasse").SetAsText("B-Edit");
        } else if (c.setup == EditUnchanged) {
            fresh.Edit();
        } else if (c.setup == InsertTyped) {
            fresh.Insert();
            fresh.Field("Klasse").SetAsText("Neu");
            fresh.Field("Jahr").SetAsInteger(2010);
        } else if (c.setup == InsertUntouched) {
            fresh.Insert();
        }
        TReportOutput run(fresh);
        run.Printers = output.Printers;
        run.TemporaryFolder = temporary.path();
        run.RunOptions = [](QWidget*, TOutputOptions&, TOutputOptionsForm, int) { return true; };
        run.MakeStatus = [this](QWidget*, const QString&) {
            return std::make_unique<TScriptedStatus>(log, 0);
        };
        TReportPages shown;
        run.ShowPreview = [&](QWidget*, const TReportPages& pages, const TOutputOptions&) {
            shown = pages;
        };
        std::vector<std::string> runErrors;
        run.ShowError = [&](const std::string& message) { runErrors.push_back(message); };
        run.ExecuteLayout("Klasse8");
        EXPECT_TRUE(runErrors.empty())
            << c.label << ": " << (runErrors.empty() ? "" : runErrors[0]);
        ASSERT_EQ(shown.Pages.size(), 1u) << c.label;
        if (!c.printed.empty())
            EXPECT_TRUE(PageShows(shown, c.printed)) << c.label;
        EXPECT_EQ(fresh.State(), tsBrowse) << c.label;
        EXPECT_EQ(fresh.DisplayCount(), c.rows) << c.label;
        if (c.rows > 0)
            EXPECT_EQ(fresh.Field("Klasse").AsText(), c.current) << c.label;
    }
}

TEST_F(TRun, EmptyTablePrintsOnlyFixedTextsAndTheDate) {
    output.ExecuteLayout("Klasse8");
    ASSERT_EQ(delivered.Pages.size(), 1u);
    EXPECT_TRUE(PageShows(delivered, "Klasse:"));
    EXPECT_TRUE(PageShows(delivered, "09.12.2026"));
    EXPECT_FALSE(PageShows(delivered, "Badminton"));
    EXPECT_TRUE(errors.empty());
}

TEST_F(TRun, PrintJobsAreTitledWithTheDivision) {
    AppendDivision(table,
                   "Kreisliga S\xFC"
                   "d",
                   false);
    answer = [](TOutputOptions& options) { options.Destination = rdPrinter; };
    output.ExecuteLayout("Klasse8");
    ASSERT_EQ(log.back(), "print 1");
    EXPECT_EQ(PrintDocumentTitle(delivered), QStringLiteral("Staffelplan – Kreisliga Süd 2009"));
    EXPECT_EQ(PrintDocumentTitle(TReportPages{}), QStringLiteral("Staffelplan"));
    EXPECT_EQ(AllDivisionsDocumentTitle(), QStringLiteral("Staffelplan – alle Staffeln"));
}

TEST_F(TRun, FileDestinations) {
    AppendDivision(table, "A-Klasse", true);
    const QString snapshot = QDir(temporary.path()).filePath("out.spp");
    answer = [&](TOutputOptions& options) {
        options.Destination = rdFile;
        options.FileFormat = ffPageSnapshot;
        options.OutputFileName = snapshot;
    };
    output.ExecuteLayout("Klasse10");
    EXPECT_TRUE(errors.empty());
    const TReportPages written = ReadSnapshotFile(snapshot.toStdString());
    EXPECT_EQ(written.Pages.size(), 2u);
    EXPECT_TRUE(PageShows(written, "Team A-Klasse"));
    EXPECT_EQ(PageFiles(), 1) << "only the chosen file remains";

    answer = [](TOutputOptions& options) {
        options.Destination = rdFile;
        options.FileFormat = ffNativePrinter;
        options.OutputFileName = "/x/plan.prn";
    };
    output.ExecuteLayout("Klasse10");
    EXPECT_EQ(log.back(), "prn /x/plan.prn");
    EXPECT_EQ(delivered.Pages.size(), 2u);
}

TEST_F(TRun, ErrorsReachTheErrorBoxAfterCleanUp) {
    AppendDivision(table, "A-Klasse", false);
    AppendDivision(table, "B-Klasse", false);
    table.Last();
    table.Edit();
    table.Field("Mannschaft").SetAsText("Geaendert");
    answer = [](TOutputOptions& options) { options.Destination = rdPrinter; };
    printFails = true;
    output.ExecuteLayout("Klasse8");
    EXPECT_EQ(errors, std::vector<std::string>{"Printer on fire."});
    EXPECT_EQ(PageFiles(), 0);
    EXPECT_EQ(table.State(), tsBrowse);
    EXPECT_EQ(Current(), "B-Klasse");
    EXPECT_EQ(table.Field("Mannschaft").AsText(), "Geaendert");

    output.ShowError = nullptr; // without an error box the error propagates, after clean-up
    table.Edit();
    EXPECT_THROW(output.ExecuteLayout("Klasse8"), TStaffelError);
    EXPECT_EQ(table.State(), tsBrowse);
    EXPECT_EQ(PageFiles(), 0);
}

TEST_F(TRun, FailingPostEndsTheRunInEdit) {
    AppendDivision(table, "A-Klasse", false);
    table.Insert();
    table.Field("Mannschaft").SetAsText("Ohne Klasse");
    output.ExecuteLayout("Klasse8");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("Klasse"), std::string::npos) << errors[0];
    EXPECT_EQ(table.State(), tsInsert);
    EXPECT_TRUE(PageShows(delivered, "Ohne Klasse"));
    EXPECT_EQ(PageFiles(), 0);
}

// Pages that need no table row (a club's plan) take the same path: made
// after the dialog, through the status window, a page file, the destination;
// finish runs last, whatever happened.
TEST_F(TRun, PageSourceRunsLikeALayout) {
    TReportPages made;
    made.Title = "Plan";
    made.Pages.resize(2);
    made.Pages[1].Items.push_back(TPageItem{});
    const struct {
        const char* name;
        bool dialogOk;
        bool sourceFails;
        std::vector<std::string> log;
        std::size_t errors;
    } cases[] = {
        {"delivered",
         true,
         false,
         {"dialog", "status start", "source", "page 1", "page 2", "status finish", "preview",
          "finish"},
         0},
        {"dialog cancelled", false, false, {"dialog", "finish"}, 0},
        {"source fails",
         true,
         true,
         {"dialog", "status start", "source", "status finish", "finish"},
         1},
    };
    for (const auto& c : cases) {
        log.clear();
        errors.clear();
        delivered = {};
        if (c.dialogOk)
            answer = [](TOutputOptions&) {};
        else
            answer = nullptr;
        output.ExecutePages(
            [&](const TTextMeasure&, TDaySerial day, const TPageProgress& progress) {
                log.push_back("source");
                EXPECT_EQ(day, *DayFromCivil(2026, 12, 9)) << c.name;
                if (c.sourceFails)
                    throw TStaffelError("Kaputt.");
                for (int page = 1; page <= 2; ++page)
                    progress(page);
                return TGenerateResult{made, false};
            },
            [&] {
                log.push_back("finish");
                EXPECT_EQ(PageFiles(), 0) << c.name << ": the page file is gone first";
            });
        EXPECT_EQ(log, c.log) << c.name;
        EXPECT_EQ(errors.size(), c.errors) << c.name;
        if (c.log.size() > 2 && !c.sourceFails)
            EXPECT_EQ(delivered, made) << c.name;
    }
}

} // namespace
