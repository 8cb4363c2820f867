#include "ui/windows/HelpViewer.h"

#include "data/StaffelError.h"
#include "ui/MessageBoxes.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace {

const char* const GuideFileName = "Benutzerhandbuch.html";

QStringList GuideCandidates(const QString& programFolder) {
    const QDir folder(programFolder);
    return {folder.filePath(QStringLiteral("../share/staffelplan/handbuch/")),
            folder.filePath(QStringLiteral("../docs/"))};
}

} // namespace

bool OpenUrlWithDesktop(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

QString FindUserGuide(const QString& programFolder) {
    for (const QString& candidate : GuideCandidates(programFolder)) {
        const QFileInfo guide(candidate + QLatin1String(GuideFileName));
        if (guide.isFile())
            return guide.canonicalFilePath();
    }
    return {};
}

void ShowUserGuide(const QString& programFolder, const TOpenUrl& openUrl) {
    const QString guide = FindUserGuide(programFolder);
    if (guide.isEmpty()) {
        QString searched;
        for (const QString& candidate : GuideCandidates(programFolder))
            searched += "\n" + QDir::cleanPath(candidate + QLatin1String(GuideFileName));
        throw TStaffelError(
            ("Das Benutzerhandbuch wurde nicht gefunden. Gesucht wurde:" + searched).toStdString());
    }
    if (!openUrl(QUrl::fromLocalFile(guide)))
        MessageBoxes().Inform(
            ("Es ist kein Programm eingerichtet, das das Benutzerhandbuch anzeigen kann. "
             "Öffnen Sie die Datei in einem Browser:\n" +
             guide)
                .toStdString());
}
