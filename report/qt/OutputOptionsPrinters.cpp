#include "report/qt/OutputOptionsPrinters.h"

#include "report/qt/OutputOptions.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

std::optional<TPrinterDescription> TPrinterSource::Find(const QString& name) const {
    for (const TPrinterDescription& printer : Printers())
        if (printer.Name == name)
            return printer;
    return std::nullopt;
}

namespace {

// CUPS hands Qt no device URI; its location text is the nearest to a port.
TPrinterDescription Describe(const QPrinterInfo& info) {
    return {info.printerName(), info.location()};
}

} // namespace

void LabelConfirmButton(QDialog& printerSetup) {
    // The setup only selects the printer; Qt's own dialog says "Print".
    for (auto* buttons : printerSetup.findChildren<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
}

std::vector<TPrinterDescription> TQtPrinterSource::Printers() const {
    std::vector<TPrinterDescription> printers;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
        printers.push_back(Describe(info));
    return printers;
}

std::optional<TPrinterDescription> TQtPrinterSource::DefaultPrinter() const {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull())
        return Describe(info);
    const auto printers = Printers();
    if (printers.empty())
        return std::nullopt;
    return printers.front();
}

QString PrinterLine(const std::optional<TPrinterDescription>& printer) {
    if (!printer)
        return QStringLiteral("No printers installed!");
    if (printer->Port.isEmpty())
        return printer->Name;
    return QStringLiteral("%1 on %2").arg(printer->Name, printer->Port);
}

bool RunPlatformPrinterSetup(QWidget* parent, TOutputOptions& options) {
    if (!options.Printer) {
        options.Printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
        options.Printer->setPrinterName(options.PrinterName);
    }
    QPrintDialog dialog(options.Printer.get(), parent);
    dialog.setWindowTitle(QStringLiteral("Printer Setup"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    LabelConfirmButton(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (!options.Printer->printerName().isEmpty())
        options.PrinterName = options.Printer->printerName();
    return true;
}
