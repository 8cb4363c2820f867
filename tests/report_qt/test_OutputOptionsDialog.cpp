#include "report/qt/OutputOptionsDialog.h"
#include "test_OutputFakePrinters.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const TFakePrinters OnePrinter({{"Laser", "usb://HP/1"}, {"Tinte", ""}});
const TFakePrinters NoPrinter;

struct TDialogFixture {
    TOutputOptions options;
    TOutputOptionsDialog dialog;
    explicit TDialogFixture(const TPrinterSource& printers = OnePrinter,
                            TOutputOptionsForm form = ofDestination, int pageCount = 1)
        : dialog(options, printers, form, pageCount) {}
    bool OptionsEnabled() const {
        const bool copies = dialog.CopiesEdit()->isEnabled();
        EXPECT_EQ(copies, dialog.CollateBox()->isEnabled());
        EXPECT_EQ(copies, dialog.DuplexBox()->isEnabled());
        return copies;
    }
};

TEST(OutputOptionsDialog, OpensOnPreviewWithOneCopyAndOptionsOff) {
    // Without a printer only "Pre&view" is left, and nothing that needs a printer.
    for (const TPrinterSource* printers : {&OnePrinter, &NoPrinter}) {
        const bool has = printers == &OnePrinter;
        TDialogFixture f(*printers);
        EXPECT_EQ(f.dialog.PrinterLabel()->text(),
                  has ? "Laser on usb://HP/1" : "No printers installed!");
        EXPECT_TRUE(f.dialog.PreviewButton()->isChecked());
        EXPECT_EQ(f.dialog.PrinterButton()->isEnabled(), has);
        EXPECT_EQ(f.dialog.FileButton()->isEnabled(), has);
        EXPECT_EQ(f.dialog.SetupButton()->isEnabled(), has);
        EXPECT_EQ(f.dialog.CopiesEdit()->text(), "1");
        EXPECT_FALSE(f.dialog.CollateBox()->isChecked());
        EXPECT_FALSE(f.dialog.DuplexBox()->isChecked());
        EXPECT_FALSE(f.OptionsEnabled());
        EXPECT_FALSE(f.dialog.FileNameEdit()->isEnabled());
        EXPECT_FALSE(f.dialog.FormatList()->isEnabled());
        EXPECT_EQ(f.dialog.FormatList()->currentIndex(), 0);
        EXPECT_TRUE(f.dialog.OkButton()->isEnabled());
        f.dialog.accept();
        EXPECT_EQ(f.options.Destination, rdPreview);
    }
    EXPECT_EQ(PrinterLine(TPrinterDescription{"Tinte", ""}), "Tinte");
}

TEST(OutputOptionsDialog, DestinationsSwitchTheOptions) {
    // P: "&Printer", V: "Pre&view", F: "&File"; "&File" leaves the options as they are.
    const struct {
        const char* clicks;
        bool optionsOn;
    } cases[] = {{"P", true},    {"PF", true},  {"PV", false}, {"F", false},
                 {"PFV", false}, {"VFP", true}, {"PVF", false}};
    for (const auto& c : cases) {
        TDialogFixture f;
        for (const char* click = c.clicks; *click; ++click) {
            if (*click == 'P')
                f.dialog.PrinterButton()->click();
            else if (*click == 'V')
                f.dialog.PreviewButton()->click();
            else
                f.dialog.FileButton()->click();
        }
        EXPECT_EQ(f.OptionsEnabled(), c.optionsOn) << c.clicks;
        const bool toFile = f.dialog.FileButton()->isChecked();
        EXPECT_EQ(f.dialog.FileNameEdit()->isEnabled(), toFile) << c.clicks;
        EXPECT_EQ(f.dialog.BrowseButton()->isEnabled(), toFile) << c.clicks;
        EXPECT_EQ(f.dialog.FormatList()->isEnabled(), toFile) << c.clicks;
    }
}

TEST(OutputOptionsDialog, FileNeedsANameForOk) {
    TDialogFixture f;
    f.dialog.FileButton()->click();
    const struct {
        QString name;
        bool ok;
    } cases[] = {{"", false}, {"   ", false}, {" a ", true}, {"\t", false}, {"x.prn", true}};
    for (const auto& c : cases) {
        f.dialog.FileNameEdit()->setText(c.name);
        EXPECT_EQ(f.dialog.OkButton()->isEnabled(), c.ok) << '"' << c.name.toStdString() << '"';
    }
    f.dialog.FileNameEdit()->clear();
    f.dialog.accept(); // Enter with OK disabled does nothing
    EXPECT_EQ(f.dialog.result(), QDialog::Rejected);
    EXPECT_EQ(f.options.Destination, rdPreview);
    f.dialog.PrinterButton()->click();
    EXPECT_TRUE(f.dialog.OkButton()->isEnabled());
    f.dialog.FileButton()->click();
    f.dialog.PreviewButton()->click();
    EXPECT_TRUE(f.dialog.OkButton()->isEnabled());
}

