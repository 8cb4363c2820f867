#pragma once
// Bitmap resources by name, and the navigator's two-image pictures.
#include <QImage>
#include <QPixmap>
#include <QString>

// The bitmap resource of that name, letter case ignored; null when none.
QImage FindBitmapResource(const QString& name);

struct TNavPicture {
    QPixmap Enabled;  // drawn while the button is enabled (raised or pressed)
    QPixmap Disabled; // drawn while it is disabled
};

// Splits a bitmap into its two images of equal width; the colour of the
// bottom-left pixel becomes transparent.
TNavPicture SplitNavPicture(const QImage& bitmap);

// The picture of a movement button: word is FIRST, PRIOR, NEXT or LAST.
TNavPicture LoadNavPicture(const QString& word);
