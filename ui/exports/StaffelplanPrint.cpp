#include "ui/exports/StaffelplanPrint.h"

#include "ui/MessageBoxes.h"

std::shared_ptr<TReportOutput> MakeStaffelReportOutput(TRecordTable* t_staffel, QWidget* owner) {
    auto output = std::make_shared<TReportOutput>(*t_staffel, owner);
    output->ShowError = [](const std::string& message) { MessageBoxes().ShowError(message); };
    return output;
}

std::function<void(const std::string&)>
PrintLayoutOfStaffel(std::shared_ptr<TReportOutput> output) {
    return [output](const std::string& layoutName) { output->ExecuteLayout(layoutName); };
}
