#include "report/qt/OutputOptionsDialog.h"

#include "report/SnapshotFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString FormatName(TReportFileFormat format) {
    return format == ffNativePrinter ? QStringLiteral("Native Printer Output (PRN)")
                                     : FromView(SnapshotFormatName);
}

QString FormatFilter(TReportFileFormat format) {
    return format == ffNativePrinter ? QStringLiteral("Native Printer Output (PRN) (*.prn)")
                                     : FromView(SnapshotFileFilter);
}

QValidator* DigitsOnly(QObject* parent, const char* pattern = "[0-9]*") {
    return new QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(pattern)),
                                           parent);
}

// A positive number, else nothing.
std::optional<int> PositiveNumber(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value > 0 ? std::optional<int>(value) : std::nullopt;
}

} // namespace

std::optional<std::pair<QString, TReportFileFormat>>
BrowseOutputFile(QWidget* parent, const QString& name, TReportFileFormat format) {
    QFileDialog dialog(parent, QStringLiteral("Save File"), name);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({FormatFilter(ffPageSnapshot), FormatFilter(ffNativePrinter)});
    dialog.selectNameFilter(FormatFilter(format));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const TReportFileFormat chosen = dialog.selectedNameFilter() == FormatFilter(ffNativePrinter)
                                         ? ffNativePrinter
                                         : ffPageSnapshot;
    return std::make_pair(dialog.selectedFiles().front(), chosen);
}

TOutputOptionsDialog::TOutputOptionsDialog(TOutputOptions& options, const TPrinterSource& printers,
                                           TOutputOptionsForm form, int pageCount, QWidget* parent)
    : QDialog(parent), options_(options), printers_(printers), form_(form) {
    setWindowTitle(options.DialogTitle);
    setModal(true);
    if (options_.PrinterName.isEmpty()) {
        if (auto printer = printers_.DefaultPrinter())
            options_.PrinterName = printer->Name;
    }
    hasPrinter_ = !options_.PrinterName.isEmpty();

    auto* printerGroup = new QGroupBox(QStringLiteral("Selected Printer"));
    printerLabel_ = new QLabel;
    printerLabel_->setMinimumWidth(300);
    auto* printerLayout = new QVBoxLayout(printerGroup);
    printerLayout->addWidget(printerLabel_);

    auto* left = new QVBoxLayout;
    left->addWidget(printerGroup);
    left->addWidget(form_ == ofPrintRange ? MakeRangeGroup(pageCount) : MakeDestinationGroup());
    left->addWidget(MakeOptionsGroup());

    okButton_ = new QPushButton(QStringLiteral("   OK   "));
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"));
    setupButton_ = new QPushButton(QStringLiteral("&Setup"));
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(setupButton_, &QPushButton::clicked, this, &TOutputOptionsDialog::SetupClicked);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    buttons->addSpacing(12);
    buttons->addWidget(setupButton_);
    buttons->addStretch();

    auto* main = new QHBoxLayout(this);
    main->addLayout(left);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    ShowPrinter();
    setupButton_->setEnabled(hasPrinter_ && options_.AllowSetup);
    // Options follow the destination the dialog opens with.
    const bool optionsOn =
        hasPrinter_ && (form_ == ofPrintRange || options_.Destination == rdPrinter);
    copiesEdit_->setEnabled(optionsOn);
    collateBox_->setEnabled(optionsOn);
    duplexBox_->setEnabled(optionsOn);
    UpdateEnabling();
}

