#include "ui/exports/ExportFiles.h"

#include "data/StaffelError.h"
#include "data/file/AtomicFile.h"
#include "ui/MessageBoxes.h"
#include "ui/exports/SafeFileName.h"

#include <QFile>

QString SuggestedName(const std::string& utf8Title, const QString& suffix) {
    return SafeFileName(QString::fromStdString(utf8Title), suffix, QStringLiteral("Spielplan"));
}

void WriteExport(const QString& fileName, std::string_view content) {
    WriteFileAtomically(QFile::encodeName(fileName).toStdString(), content);
}

void RequireCalendarEvents(const TCalendarExport& calendar) {
    if (calendar.Events == 0)
        throw TStaffelError("Keines der Spiele hat ein Datum; es wurde kein Kalender exportiert.");
}

std::string UndatedNotice(const TCalendarExport& calendar) {
    if (calendar.Undated == 1)
        return "1 Spiel ohne Datum wurde nicht in den Kalender übernommen.";
    if (calendar.Undated > 1)
        return std::to_string(calendar.Undated) +
               " Spiele ohne Datum wurden nicht in den Kalender übernommen.";
    return {};
}

void SaveCalendarExport(const TCalendarExport& calendar, const std::string& utf8Title,
                        const TAskExportName& askFileName, TMessageBoxes& boxes) {
    RequireCalendarEvents(calendar);
    const QString fileName =
        askFileName(QStringLiteral("Kalender exportieren"), SuggestedName(utf8Title, ".ics"),
                    QStringLiteral("Kalenderdateien (*.ics);;Alle Dateien (*)"));
    if (fileName.isEmpty())
        return;
    WriteExport(fileName, calendar.Text);
    if (const std::string notice = UndatedNotice(calendar); !notice.empty())
        boxes.Inform(notice);
}
