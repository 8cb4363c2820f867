#include "ui/controls/NavPictures.h"

#include <QDirIterator>
#include <QFileInfo>

// Outside any namespace, as Q_INIT_RESOURCE requires; referencing it keeps
// the linker from dropping the pictures out of the static library.
static void InitNavPictureResources() {
    Q_INIT_RESOURCE(NavPictures);
}

QImage FindBitmapResource(const QString& name) {
    InitNavPictureResources();
    QDirIterator it(QStringLiteral(":/bitmaps"), QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        if (QFileInfo(path).completeBaseName().compare(name, Qt::CaseInsensitive) == 0)
            return QImage(path);
    }
    return {};
}

TNavPicture SplitNavPicture(const QImage& bitmap) {
    if (bitmap.isNull() || bitmap.width() < 2)
        return {};
    QImage image = bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] == transparent)
                line[x] = qRgba(0, 0, 0, 0);
    }
    const int half = image.width() / 2;
    return {QPixmap::fromImage(image.copy(0, 0, half, image.height())),
            QPixmap::fromImage(image.copy(half, 0, half, image.height()))};
}

TNavPicture LoadNavPicture(const QString& word) {
    return SplitNavPicture(FindBitmapResource(QStringLiteral("mdbn_%1").arg(word)));
}