TEST(OutputOptionsDialog, OkWritesTheChoices) {
    const struct {
        char dest; // P, V, F
        QString name;
        int format;
        QString copies;
        bool collate, duplex;
        TReportDest expectedDest;
        QString expectedName;
        int expectedCopies;
    } cases[] = {
        {'P', "", 0, "3", true, true, rdPrinter, "", 3},
        {'V', "", 0, "2", false, false, rdPreview, "", 2},
        {'F', "out", 1, "1", false, false, rdFile, "out.prn", 1},
        {'F', "  out  ", 1, "1", false, false, rdFile, "out.prn", 1},
        {'F', "out", 0, "1", false, false, rdFile, "out.spp", 1},
        {'F', "out.txt", 1, "1", false, false, rdFile, "out.txt", 1},
        {'F', "/tmp/a.b/out", 1, "1", false, false, rdFile, "/tmp/a.b/out", 1},
        {'F', "/tmp/ab/out", 1, "1", false, false, rdFile, "/tmp/ab/out.prn", 1},
        {'P', "", 0, "", false, false, rdPrinter, "", 1},  // no number: kept
        {'P', "", 0, "0", false, false, rdPrinter, "", 1}, // no copy at all: kept
        {'P', "", 0, "99999999999", false, false, rdPrinter, "", 1},
    };
    for (const auto& c : cases) {
        const std::string label = std::string(1, c.dest) + " '" + c.name.toStdString() +
                                  "' format " + std::to_string(c.format) + " copies '" +
                                  c.copies.toStdString() + "'";
        TDialogFixture f;
        if (c.dest == 'P')
            f.dialog.PrinterButton()->click();
        if (c.dest == 'F') {
            f.dialog.PrinterButton()->click(); // enables the options for the case
            f.dialog.FileButton()->click();
        }
        f.dialog.FileNameEdit()->setText(c.name);
        f.dialog.FormatList()->setCurrentIndex(c.format);
        f.dialog.CopiesEdit()->setText(c.copies);
        f.dialog.CollateBox()->setChecked(c.collate);
        f.dialog.DuplexBox()->setChecked(c.duplex);
        f.dialog.accept();
        EXPECT_EQ(f.dialog.result(), QDialog::Accepted) << label;
        EXPECT_EQ(f.options.Destination, c.expectedDest) << label;
        EXPECT_EQ(f.options.OutputFileName, c.expectedName) << label;
        EXPECT_EQ(f.options.FileFormat, c.format == 1 ? ffNativePrinter : ffPageSnapshot) << label;
        EXPECT_EQ(f.options.Copies, c.expectedCopies) << label;
        EXPECT_EQ(f.options.Collate, c.collate) << label;
        EXPECT_EQ(f.options.Duplex, c.duplex) << label;
    }
}

// The platform's printer setup only selects the printer: its confirm button
// says so, as it stands when the dialog is up.
TEST(OutputOptionsDialog, PrinterSetupConfirmsWithOk) {
    TOutputOptions options;
    QStringList labels;
    QTimer::singleShot(0, [&] {
        QWidget* shown = QApplication::activeModalWidget();
        ASSERT_NE(shown, nullptr);
        for (auto* box : shown->findChildren<QDialogButtonBox*>())
            if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
                labels << ok->text();
        static_cast<QDialog*>(shown)->reject();
    });
    EXPECT_FALSE(RunPlatformPrinterSetup(nullptr, options));
    EXPECT_EQ(labels, QStringList{"OK"});
}

TEST(OutputOptionsDialog, SetupShowsTheChosenPrinter) {
    TDialogFixture f;
    int calls = 0;
    f.dialog.Setup = [&](QWidget*, TOutputOptions& options) {
        ++calls;
        EXPECT_EQ(options.PrinterName, "Laser");
        options.PrinterName = "Tinte";
        return true;
    };
    f.dialog.SetupButton()->click();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(f.dialog.PrinterLabel()->text(), "Tinte");
    f.dialog.Setup = [](QWidget*, TOutputOptions&) { return false; };
    f.dialog.SetupButton()->click();
    EXPECT_EQ(f.dialog.PrinterLabel()->text(), "Tinte");
    EXPECT_EQ(f.options.PrinterName, "Tinte");
}

