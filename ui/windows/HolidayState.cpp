#include "ui/windows/HolidayState.h"

#include "data/Store.h"
#include "season/HolidayTable.h"

#include <QSettings>

namespace {

const char* const StateKey = "Feiertage/Land";

QSettings ProgramSettings() {
    return QSettings(QStringLiteral("Staffelplan"), QStringLiteral("Staffelplan"));
}

} // namespace

std::optional<TGermanState> SavedHolidayState() {
    const QString code = ProgramSettings().value(StateKey).toString();
    return StateOfCode(code.toStdString());
}

void SaveHolidayState(TGermanState state) {
    const std::string_view code = StateCode(state);
    ProgramSettings().setValue(StateKey, QString::fromLatin1(code.data(), code.size()));
}

TDaysOff DaysOffOf(TStore& store, std::optional<TGermanState> state) {
    return TDaysOff(state, HolidaysFromTable(store.t_ferien()).Holidays);
}
