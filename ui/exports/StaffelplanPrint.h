#pragma once
// The main window's print button hands a layout name to the report output
// bound to the division table.
#include "data/table/RecordTable.h"

#include <functional>
#include <string>

class QWidget;

std::function<void(const std::string& layoutName)> PrintLayoutOfStaffel(TRecordTable* t_staffel,
                                                                        QWidget* owner);
