#include "ui/exports/StaffelplanPrint.h"

#include "report/qt/ExecuteLayout.h"
#include "ui/MessageBoxes.h"

#include <memory>

std::function<void(const std::string&)> PrintLayoutOfStaffel(TRecordTable* t_staffel,
                                                             QWidget* owner) {
    auto output = std::make_shared<TReportOutput>(*t_staffel, owner);
    // Every error of a run reaches the error box, not only the first one.
    output->ShowError = [](const std::string& message) { MessageBoxes().ShowError(message); };
    return [output](const std::string& layoutName) { output->ExecuteLayout(layoutName); };
}
