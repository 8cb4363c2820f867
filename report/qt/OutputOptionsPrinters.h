#pragma once
// The installed printers as the output dialogs see them. The real list comes
// from the printing system (CUPS through Qt); tests hand in their own.
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QDialog;
class QWidget;
struct TOutputOptions;

struct TPrinterDescription {
    QString Name;
    QString Port; // empty when the printing system names none
};

class TPrinterSource {
public:
    virtual ~TPrinterSource() = default;
    virtual std::vector<TPrinterDescription> Printers() const = 0;
    // The system's default printer, else the first one; empty when none.
    virtual std::optional<TPrinterDescription> DefaultPrinter() const = 0;
    std::optional<TPrinterDescription> Find(const QString& name) const;
};

class TQtPrinterSource : public TPrinterSource {
public:
    std::vector<TPrinterDescription> Printers() const override;
    std::optional<TPrinterDescription> DefaultPrinter() const override;
};

// "%s on %s", the name alone, or "No printers installed!".
QString PrinterLine(const std::optional<TPrinterDescription>& printer);

// The platform's printer setup for options.PrinterName; on acceptance the
// options name the printer then chosen and keep its settings in
// options.Printer. False when the user cancelled.
using TPrinterSetup = std::function<bool(QWidget* parent, TOutputOptions& options)>;
bool RunPlatformPrinterSetup(QWidget* parent, TOutputOptions& options);
// The setup dialog's confirm button reads "OK".
void LabelConfirmButton(QDialog& printerSetup);