QGroupBox* TOutputOptionsDialog::MakeDestinationGroup() {
    auto* group = new QGroupBox(QStringLiteral("Report Destination"));
    printerButton_ = new QRadioButton(QStringLiteral("&Printer"));
    previewButton_ = new QRadioButton(QStringLiteral("Pre&view"));
    fileButton_ = new QRadioButton(QStringLiteral("&File"));
    fileNameEdit_ = new QLineEdit(options_.OutputFileName);
    fileNameEdit_->setMinimumWidth(180);
    browseButton_ = new QPushButton(QStringLiteral("..."));
    browseButton_->setFixedWidth(28);
    browseButton_->setToolTip(QStringLiteral("Browse"));
    formatLabel_ = new QLabel(QStringLiteral("Format:"));
    formatList_ = new QComboBox;
    formatList_->addItem(FormatName(ffPageSnapshot));
    formatList_->addItem(FormatName(ffNativePrinter));
    formatList_->setCurrentIndex(options_.FileFormat == ffNativePrinter ? 1 : 0);

    auto* grid = new QGridLayout(group);
    grid->addWidget(printerButton_, 0, 0);
    grid->addWidget(previewButton_, 1, 0);
    grid->addWidget(fileButton_, 2, 0);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileNameEdit_, 1);
    fileRow->addWidget(browseButton_);
    grid->addLayout(fileRow, 2, 1);
    auto* formatRow = new QHBoxLayout;
    formatRow->addWidget(formatLabel_);
    formatRow->addWidget(formatList_, 1);
    grid->addLayout(formatRow, 3, 1);
    grid->setColumnStretch(1, 1);

    const bool printerUsable = hasPrinter_ && options_.AllowPrinter;
    const bool fileUsable = hasPrinter_ && options_.AllowFile;
    printerButton_->setEnabled(printerUsable);
    fileButton_->setEnabled(fileUsable);
    if (options_.Destination == rdPrinter && printerUsable)
        printerButton_->setChecked(true);
    else if (options_.Destination == rdFile && fileUsable)
        fileButton_->setChecked(true);
    else
        previewButton_->setChecked(true);

    for (QRadioButton* button : {printerButton_, previewButton_, fileButton_})
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                DestinationChosen();
        });
    connect(fileNameEdit_, &QLineEdit::textChanged, this, &TOutputOptionsDialog::UpdateEnabling);
    connect(browseButton_, &QPushButton::clicked, this, &TOutputOptionsDialog::BrowseClicked);
    return group;
}

QGroupBox* TOutputOptionsDialog::MakeRangeGroup(int pageCount) {
    auto* group = new QGroupBox(QStringLiteral("Print Range"));
    allButton_ = new QRadioButton(QStringLiteral("All"));
    selectionButton_ = new QRadioButton(QStringLiteral("Selection"));
    pagesButton_ = new QRadioButton(QStringLiteral("Pages"));
    selectionEdit_ = new QLineEdit(QStringLiteral("1-%1").arg(pageCount));
    selectionEdit_->setValidator(DigitsOnly(selectionEdit_, "[0-9,-]*"));
    fromLabel_ = new QLabel(QStringLiteral("From"));
    fromEdit_ = new QLineEdit(QStringLiteral("1"));
    toLabel_ = new QLabel(QStringLiteral("to"));
    toEdit_ = new QLineEdit(QString::number(pageCount));
    for (QLineEdit* edit : {fromEdit_, toEdit_}) {
        edit->setValidator(DigitsOnly(edit));
        edit->setFixedWidth(50);
    }
    // The page fields appear only with "Pages"; their room is kept meanwhile.
    for (QWidget* widget :
         std::initializer_list<QWidget*>{fromLabel_, fromEdit_, toLabel_, toEdit_}) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }

    auto* grid = new QGridLayout(group);
    grid->addWidget(allButton_, 0, 0);
    grid->addWidget(selectionButton_, 1, 0);
    grid->addWidget(selectionEdit_, 1, 1);
    grid->addWidget(pagesButton_, 2, 0);
    auto* pagesRow = new QHBoxLayout;
    pagesRow->addWidget(fromLabel_);
    pagesRow->addWidget(fromEdit_);
    pagesRow->addWidget(toLabel_);
    pagesRow->addWidget(toEdit_);
    pagesRow->addStretch();
    grid->addLayout(pagesRow, 2, 1);
    grid->setColumnStretch(1, 1);

    allButton_->setChecked(true);
    for (QRadioButton* button : {allButton_, selectionButton_, pagesButton_})
        connect(button, &QRadioButton::toggled, this, &TOutputOptionsDialog::UpdateEnabling);
    connect(selectionEdit_, &QLineEdit::textChanged, this, &TOutputOptionsDialog::UpdateEnabling);
    return group;
}

QGroupBox* TOutputOptionsDialog::MakeOptionsGroup() {
    auto* group = new QGroupBox(QStringLiteral("Options"));
    auto* copiesLabel = new QLabel(QStringLiteral("&Copies"));
    copiesEdit_ = new QLineEdit(QString::number(options_.Copies));
    copiesEdit_->setValidator(DigitsOnly(copiesEdit_));
    copiesEdit_->setFixedWidth(50);
    copiesLabel->setBuddy(copiesEdit_);
    collateBox_ = new QCheckBox(QStringLiteral("C&ollate"));
    collateBox_->setChecked(options_.Collate);
    duplexBox_ = new QCheckBox(QStringLiteral("&Duplex"));
    duplexBox_->setChecked(options_.Duplex);
    auto* row = new QHBoxLayout(group);
    row->addWidget(copiesLabel);
    row->addWidget(copiesEdit_);
    row->addSpacing(16);
    row->addWidget(collateBox_);
    row->addSpacing(16);
    row->addWidget(duplexBox_);
    row->addStretch();
    return group;
}

