#pragma once
// A printer list the tests choose.
#include "report/qt/OutputOptionsPrinters.h"

class TFakePrinters : public TPrinterSource {
public:
    explicit TFakePrinters(std::vector<TPrinterDescription> printers = {})
        : printers_(std::move(printers)) {}
    std::vector<TPrinterDescription> Printers() const override { return printers_; }
    std::optional<TPrinterDescription> DefaultPrinter() const override {
        if (printers_.empty())
            return std::nullopt;
        return printers_.front();
    }

private:
    std::vector<TPrinterDescription> printers_;
};
