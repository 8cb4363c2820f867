#pragma once
// The caption of plain boxes, error boxes and the preview's title, made from
// the program file so that a renamed copy names itself.
#include <QString>

// The program file's name up to its first point, every letter after the
// first in lower case ("/usr/bin/STAFFELPLAN.exe" gives "Staffelplan").
QString ApplicationTitleFor(const QString& programFile);
// The title of the running program.
QString ApplicationTitle();
