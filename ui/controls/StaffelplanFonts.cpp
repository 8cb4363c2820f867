#include "ui/controls/StaffelplanFonts.h"

#include <QFontDatabase>

#include <cmath>

QString InstalledFace(const QString& wanted) {
    if (QFontDatabase::hasFamily(wanted))
        return wanted;
    // Liberation Sans shares Arial's widths and is no wider than Tahoma or
    // MS Sans Serif at these sizes, so captions keep fitting.
    for (const char* face : {"Liberation Sans", "Arimo", "DejaVu Sans"})
        if (QFontDatabase::hasFamily(face))
            return face;
    return wanted;
}

QFont UiFont(const TFontSpec& spec) {
    QFont font(InstalledFace(spec.Family));
    font.setPixelSize(static_cast<int>(std::lround(spec.PointSize * 96.0 / 72.0)));
    font.setBold(spec.Bold);
    font.setItalic(spec.Italic);
    font.setUnderline(spec.Underline);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}