void TOutputOptionsDialog::DestinationChosen() {
    // "&File" leaves the options as they were.
    if (printerButton_->isChecked() || previewButton_->isChecked()) {
        const bool on = printerButton_->isChecked();
        copiesEdit_->setEnabled(on);
        collateBox_->setEnabled(on);
        duplexBox_->setEnabled(on);
    }
    UpdateEnabling();
}

void TOutputOptionsDialog::UpdateEnabling() {
    if (form_ == ofDestination) {
        const bool toFile = fileButton_->isChecked();
        fileNameEdit_->setEnabled(toFile);
        browseButton_->setEnabled(toFile);
        formatLabel_->setEnabled(toFile);
        formatList_->setEnabled(toFile);
        okButton_->setEnabled(!toFile || !fileNameEdit_->text().trimmed().isEmpty());
        return;
    }
    selectionEdit_->setEnabled(selectionButton_->isChecked());
    for (QWidget* widget :
         std::initializer_list<QWidget*>{fromLabel_, fromEdit_, toLabel_, toEdit_})
        widget->setVisible(pagesButton_->isChecked());
    const bool selectionMissing =
        selectionButton_->isChecked() && selectionEdit_->text().trimmed().isEmpty();
    okButton_->setEnabled(hasPrinter_ && !selectionMissing);
}

void TOutputOptionsDialog::BrowseClicked() {
    const TReportFileFormat format =
        formatList_->currentIndex() == 1 ? ffNativePrinter : ffPageSnapshot;
    const auto chosen = Browse(this, fileNameEdit_->text().trimmed(), format);
    if (!chosen)
        return;
    fileNameEdit_->setText(chosen->first);
    formatList_->setCurrentIndex(chosen->second == ffNativePrinter ? 1 : 0);
}

void TOutputOptionsDialog::SetupClicked() {
    if (Setup && Setup(this, options_))
        ShowPrinter();
}

void TOutputOptionsDialog::ShowPrinter() {
    if (options_.PrinterName.isEmpty()) {
        printerLabel_->setText(PrinterLine(std::nullopt));
        return;
    }
    auto printer = printers_.Find(options_.PrinterName);
    printerLabel_->setText(
        PrinterLine(printer ? printer : TPrinterDescription{options_.PrinterName, {}}));
}

void TOutputOptionsDialog::accept() {
    if (!okButton_->isEnabled())
        return; // Enter in a field must not get past the OK rule
    if (form_ == ofDestination)
        AcceptDestination();
    else
        AcceptRange();
    if (auto copies = PositiveNumber(copiesEdit_->text()))
        options_.Copies = *copies;
    options_.Collate = collateBox_->isChecked();
    options_.Duplex = duplexBox_->isChecked();
    QDialog::accept();
}

void TOutputOptionsDialog::AcceptDestination() {
    if (printerButton_->isChecked()) {
        options_.Destination = rdPrinter;
    } else if (fileButton_->isChecked()) {
        options_.Destination = rdFile;
        options_.FileFormat = formatList_->currentIndex() == 1 ? ffNativePrinter : ffPageSnapshot;
        options_.OutputFileName =
            FileNameWithExtension(fileNameEdit_->text().trimmed(), options_.FileFormat);
    } else {
        options_.Destination = rdPreview;
    }
}

void TOutputOptionsDialog::AcceptRange() {
    options_.Destination = rdPrinter;
    options_.PageSelection.clear();
    options_.FirstPage = 1;
    options_.LastPage = 9999;
    if (selectionButton_->isChecked()) {
        options_.PageSelection = selectionEdit_->text().trimmed();
    } else if (pagesButton_->isChecked()) {
        if (auto from = PositiveNumber(fromEdit_->text()))
            options_.FirstPage = *from;
        if (auto to = PositiveNumber(toEdit_->text()))
            options_.LastPage = *to;
    }
}

void TOutputOptionsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

TRunOutputOptions OutputOptionsRunner(const TPrinterSource& printers) {
    return [&printers](QWidget* owner, TOutputOptions& options, TOutputOptionsForm form,
                       int pageCount) {
        TOutputOptionsDialog dialog(options, printers, form, pageCount, owner);
        return dialog.exec() == QDialog::Accepted;
    };
}
