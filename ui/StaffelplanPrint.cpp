#include "ui/StaffelplanPrint.h"

#include "report/qt/ExecuteLayout.h"

#include <memory>

std::function<void(const std::string&)> PrintLayoutOfStaffel(TRecordTable* t_staffel,
                                                             QWidget* owner) {
    // The run's errors propagate to the print button's guard, which shows them.
    auto output = std::make_shared<TReportOutput>(*t_staffel, owner);
    return [output](const std::string& layoutName) { output->ExecuteLayout(layoutName); };
}
