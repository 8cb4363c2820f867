#include "ui/StaffelplanPrint.h"

#include "data/StaffelError.h"

std::function<void(const std::string&)> PrintLayoutOfStaffel(TRecordTable* t_staffel,
                                                             QWidget* owner) {
    return [t_staffel, owner](const std::string& layoutName) {
        (void)t_staffel;
        (void)owner;
        // REPORT-OUTPUT CALL SITE: ExecuteLayout(layoutName) of the report
        // output bound to t_staffel goes here once it is part of the build.
        throw TStaffelError("Der Ausdruck des Layouts \"" + layoutName +
                            "\" ist in dieser Version noch nicht verfügbar.");
    };
}
