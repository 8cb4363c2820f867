#include "report/SnapshotFile.h"
#include "report/qt/ReportPreviewWindow.h"
#include "test_OutputFakePrinters.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TReportPages NumberedPages(int count, const std::string& title = "Klasse10") {
    TReportPages pages;
    pages.Title = title;
    for (int i = 1; i <= count; ++i) {
        TReportPage page;
        TPageItem text;
        text.Left = 1;
        text.Top = 1;
        text.Width = 3;
        text.Text = "Seite " + std::to_string(i);
        page.Items.push_back(text);
        pages.Pages.push_back(page);
    }
    return pages;
}

const TFakePrinters Printers(std::vector<TPrinterDescription>{{"StaffelPDF", "cups-pdf:/"}});

struct TPreview {
    TReportPreviewWindow window;
    std::vector<std::string> errors;
    explicit TPreview(int pageCount = 3) : window(NumberedPages(pageCount), {}, Printers) {
        window.ApplicationTitle = "Staffelplan";
        window.ShowError = [this](const std::string& message) { errors.push_back(message); };
    }
    QString Status() const { return window.StatusLine()->text(); }
    std::vector<bool> Enabled() const {
        std::vector<bool> result;
        for (TPreviewCommand command : {pcFirst, pcPrevious, pcNext, pcLast})
            result.push_back(window.Action(command)->isEnabled());
        return result;
    }
};

TEST(PreviewWindow, Opens) {
    TPreview p;
    EXPECT_EQ(p.window.windowTitle(), "Report Preview");
    EXPECT_EQ(p.window.size(), QSize(615, 450));
    EXPECT_TRUE(p.window.isModal());
    EXPECT_EQ(p.window.CurrentPage(), 1);
    EXPECT_EQ(p.window.PageField()->text(), "1");
    EXPECT_EQ(p.window.PageCountLabel()->text().trimmed(), "of 3");
    EXPECT_EQ(p.window.ZoomField()->text(), "100.0");
    EXPECT_EQ(p.Status(), "Page 1 of 3");
}

TEST(PreviewWindow, PageCommandsAndTheirEnabling) {
    const struct {
        std::vector<TPreviewCommand> commands;
        int page;
        std::vector<bool> enabled; // first, previous, next, last
    } cases[] = {
        {{}, 1, {false, false, true, true}},
        {{pcNext}, 2, {true, true, true, true}},
        {{pcLast}, 3, {true, true, false, false}},
        {{pcLast, pcNext}, 3, {true, true, false, false}},
        {{pcLast, pcPrevious}, 2, {true, true, true, true}},
        {{pcNext, pcFirst}, 1, {false, false, true, true}},
        {{pcPrevious}, 1, {false, false, true, true}},
    };
    for (const auto& c : cases) {
        TPreview p;
        std::string label;
        for (TPreviewCommand command : c.commands) {
            label += p.window.Action(command)->text().toStdString() + " ";
            p.window.Run(command);
        }
        EXPECT_EQ(p.window.CurrentPage(), c.page) << label;
        EXPECT_EQ(p.Enabled(), c.enabled) << label;
        EXPECT_EQ(p.Status(), QString("Page %1 of 3").arg(c.page)) << label;
        EXPECT_EQ(p.window.PageField()->text(), QString::number(c.page)) << label;
    }
    TPreview single(1);
    EXPECT_EQ(single.Enabled(), std::vector<bool>(4, false));
}

TEST(PreviewWindow, ZoomStaysBetween10And200) {
    TPreview p;
    for (int i = 0; i < 15; ++i)
        p.window.Run(pcZoomIn);
    EXPECT_DOUBLE_EQ(p.window.Zoom(), 200);
    p.window.Run(pcZoomOut);
    EXPECT_EQ(p.window.ZoomField()->text(), "190.0");
    for (int i = 0; i < 25; ++i)
        p.window.Run(pcZoomOut);
    EXPECT_DOUBLE_EQ(p.window.Zoom(), 10);
    const struct {
        const char* typed;
        double zoom;
    } cases[] = {{"250", 200}, {"5", 10}, {"55.5", 55.5}, {"0", 10}, {"", 10}, {"75.", 75}};
    for (const auto& c : cases) {
        p.window.ZoomField()->setText(c.typed);
        emit p.window.ZoomField()->editingFinished();
        EXPECT_DOUBLE_EQ(p.window.Zoom(), c.zoom) << c.typed;
        EXPECT_EQ(p.window.ZoomField()->text(), QString::number(c.zoom, 'f', 1)) << c.typed;
    }
    p.window.ZoomField()->clear();
    p.window.ZoomField()->setFocus();
    QTest::keyClicks(p.window.ZoomField(), "12.34x");
    EXPECT_EQ(p.window.ZoomField()->text(), "12.3") << "one digit after the point";
}

