#include "ui/windows/FerienImport.h"

#include "data/Store.h"
#include "data/file/AtomicFile.h"
#include "data/file/Cp1252.h"
#include "season/HolidayTable.h"
#include "season/ICalHolidays.h"
#include "season/QuotedText.h"
#include "ui/MessageBoxes.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// Enough lines to recognise the file; the rest are counted.
constexpr std::size_t ListedHolidays = 12;

std::string Listed(const std::vector<TSchoolHoliday>& holidays) {
    static const TRegionalSettings german = TRegionalSettings::German();
    std::string text;
    for (std::size_t i = 0; i < holidays.size() && i < ListedHolidays; ++i) {
        const TSchoolHoliday& holiday = holidays[i];
        text += "\n" + german.FormatDate(holiday.From);
        if (holiday.To != holiday.From)
            text += " \xE2\x80\x93 " + german.FormatDate(holiday.To);
        text += "  " + Cp1252ToUtf8(holiday.Name);
    }
    if (holidays.size() > ListedHolidays)
        text +=
            "\n\xE2\x80\xA6 und " + std::to_string(holidays.size() - ListedHolidays) + " weitere";
    return text;
}

} // namespace

int ImportFerien(TStore& store, int year, QWidget* parent,
                 const std::function<QString(QWidget*)>& askFile) {
    const QString chosen =
        askFile ? askFile(parent)
                : QFileDialog::getOpenFileName(
                      parent, QStringLiteral("Ferien importieren"), QString(),
                      QStringLiteral("iCalendar-Dateien (*.ics *.ical);;Alle Dateien (*)"));
    if (chosen.isEmpty())
        return 0;
    const std::string path = QFile::encodeName(chosen).toStdString();
    const std::string shown = FullPath(path);
    // The file's name as the source: a character a field cannot hold becomes '?'.
    const std::string source = Utf8ToCp1252(QFileInfo(chosen).fileName().toStdString());
    const std::vector<TSchoolHoliday> imported =
        ReadICalHolidays(ReadWholeFile(path), shown, source, year, year + 1);

    TRecordTable& table = store.t_ferien();
    const std::vector<TSchoolHoliday> fresh =
        NewHolidays(HolidaysFromTable(table).Holidays, imported);
    const std::string file = QuotedUtf8(QFileInfo(chosen).fileName().toStdString());
    if (fresh.empty()) {
        MessageBoxes().Inform("Alle Ferien aus " + file + " sind schon eingetragen.");
        return 0;
    }
    const std::string question =
        (fresh.size() == 1 ? std::string("1 Ferienabschnitt")
                           : std::to_string(fresh.size()) + " Ferienabschnitte") +
        " aus " + file +
        " \xC3\xBC"
        "bernehmen?\n" +
        Listed(fresh);
    if (MessageBoxes().Confirm(question, cbOkCancel) != caAccept)
        return 0;
    table.FinishEdit();
    AddHolidays(table, fresh);
    store.SaveFerien();
    return static_cast<int>(fresh.size());
}