TEST(OutputOptionsDialog, BrowseFillsNameAndFormat) {
    TDialogFixture f;
    f.dialog.FileButton()->click();
    f.dialog.FileNameEdit()->setText(" start ");
    QString offered;
    f.dialog.Browse = [&](QWidget*, const QString& name, TReportFileFormat) {
        offered = name;
        return std::make_optional(std::make_pair(QString("/tmp/plan.prn"), ffNativePrinter));
    };
    f.dialog.BrowseButton()->click();
    EXPECT_EQ(offered, "start");
    EXPECT_EQ(f.dialog.FileNameEdit()->text(), "/tmp/plan.prn");
    EXPECT_EQ(f.dialog.FormatList()->currentIndex(), 1);
    f.dialog.Browse = [](QWidget*, const QString&, TReportFileFormat) {
        return std::optional<std::pair<QString, TReportFileFormat>>();
    };
    f.dialog.BrowseButton()->click();
    EXPECT_EQ(f.dialog.FileNameEdit()->text(), "/tmp/plan.prn");
}

TEST(OutputOptionsDialog, PrintRangeForm) {
    TDialogFixture f(OnePrinter, ofPrintRange, 2);
    EXPECT_EQ(f.dialog.PrinterButton(), nullptr);
    EXPECT_TRUE(f.dialog.AllButton()->isChecked());
    EXPECT_EQ(f.dialog.SelectionEdit()->text(), "1-2");
    EXPECT_EQ(f.dialog.FromEdit()->text(), "1");
    EXPECT_EQ(f.dialog.ToEdit()->text(), "2");
    EXPECT_FALSE(f.dialog.SelectionEdit()->isEnabled());
    EXPECT_TRUE(f.dialog.FromEdit()->isHidden());
    EXPECT_TRUE(f.OptionsEnabled());
    EXPECT_TRUE(f.dialog.SetupButton()->isEnabled());
    f.dialog.SelectionButton()->click();
    EXPECT_TRUE(f.dialog.SelectionEdit()->isEnabled());
    f.dialog.SelectionEdit()->setText("");
    EXPECT_FALSE(f.dialog.OkButton()->isEnabled());
    f.dialog.PagesButton()->click();
    EXPECT_FALSE(f.dialog.FromEdit()->isHidden());
    EXPECT_FALSE(f.dialog.ToEdit()->isHidden());
    EXPECT_FALSE(f.dialog.SelectionEdit()->isEnabled());
    EXPECT_TRUE(f.dialog.OkButton()->isEnabled());
}

TEST(OutputOptionsDialog, PrintRangeChoosesPages) {
    const struct {
        char range; // A, S, P
        QString selection, from, to;
        std::vector<int> pages;
    } cases[] = {
        {'A', "", "", "", {1, 2, 3}}, {'S', "1-", "", "", {1, 2, 3}},
        {'S', "3,1", "", "", {3, 1}}, {'S', "2-9", "", "", {2, 3}},
        {'S', "-2", "", "", {1, 2}},  {'S', "1-2-3,x,,0,4", "", "", {}},
        {'P', "", "2", "3", {2, 3}},  {'P', "", "", "", {1, 2, 3}},
        {'P', "", "3", "2", {}},
    };
    for (const auto& c : cases) {
        const std::string label = std::string(1, c.range) + " '" + c.selection.toStdString() +
                                  "' " + c.from.toStdString() + ".." + c.to.toStdString();
        TDialogFixture f(OnePrinter, ofPrintRange, 3);
        if (c.range == 'S') {
            f.dialog.SelectionButton()->click();
            f.dialog.SelectionEdit()->setText(c.selection);
        } else if (c.range == 'P') {
            f.dialog.PagesButton()->click();
            f.dialog.FromEdit()->setText(c.from);
            f.dialog.ToEdit()->setText(c.to);
        }
        f.dialog.accept();
        EXPECT_EQ(f.options.Destination, rdPrinter) << label;
        EXPECT_EQ(SelectedPages(f.options, 3), c.pages) << label;
    }
}

TEST(OutputOptionsDialog, PrintRangeWithoutPrinterCannotPrint) {
    TDialogFixture f(NoPrinter, ofPrintRange, 2);
    EXPECT_FALSE(f.dialog.OkButton()->isEnabled());
    EXPECT_FALSE(f.OptionsEnabled());
    EXPECT_FALSE(f.dialog.SetupButton()->isEnabled());
}

} // namespace
