#pragma once
// "Output Options": where a report goes, copies, collate, duplex, and the
// printer. In its print-range form (the preview's "&Print") the destination
// group gives way to "Print Range".
#include "report/qt/OutputOptions.h"
#include "report/qt/OutputOptionsPrinters.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <utility>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

enum TOutputOptionsForm { ofDestination, ofPrintRange };

// The save dialog behind the browse button: the chosen name and type, or
// nothing when the user cancelled.
using TBrowseOutputFile = std::function<std::optional<std::pair<QString, TReportFileFormat>>(
    QWidget* parent, const QString& name, TReportFileFormat format)>;
std::optional<std::pair<QString, TReportFileFormat>>
BrowseOutputFile(QWidget* parent, const QString& name, TReportFileFormat format);

class TOutputOptionsDialog : public QDialog {
    Q_OBJECT
public:
    // pageCount presets the print-range fields.
    TOutputOptionsDialog(TOutputOptions& options, const TPrinterSource& printers,
                         TOutputOptionsForm form = ofDestination, int pageCount = 1,
                         QWidget* parent = nullptr);

    TPrinterSetup Setup = RunPlatformPrinterSetup;
    TBrowseOutputFile Browse = BrowseOutputFile;

    void accept() override;

    QLabel* PrinterLabel() const { return printerLabel_; }
    QRadioButton* PrinterButton() const { return printerButton_; }
    QRadioButton* PreviewButton() const { return previewButton_; }
    QRadioButton* FileButton() const { return fileButton_; }
    QLineEdit* FileNameEdit() const { return fileNameEdit_; }
    QPushButton* BrowseButton() const { return browseButton_; }
    QComboBox* FormatList() const { return formatList_; }
    QRadioButton* AllButton() const { return allButton_; }
    QRadioButton* SelectionButton() const { return selectionButton_; }
    QRadioButton* PagesButton() const { return pagesButton_; }
    QLineEdit* SelectionEdit() const { return selectionEdit_; }
    QLineEdit* FromEdit() const { return fromEdit_; }
    QLineEdit* ToEdit() const { return toEdit_; }
    QLineEdit* CopiesEdit() const { return copiesEdit_; }
    QCheckBox* CollateBox() const { return collateBox_; }
    QCheckBox* DuplexBox() const { return duplexBox_; }
    QPushButton* OkButton() const { return okButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    QPushButton* SetupButton() const { return setupButton_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QGroupBox* MakeDestinationGroup();
    QGroupBox* MakeRangeGroup(int pageCount);
    QGroupBox* MakeOptionsGroup();
    void DestinationChosen();
    void UpdateEnabling();
    void BrowseClicked();
    void SetupClicked();
    void ShowPrinter();
    void AcceptDestination();
    void AcceptRange();

    TOutputOptions& options_;
    const TPrinterSource& printers_;
    TOutputOptionsForm form_;
    bool hasPrinter_ = false;

    QLabel* printerLabel_ = nullptr;
    QRadioButton* printerButton_ = nullptr;
    QRadioButton* previewButton_ = nullptr;
    QRadioButton* fileButton_ = nullptr;
    QLineEdit* fileNameEdit_ = nullptr;
    QPushButton* browseButton_ = nullptr;
    QLabel* formatLabel_ = nullptr;
    QComboBox* formatList_ = nullptr;
    QRadioButton* allButton_ = nullptr;
    QRadioButton* selectionButton_ = nullptr;
    QRadioButton* pagesButton_ = nullptr;
    QLineEdit* selectionEdit_ = nullptr;
    QLabel* fromLabel_ = nullptr;
    QLineEdit* fromEdit_ = nullptr;
    QLabel* toLabel_ = nullptr;
    QLineEdit* toEdit_ = nullptr;
    QLineEdit* copiesEdit_ = nullptr;
    QCheckBox* collateBox_ = nullptr;
    QCheckBox* duplexBox_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* setupButton_ = nullptr;
};

// Shows the dialog modally over owner; true on "   OK   ".
using TRunOutputOptions = std::function<bool(QWidget* owner, TOutputOptions& options,
                                             TOutputOptionsForm form, int pageCount)>;
TRunOutputOptions OutputOptionsRunner(const TPrinterSource& printers);
