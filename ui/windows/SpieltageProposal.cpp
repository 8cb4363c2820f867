// The calendar window's way to proposed match days and imported holidays.
#include "data/StaffelError.h"
#include "data/Store.h"
#include "season/ClubTable.h"
#include "season/HolidayTable.h"
#include "ui/MessageBoxes.h"
#include "ui/controls/MYDBNav.h"
#include "ui/windows/FerienImport.h"
#include "ui/windows/HolidayState.h"
#include "ui/windows/Spieltage.h"
#include "ui/windows/SpieltageVorschlag.h"

namespace {

// The display row of the calendar for that year, -1 when there is none.
int CalendarRowOf(TRecordTable& table, int year) {
    const TField* jahr = table.FindField("Jahr");
    if (!table.Active() || !jahr)
        return -1;
    for (int r = 0; r < table.DisplayCount(); ++r)
        if (const auto* value = std::get_if<std::int32_t>(&table.DisplayValue(r, jahr->Index()));
            value && *value == year)
            return r;
    return -1;
}

} // namespace

void TSpieltage::SpieltageVorschlagen() {
    TMatchDaySources sources;
    sources.Year = DefaultSeasonYear(Today());
    sources.State = SavedHolidayState();
    sources.SchoolHolidays = HolidaysFromTable(store_.t_ferien()).Holidays;
    sources.Clubs = ClubsFromTable(store_.t_vereine()).Clubs;
    TSpieltageVorschlag dialog(std::move(sources), this);
    dialog.RememberState = SaveHolidayState;
    if (!readOnly_)
        dialog.Apply = [this](int year, const TProposedCalendar& dates) {
            TakeCalendar(year, dates);
        };
    if (ShowDialog)
        ShowDialog(dialog);
    else
        dialog.exec();
}

void TSpieltage::FerienImportieren() {
    const int added = ImportFerien(store_, DefaultSeasonYear(Today()), this, AskICalFile);
    if (added > 0)
        MessageBoxes().Inform(added == 1
                                  ? std::string("1 Ferienabschnitt wurde übernommen.")
                                  : std::to_string(added) + " Ferienabschnitte wurden übernommen.");
}

void TSpieltage::TakeCalendar(int year,
                              const std::vector<std::pair<TSpieltagKey, TDaySerial>>& dates) {
    TRecordTable& table = store_.t_spieltage();
    table.FinishEdit();
    const int row = CalendarRowOf(table, year);
    if (row >= 0) {
        if (MessageBoxes().Confirm("Für " + std::to_string(year) +
                                       " gibt es schon einen Spieltagskalender. Sollen seine "
                                       "Spieltage durch den Vorschlag ersetzt werden?",
                                   cbYesNo) != caAccept)
            return;
        table.MoveTo(row);
        MYDBNav1->ClickButton(nbEdit);
    } else {
        MYDBNav1->ClickButton(nbInsert);
        table.Field("Jahr").SetAsInteger(year);
    }
    for (int k = 0; k < SpieltagCount; ++k)
        table.Field(SpieltagDateFieldName(static_cast<TSpieltagKey>(k))).Clear();
    for (const auto& [key, day] : dates)
        table.Field(SpieltagDateFieldName(key)).SetAsDateTime(day);
    MYDBNav1->ClickButton(nbPost);
    // The navigator has shown why the post failed; the row stays for correction.
    if (table.State() != tsBrowse)
        throw TStaffelError("Der vorgeschlagene Kalender für " + std::to_string(year) +
                            " konnte nicht gespeichert werden.");
}