TEST(PreviewWindow, FitCommandsChangeTheZoom) {
    TPreview p;
    p.window.show();
    p.window.Run(pcFitPage);
    const double page = p.window.Zoom();
    p.window.Run(pcFitWidth);
    const double width = p.window.Zoom();
    EXPECT_GE(page, 10);
    EXPECT_LT(page, width) << "a portrait page fits by height first";
    EXPECT_LE(width, 200);
}

TEST(PreviewWindow, GoToPageAndPageField) {
    // The input box is preset to the current page; the page field takes a number and Enter.
    const struct {
        std::optional<QString> answer;
        int page;
    } cases[] = {{QString("2"), 2}, {QString(" 3 "), 3}, {QString("abc"), 1}, {std::nullopt, 1},
                 {QString(""), 1},  {QString("9"), 3},   {QString("0"), 1}};
    for (const auto& c : cases) {
        const std::string label = c.answer ? c.answer->toStdString() : "(cancel)";
        TPreview asked;
        asked.window.AskText = [&](QWidget*, const QString& caption, const QString& prompt,
                                   const QString& preset) {
            EXPECT_EQ(caption + "|" + prompt + "|" + preset, "Go to Page|Enter page to move to:|1");
            return c.answer;
        };
        asked.window.Run(pcGoToPage);
        EXPECT_EQ(asked.window.CurrentPage(), c.page) << label;
        TPreview typed;
        typed.window.PageField()->setText(c.answer.value_or(""));
        emit typed.window.PageField()->editingFinished();
        EXPECT_EQ(typed.window.CurrentPage(), c.page) << label;
        EXPECT_EQ(typed.window.PageField()->text(), QString::number(c.page)) << label;
    }
}

TEST(PreviewWindow, Keys) {
    const struct {
        const char* keys;
        int page;
        double zoom;
    } cases[] = {
        {"n", 2, 100}, {"NN", 3, 100}, {"e", 3, 100},   {"ep", 2, 100}, {"EB", 1, 100},
        {"+", 1, 110}, {"--", 1, 80},  {"qz7", 1, 100}, {"nP", 1, 100},
    };
    for (const auto& c : cases) {
        TPreview p;
        QTest::keyClicks(p.window.ScrollArea(), c.keys);
        EXPECT_EQ(p.window.CurrentPage(), c.page) << c.keys;
        EXPECT_DOUBLE_EQ(p.window.Zoom(), c.zoom) << c.keys;
    }
}

TEST(PreviewWindow, ScrollKeysTurnPagesAtTheEdges) {
    TPreview p;
    p.window.show();
    QScrollBar* bar = p.window.ScrollArea()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0) << "an A4 page at 100 % is taller than the window";
    QTest::keyClick(p.window.ScrollArea(), Qt::Key_PageDown);
    EXPECT_EQ(p.window.CurrentPage(), 1);
    EXPECT_GT(bar->value(), 0);
    QTest::keyClick(p.window.ScrollArea(), Qt::Key_End);
    EXPECT_EQ(bar->value(), bar->maximum());
    QTest::keyClick(p.window.ScrollArea(), Qt::Key_Down);
    EXPECT_EQ(p.window.CurrentPage(), 2);
    EXPECT_EQ(bar->value(), 0);
    QTest::keyClick(p.window.ScrollArea(), Qt::Key_PageUp);
    EXPECT_EQ(p.window.CurrentPage(), 1);
    EXPECT_EQ(bar->value(), bar->maximum());
    QTest::keyClick(p.window.ScrollArea(), Qt::Key_Home);
    EXPECT_EQ(bar->value(), 0);
    QTest::keyClick(p.window.ScrollArea(), Qt::Key_Up);
    EXPECT_EQ(p.window.CurrentPage(), 1);
    QTest::keyClick(p.window.ScrollArea(), Qt::Key_X);
    EXPECT_FALSE(p.window.isVisible());
}

