#include "ui/exports/ExportFiles.h"

#include "data/file/AtomicFile.h"
#include "ui/exports/SafeFileName.h"

#include <QFile>

QString SuggestedName(const std::string& utf8Title, const QString& suffix) {
    return SafeFileName(QString::fromStdString(utf8Title), suffix, QStringLiteral("Spielplan"));
}

void WriteExport(const QString& fileName, std::string_view content) {
    WriteFileAtomically(QFile::encodeName(fileName).toStdString(), content);
}
