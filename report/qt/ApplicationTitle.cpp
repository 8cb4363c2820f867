#include "report/qt/ApplicationTitle.h"

#include <QCoreApplication>
#include <QFileInfo>

QString ApplicationTitleFor(const QString& programFile) {
    QString name = QFileInfo(programFile).fileName();
    const qsizetype point = name.indexOf(QLatin1Char('.'));
    if (point >= 0)
        name.truncate(point);
    if (name.size() > 1)
        name = name.left(1) + name.mid(1).toLower();
    return name;
}

QString ApplicationTitle() {
    return ApplicationTitleFor(QCoreApplication::applicationFilePath());
}