TEST(PreviewWindow, OpenSetsTheTitle) {
    QTemporaryDir folder;
    const QString name = folder.filePath("zwei.spp");
    WriteSnapshotFile(name.toStdString(), NumberedPages(2, "Klasse8"));
    TPreview p;
    p.window.Run(pcLast);
    p.window.ChooseOpenFile = [&](QWidget*) { return name; };
    p.window.Run(pcOpen);
    EXPECT_TRUE(p.errors.empty());
    EXPECT_EQ(p.window.windowTitle(), "Staffelplan - [ " + name + " ]");
    EXPECT_EQ(p.window.CurrentPage(), 1);
    EXPECT_EQ(p.Status(), "Page 1 of 2");

    // A damaged file is reported and the shown pages stay.
    const QString damaged = folder.filePath("kaputt.spp");
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not pages");
    file.close();
    p.window.Run(pcNext);
    p.window.ChooseOpenFile = [&](QWidget*) { return damaged; };
    p.window.Run(pcOpen);
    EXPECT_EQ(p.errors.size(), 1u);
    EXPECT_EQ(p.window.windowTitle(), "Staffelplan - [ " + name + " ]");
    EXPECT_EQ(p.window.CurrentPage(), 2);
    p.window.ChooseOpenFile = [](QWidget*) { return QString(); };
    p.window.Run(pcOpen);
    EXPECT_EQ(p.window.PageCount(), 2);
}

TEST(PreviewWindow, SaveAsWritesTheShownPages) {
    QTemporaryDir folder;
    TPreview p(2);
    const struct {
        const char* name;
        TPreviewSaveType type;
        QByteArray head;
    } cases[] = {{"plan.spp", stPageSnapshot, {}}, {"plan.pdf", stPdf, "%PDF"}};
    for (const auto& c : cases) {
        const QString name = folder.filePath(c.name);
        p.window.ChooseSaveFile = [&](QWidget*) {
            return std::make_optional(std::make_pair(name, c.type));
        };
        p.window.Run(pcSaveAs);
        EXPECT_TRUE(p.errors.empty()) << c.name;
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.name;
        if (c.type == stPdf)
            EXPECT_TRUE(file.readAll().startsWith(c.head)) << c.name;
        else
            EXPECT_EQ(ReadSnapshotFile(name.toStdString()), p.window.Pages()) << c.name;
    }
    p.window.ChooseSaveFile = [&](QWidget*) {
        return std::make_optional(
            std::make_pair(folder.filePath("no/such/plan.spp"), stPageSnapshot));
    };
    p.window.Run(pcSaveAs);
    EXPECT_EQ(p.errors.size(), 1u);
}

TEST(PreviewWindow, SaveAsWritesTheTypeTheNameSays) {
    const struct {
        const char* Typed;
        TPreviewSaveType Chosen;
        const char* Written;
        bool Pdf;
    } cases[] = {
        {"plan.pdf", stPageSnapshot, "plan.pdf", true},
        {"plan.PDF", stPageSnapshot, "plan.PDF", true},
        {"plan.spp", stPdf, "plan.spp", false},
        {"plan", stPdf, "plan.pdf", true},
        {"plan", stPageSnapshot, "plan.spp", false},
        {"plan.txt", stPageSnapshot, "plan.txt.spp", false},
        {"plan.txt", stPdf, "plan.txt.pdf", true},
        {"Saison 2026.Bezirksliga", stPdf, "Saison 2026.Bezirksliga.pdf", true},
        {"plan.pdf.spp", stPdf, "plan.pdf.spp", false},
    };
    for (const auto& c : cases) {
        QTemporaryDir folder;
        TPreview p(2);
        p.window.ChooseSaveFile = [&](QWidget*) {
            return std::make_optional(std::make_pair(folder.filePath(c.Typed), c.Chosen));
        };
        p.window.Run(pcSaveAs);
        EXPECT_TRUE(p.errors.empty()) << c.Typed;
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{c.Written}) << c.Typed;
        QFile file(folder.filePath(c.Written));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.Typed;
        const bool pdf = file.readAll().startsWith("%PDF");
        EXPECT_EQ(pdf, c.Pdf) << c.Typed;
        if (!c.Pdf)
            EXPECT_EQ(ReadSnapshotFile(file.fileName().toStdString()), p.window.Pages()) << c.Typed;
    }
}

TEST(PreviewWindow, PrintUsesThePrintRangeForm) {
    TPreview p(2);
    int printed = 0;
    TOutputOptions used;
    p.window.Print = [&](const TReportPages& pages, const TOutputOptions& options) {
        ++printed;
        used = options;
        EXPECT_EQ(pages.Pages.size(), 2u);
    };
    bool accept = false;
    p.window.RunOptions = [&](QWidget*, TOutputOptions& options, TOutputOptionsForm form,
                              int pageCount) {
        EXPECT_EQ(form, ofPrintRange);
        EXPECT_EQ(pageCount, 2);
        options.Copies = 2;
        options.PageSelection = "2";
        return accept;
    };
    p.window.Run(pcPrint);
    EXPECT_EQ(printed, 0);
    accept = true;
    p.window.Run(pcPrint);
    EXPECT_EQ(printed, 1);
    EXPECT_EQ(used.Copies, 2);
    EXPECT_EQ(SelectedPages(used, 2), std::vector<int>{2});
}

} // namespace
