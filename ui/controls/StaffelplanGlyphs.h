#pragma once
// The pictures of the OK and Cancel buttons: a green check mark, a red cross.
#include <QPixmap>

QPixmap OkGlyph();
QPixmap CancelGlyph();
