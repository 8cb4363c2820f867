#pragma once
// The main window's report output, bound to the division table: the print
// button hands it a layout name, the club plans hand it their pages.
#include "data/table/RecordTable.h"
#include "report/qt/ExecuteLayout.h"

#include <functional>
#include <memory>
#include <string>

class QWidget;

// Every error of a run reaches the error box, not only the first one.
std::shared_ptr<TReportOutput> MakeStaffelReportOutput(TRecordTable* t_staffel, QWidget* owner);

std::function<void(const std::string& layoutName)>
PrintLayoutOfStaffel(std::shared_ptr<TReportOutput> output);
