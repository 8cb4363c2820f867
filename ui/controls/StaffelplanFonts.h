#pragma once
// Fonts of the windows, named by the faces the layout was drawn with and
// sized in pixels (as at 96 dpi), so that the pixel layout holds on every
// screen. A face that is not installed is replaced by a metrically close one.
#include <QFont>
#include <QString>

struct TFontSpec {
    const char* Family = "Tahoma";
    int PointSize = 8;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
};

QFont UiFont(const TFontSpec& spec);
QString InstalledFace(const QString& wanted);
